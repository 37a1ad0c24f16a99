// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/property_page_model.h"

#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
#include "commands/data_links.h"
#include "commands/main_page_model.h"
#include "model/text.h"

namespace kx::commands {

using model::FilteredText;
using model::ItemDef;
using model::PropSpecialType;

void PropertyPageModel::ClearFields() {
  const TextControl off{"", false};
  const CheckControl unchecked{false, false, true};
  state_ = {};
  state_.name = state_.description = state_.type = state_.default_value = off;
  state_.special.SetDataType("", {});
  state_.special_enabled = false;
  state_.read_only = state_.use_read = state_.use_write = state_.inherited = state_.unpublish =
      unchecked;
  state_.editor_enabled = false;
}

void PropertyPageModel::ShowItem(const ItemDef& item) {
  const model::PropertyPart& p = item.Property();
  state_.name = {p.Name.str(), true};
  state_.description = {item.Descr.str(), true};
  state_.type = {p.PropType.str(), true};
  state_.values.FollowType(p.PropType);
  state_.special_enabled = true;
  state_.read_only = {p.ReadOnly, true};
  state_.inherited = {p.Inherited, true};
  state_.use_read = state_.use_write = state_.unpublish = {false, true};
  const bool indexed = model::IsIndexedKind(p.Special);
  const bool object_kind = p.Special >= PropSpecialType::psLinkComponent &&
                           p.Special <= PropSpecialType::psObjectManualCreate;
  if (indexed) state_.use_read.enabled = state_.use_write.enabled = false;
  if (!p.Link.empty()) {
    state_.variable_caption = kLinksWithCaption;
    state_.use_read.enabled = state_.use_write.enabled = false;
    state_.inherited.enabled = false;
    state_.special_enabled = false;
    if (object_kind) state_.read_only.enabled = false;
  }
  if (object_kind && !p.Inherited) {
    state_.default_value = {"", false};
  } else {
    state_.default_value = {p.PropDefault.str(), true};
  }
  state_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
  state_.special.SetSelection(p.Special);
  state_.use_read.checked = p.UseReadMethod;
  state_.unpublish.checked = p.Hide;
  state_.editor_enabled = !p.ReadOnly;
  if (!p.Inherited) {
    if (!p.ReadOnly) {
      state_.use_write.checked = p.UseWriteMethod;
      state_.use_write.enabled = p.Link.empty() && !indexed;
    } else {
      state_.use_write = {false, false};
    }
  } else {
    state_.use_read = state_.use_write = {false, false};
    state_.special.SetDataType("", {});
  }
  RefreshVariableLabel();
}

void PropertyPageModel::ShowName(const ItemDef& item) {
  state_.name.text = item.Property().Name.str();
  RefreshVariableLabel();
}

void PropertyPageModel::RefreshVariableLabel() {
  const ItemDef* item = Current();
  if (item == nullptr) return;
  const model::PropertyPart& p = item->Property();
  if (p.Name.empty() || p.Inherited || model::IsIndexedKind(p.Special)) {
    state_.variable_name.clear();
  } else if (!p.Link.empty()) {
    state_.variable_name = p.Link.str();
  } else {
    state_.variable_name = model::StorageVariableName(p.Name);
  }
  state_.scope = p.Hide && p.Inherited ? std::string(kHiddenScope)
                                       : std::string(model::ScopeName(model::PropertyScope(p)));
}

FilteredText PropertyPageModel::PropNameChange(std::string_view text, std::size_t caret) {
  if (!Editing()) return {std::string(text), caret};
  FilteredText filtered = model::FilterIdentifier(text, caret, "");
  state_.name.text = filtered.text;
  Current()->Property().Name = filtered.text;
  RefreshVariableLabel();
  host_.Modified();
  return filtered;
}

bool PropertyPageModel::PropNameExit() { return NameExit(model::missing::kPropertyName); }

void PropertyPageModel::PropDescriptionChange(std::string_view text) {
  DescriptionChange(state_.description, text);
}

void PropertyPageModel::PropTypeChange(std::string_view text) {
  if (!Editing()) return;
  model::PropertyPart& p = Current()->Property();
  p.PropType = text;
  state_.type.text = p.PropType.str();
  p.Special = catalog::DefaultSpecialKind(p);
  if (!p.Inherited) {
    state_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
    state_.special.SetSelection(p.Special);
  }
  state_.values.FollowType(p.PropType);
  RefreshVariableLabel();
  host_.Modified();
}

bool PropertyPageModel::PropTypeExit() {
  const ItemDef* item = Current();
  return item == nullptr || TypeExit(item->Property().PropType, model::missing::kPropertyType);
}

void PropertyPageModel::PropDefaultChange(std::string_view text) {
  if (!Editing()) return;
  Current()->Property().PropDefault = text;
  state_.default_value.text = Current()->Property().PropDefault.str();
  host_.Modified();
}

void PropertyPageModel::PropDefaultExit() {
  ItemDef* item = Current();
  if (item == nullptr || !state_.default_value.enabled) return;
  DefaultExit(state_.default_value, item->Property().PropType, item->Property().PropDefault);
}

void PropertyPageModel::PropSpecialChange(int position) {
  if (!Editing()) return;
  const std::vector<PropSpecialType>& offered = state_.special.offered();
  if (position < 0 || position >= static_cast<int>(offered.size())) return;
  state_.special.SetSelection(offered[position]);
  Current()->Property().Special = offered[position];
  RefreshVariableLabel();
  host_.Modified();
}

void PropertyPageModel::ReadOnlyClick(bool checked) {
  if (!Editing()) return;
  model::PropertyPart& p = Current()->Property();
  p.ReadOnly = checked;
  state_.read_only.checked = checked;
  if (checked) {
    p.UseWriteMethod = false;
    state_.use_write = {false, false};
  } else {
    state_.use_write.enabled = true;
  }
  state_.editor_enabled = !checked;
  RefreshVariableLabel();
  host_.Modified();
}

void PropertyPageModel::UseReadClick(bool checked) {
  if (!Editing()) return;
  Current()->Property().UseReadMethod = checked;
  state_.use_read.checked = checked;
  host_.Modified();
}

void PropertyPageModel::UseWriteClick(bool checked) {
  if (!Editing()) return;
  Current()->Property().UseWriteMethod = checked;
  state_.use_write.checked = checked;
  host_.Modified();
}

void PropertyPageModel::InheritedClick(bool checked) {
  if (!Editing()) return;
  model::PropertyPart& p = Current()->Property();
  p.Inherited = checked;
  state_.inherited.checked = checked;
  if (checked) {
    p.UseReadMethod = p.UseWriteMethod = false;
    state_.use_read = state_.use_write = {false, false};
    p.Special = PropSpecialType::psNone;
    state_.special.SetSelection(p.Special);
    state_.special_enabled = false;
  } else {
    state_.read_only.enabled = state_.use_read.enabled = state_.use_write.enabled = true;
    state_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
    p.Special = catalog::DefaultSpecialKind(p);
    state_.special.SetSelection(p.Special);
    state_.special_enabled = true;
  }
  RefreshVariableLabel();
  host_.Modified();
}

void PropertyPageModel::UnpublishClick(bool checked) {
  if (!Editing()) return;
  Current()->Property().Hide = checked;
  state_.unpublish.checked = checked;
  RefreshVariableLabel();
  host_.Modified();
}

void PropertyPageModel::PropEditorBtnClick() {
  ItemDef* item = Current();
  if (item == nullptr) return;
  model::PropertyPart& p = item->Property();
  if (p.Hide) {
    host_.dialogs().Information(kHiddenEditorMessage);
    return;
  }
  const std::optional<model::PropertyEditorDef> chosen = host_.dialogs().PropertyEditorDialog(
      {EntryText(*item), p.PropertyEditor, model::EditorNamesInUse(host_.def())});
  if (!chosen) return;
  p.PropertyEditor = *chosen;
  host_.Modified();
  if (!chosen->DefEdit) {
    model::AddUnit(host_.def().MainInfo.Units, chosen->EditorUnit);
    main_page_.Fill();
  }
}

NamePromptRequest PropertyPageModel::AddPrompt() const {
  return {.caption = "Add property",
          .label = "Enter the name of the property:",
          .extra = NamePromptExtra::kPropertyType};
}

ItemDef PropertyPageModel::NewItem(const std::string& name, const NamePromptAnswer& answer,
                                   model::TextBlock& units) const {
  using enum PropSpecialType;
  ItemDef item = model::NewPropertyItem(name);
  model::PropertyPart& p = item.Property();
  p.PropType = model::Trim(answer.type);
  p.Special = catalog::DefaultSpecialKind(p);
  p.ReadOnly = catalog::IsDatasetFieldClass(p.PropType);
  if (p.Special == psLinkComponent || p.Special == psObjectAutoCreate ||
      p.Special == psObjectManualCreate) {
    model::AddUnit(units, catalog::UnitOfClass(p.PropType));
  }
  if (p.Special == psObjectAutoCreate) p.UseWriteMethod = true;
  return item;
}

std::optional<ItemDef> PropertyPageModel::CompleteNewItem(ItemDef item) {
  return LinkNewProperty(host_.def(), std::move(item), host_.dialogs());
}

bool PropertyPageModel::MayEditCode(ItemDef& item) {
  model::PropertyPart& p = item.Property();
  if (p.Inherited) {
    host_.dialogs().Information(kInheritedPropertyCodeMessage);
    return false;
  }
  if (!p.UseReadMethod && !p.UseWriteMethod) {
    host_.dialogs().Information(kNoAccessMethodMessage);
    return false;
  }
  if (p.UseReadMethod && p.UseWriteMethod) {
    const std::optional<int> choice =
        host_.dialogs().ChooseButton({.caption = "Property " + p.Name,
                                      .first = "Edit property's &read method",
                                      .second = "Edit property's &write method",
                                      .cancel_button = true});
    if (!choice) return false;
    p.EditingReadCode = *choice == 0;
  } else {
    p.EditingReadCode = p.UseReadMethod;
  }
  return true;
}

}  // namespace kx::commands
