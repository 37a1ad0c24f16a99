// SPDX-License-Identifier: GPL-3.0-or-later
// The component unit: header comment, uses clause, type section, Register and the
// implementation, laid out top to bottom. Generating it changes the definition, as generation
// always has; PrepareForUnit makes those changes, and the writer then only reads.
//
//   PrepareForUnit(def, options);
//   std::string text = WriteComponentUnit(def, options, clock.Now());
#pragma once

#include <string>

#include "generate/printer.h"
#include "generate/target.h"
#include "model/code_target.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

struct UnitOptions {
  bool full_comments = true;
  // Only the interface part, up to "procedure Register;": what printing shows.
  bool interface_only = false;
  model::CodeTarget target = model::CodeTarget::kDelphi;
  // For a run-time package or program: no Register procedure and none of the units that only
  // the IDE has (the design-time interface, the editor units). A target that registers in a
  // unit of its own always writes the component unit so.
  bool runtime_only = false;
};

// The items sorted by name, "Dsgnintf" among the units when a property has its own editor,
// new events' argument lists normalized, and, unless only the interface is wanted, every
// body the unit writes that has no code given its default code.
void PrepareForUnit(model::ComponentDef& def, const UnitOptions& options);

// The unit's text, lines ended by "\n", of a definition PrepareForUnit prepared.
std::string WriteComponentUnit(const model::ComponentDef& def, const UnitOptions& options,
                               const platform::DateTime& at);

// Register: the component on its palette page and the property editors of its properties.
void WriteRegisterProcedure(Printer& out, const model::ComponentDef& def, const Target& target);

// "MyButtonReg": the unit that registers the component of unit MyButton where registration has
// a unit of its own.
std::string RegistrationUnitName(const model::ComponentDef& def);

// That unit, of a prepared definition: Register as the component unit would write it (the
// component and its property editors), using the definition's units and the component's, and
// binding the resource file named, if any (the palette icons).
std::string WriteRegistrationUnit(const model::ComponentDef& def, const platform::DateTime& at,
                                  const Target& target, std::string_view resource = {});

// The definition's units without the design-time interface and the property editor units.
model::TextBlock RuntimeUnits(const model::ComponentDef& def);

}  // namespace kx::generate
