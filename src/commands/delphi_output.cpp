// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/delphi_output.h"

#include "commands/generate_unit.h"
#include "commands/generated_file.h"
#include "commands/property_editors.h"
#include "commands/target_directory.h"
#include "generate/extras/delphi_package.h"
#include "generate/extras/palette_bitmap.h"
#include "generate/extras/palette_icon.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "platform/atomic_file.h"

namespace kx::commands {

namespace fs = std::filesystem;

namespace {

constexpr model::CodeTarget kTarget = model::CodeTarget::kDelphiXe;
constexpr std::string_view kCaption = "Delphi packages";

bool WriteDelphiFile(const fs::path& path, std::string_view text, Dialogs& dialogs,
                     bool editable = false) {
  return WriteGeneratedFile(path, text, dialogs, {.target = kTarget, .keep_backup = editable});
}

bool WriteBinary(const fs::path& path, std::string_view bytes, Dialogs& dialogs) {
  if (platform::WriteFileAtomically(path, bytes)) {
    dialogs.Information("Could not open " + path.string());
    return false;
  }
  return true;
}

}  // namespace

std::optional<fs::path> GenerateDelphiPackages(model::ComponentDef& def,
                                               const PackageOutputOptions& options,
                                               Dialogs& dialogs, const platform::Clock& clock,
                                               bool* took_edits) {
  const model::DerivedFileName unit_file = model::FileNameOf(def.MainInfo.UnitName.str(), ".pas");
  if (unit_file.name.empty()) {
    dialogs.Error("The unit name " + unit_file.why_not + ", so nothing was written.");
    return std::nullopt;
  }
  const std::optional<std::string> icons = PaletteIconResource(
      def, options.icon,
      {generate::WriteDelphiIconResource, generate::WriteDelphiIconResourceFromPng}, dialogs);
  if (!icons) return std::nullopt;
  const fs::path dir = options.output_dir
                           ? *options.output_dir
                           : TargetDirectory(def.MainInfo, options.default_target_dir) / "delphi";
  std::error_code error;
  fs::create_directories(dir, error);

  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = kTarget};
  if (!MayReplaceComponentUnit(dir / unit_file.name, def,
                               {.target = kTarget, .full_comments = options.full_comments},
                               options.edited, kCaption, dialogs, took_edits))
    return std::nullopt;
  // Registration's unit is written from the definition alone: edits there cannot be taken.
  const generate::DelphiPackageNames names = generate::DelphiPackageNamesOf(def);
  const fs::path registration = dir / (model::LowerCase(names.registration) + ".pas");
  if (!MayReplaceEditedUnit(registration, options.edited, dialogs, kCaption)) return std::nullopt;
  generate::PrepareForUnit(def, unit_options);
  if (!WriteDelphiFile(dir / unit_file.name,
                       generate::WriteComponentUnit(def, unit_options, clock.Now()), dialogs,
                       /*editable=*/true))
    return std::nullopt;

  const std::optional<std::vector<std::string>> editor_units =
      WritePackageEditorUnits(def, dir, kTarget, options.edited, kCaption, dialogs, clock);
  if (!editor_units) return std::nullopt;

  const fs::path runtime = dir / (names.runtime + ".dpk");
  const fs::path design = dir / (names.design_time + ".dpk");
  if (!WriteDelphiFile(
          registration,
          generate::WriteRegistrationUnit(def, clock.Now(), generate::TargetFor(kTarget)), dialogs,
          /*editable=*/true) ||
      !WriteBinary(dir / names.icons, *icons, dialogs) ||
      !WriteDelphiFile(runtime, generate::WriteDelphiRuntimePackage(def), dialogs) ||
      !WriteDelphiFile(design, generate::WriteDelphiDesignTimePackage(def, *editor_units),
                       dialogs)) {
    return std::nullopt;
  }
  dialogs.Information("Delphi packages written to " + runtime.string() + " and " + design.string() +
                      ".");
  return design;
}

}  // namespace kx::commands
