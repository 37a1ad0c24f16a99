// SPDX-License-Identifier: GPL-3.0-or-later
// The file viewer on real files: what it shows and refuses, that a binary form leaves no
// temporary file, and that its RTF and HTML exports read back in other programs.
#include "ui/file_viewer.h"

#include <Qsci/qscilexerpascal.h>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <cctype>

#include "catalog/form_conversion.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/text_boundary.h"

namespace kx::ui {
namespace {

namespace fs = std::filesystem;
using commands::BoxKind;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

std::string Short(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

const std::string kBinaryForm = "TPF0" + Short("TForm1") + Short("Form1") + Short("Caption") +
                                "\x06" + Short("Hi") + std::string(2, '\0');
const std::string kFormText = "object Form1: TForm1\r\n  Caption = 'Hi'\r\nend\r\n";

// Temporary files go to a folder of the test's own while it runs.
class FileViewerTest : public ::testing::Test {
 protected:
  FileViewerTest() {
    fs::create_directory(temporary());
    qputenv("TMPDIR", QByteArray::fromStdString(temporary().string()));
  }
  ~FileViewerTest() override {
    if (had_tmpdir_) {
      qputenv("TMPDIR", old_tmpdir_);
    } else {
      qunsetenv("TMPDIR");
    }
  }
  fs::path temporary() const { return dir_ / "tmp"; }

  bool had_tmpdir_ = qEnvironmentVariableIsSet("TMPDIR");
  QByteArray old_tmpdir_ = qgetenv("TMPDIR");
  TempDir dir_;
};

TEST_F(FileViewerTest, ShowsFormsAsTextAndLeavesNoTemporaryFile) {
  struct Case {
    const char* file;
    std::string bytes;
    std::string shown;  // UTF-8; empty: refused with error
    bool pascal = true;
    std::string error;
  };
  const std::string broken = "TPF0\x06TForm";
  const Case cases[] = {
      {"form.DFM", kBinaryForm, kFormText},
      {"text.dfm", "object A: TB\nend\n", "object A: TB\nend\n"},
      {"broken.dfm", broken, "", true, catalog::ConvertFormToText(broken).error},
      {"unit.pas", "x := '\xE9';", "x := '\xC3\xA9';"},
      {"notes.txt", "\xEF\xBB\xBF\xC3\xA9", "\xC3\xA9", false},
      {"missing.dpr", "", "", true, "No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path file = dir_ / c.file;
    if (!c.bytes.empty()) dir_.Write(c.file, c.bytes);
    ScriptedDialogs dialogs;
    if (c.shown.empty()) {
      dialogs.ExpectBox(BoxKind::kError, "Could not open " + file.string() + ": " + c.error + ".");
    }
    FileViewer viewer(nullptr, dialogs);
    ASSERT_EQ(viewer.Open(file), !c.shown.empty());
    if (!c.shown.empty()) {
      EXPECT_EQ(viewer.windowTitle(), FromPath("View " + file.string()));
      EXPECT_EQ(viewer.editor->text().toStdString(), c.shown);
      EXPECT_EQ(viewer.lexer() != nullptr, c.pascal);
      EXPECT_TRUE(viewer.editor->isReadOnly());
    }
    EXPECT_TRUE(fs::is_empty(temporary()));
  }
}

// A program's standard output (scripts/setup installs the readers).
std::string Output(const QString& program, QStringList arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000) || process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << ": " << process.errorString().toStdString() << "\n"
                  << process.readAllStandardError().toStdString();
  }
  return process.readAllStandardOutput().toStdString();
}

// The text with every run of white space as one blank.
std::string Words(const std::string& text) {
  std::string words;
  for (const char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) {
      words += c;
    } else if (!words.empty() && words.back() != ' ') {
      words += ' ';
    }
  }
  return words;
}

TEST_F(FileViewerTest, ExportsOfAUnitReadBackInOtherPrograms) {
  const fs::path unit = dir_ / "mybutton.pas";
  fs::copy_file(KX_GOLDEN_DIR "/button/full/mybutton.pas", unit);
  ScriptedDialogs dialogs;
  FileViewer viewer(nullptr, dialogs);
  ASSERT_TRUE(viewer.Open(unit));
  std::string expected = viewer.editor->text().toStdString();
  std::erase(expected, '\r');

  dialogs.ExpectSaveFile(dir_ / "out.rtf").ExpectSaveFile(dir_ / "out.htm");
  viewer.SaveAs(commands::ExportFormat::kRtf);
  viewer.SaveAs(commands::ExportFormat::kHtml);
  ASSERT_EQ(dialogs.file_requests().size(), 2u);
  EXPECT_EQ(dialogs.file_requests()[0].file_name, "mybutton.rtf");
  EXPECT_EQ(dialogs.file_requests()[1].title, "Name of HTML file to save");

  const std::string html = TempDir::Read(dir_ / "out.htm");
  EXPECT_NE(html.find("<span class=\"s9\">unit</span>"), std::string::npos) << html;
  EXPECT_NE(html.find(".s9 { color: #000000; background-color: #ffffff; font-weight: bold; }"),
            std::string::npos);
  const QString html_file = QString::fromStdString((dir_ / "out.htm").string());
  // The page's lines end in CR LF, which HTML reads as one line break and libxml2 keeps;
  // xmllint ends what it prints with a line break of its own.
  std::string pre = Output("xmllint", {"--html", "--xpath", "string(//pre)", html_file});
  std::erase(pre, '\r');
  if (pre.ends_with('\n')) pre.pop_back();
  EXPECT_EQ(pre, expected);

  // A word processor's reader takes the blanks of a line apart into runs of their own; the
  // words, signs and highlighting must all come back.
  const QString rtf_file = QString::fromStdString((dir_ / "out.rtf").string());
  EXPECT_EQ(Words(Output("pandoc", {"-f", "rtf", "-t", "plain", "--wrap=none", rtf_file})),
            Words(expected));
  EXPECT_NE(Output("pandoc", {"-f", "rtf", "-t", "html", rtf_file})
                .find("<strong><code>unit</code></strong>"),
            std::string::npos);
}

TEST_F(FileViewerTest, PrintsInPrintColoursAndCopiesTheSelection) {
  const fs::path unit = dir_.Write("u.pas", "unit U; { note }\r\n");
  ScriptedDialogs dialogs;
  FileViewer viewer(nullptr, dialogs);
  ASSERT_TRUE(viewer.Open(unit));
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const QColor comment = viewer.lexer()->color(QsciLexerPascal::Comment);
    dialogs.ExpectSaveFile(dir_ / "u.pdf");
    viewer.Print();
    EXPECT_GT(fs::file_size(dir_ / "u.pdf"), 0u);
    EXPECT_EQ(viewer.lexer()->color(QsciLexerPascal::Comment), comment);
  }

  viewer.show();
  viewer.editor->setSelection(0, 5, 0, 6);
  viewer.CopySelectionAndExit();
  EXPECT_EQ(QApplication::clipboard()->text(), "U");
  EXPECT_FALSE(viewer.isVisible());
}

TEST_F(FileViewerTest, EscapeAndCtrlWClose) {
  const fs::path unit = dir_.Write("u.pas", "unit U;\r\n");
  ScriptedDialogs dialogs;
  FileViewer viewer(nullptr, dialogs);
  ASSERT_TRUE(viewer.Open(unit));
  for (const QKeyCombination key :
       {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
    viewer.show();
    QApplication::setActiveWindow(&viewer);
    viewer.editor->setFocus();
    QTest::keyClick(viewer.editor, key.key(), key.keyboardModifiers());
    EXPECT_FALSE(viewer.isVisible()) << QKeySequence(key).toString().toStdString();
  }
}

}  // namespace
}  // namespace kx::ui
