// SPDX-License-Identifier: GPL-3.0-or-later
// Where generated files go when no dialog chose the place: a directory given on the command
// line, else the definition's target directory, else the default target directory of the
// settings, else the current directory.
//
//   fs::path page = TargetDirectory(def.MainInfo, settings.pascal_code_dir) / "mybutton.html";
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "model/component_def.h"
#include "store/settings.h"

namespace kx::commands {

std::filesystem::path TargetDirectory(
    const model::MainInfoDef& main_info, std::string_view default_target_dir,
    const std::optional<std::filesystem::path>& output_dir = std::nullopt);

// The default target directory of the desktop (the second argument of TargetDirectory): the
// one chosen in the options; else the folder of the definition's file when it has one; else
// the settings' default, the user's documents folder.
std::string DefaultTargetDirectory(const store::Settings& settings,
                                   const std::filesystem::path& definition_file);

}  // namespace kx::commands
