#include <array>

#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/listing.h"
#include "commands/session.h"
#include "platform/clock.h"
#include "platform/executable.h"
#include "store/profile_store.h"
#include "store/settings.h"

namespace kx::cli {

namespace {

// The settings of --settings, or of Kestrix.ini where the desktop program finds it.
std::optional<store::Settings> LoadCliSettings(Context& context) {
  const std::filesystem::path exe_dir = platform::ExecutableDir();
  const std::filesystem::path file =
      context.settings_file.value_or(store::DefaultSettingsPath(exe_dir, store::ReadEnvironment()));
  try {
    return store::LoadSettings(file, exe_dir, platform::SystemClock());
  } catch (const std::exception& e) {
    context.err << "kestrix-cli: " << e.what() << "\n";
    return std::nullopt;
  }
}

// Runs body on the definition read from the one file argument.
template <typename Body>
int WithDefinition(const char* command, const std::vector<std::string>& args, Context& context,
                   Body body) {
  if (args.size() != 1) {
    return UsageError(context.err, std::string(command) + ": expected one definition file");
  }
  std::optional<store::Settings> settings = LoadCliSettings(context);
  if (!settings) return kExitFailed;
  CliDialogs dialogs(context.out, context.answer);
  commands::Session session(*settings, dialogs);
  if (!session.Load(args[0])) return kExitFailed;
  return body(session);
}

}  // namespace

int CheckCommand(const std::vector<std::string>& args, Context& context) {
  return WithDefinition("check", args, context, [&](commands::Session& session) {
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
  return WithDefinition("show", args, context, [&](commands::Session& session) {
    PrintDefinition(context.out, session.def());
    return kExitOk;
  });
}

int ResaveCommand(const std::vector<std::string>& args, Context& context) {
  return WithDefinition("resave", args, context, [&](commands::Session& session) {
    if (!session.Save()) return kExitFailed;
    context.out << session.file().string() << "\n";
    return kExitOk;
  });
}

}  // namespace kx::cli
