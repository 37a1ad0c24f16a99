// SPDX-License-Identifier: GPL-3.0-or-later
// The Delphi packages of every example and golden definition, written by kestrix-cli as a user
// would: both .dpk files read back (name, requires, contains, the files they name), the palette
// icon resource decoded by windres and its bitmap read by Qt's image reader. No Delphi is at
// hand: this shows that the packages are well formed and name what they hold, not that Delphi
// builds them.
#include <gtest/gtest.h>

#include <QImage>
#include <regex>

#include "platform/run_program.h"
#include "support/dpk_reader.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using kx::testing::CheckDpk;
using kx::testing::ReadDpk;
using kx::testing::TempDir;
using namespace std::chrono_literals;

std::vector<fs::path> Definitions() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(KX_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".cd") files.push_back(entry.path());
  }
  for (const auto& entry : fs::directory_iterator(KX_GOLDEN_DIR)) {
    if (fs::exists(entry.path() / "input.cd")) files.push_back(entry.path() / "input.cd");
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  }
  return value;
}

// The entries of a 32-bit resource file after the empty one: type and data.
std::vector<std::pair<int, std::string>> Entries(const std::string& bytes) {
  std::vector<std::pair<int, std::string>> entries;
  std::size_t at = 32;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t data_size = Read32(bytes, at);
    const std::uint32_t header_size = Read32(bytes, at + 4);
    const std::uint32_t type = Read32(bytes, at + 8);
    entries.emplace_back(static_cast<int>(type >> 16), bytes.substr(at + header_size, data_size));
    at += (header_size + data_size + 3) / 4 * 4;
  }
  return entries;
}

TEST(DelphiPackageTest, EveryExampleAndGolden) {
  const std::vector<fs::path> files = Definitions();
  ASSERT_GE(files.size(), 10U);
  TempDir dir;
  const fs::path settings = dir / "Kestrix.ini";
  int packaged = 0;
  int needs_form = 0;
  for (const fs::path& file : files) {
    const std::string name =
        file.parent_path().filename().string() + "/" + file.filename().string();
    const fs::path out = dir / name;
    const platform::RunResult run =
        platform::RunAndWait(KX_CLI,
                             {"--settings", settings.string(), "package", file.string(), "--target",
                              "delphi-xe", "-o", out.string()},
                             60s);
    // An editor that edits its value in a form needs the form named, which only the editors
    // command can; such a definition is refused with that said.
    if (run.exit_status == 1 &&
        run.output.find("no file can be chosen here") != std::string::npos) {
      ++needs_form;
      continue;
    }
    ASSERT_EQ(run.exit_status, 0) << name << ": " << run.output;
    ++packaged;
    // The path printed last, after the message on standard error.
    std::smatch printed;
    ASSERT_TRUE(std::regex_search(run.output, printed, std::regex("\n(/[^\n]*_dsgn\\.dpk)\n")))
        << name << ": " << run.output;
    const fs::path design(printed[1].str());
    ASSERT_TRUE(fs::is_regular_file(design)) << name << ": " << run.output;
    const std::string stem = design.stem().string();
    const fs::path runtime = out / (stem.substr(0, stem.size() - 5) + "_rt.dpk");
    for (const fs::path& package : {runtime, design}) {
      EXPECT_EQ(CheckDpk(package), std::vector<std::string>{}) << name;
    }
    const auto rt = ReadDpk(TempDir::Read(runtime));
    const auto dsgn = ReadDpk(TempDir::Read(design));
    ASSERT_EQ(rt.contained.size(), 1U) << name;
    EXPECT_TRUE(std::find(rt.directives.begin(), rt.directives.end(), "{$RUNONLY}") !=
                rt.directives.end())
        << name;
    EXPECT_TRUE(std::find(dsgn.directives.begin(), dsgn.directives.end(), "{$DESIGNONLY}") !=
                dsgn.directives.end())
        << name;
    EXPECT_EQ(std::vector<std::string>(rt.required.begin(), rt.required.begin() + 2),
              (std::vector<std::string>{"rtl", "vcl"}))
        << name;
    EXPECT_EQ(std::vector<std::string>(dsgn.required.end() - 2, dsgn.required.end()),
              (std::vector<std::string>{"designide", rt.name}))
        << name;
    // The packages' units are those "all --target delphi-xe" writes, which the pascal checks
    // compile with Free Pascal: the same to the byte but for the date.
    const fs::path all = dir / (name + ".all");
    ASSERT_EQ(platform::RunAndWait(KX_CLI,
                                   {"--settings", settings.string(), "--quiet", "all",
                                    file.string(), "--target", "delphi-xe", "-o", all.string()},
                                   60s)
                  .exit_status,
              0)
        << name;
    const std::regex date("\\{   on [^\n]*\n");
    for (const auto& package : {rt, dsgn}) {
      for (const auto& [unit, unit_file] : package.contained) {
        EXPECT_EQ(std::regex_replace(TempDir::Read(out / unit_file), date, ""),
                  std::regex_replace(TempDir::Read(all / unit_file), date, ""))
            << name << ": " << unit_file;
      }
    }
    // A unit of the run-time package is never also the design-time package's.
    for (const auto& [unit, unit_file] : dsgn.contained) {
      EXPECT_NE(unit, rt.contained.front().first) << name;
    }

    // The icon: windres reads it as a bitmap named after the class the registration unit
    // registers, in capitals; Qt reads that bitmap as 24 by 24 pixels.
    ASSERT_EQ(dsgn.resources.size(), 2U) << name;
    const fs::path dcr = out / dsgn.resources[1];
    const std::string registration = TempDir::Read(out / dsgn.contained.front().second);
    std::smatch registered;
    ASSERT_TRUE(std::regex_search(registration, registered, std::regex("\\[(T\\w+)\\]"))) << name;
    std::string upper = registered[1].str();
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const fs::path rc = dir / "decoded.rc";
    const platform::RunResult decoded = platform::RunAndWait(
        KX_WINDRES, {"--input-format=res", "--output-format=rc", dcr.string(), rc.string()}, 60s);
    ASSERT_EQ(decoded.exit_status, 0) << name << ": " << decoded.output;
    EXPECT_NE(TempDir::Read(rc).find("\"" + upper + "\" 2 /* RT_BITMAP */"), std::string::npos)
        << name << ": " << TempDir::Read(rc);
    const auto entries = Entries(TempDir::Read(dcr));
    ASSERT_EQ(entries.size(), 1U) << name;
    const std::string& dib = entries.front().second;
    std::string bmp = "BM";
    for (const std::uint32_t value : {static_cast<std::uint32_t>(14 + dib.size()), 0U, 54U}) {
      for (int i = 0; i < 4; ++i) bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    bmp += dib;
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bmp.data()),
                                          static_cast<int>(bmp.size()), "BMP");
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), QSize(24, 24)) << name;
    EXPECT_EQ(image.depth(), 32) << name;
  }
  EXPECT_GE(packaged, 15) << needs_form << " needed a form";
}

}  // namespace
}  // namespace kx
