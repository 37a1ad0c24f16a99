// SPDX-License-Identifier: GPL-3.0-or-later
// What a file was when a program read or wrote it, to tell later whether somebody else has
// changed it since: its size and time, and a hash of its bytes for when size and time alone
// cannot tell (a file rewritten with the same bytes, or touched).
//
//   FileStamp stamp = StampOf(path, bytes_just_read);
//   ...
//   if (ChangedSince(path, stamp)) ask("changed by another program...");
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace kx::platform {

struct FileStamp {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time{};
  std::uint64_t hash = 0;
};

// FNV-1a, 64 bits: fast, and ample to tell two versions of one file apart.
std::uint64_t HashBytes(std::string_view bytes);

// The stamp of path, whose bytes are known (just read or just written).
FileStamp StampOf(const std::filesystem::path& path, std::string_view bytes);

// Whether the file at path now differs from stamp. A file that is gone has not changed for
// this purpose: writing it again loses nothing.
bool ChangedSince(const std::filesystem::path& path, const FileStamp& stamp);

}  // namespace kx::platform
