// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/settings.h"

#include <gtest/gtest.h>

#include "store/profile_store.h"
#include "support/temp_dir.h"

namespace kx::store {

void PrintTo(const HelpTopic& topic, std::ostream* out) {
  *out << "{file " << static_cast<int>(topic.file) << ", action " << static_cast<int>(topic.action)
       << ", \"" << topic.keyword << "\", " << topic.context << "}";
}

namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;

const platform::FixedClock kClock({2026, 12, 6, 9, 30, 0});

// Creates the file with its folders.
void Touch(const fs::path& file, std::string_view bytes = "") {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

Settings Loaded(const fs::path& file, const fs::path& exe_dir,
                const Environment& env = ReadEnvironment()) {
  Settings settings;
  EXPECT_TRUE(LoadSettings(settings, file, exe_dir, kClock, env).ok()) << file;
  return settings;
}

TEST(LoadSettingsTest, WithoutAFileEveryKeyHasItsDefault) {
  TempDir dir;
  const fs::path exe_dir = dir / "Programs" / "Kestrix";
  const Settings s = Loaded(dir / "Kestrix.ini", exe_dir, {});
  EXPECT_EQ(s.file, dir / "Kestrix.ini");
  // No home: the current folder, never the program's.
  EXPECT_EQ(s.definitions_dir, fs::current_path().string() + "/");
  EXPECT_EQ(s.pascal_code_dir, fs::current_path().string() + "/");
  EXPECT_FALSE(s.pascal_code_dir_chosen);
  EXPECT_TRUE(s.full_comments);
  EXPECT_FALSE(s.using_delphi16);
  EXPECT_EQ(s.copyright, "Copyright \xA9 2026 by ...");
  EXPECT_EQ(s.codeview, kCodeviewAlways);
  // The bundled compiler, where it would be installed when it is nowhere.
  EXPECT_EQ(s.compiler16, (exe_dir / "kxrc").string());
  EXPECT_EQ(s.compiler32, (exe_dir / "kxrc").string());
  EXPECT_EQ(s.delphi_help, "");
  EXPECT_EQ(s.help_file, exe_dir / "docs" / "help" / "index.html");
  EXPECT_EQ(s.window_geometry, "");
  EXPECT_EQ(s.print_font, "Courier New");
  EXPECT_EQ(s.print_font_size, 10);
  EXPECT_FALSE(fs::exists(dir / "Kestrix.ini"));
}

TEST(LoadSettingsTest, ReadsEveryKey) {
  TempDir dir;
  const auto file = dir.Write("Kestrix.ini",
                              "[directories]\n"
                              "definitions=/home/Me/My Defs\n"
                              "PascalCode=/home/Me/Src/\n"
                              "[Other]\n"
                              "FullComments=0\n"
                              "UsingDelphi16=2\n"
                              "Copyright=A public domain component by Me\n"
                              "Codeview=2\n"
                              "[Resources]\n"
                              "Compiler16=/opt/kxrc\n"
                              "Compiler32=/opt/wine-brcc32\n"
                              "[HelpFiles]\n"
                              "KeywordUrl=https://example.org/?q={keyword}\n"
                              "[Window]\n"
                              "Geometry=01d9d0cb\n"
                              "[Print]\n"
                              "Font=DejaVu Sans Mono\n"
                              "FontSize=12\n");
  const Settings s = Loaded(file, "/opt/kestrix");
  // The folder gets its separator and keeps its case.
  EXPECT_EQ(s.definitions_dir, "/home/Me/My Defs/");
  EXPECT_EQ(s.pascal_code_dir, "/home/Me/Src/");
  EXPECT_TRUE(s.pascal_code_dir_chosen);
  EXPECT_FALSE(s.full_comments);
  EXPECT_TRUE(s.using_delphi16);
  EXPECT_EQ(s.copyright, "A public domain component by Me");
  EXPECT_EQ(s.codeview, kCodeviewNever);
  EXPECT_EQ(s.compiler16, "/opt/kxrc");
  EXPECT_EQ(s.compiler32, "/opt/wine-brcc32");
  EXPECT_EQ(s.help_url, "https://example.org/?q={keyword}");
  EXPECT_EQ(s.window_geometry, "01d9d0cb");
  EXPECT_EQ(s.print_font, "DejaVu Sans Mono");
  EXPECT_EQ(s.print_font_size, 12);
}

TEST(LoadSettingsTest, UnusableValuesGiveTheDefault) {
  TempDir dir;
  const auto file = dir.Write("Kestrix.ini",
                              "[Directories]\r\nDefinitions=\r\n[Other]\r\nCodeview=7\r\n"
                              "FullComments=yes\r\n");
  const Settings s = Loaded(file, "/opt/kestrix/", {.home = "/home/me"});
  EXPECT_EQ(s.definitions_dir, "/home/me/");
  EXPECT_EQ(s.codeview, kCodeviewAlways);
  EXPECT_TRUE(s.full_comments);
}

TEST(LoadSettingsTest, AnUnreadableFileIsAnErrorNamingIt) {
  TempDir dir;
  Settings settings;
  settings.copyright = "kept";
  const ProfileStatus status = LoadSettings(settings, dir.path(), dir.path(), kClock);
  EXPECT_EQ(status.message, dir.path().string() + " could not be read (" +
                                std::make_error_code(std::errc::is_a_directory).message() + ")");
  EXPECT_EQ(settings.copyright, "kept");
}

TEST(AsDirectoryTest, AddsTheSeparatorOnlyWhenMissing) {
  EXPECT_EQ(AsDirectory("/a/B"), "/a/B/");
  EXPECT_EQ(AsDirectory("/a/B/"), "/a/B/");
  EXPECT_EQ(AsDirectory("/"), "/");
  EXPECT_EQ(AsDirectory(""), "");
}

TEST(DefaultSettingsPathTest, BesideTheProgramWhenItsFolderIsWritable) {
  TempDir dir;
  const Environment env{"/home/me", "/home/me/.xdg", ""};
  const auto before = fs::last_write_time(dir.path()) - std::chrono::hours(1);
  fs::last_write_time(dir.path(), before);
  EXPECT_EQ(DefaultSettingsPath(dir.path(), env), dir / "Kestrix.ini");
  EXPECT_EQ(fs::last_write_time(dir.path()), before) << "nothing was written there";
}

TEST(DefaultSettingsPathTest, ElseInTheUsersConfigFolder) {
  TempDir dir;
  const fs::path not_writable = dir / "missing";
  const struct {
    Environment env;
    fs::path expected;
  } cases[] = {
      {{"/home/me", "/home/me/.xdg", ""}, "/home/me/.xdg/kestrix/Kestrix.ini"},
      {{"/home/me", "", ""}, "/home/me/.config/kestrix/Kestrix.ini"},
      {{"/home/me", "relative", ""}, "/home/me/.config/kestrix/Kestrix.ini"},
      {{"", "", ""}, not_writable / "Kestrix.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultSettingsPath(not_writable, c.env), c.expected) << c.env.xdg_config_home;
  }
}

// Never the program's folder, not even for a portable copy (a build tree): the user's files
// do not belong there.
TEST(DefaultWorkDirectoryTest, TheDocumentsFolderNeverTheProgramsFolder) {
  TempDir dir;
  const fs::path installed = dir / "usr" / "bin";  // missing, so not writable
  const fs::path home = dir / "home";
  fs::create_directories(home / ".config");
  const Environment env{home.string(), "", ""};
  EXPECT_EQ(DefaultWorkDirectory({}), fs::current_path()) << "no home: where it was started";
  EXPECT_EQ(DefaultWorkDirectory(env), home) << "no documents folder";
  fs::create_directories(home / "Documents");
  EXPECT_EQ(DefaultWorkDirectory(env), home / "Documents");
  const Settings portable = Loaded(dir / "Kestrix.ini", dir.path(), env);
  EXPECT_EQ(portable.definitions_dir, home.string() + "/Documents/");
  const struct {
    std::string line;
    fs::path expected;
  } cases[] = {
      {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"", home / "Dokumente"},
      {"XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/srv/docs"},
      {"XDG_DOCUMENTS_DIR=\"$HOME/\"", home / ""},
      {"XDG_DOCUMENTS_DIR=\"relative\"", home / "Documents"},
      {"XDG_MUSIC_DIR=\"$HOME/Music\"", home / "Documents"},
  };
  for (const auto& c : cases) {
    Touch(home / ".config" / "user-dirs.dirs",
          "# written by xdg-user-dirs-update\n" + c.line + "\n");
    EXPECT_EQ(DefaultWorkDirectory(env), c.expected) << c.line;
  }
  // An installation into a folder of the user's own is no portable copy.
  const fs::path local_bin = home / ".local" / "bin";
  Touch(home / ".local" / "share" / "doc" / "kestrix" / "help" / "index.html");
  fs::create_directories(local_bin);
  EXPECT_EQ(DefaultSettingsPath(local_bin, env), home / ".config" / "kestrix" / "Kestrix.ini");
  // The settings take it for both directories when they name none.
  const Settings s = Loaded(dir / "Kestrix.ini", installed, env);
  EXPECT_EQ(s.definitions_dir, home.string() + "/Documents/");
  EXPECT_EQ(s.pascal_code_dir, home.string() + "/Documents/");
}

TEST(ManualDirTest, BesideTheProgramOrWhereTheInstallationPutsIt) {
  TempDir dir;
  const fs::path bin = dir / "usr" / "bin";
  const fs::path installed = dir / "usr" / "share" / "doc" / "kestrix" / "help";
  EXPECT_EQ(ManualDir(bin), bin / "docs" / "help") << "nothing installed: the portable place";
  Touch(installed / "index.html");
  EXPECT_EQ(ManualDir(bin), installed);
  Touch(bin / "docs" / "help" / "index.html");
  EXPECT_EQ(ManualDir(bin), bin / "docs" / "help");
  EXPECT_EQ(Loaded(dir / "Kestrix.ini", bin, {}).help_file, bin / "docs" / "help" / "index.html");
}

TEST(WinePrefixTest, TheVariableOrTheDefault) {
  EXPECT_EQ(WinePrefix({"/home/me", "", "/srv/delphi"}), fs::path("/srv/delphi"));
  EXPECT_EQ(WinePrefix({"/home/me", "", ""}), fs::path("/home/me/.wine"));
}

class ChooseHelpFilesTest : public ::testing::Test {
 protected:
  Settings Delphi16(std::string_view ini) {
    Settings s = Loaded(dir_.Write("Kestrix.ini", ini), dir_.path());
    s.using_delphi16 = true;
    return s;
  }
  TempDir dir_;
  fs::path prefix_ = dir_ / "wine";
};

TEST_F(ChooseHelpFilesTest, Delphi1WithItsHelpFilesSetDoesNotReadTheIndex) {
  Touch(prefix_ / "drive_c" / "windows" / "MultiHlp.Ini",
        "[Index Path]\r\nDELPHI.HLP=d:\\other\r\nCWG.HLP=d:\\other\r\n");
  Settings s = Delphi16("[HelpFiles]\r\nDelphiHelp=/help/delphi.hlp\r\nCWGHelp=/help/cwg.hlp\r\n");
  EXPECT_TRUE(ChooseHelpFiles(s, prefix_).ok());
  EXPECT_EQ(s.delphi_help, "/help/delphi.hlp");
  EXPECT_EQ(s.cwg_help, "/help/cwg.hlp");
}

TEST_F(ChooseHelpFilesTest, Delphi1TakesBothFromTheIndexWhenOneIsMissing) {
  // Installers wrote the names in capitals; the Windows folder is found in any case.
  Touch(prefix_ / "drive_c" / "WINDOWS" / "MULTIHLP.INI",
        "[Index Path]\r\nDELPHI.HLP=d:\\delphi\\help\r\n");
  Settings s = Delphi16("[HelpFiles]\r\nDelphiHelp=/help/delphi.hlp\r\n");
  EXPECT_TRUE(ChooseHelpFiles(s, prefix_).ok());
  EXPECT_EQ(s.delphi_help, "d:\\delphi\\help\\DELPHI.HLP");
  EXPECT_EQ(s.cwg_help, "c:\\delphi\\bin\\CWG.HLP");
}

TEST_F(ChooseHelpFilesTest, Delphi1WithoutAnIndexUsesItsDefaultFolder) {
  Settings s = Delphi16("");
  EXPECT_TRUE(ChooseHelpFiles(s, prefix_).ok());
  EXPECT_EQ(s.delphi_help, "c:\\delphi\\bin\\DELPHI.HLP");
  EXPECT_EQ(s.cwg_help, "c:\\delphi\\bin\\CWG.HLP");
}

TEST_F(ChooseHelpFilesTest, Delphi32NamesDelphi3sFilesWhenItIsInstalled) {
  Settings s = Loaded(dir_ / "Kestrix.ini", dir_.path());
  EXPECT_TRUE(ChooseHelpFiles(s, prefix_).ok());
  EXPECT_EQ(s.delphi_help, "DELPHI.HLP");
  EXPECT_EQ(s.cwg_help, "CWG.HLP");
  EXPECT_EQ(s.vcl_help, "VCL.HLP");

  for (const char* install : {"Program Files/Borland/Delphi 3/Bin/Delphi32.exe",
                              "program files/BORLAND/Delphi 3.0/BIN/DELPHI32.EXE"}) {
    TempDir other;
    Touch(other / "drive_c" / install);
    EXPECT_TRUE(ChooseHelpFiles(s, other.path()).ok());
    EXPECT_EQ(s.delphi_help, "DELPHI3.HLP") << install;
    EXPECT_EQ(s.cwg_help, "CWG.HLP");
    EXPECT_EQ(s.vcl_help, "VCL3.HLP");
  }
}

TEST(ClassHelpTest, WhichFileAndWhichKeyword) {
  using enum HelpFile;
  using enum HelpAction;
  const struct {
    const char* name;
    bool delphi16;
    HelpTopic topic;
  } cases[] = {
      {"TCustomEdit", false, {kCwg, kKeyword, "TCustomEdit component", 0}},
      {"TCustomEdit", true, {kCwg, kKeyword, "TCustomEdit", 0}},
      {"TButton", false, {kDelphi, kKeyword, "TButton component", 0}},
      {"TButton", true, {kDelphi, kKeyword, "TButton", 0}},
      {"TCustomMyGrid", false, {kCwg, kKeyword, "TCustomMyGrid component", 0}},
      {"TXTCustomGrid", false, {kCwg, kKeyword, "TXTCustomGrid component", 0}},
      // "Custom" alone is not enough.
      {"TMyCustomGrid", false, {kDelphi, kKeyword, "TMyCustomGrid component", 0}},
      {"twincontrol", false, {kCwg, kKeyword, "twincontrol component", 0}},
      {"TComponent", true, {kCwg, kKeyword, "TComponent", 0}},
      {"TGraphicControl", false, {kCwg, kKeyword, "TGraphicControl component", 0}},
      {"TCommonDialog", false, {kCwg, kKeyword, "TCommonDialog component", 0}},
      {"TNewThread", false, {kThreads, kContents, "", 0}},
      {"tsharingthread", true, {kThreads, kContents, "", 0}},
      {"TResourceFlag", false, {kThreads, kContents, "", 0}},
      {"TRzBusinessComponent", false, {kProduct, kContext, "", 514}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassHelpTopic(c.name, c.delphi16), c.topic) << c.name << " " << c.delphi16;
  }
}

TEST(VclHelpTest, Delphi1LooksInDelphisHelp) {
  EXPECT_EQ(VclHelpTopic("TList", false),
            (HelpTopic{HelpFile::kVcl, HelpAction::kKeyword, "TList"}));
  EXPECT_EQ(VclHelpTopic("", false), (HelpTopic{HelpFile::kVcl, HelpAction::kKeyword, ""}));
  EXPECT_EQ(VclHelpTopic("TList", true),
            (HelpTopic{HelpFile::kDelphi, HelpAction::kKeyword, "TList"}));
  EXPECT_EQ(VclHelpTopic("", true), (HelpTopic{HelpFile::kDelphi, HelpAction::kKeyword, "VCL"}));
}

std::string UserReg(std::string_view keys) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
         "#arch=win32\n\n" +
         std::string(keys);
}

TEST(PalettePagesTest, FromDelphisKeys) {
  const struct {
    std::string user_reg;
    std::vector<std::string> pages;
  } cases[] = {
      {UserReg("[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Palette] 1700000000\n"
               "#time=1d9a0b1c2d3e4f5\n"
               "\"Standard\"=\"TMainMenu;TPopupMenu\"\n"
               "\"Samples\"=\"TGauge\"\n"
               "\"Standard.Hidden\"=\"\"\n"
               "\"ActiveX.HIDDEN\"=\"\"\n"
               "@=\"default\"\n"
               "\"\"=\"empty name\"\n"
               "\"Qu\\\"oted \\\\ page\"=\"x\"\n"
               "\"Zus\\xe4tzlich\"=\"y\"\n"
               "\"Oct\\101l\"=\"z\"\n"
               "\"Size\"=dword:00000010\n"
               "\n[Software\\\\Other] 1700000000\n"
               "\"Not a page\"=\"x\"\n"),
       {"Standard", "Samples", "Qu\"oted \\ page", "Zus\xe4tzlich", "OctAl", "Size"}},
      // Delphi 3's key decides as soon as it exists, palette or not.
      {UserReg(
           "[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Globals] 1\n\"X\"=\"1\"\n"
           "[Software\\\\Borland\\\\Delphi\\\\2.0\\\\cmplib32.dcl.Palette] 1\n\"Win95\"=\"\"\n"),
       {}},
      // Key names in any case, lines ended in CR LF.
      {UserReg("[software\\\\borland\\\\delphi\\\\2.0\\\\CMPLIB32.DCL.PALETTE] 1\r\n"
               "\"Win95\"=\"TTabControl\"\r\n\"Data Access\"=\"TTable\"\r\n"),
       {"Win95", "Data Access"}},
      // The page is the part of the name before its first "=".
      {UserReg("[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Palette]\n\"A=B\"=\"x\"\n"), {"A"}},
      // Broken lines are passed over.
      {UserReg("[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Palette\n\"Lost\"=\"x\"\n"
               "[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Palette]\n\"Unended=\"x\n\"NoValue\"\n"
               "\"Ends in escape\\"),
       {}},
      {UserReg(""), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParsePalettePages(c.user_reg), c.pages) << c.user_reg;
  }
}

TEST(PalettePagesTest, TheBuiltInListWhenDelphiNamesNone) {
  TempDir prefix;
  const std::vector<std::string>& built_in = BuiltInPalettePages();
  EXPECT_EQ(ReadPalettePages(prefix.path()), built_in);
  prefix.Write("user.reg", UserReg("[Software\\\\Wine] 1\n\"Version\"=\"win98\"\n"));
  EXPECT_EQ(ReadPalettePages(prefix.path()), built_in);
  prefix.Write("user.reg", UserReg("[Software\\\\Borland\\\\Delphi\\\\3.0\\\\Palette] 1\n"
                                   "\"Standard\"=\"\"\n\"Mine\"=\"\"\n"));
  EXPECT_EQ(ReadPalettePages(prefix.path()), (std::vector<std::string>{"Standard", "Mine"}));
}

}  // namespace
}  // namespace kx::store
