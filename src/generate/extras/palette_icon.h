// SPDX-License-Identifier: GPL-3.0-or-later
// The palette icon of a Lazarus package: PNG pictures in a resource file, named as the IDE
// looks them up for a component class (tclassname at 100 %, tclassname_150 and
// tclassname_200 at 150 % and 200 %: 24, 36 and 48 pixels).
//
//   const std::optional<Picture> picture = ReadBitmap(PlaceholderBitmap());
//   std::string res = WriteIconResource("TMyButton", *picture);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::generate {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
};

// An uncompressed bitmap file (1, 4, 8, 24 or 32 bits a pixel); nothing for anything else.
std::optional<Picture> ReadBitmap(std::string_view bytes);
bool IsPng(std::string_view bytes);

// The picture scaled to side by side pixels (nearest neighbour).
Picture Scaled(const Picture& picture, int side);
// A PNG file of the picture (RGBA, stored without compression).
std::string WritePng(const Picture& picture);

// A 32-bit resource file holding each entry, its name in capitals.
inline constexpr std::uint16_t kResourceBitmap = 2;
inline constexpr std::uint16_t kResourceRcdata = 10;
struct ResourceEntry {
  std::uint16_t type;
  std::string name;
  std::string data;
};
std::string WriteResources(const std::vector<ResourceEntry>& entries);
// A 32-bit resource file holding each (name, data) as RCDATA.
std::string WriteRcdataResources(const std::vector<std::pair<std::string, std::string>>& entries);

// The resource file of the class's icons: from a picture, the three sizes; from a PNG file,
// that file at 100 % (the IDE scales it for the others).
std::string WriteIconResource(std::string_view class_name, const Picture& picture);
std::string WriteIconResourceFromPng(std::string_view class_name, std::string_view png);

}  // namespace kx::generate
