// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/descriptor_io.h"

#include <unistd.h>

#include <cerrno>

namespace kx::platform {

std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return {};
}

}  // namespace kx::platform
