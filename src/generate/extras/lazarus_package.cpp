// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/lazarus_package.h"

#include "generate/extras/documentation.h"
#include "generate/printer.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "generate/unit_frame.h"
#include "model/text.h"

namespace kx::generate {

namespace {

struct PackageFile {
  std::string name;
  std::string type;  // "RunTime", "DesignTime"
  std::string description;
  std::vector<std::pair<std::string, bool>> units;            // file's unit name, has Register
  std::vector<std::pair<std::string, std::string>> required;  // package, its .lpk when ours
};

std::string WritePackage(const PackageFile& p) {
  Printer out;
  out.Block(R"xml(
      <?xml version="1.0" encoding="UTF-8"?>
      <CONFIG>
        <Package Version="5">
          <Name Value="$name$"/>
          <Type Value="$type$"/>
          <CompilerOptions>
            <Version Value="11"/>
            <SearchPaths>
              <UnitOutputDirectory Value="lib/$$(TargetCPU)-$$(TargetOS)"/>
            </SearchPaths>
          </CompilerOptions>
          <Description Value="$description$"/>
          <Files Count="$count$">
      )xml",
            {{"name", p.name},
             {"type", p.type},
             {"description", p.description},
             {"count", std::to_string(p.units.size())}});
  int n = 0;
  for (const auto& [unit, registers] : p.units) {
    const Vars vars = {
        {"n", std::to_string(++n)}, {"file", model::LowerCase(unit) + ".pas"}, {"unit", unit}};
    out.Emit({"      <Item$n$>", "        <Filename Value=\"$file$\"/>"}, vars);
    if (registers) out.Line("        <HasRegisterProc Value=\"True\"/>");
    out.Emit({"        <UnitName Value=\"$unit$\"/>", "      </Item$n$>"}, vars);
  }
  out.Line("    </Files>");
  out.Emit({"    <RequiredPkgs Count=\"$count$\">"},
           {{"count", std::to_string(p.required.size())}});
  n = 0;
  for (const auto& [package, file] : p.required) {
    const Vars vars = {{"n", std::to_string(++n)}, {"package", package}, {"file", file}};
    out.Emit({"      <Item$n$>", "        <PackageName Value=\"$package$\"/>"}, vars);
    if (!file.empty())
      out.Emit({"        <DefaultFilename Value=\"$file$\" Prefer=\"True\"/>"}, vars);
    out.Emit({"      </Item$n$>"}, vars);
  }
  out.Block(R"xml(
          </RequiredPkgs>
          <UsageOptions>
            <UnitPath Value="$$(PkgOutDir)"/>
          </UsageOptions>
          <PublishOptions>
            <Version Value="2"/>
          </PublishOptions>
        </Package>
      </CONFIG>
      )xml");
  return out.text();
}

}  // namespace

LazarusPackageNames LazarusPackageNamesOf(const model::ComponentDef& def) {
  const std::string unit = def.MainInfo.UnitName.str();
  const std::string lower = model::LowerCase(unit);
  return {lower + "_rt", lower + "_dsgn", RegistrationUnitName(def), lower + "reg.res"};
}

std::string WriteRuntimePackage(const model::ComponentDef& def) {
  const LazarusPackageNames names = LazarusPackageNamesOf(def);
  return WritePackage({names.runtime,
                       "RunTime",
                       EscapeHtml(def.MainInfo.NewClassName.str() + " (run-time)"),
                       {{def.MainInfo.UnitName.str(), false}},
                       {{"LCL", ""}}});
}

std::string WriteDesignTimePackage(const model::ComponentDef& def,
                                   const std::vector<std::string>& editor_units) {
  const LazarusPackageNames names = LazarusPackageNamesOf(def);
  PackageFile p{names.design_time,
                "DesignTime",
                EscapeHtml(def.MainInfo.NewClassName.str() + " (design-time)"),
                {{names.registration, true}},
                {{"IDEIntf", ""}, {names.runtime, "../runtime/" + names.runtime + ".lpk"}}};
  for (const std::string& unit : editor_units) p.units.emplace_back(unit, false);
  return WritePackage(p);
}

std::string WritePackageMainUnit(std::string_view package, const std::vector<std::string>& units,
                                 const std::string& registering_unit) {
  Printer out;
  out.Block(R"(
      { This file was automatically created by Lazarus. Do not edit!
        This source is only used to compile and install the package.
       }

      unit $package$;

      {$$warn 5023 off : no warning about unused units}
      interface

      )",
            {{"package", std::string(package)}});
  std::vector<std::string> used = units;
  if (!registering_unit.empty()) used.emplace_back("LazarusPackageIntf");
  std::string list;
  for (const std::string& unit : used) list += (list.empty() ? "" : ", ") + unit;
  out.Line("uses");
  out.Emit({"  $units$;"}, {{"units", list}});
  out.Line();
  out.Line("implementation");
  out.Line();
  if (!registering_unit.empty()) {
    out.Block(R"(
        procedure Register;
        begin
          RegisterUnit('$unit$', @$unit$.Register);
        end;

        initialization
          RegisterPackage('$package$', @Register);
        )",
              {{"unit", registering_unit}, {"package", std::string(package)}});
  }
  out.Line("end.");
  return out.text();
}

std::string WriteRegistrationUnit(const model::ComponentDef& def, const platform::DateTime& at) {
  return WriteRegistrationUnit(def, at, TargetFor(model::CodeTarget::kLazarus),
                               LazarusPackageNamesOf(def).icons);
}

}  // namespace kx::generate
