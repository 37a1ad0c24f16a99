// SPDX-License-Identifier: GPL-3.0-or-later
// Readable listings of definitions for the terminal.
#pragma once

#include <ostream>
#include <string>

#include "model/component_def.h"

namespace kx::cli {

// One line: kind, name and the flags that matter most.
std::string ItemSummary(const model::ItemDef& item);
// Every field of the definition, items in their order.
void PrintDefinition(std::ostream& out, const model::ComponentDef& def);

}  // namespace kx::cli
