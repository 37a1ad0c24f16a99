// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a form file's names into a definition's form information, with the questions and
// warnings the user sees when the file cannot be read or holds no form.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands/dialogs.h"
#include "model/component_def.h"

namespace kx::commands {

inline constexpr std::string_view kFormFilter = "Delphi forms (*.dfm)|*.dfm";

// Whether a chosen file name is a form file's (".DFM" in any letter case).
bool LooksLikeFormFile(const std::filesystem::path& file);

// Fills form's class, form name, unit name and file from the form file. When the file
// cannot be read the user may pick another; false when no readable file was found (the
// form information is then unchanged).
bool ReadFormNames(const std::filesystem::path& file, model::FormDef& form, Dialogs& dialogs);

// The form's text form as lines trimmed of blanks: a text form as it is, a binary one
// converted. Nothing after the messages that say why not (the file is asked for again when
// it cannot be read, as for the names).
std::optional<std::vector<std::string>> ReadFormLines(const std::filesystem::path& file,
                                                      Dialogs& dialogs);

}  // namespace kx::commands
