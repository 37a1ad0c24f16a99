// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entry_boxes.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

#include "model/types.h"
#include "ui/text_boundary.h"

namespace kx::ui {

EntryBox::EntryBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  completer()->setCompletionMode(QCompleter::InlineCompletion);
  completer()->setCaseSensitivity(Qt::CaseInsensitive);
  // Keys reach the combo box first, which hands them to its line edit without filters.
  installEventFilter(this);
}

void EntryBox::SetOffered(const std::vector<std::string>& items) {
  const QString text = currentText();
  const QSignalBlocker block(this);
  clear();
  for (const std::string& item : items) addItem(FromModel(item));
  setCurrentIndex(-1);
  setEditText(text);
}

bool EntryBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Enter takes what the completion proposed and goes on to the default button.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lineEdit()->hasSelectedText()) {
      lineEdit()->deselect();
      lineEdit()->end(false);
    }
  }
  if (rule_ && watched == this && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    // Control keys and shortcuts pass; a printable key goes through the rule.
    if (typed.size() == 1 && typed[0].unicode() >= 0x20 &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const std::optional<std::string> byte = ToModel(typed);
      if (!byte) return false;  // the field's own check refuses it with a message
      // The text the key is typed into: what stays once the selection is replaced (inline
      // completion selects what it proposed).
      QString kept = lineEdit()->text();
      if (lineEdit()->hasSelectedText()) {
        kept.remove(lineEdit()->selectionStart(), lineEdit()->selectedText().size());
      }
      const std::string before = ToModel(kept).value_or("");
      const std::optional<char> accepted = rule_(before, (*byte)[0]);
      if (!accepted) return true;  // swallowed
      if (*accepted != (*byte)[0]) {
        // The changed key goes the usual way, through the inline completion.
        QKeyEvent changed(QEvent::KeyPress, key->key(), key->modifiers(),
                          FromModel(std::string(1, *accepted)));
        keyPressEvent(&changed);
        return true;
      }
    }
  }
  return QComboBox::eventFilter(watched, event);
}

DataTypeCombo::DataTypeCombo(bool is_property, QWidget* parent) : EntryBox(parent) {
  SetOffered(model::OfferedDataTypes(is_property));
  SetKeyRule([](const std::string& text, char key) { return model::TypeEntryKey(text, key); });
}

DataValueCombo::DataValueCombo(QWidget* parent) : EntryBox(parent) {
  SetKeyRule([this](const std::string&, char key) -> std::optional<char> {
    if (model::AcceptsValueKey(kind_.value_or(model::SuggestionKind::kNone), key)) return key;
    return std::nullopt;
  });
}

void DataValueCombo::SetSuggestionKind(model::SuggestionKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  SetOffered(model::SuggestedValues(kind));
}

}  // namespace kx::ui
