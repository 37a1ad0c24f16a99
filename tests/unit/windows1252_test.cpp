// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows1252.h"

#include <gtest/gtest.h>

namespace kx::platform {
namespace {

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::optional<char> back =
        Windows1252Byte(Windows1252Char(static_cast<unsigned char>(byte)));
    ASSERT_TRUE(back) << byte;
    EXPECT_EQ(static_cast<unsigned char>(*back), byte);
  }
}

TEST(Windows1252Test, CharactersOutsideTheCodePageHaveNoByte) {
  EXPECT_EQ(Windows1252Byte(U'\u20AC'), '\x80');
  EXPECT_EQ(Windows1252Byte(U'\u00A9'), '\xA9');
  for (char32_t c : {U'\u0100', U'\u4E2D', U'\U0001F600', U'\u2028'}) {
    EXPECT_FALSE(Windows1252Byte(c)) << static_cast<int>(c);
  }
}

TEST(Windows1252Test, Utf8KeepsEveryByte) {
  const struct {
    std::string_view in;
    std::string_view out;
  } cases[] = {
      {"Copyright \xA9 1997", "Copyright \u00A9 1997"},
      {"\x80 \x85 \x99 \x9F", "\u20AC \u2026 \u2122 \u0178"},
      {"Gr\xF6\xDF"
       "e \xFF",
       "Gr\u00F6\u00DF"
       "e \u00FF"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // undefined: kept as C1
      {"plain\r\n", "plain\r\n"},
      {std::string_view("\0\xA0", 2), std::string_view("\0\u00A0", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8FromWindows1252(c.in), c.out) << c.in;
    EXPECT_TRUE(IsValidUtf8(Utf8FromWindows1252(c.in)));
  }
}

TEST(Windows1252Test, IsValidUtf8) {
  const struct {
    std::string_view text;
    bool valid;
  } cases[] = {
      {"", true},
      {"/tmp/caf\u00E9/\u20AC\U0001F600", true},
      {"Copyright \xA9", false},    // a Windows-1252 byte alone
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong "/"
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\xC3\xA9\x80", false},      // a stray continuation byte
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
}

}  // namespace
}  // namespace kx::platform
