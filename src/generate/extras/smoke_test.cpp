#include "generate/extras/smoke_test.h"

#include <vector>

#include "generate/lazarus_target.h"
#include "generate/text_template.h"
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

void Check(Printer& out, std::string_view what, std::string_view condition) {
  out.Line("     Check(" + Quoted(what) + ", " + std::string(condition) + ");");
}

}  // namespace

std::string SmokeProgramName(const model::ComponentDef& def) {
  return def.MainInfo.UnitName.str() + "Smoke";
}

std::string WriteSmokeProgram(const model::ComponentDef& def) {
  const std::string cls = def.MainInfo.NewClassName.str();
  const auto defaults = Properties(def, HasDefaultToCheck);
  const auto written = Properties(def, WrittenBack);
  const auto links = Properties(def, IsLink);

  Printer out;
  out.Line("program " + SmokeProgramName(def) + ";");
  out.Line();
  model::TextBlock units = std::vector<std::string>{"Interfaces"};
  const model::TextBlock runtime_units = RuntimeUnits(def);
  for (const std::string& unit : *runtime_units) model::AddUnit(units, unit);
  model::AddUnit(units, def.MainInfo.UnitName.str());
  WriteUsesClause(out, units);
  out.Line();
  // clang-format off
  out.Emit({"var",
            "  Checks, Failures : Integer;",
            "",
            "procedure Check(const What : String; Passed : Boolean);",
            "begin",
            "     Inc(Checks);",
            "     if Passed then",
            "        WriteLn('ok   ', What)",
            "     else",
            "     begin",
            "        WriteLn('FAIL ', What);",
            "        Inc(Failures);",
            "     end;",
            "end;",
            "",
            "var",
            "  Owner, Link : TComponent;",
            "  Component : $class$;"}, {{"class", cls}});
  // clang-format on
  for (const PropertyPart* p : written) out.Line("  V" + p->Name + " : " + p->PropType + ";");
  // clang-format off
  out.Emit({"begin",
            "     { The LCL keeps heaptrc quiet when nothing leaked; the count is wanted }",
            "     {$$if declared(GlobalSkipIfNoLeaks)}",
            "     GlobalSkipIfNoLeaks := False;",
            "     {$$endif}",
            "     Checks := 0;",
            "     Failures := 0;",
            "     Owner := TComponent.Create(nil);",
            "     Component := $class$.Create(Owner);",
            "     Check('$class$.Create(Owner)', Component.Owner = Owner);"}, {{"class", cls}});
  // clang-format on
  for (const PropertyPart* p : defaults) {
    const std::string value = "Component." + p->Name;
    Check(out, p->Name + " starts as its default " + p->PropDefault,
          KindOfType(p->PropType) == ValueKind::kFloat && !p->Inherited
              ? "Abs(" + value + " - (" + p->PropDefault + ")) < 1E-6"
              : value + " = " + p->PropDefault);
  }
  for (const PropertyPart* p : written) {
    const std::string var = "V" + p->Name;
    const std::string value = "Component." + p->Name;
    switch (KindOfType(p->PropType)) {
      case ValueKind::kBoolean:
        out.Line("     " + var + " := not " + value + ";");
        break;
      case ValueKind::kFloat:
        out.Line("     " + var + " := " + value + " + 1;");
        break;
      case ValueKind::kString:
        out.Line("     " + var + " := " + value + " + 'x';");
        break;
      default:
        out.Line("     " + var + " := " + value + ";");
        out.Line("     if " + var + " = High(" + var + ") then " + var + " := Low(" + var +
                 ") else " + var + " := Succ(" + var + ");");
        break;
    }
    out.Line("     " + value + " := " + var + ";");
    Check(out, p->Name + " reads back the value written", value + " = " + var);
  }
  for (const PropertyPart* p : links) {
    const Vars vars = {{"type", p->PropType.str()}, {"name", p->Name.str()}};
    // clang-format off
    out.Emit({"     Link := $type$.Create(Owner);",
              "     Component.$name$ := $type$(Link);"}, vars);
    Check(out, p->Name + " holds the component assigned", "Component." + p->Name + " = Link");
    out.Emit({"     Component.$name$ := nil;"}, vars);
    Check(out, p->Name + " is nil once nil is assigned", "Component." + p->Name + " = nil");
    out.Emit({"     Component.$name$ := $type$(Link);",
              "     Link.Free;"}, vars);
    // clang-format on
    Check(out, p->Name + " is nil once the linked component is freed",
          "Component." + p->Name + " = nil");
  }
  // clang-format off
  out.Emit({"     Component.Free;",
            "     Check('$class$.Free leaves its owner', Owner.ComponentCount = 0);",
            "     Owner.Free;",
            "     if Failures > 0 then",
            "     begin",
            "          WriteLn(Failures, ' of ', Checks, ' checks failed');",
            "          Halt(1);",
            "     end;",
            "     WriteLn('All ', Checks, ' checks passed');",
            "end."}, {{"class", cls}});
  // clang-format on
  return ForTarget(out.text(), model::CodeTarget::kLazarus);
}

std::string WriteSmokeProject(const model::ComponentDef& def) {
  const std::string name = SmokeProgramName(def);
  const std::string file = model::LowerCase(name);
  Printer out;
  // clang-format off
  out.Emit({"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
            "<CONFIG>",
            "  <ProjectOptions>",
            "    <Version Value=\"12\"/>",
            "    <General>",
            "      <Flags>",
            "        <MainUnitHasUsesSectionForAllUnits Value=\"False\"/>",
            "        <MainUnitHasCreateFormStatements Value=\"False\"/>",
            "        <MainUnitHasTitleStatement Value=\"False\"/>",
            "      </Flags>",
            "      <Title Value=\"$name$\"/>",
            "    </General>",
            "    <BuildModes>",
            "      <Item Name=\"Default\" Default=\"True\"/>",
            "    </BuildModes>",
            "    <RequiredPackages>",
            "      <Item>",
            "        <PackageName Value=\"LCL\"/>",
            "      </Item>",
            "    </RequiredPackages>",
            "    <Units>",
            "      <Unit>",
            "        <Filename Value=\"$file$.lpr\"/>",
            "        <IsPartOfProject Value=\"True\"/>",
            "      </Unit>",
            "    </Units>",
            "  </ProjectOptions>",
            "  <CompilerOptions>",
            "    <Version Value=\"11\"/>",
            "    <Target>",
            "      <Filename Value=\"$file$\"/>",
            "    </Target>",
            "    <Linking>",
            "      <Debugging>",
            "        <UseHeaptrc Value=\"True\"/>",
            "      </Debugging>",
            "    </Linking>",
            "  </CompilerOptions>",
            "</CONFIG>"}, {{"name", name}, {"file", file}});
  // clang-format on
  return out.text();
}

}  // namespace kx::generate
