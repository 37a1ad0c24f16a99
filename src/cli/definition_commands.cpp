#include <array>
#include <cstdio>

#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/listing.h"
#include "cli/with_definition.h"
#include "commands/generate_unit.h"
#include "commands/session.h"
#include "generate/unit/unit_writer.h"
#include "platform/clock.h"
#include "platform/executable.h"
#include "store/profile_store.h"
#include "store/settings.h"

namespace kx::cli {

namespace {

// The one file argument of a command that takes nothing else.
std::optional<std::string> OnlyFile(const char* command, const std::vector<std::string>& args,
                                    Context& context) {
  if (args.size() == 1 && !args[0].starts_with("-")) return args[0];
  UsageError(context.err, std::string(command) + ": expected one definition file");
  return std::nullopt;
}

// "YYYY-MM-DD HH:MM".
std::optional<platform::DateTime> ParseDate(const std::string& text) {
  platform::DateTime at;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &at.year, &at.month, &at.day, &at.hour,
                  &at.minute, &tail) != 5 ||
      at.month < 1 || at.month > 12 || at.day < 1 || at.day > 31 || at.hour < 0 ||
      at.hour > 23 || at.minute < 0 || at.minute > 59) {
    return std::nullopt;
  }
  return at;
}

}  // namespace

int CheckCommand(const std::vector<std::string>& args, Context& context) {
  const std::optional<std::string> file = OnlyFile("check", args, context);
  if (!file) return kExitUsage;
  return WithDefinition(*file, context, [&](commands::Session& session, auto&&...) {
    const model::ComponentDef& def = session.def();
    std::array<int, 5> counts{};
    for (const model::ItemDef& item : def.Items()) ++counts[static_cast<std::size_t>(item.Kind())];
    context.out << "Unit: " << def.MainInfo.UnitName << "\n"
                << "Class: " << def.MainInfo.NewClassName << "\n"
                << "Parent: " << def.MainInfo.ParentClassName << "\n";
    for (std::size_t kind = 0; kind < counts.size(); ++kind) {
      context.out << model::KindName(static_cast<model::ItemKind>(kind)) << ": " << counts[kind]
                  << "\n";
    }
    return kExitOk;
  });
}

int ShowCommand(const std::vector<std::string>& args, Context& context) {
  const std::optional<std::string> file = OnlyFile("show", args, context);
  if (!file) return kExitUsage;
  return WithDefinition(*file, context, [&](commands::Session& session, auto&&...) {
    PrintDefinition(context.out, session.def());
    return kExitOk;
  });
}

int ResaveCommand(const std::vector<std::string>& args, Context& context) {
  const std::optional<std::string> file = OnlyFile("resave", args, context);
  if (!file) return kExitUsage;
  return WithDefinition(*file, context, [&](commands::Session& session, auto&&...) {
    if (!session.Save()) return kExitFailed;
    context.out << session.file().string() << "\n";
    return kExitOk;
  });
}

}  // namespace kx::cli

namespace kx::cli {

int UnitCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<std::filesystem::path> output_dir;
  std::optional<bool> full_comments;
  std::optional<platform::DateTime> date;
  bool update = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "-o" && has_value) {
      output_dir = args[++i];
    } else if (arg == "--comments" && has_value && (args[i + 1] == "full" || args[i + 1] == "normal")) {
      full_comments = args[++i] == "full";
    } else if (arg == "--date" && has_value) {
      date = ParseDate(args[++i]);
      if (!date) return UsageError(context.err, "unit: --date wants \"YYYY-MM-DD HH:MM\"");
    } else if (arg == "--update") {
      update = true;
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return UsageError(context.err, "unit: unexpected argument '" + arg + "'");
    }
  }
  if (!file) return UsageError(context.err, "unit: expected a definition file");
  return WithDefinition(*file, context, [&](commands::Session& session,
                                            const store::Settings& settings,
                                            CliDialogs& dialogs) {
    commands::GenerateUnitOptions options = commands::GenerateUnitOptionsFrom(settings);
    options.full_comments = full_comments.value_or(settings.full_comments);
    options.output_dir = output_dir;
    const platform::SystemClock system_clock;
    const platform::FixedClock fixed_clock(date.value_or(platform::DateTime{}));
    const platform::Clock& clock =
        date ? static_cast<const platform::Clock&>(fixed_clock) : system_clock;
    const std::optional<std::filesystem::path> written =
        commands::GenerateComponentCode(session.def(), options, dialogs, clock);
    if (!written) return kExitFailed;
    context.out << written->string() << "\n";
    if (update && !session.Save()) return kExitFailed;
    return kExitOk;
  });
}

int InterfaceCommand(const std::vector<std::string>& args, Context& context) {
  const std::optional<std::string> file = OnlyFile("interface", args, context);
  if (!file) return kExitUsage;
  return WithDefinition(*file, context, [&](commands::Session& session,
                                            const store::Settings& settings, auto&&) {
    context.out << "\n\n"
                << generate::WriteComponentUnit(
                       session.def(), {.full_comments = settings.full_comments, .interface_only = true},
                       platform::SystemClock().Now())
                << "\n";
    return kExitOk;
  });
}

}  // namespace kx::cli
