#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

namespace kx::platform {

namespace {

WriteFault g_write_fault = nullptr;

std::error_code LastError() { return {errno, std::generic_category()}; }

}  // namespace

void SetWriteFaultForTesting(WriteFault fault) { g_write_fault = fault; }

std::error_code WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    const std::function<std::error_code()>& before_replace) {
  namespace fs = std::filesystem;
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device random;
  std::string temp_name;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    // Hidden, beside the target (so the rename stays on one file system), and unique.
    std::string name = ".";
    name += target.filename().string();
    name += ".kx";
    name += std::to_string(random());
    name += ".tmp";
    temp_name = (dir / name).string();
    fd = ::open(temp_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return LastError();
  }
  if (fd < 0) return LastError();

  std::error_code error;
  if (g_write_fault != nullptr) error = g_write_fault(target);
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (!error && left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = LastError();
    } else {
      data += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  if (!error && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  // Keep the permissions of the file being replaced.
  std::error_code ignored;
  if (!error && fs::exists(target, ignored)) {
    fs::permissions(temp_name, fs::status(target, ignored).permissions(), ignored);
  }
  if (!error && before_replace) error = before_replace();
  if (!error && ::rename(temp_name.c_str(), target.c_str()) != 0) error = LastError();
  if (error) ::unlink(temp_name.c_str());
  return error;
}

std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                              std::uintmax_t max_bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::make_error_code(std::errc::is_a_directory);
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::make_error_code(std::errc::no_such_file_or_directory);
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > max_bytes) return std::make_error_code(std::errc::file_too_large);
  bytes.clear();
  if (!error) bytes.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > max_bytes) return std::make_error_code(std::errc::file_too_large);
  }
  if (in.bad()) return std::make_error_code(std::errc::io_error);
  return {};
}

}  // namespace kx::platform
