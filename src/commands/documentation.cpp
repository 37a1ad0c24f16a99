// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/documentation.h"

#include "commands/generated_file.h"
#include "commands/target_directory.h"

namespace kx::commands {

namespace fs = std::filesystem;

generate::ScopeSet AudienceScopes(Audience audience) {
  switch (audience) {
    case Audience::kApplication:
      return generate::kApplicationScopes;
    case Audience::kDescendant:
      return generate::kDescendantScopes;
    case Audience::kComponent:
      return generate::kComponentScopes;
  }
  return generate::kComponentScopes;
}

model::DerivedFileName DocumentationFileName(const model::ComponentDef& def) {
  return model::FileNameOf(def.MainInfo.UnitName.str(), ".html");
}

std::optional<fs::path> DocumentationPathIn(const model::ComponentDef& def, const fs::path& folder,
                                            Dialogs& dialogs) {
  const model::DerivedFileName page = DocumentationFileName(def);
  if (page.name.empty()) {
    dialogs.Error("The unit name " + page.why_not + ", so no page was written.");
    return std::nullopt;
  }
  return folder / page.name;
}

FileDialogRequest DocumentationSaveRequest(const model::ComponentDef& def,
                                           std::string_view default_target_dir) {
  // An existing page is replaced without a question: it is generated output.
  return {.title = "Name of HTML file to generate",
          .filter = std::string(kHtmlFilter),
          .default_ext = "html",
          .initial_dir = TargetDirectory(def.MainInfo, default_target_dir),
          .file_name = DocumentationFileName(def).name,
          .must_exist = false,
          .overwrite_prompt = false};
}

std::optional<fs::path> GenerateDocumentation(model::ComponentDef& def, Audience& audience,
                                              Dialogs& dialogs,
                                              std::string_view default_target_dir) {
  const std::optional<fs::path> path =
      dialogs.SaveFile(DocumentationSaveRequest(def, default_target_dir));
  if (!path) return std::nullopt;
  return WriteDocumentation(def, *path, audience, dialogs);
}

std::optional<fs::path> WriteDocumentation(model::ComponentDef& def, const fs::path& path,
                                           Audience& audience, Dialogs& dialogs) {
  const std::optional<Audience> chosen = dialogs.DocumentationAudienceDialog(audience);
  if (!chosen) return std::nullopt;
  audience = *chosen;
  model::SortItemsByName(def);
  const std::string page =
      generate::WriteText(def, generate::kHtmlFormat, AudienceScopes(audience));
  if (!WriteGeneratedFile(path, page, dialogs)) return std::nullopt;
  const std::string written = "Documentation written to " + path.string() + ".";
  if (dialogs.OpenDocument(path)) {
    dialogs.Information(written, kDocumentationCaption);
  } else {
    dialogs.Warning(written + "\r\rNo browser could be started to show it; open the page in a " +
                        "browser of your choice.",
                    kDocumentationCaption);
  }
  return path;
}

}  // namespace kx::commands
