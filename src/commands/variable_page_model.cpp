// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/variable_page_model.h"

#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
#include "model/text.h"

namespace kx::commands {

using model::FilteredText;
using model::ItemDef;

namespace {

std::string SureToCheck(std::string_view type) {
  return std::string(type) + " is not an object type.  Are you sure you want to check this box?";
}

}  // namespace

void VariablePageModel::ClearFields() {
  const TextControl off{"", false};
  const CheckControl unchecked{false, false, true};
  state_ = {};
  state_.name = state_.description = state_.type = state_.default_value = off;
  state_.is_object = state_.is_subcomponent = unchecked;
}

void VariablePageModel::ShowItem(const ItemDef& item) {
  const model::VariablePart& v = item.Variable();
  state_.type = {v.DataType.str(), true};
  state_.values.FollowType(v.DataType);
  state_.name = {v.Name.str(), true};
  state_.scope = v.Scope;
  state_.scope_enabled = true;
  state_.description = {item.Descr.str(), true};
  state_.is_object.enabled = state_.is_subcomponent.enabled = true;
  ShowObjectKind(v);
}

void VariablePageModel::ShowObjectKind(const model::VariablePart& v) {
  state_.is_object.checked = v.IsObject;
  state_.is_subcomponent.checked = v.IsSubComponent;
  // An object is created, not given a value.
  state_.default_value = v.IsObject ? TextControl{"", false} : TextControl{v.Default.str(), true};
  state_.object_note_visible = v.IsObject;
}

FilteredText VariablePageModel::VariableNameChange(std::string_view text, std::size_t caret) {
  if (!Editing()) return {std::string(text), caret};
  FilteredText filtered = model::FilterIdentifier(text, caret, "");
  state_.name.text = filtered.text;
  Current()->Variable().Name = filtered.text;
  host_.Modified();
  return filtered;
}

bool VariablePageModel::VariableNameExit() { return NameExit(model::missing::kVariableName); }

void VariablePageModel::VariableDescriptionChange(std::string_view text) {
  DescriptionChange(state_.description, text);
}

void VariablePageModel::VariableDataTypeChange(std::string_view text) {
  if (!Editing()) return;
  model::VariablePart& v = Current()->Variable();
  v.DataType = text;
  state_.type.text = v.DataType.str();
  v.IsObject = catalog::IsCatalogueClass(v.DataType);
  v.IsSubComponent = catalog::IsStandardClass(v.DataType);
  ShowObjectKind(v);
  state_.values.FollowType(v.DataType);
  host_.Modified();
}

bool VariablePageModel::VariableDataTypeExit() {
  const ItemDef* item = Current();
  return item == nullptr || TypeExit(item->Variable().DataType, model::missing::kVariableType);
}

void VariablePageModel::VariableDefaultChange(std::string_view text) {
  if (!Editing()) return;
  Current()->Variable().Default = text;
  state_.default_value.text = Current()->Variable().Default.str();
  host_.Modified();
}

void VariablePageModel::VariableDefaultExit() {
  ItemDef* item = host_.shown_page() == Page::kVariables ? Current() : nullptr;
  if (item == nullptr || !state_.default_value.enabled) return;
  DefaultExit(state_.default_value, item->Variable().DataType, item->Variable().Default);
}

void VariablePageModel::VariableScopeChange(int scope) {
  if (!Editing() || scope < 0 || scope > 2) return;
  Current()->Variable().Scope = static_cast<std::uint8_t>(scope);
  state_.scope = scope;
  host_.Modified();
}

void VariablePageModel::IsObjectClick(bool checked) {
  if (!Editing()) return;
  model::VariablePart& v = Current()->Variable();
  if (checked && model::IsSimpleType(v.DataType) &&
      host_.dialogs().Confirm(Buttons::kYesNo, SureToCheck(v.DataType)) != Answer::kYes) {
    state_.is_object.checked = false;
    return;
  }
  if (!checked && catalog::IsCatalogueClass(v.DataType) &&
      host_.dialogs().Confirm(Buttons::kYesNo,
                              v.DataType + " is a Delphi object type.  Are you sure you want to "
                                           "un-check this box?") != Answer::kYes) {
    state_.is_object.checked = true;
    return;
  }
  v.IsObject = checked;
  if (!checked) v.IsSubComponent = false;
  ShowObjectKind(v);
  host_.Modified();
}

void VariablePageModel::IsSubComponentClick(bool checked) {
  if (!Editing()) return;
  model::VariablePart& v = Current()->Variable();
  std::string question;
  if (checked && model::IsSimpleType(v.DataType)) {
    question = SureToCheck(v.DataType);
  } else if (checked && catalog::IsCatalogueClass(v.DataType) &&
             !catalog::IsStandardClass(v.DataType)) {
    question = v.DataType +
               " is a Delphi object type, but not a component type.  Are you sure you want to "
               "check this box?";
  } else if (!checked && catalog::IsStandardClass(v.DataType)) {
    question =
        v.DataType + " is a Delphi component type.  Are you sure you want to un-check this box?";
  }
  if (!question.empty() && host_.dialogs().Confirm(Buttons::kYesNo, question) != Answer::kYes) {
    state_.is_subcomponent.checked = !checked;
    return;
  }
  v.IsSubComponent = checked;
  if (checked) v.IsObject = true;
  ShowObjectKind(v);
  host_.Modified();
}

NamePromptRequest VariablePageModel::AddPrompt() const {
  return {.caption = "Add variable",
          .label = "Enter the name of the variable:",
          .extra = NamePromptExtra::kVariableType};
}

ItemDef VariablePageModel::NewItem(const std::string& name, const NamePromptAnswer& answer,
                                   model::TextBlock& units) const {
  ItemDef item = model::NewVariableItem(name);
  model::VariablePart& v = item.Variable();
  v.DataType = model::Trim(answer.type);
  if (catalog::IsCatalogueClass(v.DataType)) {
    v.IsObject = true;
    v.IsSubComponent = catalog::IsStandardClass(v.DataType);
    v.Scope = model::kScopePrivate;
    model::AddUnit(units, catalog::UnitOfClass(v.DataType));
  } else {
    v.IsObject = v.IsSubComponent = false;
    v.Scope = model::kScopeProtected;
  }
  return item;
}

bool VariablePageModel::MayEditCode(ItemDef& item) {
  if (item.Variable().IsObject) return true;
  host_.dialogs().Information(kObjectVariablesOnlyMessage);
  return false;
}

}  // namespace kx::commands
