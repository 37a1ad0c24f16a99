// SPDX-License-Identifier: GPL-3.0-or-later
// How the window's widgets reach the model: each user action runs one handler and then the
// whole window is drawn again from the model's states. Text is converted at this boundary;
// a character Windows-1252 cannot hold is refused with a message and the field keeps what
// it held.
#pragma once

#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "commands/main_window_model.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace kx::ui {

// What a page needs from its window: run a handler (then everything is drawn again), and the
// dialogs that show the refusal of a character.
struct PageContext {
  commands::MainWindowModel& model;
  commands::Dialogs& dialogs;
  std::function<void(const std::function<void()>&)> run;
};

// A field takes no more characters than the definition's field stores:
//   LimitLength(name, &model::PropertyPart::Name);
template <class Part, std::size_t N>
void LimitLength(QLineEdit* edit, model::ShortString<N> Part::*) {
  edit->setMaxLength(static_cast<int>(N));
}

// Fills a list widget with entries only when they changed, and selects the entry.
void ShowList(QListWidget* list, const commands::EntryList& entries);

// A field whose text the model stores as typed.
void BindText(PageContext& context, QLineEdit* edit, std::function<void(std::string_view)> handler);
// A name field the model filters: the field shows the filtered text and caret.
void BindName(PageContext& context, QLineEdit* edit,
              std::function<model::FilteredText(std::string_view, std::size_t)> handler);
// An editable combo box (entry box).
void BindEntry(PageContext& context, QComboBox* box, std::function<void(std::string_view)> handler);
// Leaving the widget by keyboard or mouse runs the check; false puts the focus back.
void OnLeave(PageContext& context, QWidget* widget, std::function<bool()> check);
// Enter in a text field or entry box: runs the checks of leaving it, the focus staying there.
// False when the widget is no such field.
bool CommitField(QWidget* focus);
// A page's list of entries: choosing one (by mouse or keys) shows it.
void BindEntryList(PageContext& context, QListWidget* list);

// The caption of a field, whose mnemonic moves the focus to it.
QLabel* Buddy(const QString& text, QWidget* buddy);

// Drawing without disturbing the user: a text is set (and the caret moved) only when it
// differs.
void ShowText(QLineEdit* edit, std::string_view text);
void ShowEntryText(QComboBox* box, std::string_view text);
void ShowState(QWidget* widget, bool enabled, bool visible = true);

}  // namespace kx::ui
