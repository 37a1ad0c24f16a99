// SPDX-License-Identifier: GPL-3.0-or-later
// The text area of the code and help-text editors: a QScintilla editor with Pascal colouring
// (or word wrap for help text), the completion templates on Ctrl+J and Ctrl+Space, and a
// paste that turns tabs into blanks.
//
//   CodeEdit edit(CodeEdit::Mode::kPascal);
//   edit.SetTemplates(commands::CodeTemplates(def));
//   edit.ShowTemplates();  // what Ctrl+J does
#pragma once

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <string>
#include <vector>

#include "commands/code_editing.h"

class QsciLexerPascal;

namespace kx::ui {

class CodeEdit : public QsciScintilla {
  Q_OBJECT
 public:
  enum class Mode { kPascal, kText };
  explicit CodeEdit(Mode mode, QWidget* parent = nullptr);

  void SetTemplates(std::vector<commands::CodeTemplate> templates);
  // Offers the templates whose key starts with the word before the caret; one that matches it
  // exactly is inserted at once.
  void ShowTemplates();
  // Puts the template's body in place of the word before the caret.
  void InsertTemplate(const commands::CodeTemplate& chosen);
  // The identifier at the caret (Windows-1252), for the help look-ups.
  std::string IdentifierAtCaret() const;

  // The clipboard's text, its tabs as blanks.
  void paste() override;
  // Called with text typed or pasted that Windows-1252 cannot hold; the text is not taken.
  void set_refuse(std::function<void(const QString&)> refuse) { refuse_ = std::move(refuse); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The caret's line as Windows-1252 (a character it cannot hold as "?") and its column.
  std::string CaretLine(int& line, int& column) const;
  // Lines 0 to count - 1 as Windows-1252, the same way.
  std::vector<std::string> LinesAbove(int count) const;
  // Pascal indentation: of the line Enter started, and of a closer once its word is typed.
  void IndentNewLine();
  void AlignCloser();

  std::vector<commands::CodeTemplate> templates_;
  std::vector<commands::CodeTemplate> offered_;
  Mode mode_;
  QsciLexerPascal* lexer_ = nullptr;
  std::function<void(const QString&)> refuse_;
};

}  // namespace kx::ui
