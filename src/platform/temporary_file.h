// SPDX-License-Identifier: GPL-3.0-or-later
// A file of our own in the system's temporary folder, under a name no other file has, that
// is deleted when the object goes out of scope (however the scope is left).
//
//   std::error_code error;
//   std::optional<TemporaryFile> copy = TemporaryFile::Create("kx", ".txt", bytes, error);
//   if (!copy) report(error.message());
//   else read(copy->path());  // deleted at the end of the scope
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace kx::platform {

class TemporaryFile {
 public:
  // A new file named prefix + a random number + extension holding bytes; nothing (and no
  // file left behind) when it could not be made.
  static std::optional<TemporaryFile> Create(std::string_view prefix, std::string_view extension,
                                             std::string_view bytes, std::error_code& error);

  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&& other) noexcept;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  const std::filesystem::path& path() const { return path_; }

 private:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  void Remove() noexcept;

  std::filesystem::path path_;  // empty once moved from
};

}  // namespace kx::platform
