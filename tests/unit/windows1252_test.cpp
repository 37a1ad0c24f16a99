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
  EXPECT_EQ(Utf8FromWindows1252("\xA9 \x80"), "\xC2\xA9 \xE2\x82\xAC");
}

}  // namespace
}  // namespace kx::platform
