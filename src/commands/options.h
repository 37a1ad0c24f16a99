// SPDX-License-Identifier: GPL-3.0-or-later
// The Options menu: each command asks whether to change one setting, lets the user choose the
// new value, writes its key to the settings file at once and updates the settings in memory.
// Each returns whether the setting changed. A failed write is told the user as an error box
// and leaves the settings as they were.
//
//   if (ChangeCommentingLevel(dialogs, settings)) RefreshStatus();
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "commands/dialogs.h"
#include "platform/clock.h"
#include "store/settings.h"

namespace kx::commands {

// The texts of the "Other options" dialog; the choices are indexed by the Codeview setting.
inline constexpr std::string_view kOtherOptionsCaption = "Other options";
inline constexpr std::string_view kCopyrightLineLabel = "Default copyright line:";
inline constexpr std::string_view kCodeViewingGroup = "Code viewing options...";
inline constexpr std::string_view kKeywordUrlLabel =
    "Address for keyword help ({keyword} stands for the word looked up):";
inline constexpr std::array<std::string_view, 3> kCodeViewingChoices = {
    "Ask whether to display code after generating", "Always display code after generating",
    "Never display code after generating"};

bool ChangeDefaultSourceDirectory(Dialogs& dialogs, store::Settings& settings);
bool ChangeDefaultTargetDirectory(Dialogs& dialogs, store::Settings& settings);
bool ChangeCommentingLevel(Dialogs& dialogs, store::Settings& settings);
// Delphi, Lazarus or today's Delphi: what the component and property editor units are written
// for, chosen from the two it is not.
bool ChangeCodeTarget(Dialogs& dialogs, store::Settings& settings);
// Chooses the help files of the new version (ChooseHelpFiles) before telling the user.
bool ChangeDelphiVersion(Dialogs& dialogs, store::Settings& settings,
                         const std::filesystem::path& wine_prefix);
// What the desktop remembers without asking: the printing font the user chose and the
// window's place as it was closed.
bool SavePrintFont(Dialogs& dialogs, store::Settings& settings, std::string_view family, int size);
bool SaveWindowGeometry(Dialogs& dialogs, store::Settings& settings, std::string_view geometry);
// The compiler of the Delphi version in use.
bool ChangeResourceCompilerPath(Dialogs& dialogs, store::Settings& settings);
// The dialog offers the copyright lines of the clock's year.
bool ChangeOtherOptions(Dialogs& dialogs, store::Settings& settings, const platform::Clock& clock);

}  // namespace kx::commands
