// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Palette bitmap: writes the resource script of a placeholder palette bitmap
// ("kx$$$.rc" beside the .dcr, removed again after a successful compile), runs the resource
// compiler on it and puts the compiled resource in the component's .dcr file.
//
// An existing .dcr stays exactly as it was until the compiler has succeeded: the compiler
// writes a hidden temporary file beside it, which replaces the .dcr only when the compiler
// exited with 0 within the time limit and the file is a resource file. Any other end shows
// the compiler's output under the error message, and the temporary file is removed.
//
//   GeneratePaletteBitmap(def, PaletteBitmapOptionsFrom(settings), dialogs);
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "model/component_def.h"
#include "platform/run_program.h"
#include "store/settings.h"

namespace kx::commands {

inline constexpr std::string_view kPaletteBitmapCaption = "Generate component bitmap";
inline constexpr std::string_view kResourceScriptName = "kx$$$.rc";
inline constexpr std::size_t kMaxPlaceQuestionLength = 350;
// A compiler that takes longer than this is stuck (kxrc needs milliseconds; brcc under Wine a
// few seconds on its first start).
inline constexpr std::chrono::milliseconds kDefaultCompilerTimeout = std::chrono::seconds(60);

struct PaletteBitmapOptions {
  std::string compiler;            // the resource compiler of the Delphi version in use
  bool delphi16 = false;           // it writes a 16-bit resource file (-31)
  std::string default_target_dir;  // when the definition names none
  // The .dcr to write, asking nothing (kestrix-cli -o, as the save dialog would choose it).
  std::optional<std::filesystem::path> output_path;
  std::chrono::milliseconds timeout = kDefaultCompilerTimeout;
  platform::BusyHook busy;  // the wait cursor while the compiler runs
};

// The compiler of UsingDelphi16's version, and the default target directory.
PaletteBitmapOptions PaletteBitmapOptionsFrom(const store::Settings& settings);

// The compiler's arguments, brcc's: "-fo<output>", "-31" for 16-bit, the script.
std::vector<std::string> CompilerArguments(const std::filesystem::path& output,
                                           const std::filesystem::path& script, bool delphi16);

// The command's save dialog, proposing file_name in the default target directory.
FileDialogRequest PaletteBitmapSaveRequest(std::string_view file_name,
                                           std::string_view default_target_dir);

// The whole command; the .dcr written, or nothing when cancelled or after the message that
// says why not. The definition is not changed.
std::optional<std::filesystem::path> GeneratePaletteBitmap(const model::ComponentDef& def,
                                                           const PaletteBitmapOptions& options,
                                                           Dialogs& dialogs);

}  // namespace kx::commands
