// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/with_definition.h"

#include <exception>
#include <filesystem>

#include "platform/clock.h"
#include "platform/executable.h"

namespace kx::cli {

std::optional<store::Settings> LoadCliSettings(Context& context) {
  try {
    store::Settings settings = store::LoadProgramSettings(
        context.settings_file, platform::ExecutableDir(), platform::SystemClock());
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
