// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_viewer.h"

#include <Qsci/qscilexerpascal.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QFontInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include "ui/pascal_lexer.h"
#include "ui/text_boundary.h"

namespace kx::ui {

FileViewer::FileViewer(QWidget* parent, commands::Dialogs& dialogs)
    : QDialog(parent), dialogs_(dialogs) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* menus = new QMenuBar;
  layout->setMenuBar(menus);
  // Printing has a menu of its own: "P&rinter setup..." and "Save as &RTF..." share a
  // mnemonic, which in one menu would make one of them unreachable from the keyboard.
  QMenu* file = menus->addMenu("&File");
  file->addAction("Save as &RTF...", this, [this] { SaveAs(commands::ExportFormat::kRtf); });
  file->addAction("Save as &HTML...", this, [this] { SaveAs(commands::ExportFormat::kHtml); });
  file->addSeparator();
  file->addAction("&Copy selection to clipboard + exit", this, &FileViewer::CopySelectionAndExit);
  QAction* exit = file->addAction("E&xit", this, &QDialog::reject);
  // Esc as in any dialog, Ctrl+W as in any viewer; the text area would take Esc for itself.
  exit->setShortcuts({QKeySequence("Ctrl+W"), QKeySequence(Qt::Key_Escape)});
  exit->setShortcutContext(Qt::WindowShortcut);
  QMenu* print = menus->addMenu("&Print");
  print->addAction("&Print", QKeySequence::Print, this, &FileViewer::Print);
  print->addAction("P&rinter setup...", this, &FileViewer::PrinterSetup);

  editor = new QsciScintilla;
  editor->setUtf8(true);
  editor->setFont(EditorFont());
  editor->setMarginLineNumbers(0, true);
  editor->setMarginsFont(EditorFont());
  editor->setReadOnly(true);
  // The horizontal scroll bar follows the longest line shown rather than a fixed width.
  editor->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1UL);
  editor->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
  layout->addWidget(editor);
  resize(800, 600);
}

FileViewer::~FileViewer() = default;

bool FileViewer::Open(const std::filesystem::path& file) {
  const std::optional<commands::ViewedFile> viewed = commands::LoadViewedFile(file, dialogs_);
  if (!viewed) return false;
  file_ = file;
  setWindowTitle(FromPath(commands::ViewerCaption(file)));

  editor->setLexer(nullptr);
  delete lexer_;
  lexer_ = nullptr;
  if (viewed->highlighting == commands::ViewHighlighting::kPascal) {
    lexer_ = NewPascalLexer(this);
    editor->setLexer(lexer_);
  }
  // The text goes in as bytes with their length, so that a NUL in it does not end it.
  editor->setReadOnly(false);
  editor->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
  editor->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, uintptr_t{viewed->text.size()},
                        viewed->text.data());
  editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  editor->setReadOnly(true);
  editor->setCursorPosition(0, 0);
  editor->setMarginWidth(0, QString(QString::number(editor->lines()).size() + 1, '0'));
  return true;
}

generate::StyledText FileViewer::Styled() const {
  // Only what was drawn has been styled so far.
  editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
  const long length = editor->length();
  std::string cells(2 * static_cast<std::size_t>(length) + 2, '\0');
  editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, 0L, length, cells.data());

  generate::StyledText text;
  for (long i = 0; i < length; ++i) {
    const char byte = cells[2 * static_cast<std::size_t>(i)];
    const int style = static_cast<unsigned char>(cells[2 * static_cast<std::size_t>(i) + 1]);
    if (text.runs.empty() || text.runs.back().style != style) text.runs.push_back({style, {}});
    text.runs.back().text += byte;
  }
  const auto look = [this](int style) {
    const QColor foreground = lexer_ ? lexer_->color(style) : editor->color();
    const QColor background = lexer_ ? lexer_->paper(style) : editor->paper();
    const QFont font = lexer_ ? lexer_->font(style) : editor->font();
    return generate::TextStyle{
        .foreground = foreground.rgb() & 0xFFFFFF,
        .background = background.rgb() & 0xFFFFFF,
        .bold = font.bold(),
        .italic = font.italic(),
        .font = QFontInfo(font).family().toStdString(),
        .point_size = font.pointSize() > 0 ? font.pointSize() : EditorFont().pointSize()};
  };
  text.default_style = look(0);
  for (const generate::StyledRun& run : text.runs) {
    if (!text.styles.contains(run.style)) text.styles[run.style] = look(run.style);
  }
  return text;
}

QsciPrinter& FileViewer::Printer() {
  if (!printer_) printer_ = std::make_unique<QsciPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void FileViewer::Print() {
  QsciPrinter& printer = Printer();
  printer.setDocName(FromPath(file_.filename().string()));
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const std::optional<std::filesystem::path> chosen = dialogs_.SaveFile(
        commands::PrintToPdfRequest("Print to a PDF file", file_.parent_path(), file_));
    if (!chosen) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FromPath(chosen->string()));
  }
  if (lexer_) UsePrintColours(*lexer_);
  printer.printRange(editor);
  if (lexer_) UseScreenColours(*lexer_);
}

void FileViewer::PrinterSetup() {
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // Printing goes to a PDF file; its paper can still be chosen.
    QPageSetupDialog(&Printer(), this).exec();
  } else {
    QPrintDialog(&Printer(), this).exec();
  }
}

void FileViewer::SaveAs(commands::ExportFormat format) {
  commands::ExportViewedFile(
      format, file_, [this] { return Styled(); }, dialogs_);
}

void FileViewer::CopySelectionAndExit() {
  editor->copy();
  accept();
}

}  // namespace kx::ui
