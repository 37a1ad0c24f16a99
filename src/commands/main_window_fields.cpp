// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's fields and check boxes store, page by page, and the checks run when
// a field is left.
#include <algorithm>

#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
#include "commands/main_window_model.h"
#include "commands/parent_selection_flow.h"
#include "model/text.h"

namespace kx::commands {

using model::FilteredText;
using model::ItemDef;
using model::PropSpecialType;

namespace {

// A name field's text after the filter, and what the field shows.
FilteredText Filtered(model::NameFieldFilter& filter, std::string_view text, std::size_t caret,
                      TextControl& control) {
  FilteredText filtered = filter.Edit(control.text, text, caret);
  control.text = filtered.text;
  return filtered;
}

bool IsEmpty(std::string_view name) { return name.empty(); }

FilteredText Filtered(std::string_view text, std::size_t caret, TextControl& control) {
  FilteredText filtered = model::FilterIdentifier(text, caret, "");
  control.text = filtered.text;
  return filtered;
}

}  // namespace

// --- Main page ---------------------------------------------------------------------------

FilteredText MainWindowModel::NewClassNameChange(std::string_view text, std::size_t caret) {
  if (updating() || !definition_open()) return {std::string(text), caret};
  FilteredText filtered = Filtered(class_name_filter_, text, caret, main_.new_class_name);
  session_.def().MainInfo.NewClassName = filtered.text;
  Modified();
  return filtered;
}

bool MainWindowModel::NewClassNameExit() {
  if (!definition_open()) return true;
  model::MainInfoDef& info = session_.def().MainInfo;
  if (!RequireText(info.NewClassName.empty(), model::missing::kNewClassName)) return false;
  if (info.NewClassName.str() == accepted_class_name_) return true;
  const std::string problem = model::CheckNewClassName(
      info.NewClassName, info.ParentClassName, catalog::IsCatalogueClass(info.NewClassName));
  if (problem.empty()) {
    accepted_class_name_ = info.NewClassName.str();
    return true;
  }
  dialogs_.Information(problem);
  info.NewClassName = accepted_class_name_;
  main_.new_class_name.text = info.NewClassName.str();
  return true;
}

FilteredText MainWindowModel::UnitNameChange(std::string_view text, std::size_t caret) {
  if (updating() || !definition_open()) return {std::string(text), caret};
  FilteredText filtered = model::FilterIdentifier(text, caret, "");
  if (filtered.text.size() > main_.unit_name_max) filtered.text.resize(main_.unit_name_max);
  filtered.caret = std::min(filtered.caret, filtered.text.size());
  main_.unit_name.text = filtered.text;
  session_.def().MainInfo.UnitName = filtered.text;
  Modified();
  return filtered;
}

bool MainWindowModel::UnitNameExit() {
  if (!definition_open()) return true;
  const model::MainInfoDef& info = session_.def().MainInfo;
  if (!RequireText(info.UnitName.empty(), model::missing::kUnitName)) return false;
  if (info.UnitName.str() != accepted_unit_name_ && model::IsReservedWord(info.UnitName)) {
    dialogs_.Information(model::ReservedWordMessage(info.UnitName));
    session_.def().MainInfo.UnitName = accepted_unit_name_;
    main_.unit_name.text = info.UnitName.str();
    return true;
  }
  accepted_unit_name_ = info.UnitName.str();
  for (const std::string& unit : info.Units.value_or(std::vector<std::string>{})) {
    if (model::SameText(unit, info.UnitName)) {
      dialogs_.Warning(model::DuplicateUnitMessage(info.UnitName));
      break;
    }
  }
  return true;
}

void MainWindowModel::UnitNameLimitedClick(bool checked) {
  if (updating() || !definition_open()) return;
  model::MainInfoDef& info = session_.def().MainInfo;
  info.LimitName = checked;
  main_.limit_name.checked = checked;
  main_.unit_name_max = checked ? 8 : decltype(info.UnitName)::kCapacity;
  if (checked && info.UnitName.size() > 8) info.UnitName = info.UnitName.str().substr(0, 8);
  if (checked && accepted_unit_name_.size() > 8) accepted_unit_name_.resize(8);
  main_.unit_name.text = info.UnitName.str();
  Modified();
}

void MainWindowModel::DescriptionChange(std::string_view text) {
  if (updating() || !definition_open()) return;
  session_.def().Global.Descr = text;
  main_.description.text = session_.def().Global.Descr.str();
  Modified();
}

void MainWindowModel::DefaultPaletteChange(std::string_view text) {
  if (updating() || !definition_open()) return;
  session_.def().MainInfo.DefaultPalette = text;
  main_.default_palette.text = session_.def().MainInfo.DefaultPalette.str();
  Modified();
}

bool MainWindowModel::DefaultPaletteExit() {
  if (!definition_open()) return true;
  model::MainInfoDef& info = session_.def().MainInfo;
  const std::string trimmed = model::Trim(info.DefaultPalette);
  if (trimmed != info.DefaultPalette.str()) {
    info.DefaultPalette = trimmed;
    main_.default_palette.text = trimmed;
    Modified();
  }
  return RequireText(trimmed.empty(), model::missing::kDefaultPalette);
}

void MainWindowModel::CopyrightLineChange(std::string_view text) {
  if (updating() || !definition_open()) return;
  session_.def().MainInfo.CopyrightLine = std::string(text);
  main_.copyright_line.text = std::string(text);
  Modified();
}

void MainWindowModel::CopyrightLineEnterOrExit() {
  if (!definition_open()) return;
  std::string& line = session_.def().MainInfo.CopyrightLine;
  const std::string tidy = model::TidyCopyrightEntry(main_.copyright_lines, line);
  if (tidy != line) {
    line = tidy;
    Modified();
  }
  main_.copyright_line.text = tidy;
}

void MainWindowModel::UnitListInsert() {
  if (!definition_open()) return;
  NamePromptRequest request{.caption = "Add unit to list", .label = "Enter the unit name:"};
  std::optional<NamePromptAnswer> answer;
  for (;;) {
    answer = dialogs_.NamePrompt(request);
    if (!answer) return;
    const std::string unit = model::FilterIdentifier(answer->name, 0, "").text;
    if (unit.empty()) {
      dialogs_.Information(model::MissingEntryMessage(model::missing::kName));
    } else if (model::IsReservedWord(unit)) {
      dialogs_.Information(model::ReservedWordMessage(unit));
    } else {
      break;
    }
    request.name = answer->name;
  }
  model::AddUnit(session_.def().MainInfo.Units, model::FilterIdentifier(answer->name, 0, "").text);
  Modified();
  FillPage(Page::kMain);
}

void MainWindowModel::UnitListDelete(int position) {
  if (!definition_open()) return;
  model::TextBlock& units = session_.def().MainInfo.Units;
  if (!units || position < 0 || position >= static_cast<int>(units->size())) return;
  const std::string unit = (*units)[position];
  if (dialogs_.Confirm(Buttons::kYesNo, "Delete " + unit + " from unit list?") != Answer::kYes) {
    return;
  }
  units->erase(units->begin() + position);
  Modified();
  FillPage(Page::kMain);
}

void MainWindowModel::NewTargetClick() {
  if (!definition_open()) return;
  model::MainInfoDef& info = session_.def().MainInfo;
  const std::optional<std::filesystem::path> chosen =
      dialogs_.SelectDirectory(kTargetDirTitle, info.TargetDir.str());
  if (!chosen) return;
  // A folder the user chose keeps its letter case: the file system tells cases apart.
  info.TargetDir = store::AsDirectory(chosen->string());
  main_.target_dir = info.TargetDir.str();
  Modified();
}

void MainWindowModel::ChangeParentClassClick() {
  if (!definition_open()) return;
  if (session_.ChangeParent(selector_)) FillPage(Page::kMain);
}

// --- Item pages --------------------------------------------------------------------------

void MainWindowModel::RefuseTakenName(Page page) {
  ItemDef& item = *Current(page);
  std::string& accepted = accepted_names_[static_cast<int>(page)];
  const bool method = item.Kind() == model::ItemKind::Method;
  if ((method ? item.Method().Header.str() : model::ItemName(item)) == accepted) return;
  const model::NameLookup taken = model::FindRenameConflict(session_.def(), Selected(page));
  if (taken.index == -1) {
    accepted = method ? item.Method().Header.str() : model::ItemName(item);
    return;
  }
  dialogs_.Information(taken.message);
  switch (item.Kind()) {
    case model::ItemKind::Property:
      item.Property().Name = accepted;
      props_.name.text = item.Property().Name.str();
      RefreshVariableLabel();
      break;
    case model::ItemKind::Method:
      item.Method().Header = accepted;
      methods_.header.text = item.Method().Header.str();
      break;
    case model::ItemKind::ExistingEvent:
      item.ExistingEvent().Name = accepted;
      events_.name.text = item.ExistingEvent().Name.str();
      break;
    case model::ItemKind::NewEvent:
      item.NewEvent().Name = accepted;
      events_.name.text = item.NewEvent().Name.str();
      break;
    case model::ItemKind::Variable:
      item.Variable().Name = accepted;
      vars_.name.text = item.Variable().Name.str();
      break;
    case model::ItemKind::Main:
      break;
  }
  RefreshEntry(page);
}

// --- What every item page does with its name and description ------------------------------

void MainWindowModel::ItemDescriptionChange(Page page, TextControl& field, std::string_view text) {
  if (!Editing(page)) return;
  Current(page)->Descr = text;
  field.text = Current(page)->Descr.str();
  Modified();
}

bool MainWindowModel::ItemNameExit(Page page, std::string_view what,
                                   bool (*missing)(std::string_view name)) {
  const ItemDef* item = Current(page);
  if (item == nullptr) return true;
  RefreshEntry(page);
  if (!RequireText(missing(model::ItemNameView(*item)), what)) return false;
  RefuseTakenName(page);
  return true;
}

// --- Properties page ---------------------------------------------------------------------

FilteredText MainWindowModel::PropNameChange(std::string_view text, std::size_t caret) {
  if (!Editing(Page::kProperties)) return {std::string(text), caret};
  FilteredText filtered = Filtered(text, caret, props_.name);
  Current(Page::kProperties)->Property().Name = filtered.text;
  RefreshVariableLabel();
  Modified();
  return filtered;
}

bool MainWindowModel::PropNameExit() {
  return ItemNameExit(Page::kProperties, model::missing::kPropertyName, IsEmpty);
}

void MainWindowModel::PropDescriptionChange(std::string_view text) {
  ItemDescriptionChange(Page::kProperties, props_.description, text);
}

void MainWindowModel::PropTypeChange(std::string_view text) {
  if (!Editing(Page::kProperties)) return;
  model::PropertyPart& p = Current(Page::kProperties)->Property();
  p.PropType = text;
  props_.type.text = p.PropType.str();
  p.Special = catalog::DefaultSpecialKind(p);
  if (!p.Inherited) {
    props_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
    props_.special.SetSelection(p.Special);
  }
  props_.values.FollowType(p.PropType);
  RefreshVariableLabel();
  Modified();
}

bool MainWindowModel::PropTypeExit() {
  const ItemDef* item = Current(Page::kProperties);
  if (item == nullptr) return true;
  // The entry shows the type too, and a click finds the item by its entry.
  RefreshEntry(Page::kProperties);
  return RequireText(item->Property().PropType.empty(), model::missing::kPropertyType);
}

void MainWindowModel::PropDefaultChange(std::string_view text) {
  if (!Editing(Page::kProperties)) return;
  Current(Page::kProperties)->Property().PropDefault = text;
  props_.default_value.text = Current(Page::kProperties)->Property().PropDefault.str();
  Modified();
}

void MainWindowModel::PropDefaultExit() {
  ItemDef* item = Current(Page::kProperties);
  if (item == nullptr || !props_.default_value.enabled) return;
  model::PropertyPart& p = item->Property();
  const std::string tidy = model::TidyStringDefault(p.PropType, p.PropDefault);
  if (tidy != p.PropDefault.str()) {
    p.PropDefault = tidy;
    props_.default_value.text = p.PropDefault.str();
    Modified();
  }
  const std::string problem = model::CheckValueOfType(p.PropType, p.PropDefault);
  if (!problem.empty()) dialogs_.Information(model::HeaderWarningMessage(problem));
}

void MainWindowModel::PropSpecialChange(int position) {
  if (!Editing(Page::kProperties)) return;
  const std::vector<PropSpecialType>& offered = props_.special.offered();
  if (position < 0 || position >= static_cast<int>(offered.size())) return;
  props_.special.SetSelection(offered[position]);
  Current(Page::kProperties)->Property().Special = offered[position];
  RefreshVariableLabel();
  Modified();
}

void MainWindowModel::ReadOnlyClick(bool checked) {
  if (!Editing(Page::kProperties)) return;
  model::PropertyPart& p = Current(Page::kProperties)->Property();
  p.ReadOnly = checked;
  props_.read_only.checked = checked;
  if (checked) {
    p.UseWriteMethod = false;
    props_.use_write = {false, false};
  } else {
    props_.use_write.enabled = true;
  }
  props_.editor_enabled = !checked;
  RefreshVariableLabel();
  Modified();
}

void MainWindowModel::UseReadClick(bool checked) {
  if (!Editing(Page::kProperties)) return;
  Current(Page::kProperties)->Property().UseReadMethod = checked;
  props_.use_read.checked = checked;
  Modified();
}

void MainWindowModel::UseWriteClick(bool checked) {
  if (!Editing(Page::kProperties)) return;
  Current(Page::kProperties)->Property().UseWriteMethod = checked;
  props_.use_write.checked = checked;
  Modified();
}

void MainWindowModel::InheritedClick(bool checked) {
  if (!Editing(Page::kProperties)) return;
  model::PropertyPart& p = Current(Page::kProperties)->Property();
  p.Inherited = checked;
  props_.inherited.checked = checked;
  if (checked) {
    p.UseReadMethod = p.UseWriteMethod = false;
    props_.use_read = props_.use_write = {false, false};
    p.Special = PropSpecialType::psNone;
    props_.special.SetSelection(p.Special);
    props_.special_enabled = false;
  } else {
    props_.read_only.enabled = props_.use_read.enabled = props_.use_write.enabled = true;
    props_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
    p.Special = catalog::DefaultSpecialKind(p);
    props_.special.SetSelection(p.Special);
    props_.special_enabled = true;
  }
  RefreshVariableLabel();
  Modified();
}

void MainWindowModel::UnpublishClick(bool checked) {
  if (!Editing(Page::kProperties)) return;
  Current(Page::kProperties)->Property().Hide = checked;
  props_.unpublish.checked = checked;
  RefreshVariableLabel();
  Modified();
}

void MainWindowModel::PropEditorBtnClick() {
  ItemDef* item = Current(Page::kProperties);
  if (item == nullptr) return;
  model::PropertyPart& p = item->Property();
  if (p.Hide) {
    dialogs_.Information(kHiddenEditorMessage);
    return;
  }
  const std::optional<model::PropertyEditorDef> chosen = dialogs_.PropertyEditorDialog(
      {EntryText(*item), p.PropertyEditor, model::EditorNamesInUse(session_.def())});
  if (!chosen) return;
  p.PropertyEditor = *chosen;
  Modified();
  if (!chosen->DefEdit) {
    model::AddUnit(session_.def().MainInfo.Units, chosen->EditorUnit);
    FillPage(Page::kMain);
  }
}

// --- Methods page ------------------------------------------------------------------------

void MainWindowModel::MethodKindChange(int kind) {
  if (!Editing(Page::kMethods) || kind < 0 || kind > 3) return;
  Current(Page::kMethods)->Method().MethodKind = static_cast<std::uint8_t>(kind);
  methods_.kind = kind;
  Modified();
}

void MainWindowModel::MethodHeaderChange(std::string_view text) {
  if (!Editing(Page::kMethods)) return;
  Current(Page::kMethods)->Method().Header = text;
  methods_.header.text = Current(Page::kMethods)->Method().Header.str();
  Modified();
}

bool MainWindowModel::MethodHeaderExit() {
  const ItemDef* item = Current(Page::kMethods);
  if (item == nullptr) return true;
  RefreshEntry(Page::kMethods);
  const model::MethodPart& m = item->Method();
  if (!RequireText(m.Header.empty(), model::missing::kMethodHeader)) return false;
  RefuseTakenName(Page::kMethods);
  const std::string problem = model::CheckMethodHeader(m.Header, m.MethodKind);
  if (!problem.empty()) dialogs_.Information(model::HeaderWarningMessage(problem));
  return true;
}

void MainWindowModel::MethodDescriptionChange(std::string_view text) {
  ItemDescriptionChange(Page::kMethods, methods_.description, text);
}

void MainWindowModel::MethodScopeChange(int scope) {
  if (!Editing(Page::kMethods) || scope < 0 || scope > 2) return;
  Current(Page::kMethods)->Method().Scope = static_cast<std::uint8_t>(scope);
  methods_.scope = scope;
  Modified();
}

void MainWindowModel::DoOverrideChange(int choice) {
  if (!Editing(Page::kMethods) || choice < 0 || choice > 3) return;
  model::MethodPart& m = Current(Page::kMethods)->Method();
  m.Override = choice == 0;
  if (choice > 0) m.Mode = static_cast<model::MethodMode>(choice - 1);
  methods_.override = choice;
  Modified();
}

void MainWindowModel::WinMessageChange(std::string_view text) {
  if (!Editing(Page::kMethods)) return;
  Current(Page::kMethods)->Method().WinMessage = text;
  methods_.win_message.text = Current(Page::kMethods)->Method().WinMessage.str();
  Modified();
}

// --- Events page -------------------------------------------------------------------------

void MainWindowModel::EventsModeClick(EventsMode mode) {
  if (events_.mode == mode) return;
  events_.mode = mode;
  if (definition_open()) {
    FillPage(Page::kEvents);
  } else {
    ClearEntry(Page::kEvents);
  }
  SetButtons();
}

FilteredText MainWindowModel::EventNameChange(std::string_view text, std::size_t caret) {
  if (!Editing(Page::kEvents)) return {std::string(text), caret};
  FilteredText filtered = Filtered(event_name_filter_, text, caret, events_.name);
  ItemDef& item = *Current(Page::kEvents);
  if (item.Kind() == model::ItemKind::ExistingEvent) {
    item.ExistingEvent().Name = filtered.text;
  } else {
    item.NewEvent().Name = filtered.text;
  }
  Modified();
  return filtered;
}

bool MainWindowModel::EventNameExit() {
  return ItemNameExit(Page::kEvents, model::missing::kEventName, model::IsMissingEventName);
}

void MainWindowModel::EventDescriptionChange(std::string_view text) {
  ItemDescriptionChange(Page::kEvents, events_.description, text);
}

void MainWindowModel::HandlerDeclChange(std::string_view text) {
  if (!Editing(Page::kEvents)) return;
  ItemDef& item = *Current(Page::kEvents);
  if (item.Kind() == model::ItemKind::ExistingEvent) {
    item.ExistingEvent().HandlerDecl = text;
    events_.handler.text = item.ExistingEvent().HandlerDecl.str();
  } else {
    item.NewEvent().Arglist = text;
    events_.handler.text = item.NewEvent().Arglist.str();
  }
  Modified();
}

bool MainWindowModel::HandlerDeclExit() {
  ItemDef* item = Current(Page::kEvents);
  if (item == nullptr) return true;
  if (item->Kind() == model::ItemKind::NewEvent) {
    const std::string tidy = model::TidyNewEventArglist(item->NewEvent().Arglist);
    if (tidy != item->NewEvent().Arglist.str()) {
      item->NewEvent().Arglist = tidy;
      Modified();
    }
    events_.handler.text = item->NewEvent().Arglist.str();
    return true;
  }
  const std::string_view decl = item->ExistingEvent().HandlerDecl;
  if (!RequireText(model::TrimView(decl).empty(), model::missing::kHandlerHeader)) return false;
  const std::string problem = model::CheckMethodHeader(decl, model::kProcedure);
  if (!problem.empty()) dialogs_.Information(model::HeaderWarningMessage(problem));
  return true;
}

void MainWindowModel::PublishClick(bool checked) {
  if (!Editing(Page::kEvents)) return;
  ItemDef& item = *Current(Page::kEvents);
  if (item.Kind() == model::ItemKind::ExistingEvent) {
    item.ExistingEvent().Publish = checked;
  } else {
    item.NewEvent().Publish = checked;
  }
  events_.publish.checked = checked;
  Modified();
}

void MainWindowModel::OverrideHandlerClick(bool checked) {
  if (!Editing(Page::kEvents)) return;
  ItemDef& item = *Current(Page::kEvents);
  if (item.Kind() != model::ItemKind::ExistingEvent) return;
  if (checked && item.ExistingEvent().HandlerDecl.empty()) {
    dialogs_.Information(kOverrideHandlerMessage);
    events_.override_handler.checked = false;
    return;
  }
  item.ExistingEvent().Override = checked;
  events_.override_handler.checked = checked;
  Modified();
}

// --- Variables page ----------------------------------------------------------------------

FilteredText MainWindowModel::VariableNameChange(std::string_view text, std::size_t caret) {
  if (!Editing(Page::kVariables)) return {std::string(text), caret};
  FilteredText filtered = Filtered(text, caret, vars_.name);
  Current(Page::kVariables)->Variable().Name = filtered.text;
  Modified();
  return filtered;
}

bool MainWindowModel::VariableNameExit() {
  return ItemNameExit(Page::kVariables, model::missing::kVariableName, IsEmpty);
}

void MainWindowModel::VariableDescriptionChange(std::string_view text) {
  ItemDescriptionChange(Page::kVariables, vars_.description, text);
}

void MainWindowModel::VariableDataTypeChange(std::string_view text) {
  if (!Editing(Page::kVariables)) return;
  model::VariablePart& v = Current(Page::kVariables)->Variable();
  v.DataType = text;
  vars_.type.text = v.DataType.str();
  v.IsObject = catalog::IsCatalogueClass(v.DataType);
  v.IsSubComponent = catalog::IsStandardClass(v.DataType);
  vars_.is_object.checked = v.IsObject;
  vars_.is_subcomponent.checked = v.IsSubComponent;
  vars_.default_value.enabled = !v.IsObject;
  if (v.IsObject) vars_.default_value.text.clear();
  vars_.object_note_visible = v.IsObject;
  vars_.values.FollowType(v.DataType);
  Modified();
}

bool MainWindowModel::VariableDataTypeExit() {
  const ItemDef* item = Current(Page::kVariables);
  if (item == nullptr) return true;
  RefreshEntry(Page::kVariables);
  return RequireText(item->Variable().DataType.empty(), model::missing::kVariableType);
}

void MainWindowModel::VariableDefaultChange(std::string_view text) {
  if (!Editing(Page::kVariables)) return;
  Current(Page::kVariables)->Variable().Default = text;
  vars_.default_value.text = Current(Page::kVariables)->Variable().Default.str();
  Modified();
}

void MainWindowModel::VariableDefaultExit() {
  ItemDef* item = page_ == Page::kVariables ? Current(Page::kVariables) : nullptr;
  if (item == nullptr || !vars_.default_value.enabled) return;
  model::VariablePart& v = item->Variable();
  const std::string tidy = model::TidyStringDefault(v.DataType, v.Default);
  if (tidy != v.Default.str()) {
    v.Default = tidy;
    vars_.default_value.text = v.Default.str();
    Modified();
  }
  RefreshEntry(Page::kVariables);
  const std::string problem = model::CheckValueOfType(v.DataType, v.Default);
  if (!problem.empty()) dialogs_.Information(model::HeaderWarningMessage(problem));
}

void MainWindowModel::VariableScopeChange(int scope) {
  if (!Editing(Page::kVariables) || scope < 0 || scope > 2) return;
  Current(Page::kVariables)->Variable().Scope = static_cast<std::uint8_t>(scope);
  vars_.scope = scope;
  Modified();
}

namespace {

std::string SureToCheck(std::string_view type) {
  return std::string(type) + " is not an object type.  Are " +
         "you sure you want to check this box?";
}

}  // namespace

void MainWindowModel::IsObjectClick(bool checked) {
  if (!Editing(Page::kVariables)) return;
  model::VariablePart& v = Current(Page::kVariables)->Variable();
  if (checked && model::IsSimpleType(v.DataType) &&
      dialogs_.Confirm(Buttons::kYesNo, SureToCheck(v.DataType)) != Answer::kYes) {
    vars_.is_object.checked = false;
    return;
  }
  if (!checked && catalog::IsCatalogueClass(v.DataType) &&
      dialogs_.Confirm(Buttons::kYesNo, v.DataType + " is a Delphi object type.  Are " +
                                            "you sure you want to un-check this box?") !=
          Answer::kYes) {
    vars_.is_object.checked = true;
    return;
  }
  v.IsObject = checked;
  if (!checked) v.IsSubComponent = false;
  vars_.is_object.checked = v.IsObject;
  vars_.is_subcomponent.checked = v.IsSubComponent;
  vars_.default_value.enabled = !v.IsObject;
  if (v.IsObject)
    vars_.default_value.text.clear();
  else
    vars_.default_value.text = v.Default.str();
  vars_.object_note_visible = v.IsObject;
  Modified();
}

void MainWindowModel::IsSubComponentClick(bool checked) {
  if (!Editing(Page::kVariables)) return;
  model::VariablePart& v = Current(Page::kVariables)->Variable();
  std::string question;
  if (checked && model::IsSimpleType(v.DataType)) {
    question = SureToCheck(v.DataType);
  } else if (checked && catalog::IsCatalogueClass(v.DataType) &&
             !catalog::IsStandardClass(v.DataType)) {
    question = v.DataType + " is a Delphi object type, but not " + "a component type.  Are " +
               "you sure you want to check this box?";
  } else if (!checked && catalog::IsStandardClass(v.DataType)) {
    question = v.DataType + " is a Delphi component type.  Are " +
               "you sure you want to un-check this box?";
  }
  if (!question.empty() && dialogs_.Confirm(Buttons::kYesNo, question) != Answer::kYes) {
    vars_.is_subcomponent.checked = !checked;
    return;
  }
  v.IsSubComponent = checked;
  if (checked) v.IsObject = true;
  vars_.is_subcomponent.checked = v.IsSubComponent;
  vars_.is_object.checked = v.IsObject;
  vars_.default_value.enabled = !v.IsObject;
  if (v.IsObject) vars_.default_value.text.clear();
  vars_.object_note_visible = v.IsObject;
  Modified();
}

}  // namespace kx::commands
