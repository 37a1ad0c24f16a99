// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/palette_bitmap.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "commands/palette_bitmap.h"
#include "generate/extras/resource_file.h"
#include "kxrc/resource_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using namespace std::chrono_literals;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(PlaceholderBitmapTest, WhiteWithASquareOutlineInDarkBlue) {
  const std::string& bmp = generate::PlaceholderBitmap();
  // Top row first; '#' is index 74, '.' index 255, anything else '?'.
  std::vector<std::string> picture;
  int outline = 0;
  for (std::size_t row = 0; row < 24; ++row) {
    std::string line;
    for (std::size_t column = 0; column < 24; ++column) {
      const auto index = static_cast<unsigned char>(bmp.at(1078 + (23 - row) * 24 + column));
      line += index == 74 ? '#' : index == 255 ? '.' : '?';
      outline += index == 74;
    }
    picture.push_back(line);
  }
  const std::string blank(24, '.');
  const std::string edge = "....################....";
  const std::string side = "....#..............#....";
  std::vector<std::string> expected(24, blank);
  expected[4] = expected[19] = edge;
  std::fill(expected.begin() + 5, expected.begin() + 19, side);
  EXPECT_EQ(picture, expected);
  EXPECT_EQ(outline, 60);
}

TEST(BitmapScriptTest, NameLineThenTheBytesSixteenToALine) {
  const std::vector<std::string> lines = SplitLines(generate::WriteResourceScript("TMyButton"));
  ASSERT_EQ(lines.size(), 1u + 1u + 104u + 1u);
  EXPECT_EQ(lines[0], "TMYBUTTON BITMAP ");
  EXPECT_EQ(lines[1], "BEGIN");
  // The file header: "BM", 1654 bytes, the pixels at 1078. The info header: 40 bytes, 24 by
  // 24 pixels, one plane, 8 bits a pixel, uncompressed, 576 bytes of pixels, 3790 by 3780
  // pixels a metre, every colour used and important. Then the palette: black, dark red, ...
  EXPECT_EQ(std::vector(lines.begin() + 2, lines.begin() + 6),
            (std::vector<std::string>{"    '42 4D 76 06 00 00 00 00 00 00 36 04 00 00 28 00'",
                                      "    '00 00 18 00 00 00 18 00 00 00 01 00 08 00 00 00'",
                                      "    '00 00 40 02 00 00 CE 0E 00 00 C4 0E 00 00 00 00'",
                                      "    '00 00 00 00 00 00 00 00 00 00 00 00 80 00 00 80'"}));
  EXPECT_EQ(lines[104], "    'FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF'");
  EXPECT_EQ(lines[105], "    'FF FF FF FF FF FF'");
  EXPECT_EQ(lines[106], "END");

  generate::Printer data;
  generate::WriteBitmapScript(data);
  EXPECT_EQ("TMYBUTTON BITMAP \n" + data.text(), generate::WriteResourceScript("tMyButton"));
}

// What the "ok" compiler writes: a resource file of one bitmap.
std::string Compiled(bool win16) {
  const std::vector<kxrc::BitmapResource> resources = {{"TMYBUTTON", std::nullopt, "BM", 1}};
  return win16 ? kxrc::WriteWin16Res(resources) : kxrc::WriteWin32Res(resources);
}

TEST(ResourceFileErrorTest, OnlyWholeResourceFilesOfTheKindAskedFor) {
  const std::string res32 = Compiled(false);
  const std::string res16 = Compiled(true);
  const struct {
    std::string bytes;
    bool win16;
    std::optional<std::string> error;
  } cases[] = {
      {res32, false, std::nullopt},
      {res16, true, std::nullopt},
      {res32.substr(0, res32.size() - 2), false, std::nullopt},  // the last padding may be missing
      {"", false, "an empty file"},
      {"", true, "an empty file"},
      {res32.substr(0, 32), false, "no resource in the file"},
      {res32.substr(32), false, "no resource file header"},
      {res32.substr(0, res32.size() - 4), false, "truncated resource data at offset 32"},
      {res32.substr(0, 40), false, "a truncated resource header at offset 32"},
      {res16, false, "a truncated resource header at offset 0"},
      {res16.substr(0, res16.size() - 1), true, "a truncated resource at offset 0"},
      {res16 + "\xFF", true, "a truncated resource at offset " + std::to_string(res16.size())},
      {std::string(32, '\0') + res32.substr(32), false, "a bad resource header size at offset 0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(generate::ResourceFileError(c.bytes, c.win16), c.error) << c.bytes.size();
  }
}

// The directories a command works with, and fake compilers: small shell scripts that note
// their arguments and the script they were given, and then behave as told.
class PaletteBitmapTest : public ::testing::Test {
 protected:
  PaletteBitmapTest() {
    for (const fs::path& d : {defs_, target_, elsewhere_, dir_ / "bin"}) fs::create_directories(d);
    def_.MainInfo.UnitName = "MyButton";
    def_.MainInfo.NewClassName = "TMyButton";
    def_.MainInfo.TargetDir = defs_.string() + "/";
    options_.default_target_dir = target_.string() + "/";
    dir_.Write("res16", Compiled(true));
    dir_.Write("res32", Compiled(false));
    options_.compiler = Compiler("ok", "case \" $* \" in *\" -31 \"*) cp '" +
                                           (dir_ / "res16").string() + "' \"$out\";; *) cp '" +
                                           (dir_ / "res32").string() + "' \"$out\";; esac");
    options_.busy = [this](bool busy) { busy_.push_back(busy); };
  }

  std::string Compiler(const std::string& name, const std::string& body, mode_t mode = 0755) {
    const fs::path file = dir_.Write(
        "bin/" + name,
        "#!/bin/sh\nout=\nfor a in \"$@\"; do case \"$a\" in -fo*) out=\"${a#-fo}\";; esac; "
        "script=\"$a\"; done\nprintf '%s\\n' \"$@\" > '" +
            args_file_.string() + "'\ncp \"$script\" '" + script_seen_.string() +
            "' 2>/dev/null\n" + body + "\n");
    ::chmod(file.c_str(), mode);
    return file.string();
  }

  std::vector<std::string> CompilerArgs() const {
    if (!fs::exists(args_file_)) return {};
    return SplitLines(TempDir::Read(args_file_));
  }

  static std::vector<std::string> Files(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScriptedDialogs& ExpectQuestion(const fs::path& path, Answer answer, bool exists = false) {
    return dialogs_.ExpectBox(BoxKind::kConfirmation,
                              "Place blank component bitmap in " + path.string() + "?" +
                                  (exists ? "\r\rThe file already exists." : ""),
                              answer, std::string(kPaletteBitmapCaption), Buttons::kYesNoCancel);
  }
  ScriptedDialogs& ExpectMessage(const std::string& text) {
    return dialogs_.ExpectBox(BoxKind::kInformation, text, Answer::kOk,
                              std::string(kPaletteBitmapCaption), Buttons::kOk);
  }

  std::optional<fs::path> Generate() { return GeneratePaletteBitmap(def_, options_, dialogs_); }

  TempDir dir_;
  const fs::path defs_ = dir_ / "Defs";
  const fs::path target_ = dir_ / "Target";
  const fs::path elsewhere_ = dir_ / "Else where";
  const fs::path args_file_ = dir_ / "args";
  const fs::path script_seen_ = dir_ / "script-seen";
  const fs::path dcr_ = defs_ / "mybutton.dcr";
  const fs::path script_ = defs_ / "kx$$$.rc";
  model::ComponentDef def_;
  PaletteBitmapOptions options_;
  ScriptedDialogs dialogs_;
  std::vector<bool> busy_;
};

TEST_F(PaletteBitmapTest, YesCompilesIntoTheDefinitionsDirectory) {
  for (const bool delphi16 : {false, true}) {
    fs::remove(dcr_);
    options_.delphi16 = delphi16;
    ExpectQuestion(dcr_, Answer::kYes);
    ExpectMessage("Component resource written to " + dcr_.string() + ".");
    EXPECT_EQ(Generate(), dcr_);

    EXPECT_EQ(TempDir::Read(dcr_), Compiled(delphi16));
    EXPECT_EQ(TempDir::Read(script_seen_),
              generate::WithCrlf(generate::WriteResourceScript("TMyButton")));
    // The compiler writes a hidden file beside the .dcr, which then replaces it.
    const std::vector<std::string> args = CompilerArgs();
    ASSERT_FALSE(args.empty());
    const fs::path temp = args[0].substr(3);
    EXPECT_EQ(args, CompilerArguments(temp, script_, delphi16));
    EXPECT_EQ(temp.parent_path(), defs_);
    EXPECT_TRUE(temp.filename().string().starts_with(".kx")) << temp;
    EXPECT_TRUE(temp.filename().string().ends_with("-mybutton.dcr")) << temp;
    EXPECT_EQ(Files(defs_), (std::vector<std::string>{"mybutton.dcr"})) << "the script is removed";
    EXPECT_EQ(busy_, (std::vector<bool>{true, false}));
    busy_.clear();
  }
}

TEST_F(PaletteBitmapTest, AnExistingFileIsNamedInTheQuestionAndReplaced) {
  dir_.Write("Defs/mybutton.dcr", "old dcr");
  ::chmod(dcr_.c_str(), 0600);
  ExpectQuestion(dcr_, Answer::kYes, true);
  ExpectMessage("Component resource written to " + dcr_.string() + ".");
  EXPECT_EQ(Generate(), dcr_);
  EXPECT_EQ(TempDir::Read(dcr_), Compiled(false));
  EXPECT_EQ(fs::status(dcr_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(PaletteBitmapTest, TheQuestionIsCutAt350Characters) {
  def_.MainInfo.TargetDir = "";
  options_.default_target_dir =
      (dir_ / std::string(200, 'd') / std::string(100, 'e')).string() + "/";
  const std::string question =
      "Place blank component bitmap in " + options_.default_target_dir + "mybutton.dcr?";
  ASSERT_GT(question.size(), 350u);
  dialogs_.ExpectBox(BoxKind::kConfirmation, question.substr(0, 350), Answer::kCancel);
  EXPECT_FALSE(Generate());
}

TEST_F(PaletteBitmapTest, CancellingCreatesNothing) {
  ExpectQuestion(dcr_, Answer::kCancel);
  EXPECT_FALSE(Generate());
  ExpectQuestion(dcr_, Answer::kNo);
  dialogs_.ExpectSaveFile(std::nullopt);
  EXPECT_FALSE(Generate());
  ASSERT_EQ(dialogs_.file_requests().size(), 1u);
  const FileDialogRequest& request = dialogs_.file_requests()[0];
  EXPECT_EQ(request.title, "Name of resource file to generate");
  EXPECT_EQ(request.filter, "Resource files (*.dcr)|*.dcr|All files (*.*)|*.*");
  EXPECT_EQ(request.default_ext, "dcr");
  EXPECT_EQ(request.file_name, "mybutton.dcr");
  EXPECT_EQ(request.initial_dir, fs::path(target_.string() + "/"))
      << "the default target directory";
  EXPECT_TRUE(Files(defs_).empty());
  EXPECT_TRUE(CompilerArgs().empty());
  EXPECT_TRUE(busy_.empty());
}

// The script goes beside the output, not into the definition's directory, which is whatever
// folder the file names.
TEST_F(PaletteBitmapTest, AnOutputChosenInTheSaveDialogOrGivenAsOutputPath) {
  const fs::path chosen = elsewhere_ / "Chosen.dcr";
  ExpectQuestion(dcr_, Answer::kNo);
  dialogs_.ExpectSaveFile(chosen);
  ExpectMessage("Component resource written to " + chosen.string() + ".");
  EXPECT_EQ(Generate(), chosen);
  EXPECT_EQ(CompilerArgs().back(), (elsewhere_ / "kx$$$.rc").string());
  EXPECT_EQ(Files(elsewhere_), std::vector<std::string>{"Chosen.dcr"});

  options_.output_path = elsewhere_ / "x.dcr";  // asks nothing
  ExpectMessage("Component resource written to " + options_.output_path->string() + ".");
  EXPECT_EQ(Generate(), options_.output_path);
  EXPECT_EQ(TempDir::Read(*options_.output_path), Compiled(false));
  EXPECT_TRUE(Files(defs_).empty());
}

TEST_F(PaletteBitmapTest, AFolderThatTakesNoFileStopsTheCommandFirst) {
  options_.compiler = (dir_ / "bin" / "none").string();
  def_.MainInfo.TargetDir = (dir_ / "missing").string() + "/";
  const fs::path dcr = dir_ / "missing" / "mybutton.dcr";
  ExpectQuestion(dcr, Answer::kYes);
  ExpectMessage("Could not open " + dcr.string());
  EXPECT_FALSE(Generate());
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

TEST_F(PaletteBitmapTest, AMissingCompilerIsNamed) {
  options_.compiler = (dir_ / "bin" / "Brcc32").string();
  ExpectQuestion(dcr_, Answer::kYes);
  ExpectMessage("Resource compiler " + options_.compiler +
                " not found.  Use Options|Resource compiler path to locate it.");
  EXPECT_FALSE(Generate());
  EXPECT_TRUE(Files(defs_).empty()) << "neither the .dcr nor the script";
}

TEST_F(PaletteBitmapTest, AScriptThatCannotBeWritten) {
  options_.output_path = elsewhere_ / "x.dcr";
  const fs::path script = elsewhere_ / "kx$$$.rc";
  fs::create_directory(script);
  ExpectMessage("Could not open " + script.string());
  ExpectMessage("Could not write temporary resource file " + script.string() + ".");
  EXPECT_FALSE(Generate());
  EXPECT_EQ(Files(elsewhere_), std::vector<std::string>{"kx$$$.rc"});
  EXPECT_TRUE(CompilerArgs().empty());
}

TEST_F(PaletteBitmapTest, AFailingCompilerLeavesTheDcrAsItWasAndShowsWhy) {
  const struct {
    const char* name;
    const char* body;
    mode_t mode;
    const char* reason;
    const char* output;
  } cases[] = {
      {"fails", "printf 'partial' > \"$out\"; echo 'kx$$$.rc:3: error: expected BEGIN' >&2; exit 1",
       0755, "the resource compiler ended with exit status 1", "kx$$$.rc:3: error: expected BEGIN"},
      {"writes-nothing", "echo 'nothing to do'", 0755, "the resource compiler wrote no file",
       "nothing to do"},
      {"hangs", "printf 'partial' > \"$out\"; echo working; sleep 30", 0755,
       "the resource compiler did not finish within 1500 milliseconds", "working"},
      {"killed", "printf 'partial' > \"$out\"; kill -KILL $$", 0755,
       "the resource compiler was ended by signal 9", ""},
      {"not-executable", "", 0644, "WinExec error 5", ""},
      {"empty", ": > \"$out\"", 0755, "the resource compiler wrote no resource file: an empty file",
       ""},
      {"garbage", "printf 'MZ garbage' > \"$out\"", 0755,
       "the resource compiler wrote no resource file: a truncated resource header at offset 0", ""},
      {"no-program", nullptr, 0755, "WinExec error 11", ""},  // a file that is no program
  };
  options_.timeout = 1500ms;
  for (const auto& c : cases) {
    dir_.Write("Defs/mybutton.dcr", "old dcr");
    options_.compiler = c.body ? Compiler(c.name, c.body, c.mode)
                               : dir_.Write("bin/" + std::string(c.name), "garbage\n").string();
    ::chmod(options_.compiler.c_str(), c.mode);
    ExpectQuestion(dcr_, Answer::kYes, true);
    ExpectMessage("Error while writing component resource to " + dcr_.string() + " (" + c.reason +
                  ")" + (*c.output != '\0' ? std::string("\r\r") + c.output : ""));
    EXPECT_FALSE(Generate()) << c.name;
    EXPECT_EQ(TempDir::Read(dcr_), "old dcr") << c.name;
    EXPECT_EQ(Files(defs_), (std::vector<std::string>{"kx$$$.rc", "mybutton.dcr"}))
        << c.name << ": the compiler's file is removed";
  }
}

TEST_F(PaletteBitmapTest, UnitNamesThatAreNoIdentifiersAreRefused) {
  for (const char* name : {"../evil", "", "My Unit", "9lives", "a/b"}) {
    def_.MainInfo.UnitName = name;
    dialogs_.ExpectBox(BoxKind::kError,
                       "The unit name \"" + std::string(name) +
                           "\" is not a valid Pascal identifier, so no component bitmap was "
                           "written.",
                       Answer::kOk, std::string(kPaletteBitmapCaption));
    EXPECT_FALSE(Generate());
  }
  EXPECT_TRUE(Files(defs_).empty());
}

TEST(PaletteBitmapOptionsTest, TheCompilerOfTheDelphiVersionInUse) {
  store::Settings settings;
  settings.compiler16 = "/opt/brcc";
  settings.compiler32 = "/opt/brcc32";
  settings.pascal_code_dir = "/src/";
  for (const bool delphi16 : {false, true}) {
    settings.using_delphi16 = delphi16;
    const PaletteBitmapOptions options = PaletteBitmapOptionsFrom(settings);
    EXPECT_EQ(options.compiler, delphi16 ? "/opt/brcc" : "/opt/brcc32");
    EXPECT_EQ(options.delphi16, delphi16);
    EXPECT_EQ(options.default_target_dir, "/src/");
  }
  EXPECT_EQ(CompilerArguments("/a b/x.dcr", "/d/kx$$$.rc", true),
            (std::vector<std::string>{"-fo/a b/x.dcr", "-31", "/d/kx$$$.rc"}));
}

class BitmapCliTest : public PaletteBitmapTest {
 protected:
  BitmapCliTest() {
    dir_.Write("Kestrix.ini", "[Resources]\r\nCompiler32=" + options_.compiler + "\r\n");
    definition_ = dir_.Write("Defs/mybutton.cd",
                             "[MAININFO$]\r\nUnitName=MyButton\r\n"
                             "NewClassName=TMyButton\r\nTargetDir=" +
                                 defs_.string() + "/\r\n[ITEMLIST$]\r\nGo=Method\r\n");
  }
  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", (dir_ / "Kestrix.ini").string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  fs::path definition_;
};

TEST_F(BitmapCliTest, AsksOnlyBeforeReplacingAnExistingFile) {
  Result r = Run({"bitmap", definition_.string()});
  EXPECT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  EXPECT_EQ(r.out, dcr_.string() + "\n");
  EXPECT_EQ(r.err, "kestrix-cli: Component resource written to " + dcr_.string() + ".\n");
  EXPECT_EQ(TempDir::Read(dcr_), Compiled(false));

  dir_.Write("Defs/mybutton.dcr", "old");
  const std::string stopped = "kestrix-cli: Place blank component bitmap in " + dcr_.string() +
                              "?\n  The file already exists. -> No\n"
                              "kestrix-cli: bitmap: stopped by the answer No; --yes answers Yes\n";
  r = Run({"bitmap", definition_.string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, stopped);
  EXPECT_EQ(TempDir::Read(dcr_), "old");
  r = Run({"--quiet", "bitmap", definition_.string()});
  EXPECT_EQ(r.err, stopped) << "quiet, the question that stopped the command is still shown";

  r = Run({"--yes", "bitmap", definition_.string()});
  EXPECT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  EXPECT_EQ(TempDir::Read(dcr_), Compiled(false));

  const fs::path chosen = elsewhere_ / "new" / "chosen.dcr";
  r = Run({"bitmap", definition_.string(), "-o", chosen.string()});
  EXPECT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  EXPECT_EQ(r.err.find("Place"), std::string::npos) << "-o asks nothing";
  EXPECT_EQ(r.out, chosen.string() + "\n");
  EXPECT_EQ(TempDir::Read(chosen), Compiled(false)) << "the folder of -o is made";
}

}  // namespace
}  // namespace kx::commands
