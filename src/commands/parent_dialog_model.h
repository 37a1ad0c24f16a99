// SPDX-License-Identifier: GPL-3.0-or-later
// The "Select parent class" dialog's own rules, without its widgets: which buttons are enabled
// for a choice, which outline nodes are expanded when a choice is shown, how the List view
// completes what is typed, and which control takes the focus when the dialog opens. The
// catalogue decides what a choice names (catalog/parent_choices.h); the flows behind OK and
// the Custom view's buttons are commands/parent_selection_flow.h's.
//
//   ParentDialogModel model(request.allow_forms, request.custom_page != nullptr);
//   const ParentDialogButtons enabled = model.Buttons(choice);
//   ok->setEnabled(enabled.ok);
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/parent_choices.h"

namespace kx::commands {

struct ParentDialogButtons {
  bool ok = false;
  bool class_help = false;
  bool add = false;
  bool edit = false;
  bool del = false;

  friend bool operator==(const ParentDialogButtons&, const ParentDialogButtons&) = default;
};

// What showing a choice does to the outline.
struct OutlineExpansion {
  bool expand_all = false;
  std::vector<int> expanded;  // the current node's ancestors, nearest first
  int current = -1;           // the node made current; -1 none

  friend bool operator==(const OutlineExpansion&, const OutlineExpansion&) = default;
};

// The List view's text after a key that completed a class name: the whole name, with the
// part after what was typed selected so that the next key replaces it.
struct ListCompletion {
  std::string text;
  std::size_t typed = 0;  // the selection runs from here to the end

  friend bool operator==(const ListCompletion&, const ListCompletion&) = default;
};

// The control that has the focus when the dialog opens: the active view's choice, so that the
// arrow keys move it at once.
enum class ParentFocus { kOutline, kList, kExpressItem, kCustomList, kAddButton };

// The outline node a node hangs under (catalog::OutlineNodes order); -1 for a top-level node
// or an index out of range.
int OutlineParent(int index);

class ParentDialogModel {
 public:
  // can_edit_registry: the Custom view's buttons have a registry to act on.
  ParentDialogModel(bool allow_forms, bool can_edit_registry);

  ParentDialogButtons Buttons(const catalog::ParentChoice& choice) const;
  // Changing the parent of a definition (no forms) shows the whole outline, so the current
  // parent is seen among its relatives; a node's ancestors are always opened to show it.
  OutlineExpansion Expansion(const catalog::ParentChoice& shown) const;
  // The List view's text as the user left it after a key. A key that made the text longer
  // completes the first class (in the list's order) that starts with it, in any case; a key
  // that deleted or replaced text completes nothing, so that it can be corrected.
  std::optional<ListCompletion> ListTyped(std::string_view typed);
  static ParentFocus FocusOnShow(const catalog::ParentChoice& choice);

 private:
  bool allow_forms_;
  bool can_edit_registry_;
  std::size_t typed_length_ = 0;  // the List view's text as last typed
};

}  // namespace kx::commands
