// SPDX-License-Identifier: GPL-3.0-or-later
// TMemoFileViewDlg, the read-only file viewer: generated units and form files shown with
// Pascal highlighting, printed, and saved as RTF or HTML with their colours.
//
//   FileViewer viewer(parent, dialogs);
//   if (viewer.Open(path)) viewer.exec();
#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>

#include "commands/dialogs.h"
#include "commands/file_viewer.h"
#include "generate/styled_text.h"

class QsciLexerPascal;
class QsciPrinter;
class QsciScintilla;

namespace kx::ui {

class FileViewer : public QDialog {
  Q_OBJECT
 public:
  FileViewer(QWidget* parent, commands::Dialogs& dialogs);
  ~FileViewer() override;

  // Shows the file; false after the message saying why it cannot.
  bool Open(const std::filesystem::path& file);
  const std::filesystem::path& FileName() const { return file_; }
  // Whether Pascal highlighting is on (null for plain text).
  QsciLexerPascal* lexer() const { return lexer_; }

  // The text as highlighted on screen, in runs of one style each.
  generate::StyledText Styled() const;

  void Print();
  void PrinterSetup();
  void SaveAs(commands::ExportFormat format);
  void CopySelectionAndExit();

  QsciScintilla* editor = nullptr;

 private:
  QsciPrinter& Printer();

  commands::Dialogs& dialogs_;
  std::filesystem::path file_;
  QsciLexerPascal* lexer_ = nullptr;
  // Made when first needed: finding the printers can take a while.
  std::unique_ptr<QsciPrinter> printer_;
};

}  // namespace kx::ui
