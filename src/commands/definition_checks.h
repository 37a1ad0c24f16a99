// SPDX-License-Identifier: GPL-3.0-or-later
// The definition checks run before generation: faults that compile, or nearly do, but give
// a component that misbehaves once a user drops it on a form (a default that nothing sets,
// an object property that takes over the object it is given, a reference that outlives the
// component it points at, ...). Each check is one row of one table; each finding names the
// item it concerns and says how to fix it. The checks read the definition as generation
// prepares it (default code filled in), so they see the code the unit will have.
//
//   for (const DefinitionFinding& finding : CheckDefinition(def)) ...
//   if (!ConfirmDefinitionChecks(def, dialogs)) return;  // the user cancelled generation
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "model/component_def.h"

namespace kx::commands {

struct DefinitionCheck {
  std::string_view name;  // as findings, the manual and kestrix-cli name the check
  void (*run)(const model::ComponentDef& prepared, std::vector<DefinitionFinding>& findings);
};

// The checks in the order their findings are listed.
std::span<const DefinitionCheck> DefinitionChecks();

// Every finding of every check, in the table's order; none for a sound definition.
std::vector<DefinitionFinding> CheckDefinition(const model::ComponentDef& def);

// A finding as one line: "Item: message", or the message alone for the component as a whole.
std::string FindingText(const DefinitionFinding& finding);

// Before generating: shows the findings, if any, and asks whether to generate anyway. True
// when generation goes on.
bool ConfirmDefinitionChecks(const model::ComponentDef& def, Dialogs& dialogs);

}  // namespace kx::commands
