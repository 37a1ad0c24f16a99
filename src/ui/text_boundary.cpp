#include "ui/text_boundary.h"

#include <QList>

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

QString FromPath(const std::string& path) { return QString::fromStdString(path); }
std::string ToPath(const QString& path) { return path.toStdString(); }

}  // namespace kx::ui
