// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties page without its widgets: the fields of the selected property, what each
// control stores, and the checks run when a field is left.
#pragma once

#include <string>
#include <string_view>

#include "commands/item_page_model.h"
#include "model/name_rules.h"
#include "model/types.h"

namespace kx::commands {

class MainPageModel;

inline constexpr std::string_view kHiddenScope = "hidden";
inline constexpr std::string_view kVariableCaption = "Variable:";
inline constexpr std::string_view kLinksWithCaption = "Links with:";
inline constexpr std::string_view kHiddenEditorMessage =
    "You cannot select a custom property editor for a hidden property.";
inline constexpr std::string_view kInheritedPropertyCodeMessage =
    "You cannot edit code for a property inherited from the parent class.  You can only set its "
    "default value.";
inline constexpr std::string_view kNoAccessMethodMessage =
    "You have not checked the \"Use read method\" or \"Use write method\" check boxes for this "
    "property, so there is no code to edit for it.";

struct PropertyPageState {
  TextControl name, description, type, default_value;
  model::ValueSuggestions values;
  model::SpecialKindChoice special;
  bool special_enabled = true;
  CheckControl read_only, use_read, use_write, inherited, unpublish;
  std::string variable_caption{kVariableCaption};  // or kLinksWithCaption
  std::string variable_name;
  std::string scope;
  bool editor_enabled = true;  // ">>>..."
};

class PropertyPageModel : public ItemPageModel {
 public:
  using State = PropertyPageState;
  // A property editor's unit joins the main page's unit list.
  PropertyPageModel(PageHost& host, MainPageModel& main_page)
      : ItemPageModel(Page::kProperties, host), main_page_(main_page) {}
  const State& state() const { return state_; }

  model::FilteredText PropNameChange(std::string_view text, std::size_t caret);
  bool PropNameExit();
  void PropDescriptionChange(std::string_view text);
  void PropTypeChange(std::string_view text);
  bool PropTypeExit();
  void PropDefaultChange(std::string_view text);
  void PropDefaultExit();
  void PropSpecialChange(int position);
  void ReadOnlyClick(bool checked);
  void UseReadClick(bool checked);
  void UseWriteClick(bool checked);
  void InheritedClick(bool checked);
  void UnpublishClick(bool checked);
  void PropEditorBtnClick();

  NamePromptRequest AddPrompt() const override;
  model::ItemDef NewItem(const std::string& name, const NamePromptAnswer& answer,
                         model::TextBlock& units) const override;
  std::optional<model::ItemDef> CompleteNewItem(model::ItemDef item) override;
  // Sets which access method of the property is edited.
  bool MayEditCode(model::ItemDef& item) override;

 private:
  bool Lists(const model::ItemDef& item) const override {
    return item.Kind() == model::ItemKind::Property;
  }
  void ClearFields() override;
  void ShowItem(const model::ItemDef& item) override;
  void ShowName(const model::ItemDef& item) override;
  // The storage variable (or linked component) and the scope the property gets.
  void RefreshVariableLabel();

  State state_;
  MainPageModel& main_page_;
};

}  // namespace kx::commands
