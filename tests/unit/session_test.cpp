// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/session.h"

#include <gtest/gtest.h>

#include "commands/target_directory.h"
#include "platform/atomic_file.h"
#include "store/definition_file.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

using kx::testing::FailingWrites;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    settings_.definitions_dir = dir_.path().string() + "/";
    settings_.pascal_code_dir = "/pascal/";
  }
  // A definition file on disk, and a session that has it open and modified.
  std::filesystem::path OpenModified(Session& session, std::string_view name = "Comp.cd") {
    model::ComponentDef def;
    def.MainInfo.UnitName = "Comp";
    model::AddItem(def, model::NewPropertyItem("Caption"));
    const auto file = dir_.Write(name, store::WriteDefinition(def, name));
    EXPECT_TRUE(session.Load(file));
    session.MarkModified();
    return file;
  }

  TempDir dir_;
  store::Settings settings_;
  ScriptedDialogs dialogs_;
};

TEST_F(SessionTest, TitleFollowsTheState) {
  Session session(settings_, dialogs_);
  EXPECT_EQ(session.Title(), "Component Definition - (None)");
  const auto file = OpenModified(session);
  EXPECT_EQ(session.Title(), "Component Definition - " + file.string());
  EXPECT_EQ(session.def().MainInfo.TargetDir, "") << "no folder the user never chose";
}

TEST_F(SessionTest, AskSaveOnlyWhenModified) {
  Session session(settings_, dialogs_);
  EXPECT_EQ(session.AskSave("Exit Kestrix"), Answer::kNo);
  session.MarkModified();
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kCancel,
                     "Exit Kestrix", Buttons::kYesNoCancel);
  EXPECT_EQ(session.AskSave("Exit Kestrix"), Answer::kCancel);
}

TEST_F(SessionTest, SaveWithoutAFileAsksForOne) {
  Session session(settings_, dialogs_);
  session.def().MainInfo.UnitName = "MyBtn";
  session.MarkModified();
  dialogs_.ExpectSaveFile(std::nullopt);
  EXPECT_FALSE(session.Save());
  EXPECT_TRUE(session.modified()) << "a cancelled save keeps the changes marked";
  const FileDialogRequest& request = dialogs_.file_requests().back();
  EXPECT_EQ(request.title, "Select name for component definition file");
  EXPECT_EQ(request.file_name, "mybtn.cd");
  EXPECT_EQ(request.initial_dir, settings_.definitions_dir);

  dialogs_.ExpectSaveFile(dir_ / "MyBtn.cd");
  EXPECT_TRUE(session.Save());
  EXPECT_FALSE(session.modified());
  EXPECT_TRUE(std::filesystem::exists(dir_ / "MyBtn.cd")) << "the chosen name is kept as chosen";
  EXPECT_EQ(session.def().MainInfo.FileName, (dir_ / "MyBtn.cd").string());
}

TEST_F(SessionTest, SavingTwiceKeepsTheFirstVersionAsBackup) {
  Session session(settings_, dialogs_);
  const auto file = OpenModified(session);
  const std::string original = TempDir::Read(file);
  session.def().MainInfo.NewClassName = "TSecond";
  ASSERT_TRUE(session.Save());
  const std::string first_save = TempDir::Read(file);
  session.def().MainInfo.NewClassName = "TThird";
  ASSERT_TRUE(session.Save());
  EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), first_save);
  EXPECT_NE(first_save, original);
}

TEST_F(SessionTest, SaveAsksBeforeOverwritingAnotherProgramsChanges) {
  Session session(settings_, dialogs_);
  const auto file = OpenModified(session);
  ASSERT_TRUE(session.Save()) << "its own save is no change by another program";
  session.MarkModified();
  ASSERT_TRUE(session.Save());

  dir_.Write("Comp.cd", "theirs");
  session.MarkModified();
  const std::string question =
      file.string() + " was changed by another program since it was opened.  Overwrite it?";
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo);
  EXPECT_FALSE(session.Save());
  EXPECT_TRUE(session.modified());
  EXPECT_EQ(TempDir::Read(file), "theirs");

  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes);
  EXPECT_TRUE(session.Save());
  EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), "theirs");
  EXPECT_TRUE(session.Save()) << "asked once per change";
}

TEST_F(SessionTest, ALongPathIsSavedWhereTheUserChoseIt) {
  Session session(settings_, dialogs_);
  session.MarkModified();
  const auto folder = dir_ / std::string(150, 'd');
  std::filesystem::create_directory(folder);
  dialogs_.ExpectSaveFile(folder / "comp.cd");
  ASSERT_TRUE(session.Save());
  EXPECT_TRUE(std::filesystem::exists(folder / "comp.cd"));
  EXPECT_EQ(session.file(), folder / "comp.cd");
  ASSERT_TRUE(session.Save()) << "the second save needs no dialog";
}

TEST_F(SessionTest, TheFileDialogsStartWhereTheLastFileWas) {
  Session session(settings_, dialogs_);
  std::filesystem::create_directories(dir_ / "other");
  dialogs_.ExpectOpenFile(std::nullopt);
  EXPECT_FALSE(session.Open());
  EXPECT_EQ(dialogs_.file_requests().back().initial_dir, settings_.definitions_dir);
  std::filesystem::create_directories(dir_ / "sub");
  const auto file = OpenModified(session, "sub/Comp.cd");
  dialogs_.ExpectSaveFile(dir_ / "other" / "b.cd");
  EXPECT_TRUE(session.SaveAs());
  EXPECT_EQ(dialogs_.file_requests().back().initial_dir, file.parent_path());
  dialogs_.ExpectOpenFile(std::nullopt);
  EXPECT_FALSE(session.Open());
  EXPECT_EQ(dialogs_.file_requests().back().initial_dir, dir_ / "other");
}

// Generated files go where the options say when the user chose a folder there; else beside
// the definition's file; else into the settings' default (the documents folder).
TEST_F(SessionTest, TheDefaultTargetDirectory) {
  const struct {
    bool chosen;
    std::filesystem::path file;
    std::string expected;
  } cases[] = {
      {false, "", "/pascal/"},
      {false, "/home/me/components/alarm.cd", "/home/me/components/"},
      {true, "/home/me/components/alarm.cd", "/pascal/"},
      {false, "alarm.cd", std::filesystem::current_path().string() + "/"},
  };
  for (const auto& c : cases) {
    settings_.pascal_code_dir_chosen = c.chosen;
    EXPECT_EQ(DefaultTargetDirectory(settings_, c.file), c.expected) << c.file;
    model::ComponentDef def;
    def.MainInfo.TargetDir = "/unchanged/";
    EXPECT_EQ(TargetDirectory(def.MainInfo, DefaultTargetDirectory(settings_, c.file)),
              "/unchanged/")
        << "a definition's own target directory comes first";
  }
}

TEST_F(SessionTest, OpenAsksToSaveFirst) {
  Session session(settings_, dialogs_);
  const auto file = OpenModified(session);
  const std::string question = "Save " + file.string() + "?";

  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel,
                     "Open Component Definition");
  EXPECT_FALSE(session.Open());
  EXPECT_TRUE(session.definition_open());

  // Yes, but the save fails: the changes must not be thrown away.
  {
    const FailingWrites failing;
    dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
    EXPECT_FALSE(session.Open());
    EXPECT_TRUE(session.modified());
  }

  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo).ExpectOpenFile(std::nullopt);
  EXPECT_FALSE(session.Open());
  EXPECT_EQ(dialogs_.file_requests().back().title, "Select a definition file");
  EXPECT_TRUE(dialogs_.file_requests().back().must_exist);
}

TEST_F(SessionTest, OpeningARefusedFileLeavesNoDefinition) {
  Session session(settings_, dialogs_);
  OpenModified(session);
  const auto bad = dir_.Write("bad.cd", "hello");
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Save " + (dir_ / "Comp.cd").string() + "?", Answer::kNo)
      .ExpectOpenFile(bad)
      .ExpectBox(BoxKind::kError, bad.string() + " is not a component definition file.");
  EXPECT_FALSE(session.Open());
  EXPECT_FALSE(session.definition_open());
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(session.Title(), "Component Definition - (None)");
}

TEST_F(SessionTest, ExitAnswers) {
  Session session(settings_, dialogs_);
  EXPECT_TRUE(session.Exit()) << "nothing changed: no question";
  const auto file = OpenModified(session);
  const std::string question = "Save " + file.string() + "?";
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel, "Exit Kestrix");
  EXPECT_FALSE(session.Exit());
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo);
  EXPECT_TRUE(session.Exit());
  {
    const FailingWrites failing;
    dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
    EXPECT_FALSE(session.Exit()) << "a failed save keeps the program open";
  }
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes);
  EXPECT_TRUE(session.Exit());
  EXPECT_FALSE(session.modified());
}

}  // namespace
}  // namespace kx::commands
