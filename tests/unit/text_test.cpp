#include "model/text.h"

#include <gtest/gtest.h>

namespace kx::model {
namespace {

TEST(TextTest, Windows1252ToUtf8) {
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
    EXPECT_EQ(Windows1252ToUtf8(c.in), c.out) << c.in;
    EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(c.in)));
  }
}

TEST(TextTest, IsValidUtf8) {
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
}  // namespace kx::model
