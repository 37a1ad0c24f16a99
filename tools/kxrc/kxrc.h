// SPDX-License-Identifier: GPL-3.0-or-later
// kxrc, the resource compiler bundled with Kestrix, with the command line of Delphi's
// brcc/brcc32 as far as the palette bitmap command uses it:
//
//   kxrc [-31] [-fo<output>] <script>
//
// -31 writes a 16-bit (Windows 3.1) resource file, else a 32-bit one; -fo names the output
// (glued to its name, as brcc wants), by default the script's name with ".res". Options come
// in any order. Exit status: 0 written, 1 the script or a file failed (message on the error
// stream, no output file written), 2 wrong usage.
//
//   int status = kx::kxrc::Run({"-fo/tmp/x.dcr", "kx$$$.rc"}, std::cout, std::cerr);
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kx::kxrc {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Scripts are a few kilobytes; this bounds what a mistaken argument can make kxrc read.
inline constexpr std::uintmax_t kMaxScriptBytes = std::uintmax_t{64} << 20;

// args excludes the program name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kx::kxrc
