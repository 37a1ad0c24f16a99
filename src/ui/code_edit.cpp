// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/code_edit.h"

#include <Qsci/qscilexerpascal.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "ui/pascal_lexer.h"
#include "ui/text_boundary.h"

namespace kx::ui {

namespace {

constexpr int kTemplateList = 1;

QString EntryOf(const commands::CodeTemplate& t) { return FromModel(commands::TemplateEntry(t)); }

}  // namespace

CodeEdit::CodeEdit(Mode mode, QWidget* parent) : QsciScintilla(parent), mode_(mode) {
  setUtf8(true);
  setEolMode(EolUnix);
  setIndentationsUseTabs(false);
  setTabWidth(static_cast<int>(commands::kIndentWidth));
  // Code is indented by its block structure (IndentNewLine); help text as the line above.
  setAutoIndent(mode == Mode::kText);
  setCaretLineVisible(mode == Mode::kPascal);
  setMarginWidth(1, 0);
  // The horizontal scroll bar follows the longest line instead of a fixed width.
  SendScintilla(SCI_SETSCROLLWIDTH, 1);
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
  SendScintilla(SCI_AUTOCSETMAXHEIGHT, 12);
  setCaretLineBackgroundColor(QColor(0xf2, 0xf6, 0xff));
  if (mode == Mode::kPascal) {
    lexer_ = NewPascalLexer(this);
    setLexer(lexer_);
    setMarginType(0, NumberMargin);
    setMarginWidth(0, QStringLiteral("0000"));
    setMarginsForegroundColor(Qt::darkGray);
  } else {
    setWrapMode(WrapWord);
  }
  connect(this, &QsciScintilla::userListActivated, this, [this](int id, const QString& entry) {
    if (id != kTemplateList) return;
    for (const commands::CodeTemplate& t : offered_) {
      if (EntryOf(t) == entry) {
        InsertTemplate(t);
        return;
      }
    }
  });
}

void CodeEdit::SetTemplates(std::vector<commands::CodeTemplate> templates) {
  templates_ = std::move(templates);
}

namespace {

std::string LineBytes(QString text) {
  while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
  return ToModelMarked(text);
}

}  // namespace

std::string CodeEdit::CaretLine(int& line, int& column) const {
  getCursorPosition(&line, &column);
  return LineBytes(text(line));
}

std::vector<std::string> CodeEdit::LinesAbove(int count) const {
  std::vector<std::string> result;
  for (int line = 0; line < count && line < lines(); ++line)
    result.push_back(LineBytes(text(line)));
  return result;
}

void CodeEdit::IndentNewLine() {
  int line = 0;
  int column = 0;
  getCursorPosition(&line, &column);
  if (line == 0) return;
  const auto indent = static_cast<int>(commands::EnterIndent(LinesAbove(line + 1)));
  setIndentation(line, indent);
  setCursorPosition(line, indent);
}

void CodeEdit::AlignCloser() {
  int line = 0;
  int column = 0;
  const std::string text = CaretLine(line, column);
  const auto word = static_cast<std::size_t>(indentation(line));
  if (!commands::EndsFirstWord(text, static_cast<std::size_t>(column), word)) return;
  std::vector<std::string> above = LinesAbove(line);
  above.push_back(text);
  const std::optional<std::size_t> indent = commands::CloserIndent(above, above.size() - 1);
  if (!indent || *indent == word) return;
  setIndentation(line, static_cast<int>(*indent));
  setCursorPosition(line, static_cast<int>(*indent + (column - word)));
}

std::string CodeEdit::IdentifierAtCaret() const {
  int line = 0;
  int column = 0;
  const std::string text = CaretLine(line, column);
  return commands::IdentifierAtCaret(text, static_cast<std::size_t>(column));
}

void CodeEdit::ShowTemplates() {
  if (templates_.empty()) return;
  int line = 0;
  int column = 0;
  const std::string text = CaretLine(line, column);
  const std::size_t start = commands::IdentifierStartBefore(text, column);
  commands::TemplateOffer offer =
      commands::OfferTemplates(templates_, std::string_view(text).substr(start, column - start));
  offered_ = std::move(offer.offered);
  if (offer.insert_at_once) {
    InsertTemplate(offered_.front());
    return;
  }
  QStringList entries;
  for (const commands::CodeTemplate& t : offered_) entries << EntryOf(t);
  showUserList(kTemplateList, entries);
}

void CodeEdit::InsertTemplate(const commands::CodeTemplate& chosen) {
  int line = 0;
  int column = 0;
  const std::string text = CaretLine(line, column);
  const std::size_t start = commands::IdentifierStartBefore(text, column);
  const commands::TemplateText body = commands::ExpandTemplate(chosen.body, start);
  beginUndoAction();
  setSelection(line, static_cast<int>(start), line, column);
  replaceSelectedText(FromModel(body.text));
  endUndoAction();
  setCursorPosition(line + static_cast<int>(body.caret_row), static_cast<int>(body.caret_column));
}

void CodeEdit::paste() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return;
  const std::optional<std::string> bytes = ToModel(text);
  if (!bytes) {
    if (refuse_) refuse_(text);
    return;
  }
  replaceSelectedText(FromModel(commands::PastedText(*bytes)));
}

void CodeEdit::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() == Qt::ControlModifier;
  if (control && (event->key() == Qt::Key_J || event->key() == Qt::Key_Space)) {
    ShowTemplates();
    event->accept();
    return;
  }
  // Esc closes a template list, and otherwise the window, as in any dialog.
  if (event->key() == Qt::Key_Escape && !isListActive()) {
    event->ignore();
    return;
  }
  if (!event->text().isEmpty() && !ToModel(event->text())) {
    if (refuse_) refuse_(event->text());
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    paste();
    event->accept();
    return;
  }
  const bool list_was_active = isListActive();
  QsciScintilla::keyPressEvent(event);
  if (mode_ != Mode::kPascal || list_was_active) return;
  const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    IndentNewLine();
  } else if (plain && event->text().size() == 1 && event->text()[0].isLetter()) {
    AlignCloser();
  }
}

}  // namespace kx::ui
