// SPDX-License-Identifier: GPL-3.0-or-later
// kestrix-cli: the commands of the desktop program without a window.
//
//   int status = kx::cli::Run({"class", "TEdit"}, std::cout, std::cerr);
//
// Exit status: 0 done, 1 the command failed, 2 wrong usage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kx::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// What the terminal takes: definition text (Windows-1252) is converted for a UTF-8 one.
enum class TerminalEncoding { kUtf8, kWindows1252 };

// The encoding of the process's locale (LC_ALL, LC_CTYPE, LANG): Windows-1252 for a Latin-1
// one, whose letters are the same bytes, UTF-8 for every other.
TerminalEncoding LocaleEncoding();

// args excludes the program name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        TerminalEncoding encoding = TerminalEncoding::kUtf8);

}  // namespace kx::cli
