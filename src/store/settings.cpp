// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/settings.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>

#ifndef KX_MANUAL_FROM_BINDIR
#define KX_MANUAL_FROM_BINDIR "../share/doc/kestrix/help"
#endif

#include "model/text.h"
#include "model/types.h"
#include "platform/atomic_file.h"
#include "platform/run_program.h"
#include "store/ext_ini_file.h"
#include "store/profile_store.h"

namespace kx::store {

namespace {

namespace fs = std::filesystem;
using model::SameText;
using model::UpperCase;

// A Wine prefix's user.reg grows with every program installed in it; this is far beyond any.
constexpr std::uintmax_t kMaxUserRegBytes = std::uintmax_t{64} << 20;
constexpr std::uintmax_t kMaxUserDirsBytes = std::uintmax_t{1} << 20;

// The manual where the installation puts it, relative to the program's folder.
fs::path InstalledManualDir(const fs::path& exe_dir) {
  return (exe_dir / KX_MANUAL_FROM_BINDIR).lexically_normal();
}

bool IsWritableDirectory(const fs::path& dir) {
  std::error_code error;
  if (!fs::is_directory(dir, error)) return false;
  // access() asks the kernel, which knows read-only mounts and access lists, without
  // leaving a trace in a folder that may not be ours.
  return ::access(dir.c_str(), W_OK) == 0;
}

// Wine keeps the case of names as installers wrote them ("BIN", "MULTIHLP.INI"), and Windows
// never cared; so each part of relative is matched in any case.
std::optional<fs::path> FindIgnoringCase(fs::path dir, std::string_view relative) {
  for (std::size_t start = 0; start <= relative.size();) {
    const std::size_t slash = std::min(relative.find('/', start), relative.size());
    const std::string part(relative.substr(start, slash - start));
    start = slash + 1;
    std::error_code error;
    if (fs::exists(dir / part, error)) {
      dir /= part;
      continue;
    }
    std::optional<fs::path> match;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
      if (SameText(it->path().filename().string(), part)) {
        match = it->path();
        break;
      }
    }
    if (!match) return std::nullopt;
    dir = *match;
  }
  return dir;
}

// Files of Delphi's that this program only looks into: when one cannot be read, it is as if
// it were not there.
Profile ReadProfileIfReadable(const std::optional<fs::path>& file) {
  Profile profile;
  if (file && !ReadProfile(*file, profile).ok()) return {};
  return profile;
}

// A folder from MultiHlp.Ini, in Windows' own notation.
std::string HelpIndexPath(const Profile& index, std::string_view key) {
  std::string dir = index.ReadString("Index Path", key, "");
  if (dir.empty()) dir = "c:\\delphi\\bin";
  if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
  return dir;
}

char CodeUnitToByte(unsigned code) {
  // Wine writes characters beyond ASCII as UTF-16 code units; up to 0xFF they are the
  // Windows-1252 letters, anything beyond cannot be held by the model's text.
  return code <= 0xFF ? static_cast<char>(code) : '?';
}

int DigitValue(char c, int base) {
  int value = base;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The escaped text of user.reg from pos up to the unescaped terminator, with pos moved after
// it; nothing when the line ends first.
std::optional<std::string> ReadRegString(std::string_view line, std::size_t& pos, char terminator) {
  std::string text;
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == terminator) return text;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (pos == line.size()) break;
    c = line[pos++];
    const std::string_view letters = "abtnvfre";
    const std::string_view controls = "\a\b\t\n\v\f\r\x1b";
    if (const std::size_t letter = letters.find(c); letter != std::string_view::npos) {
      text += controls[letter];
    } else if (c == 'x' || DigitValue(c, 8) >= 0) {
      // \x with up to four hex digits, or up to three octal digits.
      const int base = c == 'x' ? 16 : 8;
      const int max_digits = c == 'x' ? 4 : 3;
      unsigned code = 0;
      int digits = 0;
      if (c != 'x') {
        code = static_cast<unsigned>(DigitValue(c, 8));
        digits = 1;
      }
      for (; digits < max_digits && pos < line.size() && DigitValue(line[pos], base) >= 0;
           ++digits) {
        code = code * static_cast<unsigned>(base) +
               static_cast<unsigned>(DigitValue(line[pos++], base));
      }
      text += digits == 0 ? 'x' : CodeUnitToByte(code);
    } else {
      text += c;
    }
  }
  return std::nullopt;
}

bool IsKeyOrBelow(std::string_view key, std::string_view ancestor) {
  return SameText(key, ancestor) || model::StartsWithText(key, std::string(ancestor) + "\\");
}

// A copy that keeps its settings and files in its own folder: one that can write there and is
// not installed. An installation into ~/.local has a writable bin folder all the same, and
// settings or definitions there would be mixed with other programs.
bool IsPortable(const fs::path& exe_dir) {
  std::error_code error;
  const bool installed = !fs::exists(exe_dir / "docs" / "help" / "index.html", error) &&
                         fs::exists(InstalledManualDir(exe_dir) / "index.html", error);
  return !installed && IsWritableDirectory(exe_dir);
}

}  // namespace

Environment ReadEnvironment() {
  auto get = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  return {get("HOME"), get("XDG_CONFIG_HOME"), get("WINEPREFIX"), get("PATH")};
}

fs::path DefaultSettingsPath(const fs::path& exe_dir, const Environment& env) {
  // Without a home there is nowhere better than beside the program, writable or not.
  if (IsPortable(exe_dir) || (env.home.empty() && env.xdg_config_home.empty())) {
    return exe_dir / kSettingsFileName;
  }
  // XDG base directories must be absolute; a relative one is ignored.
  const fs::path config = fs::path(env.xdg_config_home).is_absolute()
                              ? fs::path(env.xdg_config_home)
                              : fs::path(env.home) / ".config";
  return config / "kestrix" / kSettingsFileName;
}

fs::path DefaultWorkDirectory(const Environment& env) {
  std::error_code error;
  if (env.home.empty()) return fs::current_path(error);
  const fs::path home(env.home);
  const fs::path config = fs::path(env.xdg_config_home).is_absolute()
                              ? fs::path(env.xdg_config_home)
                              : home / ".config";
  // user-dirs.dirs holds shell assignments: XDG_DOCUMENTS_DIR="$HOME/Documents".
  std::string dirs;
  if (!platform::ReadWholeFile(config / "user-dirs.dirs", dirs, kMaxUserDirsBytes)) {
    LineReader reader(dirs);
    std::string_view line;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    while (reader.Next(line)) {
      if (!line.starts_with(kKey)) continue;
      std::string_view value = line.substr(kKey.size());
      value = value.substr(0, value.find('"'));
      fs::path documents;
      if (value.starts_with("$HOME/")) {
        documents = home / value.substr(6);
      } else if (value.starts_with('/')) {
        documents = value;
      }
      // "$HOME/" alone means the documents are the home folder itself.
      if (!documents.empty() || value == "$HOME" || value == "$HOME/") {
        return documents.empty() ? home : documents.lexically_normal();
      }
    }
  }
  return fs::is_directory(home / "Documents", error) ? home / "Documents" : home;
}

fs::path ManualDir(const fs::path& exe_dir) {
  std::error_code error;
  const fs::path beside = exe_dir / "docs" / "help";
  if (fs::exists(beside / "index.html", error)) return beside;
  const fs::path installed = InstalledManualDir(exe_dir);
  return fs::exists(installed / "index.html", error) ? installed : beside;
}

fs::path WinePrefix(const Environment& env) {
  return env.wine_prefix.empty() ? fs::path(env.home) / ".wine" : fs::path(env.wine_prefix);
}

std::string AsDirectory(std::string_view dir) {
  std::string result(dir);
  if (!result.empty() && result.back() != '/') result += '/';
  return result;
}

ProfileStatus LoadSettings(Settings& loaded, const fs::path& settings_file, const fs::path& exe_dir,
                           const platform::Clock& clock, const Environment& env) {
  Profile profile;
  if (ProfileStatus read = ReadProfile(settings_file, profile); !read.ok()) return read;
  Settings settings;
  settings.file = settings_file;
  settings.exe_dir = exe_dir;
  settings.help_file = ManualDir(exe_dir) / "index.html";

  const std::string default_dir = AsDirectory(DefaultWorkDirectory(env).string());
  auto read_directory = [&](std::string_view key) {
    // An empty value would make the root folder the default; the default folder is meant.
    const std::string dir = profile.ReadString(kDirectoriesSection, key, "");
    return dir.empty() ? default_dir : AsDirectory(dir);
  };
  settings.definitions_dir = read_directory(kDefinitionsKey);
  settings.pascal_code_dir = read_directory(kPascalCodeKey);
  settings.pascal_code_dir_chosen =
      !profile.ReadString(kDirectoriesSection, kPascalCodeKey, "").empty();

  settings.full_comments = profile.ReadBool(kOtherSection, kFullCommentsKey, true);
  settings.using_delphi16 = profile.ReadBool(kOtherSection, kUsingDelphi16Key, false);
  settings.copyright = profile.ReadString(kOtherSection, kCopyrightKey,
                                          model::CopyrightLines(clock.Now().year).front());
  settings.codeview = profile.ReadInteger(kOtherSection, kCodeviewKey, kCodeviewAlways);
  if (settings.codeview < kCodeviewAsk || settings.codeview > kCodeviewNever) {
    settings.codeview = kCodeviewAlways;
  }
  settings.target = model::ParseCodeTarget(profile.ReadString(kOtherSection, kTargetKey, ""))
                        .value_or(model::CodeTarget::kDelphi);
  const std::string bundled_compiler =
      platform::FindBundledProgram(kBundledCompilerName, exe_dir, env.path).string();
  settings.compiler16 = profile.ReadString(kResourcesSection, kCompiler16Key, bundled_compiler);
  settings.compiler32 = profile.ReadString(kResourcesSection, kCompiler32Key, bundled_compiler);
  settings.help_url = profile.ReadString(kHelpFilesSection, kKeywordUrlKey, "");
  settings.window_geometry = profile.ReadString(kWindowSection, kGeometryKey, "");
  settings.print_font = profile.ReadString(kPrintSection, kPrintFontKey, settings.print_font);
  settings.print_font_size =
      profile.ReadInteger(kPrintSection, kPrintFontSizeKey, settings.print_font_size);
  loaded = std::move(settings);
  return {};
}

ProfileStatus LoadProgramSettings(Settings& settings, const std::optional<fs::path>& named_file,
                                  const fs::path& exe_dir, const platform::Clock& clock,
                                  const Environment& env) {
  ProfileStatus status = LoadSettings(
      settings, named_file ? *named_file : DefaultSettingsPath(exe_dir, env), exe_dir, clock, env);
  if (!status.ok()) return status;
  return ChooseHelpFiles(settings, WinePrefix(env));
}

ProfileStatus ChooseHelpFiles(Settings& settings, const fs::path& wine_prefix) {
  if (settings.using_delphi16) {
    Profile profile;
    if (ProfileStatus read = ReadProfile(settings.file, profile); !read.ok()) return read;
    settings.delphi_help = profile.ReadString(kHelpFilesSection, kDelphiHelpKey, "");
    settings.cwg_help = profile.ReadString(kHelpFilesSection, kCwgHelpKey, "");
    if (settings.delphi_help.empty() || settings.cwg_help.empty()) {
      const Profile index =
          ReadProfileIfReadable(FindIgnoringCase(wine_prefix, "drive_c/windows/MultiHlp.Ini"));
      settings.delphi_help = HelpIndexPath(index, "DELPHI.HLP") + "DELPHI.HLP";
      settings.cwg_help = HelpIndexPath(index, "CWG.HLP") + "CWG.HLP";
    }
    return {};
  }
  const bool delphi3 =
      FindIgnoringCase(wine_prefix, "drive_c/Program Files/Borland/Delphi 3.0/Bin/Delphi32.exe") ||
      FindIgnoringCase(wine_prefix, "drive_c/Program Files/Borland/Delphi 3/Bin/Delphi32.exe");
  settings.delphi_help = delphi3 ? "DELPHI3.HLP" : "DELPHI.HLP";
  settings.cwg_help = "CWG.HLP";
  settings.vcl_help = delphi3 ? "VCL3.HLP" : "VCL.HLP";
  return {};
}

HelpTopic ClassHelpTopic(std::string_view class_name, bool using_delphi16) {
  const std::string name = UpperCase(class_name);
  if (name == "TNEWTHREAD" || name == "TSHARINGTHREAD" || name == "TRESOURCEFLAG") {
    return {HelpFile::kThreads, HelpAction::kContents, "", 0};
  }
  if (name == "TRZBUSINESSCOMPONENT") {
    return {HelpFile::kProduct, HelpAction::kContext, "", kBusinessComponentHelpContext};
  }
  // The component writer's guide covers the abstract bases; Delphi's help the rest.
  const bool writers_class = name.find("TCUSTOM") != std::string::npos || name == "TWINCONTROL" ||
                             name == "TCOMPONENT" || name == "TGRAPHICCONTROL" ||
                             name == "TCOMMONDIALOG";
  return {writers_class ? HelpFile::kCwg : HelpFile::kDelphi, HelpAction::kKeyword,
          std::string(class_name) + (using_delphi16 ? "" : " component"), 0};
}

HelpTopic VclHelpTopic(std::string_view keyword, bool using_delphi16) {
  if (using_delphi16) {
    return {HelpFile::kDelphi, HelpAction::kKeyword,
            keyword.empty() ? std::string("VCL") : std::string(keyword), 0};
  }
  return {HelpFile::kVcl, HelpAction::kKeyword, std::string(keyword), 0};
}

const std::vector<std::string>& BuiltInPalettePages() {
  static const std::vector<std::string> pages = {
      "Additional", "Data Access", "Data Controls", "Dialogs", "Internet", "Samples",
      "Standard",   "System",      "Win 3.1",       "Win32",   "Win95"};
  return pages;
}

std::vector<std::string> ParsePalettePages(std::string_view user_reg) {
  constexpr std::string_view kDelphi3 = "Software\\Borland\\Delphi\\3.0";
  constexpr std::string_view kDelphi3Palette = "Software\\Borland\\Delphi\\3.0\\Palette";
  constexpr std::string_view kDelphi2Palette =
      "Software\\Borland\\Delphi\\2.0\\cmplib32.dcl.Palette";
  // Delphi 3's key decides as soon as it exists, even without a palette below it.
  bool delphi3 = false;
  std::vector<std::string> delphi3_pages;
  std::vector<std::string> delphi2_pages;
  std::vector<std::string>* pages = nullptr;  // where the current key's values go

  LineReader reader(user_reg);
  std::string_view line;
  while (reader.Next(line)) {
    std::size_t pos = 1;
    if (line.starts_with('[')) {
      const std::optional<std::string> key = ReadRegString(line, pos, ']');
      pages = nullptr;
      if (!key) continue;
      delphi3 = delphi3 || IsKeyOrBelow(*key, kDelphi3);
      if (SameText(*key, kDelphi3Palette)) pages = &delphi3_pages;
      if (SameText(*key, kDelphi2Palette)) pages = &delphi2_pages;
    } else if (line.starts_with('"') && pages != nullptr) {
      const std::optional<std::string> name = ReadRegString(line, pos, '"');
      if (!name || pos >= line.size() || line[pos] != '=') continue;
      // Delphi's values were read as "name=value" lines, and the page is what precedes the
      // first "=".
      std::string page = name->substr(0, name->find('='));
      if (!page.empty() && UpperCase(page).find(".HIDDEN") == std::string::npos) {
        pages->push_back(std::move(page));
      }
    }
  }
  return delphi3 ? delphi3_pages : delphi2_pages;
}

std::vector<std::string> ReadPalettePages(const fs::path& wine_prefix) {
  std::string user_reg;
  if (platform::ReadWholeFile(wine_prefix / "user.reg", user_reg, kMaxUserRegBytes)) {
    return BuiltInPalettePages();
  }
  std::vector<std::string> pages = ParsePalettePages(user_reg);
  return pages.empty() ? BuiltInPalettePages() : pages;
}

}  // namespace kx::store
