// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/main_page_model.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "commands/parent_selection_flow.h"
#include "model/text.h"

namespace kx::commands {

using model::FilteredText;

MainPageModel::MainPageModel(PageHost& host, ParentSelector& selector, const platform::Clock& clock,
                             std::vector<std::string> palette_pages)
    : host_(host), selector_(selector), clock_(clock) {
  state_.palette_pages = std::move(palette_pages);
}

void MainPageModel::Show() {
  state_.copyright_lines = model::CopyrightLines(clock_.Now().year);
  Fill();
}

void MainPageModel::Fill() {
  PageHost::UpdateScope updating(host_);
  shown_ = true;
  const model::MainInfoDef& info = host_.def().MainInfo;
  state_.parent_class = info.ParentClassName.str();
  state_.new_class_name.text = accepted_class_name_ = info.NewClassName.str();
  state_.unit_name.text = accepted_unit_name_ = info.UnitName.str();
  state_.limit_name.checked = info.LimitName;
  state_.unit_name_max = info.LimitName ? 8 : decltype(info.UnitName)::kCapacity;
  state_.description.text = host_.def().Global.Descr.str();
  state_.units = info.Units.value_or(std::vector<std::string>{});
  state_.default_palette.text = info.DefaultPalette.str();
  state_.copyright_line.text = info.CopyrightLine;
  state_.target_dir = info.TargetDir.str();
}

void MainPageModel::Reset() {
  state_ = State{.palette_pages = std::move(state_.palette_pages)};
  shown_ = false;
}

FilteredText MainPageModel::NewClassNameChange(std::string_view text, std::size_t caret) {
  if (host_.updating() || !host_.definition_open()) return {std::string(text), caret};
  FilteredText filtered = class_name_filter_.Edit(state_.new_class_name.text, text, caret);
  state_.new_class_name.text = filtered.text;
  host_.def().MainInfo.NewClassName = filtered.text;
  host_.Modified();
  return filtered;
}

bool MainPageModel::NewClassNameExit() {
  if (!host_.definition_open()) return true;
  model::MainInfoDef& info = host_.def().MainInfo;
  if (!host_.RequireText(info.NewClassName.empty(), model::missing::kNewClassName)) return false;
  if (info.NewClassName.str() == accepted_class_name_) return true;
  const std::string problem = model::CheckNewClassName(
      info.NewClassName, info.ParentClassName, catalog::IsCatalogueClass(info.NewClassName));
  if (problem.empty()) {
    accepted_class_name_ = info.NewClassName.str();
    return true;
  }
  host_.dialogs().Information(problem);
  info.NewClassName = accepted_class_name_;
  state_.new_class_name.text = info.NewClassName.str();
  return true;
}

FilteredText MainPageModel::UnitNameChange(std::string_view text, std::size_t caret) {
  if (host_.updating() || !host_.definition_open()) return {std::string(text), caret};
  FilteredText filtered = model::FilterIdentifier(text, caret, "");
  if (filtered.text.size() > state_.unit_name_max) filtered.text.resize(state_.unit_name_max);
  filtered.caret = std::min(filtered.caret, filtered.text.size());
  state_.unit_name.text = filtered.text;
  host_.def().MainInfo.UnitName = filtered.text;
  host_.Modified();
  return filtered;
}

bool MainPageModel::UnitNameExit() {
  if (!host_.definition_open()) return true;
  model::MainInfoDef& info = host_.def().MainInfo;
  if (!host_.RequireText(info.UnitName.empty(), model::missing::kUnitName)) return false;
  if (info.UnitName.str() != accepted_unit_name_ && model::IsReservedWord(info.UnitName)) {
    host_.dialogs().Information(model::ReservedWordMessage(info.UnitName));
    info.UnitName = accepted_unit_name_;
    state_.unit_name.text = info.UnitName.str();
    return true;
  }
  accepted_unit_name_ = info.UnitName.str();
  for (const std::string& unit : info.Units.value_or(std::vector<std::string>{})) {
    if (model::SameText(unit, info.UnitName)) {
      host_.dialogs().Warning(model::DuplicateUnitMessage(info.UnitName));
      break;
    }
  }
  return true;
}

void MainPageModel::UnitNameLimitedClick(bool checked) {
  if (host_.updating() || !host_.definition_open()) return;
  model::MainInfoDef& info = host_.def().MainInfo;
  info.LimitName = checked;
  state_.limit_name.checked = checked;
  state_.unit_name_max = checked ? 8 : decltype(info.UnitName)::kCapacity;
  if (checked && info.UnitName.size() > 8) info.UnitName = info.UnitName.str().substr(0, 8);
  if (checked && accepted_unit_name_.size() > 8) accepted_unit_name_.resize(8);
  state_.unit_name.text = info.UnitName.str();
  host_.Modified();
}

void MainPageModel::DescriptionChange(std::string_view text) {
  if (host_.updating() || !host_.definition_open()) return;
  host_.def().Global.Descr = text;
  state_.description.text = host_.def().Global.Descr.str();
  host_.Modified();
}

void MainPageModel::DefaultPaletteChange(std::string_view text) {
  if (host_.updating() || !host_.definition_open()) return;
  host_.def().MainInfo.DefaultPalette = text;
  state_.default_palette.text = host_.def().MainInfo.DefaultPalette.str();
  host_.Modified();
}

bool MainPageModel::DefaultPaletteExit() {
  if (!host_.definition_open()) return true;
  model::MainInfoDef& info = host_.def().MainInfo;
  const std::string trimmed = model::Trim(info.DefaultPalette);
  if (trimmed != info.DefaultPalette.str()) {
    info.DefaultPalette = trimmed;
    state_.default_palette.text = trimmed;
    host_.Modified();
  }
  return host_.RequireText(trimmed.empty(), model::missing::kDefaultPalette);
}

void MainPageModel::CopyrightLineChange(std::string_view text) {
  if (host_.updating() || !host_.definition_open()) return;
  host_.def().MainInfo.CopyrightLine = std::string(text);
  state_.copyright_line.text = std::string(text);
  host_.Modified();
}

void MainPageModel::CopyrightLineEnterOrExit() {
  if (!host_.definition_open()) return;
  std::string& line = host_.def().MainInfo.CopyrightLine;
  const std::string tidy = model::TidyCopyrightEntry(state_.copyright_lines, line);
  if (tidy != line) {
    line = tidy;
    host_.Modified();
  }
  state_.copyright_line.text = tidy;
}

void MainPageModel::UnitListInsert() {
  if (!host_.definition_open()) return;
  NamePromptRequest request{.caption = "Add unit to list", .label = "Enter the unit name:"};
  std::string unit;
  for (;;) {
    const std::optional<NamePromptAnswer> answer = host_.dialogs().NamePrompt(request);
    if (!answer) return;
    unit = model::FilterIdentifier(answer->name, 0, "").text;
    if (unit.empty()) {
      host_.dialogs().Information(model::MissingEntryMessage(model::missing::kName));
    } else if (model::IsReservedWord(unit)) {
      host_.dialogs().Information(model::ReservedWordMessage(unit));
    } else {
      break;
    }
    request.name = answer->name;
  }
  model::AddUnit(host_.def().MainInfo.Units, unit);
  host_.Modified();
  Fill();
}

void MainPageModel::UnitListDelete(int position) {
  if (!host_.definition_open()) return;
  model::TextBlock& units = host_.def().MainInfo.Units;
  if (!units || position < 0 || position >= static_cast<int>(units->size())) return;
  const std::string unit = (*units)[position];
  if (host_.dialogs().Confirm(Buttons::kYesNo, "Delete " + unit + " from unit list?") !=
      Answer::kYes) {
    return;
  }
  units->erase(units->begin() + position);
  host_.Modified();
  Fill();
}

void MainPageModel::NewTargetClick() {
  if (!host_.definition_open()) return;
  model::MainInfoDef& info = host_.def().MainInfo;
  const std::optional<std::filesystem::path> chosen =
      host_.dialogs().SelectDirectory(kTargetDirTitle, info.TargetDir.str());
  if (!chosen) return;
  // A folder the user chose keeps its letter case: the file system tells cases apart.
  info.TargetDir = store::AsDirectory(chosen->string());
  state_.target_dir = info.TargetDir.str();
  host_.Modified();
}

void MainPageModel::ChangeParentClassClick() {
  if (!host_.definition_open()) return;
  if (host_.session().ChangeParent(selector_)) Fill();
}

}  // namespace kx::commands
