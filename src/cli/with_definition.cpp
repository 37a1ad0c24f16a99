// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/with_definition.h"

#include <exception>
#include <filesystem>

#include "platform/clock.h"
#include "platform/executable.h"

namespace kx::cli {

std::optional<store::Settings> LoadCliSettings(Context& context) {
  const std::filesystem::path exe_dir = platform::ExecutableDir();
  // Only without --settings: deciding the default looks at the program's folder.
  const std::filesystem::path file =
      context.settings_file ? *context.settings_file
                            : store::DefaultSettingsPath(exe_dir, store::ReadEnvironment());
  try {
    store::Settings settings = store::LoadSettings(file, exe_dir, platform::SystemClock());
    // The desktop's default target directory is the program's folder (or the one chosen in its
    // options); a definition read or made here without a target directory keeps none.
    settings.pascal_code_dir.clear();
    return settings;
  } catch (const std::exception& e) {
    context.err << "kestrix-cli: " << context.MessageText(e.what()) << "\n";
    return std::nullopt;
  }
}

bool LoadDefinition(commands::Session& session, const std::string& file, CliDialogs& dialogs) {
  dialogs.set_subject(file);
  const bool loaded = session.Load(file);
  dialogs.set_subject("");
  return loaded;
}

}  // namespace kx::cli
