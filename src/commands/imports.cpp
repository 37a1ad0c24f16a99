// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/imports.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "catalog/form_names.h"
#include "commands/form_files.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

using model::ComponentDef;
using model::ItemDef;

namespace {

bool IsObjectLine(std::string_view line) { return model::StartsWithText(line, "OBJECT "); }
bool IsEndLine(std::string_view line) { return model::SameText(line, "END"); }

struct FormObject {
  std::size_t line;
  std::string name;
  std::string class_name;
};

std::vector<FormObject> ObjectsOf(const std::vector<std::string>& lines) {
  std::vector<FormObject> objects;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsObjectLine(lines[i])) {
      objects.push_back({i, catalog::ObjectNameOf(lines[i]), catalog::ClassNameOf(lines[i])});
    }
  }
  return objects;
}

// The number after "=" of a property line, 0 when there is none.
long long NumberAfterEquals(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return 0;
  return model::ParsePascalInteger(model::TrimView(line.substr(equals + 1)), 0);
}

void AddMethod(ComponentDef& def, const std::string& header, const std::string& descr,
               model::TextBlock code = std::nullopt) {
  ItemDef method = model::NewMethodItem(header);
  method.Descr = descr;
  method.Code = std::move(code);
  model::AddItem(def, std::move(method));
}

// A control's event: asked whether to publish it (a new event of the container), then its
// handler method, with the handler text when published.
void AddControlEvent(ComponentDef& def, Dialogs& dialogs, const std::string& name,
                     std::string_view event, bool ask) {
  const std::string e(event);
  bool published = false;
  if (ask) {
    published = dialogs.Confirm(Buttons::kYesNoHelp,
                                "Publish the On" + e + " event for " + name +
                                    ", to make it available in the Object Inspector?",
                                {}, kPublishEventHelpContext) == Answer::kYes;
  }
  if (published) {
    ItemDef new_event = model::NewEventItem("On" + name + e);
    new_event.Descr = "Publish On" + e + " for " + name;
    model::AddItem(def, std::move(new_event));
  }
  AddMethod(def, "Do" + name + e + "(Sender : TObject)",
            "Response to " + name + " " + model::LowerCase(e),
            published ? model::TextBlock(HandlerText(name, e)) : std::nullopt);
}

}  // namespace

SubcomponentCode SubcomponentInitCode(const std::vector<std::string>& lines, std::size_t after,
                                      std::string_view name, std::string_view class_name) {
  SubcomponentCode result;
  if (after >= lines.size()) {
    result.ended = true;
    return result;
  }
  result.code.push_back("begin");
  for (std::size_t i = after;; ++i) {
    if (i >= lines.size()) {
      result.last = true;
      break;
    }
    const std::string& line = lines[i];
    if (IsEndLine(line)) {
      if (i + 1 < lines.size() && IsEndLine(lines[i + 1])) result.last = true;
      break;
    }
    if (IsObjectLine(line)) {
      if (catalog::IsContainer(catalog::ClassNameOf(line))) result.last = true;
      break;
    }
    const std::size_t equals = line.find('=');
    const std::size_t quote = line.find('\'');
    if (equals == std::string::npos || (quote != std::string::npos && equals > quote)) continue;
    const std::string property = model::Trim(std::string_view(line).substr(0, equals));
    const std::string value = model::Trim(std::string_view(line).substr(equals + 1));
    if (!value.empty() && (value.back() == '(' || value.back() == '[' || value.back() == '{')) {
      result.code.push_back("{ " + property + " not converted }");
    } else if (!property.starts_with("On")) {
      result.code.push_back(property + " := " + value + ";");
    }
  }
  const std::string n(name);
  if (catalog::IsNotifyingSubComponent(class_name))
    result.code.push_back("OnChange := Do" + n + "Change;");
  if (catalog::IsClickedSubComponent(class_name))
    result.code.push_back("OnClick := Do" + n + "Click;");
  if (catalog::IsKeyPressSubComponent(class_name)) {
    result.code.push_back("OnKeypress := Do" + n + "Keypress;");
  }
  result.code.push_back("end;");
  return result;
}

std::vector<std::string> HandlerText(std::string_view name, std::string_view event) {
  const std::string n(name);
  const std::string e(event);
  return {"begin", "     { In the code to initialize subcomponent " + n + "'s properties,",
          "       this method was assigned as its On" + e + " handler.",
          "       On" + n + e + " is a new event of the container",
          "       component, triggered by calls to " + n + e + ". }", "",
          "     { Component's response to the event }", "     { . . . }", "",
          "     { Call application's event handler, if any }",
          // The new event's dispatch method takes the sender: a bare call cannot compile.
          "     " + n + e + "(Sender)", "end;"};
}

bool ImportContainerFromForm(ComponentDef& def, Dialogs& dialogs) {
  const std::string file = def.MainInfo.Form.FormFile;
  const std::optional<std::vector<std::string>> lines = ReadFormLines(file, dialogs);
  if (!lines) return false;
  const std::vector<FormObject> objects = ObjectsOf(*lines);

  std::vector<std::string> containers;
  for (const FormObject& object : objects) {
    if (catalog::IsContainer(object.class_name)) containers.push_back(object.name);
  }
  std::stable_sort(containers.begin(), containers.end(), [](const auto& a, const auto& b) {
    return model::UpperCase(a) < model::UpperCase(b);
  });
  if (containers.empty()) {
    dialogs.Information(file + " has no container component to read.");
    return false;
  }
  std::string container = containers.front();
  if (containers.size() > 1) {
    const std::optional<std::string> chosen = dialogs.SelectPanel(containers);
    if (!chosen) return false;
    container = *chosen;
  }

  // The container's object and its size, from its own property lines.
  const auto found = std::find_if(objects.begin(), objects.end(), [&](const FormObject& o) {
    return model::SameText(o.name, container);
  });
  if (found == objects.end()) return false;
  long long height = 0;
  long long width = 0;
  for (std::size_t i = found->line + 1; i < lines->size() && !IsObjectLine((*lines)[i]); ++i) {
    if (model::StartsWithText((*lines)[i], "HEIGHT")) height = NumberAfterEquals((*lines)[i]);
    if (model::StartsWithText((*lines)[i], "WIDTH")) width = NumberAfterEquals((*lines)[i]);
  }
  for (const auto& [name, value] : {std::pair{"Height", height}, std::pair{"Width", width}}) {
    ItemDef size = model::NewPropertyItem(name);
    size.Property().Inherited = true;
    size.Property().PropType = "Integer";
    size.Property().PropDefault = std::to_string(value);
    model::AddItem(def, std::move(size));
  }

  for (auto object = found + 1; object != objects.end(); ++object) {
    if (catalog::IsContainer(object->class_name)) break;
    const std::string& n = object->name;
    const std::string& c = object->class_name;
    ItemDef variable = model::NewVariableItem(n);
    variable.Variable().DataType = c;
    variable.Variable().Scope = model::kScopeProtected;
    variable.Variable().IsObject = variable.Variable().IsSubComponent = true;
    model::AddUnit(def.MainInfo.Units, catalog::UnitOfClass(c));
    const SubcomponentCode code = SubcomponentInitCode(*lines, object->line + 1, n, c);
    if (!code.ended) variable.Code = code.code;
    model::AddItem(def, std::move(variable));

    const bool has_lines = catalog::HasLinesStringList(c);
    if (has_lines || catalog::HasItemsStringList(c)) {
      const std::string list = has_lines ? "Lines" : "Items";
      ItemDef property = model::NewPropertyItem(n + list);
      property.Property().PropType = "TStrings";
      property.Property().UseReadMethod = property.Property().UseWriteMethod = true;
      property.Property().Link = n + "." + list;
      model::AddItem(def, std::move(property));
    }
    if (catalog::IsClickedSubComponent(c))
      AddControlEvent(def, dialogs, n, "Click", catalog::IsButton(c));
    if (catalog::IsNotifyingSubComponent(c)) AddControlEvent(def, dialogs, n, "Change", true);
    if (catalog::IsKeyPressSubComponent(c)) {
      AddMethod(def, "Do" + n + "Keypress(Sender : TObject; var Key : Char)",
                "Response to " + n + " keypress");
    }
    if (code.ended || code.last) break;
  }
  return true;
}

std::string SuggestedFieldName(std::string_view object_name) {
  std::string name(object_name);
  const std::string prefix = model::UpperCase(name.substr(0, 5));
  if ((prefix == "TABLE" || prefix == "QUERY") && name.size() > 5) {
    name.erase(0, 5);
    if (model::IsAsciiDigit(name.front())) name.erase(0, 1);
  }
  name = model::LowerCase(name);
  if (!name.empty()) name[0] = model::UpCase(name[0]);
  return name;
}

std::string FieldCreation(std::string_view name, std::string_view field_class, bool calculated) {
  const std::string n(name);
  const std::string c(field_class);
  if (!calculated) return "CreateMainField('" + n + "') as " + c;
  const std::string size = model::SameText(c, "TSTRINGFIELD") ? "30" : "0";
  return "CreateMainCalcField('" + n + "', " + c + ", " + size + ") as " + c;
}

void AddBusinessMethods(ComponentDef& def) {
  auto add = [&](const char* name, model::TextBlock code) {
    ItemDef method = model::NewMethodItem(name);
    method.Method().Scope = model::kScopeProtected;
    method.Method().Override = true;
    method.DefaultCode = model::DefaultCodeKind::kInheritedProcedureCall;
    method.Code = std::move(code);
    model::AddItem(def, std::move(method));
  };
  add("CreateFields", std::nullopt);
  add("CalculateFields",
      std::vector<std::string>{"begin", "{ Set calculated field values }",
                               "{ FArea.Value := FLength.Value * FWidth.Value; }", "end;"});
  add("Validate",
      std::vector<std::string>{
          "begin", "{ Validate fields of the current record }",
          "{ Use the Add method of the component's ErrorHandler property ",
          "  to pass error information to the attached TRzErrorHandler", "  component. }",
          "{ For a fatal error (i.e., to prevent posting of the record),",
          "  use etValidation as the second argument for ErrorHandler.Add.",
          "  For a non-fatal error, use etWarning.  E.g., }", "",
          "{ if FQuantity.Value <= 0 then }",
          "{    ErrorHandler.Add('Quantity field cannot be negative', etValidation); }", "",
          "end;"});
  add("FinishInsert",
      std::vector<std::string>{"begin", "{ Set initial values for when a new record is created }",
                               "{ FOrderDate.Value := Date; }", "end;"});
}

bool ImportFieldsFromForm(ComponentDef& def, Dialogs& dialogs) {
  const std::string file = def.MainInfo.Form.FormFile;
  const std::optional<std::vector<std::string>> lines = ReadFormLines(file, dialogs);
  if (!lines) return false;
  struct Field {
    std::string name, field_class, label, creation;
  };
  std::vector<Field> fields;
  for (const FormObject& object : ObjectsOf(*lines)) {
    if (catalog::ClassFamilyOf(object.class_name) != catalog::kFamilyNonVisual ||
        !model::UpperCase(object.class_name).ends_with("FIELD")) {
      continue;
    }
    const std::string suggested = SuggestedFieldName(object.name);
    std::optional<FieldImportChoice> choice;
    FieldImportChoice shown{suggested, suggested, FieldHandling::kDataField};
    for (;;) {
      choice = dialogs.ImportFieldDialog(object.name + " : " + object.class_name, shown);
      if (!choice || choice->handling == FieldHandling::kSkip || !choice->name.empty()) break;
      dialogs.Information(kMissingFieldNameMessage, kImportFieldsCaption);
      shown = *choice;  // the dialog stays open with what was entered
    }
    if (!choice) {
      dialogs.Information("Importing of fields cancelled.");
      return false;
    }
    if (choice->handling == FieldHandling::kSkip) continue;
    fields.push_back({choice->name, object.class_name, choice->label,
                      FieldCreation(choice->name, object.class_name,
                                    choice->handling == FieldHandling::kCalculatedField)});
  }
  if (fields.empty()) {
    dialogs.Information(file + " has no fields to read.");
    return false;
  }
  std::vector<std::string> create = {"begin"};
  for (const Field& f : fields) {
    ItemDef property = model::NewPropertyItem(f.name);
    property.Property().PropType = f.field_class;
    property.Property().ReadOnly = true;
    if (model::AddItem(def, std::move(property)) == model::AddResult::Full) {
      dialogs.Error(model::kStorageFullMessage);
      return false;
    }
    create.push_back("     F" + f.name + " := " + f.creation + ";");
    create.push_back("     F" + f.name + ".DisplayLabel := '" + f.label + "';");
    create.push_back("     F" + f.name +
                     (f.label.empty() ? ".Visible := False;" : ".Visible := True;"));
    if (model::SameText(f.field_class, "TFLOATFIELD"))
      create.push_back("     F" + f.name + ".Currency := False;");
    if (model::SameText(f.field_class, "TCURRENCYFIELD"))
      create.push_back("     F" + f.name + ".Currency := True;");
    create.push_back("");
  }
  create.push_back("end;");
  ItemDef create_fields = model::NewMethodItem("CreateFields");
  create_fields.Method().Scope = model::kScopeProtected;
  create_fields.Method().Override = true;
  create_fields.Code = std::move(create);
  model::AddItem(def, std::move(create_fields));
  return true;
}

}  // namespace kx::commands
