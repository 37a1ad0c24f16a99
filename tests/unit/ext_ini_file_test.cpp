// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ext_ini_file.h"

#include <gtest/gtest.h>

#include "model/text.h"

namespace kx::store {
namespace {

using Lines = std::vector<std::string>;

model::TextBlock ReadBlock(std::string_view text) {
  LineReader reader(text);
  return ReadLines(reader);
}

TEST(BlockEncodingTest, WritesAndReadsBack) {
  const struct {
    Lines lines;
    std::string written;
    Lines read;
  } cases[] = {
      {{"  begin", "", "    Result := 0;"},
       "Lines=3\r\nL1=~~begin\r\nL2=\r\nL3=~~~~Result := 0;\r\n",
       {"  begin", "", "    Result := 0;"}},
      {{"    "}, "Lines=1\r\nL1=\r\n", {""}},
      {{" "}, "Lines=1\r\nL1=\r\n", {""}},
      // Only the last character is never replaced, and trailing blanks are lost.
      {{" x", "x  ", "a ~b"}, "Lines=3\r\nL1=~x\r\nL2=x  \r\nL3=a ~b\r\n", {" x", "x", "a ~b"}},
      // Leading tabs are not blanks: they are lost by the trimming on reading.
      {{"\tTab"}, "Lines=1\r\nL1=\tTab\r\n", {"Tab"}},
  };
  for (const auto& c : cases) {
    TExtIniFile ini("unused.cd");
    ini.WriteLines("S", c.lines);
    EXPECT_EQ(ini.text(), "[S]\r\n" + c.written);
    EXPECT_EQ(ReadBlock(c.written), c.read);
  }
}

TEST(BlockEncodingTest, AbsentAndEmptyBlocksBothReadBackAbsent) {
  for (const model::TextBlock& block : {model::TextBlock(), model::TextBlock(Lines{})}) {
    TExtIniFile ini("unused.cd");
    ini.WriteLines("S", block);
    EXPECT_EQ(ini.text(), "[S]\r\nLines=0\r\n");
    EXPECT_EQ(ReadBlock("Lines=0\r\n"), std::nullopt);
  }
}

TEST(ReadLinesTest, OddBlocks) {
  const struct {
    const char* text;
    model::TextBlock block;
  } cases[] = {
      {"Lines=5\r\nL1=a\r\nL2=b\r\n", Lines{"a", "b"}},
      {"Lines=999999999\nL1=a", Lines{"a"}},
      {"lines = 2\rL1=~~x\rL2=~\r", Lines{"  x", ""}},
      {"\r\n\r\nLines=1\r\nL7=any key\r\n", Lines{"any key"}},
      {"Lines=1\r\nno equals sign\r\n", Lines{"no equals sign"}},
      {"Lines=1\r\nL1=a=b\r\n", Lines{"a=b"}},
      {"L1=not a count\r\n", std::nullopt},
      {"Lines=-3\r\nL1=a\r\n", std::nullopt},
      {"Lines=x\r\nL1=a\r\n", std::nullopt},
      {"Lines=2", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadBlock(c.text), c.block) << c.text;
}

TEST(ReadEntryTest, HeadersKeysAndValues) {
  LineReader reader("\r\n[Foo]\r\n  key = a = b  \r\n[Open\r\nplain text\r\n[]\r\n");
  Entry e;
  ASSERT_TRUE(ReadEntry(reader, e));
  EXPECT_TRUE(e.is_header);
  EXPECT_EQ(e.section, "FOO");
  ASSERT_TRUE(ReadEntry(reader, e));
  EXPECT_FALSE(e.is_header);
  EXPECT_EQ(e.key, "key");
  EXPECT_EQ(e.value, "a = b");
  ASSERT_TRUE(ReadEntry(reader, e));
  EXPECT_EQ(e.section, "OPE") << "a header without ']' still loses its last character";
  ASSERT_TRUE(ReadEntry(reader, e));
  EXPECT_EQ(e.key, "");
  EXPECT_EQ(e.value, "plain text");
  ASSERT_TRUE(ReadEntry(reader, e));
  EXPECT_EQ(e.section, "");
  EXPECT_FALSE(ReadEntry(reader, e));
}

TEST(LineReaderTest, EveryLineEnd) {
  LineReader reader("a\r\nb\nc\rd\r\n\re");
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  EXPECT_EQ(lines, (Lines{"a", "b", "c", "d", "", "e"}));
}

TEST(TExtIniFileTest, ReturningToALeftSectionIsRefused) {
  TExtIniFile ini("/tmp/x.cd");
  ini.WriteString("Foo", "A", "1");
  ini.WriteString("Bar", "B", "2");
  ini.WriteString("BAR", "C", "3");  // same section in another case: no new header
  try {
    ini.WriteString("foo", "D", "4");
    FAIL() << "no exception";
  } catch (const TIniFileException& e) {
    EXPECT_STREQ(e.what(), "Writing of section [FOO] interrupted by section [BAR] in /tmp/x.cd");
  }
  EXPECT_EQ(ini.text(), "[Foo]\r\nA=1\r\n[Bar]\r\nB=2\r\nC=3\r\n");
}

TEST(TExtIniFileTest, LineBreaksInValuesCannotStartNewEntries) {
  TExtIniFile ini("x.cd");
  ini.WriteString("S", "Key", "one\r\n[EVIL]\nL1=x");
  EXPECT_EQ(ini.text(), "[S]\r\nKey=one  [EVIL] L1=x\r\n");
}

TEST(ParsePascalIntegerTest, PascalRules) {
  const struct {
    const char* text;
    long long value;
  } cases[] = {
      {"12", 12},
      {"-8", -8},
      {"+7", 7},
      {"$1F", 31},
      {"-$10", -16},
      {"", -1},
      {"1 2", -1},
      {"12a", -1},
      {"--5", -1},
      {"+-5", -1},
      {"$", -1},
      {"2147483647", 2147483647},
      {"2147483648", -1},
      {"-2147483648", -2147483648LL},
      {"99999999999999999999", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(model::ParsePascalInteger(c.text, -1), c.value) << c.text;
}

TEST(BackupPathForTest, ReplacesTheExtensionInLowerCase) {
  EXPECT_EQ(BackupPathFor("/Data/MyComp.CD"), std::filesystem::path("/Data/mycomp.bak"));
}

}  // namespace
}  // namespace kx::store
