// Any bytes as a definition file: the reader must answer with a definition or a message,
// and whatever it read must write out again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/type_classes.h"
#include "store/definition_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kx::model::ComponentDef def;
  kx::store::ParseResult result = kx::store::ParseDefinition(
      text, "fuzz.cd", def, kx::catalog::StandardClassRules(), "/default/");
  if (result.ok) {
    try {
      (void)kx::store::WriteDefinition(def, "fuzz.cd");
    } catch (const std::exception&) {
      // Two items whose sections clash are refused by the writer with a message.
    }
  }
  return 0;
}
