// SPDX-License-Identifier: GPL-3.0-or-later
// The two Lazarus packages of a component: a run-time package with the component unit, and a
// design-time package (requiring it and IDEIntf) with the registration unit, the property
// editor units and the palette icon. Each lives in a folder of its own (runtime/, designtime/)
// so that no unit belongs to both.
//
//   const LazarusPackageNames names = LazarusPackageNamesOf(def);
//   WriteFile("runtime/" + names.runtime + ".lpk", WriteRuntimePackage(def));
#pragma once

#include <string>
#include <vector>

#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

struct LazarusPackageNames {
  std::string runtime;       // "mybutton_rt": the package and its file name
  std::string design_time;   // "mybutton_dsgn"
  std::string registration;  // "MyButtonReg": the unit with Register
  std::string icons;         // "mybuttonreg.res": the palette icon resource
};
LazarusPackageNames LazarusPackageNamesOf(const model::ComponentDef& def);

// The package files (lines ended by "\n").
std::string WriteRuntimePackage(const model::ComponentDef& def);
// editor_units: the property editor units beside the registration unit.
std::string WriteDesignTimePackage(const model::ComponentDef& def,
                                   const std::vector<std::string>& editor_units);
// The main unit Lazarus keeps for each package, naming its units.
std::string WritePackageMainUnit(std::string_view package, const std::vector<std::string>& units,
                                 const std::string& registering_unit = {});

// The registration unit for Lazarus: Register as the component unit writes it (the component
// and its property editors), with the palette icon resource. Of a prepared definition.
std::string WriteRegistrationUnit(const model::ComponentDef& def, const platform::DateTime& at);

}  // namespace kx::generate
