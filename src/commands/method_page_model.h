// SPDX-License-Identifier: GPL-3.0-or-later
// The Methods page without its widgets: the fields of the selected method and what each control
// stores.
#pragma once

#include <array>
#include <string_view>

#include "commands/item_page_model.h"

namespace kx::commands {

// The messages the method page's message box offers; the user may type any other.
inline constexpr std::array<std::string_view, 21> kWindowsMessages = {"",
                                                                      "CM_ENABLEDCHANGED",
                                                                      "CM_FONTCHANGED",
                                                                      "CM_COLORCHANGED",
                                                                      "CM_TEXTCHANGED",
                                                                      "CM_MOUSEENTER",
                                                                      "CM_MOUSELEAVE",
                                                                      "CM_ENTER",
                                                                      "CM_EXIT",
                                                                      "CN_COMMAND",
                                                                      "WM_CHAR",
                                                                      "WM_KEYDOWN",
                                                                      "WM_KEYUP",
                                                                      "WM_KILLFOCUS",
                                                                      "WM_LBUTTONDOWN",
                                                                      "WM_LBUTTONUP",
                                                                      "WM_MOUSEMOVE",
                                                                      "WM_PAINT",
                                                                      "WM_SETFOCUS",
                                                                      "WM_SIZE",
                                                                      "WM_TIMER"};
inline constexpr std::array<std::string_view, 3> kMethodScopes = {
    "Public", "Protected (component and its descendants)", "Private (component only)"};
// The method binding list: Override, then Mode 0, 1, 2.
inline constexpr std::array<std::string_view, 4> kOverrideChoices = {
    "Overrides an inherited method", "New method, can be overridden (max. speed)",
    "New method, can be overridden (min. size)", "New method, cannot be overridden"};

struct MethodPageState {
  int kind = 0;  // procedure, function, constructor, destructor
  TextControl header, description, win_message;
  int scope = 0;         // "Public", "Protected (...)", "Private (...)"
  int override = 0;      // first choice override, then Mode 0..2
  bool enabled = false;  // kind, scope and override choices
};

class MethodPageModel : public ItemPageModel {
 public:
  using State = MethodPageState;
  explicit MethodPageModel(PageHost& host) : ItemPageModel(Page::kMethods, host) {}
  const State& state() const { return state_; }

  void MethodKindChange(int kind);
  void MethodHeaderChange(std::string_view text);
  bool MethodHeaderExit();
  void MethodDescriptionChange(std::string_view text);
  void MethodScopeChange(int scope);
  void DoOverrideChange(int choice);
  void WinMessageChange(std::string_view text);

  NamePromptRequest AddPrompt() const override;
  model::ItemDef NewItem(const std::string& name, const NamePromptAnswer& answer,
                         model::TextBlock& units) const override;
  // A header the code would not compile with is corrected first.
  bool MayEditCode(model::ItemDef& item) override;

 private:
  bool Lists(const model::ItemDef& item) const override {
    return item.Kind() == model::ItemKind::Method;
  }
  void ClearFields() override;
  void ShowItem(const model::ItemDef& item) override;
  void ShowName(const model::ItemDef& item) override {
    state_.header.text = item.Method().Header.str();
  }

  State state_;
};

}  // namespace kx::commands
