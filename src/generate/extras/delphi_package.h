// SPDX-License-Identifier: GPL-3.0-or-later
// The two packages of a component for today's Delphi: a run-time package with the component
// unit, and a design-time package (requiring it and designide) with the registration unit, the
// property editor units and the palette icon resource. Both live in one folder: each names its
// units with their files, so no unit is found by both.
//
//   const DelphiPackageNames names = DelphiPackageNamesOf(def);
//   WriteFile(names.runtime + ".dpk", WriteDelphiRuntimePackage(def));
#pragma once

#include <string>
#include <vector>

#include "generate/extras/palette_icon.h"
#include "model/component_def.h"

namespace kx::generate {

struct DelphiPackageNames {
  std::string runtime;       // "mybutton_rt": the package and its file name
  std::string design_time;   // "mybutton_dsgn"
  std::string registration;  // "MyButtonReg": the unit with Register
  std::string icons;         // "mybuttonreg.dcr": the palette icon resource
};
DelphiPackageNames DelphiPackageNamesOf(const model::ComponentDef& def);

// The packages that hold the units named (as today's Delphi names them), beyond rtl and vcl,
// in the order a package's requires clause lists them: "dbrtl" for Data.DB, ...
std::vector<std::string> PackagesForUnits(const model::TextBlock& units);

// The package files (lines ended by "\n") of a prepared definition.
std::string WriteDelphiRuntimePackage(const model::ComponentDef& def);
// editor_units: the property editor units beside the registration unit.
std::string WriteDelphiDesignTimePackage(const model::ComponentDef& def,
                                         const std::vector<std::string>& editor_units);

// The palette icon resource (.dcr): the picture as a 24 by 24 32-bit bitmap with its alpha
// channel (not premultiplied), named as the IDE looks it up, the class name in capitals.
std::string WriteDelphiIconResource(std::string_view class_name, const Picture& picture);
// A PNG file kept as it is, under the same name.
std::string WriteDelphiIconResourceFromPng(std::string_view class_name, std::string_view png);

}  // namespace kx::generate
