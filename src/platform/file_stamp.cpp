// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_stamp.h"

#include <string>

#include "platform/atomic_file.h"

namespace kx::platform {

namespace fs = std::filesystem;

std::uint64_t HashBytes(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

FileStamp StampOf(const fs::path& path, std::string_view bytes) {
  std::error_code ignored;
  return {bytes.size(), fs::last_write_time(path, ignored), HashBytes(bytes)};
}

bool ChangedSince(const fs::path& path, const FileStamp& stamp) {
  std::error_code error;
  if (!fs::exists(path, error)) return false;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return true;
  if (size != stamp.size) return true;
  if (fs::last_write_time(path, error) == stamp.time && !error) return false;
  std::string bytes;
  if (ReadWholeFile(path, bytes, stamp.size)) return true;
  return HashBytes(bytes) != stamp.hash;
}

}  // namespace kx::platform
