// SPDX-License-Identifier: GPL-3.0-or-later
// The Variables page without its widgets: the fields of the selected variable, what each control
// stores, and the questions before marking a type an object or a component that is none.
#pragma once

#include <array>
#include <string_view>

#include "commands/item_page_model.h"
#include "model/name_rules.h"
#include "model/types.h"

namespace kx::commands {

inline constexpr std::string_view kObjectVariablesOnlyMessage =
    "You may edit initialization code only for object variables.";
inline constexpr std::array<std::string_view, 3> kVariableScopes = {"Public", "Protected",
                                                                    "Private"};
inline constexpr std::string_view kObjectNote = "(Create and Free calls generated)";

struct VariablePageState {
  TextControl name, description, type, default_value;
  model::ValueSuggestions values;
  bool object_note_visible = false;  // "(Create and Free calls generated)"
  int scope = 0;                     // "Public", "Protected", "Private"
  bool scope_enabled = false;
  CheckControl is_object, is_subcomponent;
};

class VariablePageModel : public ItemPageModel {
 public:
  using State = VariablePageState;
  explicit VariablePageModel(PageHost& host) : ItemPageModel(Page::kVariables, host) {}
  const State& state() const { return state_; }

  model::FilteredText VariableNameChange(std::string_view text, std::size_t caret);
  bool VariableNameExit();
  void VariableDescriptionChange(std::string_view text);
  void VariableDataTypeChange(std::string_view text);
  bool VariableDataTypeExit();
  void VariableDefaultChange(std::string_view text);
  void VariableDefaultExit();
  void VariableScopeChange(int scope);
  void IsObjectClick(bool checked);
  void IsSubComponentClick(bool checked);

  NamePromptRequest AddPrompt() const override;
  model::ItemDef NewItem(const std::string& name, const NamePromptAnswer& answer,
                         model::TextBlock& units) const override;
  // Only an object variable has code: its creation.
  bool MayEditCode(model::ItemDef& item) override;

 private:
  bool Lists(const model::ItemDef& item) const override {
    return item.Kind() == model::ItemKind::Variable;
  }
  void ClearFields() override;
  void ShowItem(const model::ItemDef& item) override;
  void ShowName(const model::ItemDef& item) override {
    state_.name.text = item.Variable().Name.str();
  }
  // The default value field and the note follow whether the variable is an object.
  void ShowObjectKind(const model::VariablePart& v);

  State state_;
};

}  // namespace kx::commands
