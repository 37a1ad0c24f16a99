// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Smoke test and Generate > Lazarus package: what the Lazarus target adds beyond the
// units. Both write the component unit for Lazarus without its design-time parts beside what
// they make, into the folder given or else a folder of their own in the definition's target
// directory ("smoke", "lazarus"), so that the Delphi unit there stays as it is.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "commands/generated_file.h"
#include "generate/extras/palette_icon.h"
#include "model/component_def.h"
#include "platform/clock.h"
#include "store/settings.h"

namespace kx::commands {

struct LazarusOutputOptions {
  bool full_comments = true;
  std::string default_target_dir;
  std::optional<std::filesystem::path> output_dir;
  // The palette icon's picture (PNG or BMP); without one, the placeholder bitmap.
  std::optional<std::filesystem::path> icon;
  // The packages' units a user may edit in the IDE (the run-time unit, the property editor
  // units), changed since they were written: replaced only as this says.
  EditedUnitHandling edited;
};

LazarusOutputOptions LazarusOutputOptionsFrom(const store::Settings& settings);

// How a package's palette icon resource is written from a picture and from a PNG file.
struct IconResourceWriters {
  std::string (*from_picture)(std::string_view class_name, const generate::Picture& picture);
  std::string (*from_png)(std::string_view class_name, std::string_view png);
};

// The property editor units the properties ask for, written into dir for target as units the
// user may edit (their kinds asked as Generate > Property editors asks them, an edited one not
// replaced unawares); their names, or nothing after the message.
std::optional<std::vector<std::string>> WritePackageEditorUnits(
    model::ComponentDef& def, const std::filesystem::path& dir, model::CodeTarget target,
    const EditedUnitHandling& edited, std::string_view caption, Dialogs& dialogs,
    const platform::Clock& clock);

// The palette icon resource of the definition's class, from icon (PNG or BMP) or else the
// placeholder bitmap; nothing after the message that says why not.
std::optional<std::string> PaletteIconResource(const model::ComponentDef& def,
                                               const std::optional<std::filesystem::path>& icon,
                                               const IconResourceWriters& writers,
                                               Dialogs& dialogs);

// The program (<unit>smoke.lpr), its project (.lpi) and the unit; the program's path, or
// nothing after the message that says why not.
std::optional<std::filesystem::path> GenerateSmokeTest(model::ComponentDef& def,
                                                       const LazarusOutputOptions& options,
                                                       Dialogs& dialogs,
                                                       const platform::Clock& clock);

// The run-time package (runtime/<unit>_rt.lpk with the unit) and the design-time package
// (designtime/<unit>_dsgn.lpk with the registration unit, the property editor units, their
// kinds asked as Generate > Property editors asks them, and the palette icon); the
// design-time package's path, or nothing after the message that says why not. A run-time unit
// edited in the IDE is handled as Generate > Component code handles its unit (took_edits).
std::optional<std::filesystem::path> GenerateLazarusPackages(model::ComponentDef& def,
                                                             const LazarusOutputOptions& options,
                                                             Dialogs& dialogs,
                                                             const platform::Clock& clock,
                                                             bool* took_edits = nullptr);

}  // namespace kx::commands
