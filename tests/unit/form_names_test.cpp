// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/form_names.h"

#include <gtest/gtest.h>

#include "commands/form_files.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::catalog {
namespace {

std::string ShortString(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

TEST(FirstObjectLineTest, BinaryAndTextForms) {
  const std::string header("\xFF\x0A\x00TFORM1\x00\x30\x10\x99\x00\x00\x00", 16);
  const struct {
    std::string bytes;
    std::string line;
  } cases[] = {
      {"TPF0" + ShortString("TForm1") + ShortString("Form1") + "rest", "object Form1: TForm1"},
      {header + "TPF0" + ShortString("TForm1") + ShortString("Form1"), "object Form1: TForm1"},
      {"TPF0\xF2\x02\x03" + ShortString("TPanel") + ShortString("P"), "object P: TPanel [3]"},
      {"TPF0" + ShortString("TForm1") + ShortString(""), "object TForm1"},
      // Truncated or damaged heads, and objects without a class, give no line.
      {"TPF0" + ShortString("") + ShortString("Form1"), ""},
      {"object Form1:\r\nend\r\n", ""},
      {"TPF0\x06TFor", ""},
      {"TPF0", ""},
      {std::string("\xFF\x0A\x00TFORM1", 10), ""},
      {"TPF0\xF2\x09" + ShortString("TPanel") + ShortString("P"), ""},
      // Text forms: the first line, trimmed; a byte-order mark is not part of it.
      {"object Form1: TForm1  \r\n  Left = 1\r\nend\r\n", "object Form1: TForm1"},
      {"\xEF\xBB\xBF  inherited Frame: TFrame\nend", "inherited Frame: TFrame"},
      {"Object X: TX", "Object X: TX"},
      {"not a form at all", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstObjectLine(c.bytes), c.line) << c.line;
}

TEST(ObjectLineTest, NamesAndUnit) {
  EXPECT_EQ(ObjectNameOf("object Form1: TForm1"), "Form1");
  EXPECT_EQ(ClassNameOf("object Form1: TForm1"), "TForm1");
  EXPECT_EQ(ClassNameOf("object Form1:TForm1"), "TForm1");
  EXPECT_EQ(ObjectNameOf("object TForm1"), "");
  EXPECT_EQ(ClassNameOf("object TForm1"), "TForm1");
  EXPECT_EQ(ClassNameOf("object P: TPanel [3]"), "[3]");
  EXPECT_EQ(FormUnitNameOf("/x/ABOUT.DFM"), "About");
}

TEST(ReadFormNamesTest, WarningsAndAnotherFile) {
  using commands::Answer;
  using commands::BoxKind;
  kx::testing::TempDir dir;
  const auto empty = dir.Write("EMPTYFORM.dfm", "not a form at all");
  const auto good = dir.Write("Good.dfm", "object GoodForm: TGoodForm\r\nend\r\n");
  kx::testing::ScriptedDialogs dialogs;
  model::FormDef form;
  dialogs.ExpectBox(BoxKind::kWarning, "You did not select a form (DFM) file.  ");
  ASSERT_TRUE(commands::ReadFormNames(empty, form, dialogs));
  EXPECT_EQ(form.FormName, "Emptyform");
  EXPECT_EQ(form.FormClassName, "TEmptyform");
  EXPECT_EQ(form.FormUnitName, "Emptyform");

  form.FormMode = model::FormModeKind::kWrapsForm;
  dialogs.ExpectBox(BoxKind::kWarning,
                    "You did not select a form (DFM) file.  Substitute names will be provided "
                    "for the form name and class.");
  ASSERT_TRUE(commands::ReadFormNames(empty, form, dialogs));

  const auto missing = dir / "missing.dfm";
  dialogs
      .ExpectBox(
          BoxKind::kConfirmation,
          "Could not read " + missing.string() + ".  Do you want to select another form file?",
          Answer::kYes)
      .ExpectOpenFile(good);
  ASSERT_TRUE(commands::ReadFormNames(missing, form, dialogs));
  EXPECT_EQ(form.FormClassName, "TGoodForm");
  EXPECT_EQ(form.FormFile, good.string());

  dialogs.ExpectBox(
      BoxKind::kConfirmation,
      "Could not read " + missing.string() + ".  Do you want to select another form file?",
      Answer::kNo);
  EXPECT_FALSE(commands::ReadFormNames(missing, form, dialogs));
}

}  // namespace
}  // namespace kx::catalog
