// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/parent_dialog_model.h"

#include "model/text.h"

namespace kx::commands {

using catalog::ParentChoice;
using catalog::ParentView;

int OutlineParent(int index) {
  const auto nodes = catalog::OutlineNodes();
  if (index < 0 || index >= static_cast<int>(nodes.size())) return -1;
  const int level = nodes[static_cast<std::size_t>(index)].level;
  for (int i = index - 1; i >= 0; --i) {
    if (nodes[static_cast<std::size_t>(i)].level < level) return i;
  }
  return -1;
}

ParentDialogModel::ParentDialogModel(bool allow_forms, bool can_edit_registry)
    : allow_forms_(allow_forms), can_edit_registry_(can_edit_registry) {}

ParentDialogButtons ParentDialogModel::Buttons(const ParentChoice& choice) const {
  // Edit and Delete act on the Custom view's selection whichever view is active.
  const bool custom_selected = !choice.custom_class.empty() && can_edit_registry_;
  return {.ok = catalog::CanAccept(choice, allow_forms_),
          .class_help = catalog::IsClassSelection(choice),
          .add = can_edit_registry_,
          .edit = custom_selected,
          .del = custom_selected};
}

OutlineExpansion ParentDialogModel::Expansion(const ParentChoice& shown) const {
  OutlineExpansion expansion{.expand_all = !allow_forms_};
  const int count = static_cast<int>(catalog::OutlineNodes().size());
  if (shown.outline_node < 0 || shown.outline_node >= count) return expansion;
  expansion.current = shown.outline_node;
  for (int up = OutlineParent(shown.outline_node); up >= 0; up = OutlineParent(up)) {
    expansion.expanded.push_back(up);
  }
  return expansion;
}

std::optional<ListCompletion> ParentDialogModel::ListTyped(std::string_view typed) {
  const bool grew = typed.size() > typed_length_;
  typed_length_ = typed.size();
  if (!grew || typed.empty()) return std::nullopt;
  for (std::string_view name : catalog::ListViewClasses()) {
    if (model::StartsWithText(name, typed)) return ListCompletion{std::string(name), typed.size()};
  }
  return std::nullopt;
}

ParentFocus ParentDialogModel::FocusOnShow(const ParentChoice& choice) {
  switch (choice.view) {
    case ParentView::kOutline:
      return ParentFocus::kOutline;
    case ParentView::kList:
      return ParentFocus::kList;
    case ParentView::kExpress:
      return ParentFocus::kExpressItem;
    case ParentView::kCustom:
      break;
  }
  // A list without a current row would make its first row current on focus: a choice the user
  // did not make.
  return choice.custom_class.empty() ? ParentFocus::kAddButton : ParentFocus::kCustomList;
}

}  // namespace kx::commands
