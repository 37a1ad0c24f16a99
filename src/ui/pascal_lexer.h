// SPDX-License-Identifier: GPL-3.0-or-later
// How Pascal looks in the code editor and the file viewer: one font, the colours on screen,
// and black on white for paper (bold and italics kept), so that printing does not spend
// coloured ink and prints light colours legibly.
//
//   QsciLexerPascal* lexer = NewPascalLexer(editor);
//   editor->setLexer(lexer);
//   UsePrintColours(*lexer); print(); UseScreenColours(*lexer);
#pragma once

#include <QFont>

class QsciLexerPascal;
class QObject;

namespace kx::ui {

// The fixed-pitch font of the editors.
QFont EditorFont();

// A Pascal lexer with the editor font in every style and the screen colours.
QsciLexerPascal* NewPascalLexer(QObject* parent);

void UseScreenColours(QsciLexerPascal& lexer);
void UsePrintColours(QsciLexerPascal& lexer);

}  // namespace kx::ui
