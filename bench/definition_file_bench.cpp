// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a full definition (230 items, 10 code lines and 5 help lines each),
// against the floor of reading the same file's lines with std::getline.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/type_classes.h"
#include "platform/atomic_file.h"
#include "store/definition_file.h"

namespace {

namespace fs = std::filesystem;

kx::model::ComponentDef LargeDefinition() {
  kx::model::ComponentDef def;
  kx::model::ResetUnits(def.MainInfo.Units);
  for (int i = 0; i < kx::model::kMaxItems; ++i) {
    kx::model::ItemDef item = kx::model::NewPropertyItem("Property" + std::to_string(i));
    item.Descr = "The value number " + std::to_string(i) + " of the component";
    std::vector<std::string> code;
    for (int line = 0; line < 10; ++line) {
      code.push_back("    if FValue" + std::to_string(line) + " <> Value then FValue := Value;");
    }
    item.Code = code;
    item.Help = std::vector<std::string>(5, "<p>Help text of the property, one paragraph.</p>");
    kx::model::AddItem(def, std::move(item));
  }
  return def;
}

const fs::path& LargeFile() {
  static const fs::path file = [] {
    fs::path path = fs::temp_directory_path() / "kx-bench-large.cd";
    const kx::model::ComponentDef def = LargeDefinition();
    std::ofstream(path, std::ios::binary) << kx::store::WriteDefinition(def, path);
    return path;
  }();
  return file;
}

void BM_GetlineFloor(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(LargeFile(), std::ios::binary);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_GetlineFloor)->Unit(benchmark::kMicrosecond);

void BM_ReadDefinitionFile(benchmark::State& state) {
  const kx::store::ClassRules rules = kx::catalog::StandardClassRules();
  for (auto _ : state) {
    std::string bytes;
    kx::platform::ReadWholeFile(LargeFile(), bytes);
    kx::model::ComponentDef def;
    auto result = kx::store::ParseDefinition(bytes, LargeFile().string(), def, rules, "");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ReadDefinitionFile)->Unit(benchmark::kMicrosecond);

void BM_WriteDefinitionText(benchmark::State& state) {
  const kx::model::ComponentDef def = LargeDefinition();
  for (auto _ : state) benchmark::DoNotOptimize(kx::store::WriteDefinition(def, "large.cd"));
}
BENCHMARK(BM_WriteDefinitionText)->Unit(benchmark::kMicrosecond);

// The whole save: text, temporary file flushed to disk, rename.
void BM_WriteDefinitionFile(benchmark::State& state) {
  const kx::model::ComponentDef def = LargeDefinition();
  const fs::path target = fs::temp_directory_path() / "kx-bench-write.cd";
  for (auto _ : state) {
    kx::platform::WriteFileAtomically(target, kx::store::WriteDefinition(def, target));
  }
  fs::remove(target);
}
BENCHMARK(BM_WriteDefinitionFile)->Unit(benchmark::kMicrosecond);

}  // namespace
