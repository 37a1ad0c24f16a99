// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"

namespace kx::testing {
namespace {

using commands::Answer;
using commands::BoxKind;
using commands::Buttons;

TEST(ScriptedDialogsTest, AnswersInOrderAndRecordsEveryBox) {
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kConfirmation, "Save?", Answer::kNo, "Exit", Buttons::kYesNoCancel)
      .ExpectOpenFile(std::filesystem::path("a.cd"))
      .ExpectInputBox(std::nullopt)
      .ExpectBox(BoxKind::kInformation, "Done.");
  EXPECT_EQ(dialogs.Confirm(Buttons::kYesNoCancel, "Save?", "Exit"), Answer::kNo);
  EXPECT_EQ(dialogs.OpenFile({.title = "Open"}), std::filesystem::path("a.cd"));
  EXPECT_EQ(dialogs.InputBox("Add", "Name", ""), std::nullopt);
  dialogs.Information("Done.");
  EXPECT_TRUE(dialogs.done());
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(dialogs.boxes()[0].caption, "Exit");
  EXPECT_EQ(dialogs.file_requests()[0].title, "Open");
}

TEST(ScriptedDialogsTest, AnUnexpectedBoxFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.Warning("Careful");
      },
      "unexpected dialog: warning [] \"Careful\"");
}

TEST(ScriptedDialogsTest, AWrongTextFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.ExpectBox(BoxKind::kError, "Could not open a.pas");
        dialogs.Error("Could not open  a.pas");
      },
      "Could not open  a.pas");
}

TEST(ScriptedDialogsTest, ABoxThatNeverCameFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.ExpectBox(BoxKind::kInformation, "Saved.");
      },
      "expected dialog never shown: information [] \"Saved.\"");
}

}  // namespace
}  // namespace kx::testing
