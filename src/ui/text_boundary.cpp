// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_boundary.h"

#include <QLineEdit>
#include <QList>
#include <algorithm>
#include <memory>

#include "commands/dialogs.h"
#include "platform/windows1252.h"

namespace kx::ui {

QString FromModel(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (const char byte : text) {
    out.append(
        QChar(static_cast<char16_t>(platform::Windows1252Char(static_cast<unsigned char>(byte)))));
  }
  return out;
}

std::optional<std::string> ToModel(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (const uint code : text.toUcs4()) {
    const char32_t c = code;
    const std::optional<char> byte = platform::Windows1252Byte(c);
    if (!byte) return std::nullopt;
    out += *byte;
  }
  return out;
}

std::string ToModelMarked(const QString& text) {
  if (std::optional<std::string> bytes = ToModel(text)) return *bytes;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) bytes += ToModel(QString(c)).value_or("?");
  return bytes;
}

QString FirstUnstorable(const QString& text) {
  for (const uint code : text.toUcs4()) {
    const char32_t c = code;
    if (!platform::Windows1252Byte(c)) return QString::fromUcs4(&c, 1);
  }
  return {};
}

std::string RefusedCharacterMessage(const QString& text) {
  const QList<uint> codes = FirstUnstorable(text).toUcs4();
  const QString code = codes.isEmpty() ? QString() : QString::number(codes.front(), 16).toUpper();
  return "The character U+" + code.rightJustified(4, '0').toStdString() +
         " cannot be stored in a component definition, whose text is Windows-1252; it was not "
         "entered.";
}

void RefuseUnstorableText(QWidget* window, commands::Dialogs& dialogs) {
  for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
    auto kept = std::make_shared<QString>(ToModel(edit->text()) ? edit->text() : QString());
    QObject::connect(
        edit, &QLineEdit::textChanged, edit, [edit, &dialogs, kept](const QString& text) {
          if (ToModel(text)) {
            *kept = text;
            return;
          }
          const std::string message = RefusedCharacterMessage(text);
          const qsizetype caret = edit->cursorPosition() - (text.size() - kept->size());
          edit->setText(*kept);
          edit->setCursorPosition(static_cast<int>(std::clamp<qsizetype>(caret, 0, kept->size())));
          dialogs.Warning(message);
        });
  }
}

QString FromPath(const std::string& path) { return QString::fromStdString(path); }
std::string ToPath(const QString& path) { return path.toStdString(); }

}  // namespace kx::ui
