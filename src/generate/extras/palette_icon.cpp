// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/palette_icon.h"

#include <array>

#include "model/text.h"

namespace kx::generate {

namespace {

std::uint32_t Read(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

void Put(std::string& out, std::uint32_t value, int size, bool big_endian = false) {
  for (int i = 0; i < size; ++i) {
    const int shift = 8 * (big_endian ? size - 1 - i : i);
    out += static_cast<char>((value >> shift) & 0xFF);
  }
}

std::uint32_t Crc32(std::string_view data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : data) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  Put(out, static_cast<std::uint32_t>(data.size()), 4, true);
  const std::string body = std::string(type) + std::string(data);
  out += body;
  Put(out, Crc32(body), 4, true);
}

}  // namespace

std::optional<Picture> ReadBitmap(std::string_view bytes) {
  if (bytes.size() < 54 || bytes.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t offset = Read(bytes, 10, 4);
  const std::uint32_t header = Read(bytes, 14, 4);
  const auto width = static_cast<std::int32_t>(Read(bytes, 18, 4));
  const auto height = static_cast<std::int32_t>(Read(bytes, 22, 4));
  const std::uint32_t bits = Read(bytes, 28, 2);
  const std::uint32_t compression = Read(bytes, 30, 4);
  const bool bottom_up = height > 0;
  const std::int64_t rows = bottom_up ? height : -static_cast<std::int64_t>(height);
  if (header < 40 || width <= 0 || rows <= 0 || width > 1024 || rows > 1024 ||
      (compression != 0 && !(compression == 3 && bits == 32)) ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    return std::nullopt;
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t palette_at = 14 + header;
  if (offset + stride * static_cast<std::size_t>(rows) > bytes.size()) return std::nullopt;
  if (bits <= 8 && palette_at + (std::size_t{4} << bits) > offset) return std::nullopt;
  Picture picture{width, static_cast<int>(rows), {}};
  picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  for (std::int64_t y = 0; y < rows; ++y) {
    const std::size_t row =
        offset + stride * static_cast<std::size_t>(bottom_up ? rows - 1 - y : y);
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint32_t bgr = 0;
      if (bits >= 24) {
        bgr = Read(bytes, row + static_cast<std::size_t>(x) * (bits / 8), 3);
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const auto byte = static_cast<unsigned char>(bytes[row + bit / 8]);
        const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        bgr = Read(bytes, palette_at + 4 * index, 3);
      }
      picture.pixels.push_back(0xFF000000u | bgr);  // BGR read little-endian is 0xRRGGBB
    }
  }
  return picture;
}

bool IsPng(std::string_view bytes) { return bytes.starts_with("\x89PNG\r\n\x1a\n"); }

Picture Scaled(const Picture& picture, int side) {
  Picture out{side, side, {}};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int from_x = x * picture.width / side;
      const int from_y = y * picture.height / side;
      out.pixels.push_back(picture.pixels[static_cast<std::size_t>(from_y) *
                                              static_cast<std::size_t>(picture.width) +
                                          static_cast<std::size_t>(from_x)]);
    }
  }
  return out;
}

std::string WritePng(const Picture& picture) {
  std::string raw;  // each row: filter 0, then R G B A
  for (int y = 0; y < picture.height; ++y) {
    raw += '\0';
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p =
          picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                         static_cast<std::size_t>(x)];
      for (const int shift : {16, 8, 0, 24}) raw += static_cast<char>((p >> shift) & 0xFF);
    }
  }
  // A zlib stream of stored deflate blocks, at most 65535 bytes each.
  std::string zlib = "\x78\x01";
  std::uint32_t a = 1, b = 0;
  for (const char c : raw) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t size = std::min<std::size_t>(65535, raw.size() - at);
    zlib += static_cast<char>(at + size >= raw.size() ? 1 : 0);
    Put(zlib, static_cast<std::uint32_t>(size), 2);
    Put(zlib, static_cast<std::uint32_t>(~size & 0xFFFF), 2);
    zlib += raw.substr(at, size);
  }
  Put(zlib, b << 16 | a, 4, true);

  std::string header;
  Put(header, static_cast<std::uint32_t>(picture.width), 4, true);
  Put(header, static_cast<std::uint32_t>(picture.height), 4, true);
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, plain
  std::string png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", "");
  return png;
}

std::string WriteResources(const std::vector<ResourceEntry>& entries) {
  auto entry = [](std::string& out, std::uint32_t type, std::string_view name,
                  std::string_view data) {
    std::string head;
    Put(head, 0xFFFF | type << 16, 4);
    if (name.empty()) {
      Put(head, 0xFFFF, 4);
    } else {
      for (const char c : name) Put(head, static_cast<unsigned char>(c), 2);
      Put(head, 0, 2);
      while (head.size() % 4 != 0) head += '\0';
    }
    Put(head, 0, 4);  // data version
    // The empty entry carries no flags and no language: Free Pascal's resource reader takes
    // a file for a resource file only when its first 32 bytes are exactly that entry.
    Put(head, type == 0 ? 0 : 0x30, 2);    // moveable, pure
    Put(head, type == 0 ? 0 : 0x0409, 2);  // US English
    Put(head, 0, 4);                       // version
    Put(head, 0, 4);                       // characteristics
    Put(out, static_cast<std::uint32_t>(data.size()), 4);
    Put(out, static_cast<std::uint32_t>(head.size() + 8), 4);
    out += head;
    out += data;
    while (out.size() % 4 != 0) out += '\0';
  };
  std::string out;
  entry(out, 0, "", "");  // the empty entry that opens every 32-bit resource file
  for (const ResourceEntry& e : entries) entry(out, e.type, model::UpperCase(e.name), e.data);
  return out;
}

std::string WriteRcdataResources(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<ResourceEntry> typed;
  for (const auto& [name, data] : entries) typed.push_back({kResourceRcdata, name, data});
  return WriteResources(typed);
}

std::string WriteIconResource(std::string_view class_name, const Picture& picture) {
  const std::string name(class_name);
  return WriteRcdataResources({{name, WritePng(Scaled(picture, 24))},
                               {name + "_150", WritePng(Scaled(picture, 36))},
                               {name + "_200", WritePng(Scaled(picture, 48))}});
}

std::string WriteIconResourceFromPng(std::string_view class_name, std::string_view png) {
  return WriteRcdataResources({{std::string(class_name), std::string(png)}});
}

}  // namespace kx::generate
