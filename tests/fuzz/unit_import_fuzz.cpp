// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a component unit to import: the class it registers and every class it declares,
// each imported without a crash; an import either fails with a message and no definition or
// gives a definition the file writer can save.
#include <cstddef>
#include <cstdint>
#include <string>

#include "commands/unit_import.h"
#include "pascal/outline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kx::pascal::Outline unit =
      kx::pascal::ParseUnit(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> names = {""};
  for (const kx::pascal::TypeDecl& type : unit.types) names.push_back(type.name.text);
  for (const std::string& name : names) {
    const kx::commands::UnitImport result =
        kx::commands::ImportUnit(unit, {.class_name = name, .mode = "objfpc"});
    if (!result.error.empty() && !(result.def == kx::model::ComponentDef())) __builtin_trap();
  }
  return 0;
}
