// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <string>

#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/generate_unit.h"
#include "commands/generated_file.h"
#include "commands/unit_sync.h"
#include "pascal/source.h"
#include "platform/atomic_file.h"

namespace kx::cli {

namespace fs = std::filesystem;

int SyncCommand(const Arguments& args, Context& context) {
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        commands::GenerateUnitOptions generation = commands::GenerateUnitOptionsFrom(settings);
        fs::path unit;
        if (args.operands.size() > 1) {
          unit = args.operands[1];
        } else {
          const std::optional<fs::path> path =
              commands::ComponentUnitPath(session.def(), generation, dialogs);
          if (!path) return kExitFailed;
          unit = *path;
        }
        std::string bytes;
        if (const std::error_code error =
                platform::ReadWholeFile(unit, bytes, pascal::kMaxSourceSize)) {
          return context.Fail(unit.string() + ": " + error.message());
        }
        commands::SyncOptions options{.target = TargetOf(args, settings.target),
                                      .full_comments = generation.full_comments,
                                      .remove = args.Has("--remove")};
        if (const std::optional<std::string> comments = args.Value("--comments")) {
          options.full_comments = *comments == "full";
        }
        commands::UnitSync sync =
            commands::SyncUnit(session.def(), bytes, commands::ReadGeneratedRecord(unit), options);
        if (!sync.error.empty()) return context.Fail(unit.string() + ": " + sync.error);
        if (!context.quiet) context.out << context.Text(commands::SyncSummary(sync)) << "\n";
        if (!sync.Changed()) return kExitOk;
        session.def() = std::move(sync.def);
        session.MarkModified();
        if (!session.Save()) return kExitFailed;
        if (!context.quiet) context.out << session.file().string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
