// SPDX-License-Identifier: GPL-3.0-or-later
// What the parent selection dialog offers and the rules it follows, without the dialog: the
// four views (Outline, List, Express, Custom) with their fixed contents, which class a view's
// selection names, when OK and Class help are enabled, and the result a confirmed selection
// becomes. The front ends draw the views from these tables and recompute the enabled states
// with the functions below whenever a selection changes; commands/parent_selection_flow.h runs OK.
//
//   ParentChoice choice{.view = ParentView::kList, .list_text = "tedit"};
//   if (CanAccept(choice, /*allow_forms=*/true)) name = SelectedClassName(choice);  // "tedit"
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"
#include "store/settings.h"

namespace kx::catalog {

inline constexpr std::string_view kSelectParentCaption = "Select parent class";

// The dialog's pages.
enum class ParentView { kOutline, kList, kExpress, kCustom };

// One node of the Outline view; level 0 is the top. OutlineNodes() lists them depth first,
// so a node's children are the nodes after it with a deeper level.
struct OutlineNode {
  int level;
  std::string_view text;
};
std::span<const OutlineNode> OutlineNodes();
bool OutlineNodeHasChildren(int index);
// The top-level leaf "Wrapper for Delphi form", the last node.
int WrapperOutlineNode();
// The outline as lines of text, each indented by one tab per level.
std::vector<std::string> OutlineLines();

// The 126 standard classes of the List view (a sorted combo box the user may also type in);
// the same list offers the ancestors of the registration dialog.
std::span<const std::string_view> ListViewClasses();

// The Express view's radio items, and the class of each but the last.
std::span<const std::string_view> ExpressItems();
std::span<const std::string_view> ExpressClasses();
inline constexpr int kExpressContainerItem = 11;  // "Multiple-component container ..."
inline constexpr int kExpressWrapperItem = 12;    // "Wrapper around a form"

// What the user chose in the dialog: the page shown and each page's selection, all kept
// between uses as the user left them.
struct ParentChoice {
  ParentView view = ParentView::kExpress;
  int outline_node = -1;     // index into OutlineNodes(); -1 none
  std::string list_text;     // the List view's combo box text
  int express_item = 0;      // index into ExpressItems()
  std::string custom_class;  // the Custom view's selected class; empty none

  friend bool operator==(const ParentChoice&, const ParentChoice&) = default;
};

// The class the active page names, as shown: an outline node's text up to its first blank,
// the List view's text without surrounding blanks, the Express table entry (empty for the
// wrapper), the selected custom class. Empty when nothing is selected.
std::string SelectedClassName(const ParentChoice& choice);
// Whether the active page selects a class (Class help is enabled).
bool IsClassSelection(const ParentChoice& choice);
// Whether OK is enabled. allow_forms is false when the parent of an existing definition is
// changed: then no wrapper and no container imported from a form.
bool CanAccept(const ParentChoice& choice, bool allow_forms);
// Whether the choice means wrapping a form (the outline's last node, the Express view's last
// item).
bool ChoosesWrapper(const ParentChoice& choice);
// Help on the selected class; nothing when the page selects no class.
std::optional<store::HelpTopic> SelectedClassHelp(const ParentChoice& choice, bool using_delphi16);

// The change of an existing definition's parent opens on the Outline view with the current
// parent selected (the last leaf naming it, in any case; none when no leaf does) and the List
// view's text set to it.
void PreselectParent(ParentChoice& choice, std::string_view current_parent);

// A confirmed selection.
struct ParentSelection {
  std::string class_name;    // as chosen, first two characters upper-cased
  std::string vcl_ancestor;  // the catalogue class that stands for it
  int family = 0;            // ClassFamilyOf(vcl_ancestor)
  std::string unit;          // for the uses clause; may be empty
  bool allow_forms = true;
  model::FormDef form;  // import mode 0, or the form to wrap (1) or to import from (2)

  friend bool operator==(const ParentSelection&, const ParentSelection&) = default;
};

// The unit a new definition adds for its parent: the form's unit for a wrapper.
std::string UnitForNewDefinition(const ParentSelection& selection);

// The question asked before a class that is neither standard nor registered is registered.
std::string UnregisteredClassQuestion(std::string_view class_name);

}  // namespace kx::catalog
