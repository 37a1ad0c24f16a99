// SPDX-License-Identifier: GPL-3.0-or-later
// Generate > Documentation: asks where to write the component's HTML page and for whom,
// writes it, and opens it with the desktop's default handler (normally the browser). The
// audience chosen is remembered by the caller between runs, as the dialog keeps its choice.
//
//   Audience audience = kDefaultAudience;  // lives as long as the window
//   GenerateDocumentation(def, audience, dialogs, settings.pascal_code_dir);
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "generate/extras/documentation.h"
#include "model/component_def.h"
#include "model/name_rules.h"

namespace kx::commands {

// The audience dialog.
inline constexpr std::string_view kDocumentationCaption = "Generate documentation";
inline constexpr std::string_view kAudienceLabel = "Generate documentation for...";

struct AudienceChoice {
  Audience audience;
  std::string_view caption;  // the radio button
  std::string_view hint;     // the label under it
};

// The radio buttons, top to bottom.
inline constexpr std::array<AudienceChoice, 3> kAudienceChoices = {{
    {Audience::kApplication, "Application developers", "(include published and public items)"},
    {Audience::kDescendant, "Developers of descendant classes",
     "(include published, public, and protected items)"},
    {Audience::kComponent, "Developer of this component", "(include all items)"},
}};

// Checked when the dialog opens for the first time.
inline constexpr Audience kDefaultAudience = Audience::kComponent;

inline constexpr std::string_view kHtmlFilter =
    "HTML files (*.html, *.htm)|*.html;*.htm|All files (*.*)|*.*";

generate::ScopeSet AudienceScopes(Audience audience);

// The page's file name, made of the unit name.
model::DerivedFileName DocumentationFileName(const model::ComponentDef& def);
// The page's path in folder; none when the unit name makes no file name, which is said.
std::optional<std::filesystem::path> DocumentationPathIn(const model::ComponentDef& def,
                                                         const std::filesystem::path& folder,
                                                         Dialogs& dialogs);

// The command's save dialog, proposing the page's file name in the target directory.
FileDialogRequest DocumentationSaveRequest(const model::ComponentDef& def,
                                           std::string_view default_target_dir);

// The whole command; the path written, or nothing when cancelled or after the message that
// says why not. audience is checked when the audience dialog opens and becomes the choice
// made on OK. The definition's items end sorted by name.
std::optional<std::filesystem::path> GenerateDocumentation(model::ComponentDef& def,
                                                           Audience& audience, Dialogs& dialogs,
                                                           std::string_view default_target_dir);

// The command from the audience dialog on, for a path chosen already.
std::optional<std::filesystem::path> WriteDocumentation(model::ComponentDef& def,
                                                        const std::filesystem::path& path,
                                                        Audience& audience, Dialogs& dialogs);

}  // namespace kx::commands
