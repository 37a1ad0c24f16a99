// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "catalog/custom_class_registry.h"
#include "platform/atomic_file.h"
#include "store/profile_store.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::FailingWrites;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

const platform::FixedClock kClock({2026, 12, 6, 9, 30, 0});
const std::string kSourceDirQuestion =
    "The default directory for component definitions is now /opt/kestrix/.  Do you want to "
    "change it?";

class OptionsTest : public ::testing::Test {
 protected:
  // The user's home stands for the documents folder, the default of both directories.
  store::Settings Load() {
    store::Settings settings;
    EXPECT_TRUE(
        store::LoadSettings(settings, file_, "/opt/kestrix", kClock, {.home = "/opt/kestrix"})
            .ok());
    return settings;
  }
  std::string FileText() const { return fs::exists(file_) ? TempDir::Read(file_) : "(none)"; }

  TempDir dir_;
  fs::path file_ = dir_ / "Kestrix.ini";
};

TEST_F(OptionsTest, DefaultSourceDirectory) {
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation, kSourceDirQuestion, Answer::kYes,
                 "Default source directory", Buttons::kYesNo)
      .ExpectSelectDirectory(fs::path("/home/Me/My Defs"));
  EXPECT_TRUE(ChangeDefaultSourceDirectory(dialogs, settings));
  ASSERT_EQ(dialogs.directory_requests().size(), 1u);
  EXPECT_EQ(dialogs.directory_requests()[0].title, "Select default source (*.cd) directory");
  EXPECT_EQ(dialogs.directory_requests()[0].initial_dir, fs::path("/opt/kestrix/"));
  // Case kept, separator added, written at once.
  EXPECT_EQ(settings.definitions_dir, "/home/Me/My Defs/");
  EXPECT_EQ(FileText(), "[Directories]\r\nDefinitions=/home/Me/My Defs/\r\n");
  EXPECT_EQ(Load().definitions_dir, "/home/Me/My Defs/");
}

TEST_F(OptionsTest, DefaultTargetDirectoryKeepsTheRestOfTheFile) {
  dir_.Write("Kestrix.ini", "; mine\n[Directories]\nPascalCode=/src\nDefinitions=/defs/\n");
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation,
                 "The default target directory for Pascal code files is now /src/.  Do you want "
                 "to change it?",
                 Answer::kYes, "Default target directory", Buttons::kYesNo)
      .ExpectSelectDirectory(fs::path("/work/Pascal/"));
  EXPECT_TRUE(ChangeDefaultTargetDirectory(dialogs, settings));
  EXPECT_EQ(dialogs.directory_requests()[0].title, "Select default target (*.pas) directory");
  EXPECT_EQ(settings.pascal_code_dir, "/work/Pascal/");
  EXPECT_EQ(FileText(), "; mine\n[Directories]\nPascalCode=/work/Pascal/\nDefinitions=/defs/\n");
}

TEST_F(OptionsTest, NoOrCancelChangesNothing) {
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kConfirmation, kSourceDirQuestion, Answer::kNo)
      .ExpectBox(BoxKind::kConfirmation, kSourceDirQuestion, Answer::kYes)
      .ExpectSelectDirectory(std::nullopt)
      .ExpectBox(BoxKind::kConfirmation,
                 "Kestrix is now set up to work with 32-bit Delphi.  Do you want it set up for "
                 "Delphi 1.0 instead?",
                 Answer::kNo)
      .ExpectOtherOptions(std::nullopt);
  EXPECT_FALSE(ChangeDefaultSourceDirectory(dialogs, settings));
  EXPECT_FALSE(ChangeDefaultSourceDirectory(dialogs, settings));
  EXPECT_FALSE(ChangeDelphiVersion(dialogs, settings, dir_ / "no-wine"));
  EXPECT_FALSE(ChangeOtherOptions(dialogs, settings, kClock));
  EXPECT_EQ(settings.definitions_dir, "/opt/kestrix/");
  EXPECT_FALSE(settings.using_delphi16);
  EXPECT_EQ(settings.codeview, store::kCodeviewAlways);
  EXPECT_EQ(FileText(), "(none)");
}

TEST_F(OptionsTest, CommentingLevelBothWays) {
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation,
                 "Code is now generated with detailed comments.  Do you want to turn detailed "
                 "commenting off?",
                 Answer::kYes, "", Buttons::kYesNo)
      .ExpectBox(BoxKind::kInformation, "New code will be generated with normal comments.")
      .ExpectBox(BoxKind::kConfirmation,
                 "Code is now generated with normal comments.  Do you want to turn detailed "
                 "commenting on?",
                 Answer::kNo)
      .ExpectBox(BoxKind::kConfirmation,
                 "Code is now generated with normal comments.  Do you want to turn detailed "
                 "commenting on?",
                 Answer::kYes)
      .ExpectBox(BoxKind::kInformation, "New code will be generated with detailed comments.");
  EXPECT_TRUE(ChangeCommentingLevel(dialogs, settings));
  EXPECT_FALSE(settings.full_comments);
  EXPECT_EQ(FileText(), "[Other]\r\nFullComments=0\r\n");
  EXPECT_FALSE(ChangeCommentingLevel(dialogs, settings));
  EXPECT_FALSE(settings.full_comments);
  EXPECT_TRUE(ChangeCommentingLevel(dialogs, settings));
  EXPECT_TRUE(settings.full_comments);
  EXPECT_EQ(FileText(), "[Other]\r\nFullComments=1\r\n");
}

TEST_F(OptionsTest, CodeTargetChosenFromTheOtherTwoAndReadBack) {
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs.ExpectChooseButton("Code is now generated for Delphi", 1)
      .ExpectBox(BoxKind::kInformation, "New code will be generated for Delphi-XE.")
      .ExpectChooseButton("Code is now generated for Delphi-XE", 1)
      .ExpectBox(BoxKind::kInformation, "New code will be generated for Lazarus.")
      .ExpectChooseButton("Code is now generated for Lazarus", std::nullopt)
      .ExpectChooseButton("Code is now generated for Lazarus", 0)
      .ExpectBox(BoxKind::kInformation, "New code will be generated for Delphi.");
  EXPECT_TRUE(ChangeCodeTarget(dialogs, settings));
  EXPECT_EQ(FileText(), "[Other]\r\nTarget=Delphi-XE\r\n");
  EXPECT_EQ(Load().target, model::CodeTarget::kDelphiXe);
  EXPECT_TRUE(ChangeCodeTarget(dialogs, settings));
  EXPECT_EQ(Load().target, model::CodeTarget::kLazarus);
  // Cancel keeps the target.
  EXPECT_FALSE(ChangeCodeTarget(dialogs, settings));
  EXPECT_EQ(settings.target, model::CodeTarget::kLazarus);
  EXPECT_TRUE(ChangeCodeTarget(dialogs, settings));
  EXPECT_EQ(FileText(), "[Other]\r\nTarget=Delphi\r\n");
}

TEST_F(OptionsTest, DelphiVersionChoosesTheHelpFilesAgain) {
  store::Settings settings = Load();
  const fs::path prefix = dir_ / "no-wine";
  ASSERT_TRUE(store::ChooseHelpFiles(settings, prefix).ok());
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation,
                 "Kestrix is now set up to work with 32-bit Delphi.  Do you want it set up for "
                 "Delphi 1.0 instead?",
                 Answer::kYes, "", Buttons::kYesNo)
      .ExpectBox(BoxKind::kInformation, "Kestrix is now set up to work with Delphi 1.0.")
      .ExpectBox(BoxKind::kConfirmation,
                 "Kestrix is now set up to work with Delphi 1.0.  Do you want it set up for "
                 "32-bit Delphi instead?",
                 Answer::kYes)
      .ExpectBox(BoxKind::kInformation, "Kestrix is now set up to work with 32-bit Delphi.");
  EXPECT_TRUE(ChangeDelphiVersion(dialogs, settings, prefix));
  EXPECT_TRUE(settings.using_delphi16);
  EXPECT_EQ(settings.delphi_help, "c:\\delphi\\bin\\DELPHI.HLP");
  EXPECT_EQ(FileText(), "[Other]\r\nUsingDelphi16=1\r\n");
  EXPECT_TRUE(ChangeDelphiVersion(dialogs, settings, prefix));
  EXPECT_FALSE(settings.using_delphi16);
  EXPECT_EQ(settings.delphi_help, "DELPHI.HLP");
  EXPECT_EQ(FileText(), "[Other]\r\nUsingDelphi16=0\r\n");
}

TEST_F(OptionsTest, ResourceCompilerOfTheVersionInUse) {
  const fs::path kxrc = dir_.Write("kxrc", "");
  const struct {
    bool delphi16;
    const char* kind;
    const char* was;
    const char* key;
    const char* file_name;
    const char* folder;
  } cases[] = {
      {false, "32-bit", "/opt/kestrix/kxrc", "Compiler32", "brcc32.exe",
       "c:\\Program files\\Borland\\Delphi 2.0\\bin"},
      {true, "16-bit", "/opt/kestrix/kxrc", "Compiler16", "brcc.exe", "c:\\delphi\\bin"},
  };
  for (const auto& c : cases) {
    fs::remove(file_);
    store::Settings settings = Load();
    settings.using_delphi16 = c.delphi16;
    ScriptedDialogs dialogs;
    dialogs
        .ExpectBox(BoxKind::kConfirmation,
                   std::string("The ") + c.kind + " Resource Compiler path name is now " + c.was +
                       ".  Do you want to change it?",
                   Answer::kYes, "", Buttons::kYesNo)
        .ExpectOpenFile(kxrc)
        .ExpectBox(BoxKind::kInformation, std::string("The ") + c.kind +
                                              " Resource Compiler path name has been changed to " +
                                              kxrc.string() + ".");
    EXPECT_TRUE(ChangeResourceCompilerPath(dialogs, settings));
    ASSERT_EQ(dialogs.file_requests().size(), 1u);
    const FileDialogRequest& request = dialogs.file_requests()[0];
    EXPECT_EQ(request.title, "Find Resource Compiler");
    EXPECT_EQ(request.filter, "Executable files (*.exe)|*.exe|All files (*.*)|*.*");
    EXPECT_EQ(request.default_ext, "exe");
    EXPECT_TRUE(request.must_exist);
    EXPECT_EQ(request.file_name, c.file_name);
    EXPECT_EQ(request.initial_dir, fs::path(c.folder));
    EXPECT_EQ(c.delphi16 ? settings.compiler16 : settings.compiler32, kxrc.string());
    EXPECT_EQ(FileText(), std::string("[Resources]\r\n") + c.key + "=" + kxrc.string() + "\r\n");
  }
}

TEST_F(OptionsTest, ResourceCompilerDialogOpensWhereTheCompilerIs) {
  store::Settings settings = Load();
  settings.compiler32 = (dir_ / "bin" / "brcc32").string();
  fs::create_directories(dir_ / "bin");
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation,
                 "The 32-bit Resource Compiler path name is now " + settings.compiler32 +
                     ".  Do you want to change it?",
                 Answer::kYes)
      .ExpectOpenFile(std::nullopt);
  EXPECT_FALSE(ChangeResourceCompilerPath(dialogs, settings));
  EXPECT_EQ(dialogs.file_requests()[0].initial_dir, dir_ / "bin");
  EXPECT_EQ(settings.compiler32, (dir_ / "bin" / "brcc32").string());
  EXPECT_EQ(FileText(), "(none)");
}

TEST_F(OptionsTest, OtherOptions) {
  dir_.Write("Kestrix.ini", "[Other]\r\nCodeview=0\r\n");
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  dialogs.ExpectOtherOptions(
      OtherOptions{"  Copyright \xA9 2026 by Me", 2, "https://x.org/{keyword}"});
  EXPECT_TRUE(ChangeOtherOptions(dialogs, settings, kClock));
  ASSERT_EQ(dialogs.other_options_requests().size(), 1u);
  const OtherOptionsRequest& request = dialogs.other_options_requests()[0];
  EXPECT_EQ(
      request.offered_copyrights,
      (std::vector<std::string>{"Copyright \xA9 2026 by ...", "A public domain component by ..."}));
  EXPECT_EQ(request.current, (OtherOptions{"Copyright \xA9 2026 by ...", 0}));
  EXPECT_EQ(settings.copyright, "  Copyright \xA9 2026 by Me");
  EXPECT_EQ(settings.codeview, 2);
  EXPECT_EQ(FileText(),
            "[Other]\r\nCodeview=2\r\nCopyright=\"  Copyright \xA9 2026 by Me\"\r\n\r\n"
            "[HelpFiles]\r\nKeywordUrl=https://x.org/{keyword}\r\n");
  const store::Settings reloaded = Load();
  EXPECT_EQ(reloaded.help_url, "https://x.org/{keyword}");
  EXPECT_EQ(reloaded.copyright, settings.copyright);
  EXPECT_EQ(reloaded.codeview, 2);
}

TEST_F(OptionsTest, WhatTheDesktopRemembersIsReadBack) {
  store::Settings settings = Load();
  ScriptedDialogs dialogs;
  EXPECT_TRUE(SavePrintFont(dialogs, settings, "DejaVu Sans Mono", 12));
  EXPECT_TRUE(SaveWindowGeometry(dialogs, settings, "01d9d0cb"));
  const store::Settings read = Load();
  EXPECT_EQ(read.print_font, "DejaVu Sans Mono");
  EXPECT_EQ(read.print_font_size, 12);
  EXPECT_EQ(read.window_geometry, "01d9d0cb");
  EXPECT_EQ(settings.window_geometry, read.window_geometry);
}

// Every write of a setting through the real store, into a settings file that cannot be
// replaced: each failure is told the user with the file's name, and neither the settings nor
// the file change.
TEST_F(OptionsTest, AFailedWriteIsToldAndLeavesSettingsAndFileAsTheyWere) {
  const std::string before = "[Other]\r\nFullComments=1\r\n[Class.TOld]\r\nUnit=Old\r\n";
  struct Case {
    std::string_view cause;
    std::function<std::unique_ptr<FailingWrites>(const fs::path& folder)> make_unwritable;
    std::errc error;
  };
  const Case cases[] = {
      {"a read-only folder",
       [](const fs::path& folder) {
         fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
         // Root writes into any folder: the write is made to fail as it would there.
         return ::geteuid() == 0 ? std::make_unique<FailingWrites>() : nullptr;
       },
       std::errc::permission_denied},
      {"a full disk", [](const fs::path&) { return std::make_unique<FailingWrites>(); },
       std::errc::file_too_large},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cause);
    const TempDir dir;
    const fs::path folder = dir / "config";
    fs::create_directory(folder);
    file_ = folder / "Kestrix.ini";
    dir.Write("config/Kestrix.ini", before);
    store::Settings settings = Load();
    catalog::CustomClassRegistry registry(file_);
    registry.SetCustomClass("TMine", "TEdit", "Mine");
    const std::string written =
        file_.string() + " could not be written (" +
        std::make_error_code(::geteuid() == 0 ? std::errc::file_too_large : c.error).message() +
        ")";
    ScriptedDialogs dialogs;
    dialogs
        .ExpectBox(BoxKind::kConfirmation,
                   "Code is now generated with detailed comments.  Do you want to turn detailed "
                   "commenting off?",
                   Answer::kYes)
        .ExpectBox(BoxKind::kError, written)
        .ExpectOtherOptions(OtherOptions{"Mine", 0})
        .ExpectBox(BoxKind::kError, written)
        .ExpectBox(BoxKind::kError, written)
        .ExpectBox(BoxKind::kError, written);
    {
      const auto unwritable = c.make_unwritable(folder);
      EXPECT_FALSE(ChangeCommentingLevel(dialogs, settings));
      EXPECT_FALSE(ChangeOtherOptions(dialogs, settings, kClock));
      EXPECT_FALSE(SavePrintFont(dialogs, settings, "Mono", 14));
      EXPECT_FALSE(SaveWindowGeometry(dialogs, settings, "01d9"));
      EXPECT_EQ(registry.Save().message, written);
      EXPECT_EQ(registry.DeleteCustomClass("TOld").message, written);
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_TRUE(settings.full_comments);
    EXPECT_EQ(settings.print_font, "Courier New");
    EXPECT_TRUE(settings.window_geometry.empty());
    EXPECT_EQ(settings.copyright, "Copyright \xA9 2026 by ...");
    EXPECT_TRUE(registry.changed()) << "kept, to be saved again";
    EXPECT_EQ(TempDir::Read(file_), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "no temporary left";
  }
}

}  // namespace
}  // namespace kx::commands
