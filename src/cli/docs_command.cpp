// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

commands::Audience AudienceNamed(std::string_view name) {
  for (const auto& [text, audience] : kAudienceNames) {
    if (text == name) return audience;
  }
  return commands::kDefaultAudience;
}

}  // namespace

int DocsCommand(const Arguments& args, Context& context) {
  commands::Audience audience = AudienceNamed(args.Value("--audience").value_or(""));
  const std::optional<std::filesystem::path> output = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        model::ComponentDef& def = session.def();
        std::filesystem::path path;
        if (output) {
          path = *output;
        } else {
          const std::optional<std::filesystem::path> page = commands::DocumentationPathIn(
              def, commands::TargetDirectory(def.MainInfo, settings.pascal_code_dir), dialogs);
          if (!page) return kExitFailed;
          path = *page;
        }
        // The audience dialog opens with the --audience choice checked and takes it as shown.
        const std::optional<std::filesystem::path> written =
            commands::WriteDocumentation(def, path, audience, dialogs);
        if (!written) return kExitFailed;
        if (!context.quiet) context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
