// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/executable.h"

namespace kx::platform {

std::filesystem::path ExecutableDir() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !exe.has_parent_path()) return std::filesystem::current_path(error);
  return exe.parent_path();
}

}  // namespace kx::platform
