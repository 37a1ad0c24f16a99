// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/resource_file.h"

#include <cstdint>

namespace kx::generate {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t pos() const { return pos_; }
  std::size_t left() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }
  void Seek(std::size_t pos) { pos_ = pos; }

  // count bytes; with value, a little-endian number of at most 8 bytes.
  bool Take(std::size_t count, std::uint64_t* value = nullptr) {
    if (left() < count) return false;
    if (value != nullptr) {
      *value = 0;
      for (std::size_t i = 0; i < count && i < 8; ++i) {
        *value |= std::uint64_t{static_cast<unsigned char>(bytes_[pos_ + i])} << (8 * i);
      }
    }
    pos_ += count;
    return true;
  }

  // A 16-bit type or name: 0xFF and a 16-bit number, or text ended by a zero byte.
  bool Win16Id() {
    std::uint64_t first = 0;
    if (!Take(1, &first)) return false;
    if (first == 0xFF) return Take(2);
    const std::size_t end = bytes_.find('\0', pos_ - 1);
    if (end == std::string_view::npos) return false;
    pos_ = end + 1;
    return true;
  }

  // A 32-bit type or name: 0xFFFF and a 16-bit number, or UTF-16 text ended by a zero unit.
  bool Win32Id(std::uint64_t* number) {
    std::uint64_t unit = 0;
    if (!Take(2, &unit)) return false;
    if (unit == 0xFFFF) return Take(2, number);
    *number = ~std::uint64_t{0};
    while (unit != 0) {
      if (!Take(2, &unit)) return false;
    }
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::string At(std::string_view what, std::size_t offset) {
  return std::string(what) + " at offset " + std::to_string(offset);
}

std::optional<std::string> Win16Error(std::string_view bytes) {
  Reader in(bytes);
  if (in.AtEnd()) return "an empty file";
  while (!in.AtEnd()) {
    const std::size_t start = in.pos();
    std::uint64_t size = 0;
    if (!in.Win16Id() || !in.Win16Id() || !in.Take(2) || !in.Take(4, &size) || !in.Take(size)) {
      return At("a truncated resource", start);
    }
  }
  return std::nullopt;
}

std::optional<std::string> Win32Error(std::string_view bytes) {
  constexpr std::size_t kFixedPart = 16;  // versions, flags, language, characteristics
  Reader in(bytes);
  int entries = 0;
  while (!in.AtEnd()) {
    const std::size_t start = in.pos();
    std::uint64_t data_size = 0;
    std::uint64_t header_size = 0;
    std::uint64_t type = 0;
    std::uint64_t name = 0;
    if (!in.Take(4, &data_size) || !in.Take(4, &header_size) || !in.Win32Id(&type) ||
        !in.Win32Id(&name)) {
      return At("a truncated resource header", start);
    }
    in.Seek(std::min((in.pos() + 3) / 4 * 4, bytes.size()));
    if (in.pos() + kFixedPart > start + header_size || header_size > bytes.size() - start) {
      return At("a bad resource header size", start);
    }
    const bool empty_entry = data_size == 0 && type == 0 && name == 0;
    if ((entries == 0) != empty_entry) {
      return entries == 0 ? std::string("no resource file header") : At("an empty resource", start);
    }
    in.Seek(start + header_size);
    if (!in.Take(data_size)) return At("truncated resource data", start);
    // Entries start on 4-byte boundaries; the last one need not be padded.
    in.Seek(std::min((in.pos() + 3) / 4 * 4, bytes.size()));
    ++entries;
  }
  if (entries == 0) return "an empty file";
  if (entries == 1) return "no resource in the file";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ResourceFileError(std::string_view bytes, bool win16) {
  return win16 ? Win16Error(bytes) : Win32Error(bytes);
}

}  // namespace kx::generate
