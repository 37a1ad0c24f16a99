// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editor_options.h"

#include <algorithm>

#include "model/text.h"

namespace kx::model {

namespace {

void AddOnce(std::vector<std::string>& list, std::string_view name) {
  if (name.empty()) return;
  if (std::any_of(list.begin(), list.end(),
                  [&](const std::string& s) { return SameText(s, name); })) {
    return;
  }
  list.emplace_back(name);
}

void SortIgnoringCase(std::vector<std::string>& list) {
  std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return UpperCase(a) < UpperCase(b);
  });
}

}  // namespace

EditorNameChoices EditorNamesInUse(const ComponentDef& def) {
  EditorNameChoices choices;
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property) continue;
    AddOnce(choices.units, item.Property().PropertyEditor.EditorUnit);
    AddOnce(choices.classes, item.Property().PropertyEditor.EditorClass);
  }
  SortIgnoringCase(choices.units);
  SortIgnoringCase(choices.classes);
  return choices;
}

bool AcceptsEditorNameKey(char key) {
  return IsAsciiLetter(key) || IsAsciiDigit(key) || key == '_' || key == '\b';
}

bool SelectsCustomEditor(std::string_view unit_name, std::string_view class_name) {
  return !unit_name.empty() && !class_name.empty();
}

std::optional<std::string> ApplyEditorOptions(PropertyEditorDef& editor, bool custom_editor,
                                              bool apply_to_all, std::string_view unit_name,
                                              std::string_view class_name) {
  if (custom_editor && (unit_name.empty() || class_name.empty())) {
    return std::string(kMissingEditorNamesMessage);
  }
  editor.DefEdit = !custom_editor;
  editor.ApplyToAll = apply_to_all;
  editor.EditorUnit = unit_name;
  editor.EditorClass = class_name;
  return std::nullopt;
}

}  // namespace kx::model
