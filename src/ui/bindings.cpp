// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bindings.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

namespace {

class LeaveFilter : public QObject {
 public:
  LeaveFilter(QObject* parent, PageContext& context, std::function<bool()> check)
      : QObject(parent), context_(context), check_(std::move(check)) {
    setObjectName(kName);
  }
  static constexpr const char* kName = "kx_leave_check";

  // The check without leaving (Enter in the field).
  void Commit() {
    if (active_ || context_.model.updating()) return;
    active_ = true;
    context_.run([&] { check_(); });
    active_ = false;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // A box or menu opening takes the focus without the user leaving the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || active_ ||
        context_.model.updating()) {
      return false;
    }
    active_ = true;
    bool stay = false;
    context_.run([&] { stay = !check_(); });
    active_ = false;
    if (stay) {
      auto* widget = static_cast<QWidget*>(watched);
      QTimer::singleShot(0, widget, [widget] { widget->setFocus(Qt::OtherFocusReason); });
    }
    return false;
  }

 private:
  PageContext& context_;
  std::function<bool()> check_;
  static inline bool active_ = false;
};

// The field's text as the model takes it; none when it holds a character a definition cannot
// store, which is said, and the page shows the model's text again.
std::optional<std::string> TakenText(PageContext& context, const QString& text) {
  std::optional<std::string> bytes = ToModel(text);
  if (!bytes) {
    context.dialogs.Warning(RefusedCharacterMessage(text));
    context.run([] {});
  }
  return bytes;
}

}  // namespace

void BindText(PageContext& context, QLineEdit* edit,
              std::function<void(std::string_view)> handler) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [&context, handler](const QString& text) {
    const std::optional<std::string> bytes = TakenText(context, text);
    if (bytes) context.run([&] { handler(*bytes); });
  });
}

void BindName(PageContext& context, QLineEdit* edit,
              std::function<model::FilteredText(std::string_view, std::size_t)> handler) {
  QObject::connect(
      edit, &QLineEdit::textEdited, edit, [&context, edit, handler](const QString& text) {
        const std::optional<std::string> bytes = TakenText(context, text);
        if (!bytes) return;
        model::FilteredText filtered;
        context.run(
            [&] { filtered = handler(*bytes, static_cast<std::size_t>(edit->cursorPosition())); });
        if (FromModel(filtered.text) != edit->text()) {
          edit->setText(FromModel(filtered.text));
          edit->setCursorPosition(static_cast<int>(filtered.caret));
        }
      });
}

void BindEntry(PageContext& context, QComboBox* box,
               std::function<void(std::string_view)> handler) {
  QObject::connect(box, &QComboBox::editTextChanged, box, [&context, handler](const QString& text) {
    if (context.model.updating()) return;
    const std::optional<std::string> bytes = TakenText(context, text);
    if (bytes) context.run([&] { handler(*bytes); });
  });
}

void OnLeave(PageContext& context, QWidget* widget, std::function<bool()> check) {
  widget->installEventFilter(new LeaveFilter(widget, context, std::move(check)));
}

bool CommitField(QWidget* focus) {
  if (focus == nullptr) return false;
  QWidget* field = focus;
  if (auto* box = qobject_cast<QComboBox*>(focus->parentWidget());
      box && box->lineEdit() == focus) {
    field = box;
  }
  if (qobject_cast<QLineEdit*>(field) == nullptr && qobject_cast<QComboBox*>(field) == nullptr) {
    return false;
  }
  // The filter has no meta-object of its own; it is found by name.
  if (auto* filter = dynamic_cast<LeaveFilter*>(
          field->findChild<QObject*>(LeaveFilter::kName, Qt::FindDirectChildrenOnly))) {
    filter->Commit();
  }
  return true;
}

void ShowText(QLineEdit* edit, std::string_view text) {
  const QString shown = FromModel(text);
  if (edit->text() != shown) edit->setText(shown);
}

void ShowEntryText(QComboBox* box, std::string_view text) {
  const QString shown = FromModel(text);
  if (box->currentText() != shown) box->setEditText(shown);
}

void ShowState(QWidget* widget, bool enabled, bool visible) {
  widget->setEnabled(enabled);
  widget->setVisible(visible);
}

void BindEntryList(PageContext& context, QListWidget* list, std::function<void(int)> click) {
  QObject::connect(list, &QListWidget::currentRowChanged, list, [&context, click](int row) {
    if (context.model.updating() || row < 0) return;
    context.run([&] { click(row); });
  });
}

QGridLayout* ItemPageLayout(QWidget* page, QListWidget* list,
                            std::initializer_list<QWidget*> above) {
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  for (QWidget* widget : above) left->addWidget(widget);
  list->setMinimumWidth(200);
  left->addWidget(list);
  layout->addLayout(left, 2);
  auto* grid = new QGridLayout;
  layout->addLayout(grid, 3);
  return grid;
}

QLabel* Buddy(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

void ShowList(QListWidget* list, const commands::EntryList& entries) {
  bool same = list->count() == static_cast<int>(entries.entries.size());
  for (int i = 0; same && i < list->count(); ++i) {
    same = list->item(i)->text() == FromModel(entries.entries[i]);
  }
  if (!same) {
    list->clear();
    for (const std::string& entry : entries.entries) list->addItem(FromModel(entry));
  }
  if (list->currentRow() != entries.selected) list->setCurrentRow(entries.selected);
}

}  // namespace kx::ui
