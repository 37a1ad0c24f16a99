// SPDX-License-Identifier: GPL-3.0-or-later
// Property check of the unit generator: random definitions (random_definition.h), as the
// tool lets a user build them, must give units that Free Pascal compiles.
//
//   kx_random_units --out DIR [--count N] [--seed S] [--batch B] -- FPC FPC-ARGUMENTS...
//
// KX_RANDOM_UNITS and KX_RANDOM_SEED override --count and --seed. Units are compiled B at a
// time through one unit that uses them all; a batch that fails is compiled unit by unit,
// and each failing unit is reported with the errors and the definition (DIR/<unit>.cd) that
// produced it.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "batch_compile.h"
#include "catalog/class_catalog.h"
#include "catalog/new_definition.h"
#include "generate/printer.h"
#include "generate/unit/default_code.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "platform/atomic_file.h"
#include "random_definition.h"
#include "store/definition_file.h"

namespace {

namespace fs = std::filesystem;
using namespace kx;
using testing::RandomDefinition;

struct Options {
  fs::path out;
  int count = 300;
  unsigned seed = 13;
  int batch = 40;
  std::vector<std::string> fpc;  // the compiler, then its arguments
};

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
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
    else if (flag == "--count")
      options.count = std::atoi(value.c_str());
    else if (flag == "--seed")
      options.seed = static_cast<unsigned>(std::atoll(value.c_str()));
    else if (flag == "--batch")
      options.batch = std::max(1, std::atoi(value.c_str()));
  }
  options.fpc.assign(argv + std::min(i + 1, argc), argv + argc);
  if (options.out.empty() || options.fpc.empty()) {
    std::cerr
        << "usage: kx_random_units --out DIR [--count N] [--seed S] [--batch B] -- FPC ARGS...\n";
    return 2;
  }
  options.count = FromEnvironment("KX_RANDOM_UNITS", options.count);
  options.seed =
      static_cast<unsigned>(FromEnvironment("KX_RANDOM_SEED", static_cast<int>(options.seed)));
  std::error_code error;
  fs::remove_all(options.out, error);
  fs::create_directories(options.out, error);

  std::mt19937 rng(options.seed);
  const platform::DateTime at{2026, 1, 2, 3, 4, 0};
  std::vector<std::string> units;
  for (int n = 1; n <= options.count; ++n) {
    const std::string unit = "Kxr" + std::to_string(n);
    model::ComponentDef def = RandomDefinition(rng).Build(unit);
    const fs::path cd = options.out / (model::LowerCase(unit) + ".cd");
    const generate::UnitOptions unit_options{.full_comments = rng() % 2 == 0};
    generate::PrepareForUnit(def, unit_options);
    const std::string source = generate::WriteComponentUnit(def, unit_options, at);
    // The definition as generation left it (sorted, default code stored) reproduces the unit.
    platform::WriteFileAtomically(cd, store::WriteDefinition(def, cd));
    platform::WriteFileAtomically(options.out / (model::LowerCase(unit) + ".pas"),
                                  generate::WithCrlf(source));
    units.push_back(model::LowerCase(unit));
  }

  const std::vector<std::string> failed =
      testing::CompileInBatches(options.fpc, options.out, units, options.batch);
  std::cout << units.size() - failed.size() << " of " << units.size()
            << " random units compiled (seed " << options.seed << ")\n";
  return failed.empty() ? 0 : 1;
}
