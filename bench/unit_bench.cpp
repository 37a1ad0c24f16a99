// SPDX-License-Identifier: GPL-3.0-or-later
// Generating the unit of a full definition whose items have no code yet, so every body is
// made from its default-code template on the way.
#include <benchmark/benchmark.h>

#include <string>

#include "generate/unit/unit_writer.h"

namespace {

kx::model::ComponentDef FullDefinitionWithoutCode() {
  kx::model::ComponentDef def;
  def.MainInfo.UnitName = "Big";
  def.MainInfo.NewClassName = "TBig";
  def.MainInfo.ParentClassName = "TCustomControl";
  def.MainInfo.VCLAncestorName = "TCustomControl";
  kx::model::ResetUnits(def.MainInfo.Units);
  for (int i = 0; kx::model::RoomLeft(def) > 0; ++i) {
    const std::string n = std::to_string(i);
    kx::model::ItemDef item;
    switch (i % 5) {
      case 0:
        item = kx::model::NewPropertyItem("Prop" + n);
        item.Property().UseReadMethod = item.Property().UseWriteMethod = true;
        break;
      case 1:
        item = kx::model::NewEventItem("OnEvent" + n);
        item.NewEvent().Arglist = "(Sender : TObject; var Value : Integer)";
        break;
      case 2:
        item = kx::model::NewMethodItem("Method" + n + "(A, B : Integer)");
        item.DefaultCode = static_cast<kx::model::DefaultCodeKind>(i % 25);
        break;
      case 3:
        item = kx::model::NewVariableItem("Var" + n);
        break;
      default:
        item = kx::model::NewExistingEventItem("OnInherited" + n);
        item.ExistingEvent().HandlerDecl = "Handler" + n + "(var Key: Word; Shift: TShiftState)";
        item.ExistingEvent().Override = true;
        item.DefaultCode = kx::model::DefaultCodeKind::kKeyDown;
        break;
    }
    kx::model::AddItem(def, std::move(item));
  }
  return def;
}

void BM_GenerateUnitWithDefaultCode(benchmark::State& state) {
  const kx::model::ComponentDef fresh = FullDefinitionWithoutCode();
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    kx::model::ComponentDef def = fresh;
    state.ResumeTiming();
    kx::generate::PrepareForUnit(def, {});
    const std::string text = kx::generate::WriteComponentUnit(def, {}, {1999, 3, 3, 9, 5, 0});
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["unit_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GenerateUnitWithDefaultCode)->Unit(benchmark::kMillisecond);

}  // namespace
