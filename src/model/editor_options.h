// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the property editor options dialog, below the window: which names its two
// lists offer, which keys its name fields take, when typing selects the custom editor, and
// what OK stores.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"

namespace kx::model {

struct EditorNameChoices {
  std::vector<std::string> units;    // every property's editor unit, once, sorted
  std::vector<std::string> classes;  // every property's editor class, once, sorted
};
EditorNameChoices EditorNamesInUse(const ComponentDef& def);

// Letters, digits, "_" and backspace; every other key is discarded.
bool AcceptsEditorNameKey(char key);

// Typing selects the custom editor as soon as both names are there.
bool SelectsCustomEditor(std::string_view unit_name, std::string_view class_name);

inline constexpr std::string_view kMissingEditorNamesMessage =
    "You have not provided the unit and class names for the editor.";

// OK: stores the choice into the record, or returns the message that keeps the dialog open
// (a custom editor needs both names). The names are stored even for the default editor.
std::optional<std::string> ApplyEditorOptions(PropertyEditorDef& editor, bool custom_editor,
                                              bool apply_to_all, std::string_view unit_name,
                                              std::string_view class_name);

}  // namespace kx::model
