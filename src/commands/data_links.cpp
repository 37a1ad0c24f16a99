// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/data_links.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "generate/extras/editor_unit.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

using model::ComponentDef;
using model::ItemDef;

namespace {

bool NameIsFree(const ComponentDef& def, std::string_view name) {
  return model::FindName(def, name).index == -1;
}

void AddLinkedProperty(ComponentDef& def, const std::string& name, std::string_view type,
                       const std::string& link, std::uint8_t editor_base) {
  ItemDef property = model::NewPropertyItem(name);
  property.Property().PropType = type;
  property.Property().UseReadMethod = property.Property().UseWriteMethod = true;
  property.Property().Link = link;
  property.Property().PropertyEditor.EditorBase = editor_base;
  model::AddItem(def, std::move(property));
}

// A handler method, added only when its name is not taken (an existing method may serve).
void AddHandler(ComponentDef& def, const std::string& name, std::vector<std::string> code) {
  if (!NameIsFree(def, name)) return;
  ItemDef method = model::NewMethodItem(name + "(Sender : TObject)");
  method.Method().Scope = model::kScopePrivate;
  method.Code = std::move(code);
  model::AddItem(def, std::move(method));
}

std::vector<std::string> DataChangeCode(const std::string& l) {
  return {"begin",
          "     { Respond to OnDataChange events of " + l + " }",
          "     { Update the component based on the status of the field. }",
          "     if " + l + ".Field = nil then",
          "        begin",
          "        { No field assigned }",
          "        ",
          "        end",
          "     else",
          "        begin",
          "        { Update component using properties of " + l + ".Field }",
          "        { e.g., " + l + ".Field.DisplayText }",
          "        ",
          "        end",
          "end;"};
}

std::vector<std::string> UpdateDataCode(const std::string& l) {
  return {"begin",
          "     { Respond to OnUpdateData events of " + l + " }",
          "     { The component has altered the data, so update " + l + ".Field.Text",
          "       here based on properties of the component.  The component's",
          "       methods indicate when a change has occurred by calling",
          "       " + l + ".Modified. }",
          "     ",
          "end;"};
}

std::vector<std::string> EditingChangeCode(const std::string& l) {
  return {"begin",
          "     { Respond to OnEditingChange events of " + l + " }",
          "     { The data source has gone from editing to non-editing,",
          "       or the reverse; update the component's properties",
          "       based on the value of " + l + ".Editing. }",
          "",
          "     { ReadOnly := not " + l + ".Editing; }",
          "     { . . . if the component has a ReadOnly property, or . . . }",
          "     { Enabled := not " + l + ".Editing; }",
          "end;"};
}

std::vector<std::string> ActiveChangeCode(const std::string& l, const std::string& f) {
  return {"{ Delphi 1.0/2.0 field types:",
          "     ftUnknown, ftString, ftSmallint, ftInteger, ftWord,",
          "     ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate, ftTime,",
          "     ftDateTime, ftBytes, ftVarBytes, ftBlob, ftMemo, ftGraphic",
          "  Additional Delphi 2.0 field types:",
          "     ftAutoInc, ftFmtMemo, ftParadoxOle, ftDBaseOle,",
          "     ftTypedBinary }",
          "const",
          "     IntFieldTypes = [ftSmallInt, ftInteger, ftWord];",
          "begin",
          "     { Respond to OnActiveChange events of " + l + " }",
          "     { When the dataset becomes active, validate the field type. }",
          "     if " + f + " = '' then",
          "        { No field selected }",
          "        Exit;",
          "     if " + l + " <> nil then",
          "        if " + l + ".Dataset <> nil then",
          "           if " + l + ".Dataset.Active then",
          "              if " + l + ".Dataset.FieldByName(" + f + ").DataType",
          "                 <> ftString then",
          "                 raise EDatabaseError.Create('Wrong field type');",
          "",
          "            { if not (" + l + ".Dataset.FieldByName(" + f + ").DataType",
          "                 in IntFieldTypes) then",
          "                 raise EDatabaseError.Create('Wrong field type'); }",
          "",
          "end;"};
}

std::string Filtered(std::string_view text) { return model::FilterIdentifier(text, 0, "").text; }

}  // namespace

void AddDataLink(ComponentDef& def, const DataLinkNames& names,
                 const std::optional<ReadWriteHandlers>& handlers) {
  const std::string& l = names.link;
  AddLinkedProperty(def, names.data_source, "TDataSource", l + ".DataSource",
                    generate::kDoNotGenerate);
  AddLinkedProperty(def, names.data_field, "String", l + ".FieldName",
                    generate::kStringDataFieldList);
  AddHandler(def, names.data_change, DataChangeCode(l));
  model::AddUnit(def.MainInfo.Units, "DbTables");
  model::AddUnit(def.MainInfo.Units, "DB");
  ItemDef variable = model::NewVariableItem(l);
  variable.Variable().DataType = "TFieldDataLink";
  variable.Variable().IsObject = true;
  if (handlers) {
    variable.Code = std::vector<std::string>{"begin",
                                             "{ Assign handlers }",
                                             "OnDataChange := " + names.data_change + ";",
                                             "OnUpdateData := " + handlers->update_data + ";",
                                             "OnEditingChange := " + handlers->editing_change + ";",
                                             "OnActiveChange := " + handlers->active_change + ";",
                                             "end;"};
  } else {
    variable.Code =
        std::vector<std::string>{"begin", "OnDataChange := " + names.data_change + ";", "end;"};
  }
  model::AddItem(def, std::move(variable));
  if (!handlers) return;
  AddHandler(def, handlers->update_data, UpdateDataCode(l));
  AddHandler(def, handlers->editing_change, EditingChangeCode(l));
  AddHandler(def, handlers->active_change, ActiveChangeCode(l, names.data_field));
}

std::optional<std::string> InvalidDataLinkName(const DataLinkNames& names) {
  for (const std::string* name :
       {&names.data_source, &names.data_field, &names.link, &names.data_change}) {
    if (!model::IsValidIdent(*name)) return *name;
  }
  return std::nullopt;
}

bool HasDataLink(const ComponentDef& def) {
  const std::string_view parent = def.MainInfo.ParentClassName;
  if (!catalog::IsStandardClass(parent)) return false;
  return model::StartsWithText(parent, "TDB") || !NameIsFree(def, "DataSource");
}

bool AddDataLinkCommand(ComponentDef& def, Dialogs& dialogs) {
  const bool has_link = HasDataLink(def);
  if (has_link &&
      dialogs.Confirm(Buttons::kYesNo,
                      "The component already contains a data link.  Are you sure you want to "
                      "add another?",
                      kAddDataLinkCaption) != Answer::kYes) {
    return false;
  }
  const Answer read_write =
      dialogs.Confirm(Buttons::kYesNoCancel, "Should the new data link be a read-write data link?",
                      kAddDataLinkCaption);
  if (read_write == Answer::kCancel) return false;
  const bool rw = read_write == Answer::kYes;
  if (model::RoomLeft(def) < (rw ? 7 : 4)) {
    dialogs.Information(
        "There is not enough room left in the component definition to add the data link.",
        kAddDataLinkCaption);
    return false;
  }
  const std::string caption = rw ? "Add read-write data link" : "Add read-only data link";
  const std::string suffix = has_link ? "2" : "";
  DataLinkNames proposed{"DataSource" + suffix, "DataField" + suffix, "FDataLink" + suffix,
                         "DataChange" + suffix};
  for (;;) {
    std::optional<DataLinkNames> names = dialogs.DataLinkDialog(caption, proposed);
    if (!names) return false;
    // What the boxes let through while typing.
    names->data_field = Filtered(names->data_field);
    names->link = Filtered(names->link);
    names->data_change = Filtered(names->data_change);
    proposed = *names;
    if (const std::optional<std::string> invalid = InvalidDataLinkName(*names)) {
      dialogs.Information("\"" + *invalid + "\" is not a valid Pascal identifier.", caption);
      continue;
    }
    if (!model::SameText(names->data_source, "DATASOURCE") ||
        !model::SameText(names->data_field, "DATAFIELD")) {
      const Answer sure = dialogs.Confirm(
          Buttons::kYesNoCancel,
          "Because you are not using both \"DataSource\" and \"DataField\" as the property "
          "names, a drop-down list of fields will not appear for " +
              names->data_field +
              " unless you generate a \"field names\" property editor for it.  \r\rAre you "
              "sure you want to use these names?",
          caption);
      if (sure == Answer::kCancel) return false;
      if (sure == Answer::kNo) continue;
    }
    bool taken = false;
    for (const std::string* name : {&names->data_source, &names->data_field, &names->link}) {
      const model::NameLookup found = model::FindName(def, *name);
      if (found.index != -1) {
        dialogs.Information(found.message, caption);
        taken = true;
        break;
      }
    }
    if (taken) continue;
    if (!rw) {
      AddDataLink(def, *names, std::nullopt);
      dialogs.Information("Data link added.  You can add code in the " + names->data_change +
                          " method to respond to data changes.");
      return true;
    }
    ReadWriteHandlers handlers;
    const std::pair<std::string*, std::pair<const char*, const char*>> asks[] = {
        {&handlers.update_data, {"New or existing OnUpdateData handler:", "UpdateData"}},
        {&handlers.editing_change, {"New or existing OnEditingChange handler:", "EditingChange"}},
        {&handlers.active_change, {"New or existing OnActiveChange handler:", "ActiveChange"}},
    };
    for (const auto& [target, prompt] : asks) {
      const std::optional<std::string> answer =
          dialogs.InputBox(caption, prompt.first, prompt.second);
      if (!answer) return false;
      *target = *answer;
    }
    AddDataLink(def, *names, handlers);
    dialogs.Information(
        "Data link added.  See the code comments in the new methods to make the component "
        "respond to changes in the data, and vice-versa.");
    return true;
  }
}

std::optional<ItemDef> LinkNewProperty(const ComponentDef& def, ItemDef property,
                                       Dialogs& dialogs) {
  if (!catalog::IsContainer(def.MainInfo.ParentClassName) || !model::AnySubComponentVariable(def)) {
    return property;
  }
  const std::string name = model::ItemName(property);
  switch (dialogs.Confirm(Buttons::kYesNoCancel,
                          "Should " + name + " link with a sub-component property?",
                          "Add property")) {
    case Answer::kCancel:
      return std::nullopt;
    case Answer::kNo:
      return property;
    default:
      break;
  }
  std::vector<std::string> sub_components;
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == model::ItemKind::Variable && item.Variable().IsSubComponent) {
      sub_components.push_back(item.Variable().Name.str());
    }
  }
  std::stable_sort(sub_components.begin(), sub_components.end(), [](const auto& a, const auto& b) {
    return model::UpperCase(a) < model::UpperCase(b);
  });
  for (;;) {
    const std::optional<PropertyLink> link =
        dialogs.LinkPropertyDialog(name + " links with", sub_components);
    if (!link) return std::nullopt;
    if (link->property.empty()) {
      dialogs.Information("You have not entered a property name.");
      continue;
    }
    property.Property().Link = link->sub_component + "." + link->property;
    property.Property().UseReadMethod = property.Property().UseWriteMethod = true;
    return property;
  }
}

std::optional<store::HelpTopic> SubComponentHelp(const ComponentDef& def,
                                                 std::string_view sub_component,
                                                 bool using_delphi16) {
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == model::ItemKind::Variable && item.Variable().Name.str() == sub_component) {
      return store::ClassHelpTopic(item.Variable().DataType.str(), using_delphi16);
    }
  }
  return std::nullopt;
}

}  // namespace kx::commands
