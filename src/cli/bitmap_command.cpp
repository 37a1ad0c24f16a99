// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/palette_bitmap.h"
#include "commands/target_directory.h"
#include "model/name_rules.h"

namespace kx::cli {

int BitmapCommand(const Arguments& args, Context& context) {
  const std::optional<std::filesystem::path> output = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        const model::ComponentDef& def = session.def();
        commands::PaletteBitmapOptions options = commands::PaletteBitmapOptionsFrom(settings);
        // -o stands for the place the save dialog would choose: nothing is asked then. Without
        // it, only replacing an existing file is asked.
        options.output_path = output;
        // The resource script goes into the default target directory when the definition
        // names none: beside the output, not into the current directory.
        if (output) options.default_target_dir = output->parent_path().string();
        const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".dcr");
        if (!output && !file.name.empty()) {
          const std::filesystem::path proposed =
              commands::TargetDirectory(def.MainInfo, options.default_target_dir) / file.name;
          std::error_code error;
          if (!std::filesystem::exists(proposed, error)) options.output_path = proposed;
        }
        const std::optional<std::filesystem::path> written =
            commands::GeneratePaletteBitmap(def, options, dialogs);
        if (!written) return kExitFailed;
        if (!context.quiet) context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
