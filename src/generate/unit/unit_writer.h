// The component unit: header comment, uses clause, type section, Register and the
// implementation, laid out top to bottom. Writing it changes the definition as generation
// always has: the items are sorted by name, "Dsgnintf" joins the units when a property has
// its own editor, new events' argument lists are normalized, and items without code get
// their default code.
//
//   std::string text = WriteComponentUnit(def, {.full_comments = true}, clock.Now());
#pragma once

#include <string>

#include "generate/text_template.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

struct UnitOptions {
  bool full_comments = true;
  // Only the interface part, up to "procedure Register;": what printing shows.
  bool interface_only = false;
};

// The unit's text, lines ended by "\n".
std::string WriteComponentUnit(model::ComponentDef& def, const UnitOptions& options,
                               const platform::DateTime& at);

void WriteRegisterProcedure(Printer& out, const model::ComponentDef& def);

}  // namespace kx::generate
