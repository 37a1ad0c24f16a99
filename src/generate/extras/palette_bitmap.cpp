// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/palette_bitmap.h"

#include <algorithm>
#include <array>

#include "model/text.h"

namespace kx::generate {

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteSize = 256 * 4;
constexpr std::size_t kPixelOffset = kBitmapFileHeaderSize + kInfoHeaderSize + kPaletteSize;
constexpr std::size_t kBytesPerScriptLine = 16;

struct PaletteEntry {
  int index;
  std::uint8_t blue, green, red;
};

// The twenty static colours of the Windows system palette, and the outline's dark blue.
// No pixel uses any other entry, so the rest stay black: any colour would do, and black
// keeps the file plain when someone looks at it byte by byte.
constexpr std::array<PaletteEntry, 21> kPalette = {{
    {0, 0, 0, 0},
    {1, 0, 0, 128},
    {2, 0, 128, 0},
    {3, 0, 128, 128},
    {4, 128, 0, 0},
    {5, 128, 0, 128},
    {6, 128, 128, 0},
    {7, 192, 192, 192},
    {8, 192, 220, 192},
    {9, 240, 202, 166},
    {kOutlineIndex, 150, 0, 0},
    {246, 240, 251, 255},
    {247, 164, 160, 160},
    {248, 128, 128, 128},
    {249, 0, 0, 255},
    {250, 0, 255, 0},
    {251, 0, 255, 255},
    {252, 255, 0, 0},
    {253, 255, 0, 255},
    {254, 255, 255, 0},
    {255, 255, 255, 255},
}};

void PutLittleEndian(std::string& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

bool OnOutline(int row, int column) {
  constexpr int kFirst = 4;
  constexpr int kLast = 19;
  const bool in_rows = row >= kFirst && row <= kLast;
  const bool in_columns = column >= kFirst && column <= kLast;
  return (in_rows && (column == kFirst || column == kLast)) ||
         (in_columns && (row == kFirst || row == kLast));
}

std::string BuildPlaceholder() {
  std::string bmp(kPlaceholderBitmapSize, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutLittleEndian(bmp, 2, kPlaceholderBitmapSize, 4);
  PutLittleEndian(bmp, 10, kPixelOffset, 4);

  constexpr std::size_t info = kBitmapFileHeaderSize;
  PutLittleEndian(bmp, info + 0, kInfoHeaderSize, 4);
  PutLittleEndian(bmp, info + 4, kPlaceholderSide, 4);
  PutLittleEndian(bmp, info + 8, kPlaceholderSide, 4);
  PutLittleEndian(bmp, info + 12, 1, 2);  // planes
  PutLittleEndian(bmp, info + 14, 8, 2);  // bits per pixel
  PutLittleEndian(bmp, info + 20, kPlaceholderSide * kPlaceholderSide, 4);
  PutLittleEndian(bmp, info + 24, 3790, 4);
  PutLittleEndian(bmp, info + 28, 3780, 4);

  constexpr std::size_t palette = info + kInfoHeaderSize;
  for (const PaletteEntry& entry : kPalette) {
    const std::size_t at = palette + static_cast<std::size_t>(entry.index) * 4;
    bmp[at] = static_cast<char>(entry.blue);
    bmp[at + 1] = static_cast<char>(entry.green);
    bmp[at + 2] = static_cast<char>(entry.red);
  }

  // Rows of 24 bytes need no padding to 4; the bottom row comes first.
  for (int row = 0; row < kPlaceholderSide; ++row) {
    const std::size_t stored_row = static_cast<std::size_t>(kPlaceholderSide - 1 - row);
    for (int column = 0; column < kPlaceholderSide; ++column) {
      const std::size_t at = kPixelOffset + stored_row * kPlaceholderSide + column;
      bmp[at] = static_cast<char>(OnOutline(row, column) ? kOutlineIndex : kBackgroundIndex);
    }
  }
  return bmp;
}

}  // namespace

const std::string& PlaceholderBitmap() {
  static const std::string bitmap = BuildPlaceholder();
  return bitmap;
}

void WriteBitmapScript(Printer& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string& bitmap = PlaceholderBitmap();
  out.Line("BEGIN");
  for (std::size_t start = 0; start < bitmap.size(); start += kBytesPerScriptLine) {
    std::string line = "    '";
    const std::size_t end = std::min(start + kBytesPerScriptLine, bitmap.size());
    for (std::size_t i = start; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(bitmap[i]);
      if (i != start) line += ' ';
      line += kHex[byte >> 4];
      line += kHex[byte & 0x0F];
    }
    line += '\'';
    out.Line(line);
  }
  out.Line("END");
}

std::string WriteResourceScript(std::string_view class_name) {
  Printer out;
  out.Emit({"$name$ BITMAP "}, {{"name", model::UpperCase(class_name)}});
  WriteBitmapScript(out);
  return out.text();
}

}  // namespace kx::generate
