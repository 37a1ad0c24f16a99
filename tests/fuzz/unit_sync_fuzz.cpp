// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the edited unit of a small definition, compared with the record of its last
// generation and without one: no crash; a sync that fails changes nothing, and one that
// succeeds gives a definition the file writer can save.
#include <cstddef>
#include <cstdint>
#include <string>

#include "commands/unit_sync.h"
#include "generate/unit/unit_writer.h"
#include "store/definition_file.h"

namespace {

kx::model::ComponentDef Definition() {
  using namespace kx::model;
  ComponentDef def;
  ClearDefinition(def);
  def.MainInfo.UnitName = "Clock";
  def.MainInfo.NewClassName = "TClock";
  def.MainInfo.ParentClassName = "TComponent";
  def.MainInfo.VCLAncestorName = "TComponent";
  ItemDef hour = NewPropertyItem("Hour");
  hour.Property().PropType = "Integer";
  hour.Property().UseWriteMethod = true;
  AddItem(def, hour);
  ItemDef tick = NewMethodItem("Tick(Count : Integer)");
  tick.Code = std::vector<std::string>{"begin", "     Hour := Count;", "end;"};
  AddItem(def, tick);
  AddItem(def, NewEventItem("OnRing"));
  return def;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kx::model::ComponentDef def = Definition();
  static const std::string record = [] {
    kx::model::ComponentDef copy = def;
    kx::generate::PrepareForUnit(copy, {});
    return kx::generate::WriteComponentUnit(copy, {}, {});
  }();
  const std::string unit(reinterpret_cast<const char*>(data), size);
  for (const std::optional<std::string>& known :
       {std::optional<std::string>(record), std::optional<std::string>()}) {
    const kx::commands::UnitSync sync = kx::commands::SyncUnit(def, unit, known, {});
    if (!sync.error.empty() && (sync.Changed() || !(sync.def == def))) __builtin_trap();
    if (sync.error.empty()) (void)kx::store::WriteDefinition(sync.def, "clock.cd");
    (void)kx::commands::SyncSummary(sync);
  }
  return 0;
}
