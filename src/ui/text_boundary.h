// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where the widgets' Unicode text and the definition's Windows-1252 bytes meet.
//
//   std::optional<std::string> bytes = ToModel(edit->text());
//   if (!bytes) { ...refuse what was typed... }
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace kx::commands {
class Dialogs;
}

namespace kx::ui {

QString FromModel(std::string_view text);
// Nothing when the text holds a character Windows-1252 cannot hold.
std::optional<std::string> ToModel(const QString& text);
// The same with each UTF-16 unit it cannot hold as "?", one byte per unit, so that lengths and
// columns stay those of the widget.
std::string ToModelMarked(const QString& text);
// The first such character, for the message.
QString FirstUnstorable(const QString& text);
std::string RefusedCharacterMessage(const QString& text);

// Refuses, where it is typed or pasted, a character Windows-1252 cannot hold in every text
// field the window holds (line edits, editable boxes): the field gets back what it held and
// the message is shown, as in the main window's fields. A dialog calls it once its fields
// are built, so that what it hands back is never an emptied text.
void RefuseUnstorableText(QWidget* window, commands::Dialogs& dialogs);

// File names and paths, which the system spells in UTF-8.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace kx::ui
