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

// args excludes the program name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
