// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pascal_lexer.h"

#include <Qsci/qscilexerpascal.h>

#include <QFontDatabase>

namespace kx::ui {

namespace {

struct StyleLook {
  int style;
  QRgb colour;
  bool bold = false;
  bool italic = false;
};

// Delphi's classic look: bold reserved words, italic comments in navy, literals in blue.
constexpr StyleLook kLooks[] = {
    {QsciLexerPascal::Default, 0x000000},
    {QsciLexerPascal::Identifier, 0x000000},
    {QsciLexerPascal::Comment, 0x000080, false, true},
    {QsciLexerPascal::CommentParenthesis, 0x000080, false, true},
    {QsciLexerPascal::CommentLine, 0x000080, false, true},
    {QsciLexerPascal::PreProcessor, 0x008080},
    {QsciLexerPascal::PreProcessorParenthesis, 0x008080},
    {QsciLexerPascal::Number, 0x0000FF},
    {QsciLexerPascal::HexNumber, 0x0000FF},
    {QsciLexerPascal::Keyword, 0x000000, true},
    {QsciLexerPascal::SingleQuotedString, 0x0000FF},
    {QsciLexerPascal::UnclosedString, 0xC00000},
    {QsciLexerPascal::Character, 0x0000FF},
    {QsciLexerPascal::Operator, 0x000000},
    {QsciLexerPascal::Asm, 0x800000},
};

void Apply(QsciLexerPascal& lexer, bool print) {
  const QFont base = EditorFont();
  lexer.setDefaultFont(base);
  lexer.setDefaultPaper(Qt::white);
  lexer.setDefaultColor(Qt::black);
  for (const StyleLook& look : kLooks) {
    QFont font = base;
    font.setBold(look.bold);
    font.setItalic(look.italic);
    lexer.setFont(font, look.style);
    lexer.setColor(print ? QColor(Qt::black) : QColor(look.colour), look.style);
    lexer.setPaper(Qt::white, look.style);
  }
}

}  // namespace

QFont EditorFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

QsciLexerPascal* NewPascalLexer(QObject* parent) {
  auto* lexer = new QsciLexerPascal(parent);
  UseScreenColours(*lexer);
  return lexer;
}

void UseScreenColours(QsciLexerPascal& lexer) { Apply(lexer, false); }

void UsePrintColours(QsciLexerPascal& lexer) { Apply(lexer, true); }

}  // namespace kx::ui
