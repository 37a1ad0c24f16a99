// SPDX-License-Identifier: GPL-3.0-or-later
#include <glob.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/listing.h"
#include "cli/with_definition.h"
#include "commands/definition_checks.h"
#include "commands/generate_unit.h"
#include "commands/session.h"
#include "generate/unit/unit_writer.h"
#include "platform/clock.h"

namespace kx::cli {

namespace {

// "YYYY-MM-DD HH:MM".
std::optional<platform::DateTime> ParseDate(const std::string& text) {
  platform::DateTime at;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &at.year, &at.month, &at.day, &at.hour,
                  &at.minute, &tail) != 5 ||
      at.month < 1 || at.month > 12 || at.day < 1 || at.day > 31 || at.hour < 0 || at.hour > 23 ||
      at.minute < 0 || at.minute > 59) {
    return std::nullopt;
  }
  return at;
}

// The files a check operand names: a pattern is expanded (for shells that do not, and for
// quoted patterns in scripts), sorted; a plain name is taken as it is.
std::vector<std::string> ExpandOperand(const std::string& operand) {
  if (operand.find_first_of("*?[") == std::string::npos) return {operand};
  glob_t found{};
  std::vector<std::string> files;
  if (glob(operand.c_str(), 0, nullptr, &found) == 0) {
    files.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
  }
  globfree(&found);
  return files;
}

std::string Plural(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

int CheckCommand(const Arguments& args, Context& context) {
  std::optional<store::Settings> settings = LoadCliSettings(context);
  if (!settings) return kExitFailed;
  std::size_t files = 0;
  std::size_t refused = 0;
  std::size_t with_warnings = 0;
  std::size_t with_findings = 0;
  for (const std::string& operand : args.operands) {
    const std::vector<std::string> expanded = ExpandOperand(operand);
    if (expanded.empty()) {
      context.Fail("no file matches '" + operand + "'");
      ++files;
      ++refused;
      continue;
    }
    for (const std::string& file : expanded) {
      ++files;
      CliDialogs dialogs(context);
      commands::Session session(*settings, dialogs);
      if (!LoadDefinition(session, file, dialogs)) {
        ++refused;
        continue;
      }
      if (dialogs.saw_warning()) ++with_warnings;
      const model::ComponentDef& def = session.def();
      const std::vector<commands::DefinitionFinding> findings = commands::CheckDefinition(def);
      if (!findings.empty()) ++with_findings;
      if (context.quiet) continue;
      std::array<int, 5> counts{};
      for (const model::ItemDef& item : def.Items()) {
        ++counts[static_cast<std::size_t>(item.Kind())];
      }
      std::ostringstream line;
      line << file << ": unit " << def.MainInfo.UnitName << ", class " << def.MainInfo.NewClassName
           << ", parent " << def.MainInfo.ParentClassName << ";";
      for (std::size_t kind = 0; kind < counts.size(); ++kind) {
        line << (kind == 0 ? " " : ", ") << counts[kind] << " "
             << model::KindName(static_cast<model::ItemKind>(kind));
      }
      context.out << context.MessageText(line.str()) << "\n";
      for (const commands::DefinitionFinding& finding : findings) {
        context.out << context.MessageText(file + ": " + commands::FindingText(finding)) << "\n";
      }
    }
  }
  if (!context.quiet) {
    context.out << Plural(files, "file", "files") << " checked: " << files - refused << " read";
    if (with_warnings > 0) context.out << " (" << with_warnings << " with warnings)";
    if (with_findings > 0) {
      context.out << ", " << Plural(with_findings, "definition", "definitions") << " with findings";
    }
    context.out << ", " << refused << " refused\n";
  }
  return refused == 0 ? kExitOk : kExitFailed;
}

int ShowCommand(const Arguments& args, Context& context) {
  return WithDefinition(args.operands[0], context, [&](commands::Session& session, auto&&...) {
    std::ostringstream listing;
    PrintDefinition(listing, session.def());
    context.out << (args.Has("--raw") ? listing.str() : context.Text(listing.str()));
    return kExitOk;
  });
}

int ResaveCommand(const Arguments& args, Context& context) {
  return WithDefinition(args.operands[0], context, [&](commands::Session& session, auto&&...) {
    if (!session.Save()) return kExitFailed;
    if (!context.quiet) context.out << session.file().string() << "\n";
    return kExitOk;
  });
}

int UnitCommand(const Arguments& args, Context& context) {
  std::optional<platform::DateTime> date;
  if (const std::optional<std::string> text = args.Value("--date")) {
    date = ParseDate(*text);
    if (!date) return context.Usage("--date: '" + *text + "' is not \"YYYY-MM-DD HH:MM\"");
  }
  const std::optional<std::string> output_dir = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        commands::GenerateUnitOptions options = commands::GenerateUnitOptionsFrom(settings);
        if (const std::optional<std::string> comments = args.Value("--comments")) {
          options.full_comments = *comments == "full";
        }
        if (output_dir) options.output_dir = *output_dir;
        options.target = TargetOf(args, settings.target);
        options.edited = EditedUnitOf(args, args.operands[0]);
        const platform::SystemClock system_clock;
        const platform::FixedClock fixed_clock(date.value_or(platform::DateTime{}));
        const platform::Clock& clock =
            date ? static_cast<const platform::Clock&>(fixed_clock) : system_clock;
        model::ComponentDef& def = session.def();
        const bool had_target_dir = !def.MainInfo.TargetDir.empty();
        const std::optional<std::filesystem::path> written =
            commands::GenerateComponentCode(def, options, dialogs, clock);
        if (!written) return kExitFailed;
        if (!context.quiet) {
          context.out << written->string() << "\n";
          if (const auto registration =
                  commands::RegistrationUnitPath(def, *written, options.target)) {
            context.out << registration->string() << "\n";
          }
        }
        if (!args.Has("--update")) return kExitOk;
        // The current directory was not chosen as the definition's target directory.
        if (!had_target_dir && !output_dir) def.MainInfo.TargetDir = "";
        return session.Save() ? kExitOk : kExitFailed;
      });
}

int InterfaceCommand(const Arguments& args, Context& context) {
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, auto&&) {
        commands::GenerateUnitOptions options = commands::GenerateUnitOptionsFrom(settings);
        options.target = TargetOf(args, settings.target);
        const std::string text =
            commands::PrepareComponentInterface(session.def(), options, platform::SystemClock())
                .text;
        context.out << "\n\n" << (args.Has("--raw") ? text : context.Text(text)) << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
