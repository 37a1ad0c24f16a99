// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/smoke_test.h"

#include <vector>

#include "catalog/class_catalog.h"
#include "generate/printer.h"
#include "generate/target.h"
#include "generate/unit/class_declaration.h"
#include "generate/unit/unit_writer.h"
#include "generate/unit_frame.h"
#include "model/text.h"
#include "model/types.h"

namespace kx::generate {

namespace {

using model::PropertyPart;
using model::PropSpecialType;

enum class ValueKind { kOther, kBoolean, kOrdinal, kFloat, kString };

ValueKind KindOfType(std::string_view type) {
  const std::string t = model::UpperCase(type);
  if (t == "BOOLEAN") return ValueKind::kBoolean;
  if (t == "REAL" || t == "DOUBLE") return ValueKind::kFloat;
  if (model::IsStringType(t) || t == "ANSISTRING" || t == "SHORTSTRING") return ValueKind::kString;
  if (model::IsSimpleType(t)) return ValueKind::kOrdinal;
  return ValueKind::kOther;
}

// A Pascal string literal of the text.
std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

bool Settable(const PropertyPart& p) {
  return !p.Hide && !p.ReadOnly && !model::IsIndexedKind(p.Special) &&
         model::PropertyScope(p) == model::kScopePublished;
}

bool HasDefaultToCheck(const PropertyPart& p) {
  return Settable(p) && !p.PropDefault.empty() && p.Special == PropSpecialType::psNone &&
         p.Link.empty();
}

bool WrittenBack(const PropertyPart& p) {
  return Settable(p) && !p.Inherited && p.Special == PropSpecialType::psNone && p.Link.empty() &&
         KindOfType(p.PropType) != ValueKind::kOther;
}

bool IsLink(const PropertyPart& p) {
  return Settable(p) && !p.Inherited && p.Special == PropSpecialType::psLinkComponent;
}

std::vector<const PropertyPart*> Properties(const model::ComponentDef& def,
                                            bool (*wanted)(const PropertyPart&)) {
  std::vector<const PropertyPart*> found;
  for (const model::ItemDef& item : def.Items()) {
    if (item.Kind() == model::ItemKind::Property && wanted(item.Property())) {
      found.push_back(&item.Property());
    }
  }
  return found;
}

bool KeptAsParentKeepsIt(const PropertyPart& p) {
  return p.Inherited && !model::TrimView(p.PropType).empty() &&
         KindOfType(p.PropType) != ValueKind::kFloat;
}

bool LeftOutAtDefault(const PropertyPart& p) { return Settable(p) && DeclaresDefault(p); }

// A check whose code runs guarded: an exception it raises is the check's FAIL line.
void Guarded(Printer& out, std::string_view what, const std::vector<std::string>& code,
             std::string_view condition) {
  const Vars vars = {{"what", Quoted(what)}, {"condition", std::string(condition)}};
  out.Line("     try");
  for (const std::string& line : code) out.Emit({"        $line$"}, {{"line", line}});
  out.Block(R"(
              Check($what$, $condition$);
           except
              on E : Exception do CheckRaised($what$, E);
           end;
      )",
            vars);
}

}  // namespace

std::string SmokeProgramName(const model::ComponentDef& def) {
  return def.MainInfo.UnitName.str() + "Smoke";
}

bool SmokeNeedsWindows(const model::ComponentDef& def) {
  const std::string_view parent = def.MainInfo.ParentClassName;
  const std::string_view ancestor = def.MainInfo.VCLAncestorName.empty()
                                        ? parent
                                        : std::string_view(def.MainInfo.VCLAncestorName);
  const auto is_timer = [](std::string_view type) {
    return model::UpperCase(model::TrimView(type)) == "TTIMER";
  };
  if (is_timer(ancestor) || is_timer(parent)) return true;
  if (catalog::IsControl(ancestor) &&
      catalog::ClassFamilyOf(ancestor) != catalog::kFamilyGraphicControl) {
    return true;
  }
  for (const model::ItemDef& item : def.Items()) {
    if (item.Kind() == model::ItemKind::Variable && item.Variable().IsObject &&
        is_timer(item.Variable().DataType)) {
      return true;
    }
    if (item.Kind() == model::ItemKind::Property && !item.Property().Inherited &&
        (item.Property().Special == PropSpecialType::psObjectAutoCreate ||
         item.Property().Special == PropSpecialType::psObjectManualCreate) &&
        is_timer(item.Property().PropType)) {
      return true;
    }
  }
  return false;
}

std::string WriteSmokeProgram(const model::ComponentDef& def) {
  const std::string cls = def.MainInfo.NewClassName.str();
  const auto defaults = Properties(def, HasDefaultToCheck);
  const auto written = Properties(def, WrittenBack);
  const auto links = Properties(def, IsLink);
  const auto unstored = Properties(def, LeftOutAtDefault);

  const Target& target = TargetFor(model::CodeTarget::kLazarus);
  Printer out(target.words);
  WriteUnitLine(out, "program", SmokeProgramName(def), target);
  if (SmokeNeedsWindows(def)) {
    out.Emit({"{ $note$ }"}, {{"note", std::string(kNeedsWindows)}});
    out.Line();
  }
  model::TextBlock units = std::vector<std::string>{"Interfaces"};
  const model::TextBlock runtime_units = RuntimeUnits(def);
  for (const std::string& unit : *runtime_units) model::AddUnit(units, unit);
  for (std::string_view unit : {"SysUtils", "Classes", "TypInfo"}) model::AddUnit(units, unit);
  model::AddUnit(units, def.MainInfo.UnitName.str());
  WriteUsesClause(out, target.Units(units));
  out.Line();
  out.Block(R"(
      var
        Checks, Failures : Integer;

      procedure Check(const What : String; Passed : Boolean);
      begin
           Inc(Checks);
           if Passed then
              WriteLn('ok   ', What)
           else
           begin
              WriteLn('FAIL ', What);
              Inc(Failures);
           end;
      end;

      { A check whose code raised an exception failed; the program goes on }
      procedure CheckRaised(const What : String; E : Exception);
      begin
           Inc(Checks);
           WriteLn('FAIL ', What, ' (', E.ClassName, ': ', E.Message, ')');
           Inc(Failures);
      end;

      type
        { The root of a form file, as a form is: it writes the components it owns }
        TFormFile = class(TComponent)
        protected
          procedure GetChildren(Proc : TGetChildProc; Root : TComponent); override;
        end;

      procedure TFormFile.GetChildren(Proc : TGetChildProc; Root : TComponent);
      var
        I : Integer;
      begin
           for I := 0 to ComponentCount - 1 do
              Proc(Components[I]);
      end;

      { Whether the form file of the form holds the property of a component on it }
      function Stored(Form : TFormFile; const Name : String) : Boolean;
      var
        Binary : TMemoryStream;
        Text : TStringStream;
      begin
           Binary := TMemoryStream.Create;
           Text := TStringStream.Create('');
           try
              Binary.WriteComponent(Form);
              Binary.Position := 0;
              ObjectBinaryToText(Binary, Text);
              Result := Pos(LineEnding + '    ' + Name + ' = ', Text.DataString) > 0;
           finally
              Text.Free;
              Binary.Free;
           end;
      end;

      { The published sub-component the property holds, or nil }
      function SubComponent(Instance : TComponent; Info : PPropInfo) : TComponent;
      var
        Value : TObject;
      begin
           Result := nil;
           if Info^.PropType^.Kind <> tkClass then Exit;
           Value := GetObjectProp(Instance, Info);
           if (Value is TComponent) and (TComponent(Value).Owner = Instance) and
              (csSubComponent in TComponent(Value).ComponentStyle) then
              Result := TComponent(Value);
      end;

      { Gives each published sub-component a Tag, so that its owner's form file holds it }
      procedure MarkSubComponents(Instance : TComponent);
      var
        Props : PPropList;
        Count, I : Integer;
      begin
           Count := GetPropList(Instance, Props);
           try
              for I := 0 to Count - 1 do
                 if SubComponent(Instance, Props^[I]) <> nil then
                    SubComponent(Instance, Props^[I]).Tag := 27;
           finally
              FreeMem(Props);
           end;
      end;

      { Whether the property reads back from the form file as it was written }
      function ReadsBack(Written, Read : TComponent; Info : PPropInfo) : Boolean;
      begin
           case Info^.PropType^.Kind of
             tkInteger, tkChar, tkWChar, tkEnumeration, tkBool:
                Result := GetOrdProp(Written, Info) = GetOrdProp(Read, Info);
             tkInt64, tkQWord:
                Result := GetInt64Prop(Written, Info) = GetInt64Prop(Read, Info);
             tkSet:
                Result := GetSetProp(Written, Info, True) = GetSetProp(Read, Info, True);
             tkFloat:
                Result := GetFloatProp(Written, Info) = GetFloatProp(Read, Info);
             tkSString, tkLString, tkAString:
                Result := GetStrProp(Written, Info) = GetStrProp(Read, Info);
             tkWString:
                Result := GetWideStrProp(Written, Info) = GetWideStrProp(Read, Info);
             tkUString:
                Result := GetUnicodeStrProp(Written, Info) = GetUnicodeStrProp(Read, Info);
           else
             Result := True;
           end;
      end;

      { Checks each published property of a simple, string, set or enumerated type that the
        form file holds, and each published sub-component with its own properties }
      procedure CheckStreamed(const Path : String; Written, Read : TComponent);
      const
        Compared = [tkInteger, tkChar, tkWChar, tkEnumeration, tkBool, tkInt64, tkQWord,
                    tkSet, tkFloat, tkSString, tkLString, tkAString, tkWString, tkUString];
      var
        Props : PPropList;
        Count, I : Integer;
        Info : PPropInfo;
        What : String;
        Sub : TComponent;
      begin
           Count := GetPropList(Written, Props);
           try
              for I := 0 to Count - 1 do
              begin
                   Info := Props^[I];
                   What := Path + Info^.Name;
                   Sub := SubComponent(Written, Info);
                   if Sub <> nil then
                   try
                      Check(What + ' streams with its owner',
                            (SubComponent(Read, Info) <> nil) and
                            (SubComponent(Read, Info).Tag = Sub.Tag));
                      if SubComponent(Read, Info) <> nil then
                         CheckStreamed(What + '.', Sub, SubComponent(Read, Info));
                   except
                      on E : Exception do CheckRaised(What + ' streams with its owner', E);
                   end
                   else if (Info^.PropType^.Kind in Compared) and (Info^.SetProc <> nil) and
                           IsStoredProp(Written, Info) then
                   try
                      Check(What + ' reads back from the form file', ReadsBack(Written, Read, Info));
                   except
                      on E : Exception do CheckRaised(What + ' reads back from the form file', E);
                   end;
              end;
           finally
              FreeMem(Props);
           end;
      end;

      var
        Owner, Copy : TFormFile;
        Link : TComponent;
        Component : $class$;
        Stream : TMemoryStream;
      )",
            {{"class", cls}});
  auto declare = [&](std::string_view prefix, const PropertyPart& p) {
    out.Emit({"  $prefix$$name$ : $type$;"},
             {{"prefix", std::string(prefix)}, {"name", p.Name.str()}, {"type", p.PropType.str()}});
  };
  for (const PropertyPart* p : written) declare("V", *p);
  for (const PropertyPart* p : defaults) {
    if (KeptAsParentKeepsIt(*p)) declare("D", *p);
  }
  out.Block(R"(
      begin
           { The LCL keeps heaptrc quiet when nothing leaked; the count is wanted }
           {$$if declared(GlobalSkipIfNoLeaks)}
           GlobalSkipIfNoLeaks := False;
           {$$endif}
           Checks := 0;
           Failures := 0;
           Component := nil;
           Copy := nil;
           Owner := TFormFile.Create(nil);
      )",
            {{"class", cls}});
  Guarded(out, cls + ".Create(Owner)", {"Component := " + cls + ".Create(Owner);"},
          "Component.Owner = Owner");
  for (const PropertyPart* p : defaults) {
    const std::string value = "Component." + p->Name;
    const std::string what = p->Name + " starts as its default " + p->PropDefault;
    if (KeptAsParentKeepsIt(*p)) {
      // The parent class may keep a value in its own form (the LCL's file dialogs put a dot
      // before DefaultExt): the default, assigned again, must leave the property as it was.
      const std::string var = "D" + p->Name;
      Guarded(out, what, {var + " := " + value + ";", value + " := " + p->PropDefault + ";"},
              value + " = " + var);
    } else {
      Guarded(out, what, {},
              KindOfType(p->PropType) == ValueKind::kFloat && !p->Inherited
                  ? "Abs(" + value + " - (" + p->PropDefault + ")) < 1E-6"
                  : value + " = " + p->PropDefault);
    }
  }
  for (const PropertyPart* p : written) {
    const std::string var = "V" + p->Name;
    const std::string value = "Component." + p->Name;
    std::vector<std::string> code;
    switch (KindOfType(p->PropType)) {
      case ValueKind::kBoolean:
        code.push_back(var + " := not " + value + ";");
        break;
      case ValueKind::kFloat:
        code.push_back(var + " := " + value + " + 1;");
        break;
      case ValueKind::kString:
        code.push_back(var + " := " + value + " + 'x';");
        break;
      default:
        code.push_back(var + " := " + value + ";");
        code.push_back("if " + var + " = High(" + var + ") then " + var + " := Low(" + var +
                       ") else " + var + " := Succ(" + var + ");");
        break;
    }
    code.push_back(value + " := " + var + ";");
    Guarded(out, p->Name + " reads back the value written", code, value + " = " + var);
  }
  for (const PropertyPart* p : links) {
    const std::string type = p->PropType.str();
    const std::string name = "Component." + p->Name.str();
    Guarded(out, p->Name + " holds the component assigned",
            {"Link := " + type + ".Create(Owner);", name + " := " + type + "(Link);"},
            name + " = Link");
    Guarded(out, p->Name + " is nil once nil is assigned", {name + " := nil;"}, name + " = nil");
    Guarded(out, p->Name + " is nil once the linked component is freed",
            {name + " := " + type + "(Link);", "Link.Free;"}, name + " = nil");
  }
  // The form designer's round trip: the component on a form written to a form file, and the
  // form file read into a new form, which creates the component's copy.
  out.Line("     Stream := TMemoryStream.Create;");
  Guarded(out, cls + " streams to a form file and back",
          {"MarkSubComponents(Component);", "Component.Name := 'Component1';",
           "RegisterClass(" + cls + ");", "Stream.WriteComponent(Owner);", "Stream.Position := 0;",
           "Copy := TFormFile.Create(nil);", "Stream.ReadComponent(Copy);"},
          "Copy.FindComponent('Component1') is " + cls);
  out.Block(R"(
           Stream.Free;
           if (Copy <> nil) and (Copy.FindComponent('Component1') is $class$) then
              CheckStreamed('', Component, Copy.FindComponent('Component1'));
      )",
            {{"class", cls}});
  Guarded(out, "The form read from the form file frees", {"FreeAndNil(Copy);"}, "True");
  for (const PropertyPart* p : unstored) {
    Guarded(out, p->Name + " is not stored while it holds its default " + p->PropDefault,
            {"Component." + p->Name + " := " + p->PropDefault + ";"},
            "not Stored(Owner, " + Quoted(p->Name) + ")");
  }
  Guarded(out, cls + ".Free leaves its owner", {"FreeAndNil(Component);"},
          "Owner.ComponentCount = 0");
  out.Block(R"(
           Owner.Free;
           if Failures > 0 then
           begin
                WriteLn(Failures, ' of ', Checks, ' checks failed');
                Halt(1);
           end;
           WriteLn('All ', Checks, ' checks passed');
      end.
      )");
  return out.text();
}

std::string WriteSmokeProject(const model::ComponentDef& def) {
  const std::string name = SmokeProgramName(def);
  const std::string file = model::LowerCase(name);
  Printer out;
  out.Block(R"(
      <?xml version="1.0" encoding="UTF-8"?>
      <CONFIG>
        <ProjectOptions>
          <Version Value="12"/>
          <General>
            <Flags>
              <MainUnitHasUsesSectionForAllUnits Value="False"/>
              <MainUnitHasCreateFormStatements Value="False"/>
              <MainUnitHasTitleStatement Value="False"/>
            </Flags>
            <Title Value="$name$"/>
          </General>
          <BuildModes>
            <Item Name="Default" Default="True"/>
          </BuildModes>
          <RequiredPackages>
            <Item>
              <PackageName Value="LCL"/>
            </Item>
          </RequiredPackages>
          <Units>
            <Unit>
              <Filename Value="$file$.lpr"/>
              <IsPartOfProject Value="True"/>
            </Unit>
          </Units>
        </ProjectOptions>
        <CompilerOptions>
          <Version Value="11"/>
          <Target>
            <Filename Value="$file$"/>
          </Target>
          <Linking>
            <Debugging>
              <UseHeaptrc Value="True"/>
            </Debugging>
          </Linking>
        </CompilerOptions>
      </CONFIG>
      )",
            {{"name", name}, {"file", file}});
  return out.text();
}

}  // namespace kx::generate
