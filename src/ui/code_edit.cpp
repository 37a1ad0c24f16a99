#include "ui/code_edit.h"

#include <Qsci/qscilexerpascal.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "model/text.h"
#include "ui/pascal_lexer.h"
#include "ui/text_boundary.h"

namespace kx::ui {

namespace {

constexpr int kTemplateList = 1;

QString EntryOf(const commands::CodeTemplate& t) {
  return FromModel(t.key) + QString::fromUtf8(" \u2014 ") + FromModel(t.description);
}

}  // namespace

CodeEdit::CodeEdit(Mode mode, QWidget* parent) : QsciScintilla(parent) {
  setUtf8(true);
  setEolMode(EolUnix);
  setIndentationsUseTabs(false);
  setTabWidth(2);
  setAutoIndent(true);
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

std::string CodeEdit::CaretLine(int& line, int& column) const {
  getCursorPosition(&line, &column);
  QString text = this->text(line);
  while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
  if (std::optional<std::string> bytes = ToModel(text)) return *bytes;
  std::string bytes;
  for (const QChar c : text) bytes += ToModel(QString(c)).value_or("?");
  return bytes;
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
  const std::string typed = text.substr(start, column - start);
  offered_ = commands::MatchingTemplates(templates_, typed);
  if (offered_.empty()) offered_ = templates_;
  if (offered_.size() == 1 && model::SameText(offered_.front().key, typed)) {
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
  const std::string before = body.text.substr(0, body.caret);
  const std::size_t breaks = std::count(before.begin(), before.end(), '\n');
  const std::size_t last_break = before.rfind('\n');
  const std::size_t caret_column =
      breaks == 0 ? start + before.size() : before.size() - last_break - 1;
  setCursorPosition(line + static_cast<int>(breaks), static_cast<int>(caret_column));
}

void CodeEdit::paste() {
  QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return;
  text.replace("\r\n", "\n").replace('\r', '\n').replace('\t', ' ');
  if (!ToModel(text)) {
    if (refuse_) refuse_(text);
    return;
  }
  replaceSelectedText(text);
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
  QsciScintilla::keyPressEvent(event);
}

}  // namespace kx::ui
