// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/with_definition.h"

#include <filesystem>

#include "platform/clock.h"
#include "platform/executable.h"

namespace kx::cli {

std::optional<store::Settings> LoadCliSettings(Context& context) {
  store::Settings settings;
  if (const store::ProfileStatus loaded = store::LoadProgramSettings(
          settings, context.settings_file, platform::ExecutableDir(), platform::SystemClock());
      !loaded.ok()) {
    context.err << "kestrix-cli: " << context.MessageText(loaded.message) << "\n";
    return std::nullopt;
  }
  // The desktop's default target directory is the program's folder (or the one chosen in its
  // options); a definition read or made here without a target directory keeps none.
  settings.pascal_code_dir.clear();
  return settings;
}

bool LoadDefinition(commands::Session& session, const std::string& file, CliDialogs& dialogs) {
  dialogs.set_subject(file);
  const bool loaded = session.Load(file);
  dialogs.set_subject("");
  return loaded;
}

}  // namespace kx::cli
