// SPDX-License-Identifier: GPL-3.0-or-later
#include "kxrc/resource_file.h"

namespace kx::kxrc {

namespace {

void PutWord(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutDword(std::string& out, std::uint32_t value) {
  PutWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

void PadToDword(std::string& out) {
  while (out.size() % 4 != 0) out += '\0';
}

// A type or name of a Win32 header: 0xFFFF and the number, or the zero-ended UTF-16 text.
// Names are ASCII (the script reader allows nothing else), so each byte is one code unit.
void PutWin32Id(std::string& out, const std::string& name, std::optional<std::uint16_t> id) {
  if (id) {
    PutWord(out, 0xFFFF);
    PutWord(out, *id);
    return;
  }
  for (char c : name) PutWord(out, static_cast<std::uint16_t>(static_cast<unsigned char>(c)));
  PutWord(out, 0);
}

void PutWin32Entry(std::string& out, const std::string& name, std::optional<std::uint16_t> id,
                   std::uint16_t type, std::uint16_t flags, const std::string& data) {
  std::string header;
  PutWin32Id(header, {}, type);
  PutWin32Id(header, name, id);
  PadToDword(header);
  PutDword(header, 0);  // data version
  PutWord(header, flags);
  PutWord(header, kLanguageNeutral);
  PutDword(header, 0);  // version
  PutDword(header, 0);  // characteristics

  PutDword(out, static_cast<std::uint32_t>(data.size()));
  PutDword(out, static_cast<std::uint32_t>(8 + header.size()));
  out += header;
  out += data;
  PadToDword(out);
}

}  // namespace

std::string WriteWin32Res(const std::vector<BitmapResource>& resources) {
  std::string out;
  // The empty entry: type 0 and name 0 as numbers, no data.
  PutWin32Entry(out, {}, 0, 0, 0, {});
  for (const BitmapResource& resource : resources) {
    PutWin32Entry(out, resource.name, resource.id, kRtBitmap, kBitmapMemoryFlags, resource.data);
  }
  return out;
}

std::string WriteWin16Res(const std::vector<BitmapResource>& resources) {
  std::string out;
  for (const BitmapResource& resource : resources) {
    out += '\xFF';
    PutWord(out, kRtBitmap);
    if (resource.id) {
      out += '\xFF';
      PutWord(out, *resource.id);
    } else {
      out += resource.name;
      out += '\0';
    }
    PutWord(out, kBitmapMemoryFlags);
    PutDword(out, static_cast<std::uint32_t>(resource.data.size()));
    out += resource.data;
  }
  return out;
}

}  // namespace kx::kxrc
