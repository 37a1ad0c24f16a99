// SPDX-License-Identifier: GPL-3.0-or-later
// The Main page without its widgets: the class, unit, palette page, units and target folder of
// the definition, what each control stores, and the checks run when a field is left. The name
// handlers return the filtered text and caret to show; leaving a field returns false when the
// focus must go back to it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/page_host.h"
#include "model/name_rules.h"
#include "model/types.h"
#include "platform/clock.h"

namespace kx::commands {

class ParentSelector;

inline constexpr std::string_view kTargetDirTitle = "Select new target directory";

struct MainPageState {
  std::string parent_class;
  TextControl new_class_name;
  TextControl unit_name;
  // 8 while "Limit to 8 chars" is checked, else the capacity.
  std::size_t unit_name_max = decltype(model::MainInfoDef::UnitName)::kCapacity;
  CheckControl limit_name;
  TextControl description;
  std::vector<std::string> units;
  TextControl default_palette;
  std::vector<std::string> palette_pages;
  TextControl copyright_line;
  std::vector<std::string> copyright_lines;
  std::string target_dir;
};

class MainPageModel {
 public:
  using State = MainPageState;
  MainPageModel(PageHost& host, ParentSelector& selector, const platform::Clock& clock,
                std::vector<std::string> palette_pages);
  MainPageModel(const MainPageModel&) = delete;
  MainPageModel& operator=(const MainPageModel&) = delete;
  const State& state() const { return state_; }
  // Whether the page was filled since the definition was shown.
  bool shown() const { return shown_; }

  // The fields from the definition; Show also offers this year's copyright lines.
  void Show();
  void Fill();
  // No definition: every field empty.
  void Reset();

  model::FilteredText NewClassNameChange(std::string_view text, std::size_t caret);
  bool NewClassNameExit();
  model::FilteredText UnitNameChange(std::string_view text, std::size_t caret);
  bool UnitNameExit();
  void UnitNameLimitedClick(bool checked);
  void DescriptionChange(std::string_view text);
  void DefaultPaletteChange(std::string_view text);
  bool DefaultPaletteExit();
  void CopyrightLineChange(std::string_view text);
  void CopyrightLineEnterOrExit();
  void UnitListInsert();
  void UnitListDelete(int position);
  void NewTargetClick();
  void ChangeParentClassClick();

 private:
  PageHost& host_;
  ParentSelector& selector_;
  const platform::Clock& clock_;
  State state_;
  bool shown_ = false;
  // The names that stand checked, put back when a new one is refused.
  std::string accepted_class_name_, accepted_unit_name_;
  model::NameFieldFilter class_name_filter_{"T"};
};

}  // namespace kx::commands
