// SPDX-License-Identifier: GPL-3.0-or-later
// Property check of the Lazarus target at run time: the smoke programs of random definitions
// (tests/pascal/random_definition.h) are built with heaptrc against the LCL and run; every
// check must pass and the heap report must show 0 unfreed blocks. A program that needs
// windows or timers is built with the gtk2 widget set and runs on the display of DISPLAY
// (with_xvfb.sh gives one); any other with nogui.
//
//   kx_random_smoke --out DIR --lcl LCL-UNITS [--count N] [--seed S] [--jobs J]
//                   -- FPC FPC-ARGUMENTS...
//
// KX_RANDOM_SMOKE and KX_RANDOM_SEED override --count and --seed. Each definition has its
// folder DIR/<unit>/ with the definition (<unit>.cd), the unit, the program and its logs; a
// failure is reported with what the program printed and the path of its definition.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "catalog/class_catalog.h"
#include "generate/extras/smoke_test.h"
#include "generate/printer.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"
#include "platform/atomic_file.h"
#include "platform/run_program.h"
#include "random_definition.h"
#include "store/definition_file.h"

namespace {

namespace fs = std::filesystem;
using namespace kx;

struct Options {
  fs::path out;
  fs::path lcl;
  int count = 40;
  unsigned seed = 13;
  int jobs = 2;
  std::vector<std::string> fpc;  // the compiler, then its arguments
};

struct Program {
  std::string unit;
  bool windows = false;
};

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// The LCL's edits and buttons refuse child controls (their ChildClassAllowed is False: the
// widget sets cannot nest a control in them), where the VCL lets a program give them one. A
// definition whose constructor parents a sub-control to such a class is Delphi's alone.
bool HoldsChildControlsTheLclRefuses(const model::ComponentDef& def) {
  static constexpr std::string_view kChildless[] = {"TEdit",   "TMemo",   "TMaskEdit", "TDBEdit",
                                                    "TDBMemo", "TButton", "TBitBtn"};
  const std::string_view ancestor = def.MainInfo.VCLAncestorName;
  if (std::none_of(std::begin(kChildless), std::end(kChildless),
                   [&](std::string_view name) { return model::SameText(name, ancestor); })) {
    return false;
  }
  return std::any_of(def.Items().begin(), def.Items().end(), [](const model::ItemDef& item) {
    return item.Kind() == model::ItemKind::Variable && item.Variable().IsObject &&
           item.Variable().IsSubComponent && catalog::IsControl(item.Variable().DataType);
  });
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Builds and runs one program; empty when it passed, else what went wrong.
std::string BuildAndRun(const Options& options, const Program& program) {
  const fs::path dir = options.out / program.unit;
  const std::string name = model::LowerCase(program.unit) + "smoke";
  std::vector<std::string> args(options.fpc.begin() + 1, options.fpc.end());
  args.push_back("-Fu" + (options.lcl / (program.windows ? "gtk2" : "nogui")).string());
  args.push_back("-gh");
  args.push_back("-FU" + (dir / "units").string());
  args.push_back("-o" + (dir / name).string());
  args.push_back((dir / (name + ".lpr")).string());
  const platform::RunResult build =
      platform::RunAndWait(options.fpc.front(), args, std::chrono::minutes(5));
  if (build.ResultCode < platform::kStarted || build.exit_status != 0) {
    return "does not build:\n" + build.output;
  }
  const fs::path heap = dir / "heap.log";
  const platform::RunResult run =
      platform::RunAndWait("/usr/bin/env", {"HEAPTRC=log=" + heap.string(), (dir / name).string()},
                           std::chrono::minutes(1));
  platform::WriteFileAtomically(dir / "run.log", run.output);
  std::string report;
  platform::ReadWholeFile(heap, report);
  std::string problem;
  if (run.timed_out)
    problem = "ran past a minute";
  else if (run.exit_status != 0 || Contains(run.output, "\nFAIL ") ||
           !Contains(run.output, " checks passed")) {
    problem = "failed a check (exit status " + std::to_string(run.exit_status) + ")";
  } else if (!Contains(report, "\n0 unfreed memory blocks")) {
    problem = "leaks: " + report;
  }
  return problem.empty() ? "" : problem + "\n" + run.output;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc && std::string(argv[i]) != "--"; i += 2) {
    const std::string flag = argv[i];
    const std::string value = i + 1 < argc ? argv[i + 1] : "";
    if (flag == "--out")
      options.out = value;
    else if (flag == "--lcl")
      options.lcl = value;
    else if (flag == "--count")
      options.count = std::atoi(value.c_str());
    else if (flag == "--seed")
      options.seed = static_cast<unsigned>(std::atoll(value.c_str()));
    else if (flag == "--jobs")
      options.jobs = std::max(1, std::atoi(value.c_str()));
  }
  options.fpc.assign(argv + std::min(i + 1, argc), argv + argc);
  if (options.out.empty() || options.lcl.empty() || options.fpc.empty()) {
    std::cerr << "usage: kx_random_smoke --out DIR --lcl LCL-UNITS [--count N] [--seed S] "
                 "[--jobs J] -- FPC ARGS...\n";
    return 2;
  }
  options.count = FromEnvironment("KX_RANDOM_SMOKE", options.count);
  options.seed =
      static_cast<unsigned>(FromEnvironment("KX_RANDOM_SEED", static_cast<int>(options.seed)));
  const char* display = std::getenv("DISPLAY");
  const bool have_display = display && *display && fs::is_directory(options.lcl / "gtk2");
  std::error_code error;
  fs::remove_all(options.out, error);

  // A thread is no component: a definition from TNewThread has no smoke program; nor has one
  // the LCL cannot build at all (HoldsChildControlsTheLclRefuses).
  std::mt19937 rng(options.seed);
  const platform::DateTime at{2026, 1, 2, 3, 4, 0};
  std::vector<Program> programs;
  int without_display = 0;
  for (int n = 1; static_cast<int>(programs.size()) + without_display < options.count; ++n) {
    const std::string unit = "Kxs" + std::to_string(n);
    model::ComponentDef def = testing::RandomDefinition(rng).Build(unit);
    if (catalog::IsThreadClass(def.MainInfo.ParentClassName)) continue;
    if (HoldsChildControlsTheLclRefuses(def)) continue;
    const fs::path dir = options.out / unit;
    fs::create_directories(dir / "units", error);
    const generate::UnitOptions unit_options{.full_comments = rng() % 2 == 0,
                                             .target = model::CodeTarget::kLazarus,
                                             .runtime_only = true};
    generate::PrepareForUnit(def, unit_options);
    const fs::path cd = dir / (model::LowerCase(unit) + ".cd");
    platform::WriteFileAtomically(cd, store::WriteDefinition(def, cd));
    platform::WriteFileAtomically(dir / (model::LowerCase(unit) + ".pas"),
                                  generate::WriteComponentUnit(def, unit_options, at));
    platform::WriteFileAtomically(dir / (model::LowerCase(unit) + "smoke.lpr"),
                                  generate::WriteSmokeProgram(def));
    const bool windows = generate::SmokeNeedsWindows(def);
    if (windows && !have_display) {
      ++without_display;
      continue;
    }
    programs.push_back({unit, windows});
  }

  std::atomic<std::size_t> next = 0;
  std::mutex report;
  std::vector<std::string> failed;
  auto work = [&] {
    for (std::size_t k = next++; k < programs.size(); k = next++) {
      const std::string problem = BuildAndRun(options, programs[k]);
      if (problem.empty()) continue;
      const std::lock_guard lock(report);
      const fs::path dir = options.out / programs[k].unit;
      failed.push_back(programs[k].unit);
      std::cout << "--- " << programs[k].unit << " (" << (programs[k].windows ? "gtk2" : "nogui")
                << ", definition " << (dir / (model::LowerCase(programs[k].unit) + ".cd")).string()
                << ") " << problem << "\n";
    }
  };
  std::vector<std::thread> workers;
  for (int j = 0; j < options.jobs; ++j) workers.emplace_back(work);
  for (std::thread& worker : workers) worker.join();

  const auto windowed =
      std::count_if(programs.begin(), programs.end(), [](const Program& p) { return p.windows; });
  std::cout << programs.size() - failed.size() << " of " << programs.size()
            << " random smoke programs passed (" << windowed << " on gtk2, seed " << options.seed
            << ")\n";
  if (without_display > 0) {
    std::cout << without_display
              << " programs that need windows were not run: no DISPLAY or no gtk2 widget set\n";
  }
  return failed.empty() ? 0 : 1;
}
