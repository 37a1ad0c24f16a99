// kxrc run as the palette bitmap command runs it, its output read back by windres: the
// bitmap must come out as Windows' tools see it. windres reads only 32-bit resource files;
// the 16-bit one is decoded here by hand.
#include <gtest/gtest.h>

#include <regex>

#include "commands/palette_bitmap.h"
#include "generate/extras/palette_bitmap.h"
#include "platform/run_program.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;
using namespace std::chrono_literals;

// The bitmap as a resource: the file without its file header.
std::string PlaceholderResource() {
  return generate::PlaceholderBitmap().substr(generate::kBitmapFileHeaderSize);
}

platform::RunResult RunTool(const char* program, const std::vector<std::string>& args) {
  return platform::RunAndWait(program, args, 60s);
}

// The data of windres's rc form: DWORDs ("0x28L") and WORDs ("0x4d42"), little-endian.
std::string RcData(const std::string& rc) {
  const std::size_t begin = rc.find("\nBEGIN\n");
  const std::size_t end = rc.find("\nEND", begin);
  std::string bytes;
  if (begin == std::string::npos || end == std::string::npos) return bytes;
  const std::string block = rc.substr(begin, end - begin);
  const std::regex number("0x([0-9a-fA-F]+)(L?)");
  for (auto it = std::sregex_iterator(block.begin(), block.end(), number);
       it != std::sregex_iterator(); ++it) {
    const unsigned long value = std::stoul((*it)[1].str(), nullptr, 16);
    const int width = (*it)[2].length() != 0 ? 4 : 2;
    for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return bytes;
}

class ResourceTest : public ::testing::Test {
 protected:
  ResourceTest() {
    script_ = dir_.Write("kx$$$.rc", generate::WithCrlf(generate::WriteResourceScript("TMyButton")))
                  .string();
  }
  // windres's reading of a 32-bit resource file, as a script.
  std::string Decode(const fs::path& res) {
    const fs::path rc = dir_ / "decoded.rc";
    const platform::RunResult run = RunTool(
        KX_WINDRES, {"--input-format=res", "--output-format=rc", res.string(), rc.string()});
    EXPECT_EQ(run.exit_status, 0) << run.output;
    return TempDir::Read(rc);
  }

  TempDir dir_;
  std::string script_;
};

TEST_F(ResourceTest, A32BitFileAsWindresReadsIt) {
  const fs::path res = dir_ / "mybutton.dcr";
  const platform::RunResult run = RunTool(KX_KXRC, {"-fo" + res.string(), script_});
  ASSERT_EQ(run.exit_status, 0) << run.output;
  EXPECT_EQ(run.output, "");

  const std::string rc = Decode(res);
  EXPECT_NE(rc.find("Type: bitmap"), std::string::npos) << rc;
  EXPECT_NE(rc.find("LANGUAGE 0, 0"), std::string::npos) << rc;
  EXPECT_NE(rc.find("\"TMYBUTTON\" 2 /* RT_BITMAP */ MOVEABLE PURE DISCARDABLE\nBEGIN\n"),
            std::string::npos)
      << rc;
  EXPECT_EQ(RcData(rc), PlaceholderResource());

  // Written again by windres from what it read, the file is the same to the byte.
  const fs::path again = dir_ / "again.res";
  ASSERT_EQ(RunTool(KX_WINDRES,
                    {"--input-format=res", "--output-format=res", res.string(), again.string()})
                .exit_status,
            0);
  EXPECT_EQ(TempDir::Read(again), TempDir::Read(res));
  // And a linker would take it.
  EXPECT_EQ(RunTool(KX_WINDRES, {"--input-format=res", "-O", "coff", res.string(),
                                 (dir_ / "mybutton.o").string()})
                .exit_status,
            0);
}

TEST_F(ResourceTest, A16BitFile) {
  const fs::path res = dir_ / "mybutton16.dcr";
  const platform::RunResult run = RunTool(KX_KXRC, {"-fo" + res.string(), "-31", script_});
  ASSERT_EQ(run.exit_status, 0) << run.output;
  const std::string bytes = TempDir::Read(res);
  // Type: 0xFF and RT_BITMAP; name: zero-ended; flags MOVEABLE PURE DISCARDABLE; size.
  const std::string head = std::string("\xFF\x02\x00", 3) + "TMYBUTTON" + std::string("\0", 1) +
                           std::string("\x30\x10\x68\x06\x00\x00", 6);
  ASSERT_EQ(bytes.size(), head.size() + 1640u);
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_EQ(bytes.substr(head.size()), PlaceholderResource());
}

TEST_F(ResourceTest, TheCommandWithTheBundledCompiler) {
  model::ComponentDef def;
  def.MainInfo.UnitName = "ColorGrid";
  def.MainInfo.NewClassName = "TColorGrid";
  def.MainInfo.TargetDir = dir_.path().string() + "/";
  commands::PaletteBitmapOptions options;
  options.compiler = KX_KXRC;
  const fs::path dcr = dir_ / "colorgrid.dcr";
  dir_.Write("colorgrid.dcr", "an old bitmap");
  kx::testing::ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(
          commands::BoxKind::kConfirmation,
          "Place blank component bitmap in " + dcr.string() + "?\r\rThe file already exists.",
          commands::Answer::kYes)
      .ExpectBox(commands::BoxKind::kInformation,
                 "Component resource written to " + dcr.string() + ".");
  ASSERT_EQ(commands::GeneratePaletteBitmap(def, options, dialogs), dcr);

  const std::string rc = Decode(dcr);
  EXPECT_NE(rc.find("\"TCOLORGRID\" 2 /* RT_BITMAP */"), std::string::npos) << rc;
  EXPECT_EQ(RcData(rc), PlaceholderResource());
}

TEST_F(ResourceTest, KxrcReportsAScriptErrorAndWritesNothing) {
  const std::string bad = dir_.Write("bad.rc", "TX BITMAP\r\nBEGIN\r\n'42 4D'\r\n").string();
  const fs::path res = dir_ / "bad.res";
  platform::RunResult run = RunTool(KX_KXRC, {"-fo" + res.string(), bad});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.output,
            bad + ":4: error: expected data in apostrophes or END, found the end of the script\n");
  EXPECT_FALSE(fs::exists(res));

  run = RunTool(KX_KXRC, {"-fo", res.string(), bad});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.output.rfind("kxrc: -fo needs the output file glued to it\nUsage: kxrc", 0), 0u)
      << run.output;
}

}  // namespace
}  // namespace kx
