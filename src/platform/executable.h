// SPDX-License-Identifier: GPL-3.0-or-later
// Where the running program lives: settings and the bundled help sit beside it.
#pragma once

#include <filesystem>

namespace kx::platform {

// The folder of the running executable; the current folder when it cannot be found.
std::filesystem::path ExecutableDir();

}  // namespace kx::platform
