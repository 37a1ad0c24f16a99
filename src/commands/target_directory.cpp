// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/target_directory.h"

namespace kx::commands {

namespace fs = std::filesystem;

fs::path TargetDirectory(const model::MainInfoDef& main_info, std::string_view default_target_dir,
                         const std::optional<fs::path>& output_dir) {
  fs::path dir =
      output_dir.value_or(main_info.TargetDir.empty() ? fs::path(default_target_dir)
                                                      : fs::path(main_info.TargetDir.str()));
  // Never empty: the unit command stores the directory in the definition, where empty means
  // that none was chosen.
  if (dir.empty()) dir = ".";
  return dir;
}

std::string DefaultTargetDirectory(const store::Settings& settings,
                                   const fs::path& definition_file) {
  std::error_code error;
  const fs::path file = definition_file.empty() ? fs::path() : fs::absolute(definition_file, error);
  if (settings.pascal_code_dir_chosen || file.empty() || error) return settings.pascal_code_dir;
  return store::AsDirectory(file.parent_path().string());
}

}  // namespace kx::commands
