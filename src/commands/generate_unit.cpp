// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/generate_unit.h"

#include "commands/generated_file.h"
#include "commands/target_directory.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"

namespace kx::commands {

namespace fs = std::filesystem;

GenerateUnitOptions GenerateUnitOptionsFrom(const store::Settings& settings) {
  return {settings.full_comments, settings.codeview, settings.target, settings.pascal_code_dir,
          std::nullopt};
}

ComponentInterface PrepareComponentInterface(model::ComponentDef& def,
                                             const GenerateUnitOptions& options,
                                             const platform::Clock& clock) {
  const generate::UnitOptions unit_options{
      .full_comments = options.full_comments, .interface_only = true, .target = options.target};
  generate::PrepareForUnit(def, unit_options);
  return {"Kestrix - " + def.MainInfo.NewClassName.str(),
          generate::WriteComponentUnit(def, unit_options, clock.Now())};
}

std::optional<fs::path> GenerateComponentCode(model::ComponentDef& def,
                                              const GenerateUnitOptions& options, Dialogs& dialogs,
                                              const platform::Clock& clock) {
  const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".pas");
  if (file.name.empty()) {
    dialogs.Error("The unit name " + file.why_not + ", so no unit was written.");
    return std::nullopt;
  }
  const fs::path dir =
      TargetDirectory(def.MainInfo, options.default_target_dir, options.output_dir);
  const fs::path path = dir / file.name;
  std::string target_dir = path.parent_path().string();
  if (!target_dir.empty() && target_dir.back() != fs::path::preferred_separator) {
    target_dir += fs::path::preferred_separator;
  }
  def.MainInfo.TargetDir = target_dir;

  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = options.target};
  generate::PrepareForUnit(def, unit_options);
  const std::string text = generate::WriteComponentUnit(def, unit_options, clock.Now());
  // Where registration has a unit of its own, it is written first, so that the unit shown is
  // never one that leaves its component unregistered.
  if (const std::optional<fs::path> registration =
          RegistrationUnitPath(def, path, options.target)) {
    if (!WriteGeneratedFile(
            *registration,
            generate::WriteRegistrationUnit(def, clock.Now(), generate::TargetFor(options.target)),
            dialogs, {.target = options.target, .keep_backup = true})) {
      return std::nullopt;
    }
  }
  if (!WriteAndOfferView(path, text,
                         {options.codeview, "Component code", "Generate component code",
                          /*say_when_not_shown=*/true},
                         dialogs, {.target = options.target, .keep_backup = true})) {
    return std::nullopt;
  }
  return path;
}

std::optional<fs::path> RegistrationUnitPath(const model::ComponentDef& def,
                                             const fs::path& unit_path, model::CodeTarget target) {
  if (!generate::TargetFor(target).registration_unit) return std::nullopt;
  return unit_path.parent_path() /
         model::FileNameOf(generate::RegistrationUnitName(def), ".pas").name;
}

}  // namespace kx::commands
