// SPDX-License-Identifier: GPL-3.0-or-later
// The name lookup runs on every keystroke check and every item the reader adds, so a full
// definition is its worst case; the class lookups run for every type entered.
#include <benchmark/benchmark.h>

#include <string>

#include "catalog/class_catalog.h"
#include "model/component_def.h"
#include "model/name_rules.h"

namespace {

kx::model::ComponentDef FullDefinition() {
  kx::model::ComponentDef def;
  for (int i = 0; i < kx::model::kMaxItems; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 3) {
      case 0:
        kx::model::AddItem(def, kx::model::NewPropertyItem("Prop" + n));
        break;
      case 1:
        kx::model::AddItem(def, kx::model::NewEventItem("OnEvent" + n));
        break;
      default:
        kx::model::AddItem(def, kx::model::NewMethodItem("Method" + n + "(X : Integer)"));
        break;
    }
  }
  return def;
}

void BM_FindNameFreeInFullDefinition(benchmark::State& state) {
  const kx::model::ComponentDef def = FullDefinition();
  for (auto _ : state) benchmark::DoNotOptimize(kx::model::FindName(def, "SomeFreeName"));
}
BENCHMARK(BM_FindNameFreeInFullDefinition);

void BM_FillDefinitionTo230(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FullDefinition());
}
BENCHMARK(BM_FillDefinitionTo230);

void BM_SortFullDefinition(benchmark::State& state) {
  const kx::model::ComponentDef def = FullDefinition();
  for (auto _ : state) {
    kx::model::ComponentDef copy = def;
    kx::model::SortItemsByName(copy);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_SortFullDefinition);

void BM_ClassLookupMiss(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(kx::catalog::ClassFamilyOf("TNoSuchClass"));
    benchmark::DoNotOptimize(kx::catalog::UnitOfClass("TNoSuchClass"));
  }
}
BENCHMARK(BM_ClassLookupMiss);

}  // namespace
