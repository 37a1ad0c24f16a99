// SPDX-License-Identifier: GPL-3.0-or-later
// The two calls on a raw file descriptor that the file writers share.
#pragma once

#include <string_view>
#include <system_error>

namespace kx::platform {

// errno as an error code, read right after the failed call.
std::error_code LastError();

// Writes every byte, past short writes and interrupted calls.
std::error_code WriteAll(int fd, std::string_view bytes);

}  // namespace kx::platform
