// SPDX-License-Identifier: GPL-3.0-or-later
// Compiles many generated units with Free Pascal a batch at a time, through one unit that uses
// them all; a batch that fails is compiled unit by unit, and each unit that fails is printed
// with the compiler's errors.
//
//   std::vector<std::string> failed = CompileInBatches(fpc_and_args, dir, {"kxr1", ...}, 40);
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/run_program.h"

namespace kx::testing {

// fpc: the compiler, then its arguments; units: names of DIR/<name>.pas.
inline std::vector<std::string> CompileInBatches(const std::vector<std::string>& fpc,
                                                 const std::filesystem::path& dir,
                                                 const std::vector<std::string>& units,
                                                 std::size_t batch_size) {
  auto compile = [&](const std::filesystem::path& source, std::string* output) {
    std::vector<std::string> args(fpc.begin() + 1, fpc.end());
    args.push_back("-FU" + dir.string());
    args.push_back(source.string());
    const platform::RunResult run =
        platform::RunAndWait(fpc.front(), args, std::chrono::minutes(5));
    if (output) *output = run.output;
    return run.ResultCode >= platform::kStarted && run.exit_status == 0;
  };
  std::vector<std::string> failed;
  batch_size = std::max<std::size_t>(1, batch_size);
  for (std::size_t from = 0; from < units.size(); from += batch_size) {
    const std::size_t to = std::min(units.size(), from + batch_size);
    std::string uses;
    for (std::size_t k = from; k < to; ++k) uses += (k > from ? ", " : "") + units[k];
    const std::filesystem::path batch = dir / ("kxbatch" + std::to_string(from) + ".pas");
    platform::WriteFileAtomically(batch, "unit kxbatch" + std::to_string(from) +
                                             ";\ninterface\nuses " + uses +
                                             ";\nimplementation\nend.\n");
    if (compile(batch, nullptr)) continue;
    for (std::size_t k = from; k < to; ++k) {
      std::string output;
      if (compile(dir / (units[k] + ".pas"), &output)) continue;
      failed.push_back(units[k]);
      std::cout << "--- " << (dir / (units[k] + ".pas")).string() << " does not compile:\n"
                << output << "\n";
    }
  }
  return failed;
}

}  // namespace kx::testing
