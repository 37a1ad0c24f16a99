// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "platform/descriptor_io.h"

namespace kx::platform {

std::optional<TemporaryFile> TemporaryFile::Create(std::string_view prefix,
                                                   std::string_view extension,
                                                   std::string_view bytes, std::error_code& error) {
  namespace fs = std::filesystem;
  error.clear();
  const fs::path folder = fs::temp_directory_path(error);
  if (error) return std::nullopt;
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name(prefix);
    name += std::to_string(random());
    name += extension;
    fs::path path = folder / name;
    // O_EXCL: a name that exists (another program's file, or a planted link) is never used.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = LastError();
      return std::nullopt;
    }
    TemporaryFile file(std::move(path));
    error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && !error) error = LastError();
    if (error) return std::nullopt;  // file's destructor deletes what was written
    return file;
  }
  error = std::make_error_code(std::errc::file_exists);
  return std::nullopt;
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

TemporaryFile::~TemporaryFile() { Remove(); }

void TemporaryFile::Remove() noexcept {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  path_.clear();
}

}  // namespace kx::platform
