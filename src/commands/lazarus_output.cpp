// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/lazarus_output.h"

#include "commands/generate_unit.h"
#include "commands/generated_file.h"
#include "commands/property_editors.h"
#include "commands/target_directory.h"
#include "generate/extras/lazarus_package.h"
#include "generate/extras/palette_bitmap.h"
#include "generate/extras/palette_icon.h"
#include "generate/extras/smoke_test.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "platform/atomic_file.h"

namespace kx::commands {

namespace fs = std::filesystem;

namespace {

// Every file of the Lazarus target is written in its encoding, the packages' XML too (it
// declares UTF-8).
bool WriteLazarusFile(const fs::path& path, std::string_view text, Dialogs& dialogs) {
  return WriteGeneratedFile(path, text, dialogs, {.target = model::CodeTarget::kLazarus});
}

constexpr std::string_view kPackagesCaption = "Lazarus packages";

// A unit of the packages that the user may edit in the IDE: the old one kept as .bak, what is
// written recorded for the next time.
bool WriteEditableUnit(const fs::path& path, std::string_view text, Dialogs& dialogs) {
  return WriteGeneratedFile(path, text, dialogs,
                            {.target = model::CodeTarget::kLazarus, .keep_backup = true});
}

fs::path OutputFolder(const model::ComponentDef& def, const LazarusOutputOptions& options,
                      std::string_view folder) {
  return options.output_dir ? *options.output_dir
                            : TargetDirectory(def.MainInfo, options.default_target_dir) / folder;
}

// The folder written into and the run-time unit written there; nothing after the message.
// editable: the unit is the packages' own, which the user may edit in the IDE and which is
// not replaced unawares.
std::optional<fs::path> WriteRuntimeUnit(model::ComponentDef& def,
                                         const LazarusOutputOptions& options,
                                         std::string_view folder, Dialogs& dialogs,
                                         const platform::Clock& clock, bool editable = false,
                                         bool* took_edits = nullptr) {
  const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".pas");
  if (file.name.empty()) {
    dialogs.Error("The unit name " + file.why_not + ", so nothing was written.");
    return std::nullopt;
  }
  const fs::path dir = OutputFolder(def, options, folder);
  std::error_code error;
  fs::create_directories(dir, error);
  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = model::CodeTarget::kLazarus,
                                           .runtime_only = true};
  if (editable && !MayReplaceComponentUnit(dir / file.name, def,
                                           {.target = unit_options.target,
                                            .full_comments = unit_options.full_comments,
                                            .runtime_only = true},
                                           options.edited, kPackagesCaption, dialogs, took_edits))
    return std::nullopt;
  generate::PrepareForUnit(def, unit_options);
  const std::string text = generate::WriteComponentUnit(def, unit_options, clock.Now());
  if (editable ? !WriteEditableUnit(dir / file.name, text, dialogs)
               : !WriteLazarusFile(dir / file.name, text, dialogs)) {
    return std::nullopt;
  }
  return dir;
}

}  // namespace

std::optional<std::vector<std::string>> WritePackageEditorUnits(
    model::ComponentDef& def, const fs::path& dir, model::CodeTarget target,
    const EditedUnitHandling& edited, std::string_view caption, Dialogs& dialogs,
    const platform::Clock& clock) {
  std::vector<std::string> written;
  for (const std::string& unit : RequestedEditorUnits(def)) {
    const model::DerivedFileName file = model::FileNameOf(unit, ".pas");
    if (file.name.empty()) continue;  // the editor command says why; nothing to add here
    const std::optional<generate::EditorSelection> selection =
        SelectEditorKinds(def, unit, dialogs);
    if (!selection) return std::nullopt;
    if (!MayReplaceEditedUnit(dir / file.name, edited, dialogs, caption) ||
        !WriteGeneratedFile(dir / file.name,
                            generate::WriteEditorUnit(unit, def, *selection, clock.Now(), target),
                            dialogs, {.target = target, .keep_backup = true}))
      return std::nullopt;
    written.push_back(unit);
  }
  return written;
}

std::optional<std::string> PaletteIconResource(const model::ComponentDef& def,
                                               const std::optional<fs::path>& icon,
                                               const IconResourceWriters& writers,
                                               Dialogs& dialogs) {
  const std::string cls = def.MainInfo.NewClassName.str();
  if (!icon) return writers.from_picture(cls, *generate::ReadBitmap(generate::PlaceholderBitmap()));
  std::string bytes;
  if (platform::ReadWholeFile(*icon, bytes)) {
    dialogs.Error("Could not read " + icon->string() + ".");
    return std::nullopt;
  }
  if (generate::IsPng(bytes)) return writers.from_png(cls, bytes);
  if (const std::optional<generate::Picture> picture = generate::ReadBitmap(bytes)) {
    return writers.from_picture(cls, *picture);
  }
  dialogs.Error(icon->string() + " is neither a PNG file nor an uncompressed bitmap.");
  return std::nullopt;
}

LazarusOutputOptions LazarusOutputOptionsFrom(const store::Settings& settings) {
  return {.full_comments = settings.full_comments, .default_target_dir = settings.pascal_code_dir};
}

std::optional<fs::path> GenerateSmokeTest(model::ComponentDef& def,
                                          const LazarusOutputOptions& options, Dialogs& dialogs,
                                          const platform::Clock& clock) {
  const std::optional<fs::path> dir = WriteRuntimeUnit(def, options, "smoke", dialogs, clock);
  if (!dir) return std::nullopt;
  const std::string file = model::LowerCase(generate::SmokeProgramName(def));
  const fs::path program = *dir / (file + ".lpr");
  const fs::path project = *dir / (file + ".lpi");
  if (!WriteLazarusFile(program, generate::WriteSmokeProgram(def), dialogs) ||
      !WriteLazarusFile(project, generate::WriteSmokeProject(def), dialogs)) {
    return std::nullopt;
  }
  dialogs.Information("Smoke test written to " + program.string() + ", with its project " +
                      project.filename().string() + " and the unit " +
                      model::FileNameOf(def.MainInfo.UnitName.str(), ".pas").name + ".");
  return program;
}

std::optional<fs::path> GenerateLazarusPackages(model::ComponentDef& def,
                                                const LazarusOutputOptions& options,
                                                Dialogs& dialogs, const platform::Clock& clock,
                                                bool* took_edits) {
  const std::optional<std::string> icons = PaletteIconResource(
      def, options.icon, {generate::WriteIconResource, generate::WriteIconResourceFromPng},
      dialogs);
  if (!icons) return std::nullopt;
  LazarusOutputOptions runtime_options = options;
  runtime_options.output_dir = OutputFolder(def, options, "lazarus") / "runtime";
  const std::optional<fs::path> runtime =
      WriteRuntimeUnit(def, runtime_options, "", dialogs, clock, /*editable=*/true, took_edits);
  if (!runtime) return std::nullopt;
  const generate::LazarusPackageNames names = generate::LazarusPackageNamesOf(def);
  if (!WriteLazarusFile(*runtime / (names.runtime + ".lpk"), generate::WriteRuntimePackage(def),
                        dialogs) ||
      !WriteLazarusFile(
          *runtime / (names.runtime + ".pas"),
          generate::WritePackageMainUnit(names.runtime, {def.MainInfo.UnitName.str()}), dialogs)) {
    return std::nullopt;
  }

  const fs::path design = runtime->parent_path() / "designtime";
  std::error_code error;
  fs::create_directories(design, error);
  const std::optional<std::vector<std::string>> editor_units = WritePackageEditorUnits(
      def, design, model::CodeTarget::kLazarus, options.edited, kPackagesCaption, dialogs, clock);
  if (!editor_units) return std::nullopt;
  const fs::path package = design / (names.design_time + ".lpk");
  std::vector<std::string> units = {names.registration};
  units.insert(units.end(), editor_units->begin(), editor_units->end());
  if (!WriteLazarusFile(design / (model::LowerCase(names.registration) + ".pas"),
                        generate::WriteRegistrationUnit(def, clock.Now()), dialogs) ||
      !WriteLazarusFile(package, generate::WriteDesignTimePackage(def, *editor_units), dialogs) ||
      !WriteLazarusFile(
          design / (names.design_time + ".pas"),
          generate::WritePackageMainUnit(names.design_time, units, names.registration), dialogs)) {
    return std::nullopt;
  }
  if (platform::FileWriter().Write(design / names.icons, *icons)) {
    dialogs.Information("Could not open " + (design / names.icons).string());
    return std::nullopt;
  }
  dialogs.Information("Lazarus packages written to " +
                      (*runtime / (names.runtime + ".lpk")).string() + " and " + package.string() +
                      ".");
  return package;
}

}  // namespace kx::commands
