#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/documentation.h"
#include "commands/target_directory.h"

namespace kx::cli {

namespace {

constexpr std::array<std::pair<std::string_view, commands::Audience>, 3> kAudienceNames = {{
    {"application", commands::Audience::kApplication},
    {"descendant", commands::Audience::kDescendant},
    {"component", commands::Audience::kComponent},
}};

std::optional<commands::Audience> ParseAudience(std::string_view name) {
  for (const auto& [text, audience] : kAudienceNames) {
    if (text == name) return audience;
  }
  return std::nullopt;
}

}  // namespace

int DocsCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<std::filesystem::path> output;
  commands::Audience audience = commands::kDefaultAudience;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "-o" && has_value) {
      output = args[++i];
    } else if (arg == "--audience" && has_value) {
      const std::optional<commands::Audience> chosen = ParseAudience(args[++i]);
      if (!chosen) {
        return UsageError(context.err,
                          "docs: --audience wants application, descendant or component");
      }
      audience = *chosen;
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return UsageError(context.err, "docs: unexpected argument '" + arg + "'");
    }
  }
  if (!file) return UsageError(context.err, "docs: expected a definition file");
  return WithDefinition(
      *file, context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        model::ComponentDef& def = session.def();
        std::filesystem::path path;
        if (output) {
          path = *output;
        } else {
          const std::optional<std::string> name = commands::DocumentationFileName(def);
          if (!name) {
            dialogs.Error("The unit name \"" + def.MainInfo.UnitName.str() +
                          "\" is not a valid Pascal identifier, so no page was written.");
            return kExitFailed;
          }
          path = commands::TargetDirectory(def.MainInfo, settings.pascal_code_dir) / *name;
        }
        // The audience dialog opens with the --audience choice checked and takes it as shown.
        const std::optional<std::filesystem::path> written =
            commands::WriteDocumentation(def, path, audience, dialogs);
        if (!written) return kExitFailed;
        context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
