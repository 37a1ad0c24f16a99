// SPDX-License-Identifier: GPL-3.0-or-later
// Property check of the unit generator: random definitions (random_definition.h), as the
// tool lets a user build them, must give units that Free Pascal compiles.
//
//   kx_random_units --out DIR [--count N] [--seed S] [--batch B] [--target delphi-xe]
//                   -- FPC FPC-ARGUMENTS...
//
// For today's Delphi each unit comes with its registration unit; both are compiled after their
// uses clauses lose the unit scopes (Winapi.Windows becomes WinTypes, WinProcs, the halves
// compat/pascal declares), as delphi_xe_check.sh does for the goldens, and no Delphi 1-3 unit
// name may be left in them.
//
// KX_RANDOM_UNITS and KX_RANDOM_SEED override --count and --seed. Units are compiled B at a
// time through one unit that uses them all; a batch that fails is compiled unit by unit,
// and each failing unit is reported with the errors and the definition (DIR/<unit>.cd) that
// produced it.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "batch_compile.h"
#include "catalog/class_catalog.h"
#include "catalog/new_definition.h"
#include "generate/printer.h"
#include "generate/target.h"
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
  model::CodeTarget target = model::CodeTarget::kDelphi;
  std::vector<std::string> fpc;  // the compiler, then its arguments
};

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// The uses clauses' units without their scopes: the one step between today's Delphi's names
// and Free Pascal's.
std::string WithoutUnitScopes(const std::string& text) {
  static const std::regex kWindows(R"((^|[ ,])Winapi\.Windows([,;]))");
  static const std::regex kScope(
      R"((^|[ ,])(Winapi|System|Vcl|Data|Bde|Web)\.(Win\.)?([A-Za-z_]))");
  std::string out;
  bool in_uses = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(start, end - start);
    if (line.starts_with("uses ")) in_uses = true;
    if (in_uses) {
      line = std::regex_replace(line, kWindows, "$1WinTypes, WinProcs$2");
      line = std::regex_replace(line, kScope, "$1$4");
      if (line.find(';') != std::string::npos) in_uses = false;
    }
    out += line;
    start = end;
  }
  return out;
}

bool NamesDelphi1To3Unit(const std::string& text) {
  static const std::regex kOld(R"(\b(WinTypes|WinProcs|DsgnIntf)\b)", std::regex::icase);
  return std::regex_search(text, kOld);
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
    else if (flag == "--target")
      options.target = model::ParseCodeTarget(value).value_or(options.target);
  }
  options.fpc.assign(argv + std::min(i + 1, argc), argv + argc);
  if (options.out.empty() || options.fpc.empty()) {
    std::cerr << "usage: kx_random_units --out DIR [--count N] [--seed S] [--batch B] "
                 "[--target delphi-xe] -- FPC ARGS...\n";
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
    const generate::UnitOptions unit_options{.full_comments = rng() % 2 == 0,
                                             .target = options.target};
    generate::PrepareForUnit(def, unit_options);
    std::vector<std::pair<std::string, std::string>> written = {
        {unit, generate::WriteComponentUnit(def, unit_options, at)}};
    const generate::Target& target = generate::TargetFor(options.target);
    if (target.registration_unit) {
      written.emplace_back(generate::RegistrationUnitName(def),
                           generate::WriteRegistrationUnit(def, at, target));
    }
    // The definition as generation left it (sorted, default code stored) reproduces the unit.
    platform::WriteFileAtomically(cd, store::WriteDefinition(def, cd));
    for (auto& [name, source] : written) {
      if (options.target == model::CodeTarget::kDelphiXe) {
        if (NamesDelphi1To3Unit(source)) {
          std::cout << "--- " << name << " (definition " << model::LowerCase(unit)
                    << ".cd) names a Delphi 1-3 unit\n";
          return 1;
        }
        source = WithoutUnitScopes(source);
      }
      platform::WriteFileAtomically(options.out / (model::LowerCase(name) + ".pas"),
                                    generate::WithCrlf(source));
      units.push_back(model::LowerCase(name));
    }
  }

  const std::vector<std::string> failed =
      testing::CompileInBatches(options.fpc, options.out, units, options.batch);
  std::cout << units.size() - failed.size() << " of " << units.size()
            << " random units compiled (seed " << options.seed << ")\n";
  return failed.empty() ? 0 : 1;
}
