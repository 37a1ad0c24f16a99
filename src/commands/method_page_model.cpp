// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/method_page_model.h"

#include <algorithm>

#include "model/name_rules.h"

namespace kx::commands {

using model::ItemDef;

void MethodPageModel::ClearFields() {
  const TextControl off{"", false};
  state_ = {};
  state_.header = state_.description = state_.win_message = off;
  state_.enabled = false;
}

void MethodPageModel::ShowItem(const ItemDef& item) {
  const model::MethodPart& m = item.Method();
  state_.kind = m.MethodKind;
  state_.header = {m.Header.str(), true};
  state_.scope = m.Scope;
  state_.override = m.Override ? 0 : static_cast<int>(m.Mode) + 1;
  state_.win_message = {m.WinMessage.str(), true};
  state_.description = {item.Descr.str(), true};
  state_.enabled = true;
}

void MethodPageModel::MethodKindChange(int kind) {
  if (!Editing() || kind < 0 || kind > 3) return;
  Current()->Method().MethodKind = static_cast<std::uint8_t>(kind);
  state_.kind = kind;
  host_.Modified();
}

void MethodPageModel::MethodHeaderChange(std::string_view text) {
  if (!Editing()) return;
  Current()->Method().Header = text;
  state_.header.text = Current()->Method().Header.str();
  host_.Modified();
}

bool MethodPageModel::MethodHeaderExit() {
  const ItemDef* item = Current();
  if (item == nullptr) return true;
  RefreshEntry();
  const model::MethodPart& m = item->Method();
  if (!host_.RequireText(m.Header.empty(), model::missing::kMethodHeader)) return false;
  RefuseTakenName();
  const std::string problem = model::CheckMethodHeader(m.Header, m.MethodKind);
  if (!problem.empty()) host_.dialogs().Information(model::HeaderWarningMessage(problem));
  return true;
}

void MethodPageModel::MethodDescriptionChange(std::string_view text) {
  DescriptionChange(state_.description, text);
}

void MethodPageModel::MethodScopeChange(int scope) {
  if (!Editing() || scope < 0 || scope > 2) return;
  Current()->Method().Scope = static_cast<std::uint8_t>(scope);
  state_.scope = scope;
  host_.Modified();
}

void MethodPageModel::DoOverrideChange(int choice) {
  if (!Editing() || choice < 0 || choice > 3) return;
  model::MethodPart& m = Current()->Method();
  m.Override = choice == 0;
  if (choice > 0) m.Mode = static_cast<model::MethodMode>(choice - 1);
  state_.override = choice;
  host_.Modified();
}

void MethodPageModel::WinMessageChange(std::string_view text) {
  if (!Editing()) return;
  Current()->Method().WinMessage = text;
  state_.win_message.text = Current()->Method().WinMessage.str();
  host_.Modified();
}

NamePromptRequest MethodPageModel::AddPrompt() const {
  return {.caption = "Add method",
          .label = "Enter the header for the method:",
          .filter = false,
          .extra = NamePromptExtra::kMethodKind};
}

ItemDef MethodPageModel::NewItem(const std::string& name, const NamePromptAnswer& answer,
                                 model::TextBlock& /*units*/) const {
  ItemDef item = model::NewMethodItem(name);
  item.Method().MethodKind = static_cast<std::uint8_t>(std::clamp(answer.method_kind, 0, 3));
  return item;
}

bool MethodPageModel::MayEditCode(ItemDef& item) {
  const std::string problem =
      model::CheckMethodHeader(item.Method().Header, item.Method().MethodKind);
  if (problem.empty()) return true;
  host_.dialogs().Information(MustCorrectMessage(problem, "the method code."));
  return false;
}

}  // namespace kx::commands
