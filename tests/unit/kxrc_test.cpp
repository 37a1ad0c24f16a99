// SPDX-License-Identifier: GPL-3.0-or-later
#include "kxrc/kxrc.h"

#include <gtest/gtest.h>

#include <sstream>

#include "generate/extras/palette_bitmap.h"
#include "kxrc/resource_file.h"
#include "kxrc/resource_script.h"
#include "support/temp_dir.h"

namespace kx::kxrc {
namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;

// "42 4D ..." as bytes.
std::string Bytes(std::string_view hex) {
  std::string bytes;
  std::istringstream in{std::string(hex)};
  unsigned value = 0;
  while (in >> std::hex >> value) bytes += static_cast<char>(value);
  return bytes;
}

// The smallest bitmap file the reader takes: a file header and a 12-byte core header.
constexpr std::string_view kTinyFile = "42 4D 1A 00 00 00 00 00 00 00 1A 00 00 00";
constexpr std::string_view kTinyInfo = "0C 00 00 00 01 00 01 00 01 00 01 00";

std::string TinyScript(std::string_view name, std::string_view eol = "\r\n") {
  const std::string e(eol);
  return std::string(name) + " BITMAP " + e + "BEGIN" + e + "    '" + std::string(kTinyFile) + "'" +
         e + "    '" + std::string(kTinyInfo) + "'" + e + "END" + e;
}

TEST(ResourceScriptTest, ReadsWhatTheCommandWrites) {
  const ParsedScript parsed =
      ParseResourceScript(generate::WithCrlf(generate::WriteResourceScript("TMyButton")));
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.resources.size(), 1u);
  EXPECT_EQ(parsed.resources[0].name, "TMYBUTTON");
  EXPECT_FALSE(parsed.resources[0].id);
  EXPECT_EQ(parsed.resources[0].data,
            generate::PlaceholderBitmap().substr(generate::kBitmapFileHeaderSize));
}

TEST(ResourceScriptTest, OddButValidScripts) {
  // Each resource as its name, and "#" and its id for a name of digits.
  const struct {
    std::string script;
    std::vector<std::string> names;
  } cases[] = {
      {TinyScript("TX"), {"TX"}},
      {TinyScript("TX", "\n"), {"TX"}},
      {TinyScript("TX", "\r"), {"TX"}},
      {TinyScript("tMy_Button", "\n"), {"TMY_BUTTON"}},
      {"", {}},
      {"\r\n\n\r  \t\r\n", {}},
      {"\n\n  tx\tbitmap\n\n begin\n'" + std::string(kTinyFile) + "'   '" + std::string(kTinyInfo) +
           "'\n\n  end",
       {"TX"}},
      {"TX Bitmap Begin '" + std::string(kTinyFile) + " " + std::string(kTinyInfo) + "' End",
       {"TX"}},
      {"TX BITMAP\nBEGIN\n'42 4d 1a 00 00 00 00 00' '' '00 00 1a 00 00 00'\n'" +
           std::string(kTinyInfo) + "'\nEND\n",
       {"TX"}},
      {TinyScript("A") + TinyScript("B-2") + TinyScript("c.d"), {"A", "B-2", "C.D"}},
      {TinyScript("0042") + TinyScript("65535"), {"#42", "#65535"}},
  };
  for (const auto& c : cases) {
    const ParsedScript parsed = ParseResourceScript(c.script);
    ASSERT_FALSE(parsed.error) << c.script << "\n" << parsed.error->message;
    std::vector<std::string> names;
    for (const BitmapResource& resource : parsed.resources) {
      names.push_back(resource.name + (resource.id ? "#" + std::to_string(*resource.id) : ""));
      EXPECT_EQ(resource.data, Bytes(kTinyInfo));
    }
    EXPECT_EQ(names, c.names) << c.script;
  }
}

TEST(ResourceScriptTest, ErrorsNameTheirLine) {
  const std::string file = "'" + std::string(kTinyFile) + "'";
  const std::string info = "'" + std::string(kTinyInfo) + "'";
  const std::string body = "BEGIN\n" + file + "\n" + info + "\nEND\n";
  const struct {
    std::string script;
    int line;
    std::string message;
  } cases[] = {
      {"TX ICON\n" + body, 1, "expected BITMAP after the resource name, found 'ICON'"},
      {"TX\n\nBITMAP \"tx.bmp\"\n", 3, "expected BEGIN, found '\"tx.bmp\"'"},
      {"TX BITMAP\n" + file + "\n", 2, "expected BEGIN, found data in apostrophes"},
      {"TX BITMAP\nBEGIN\n" + file + "\n" + info + "\n", 5,
       "expected data in apostrophes or END, found the end of the script"},
      {"TX BITMAP\rBEGIN\r" + file + "\rFF\r", 4,
       "expected data in apostrophes or END, found 'FF'"},
      {"TX BITMAP\r\nBEGIN\r\n'42 4G'\r\nEND\r\n", 3,
       "'4G' is not a byte of two hexadecimal digits"},
      {"TX BITMAP\nBEGIN\n'42 4D 1'\nEND\n", 3, "'1' is not a byte of two hexadecimal digits"},
      {"TX BITMAP\nBEGIN\n'424D'\nEND\n", 3, "'424D' is not a byte of two hexadecimal digits"},
      {"TX BITMAP\nBEGIN\n\n'42 4D\nEND\n", 4, "the data has no closing apostrophe on its line"},
      {info + "\n", 1, "expected a resource name, found data in apostrophes"},
      {"T\xE9X BITMAP\n" + body, 1,
       "the resource name 'T\\xE9X' holds a character other than a letter, digit or sign of ASCII"},
      {"T\"X BITMAP\n" + body, 1,
       "the resource name 'T\"X' holds a character other than a letter, digit or sign of ASCII"},
      {std::string(256, 'N') + " BITMAP\n" + body, 1,
       "the resource name is longer than 255 characters"},
      {"65536 BITMAP\n" + body, 1, "the resource id 65536 is larger than 65535"},
      {"\nTX BITMAP\n" + body + "\ntx BITMAP\n" + body, 8,
       "the resource 'tx' is defined twice (first on line 2)"},
      {TinyScript("7") + TinyScript("007"), 6,
       "the resource '007' is defined twice (first on line 1)"},
      {"\n\nTX BITMAP\nBEGIN\n'42 4E 1A 00 00 00 00 00 00 00 1A 00 00 00'\n" + info + "\nEND\n", 3,
       "the bitmap data does not start with \"BM\", the mark of a bitmap file"},
      {"TX BITMAP\nBEGIN\n'42 4D 19 00 00 00 00 00 00 00 1A 00 00 00'\n" + info + "\nEND\n", 1,
       "the bitmap file says it has 25 bytes, the data has 26"},
      {"TX BITMAP\nBEGIN\n" + file + "\nEND\n", 1,
       "the bitmap data is too short for a bitmap file (14 bytes)"},
      {"TX BITMAP\nBEGIN\nEND\n", 1,
       "the bitmap data does not start with \"BM\", the mark of a bitmap file"},
      {"TX BITMAP\nBEGIN\n'\x01\x02'\nEND\n", 3,
       "'\\x01\\x02' is not a byte of two hexadecimal digits"},
  };
  for (const auto& c : cases) {
    const ParsedScript parsed = ParseResourceScript(c.script);
    ASSERT_TRUE(parsed.error) << c.script;
    EXPECT_EQ(parsed.error->line, c.line) << c.script;
    EXPECT_EQ(parsed.error->message, c.message) << c.script;
    EXPECT_TRUE(parsed.resources.empty());
  }
}

TEST(ResourceFileTest, Win32Layout) {
  const std::vector<BitmapResource> resources = {
      {"AB", std::nullopt, Bytes("01 02 03"), 1},
      {"", 7, Bytes("0A 0B 0C 0D"), 7},
  };
  const std::string expected = Bytes(
      // the empty entry
      "00 00 00 00 20 00 00 00 FF FF 00 00 FF FF 00 00"
      " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
      // data size 3, header size 36, RT_BITMAP, "AB" and a padding word
      " 03 00 00 00 24 00 00 00 FF FF 02 00 41 00 42 00 00 00 00 00"
      // data version, flags, language neutral, version, characteristics
      " 00 00 00 00 30 10 00 00 00 00 00 00 00 00 00 00"
      // the data, padded to four
      " 01 02 03 00"
      // id 7
      " 04 00 00 00 20 00 00 00 FF FF 02 00 FF FF 07 00"
      " 00 00 00 00 30 10 00 00 00 00 00 00 00 00 00 00"
      " 0A 0B 0C 0D");
  EXPECT_EQ(WriteWin32Res(resources), expected);
  EXPECT_EQ(WriteWin32Res({}), expected.substr(0, 32));
}

TEST(ResourceFileTest, Win16Layout) {
  const std::vector<BitmapResource> resources = {
      {"AB", std::nullopt, Bytes("01 02 03"), 1},
      {"", 7, Bytes("0A"), 7},
  };
  EXPECT_EQ(WriteWin16Res(resources), Bytes("FF 02 00 41 42 00 30 10 03 00 00 00 01 02 03"
                                            " FF 02 00 FF 07 00 30 10 01 00 00 00 0A"));
  EXPECT_EQ(WriteWin16Res({}), "");
}

class KxrcRunTest : public ::testing::Test {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  Result RunKxrc(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = kxrc::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  TempDir dir_;
};

TEST_F(KxrcRunTest, BrccsCommandLineInAnyOrder) {
  const std::string script = dir_.Write("kx$$$.rc", TinyScript("TX")).string();
  const std::string out = (dir_ / "my button.dcr").string();
  const struct {
    std::vector<std::string> args;
    bool win16;
  } cases[] = {
      {{"-fo" + out, script}, false},
      {{script, "-FO" + out}, false},
      {{"-fo" + out, "-31", script}, true},
      {{"-31", script, "-fo" + out}, true},
  };
  for (const auto& c : cases) {
    fs::remove(out);
    const Result r = RunKxrc(c.args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    const ParsedScript parsed = ParseResourceScript(TinyScript("TX"));
    EXPECT_EQ(TempDir::Read(out),
              c.win16 ? WriteWin16Res(parsed.resources) : WriteWin32Res(parsed.resources));
  }
  // Without -fo, the script's name with .res.
  EXPECT_EQ(RunKxrc({script}).status, kExitOk);
  EXPECT_TRUE(fs::exists(dir_ / "kx$$$.res"));
}

TEST_F(KxrcRunTest, WrongUsage) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "kxrc: no script given\n"},
      {{"-fo"}, "kxrc: -fo needs the output file glued to it\n"},
      {{"-fo", "x.res", "x.rc"}, "kxrc: -fo needs the output file glued to it\n"},
      {{"-fox.res", "-foy.res", "x.rc"}, "kxrc: -fo given twice\n"},
      {{"-r", "x.rc"}, "kxrc: unknown option '-r'\n"},
      {{"a.rc", "b.rc"}, "kxrc: more than one script given\n"},
  };
  for (const auto& c : cases) {
    const Result r = RunKxrc(c.args);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
    EXPECT_NE(r.err.find("Usage: kxrc [-31] [-fo<output>] <script>"), std::string::npos);
  }
  const Result help = RunKxrc({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(help.out.rfind("Usage: kxrc", 0), 0u);
}

TEST_F(KxrcRunTest, AFailureWritesNothing) {
  const fs::path out = dir_.Write("old.dcr", "old bytes");
  const std::string bad = dir_.Write("bad.rc", "TX BITMAP\r\nBEGIN\r\n'42 4G'\r\nEND\r\n").string();
  Result r = RunKxrc({"-fo" + out.string(), bad});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, bad + ":3: error: '4G' is not a byte of two hexadecimal digits\n");
  EXPECT_EQ(TempDir::Read(out), "old bytes");

  r = RunKxrc({"-fo" + out.string(), (dir_ / "missing.rc").string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err.rfind("kxrc: cannot read " + (dir_ / "missing.rc").string() + ": ", 0), 0u);

  const std::string good = dir_.Write("good.rc", TinyScript("TX")).string();
  r = RunKxrc({"-fo" + (dir_ / "no such dir" / "x.dcr").string(), good});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err.rfind("kxrc: cannot write ", 0), 0u) << r.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), {}), 3) << "no file left behind";
}

}  // namespace
}  // namespace kx::kxrc
