// SPDX-License-Identifier: GPL-3.0-or-later
// The palette bitmap command run with kxrc, its output read back by windres: the bitmap must
// come out as Windows' tools see it. windres reads only 32-bit resource files;
// the 16-bit one is decoded here by hand. Every 32-bit file Kestrix writes, the Lazarus
// package's icons included, must also be one that Free Pascal's fpcres links.
#include <gtest/gtest.h>

#include <regex>

#include "commands/palette_bitmap.h"
#include "generate/extras/palette_bitmap.h"
#include "generate/extras/palette_icon.h"
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
  // The palette bitmap command with the bundled compiler; the file it wrote.
  std::string Generate(bool delphi16) {
    model::ComponentDef def;
    def.MainInfo.UnitName = "ColorGrid";
    def.MainInfo.NewClassName = "TColorGrid";
    def.MainInfo.TargetDir = dir_.path().string() + "/";
    commands::PaletteBitmapOptions options;
    options.compiler = KX_KXRC;
    options.delphi16 = delphi16;
    kx::testing::ScriptedDialogs dialogs;
    dialogs
        .ExpectBox(commands::BoxKind::kConfirmation,
                   "Place blank component bitmap in " + dcr_.string() + "?", commands::Answer::kYes)
        .ExpectBox(commands::BoxKind::kInformation,
                   "Component resource written to " + dcr_.string() + ".");
    EXPECT_EQ(commands::GeneratePaletteBitmap(def, options, dialogs), dcr_);
    return TempDir::Read(dcr_);
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
  const fs::path dcr_ = dir_ / "colorgrid.dcr";
};

TEST_F(ResourceTest, A32BitFileAsWindresReadsIt) {
  Generate(false);
  const std::string rc = Decode(dcr_);
  EXPECT_NE(rc.find("Type: bitmap"), std::string::npos) << rc;
  EXPECT_NE(rc.find("LANGUAGE 0, 0"), std::string::npos) << rc;
  EXPECT_NE(rc.find("\"TCOLORGRID\" 2 /* RT_BITMAP */ MOVEABLE PURE DISCARDABLE\nBEGIN\n"),
            std::string::npos)
      << rc;
  EXPECT_EQ(RcData(rc), PlaceholderResource());

  // Written again by windres from what it read, the file is the same to the byte.
  const fs::path again = dir_ / "again.res";
  ASSERT_EQ(RunTool(KX_WINDRES,
                    {"--input-format=res", "--output-format=res", dcr_.string(), again.string()})
                .exit_status,
            0);
  EXPECT_EQ(TempDir::Read(again), TempDir::Read(dcr_));
  // And a linker would take it.
  EXPECT_EQ(RunTool(KX_WINDRES, {"--input-format=res", "-O", "coff", dcr_.string(),
                                 (dir_ / "colorgrid.o").string()})
                .exit_status,
            0);
}

TEST_F(ResourceTest, FreePascalLinksEvery32BitFile) {
  if (std::string_view(KX_FPCRES).empty()) GTEST_SKIP() << "fpcres not found";
  const generate::Picture picture = *generate::ReadBitmap(generate::PlaceholderBitmap());
  Generate(false);
  const struct {
    std::string name;
    fs::path file;
  } cases[] = {
      {"palette bitmap", dcr_},
      {"package icons",
       dir_.Write("icons.res", generate::WriteIconResource("TColorGrid", picture))},
      {"package icon from a PNG file",
       dir_.Write("png.res",
                  generate::WriteIconResourceFromPng("TColorGrid", generate::WritePng(picture)))},
  };
  for (const auto& c : cases) {
    const platform::RunResult run =
        RunTool(KX_FPCRES, {"-of", "elf", "-o", (dir_ / "linked.o").string(), c.file.string()});
    EXPECT_EQ(run.exit_status, 0) << c.name << ": " << run.output;
  }
}

TEST_F(ResourceTest, A16BitFile) {
  const std::string bytes = Generate(true);
  // Type: 0xFF and RT_BITMAP; name: zero-ended; flags MOVEABLE PURE DISCARDABLE; size.
  const std::string head = std::string("\xFF\x02\x00", 3) + "TCOLORGRID" + std::string("\0", 1) +
                           std::string("\x30\x10\x68\x06\x00\x00", 6);
  ASSERT_EQ(bytes.size(), head.size() + 1640u);
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_EQ(bytes.substr(head.size()), PlaceholderResource());
}

TEST_F(ResourceTest, KxrcReportsAScriptErrorAndWritesNothing) {
  const std::string bad = dir_.Write("bad.rc", "TX BITMAP\r\nBEGIN\r\n'42 4D'\r\n").string();
  const fs::path res = dir_ / "bad.res";
  const platform::RunResult run = RunTool(KX_KXRC, {"-fo" + res.string(), bad});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.output,
            bad + ":4: error: expected data in apostrophes or END, found the end of the script\n");
  EXPECT_FALSE(fs::exists(res));
}

}  // namespace
}  // namespace kx
