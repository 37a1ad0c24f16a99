// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/generate_unit.h"

#include "commands/generated_file.h"
#include "commands/target_directory.h"
#include "commands/unit_sync.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "pascal/source.h"
#include "platform/atomic_file.h"

namespace kx::commands {

namespace fs = std::filesystem;

constexpr std::string_view kGenerateCaption = "Generate component code";

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

std::optional<fs::path> ComponentUnitPath(const model::ComponentDef& def,
                                          const GenerateUnitOptions& options, Dialogs& dialogs) {
  const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".pas");
  if (file.name.empty()) {
    dialogs.Error("The unit name " + file.why_not + ", so no unit was written.");
    return std::nullopt;
  }
  return TargetDirectory(def.MainInfo, options.default_target_dir, options.output_dir) / file.name;
}

bool MayReplaceComponentUnit(const fs::path& path, model::ComponentDef& def,
                             const SyncOptions& sync_options, const EditedUnitHandling& edited,
                             std::string_view caption, Dialogs& dialogs, bool* took_edits) {
  const std::optional<std::string> now = ChangedUnitText(path);
  if (!now) return true;
  UnitSync sync = SyncUnit(def, *now, ReadGeneratedRecord(path), sync_options);
  if (sync.error.empty() && !sync.HoldsEdits()) return true;
  const std::string backup = GeneratedBackupPath(path).filename().string();
  switch (edited.handling) {
    case EditedUnit::kReplace:
      return true;
    case EditedUnit::kRefuse:
      dialogs.Error(EditedUnitRefusal(path, edited, /*can_sync=*/true), caption);
      return false;
    case EditedUnit::kAsk:
      break;
  }
  switch (dialogs.Confirm(Buttons::kYesNoCancel, kUnitChangedQuestion, caption)) {
    case Answer::kNo:
      return true;
    case Answer::kYes:
      break;
    default:
      return false;
  }
  if (!sync.error.empty()) {
    dialogs.Error(sync.error, caption);
    return false;
  }
  def = std::move(sync.def);
  if (took_edits) *took_edits = true;
  if (sync.unplaced.empty()) {
    dialogs.Information(SyncSummary(sync), caption);
    return true;
  }
  return dialogs.Confirm(Buttons::kYesCancel,
                         SyncSummary(sync) +
                             "\r\rWrite the unit anyway? The unit as it is now is "
                             "kept as " +
                             backup + ".",
                         caption) == Answer::kYes;
}

std::optional<fs::path> GenerateComponentCode(model::ComponentDef& def,
                                              const GenerateUnitOptions& options, Dialogs& dialogs,
                                              const platform::Clock& clock, bool* took_edits) {
  const std::optional<fs::path> unit_path = ComponentUnitPath(def, options, dialogs);
  if (!unit_path) return std::nullopt;
  const fs::path& path = *unit_path;
  std::string target_dir = path.parent_path().string();
  if (!target_dir.empty() && target_dir.back() != fs::path::preferred_separator) {
    target_dir += fs::path::preferred_separator;
  }
  def.MainInfo.TargetDir = target_dir;
  if (!MayReplaceComponentUnit(path, def,
                               {.target = options.target, .full_comments = options.full_comments},
                               options.edited, kGenerateCaption, dialogs, took_edits))
    return std::nullopt;

  // Registration's own unit is written from the definition alone: edits there cannot be taken.
  const std::optional<fs::path> registration = RegistrationUnitPath(def, path, options.target);
  if (registration &&
      !MayReplaceEditedUnit(*registration, options.edited, dialogs, kGenerateCaption))
    return std::nullopt;

  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = options.target};
  generate::PrepareForUnit(def, unit_options);
  const std::string text = generate::WriteComponentUnit(def, unit_options, clock.Now());
  // Where registration has a unit of its own, it is written first, so that the unit shown is
  // never one that leaves its component unregistered.
  if (registration) {
    if (!WriteGeneratedFile(
            *registration,
            generate::WriteRegistrationUnit(def, clock.Now(), generate::TargetFor(options.target)),
            dialogs, {.target = options.target, .keep_backup = true})) {
      return std::nullopt;
    }
  }
  if (!WriteAndOfferView(path, text,
                         {options.codeview, "Component code", kGenerateCaption,
                          /*say_when_not_shown=*/true},
                         dialogs, {.target = options.target, .keep_backup = true})) {
    return std::nullopt;
  }
  return path;
}

bool TakeUnitEdits(model::ComponentDef& def, const GenerateUnitOptions& options, Dialogs& dialogs) {
  constexpr std::string_view kCaption = "Take edits from unit";
  const std::optional<fs::path> proposed = ComponentUnitPath(def, options, dialogs);
  if (!proposed) return false;
  const std::optional<fs::path> path =
      dialogs.OpenFile({.title = std::string(kCaption),
                        .filter = "Pascal units (*.pas;*.pp)|*.pas;*.pp|All files (*.*)|*.*",
                        .default_ext = "pas",
                        .initial_dir = proposed->parent_path(),
                        .file_name = proposed->filename().string(),
                        .must_exist = true});
  if (!path) return false;
  std::string bytes;
  if (const std::error_code error = platform::ReadWholeFile(*path, bytes, pascal::kMaxSourceSize)) {
    dialogs.Error("Could not read " + path->string() + ": " + error.message() + ".", kCaption);
    return false;
  }
  SyncOptions sync_options{.target = options.target, .full_comments = options.full_comments};
  const std::optional<std::string> record = ReadGeneratedRecord(*path);
  UnitSync sync = SyncUnit(def, bytes, record, sync_options);
  if (!sync.error.empty()) {
    dialogs.Error(sync.error, kCaption);
    return false;
  }
  if (!sync.removed.empty()) {
    std::string names;
    for (const std::string& name : sync.removed) names += (names.empty() ? "" : ", ") + name;
    if (dialogs.Confirm(Buttons::kYesNo,
                        "The unit no longer declares " + names +
                            ".\r\rDelete these items from the definition as well?",
                        kCaption) == Answer::kYes) {
      sync_options.remove = true;
      sync = SyncUnit(def, bytes, record, sync_options);
    }
  }
  dialogs.Information(SyncSummary(sync), kCaption);
  if (!sync.Changed()) return false;
  def = std::move(sync.def);
  return true;
}

std::optional<fs::path> RegistrationUnitPath(const model::ComponentDef& def,
                                             const fs::path& unit_path, model::CodeTarget target) {
  if (!generate::TargetFor(target).registration_unit) return std::nullopt;
  return unit_path.parent_path() /
         model::FileNameOf(generate::RegistrationUnitName(def), ".pas").name;
}

}  // namespace kx::commands
