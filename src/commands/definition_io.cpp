// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/definition_io.h"

#include "catalog/type_classes.h"
#include "commands/form_files.h"
#include "platform/atomic_file.h"
#include "store/definition_file.h"
#include "store/ext_ini_file.h"

namespace kx::commands {

namespace fs = std::filesystem;

bool ReadDefinitionFile(model::ComponentDef& def, const fs::path& path, Dialogs& dialogs,
                        std::string_view default_target_dir, fs::path* path_read,
                        platform::FileStamp* stamp) {
  std::error_code error;
  fs::path file = fs::absolute(path, error);
  if (error) file = path;
  const std::uintmax_t size = fs::file_size(file, error);
  if (!error && size < 1) {
    const fs::path backup = store::BackupPathFor(file);
    if (fs::exists(backup, error) &&
        dialogs.Confirm(Buttons::kYesNo, file.string() + " is empty.  Load backup file " +
                                             backup.string() + " instead?") == Answer::kYes) {
      file = backup;
    }
  }

  if (path_read != nullptr) *path_read = file;
  std::string bytes;
  if (std::error_code read_error = platform::ReadWholeFile(file, bytes, kMaxDefinitionFileSize)) {
    model::ClearDefinition(def, default_target_dir);
    dialogs.Error(file.string() + " could not be read: " + read_error.message() + ".");
    return false;
  }
  if (stamp != nullptr) *stamp = platform::StampOf(file, bytes);
  store::ParseResult result = store::ParseDefinition(
      bytes, file.string(), def, catalog::StandardClassRules(), default_target_dir);
  for (const store::ReaderMessage& message : result.messages) {
    if (message.kind == store::ReaderMessage::Kind::kError) {
      dialogs.Error(message.text);
    } else {
      dialogs.Warning(message.text);
    }
  }
  if (result.ok && !result.form_file_to_load.empty()) {
    ReadFormNames(result.form_file_to_load, def.MainInfo.Form, dialogs);
  }
  return result.ok;
}

bool WriteDefinitionFile(const model::ComponentDef& def, const fs::path& path, Dialogs& dialogs,
                         platform::FileStamp* stamp) {
  std::string text;
  try {
    text = store::WriteDefinition(def, path);
  } catch (const store::TIniFileException& e) {
    dialogs.Error(e.what());
    return false;
  }
  if (platform::FileWriter().WriteKeepingBackup(path, text, store::BackupPathFor(path))) {
    dialogs.Information("Could not open " + path.string());
    dialogs.Information("Could not open " + path.string() + "\r" + " for writing.");
    return false;
  }
  if (stamp != nullptr) *stamp = platform::StampOf(path, text);
  return true;
}

}  // namespace kx::commands
