// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Component code: writes the definition's Pascal unit into its target directory,
// then shows it as the code viewing setting says.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "commands/dialogs.h"
#include "commands/generated_file.h"
#include "commands/unit_sync.h"
#include "model/component_def.h"
#include "platform/clock.h"
#include "store/settings.h"

namespace kx::commands {

struct GenerateUnitOptions {
  bool full_comments = true;
  int codeview = store::kCodeviewAlways;
  model::CodeTarget target = model::CodeTarget::kDelphi;
  std::string default_target_dir;  // when the definition names none
  // A directory that replaces the target directory (kestrix-cli -o).
  std::optional<std::filesystem::path> output_dir;
  EditedUnitHandling edited;
};

inline constexpr std::string_view kUnitChangedQuestion =
    "The unit was changed outside Kestrix. Take those changes into the definition first?";

// Where generation writes the definition's unit; nothing after the message that says why it
// has no name.
std::optional<std::filesystem::path> ComponentUnitPath(const model::ComponentDef& def,
                                                       const GenerateUnitOptions& options,
                                                       Dialogs& dialogs);

GenerateUnitOptions GenerateUnitOptionsFrom(const store::Settings& settings);

// File > Print component interface and kestrix-cli interface: the definition prepared as
// generation prepares it (items sorted by name, argument lists normalised), then the interface
// part of its unit for the target, lines ended by "\n".
struct ComponentInterface {
  std::string job_title;  // "Kestrix - " + the class name
  std::string text;
};
ComponentInterface PrepareComponentInterface(model::ComponentDef& def,
                                             const GenerateUnitOptions& options,
                                             const platform::Clock& clock);

// The path written, or nothing after the message that says why not. The definition changes
// as generation changes it (sorted items, target directory, default code). A unit that holds
// edits the definition lacks is replaced only as options.edited says; when the user chose to
// take those edits first, the definition receives them and took_edits is set. For a target that
// registers in a unit of its own, that unit is written beside it (RegistrationUnitPath).
std::optional<std::filesystem::path> GenerateComponentCode(model::ComponentDef& def,
                                                           const GenerateUnitOptions& options,
                                                           Dialogs& dialogs,
                                                           const platform::Clock& clock,
                                                           bool* took_edits = nullptr);

// Before the component unit at path (or the Lazarus packages' copy of it) is replaced: true
// when it may be. A unit that holds edits the definition lacks is replaced only as edited
// says; when the user asks to take those edits first, def receives them and took_edits is set.
bool MayReplaceComponentUnit(const std::filesystem::path& path, model::ComponentDef& def,
                             const SyncOptions& sync, const EditedUnitHandling& edited,
                             std::string_view caption, Dialogs& dialogs, bool* took_edits);

// Generate > Take edits from unit...: the unit chosen (the generated one proposed), its edits
// taken into def as the user answers, what was taken shown; true when def changed.
bool TakeUnitEdits(model::ComponentDef& def, const GenerateUnitOptions& options, Dialogs& dialogs);

// Where GenerateComponentCode wrote the registration unit beside the unit at unit_path; nothing
// for a target that registers in the component unit.
std::optional<std::filesystem::path> RegistrationUnitPath(const model::ComponentDef& def,
                                                          const std::filesystem::path& unit_path,
                                                          model::CodeTarget target);

}  // namespace kx::commands
