// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/lazarus_output.h"

namespace kx::cli {

namespace {

using Generator = std::optional<std::filesystem::path> (*)(model::ComponentDef&,
                                                           const commands::LazarusOutputOptions&,
                                                           commands::Dialogs&,
                                                           const platform::Clock&);

int RunLazarusCommand(const Arguments& args, Context& context, Generator generate) {
  const std::optional<std::string> output_dir = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        commands::LazarusOutputOptions options = commands::LazarusOutputOptionsFrom(settings);
        if (output_dir) options.output_dir = *output_dir;
        if (const std::optional<std::string> icon = args.Value("--icon")) options.icon = *icon;
        options.edited = EditedUnitOf(args, args.operands[0]);
        const std::optional<std::filesystem::path> written =
            generate(session.def(), options, dialogs, platform::SystemClock());
        if (!written) return kExitFailed;
        if (!context.quiet) context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace

int SmokeCommand(const Arguments& args, Context& context) {
  return RunLazarusCommand(args, context, commands::GenerateSmokeTest);
}

int PackageCommand(const Arguments& args, Context& context) {
  return RunLazarusCommand(
      args, context,
      [](model::ComponentDef& def, const commands::LazarusOutputOptions& options,
         commands::Dialogs& dialogs, const platform::Clock& clock) {
        return commands::GenerateLazarusPackages(def, options, dialogs, clock);
      });
}

}  // namespace kx::cli
