// SPDX-License-Identifier: GPL-3.0-or-later
// The implementation section's method bodies: the three automatic methods computed from the
// definition, then one body per declared method, from the item's code or, when it has none
// yet, from its default code (which is then stored in the item).
#pragma once

#include <string>
#include <vector>

#include "generate/printer.h"
#include "model/component_def.h"

namespace kx::generate {

void WriteImplementationBodies(Printer& out, const model::ComponentDef& def,
                               const std::vector<std::string>& component_links, bool full_comments);

void WriteAutoInitialize(Printer& out, const model::ComponentDef& def);
void WriteNotification(Printer& out, const std::vector<std::string>& component_links);
void WriteAutoDestroy(Printer& out, const model::ComponentDef& def);

}  // namespace kx::generate
