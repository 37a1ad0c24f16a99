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
    return store::LoadSettings(file, exe_dir, platform::SystemClock());
  } catch (const std::exception& e) {
    context.err << "kestrix-cli: " << e.what() << "\n";
    return std::nullopt;
  }
}

}  // namespace kx::cli
