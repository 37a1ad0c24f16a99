#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/palette_bitmap.h"

namespace kx::cli {

int BitmapCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<std::filesystem::path> output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return UsageError(context.err, "bitmap: unexpected argument '" + arg + "'");
    }
  }
  if (!file) return UsageError(context.err, "bitmap: expected a definition file");
  return WithDefinition(
      *file, context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        commands::PaletteBitmapOptions options = commands::PaletteBitmapOptionsFrom(settings);
        // -o stands for the place the save dialog would choose: nothing is asked then.
        options.output_path = output;
        const std::optional<std::filesystem::path> written =
            commands::GeneratePaletteBitmap(session.def(), options, dialogs);
        if (!written) return kExitFailed;
        context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
