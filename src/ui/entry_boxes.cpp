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
  lineEdit()->installEventFilter(this);
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
  if (rule_ && watched == lineEdit() && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    // Control keys and shortcuts pass; a printable key goes through the rule.
    if (typed.size() == 1 && typed[0].unicode() >= 0x20 &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const std::optional<std::string> byte = ToModel(typed);
      if (!byte) return false;  // the field's own check refuses it with a message
      std::string before = ToModel(lineEdit()->text()).value_or("");
      if (lineEdit()->hasSelectedText()) before.clear();
      const std::optional<char> accepted = rule_(before, (*byte)[0]);
      if (!accepted) return true;  // swallowed
      if (*accepted != (*byte)[0]) {
        lineEdit()->insert(FromModel(std::string(1, *accepted)));
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
    if (model::AcceptsValueKey(kind_ < 0 ? 0 : kind_, key)) return key;
    return std::nullopt;
  });
}

void DataValueCombo::SetSuggestionKind(int kind) {
  if (kind == kind_) return;
  kind_ = kind;
  SetOffered(model::SuggestedValues(kind));
}

}  // namespace kx::ui
