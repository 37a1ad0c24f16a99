// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Delphi packages: the component's run-time and design-time packages for today's
// Delphi, with the units written for it, into the folder given or else "delphi" in the
// definition's target directory, so that the units there stay as they are.
#pragma once

#include <filesystem>
#include <optional>

#include "commands/dialogs.h"
#include "commands/lazarus_output.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::commands {

// The options are the Lazarus packages' own: comments, folders, the icon, edited units.
using PackageOutputOptions = LazarusOutputOptions;

// The run-time package (<unit>_rt.dpk with the component unit) and the design-time package
// (<unit>_dsgn.dpk with the registration unit, the property editor units, their kinds asked as
// Generate > Property editors asks them, and the palette icon <unit>reg.dcr); the design-time
// package's path, or nothing after the message that says why not. Each package's {$R *.res} is
// the IDE's to make (an empty resource file is no valid one). The component unit and the
// editor units, which a user may edit in the IDE, are replaced as the Lazarus packages' are
// (took_edits).
std::optional<std::filesystem::path> GenerateDelphiPackages(model::ComponentDef& def,
                                                            const PackageOutputOptions& options,
                                                            Dialogs& dialogs,
                                                            const platform::Clock& clock,
                                                            bool* took_edits = nullptr);

}  // namespace kx::commands
