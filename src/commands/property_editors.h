// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Property editors: the unit of custom property editors the definition's
// properties ask for, with the choice of the unit, of each editor's kind and of the forms
// some kinds edit their value in.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands/dialogs.h"
#include "commands/generated_file.h"
#include "generate/extras/editor_unit.h"
#include "model/component_def.h"
#include "platform/clock.h"
#include "store/settings.h"

namespace kx::commands {

inline constexpr std::string_view kPropertyEditorsCaption = "Generate property editors";
inline constexpr std::string_view kNoEditorsRequestedMessage =
    "No custom property editors have been requested in this component definition.  Select a "
    "property and press the >>> button to request a custom property editor for it.";

struct PropertyEditorOptions {
  int codeview = store::kCodeviewAlways;
  std::string default_target_dir;
  // A folder chosen beforehand (kestrix-cli -o): the unit goes there without the question.
  std::optional<std::filesystem::path> output_dir;
  model::CodeTarget target = model::CodeTarget::kDelphi;
  EditedUnitHandling edited;
};

// The editor units the properties name, sorted, each once in any letter case.
std::vector<std::string> RequestedEditorUnits(const model::ComponentDef& def);

// The editors of one unit and their kinds, asked of the user; nothing when the user gave up.
// Each chosen kind is remembered in its property's EditorBase.
std::optional<generate::EditorSelection> SelectEditorKinds(model::ComponentDef& def,
                                                           std::string_view unit_name,
                                                           Dialogs& dialogs);

// The path written, or nothing when no unit was written.
std::optional<std::filesystem::path> GeneratePropertyEditors(model::ComponentDef& def,
                                                             const PropertyEditorOptions& options,
                                                             Dialogs& dialogs,
                                                             const platform::Clock& clock);

}  // namespace kx::commands
