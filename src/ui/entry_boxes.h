// SPDX-License-Identifier: GPL-3.0-or-later
// The entry boxes of the definition window: editable combo boxes with incremental completion
// whose key rules are the model's (model/types.h); they only draw and filter.
#pragma once

#include <QComboBox>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/types.h"

namespace kx::ui {

// An editable combo box that completes what is typed from its list, inline.
class EntryBox : public QComboBox {
  Q_OBJECT
 public:
  explicit EntryBox(QWidget* parent = nullptr);
  // Replaces the offered list, keeping the text.
  void SetOffered(const std::vector<std::string>& items);
  // The key rule: the character to insert for a typed one given the text so far, or nothing.
  using KeyRule = std::function<std::optional<char>(const std::string& text, char key)>;
  void SetKeyRule(KeyRule rule) { rule_ = std::move(rule); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyRule rule_;
};

// The data-type entry: a letter first, upper-cased; then letters, digits and "_".
class DataTypeCombo : public EntryBox {
  Q_OBJECT
 public:
  DataTypeCombo(bool is_property, QWidget* parent = nullptr);
};

// The default-value entry: the values and keys of its type's suggestion kind.
class DataValueCombo : public EntryBox {
  Q_OBJECT
 public:
  explicit DataValueCombo(QWidget* parent = nullptr);
  // Follows the kind of the type's suggestions.
  void SetSuggestionKind(model::SuggestionKind kind);

 private:
  std::optional<model::SuggestionKind> kind_;  // none before the first type
};

}  // namespace kx::ui
