// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing definition files as the commands do: the reader's questions and
// messages go through Dialogs, and a save either replaces the file completely (keeping the
// previous version as the ".bak" file) or leaves it exactly as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "model/component_def.h"
#include "platform/file_stamp.h"

namespace kx::commands {

// Replaces def with the file's definition; false after the reader's error message. A form
// wrapper's form file is read again for the form's names. path_read, when given, receives
// the file actually read (the backup, when the user chose it instead of an empty file), and
// stamp what that file was.
bool ReadDefinitionFile(model::ComponentDef& def, const std::filesystem::path& path,
                        Dialogs& dialogs, std::string_view default_target_dir,
                        std::filesystem::path* path_read = nullptr,
                        platform::FileStamp* stamp = nullptr);

// Writes def to path with a backup of the previous file; false after showing why not.
// stamp, when given, receives what the file is after the write.
bool WriteDefinitionFile(const model::ComponentDef& def, const std::filesystem::path& path,
                         Dialogs& dialogs, platform::FileStamp* stamp = nullptr);

// Files larger than this are not read as definitions (230 items with their texts stay far
// below it).
inline constexpr std::uintmax_t kMaxDefinitionFileSize = 64u << 20;

}  // namespace kx::commands
