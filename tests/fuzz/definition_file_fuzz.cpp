// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a definition file: the reader must answer with a definition or a message,
// and whatever it read must save again and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalog/type_classes.h"
#include "store/definition_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kx::model::ComponentDef def;
  kx::store::ParseResult result = kx::store::ParseDefinition(
      text, "fuzz.cd", def, kx::catalog::StandardClassRules(), "/default/");
  if (!result.ok) return 0;
  std::string saved;
  try {
    saved = kx::store::WriteDefinition(def, "fuzz.cd");
  } catch (const std::exception&) {
    std::abort();  // the reader drops every item whose sections would clash
  }
  kx::model::ComponentDef again;
  if (!kx::store::ParseDefinition(saved, "fuzz.cd", again, kx::catalog::StandardClassRules(),
                                  "/default/")
           .ok) {
    std::abort();
  }
  return 0;
}
