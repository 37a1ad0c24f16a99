// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/delphi_package.h"

#include <algorithm>

#include "generate/printer.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"

namespace kx::generate {

namespace {

struct PackageFile {
  std::string name;
  std::string description;
  std::string kind;                // "RUNONLY", "DESIGNONLY"
  std::string icons;               // the .dcr bound into the package, if any
  std::vector<std::string> units;  // each a unit of the folder, as the unit line names it
  std::vector<std::string> required;
};

// A string literal of Pascal: quotes doubled, so that a name cannot end the directive.
std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string ListLines(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += "  " + items[i] + (i + 1 == items.size() ? ";" : ",") + "\n";
  }
  return out;
}

std::string WritePackage(const PackageFile& p) {
  Printer out;
  out.Emit({"package $name$;", "", "{$$R *.res}"}, {{"name", p.name}});
  if (!p.icons.empty()) out.Emit({"{$$R $icons$}"}, {{"icons", Quoted(p.icons)}});
  // The IDE's own package options: a package built when a project that requires it is built.
  out.Emit({"{$$DESCRIPTION $description$}", "{$$$kind$}", "{$$IMPLICITBUILD ON}", "", "requires"},
           {{"description", Quoted(p.description)}, {"kind", p.kind}});
  std::string text = out.text() + ListLines(p.required) + "\ncontains\n";
  std::vector<std::string> contained;
  for (const std::string& unit : p.units) {
    contained.push_back(unit + " in " + Quoted(model::LowerCase(unit) + ".pas"));
  }
  return text + ListLines(contained) + "\nend.\n";
}

void AddOnce(std::vector<std::string>& list, const std::string& item) {
  if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

}  // namespace

DelphiPackageNames DelphiPackageNamesOf(const model::ComponentDef& def) {
  const std::string lower = model::LowerCase(def.MainInfo.UnitName.str());
  const std::string registration = RegistrationUnitName(def);
  return {lower + "_rt", lower + "_dsgn", registration, model::LowerCase(registration) + ".dcr"};
}

std::vector<std::string> PackagesForUnits(const model::TextBlock& units) {
  // Only the units the class catalogue and the templates name beyond rtl's and vcl's; a
  // package listed without need would make the IDE load it for nothing.
  // clang-format off
  static constexpr struct {
    std::string_view unit;
    std::string_view packages;
  } kTable[] = {
      {"Data.DB",      "dbrtl"},
      {"Vcl.DBCtrls",  "dbrtl vcldb"},
      {"Vcl.DBGrids",  "dbrtl vcldb"},
      {"Vcl.DBLookup", "dbrtl vcldb"},
      {"Vcl.DBPWDlg",  "dbrtl vcldb"},
      {"Bde.DBTables", "dbrtl bdertl"},
  };
  // clang-format on
  std::vector<std::string> found;
  if (!units) return found;
  for (const std::string& unit : *units) {
    for (const auto& row : kTable) {
      if (!model::SameText(unit, row.unit)) continue;
      std::string_view rest = row.packages;
      while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        AddOnce(found, std::string(rest.substr(0, space)));
        rest = space == std::string_view::npos ? "" : rest.substr(space + 1);
      }
    }
  }
  // The order of the layers: the run-time library's before the VCL's that build on them.
  static constexpr std::string_view kOrder[] = {"dbrtl", "bdertl", "vcldb"};
  std::vector<std::string> ordered;
  for (const std::string_view package : kOrder) {
    if (std::find(found.begin(), found.end(), package) != found.end()) {
      ordered.emplace_back(package);
    }
  }
  return ordered;
}

std::string WriteDelphiRuntimePackage(const model::ComponentDef& def) {
  const DelphiPackageNames names = DelphiPackageNamesOf(def);
  std::vector<std::string> required = {"rtl", "vcl"};
  for (const std::string& package :
       PackagesForUnits(TargetFor(model::CodeTarget::kDelphiXe).Units(RuntimeUnits(def)))) {
    AddOnce(required, package);
  }
  return WritePackage({names.runtime,
                       def.MainInfo.NewClassName.str() + " (run-time)",
                       "RUNONLY",
                       "",
                       {def.MainInfo.UnitName.str()},
                       required});
}

std::string WriteDelphiDesignTimePackage(const model::ComponentDef& def,
                                         const std::vector<std::string>& editor_units) {
  const DelphiPackageNames names = DelphiPackageNamesOf(def);
  std::vector<std::string> required = {"rtl", "vcl"};
  for (const std::string& package :
       PackagesForUnits(TargetFor(model::CodeTarget::kDelphiXe).Units(def.MainInfo.Units))) {
    AddOnce(required, package);
  }
  required.insert(required.end(), {"designide", names.runtime});
  std::vector<std::string> units = {names.registration};
  units.insert(units.end(), editor_units.begin(), editor_units.end());
  return WritePackage({names.design_time, def.MainInfo.NewClassName.str() + " (design-time)",
                       "DESIGNONLY", names.icons, units, required});
}

std::string WriteDelphiIconResource(std::string_view class_name, const Picture& picture) {
  constexpr int kSide = 24;
  const Picture icon = Scaled(picture, kSide);
  std::string dib;
  auto put = [&dib](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) dib += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(40, 4);  // the size of the header
  put(kSide, 4);
  put(kSide, 4);  // positive: rows bottom to top
  put(1, 2);      // planes
  put(32, 2);     // bits a pixel: blue, green, red and alpha
  put(0, 4);      // uncompressed
  put(kSide * kSide * 4, 4);
  put(0, 4);
  put(0, 4);
  put(0, 4);  // no palette
  put(0, 4);
  for (int y = kSide - 1; y >= 0; --y) {
    for (int x = 0; x < kSide; ++x) {
      const std::uint32_t argb = icon.pixels[static_cast<std::size_t>(y * kSide + x)];
      put(argb & 0xFF, 1);
      put((argb >> 8) & 0xFF, 1);
      put((argb >> 16) & 0xFF, 1);
      put(argb >> 24, 1);
    }
  }
  return WriteResources({{kResourceBitmap, std::string(class_name), dib}});
}

std::string WriteDelphiIconResourceFromPng(std::string_view class_name, std::string_view png) {
  return WriteResources({{kResourceRcdata, std::string(class_name), std::string(png)}});
}

}  // namespace kx::generate
