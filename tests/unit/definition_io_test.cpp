// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/definition_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

std::string DefinitionText(std::string_view class_name) {
  model::ComponentDef def;
  def.MainInfo.NewClassName = class_name;
  model::AddItem(def, model::NewPropertyItem("Caption"));
  return store::WriteDefinition(def, "a.cd");
}

TEST(ReadDefinitionFileTest, AnEmptyFileOffersItsBackup) {
  TempDir dir;
  const auto file = dir.Write("Comp.cd", "");
  dir.Write("comp.bak", DefinitionText("TFromBackup"));
  const std::string question =
      file.string() + " is empty.  Load backup file " + (dir / "comp.bak").string() + " instead?";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes, std::nullopt,
                      Buttons::kYesNo);
    model::ComponentDef def;
    EXPECT_TRUE(ReadDefinitionFile(def, file, dialogs, "/t/"));
    EXPECT_EQ(def.MainInfo.NewClassName, "TFromBackup");
    EXPECT_EQ(def.MainInfo.FileName, (dir / "comp.bak").string());
  }
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo)
        .ExpectBox(BoxKind::kError, file.string() + " is not a component definition file.");
    model::ComponentDef def;
    EXPECT_FALSE(ReadDefinitionFile(def, file, dialogs, "/t/"));
  }
}

TEST(ReadDefinitionFileTest, MissingFilesAndFoldersSayWhy) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo.cd").c_str(), 0600), 0);
  const struct {
    std::filesystem::path path;
    std::error_code why;
  } cases[] = {{dir / "absent.cd", std::make_error_code(std::errc::no_such_file_or_directory)},
               {dir.path(), std::make_error_code(std::errc::is_a_directory)},
               {dir / "fifo.cd", platform::NotARegularFile()},  // read at once, never waited for
               {"/dev/null", platform::NotARegularFile()}};
  for (const auto& c : cases) {
    ScriptedDialogs dialogs;
    dialogs.ExpectBox(BoxKind::kError,
                      c.path.string() + " could not be read: " + c.why.message() + ".");
    model::ComponentDef def;
    model::AddItem(def, model::NewPropertyItem("Old"));
    EXPECT_FALSE(ReadDefinitionFile(def, c.path, dialogs, "/t/"));
    EXPECT_EQ(def.Count(), 0);
  }
}

TEST(ReadDefinitionFileTest, AWrappersFormIsReadAgain) {
  TempDir dir;
  const auto form = dir.Write("About.dfm", "object AboutBox: TAboutBox\r\nend\r\n");
  const auto file =
      dir.Write("w.cd", "[MAININFO$]\r\nLang=C\r\nFormMode=1\r\nFormFile=" + form.string() +
                            "\r\n[ITEMLIST$]\r\nA=Property\r\n");
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kWarning, std::string(store::kOtherLanguageWarning));
  model::ComponentDef def;
  EXPECT_TRUE(ReadDefinitionFile(def, file, dialogs, "/t/"));
  EXPECT_EQ(def.MainInfo.Form.FormClassName, "TAboutBox");
  EXPECT_EQ(def.MainInfo.Form.FormUnitName, "About");

  // A form file that is gone: the long warning of a wrapper names substitutes.
  std::filesystem::remove(form);
  dialogs.ExpectBox(BoxKind::kWarning, std::string(store::kOtherLanguageWarning))
      .ExpectBox(BoxKind::kConfirmation,
                 "Could not read " + form.string() + ".  Do you want to select another form file?",
                 Answer::kNo);
  EXPECT_TRUE(ReadDefinitionFile(def, file, dialogs, "/t/"));
}

class WriteDefinitionFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(WriteDefinitionFileTest, SecondSaveKeepsTheFirstAsBackup) {
  const auto file = dir_ / "Comp.cd";
  model::ComponentDef def;
  def.MainInfo.NewClassName = "TFirst";
  ScriptedDialogs dialogs;
  ASSERT_TRUE(WriteDefinitionFile(def, file, dialogs));
  const std::string first = TempDir::Read(file);
  def.MainInfo.NewClassName = "TSecond";
  ASSERT_TRUE(WriteDefinitionFile(def, file, dialogs));
  EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), first);
  EXPECT_NE(TempDir::Read(file).find("NewClassName=TSecond\r\n"), std::string::npos);
  // Nothing but the file and its backup is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

TEST_F(WriteDefinitionFileTest, AFailedWriteLeavesBothFilesAsTheyWere) {
  const auto file = dir_.Write("comp.cd", "previous");
  dir_.Write("comp.bak", "older");
  const FailingWrites failing;
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
      .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
  EXPECT_FALSE(WriteDefinitionFile(model::ComponentDef(), file, dialogs));
  EXPECT_EQ(TempDir::Read(file), "previous");
  EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), "older");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

// Two items of one name reach the writer only from outside the name rules; the save names
// them and what to do, writes nothing, and leaves the previous file as it was.
TEST_F(WriteDefinitionFileTest, TwoItemsOfOneNameAreNamedAndNothingIsWritten) {
  const auto file = dir_.Write("comp.cd", "previous");
  const struct {
    model::ItemDef second;
    std::string message;
  } cases[] = {
      {model::NewVariableItem("Beta"),
       "The definition cannot be saved: the property Alpha and the variable ALPHA have the same "
       "name in a definition file.  Rename or delete one of them, then save again."},
      {model::NewMethodItem("Beta"),
       "The definition cannot be saved: the property Alpha and the method Alpha have the same "
       "name in a definition file.  Rename or delete one of them, then save again."},
  };
  for (const auto& c : cases) {
    model::ComponentDef def;
    model::AddItem(def, model::NewPropertyItem("Alpha"));
    ASSERT_EQ(model::AddItem(def, c.second), model::AddResult::Added);
    model::ItemDef& second = def.Item(2);
    if (second.Kind() == model::ItemKind::Variable) {
      second.Variable().Name = "ALPHA";
    } else {
      second.Method().Header = "Alpha";
    }
    ScriptedDialogs dialogs;
    dialogs.ExpectBox(BoxKind::kError, c.message);
    EXPECT_FALSE(WriteDefinitionFile(def, file, dialogs));
    EXPECT_EQ(TempDir::Read(file), "previous");
  }
}

TEST_F(WriteDefinitionFileTest, AFolderThatCannotTakeTheFile) {
  const auto file = dir_ / "no-such-folder" / "comp.cd";
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
      .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
  EXPECT_FALSE(WriteDefinitionFile(model::ComponentDef(), file, dialogs));
}

}  // namespace
}  // namespace kx::commands
