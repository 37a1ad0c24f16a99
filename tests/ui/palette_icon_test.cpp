// SPDX-License-Identifier: GPL-3.0-or-later
// The palette icon's pictures, read back by Qt's image reader: the PNG files Kestrix writes
// must hold the bitmap's pixels at each size the IDE asks for.
#include "generate/extras/palette_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <sstream>

#include "generate/extras/palette_bitmap.h"

namespace kx::generate {
namespace {

std::string FixtureBitmap() {
  std::ifstream in(KX_ICON_FIXTURE, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(PaletteIconTest, QtReadsEachSizeAsTheBitmapScaled) {
  for (const std::string& bitmap : {PlaceholderBitmap(), FixtureBitmap()}) {
    const std::optional<Picture> picture = ReadBitmap(bitmap);
    ASSERT_TRUE(picture);
    const QImage source = QImage::fromData(reinterpret_cast<const uchar*>(bitmap.data()),
                                           static_cast<int>(bitmap.size()), "BMP");
    ASSERT_FALSE(source.isNull());
    for (const int side : {24, 36, 48}) {
      const std::string png = WritePng(Scaled(*picture, side));
      const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                            static_cast<int>(png.size()), "PNG");
      ASSERT_EQ(image.size(), QSize(side, side));
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          ASSERT_EQ(image.pixel(x, y),
                    source.pixel(x * source.width() / side, y * source.height() / side))
              << side << " pixels, at " << x << "," << y;
        }
      }
    }
  }
}

TEST(PaletteIconTest, OnlyUncompressedBitmapsAreRead) {
  std::string truncated = PlaceholderBitmap().substr(0, 200);
  for (const std::string& bytes : {std::string("not a bitmap"), truncated,
                                   WritePng(Scaled(*ReadBitmap(PlaceholderBitmap()), 24))}) {
    EXPECT_FALSE(ReadBitmap(bytes));
  }
}

}  // namespace
}  // namespace kx::generate
