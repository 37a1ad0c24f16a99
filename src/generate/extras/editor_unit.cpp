// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/editor_unit.h"

#include <array>

#include "catalog/class_catalog.h"
#include "generate/target.h"
#include "generate/unit_frame.h"
#include "model/text.h"

namespace kx::generate {

using model::PropertyPart;

std::string_view EditorKindText(int kind) {
  static constexpr std::array<std::string_view, kEditorKindCount> kTexts = {
      "Do not generate this editor",
      "Boolean property (message box)",
      "Integer property (edit in dialog, view in Object Inspector)",
      "Integer property (edit in dialog or Object Inspector)",
      "Integer property (edit and view in dialog only)",
      "Floating-point (edit in dialog, view in Object Inspector)",
      "Floating-point (edit in dialog or Object Inspector)",
      "Floating-point (edit and view in dialog only)",
      "String property (edit in dialog, view in Object Inspector)",
      "String property (edit in dialog or Object Inspector)",
      "String property (edit and view in dialog only)",
      "String property (drop-down list, view in Object Inspector)",
      "String property (drop-down list, edit in Object Inspector)",
      "String property (message box with input line)",
      "String property (file name dialog)",
      "String property (directory name dialog)",
      "Object property (edit in form)",
      "Component property (drop-down list)",
      "String property (drop-down list of data field names)",
  };
  return kind >= 0 && kind < kEditorKindCount ? kTexts[static_cast<std::size_t>(kind)] : "";
}

int DefaultEditorKind(const PropertyPart& property) {
  const std::string_view type = property.PropType;
  if (catalog::IsStandardClass(type)) return kComponentList;
  if (catalog::IsCatalogueClass(type)) return kObjectForm;
  const std::string upper = model::UpperCase(type);
  if (upper == "BOOLEAN") return kBooleanMessageBox;
  if (upper == "INTEGER" || upper == "LONGINT" || upper == "BYTE") {
    return kIntegerDialogViewInInspector;
  }
  if (upper == "EXTENDED" || upper == "DOUBLE" || upper == "REAL") {
    return kFloatDialogViewInInspector;
  }
  return property.PropertyEditor.EditorBase == kStringDataFieldList ? kStringDataFieldList
                                                                    : kStringDialogViewInInspector;
}

bool EditorKindNeedsForm(int kind) {
  return (kind >= kIntegerDialogViewInInspector && kind <= kStringDialogOnly) ||
         kind == kObjectForm;
}

bool AddSelectedEditor(EditorSelection& selection, int item, int kind) {
  if (kind <= kDoNotGenerate || kind >= kEditorKindCount ||
      selection.editors.size() >= kMaxEditorsPerUnit) {
    return false;
  }
  selection.editors.push_back({item, kind, {}, {}});
  if (kind == kStringDataFieldList) selection.need_typinfo = selection.need_db = true;
  if (kind == kBooleanMessageBox || kind == kStringInputBox || kind == kStringFileNameDialog) {
    selection.need_dialogs = true;
  }
  if (kind == kStringDirectoryDialog) selection.need_filectrl = true;
  return true;
}

void WriteEditorHeader(Printer& out, std::string_view unit_name, const model::ComponentDef& def,
                       const platform::DateTime& at, const Target& target) {
  WriteHeaderBox(out, "Property editor unit " + std::string(unit_name), "", def, at, target);
}

namespace {

// The property's type as the bodies name it: a string list is always edited as a
// TStringList.
std::string BodyType(const PropertyPart& property) {
  const std::string upper = model::UpperCase(property.PropType);
  return upper == "TSTRINGS" || upper == "TSTRINGLIST" ? "TStringList" : property.PropType.str();
}

void EditBoolean(Printer& out, const Vars& v, model::CodeTarget target) {
  out.Block(R"(
      procedure $editor$.Edit;
      var
         YesNoDlg : TForm;
         BoxText, BoxCaption : String;
         BoxResult : Integer;
         Value : $type$;
      begin
        Value := Boolean(GetOrdValue);
        { Substitute custom BoxCaption and BoxText values below }
        BoxCaption := '';
        if Value then
           BoxText := 'Property is True.  Change it to False?'
        else
           BoxText := 'Property is False.  Change it to True?';
           try
              YesNoDlg := CreateMessageDialog(BoxText,
                            mtConfirmation, [mbYes, mbNo]);
              YesNoDlg.Caption := BoxCaption;
              YesNoDlg.FormStyle := fsStayOnTop;
      )",
            v);
  // The LCL scales a form for the screen as it creates it, and so does the VCL since it learnt
  // high DPI; scaling again clips the text. Only Delphi 1-3, which did neither, needs it.
  if (target == model::CodeTarget::kDelphi) {
    out.Line("        YesNoDlg.ScaleBy(Screen.PixelsPerInch, 96);");
  }
  out.Block(R"(
              BoxResult := YesNoDlg.ShowModal;
              { If "Yes" was selected, change the property value }
              if BoxResult = idYes then |
                 SetOrdValue(Ord(not Value));
           finally
              YesNoDlg.Free;
           end
      end;
      )",
            v);
}

enum class FormVariant { kInteger, kFloat, kString, kObject };

void EditForm(Printer& out, const Vars& v, FormVariant variant) {
  out.Block(R"(
      procedure $editor$.Edit;
      var
         Value : $type$;
         FormInstance : $form$;
      begin
      )",
            v);
  switch (variant) {
    case FormVariant::kInteger:
      out.Emit({"  Value := $type$(GetOrdValue);"}, v);
      break;
    case FormVariant::kFloat:
      out.Emit({"  Value := GetFloatValue;"}, v);
      break;
    case FormVariant::kString:
      out.Emit({"  Value := GetStrValue;"}, v);
      break;
    case FormVariant::kObject:
      out.Emit({"  Value := $type$.Create;", "  Value.Assign($type$(GetOrdValue));"}, v);
      break;
  }
  out.Block(R"(
        FormInstance := $form$.Create(Application);
        try
          { Form must have a public field named Value of type $type$
            for transferring the property value in and out }
          FormInstance.Value := Value;
          { Execute the form }
          FormInstance.ShowModal;
          if FormInstance.ModalResult = mrOK then
             { Update the property }
      )",
            v);
  switch (variant) {
    case FormVariant::kInteger:
      out.Emit({"       SetOrdValue($type$(FormInstance.Value));"}, v);
      break;
    case FormVariant::kFloat:
      out.Emit({"       SetFloatValue(FormInstance.Value);"}, v);
      break;
    case FormVariant::kString:
      out.Emit({"       SetStrValue(FormInstance.Value);"}, v);
      break;
    case FormVariant::kObject:
      out.Emit({"       SetOrdValue($ordinal$(FormInstance.Value));"}, v);
      break;
  }
  out.Emit({"  finally", "    FormInstance.Free;"}, v);
  if (variant == FormVariant::kObject) out.Line("    Value.Free;");
  out.Emit({"  end;", "end;"}, v);
}

void EditInputQuery(Printer& out, const Vars& v) {
  out.Block(R"(
      procedure $editor$.Edit;
      var
         Value : $type$;
      begin
         Value := GetStrValue;
         { Show the message box }
         if InputQuery('Property editor caption',
                       'Enter a value',
                       Value) then
             { Update the property }
             SetStrValue(Value);
      end;
      )",
            v);
}

void EditFile(Printer& out, const Vars& v) {
  out.Block(R"(
      procedure $editor$.Edit;
      var
         Value : $type$;
         Dlg : TOpenDialog;
      begin
         Value := GetStrValue;
         { Show the Windows file-open dialog }
         try
           Dlg := TOpenDialog.Create(Application);
           Dlg.Title := 'Select a file';
           Dlg.FileName := Value;
           Dlg.Filter := 'Text files (*.txt)|*.txt'
                         + '|Pascal files (*.pas,*.dpr)|*.pas;*.dpr'
                         + '|All files (*.*)|*.*';
           { This option set (a) requires the developer to select an
             existing file and (b) hides the read-only check box in
             the file-open dialog }
           Dlg.Options := [ofFileMustExist, ofHideReadOnly];
           if Dlg.Execute then
              { Update the property }
              SetStrValue(Dlg.FileName);
         finally
           Dlg.Free;
         end;
      end;
      )",
            v);
}

void EditDirectory(Printer& out, const Vars& v) {
  out.Block(R"(
      procedure $editor$.Edit;
      const
         HelpCtx = 0;
      var
         Value : $type$;
      begin
         Value := GetStrValue;
         { Show the directory selection box }
         { This option set allows the developer to select a
           non-existent directory.  After the developer confirms
           the selection, the directory will be created. }
         if SelectDirectory(Value, |
              [sdAllowCreate, sdPerformCreate, sdPrompt], HelpCtx) then
              { Update the property }
              SetStrValue(Value);
      end;
      )",
            v);
}

enum class Attributes { kDialogReadOnly, kDialog, kListReadOnly, kList };

void WriteAttributes(Printer& out, const Vars& v, Attributes attributes) {
  static constexpr std::array<std::string_view, 4> kResults = {
      "   Result := [paDialog, paReadOnly];", "   Result := [paDialog]",
      "   Result := [paMultiSelect, paValueList, paSortList,paReadOnly];",
      "   Result := [paMultiSelect, paValueList, paSortList];"};
  out.Emit({"function $editor$.GetAttributes : TPropertyAttributes;", "begin"}, v);
  out.Line(kResults[static_cast<std::size_t>(attributes)]);
  out.Line("end;");
}

enum class GetValue { kBoolean, kInherited, kEmpty };

void WriteGetValue(Printer& out, const Vars& v, GetValue kind) {
  out.Block(R"(
      function $editor$.GetValue : String;
      { Return the string for displaying the property value in
        the Object Inspector. }
      begin
      )",
            v);
  switch (kind) {
    case GetValue::kBoolean:
      out.Block(R"(
             if Boolean(GetOrdValue) then
                Result := 'True'
             else
                Result := 'False'
          )");
      break;
    case GetValue::kInherited:
      out.Block(R"(
             Result := inherited GetValue
             { To suppress the display of the property's value,
               use the following instead: }
             { Result := '' }
          )");
      break;
    case GetValue::kEmpty:
      out.Line("   Result := ''");
      break;
  }
  out.Line("end;");
}

void WriteSetValue(Printer& out, const Vars& v, bool inherited) {
  out.Emit({"procedure $editor$.SetValue(const Value : String);", "begin"}, v);
  if (inherited) {
    out.Block(R"(
           { Update the property value based on the Object Inspector
             input line, contained in Value }
           inherited SetValue(Value)
        )");
  } else {
    out.Emit(
        {"   { Ignore changes in the Object Inspector input line, ", "     contained in Value }"});
  }
  out.Line("end;");
}

void GetValuesList(Printer& out, const Vars& v) {
  out.Block(R"(
      procedure $editor$.GetValues(Proc : TGetStrProc);
      { Generate list of values for drop-down list }
      begin
         Proc('Value 1');
         Proc('Value 2');
         Proc('Value 3');
      end;
      )",
            v);
}

// The form or frame being designed: the designer's Form of Delphi 1-3, its Root since Delphi 6.
Vars WithDesignerRoot(Vars v, model::CodeTarget target) {
  v["root"] = target == model::CodeTarget::kDelphiXe ? "Root" : "Form";
  return v;
}

void GetValuesComponents(Printer& out, const Vars& v, model::CodeTarget target) {
  out.Block(R"(
      procedure $editor$.GetValues(Proc : TGetStrProc);
      var
        I : Integer;
        Component : TComponent;
      begin
        { Build a drop-down list of components on the form that are
          of type $type$ or its descendants }
        for I := 0 to Designer.$root$.ComponentCount - 1 do
        begin
          Component := Designer.$root$.Components[I];
          if (Component is $type$) |
             and (Component.Name <> '') then
             begin
             { Test component's properties to determine whether to
               exclude it from the list.  }
             { if (Component as $type$).AnyProp = . . . then }

             { Add the component's name to the drop-down list }
             Proc(Component.Name)
             end
        end
      end;
      )",
            WithDesignerRoot(v, target));
}

void GetValuesFields(Printer& out, const Vars& v, model::CodeTarget target) {
  // Today's Delphi edits any persistent object and reads ordinal properties as NativeInt; an
  // object property is read as an object there.
  const bool today = target == model::CodeTarget::kDelphiXe;
  Vars vars = v;
  vars["instance"] = today ? "TPersistent" : "TComponent";
  vars["datasource"] =
      today ? "GetObjectProp(Instance, PropInfo)" : "TObject(GetOrdProp(Instance, PropInfo))";
  out.Block(R"(
      procedure $editor$.GetValues(Proc : TGetStrProc);
      { Generate list of values for drop-down field list }
      const
         { Name of the data source property associated with this
           data field property }
         DataSourcePropName = 'DataSource';
      var
         Instance : $instance$;
         PropInfo : PPropInfo;
         DataSource : TDataSource;
         List : TStringList;
         I : Integer;
      begin
           Instance := GetComponent(0);
           PropInfo := TypInfo.GetPropInfo(Instance.ClassInfo,
                         DataSourcePropName);
           if (PropInfo <> nil) |
              and (PropInfo^.PropType^.Kind = tkClass) then
              begin
              DataSource := $datasource$
                              as TDataSource;
              if DataSource <> nil then
                 if DataSource.DataSet <> nil then
                    begin
                    { Found the data source for this |
                      data field property }
                    List := TStringList.Create;
                    try
                       { Put the field names in List }
                       DataSource.DataSet.GetFieldNames(List);
                       { Put the field names in the drop-down list }
                       for I := 0 to List.Count - 1 do
                           Proc(List[I]);
                    finally
                       List.Free;
                    end { try }
                    end { begin }
              end
      end;
      )",
            vars);
}

}  // namespace

void WriteEditorClass(Printer& out, const PropertyPart& property, int kind,
                      model::CodeTarget target) {
  const Vars v = {{"editor", property.PropertyEditor.EditorClass.str()}};
  // The editors that edit a value in a dialog share their methods.
  auto value_editor = [&](std::string_view base) {
    out.Block(R"(
          $editor$ = class($base$)
           public
            procedure Edit; override;
            function GetAttributes : TPropertyAttributes; override;
            function GetValue : String; override;
            procedure SetValue(const Value : String); override;
          end;
        )",
              {{"editor", v.at("editor")}, {"base", std::string(base)}});
  };
  // The editors whose dialog is the whole of their editing.
  auto dialog_editor = [&](std::string_view base) {
    out.Block(R"(
          $editor$ = class($base$)
           public
            procedure Edit; override;
            function GetAttributes : TPropertyAttributes; override;
          end;
        )",
              {{"editor", v.at("editor")}, {"base", std::string(base)}});
  };
  switch (kind) {
    case kBooleanMessageBox:
      // The IDE tells a default from a changed value by the text GetValue gives and the one
      // its own Boolean editor gives for the default; only that editor keeps them alike.
      if (target == model::CodeTarget::kLazarus) {
        dialog_editor("TBoolPropertyEditor");
        break;
      }
      out.Block(R"(
            $editor$ = class(TOrdinalProperty)
             public
              procedure Edit; override;
              function GetAttributes : TPropertyAttributes; override;
              function GetValue : String; override;
            end;
          )",
                v);
      break;
    case kIntegerDialogViewInInspector:
    case kIntegerDialogOrInspector:
    case kIntegerDialogOnly:
      value_editor("TIntegerProperty");
      break;
    case kFloatDialogViewInInspector:
    case kFloatDialogOrInspector:
    case kFloatDialogOnly:
      value_editor("TFloatProperty");
      break;
    case kStringDialogViewInInspector:
    case kStringDialogOrInspector:
    case kStringDialogOnly:
    case kStringInputBox:
    case kStringFileNameDialog:
    case kStringDirectoryDialog:
      value_editor("TStringProperty");
      break;
    case kObjectForm:
      dialog_editor("TClassProperty");
      break;
    case kStringListViewInInspector:
    case kStringListEditInInspector:
    case kStringDataFieldList:
      out.Block(R"(
            $editor$ = class(TStringProperty)
              public
                function GetAttributes : TPropertyAttributes; override;
                procedure GetValues(Proc : TGetStrProc); override;
            end;
          )",
                v);
      break;
    case kComponentList:
      out.Block(R"(
            $editor$ = class(TComponentProperty)
             public
              procedure GetValues(Proc : TGetStrProc); override;
            end;
          )",
                v);
      break;
    default:
      break;
  }
}

void WriteEditorMethods(Printer& out, const PropertyPart& property, const SelectedEditor& editor,
                        model::CodeTarget target) {
  // An object travels through an ordinal value: a pointer-sized one since 64-bit Delphi.
  const Vars v = {{"editor", property.PropertyEditor.EditorClass.str()},
                  {"type", BodyType(property)},
                  {"form", editor.form_class},
                  {"ordinal", target == model::CodeTarget::kDelphiXe ? "NativeInt" : "Longint"}};
  const int kind = editor.kind;
  // The editors that edit the value in a form: three of each value type, in this order.
  auto form_editor = [&](FormVariant variant, int first_kind) {
    const int position = kind - first_kind;  // 0 view in Inspector, 1 edit there, 2 dialog only
    EditForm(out, v, variant);
    out.Line();
    WriteAttributes(out, v, position == 1 ? Attributes::kDialog : Attributes::kDialogReadOnly);
    out.Line();
    WriteGetValue(out, v, position == 2 ? GetValue::kEmpty : GetValue::kInherited);
    out.Line();
    WriteSetValue(out, v, position != 2);
  };
  auto string_editor = [&](void (*edit)(Printer&, const Vars&)) {
    edit(out, v);
    out.Line();
    WriteAttributes(out, v, Attributes::kDialog);
    out.Line();
    WriteGetValue(out, v, GetValue::kInherited);
    out.Line();
    WriteSetValue(out, v, true);
  };
  switch (kind) {
    case kBooleanMessageBox:
      EditBoolean(out, v, target);
      out.Line();
      WriteAttributes(out, v, Attributes::kDialogReadOnly);
      if (target != model::CodeTarget::kLazarus) {
        out.Line();
        WriteGetValue(out, v, GetValue::kBoolean);
      }
      break;
    case kIntegerDialogViewInInspector:
    case kIntegerDialogOrInspector:
    case kIntegerDialogOnly:
      form_editor(FormVariant::kInteger, kIntegerDialogViewInInspector);
      break;
    case kFloatDialogViewInInspector:
    case kFloatDialogOrInspector:
    case kFloatDialogOnly:
      form_editor(FormVariant::kFloat, kFloatDialogViewInInspector);
      break;
    case kStringDialogViewInInspector:
    case kStringDialogOrInspector:
    case kStringDialogOnly:
      form_editor(FormVariant::kString, kStringDialogViewInInspector);
      break;
    case kStringListViewInInspector:
    case kStringListEditInInspector:
      GetValuesList(out, v);
      out.Line();
      WriteAttributes(
          out, v,
          kind == kStringListViewInInspector ? Attributes::kListReadOnly : Attributes::kList);
      break;
    case kStringInputBox:
      string_editor(EditInputQuery);
      break;
    case kStringFileNameDialog:
      string_editor(EditFile);
      break;
    case kStringDirectoryDialog:
      string_editor(EditDirectory);
      break;
    case kObjectForm:
      EditForm(out, v, FormVariant::kObject);
      out.Line();
      WriteAttributes(out, v, Attributes::kDialogReadOnly);
      out.Line();
      break;
    case kComponentList:
      GetValuesComponents(out, v, target);
      break;
    case kStringDataFieldList:
      GetValuesFields(out, v, target);
      out.Line();
      WriteAttributes(out, v, Attributes::kList);
      out.Line();
      break;
    default:
      break;
  }
}

std::string WriteEditorUnit(std::string_view unit_name, const model::ComponentDef& def,
                            const EditorSelection& selection, const platform::DateTime& at,
                            model::CodeTarget target) {
  const Target& design = TargetFor(target);
  Printer out(design.words);
  WriteEditorHeader(out, unit_name, def, at, design);
  out.Line();
  WriteUnitLine(out, "unit", unit_name, design);
  out.Emit({"interface", ""});
  model::TextBlock units;
  model::ResetUnits(units);
  model::AddUnit(units, "DsgnIntf");
  if (selection.need_typinfo) model::AddUnit(units, "TypInfo");
  if (selection.need_db) model::AddUnit(units, "DB");
  if (selection.need_dialogs) model::AddUnit(units, "Dialogs");
  if (selection.need_filectrl) model::AddUnit(units, "FileCtrl");
  for (const SelectedEditor& editor : selection.editors) {
    model::AddUnit(units, editor.form_unit);
    model::AddUnit(units, catalog::UnitOfClass(def.Item(editor.item).Property().PropType));
  }
  WriteUsesClause(out, design.Units(units));
  out.Line();
  out.Line("type");
  for (const SelectedEditor& editor : selection.editors) {
    out.Line();
    WriteEditorClass(out, def.Item(editor.item).Property(), editor.kind, target);
  }
  out.Line();
  out.Line("implementation");
  for (const SelectedEditor& editor : selection.editors) {
    out.Line();
    WriteEditorMethods(out, def.Item(editor.item).Property(), editor, target);
  }
  out.Line();
  out.Line("end.");
  return out.text();
}

}  // namespace kx::generate
