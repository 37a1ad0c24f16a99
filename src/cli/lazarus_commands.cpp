// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/delphi_output.h"
#include "commands/lazarus_output.h"

namespace kx::cli {

namespace {

using Generator = std::optional<std::filesystem::path> (*)(model::ComponentDef&,
                                                           const commands::LazarusOutputOptions&,
                                                           commands::Dialogs&,
                                                           const platform::Clock&);

// delphi_xe: the generator for --target delphi-xe, or for the settings' target when no --target
// is given.
int RunLazarusCommand(const Arguments& args, Context& context, Generator generate,
                      Generator delphi_xe = nullptr) {
  const std::optional<std::string> output_dir = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        commands::LazarusOutputOptions options = commands::LazarusOutputOptionsFrom(settings);
        if (output_dir) options.output_dir = *output_dir;
        if (const std::optional<std::string> icon = args.Value("--icon")) options.icon = *icon;
        options.edited = EditedUnitOf(args, args.operands[0]);
        const Generator chosen =
            delphi_xe && TargetOf(args, settings.target) == model::CodeTarget::kDelphiXe ? delphi_xe
                                                                                         : generate;
        const std::optional<std::filesystem::path> written =
            chosen(session.def(), options, dialogs, platform::SystemClock());
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
  // An explicit --target delphi is refused: Delphi 1 to 3 had no packages to write. Without
  // --target the settings decide, and only delphi-xe changes what has always been written.
  const std::optional<std::string> named = args.Value("--target");
  const std::optional<model::CodeTarget> target =
      named ? model::ParseCodeTarget(*named) : std::nullopt;
  if (target == model::CodeTarget::kDelphi) {
    return context.Fail(
        "packages are written for --target lazarus and delphi-xe, not for Delphi 1 to 3");
  }
  return RunLazarusCommand(
      args, context,
      [](model::ComponentDef& def, const commands::LazarusOutputOptions& options,
         commands::Dialogs& dialogs, const platform::Clock& clock) {
        return commands::GenerateLazarusPackages(def, options, dialogs, clock);
      },
      [](model::ComponentDef& def, const commands::LazarusOutputOptions& options,
         commands::Dialogs& dialogs, const platform::Clock& clock) {
        return commands::GenerateDelphiPackages(def, options, dialogs, clock);
      });
}

}  // namespace kx::cli
