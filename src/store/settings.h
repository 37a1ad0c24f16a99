// SPDX-License-Identifier: GPL-3.0-or-later
// The user's preferences kept between runs in "Kestrix.ini", and what the program learns from
// an installed Delphi: its help files and its component palette pages.
//
// Delphi lives in a Wine prefix here: its palette pages come from the prefix's "user.reg",
// Delphi 1.0's help index from its Windows folder, Delphi 3 is recognised by its Delphi32.exe
// under drive_c. The environment is read in one place (ReadEnvironment) so that tests pass
// their own.
//
//   const Environment env = ReadEnvironment();
//   Settings settings;
//   ProfileStatus status = LoadSettings(settings, DefaultSettingsPath(exe_dir, env), exe_dir,
//   clock); if (status.ok()) status = ChooseHelpFiles(settings, WinePrefix(env));
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/code_target.h"
#include "platform/clock.h"
#include "store/profile_store.h"

namespace kx::store {

inline constexpr std::string_view kSettingsFileName = "Kestrix.ini";

inline constexpr std::string_view kDirectoriesSection = "Directories";
inline constexpr std::string_view kDefinitionsKey = "Definitions";
inline constexpr std::string_view kPascalCodeKey = "PascalCode";
inline constexpr std::string_view kOtherSection = "Other";
inline constexpr std::string_view kFullCommentsKey = "FullComments";
inline constexpr std::string_view kUsingDelphi16Key = "UsingDelphi16";
inline constexpr std::string_view kCopyrightKey = "Copyright";
inline constexpr std::string_view kCodeviewKey = "Codeview";
// "Delphi" or "Lazarus": what generated units are written for.
inline constexpr std::string_view kTargetKey = "Target";
inline constexpr std::string_view kResourcesSection = "Resources";
inline constexpr std::string_view kCompiler16Key = "Compiler16";
inline constexpr std::string_view kCompiler32Key = "Compiler32";
inline constexpr std::string_view kHelpFilesSection = "HelpFiles";
inline constexpr std::string_view kDelphiHelpKey = "DelphiHelp";
inline constexpr std::string_view kCwgHelpKey = "CWGHelp";
// The address template of the keyword look-ups in Delphi's help (commands/help.h).
inline constexpr std::string_view kKeywordUrlKey = "KeywordUrl";
// The main window's place and size, as the window system saves them, in hexadecimal.
inline constexpr std::string_view kWindowSection = "Window";
inline constexpr std::string_view kGeometryKey = "Geometry";
// The font the component interface is printed in.
inline constexpr std::string_view kPrintSection = "Print";
inline constexpr std::string_view kPrintFontKey = "Font";
inline constexpr std::string_view kPrintFontSizeKey = "FontSize";

// Both compiler settings default to the resource compiler built and installed with the
// program, which writes 16-bit and 32-bit resource files alike (platform::FindBundledProgram
// says where it is looked for).
inline constexpr std::string_view kBundledCompilerName = "kxrc";

// What happens after code is generated (the Codeview key).
inline constexpr int kCodeviewAsk = 0;
inline constexpr int kCodeviewAlways = 1;
inline constexpr int kCodeviewNever = 2;

struct Settings {
  std::filesystem::path file;     // the settings file; every change is written to it at once
  std::filesystem::path exe_dir;  // the program's folder
  std::string definitions_dir;    // initial folder of the *.cd dialogs; ends in '/'
  std::string pascal_code_dir;    // default target folder; ends in '/'
  // The settings file names pascal_code_dir: the user chose it, and every new definition
  // takes it as its target directory (commands::DefaultTargetDirectory says what the others
  // use).
  bool pascal_code_dir_chosen = false;
  bool full_comments = true;
  bool using_delphi16 = false;
  std::string copyright;  // the default copyright line, Windows-1252
  int codeview = kCodeviewAlways;
  model::CodeTarget target = model::CodeTarget::kDelphi;
  std::string compiler16;  // LoadSettings makes the bundled kxrc the default
  std::string compiler32;
  // Delphi's help files, chosen by ChooseHelpFiles.
  std::string delphi_help;
  std::string cwg_help;
  std::string vcl_help;
  std::string help_url;             // address template of those look-ups; empty: none set
  std::filesystem::path help_file;  // the program's own manual: its contents page
  std::string window_geometry;      // empty: the window system places the window
  std::string print_font = "Courier New";
  int print_font_size = 10;
};

// The environment variables the settings depend on; empty when unset.
struct Environment {
  std::string home;             // HOME
  std::string xdg_config_home;  // XDG_CONFIG_HOME
  std::string wine_prefix;      // WINEPREFIX
  std::string path;             // PATH
};
Environment ReadEnvironment();

// Beside the executable for a portable copy (one whose folder is writable and that is not
// installed: no manual where the installation puts it), else
// $XDG_CONFIG_HOME/kestrix/Kestrix.ini (by default under ~/.config).
std::filesystem::path DefaultSettingsPath(const std::filesystem::path& exe_dir,
                                          const Environment& env);
// Where the default source and target directories point when the settings name none: the
// user's documents folder (XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents when it
// exists, else home), also for a portable copy: a build tree or an installation is no place for
// the user's files. Without a home, the current folder.
std::filesystem::path DefaultWorkDirectory(const Environment& env);
// The folder of the manual: docs/help beside the program (a portable build; the build copies
// it there), else where the installation puts it relative to the program's folder.
std::filesystem::path ManualDir(const std::filesystem::path& exe_dir);
// $WINEPREFIX, by default ~/.wine.
std::filesystem::path WinePrefix(const Environment& env);

// The folder with a trailing '/' (none added to an empty text). Never lower-cased: on this
// platform the case of a folder the user chose matters.
std::string AsDirectory(std::string_view dir);

// Every key with its default; a missing file gives all defaults. Leaves the Delphi help files
// to ChooseHelpFiles. Fails, leaving settings as they were, when the file exists but cannot be
// read. env.path is the last place the bundled compiler is looked for; env.home and
// env.xdg_config_home decide the default directories (DefaultWorkDirectory).
ProfileStatus LoadSettings(Settings& settings, const std::filesystem::path& settings_file,
                           const std::filesystem::path& exe_dir, const platform::Clock& clock,
                           const Environment& env = ReadEnvironment());

// What both front ends start with: the file named on their command line, else the default
// one (DefaultSettingsPath, looked for only then), read by LoadSettings, with the help files
// chosen (ChooseHelpFiles).
ProfileStatus LoadProgramSettings(Settings& settings,
                                  const std::optional<std::filesystem::path>& named_file,
                                  const std::filesystem::path& exe_dir,
                                  const platform::Clock& clock,
                                  const Environment& env = ReadEnvironment());

// Names Delphi's help files for the Delphi version of the settings. With Delphi 1.0 they come
// from the HelpFiles keys, or from MultiHlp.Ini in the prefix's Windows folder when either
// is empty; with 32-bit Delphi they are the bare names of Delphi 3's files when Delphi 3 is
// installed in the prefix, else those of Delphi 2.0. Fails when the settings file cannot be
// read.
ProfileStatus ChooseHelpFiles(Settings& settings, const std::filesystem::path& wine_prefix);

enum class HelpFile { kProduct, kThreads, kDelphi, kVcl, kCwg };
enum class HelpAction { kContents, kContext, kKeyword };

// A help request for the front end to carry out. A keyword look-up shows the file's index when
// the keyword is empty or matches nothing.
struct HelpTopic {
  HelpFile file = HelpFile::kProduct;
  HelpAction action = HelpAction::kContents;
  std::string keyword;
  int context = 0;

  friend bool operator==(const HelpTopic&, const HelpTopic&) = default;
};

// Contexts of the program's own help.
inline constexpr int kCodeEditorHelpContext = 200;
inline constexpr int kHelpTextEditorHelpContext = 230;
inline constexpr int kBusinessComponentHelpContext = 514;

// Help on a parent or sub-component class.
HelpTopic ClassHelpTopic(std::string_view class_name, bool using_delphi16);
// Help > VCL help: Delphi 1.0 had no VCL help file of its own.
HelpTopic VclHelpTopic(std::string_view keyword, bool using_delphi16);

// The pages offered when Delphi's registry names none.
const std::vector<std::string>& BuiltInPalettePages();
// The palette pages named in a Wine "user.reg": Delphi 3's keys when Delphi 3 is there, else
// Delphi 2.0's; hidden pages left out. Empty when there are none.
std::vector<std::string> ParsePalettePages(std::string_view user_reg);
// The pages of the prefix's user.reg, or the built-in list when it names none or cannot be
// read.
std::vector<std::string> ReadPalettePages(const std::filesystem::path& wine_prefix);

}  // namespace kx::store
