// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/session.h"

#include "catalog/new_definition.h"
#include "commands/component_unit_import.h"
#include "commands/parent_selection_flow.h"
#include "model/name_rules.h"

namespace kx::commands {

namespace fs = std::filesystem;

Session::Session(const store::Settings& settings, Dialogs& dialogs)
    : settings_(settings), dialogs_(dialogs) {
  model::ClearDefinition(def_, settings_.pascal_code_dir_chosen ? settings_.pascal_code_dir : "");
}

std::string Session::Title() const {
  if (!open_) return "Component Definition - (None)";
  if (file_.empty()) return "Component Definition - (Untitled)";
  return "Component Definition - " + file_.string();
}

Answer Session::AskSave(std::string_view caption) {
  if (!modified_) return Answer::kNo;
  const std::string question =
      file_.empty() ? "Save this component definition?" : "Save " + file_.string() + "?";
  return dialogs_.Confirm(Buttons::kYesNoCancel, question, caption);
}

bool Session::SaveIfWanted(std::string_view caption) {
  switch (AskSave(caption)) {
    case Answer::kCancel:
      return false;
    case Answer::kYes:
      // A save that did not happen must not be followed by losing the changes.
      return Save();
    default:
      return true;
  }
}

bool Session::Load(const fs::path& path) {
  model::ReleaseDefinitionTexts(def_);
  fs::path read;
  platform::FileStamp stamp;
  // A definition without a target directory keeps none: generating falls back to the default
  // target directory anyway, and saving must not write a folder the user never chose.
  open_ = ReadDefinitionFile(def_, path, dialogs_, "", &read, &stamp);
  file_ = open_ ? read : fs::path();
  if (open_) RememberFolder(file_);
  stamp_.reset();
  if (open_) stamp_ = stamp;
  modified_ = false;
  return open_;
}

bool Session::Open() {
  if (!SaveIfWanted("Open Component Definition")) return false;
  std::optional<fs::path> chosen = dialogs_.OpenFile({.title = "Select a definition file",
                                                      .filter = std::string(kDefinitionFilter),
                                                      .default_ext = "cd",
                                                      .initial_dir = DialogFolder(),
                                                      .must_exist = true});
  if (!chosen) return false;
  return Load(*chosen);
}

void Session::RememberFolder(const fs::path& file) {
  std::error_code error;
  const fs::path whole = fs::absolute(file, error);
  if (!error) last_folder_ = whole.parent_path();
}

fs::path Session::DialogFolder() const {
  return last_folder_.empty() ? fs::path(settings_.definitions_dir) : last_folder_;
}

std::string Session::ProposedFileName() const {
  if (!file_.empty()) return file_.filename().string();
  return model::FileNameOf(def_.MainInfo.UnitName.str(), ".cd").name;
}

bool Session::Save() {
  if (file_.empty()) return SaveAs();
  // Two windows, or the window and a script, may have the same file open.
  if (stamp_ && platform::ChangedSince(file_, *stamp_) &&
      dialogs_.Confirm(Buttons::kYesNo, file_.string() +
                                            " was changed by another program since it was "
                                            "opened.  Overwrite it?") != Answer::kYes) {
    return false;
  }
  return WriteTo(file_);
}

bool Session::SaveAs() {
  std::optional<fs::path> chosen =
      dialogs_.SaveFile({.title = "Select name for component definition file",
                         .filter = std::string(kDefinitionFilter),
                         .default_ext = "CD",
                         .initial_dir = DialogFolder(),
                         .file_name = ProposedFileName()});
  if (!chosen) return false;
  return WriteTo(*chosen);
}

bool Session::WriteTo(const fs::path& path) {
  platform::FileStamp stamp;
  if (!WriteDefinitionFile(def_, path, dialogs_, &stamp)) return false;
  file_ = path;
  RememberFolder(path);
  stamp_ = stamp;
  def_.MainInfo.FileName = path.string();
  modified_ = false;
  return true;
}

bool Session::Exit() { return SaveIfWanted("Exit Kestrix"); }

bool Session::New(ParentSelector& selector) { return New(selector, FormImports(dialogs_)); }

bool Session::New(ParentSelector& selector, const catalog::NewDefinitionImports& imports) {
  if (open_ && !SaveIfWanted("New Component")) return false;
  const std::optional<catalog::ParentSelection> parent = selector.SelectForNewDefinition();
  if (!parent) return false;
  model::ReleaseDefinitionTexts(def_);
  catalog::NewDefinitionFromSelection(def_, *parent, settings_, imports);
  // Saving the new definition must ask for a name, never overwrite the previous file.
  file_.clear();
  stamp_.reset();
  open_ = true;
  modified_ = true;
  return true;
}

std::optional<std::vector<std::string>> Session::ImportUnit(
    catalog::CustomClassRegistry& registry) {
  if (open_ && !SaveIfWanted("Import Component Unit")) return std::nullopt;
  const fs::path start = imported_unit_.empty() ? DialogFolder() : imported_unit_.parent_path();
  const std::optional<fs::path> chosen = dialogs_.OpenFile(ImportUnitRequest(start));
  if (!chosen) return std::nullopt;
  // Remembered even when refused: the next try most likely looks beside it.
  std::error_code error;
  const fs::path whole = fs::absolute(*chosen, error);
  imported_unit_ = error ? *chosen : whole;
  std::optional<ImportedUnit> imported =
      ImportComponentUnit(*chosen, dialogs_, registry, settings_);
  if (!imported) return std::nullopt;
  model::ReleaseDefinitionTexts(def_);
  def_ = std::move(imported->def);
  // Saving must ask for a name: the unit's folder may hold a definition of the same name.
  file_.clear();
  stamp_.reset();
  open_ = true;
  modified_ = true;
  return std::move(imported->notes);
}

bool Session::ChangeParent(ParentSelector& selector) {
  if (!ChangeParentClass(def_, selector)) return false;
  modified_ = true;
  return true;
}

}  // namespace kx::commands
