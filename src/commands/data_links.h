// SPDX-License-Identifier: GPL-3.0-or-later
// Edit > Add data link, which makes the component data-aware with a data source property, a
// data field name property, a field data link and its handlers; and the link of a new
// property to a property of a sub-component.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "model/component_def.h"
#include "store/settings.h"

namespace kx::commands {

inline constexpr std::string_view kAddDataLinkCaption = "Add data link";

struct ReadWriteHandlers {
  std::string update_data;
  std::string editing_change;
  std::string active_change;
};

// Adds the items of a data link (read-write when handlers are given), each skipped when its
// name is taken, and the units it needs.
void AddDataLink(model::ComponentDef& def, const DataLinkNames& names,
                 const std::optional<ReadWriteHandlers>& handlers);

// The first of the four names that is not a Pascal identifier, or nothing when all are: each
// becomes a property, variable or method name in the unit. The dialog's boxes let only
// letters, digits and "_" through, but nothing keeps the data source box from holding
// anything, and a box may be left empty or start with a digit.
std::optional<std::string> InvalidDataLinkName(const DataLinkNames& names);

// Whether the component has a data link already.
bool HasDataLink(const model::ComponentDef& def);

// The whole command; true when a link was added (the definition is then modified).
bool AddDataLinkCommand(model::ComponentDef& def, Dialogs& dialogs);

// Adding a property to a container with sub-components: asks whether to link it and, when
// the user wants that, which sub-component property. Nothing when the new property must be
// abandoned; otherwise the property to add (linked or not).
std::optional<model::ItemDef> LinkNewProperty(const model::ComponentDef& def,
                                              model::ItemDef property, Dialogs& dialogs);
// "Sub-comp help" of the link dialog: help on the data type of the variable named exactly
// sub_component; nothing when there is none.
std::optional<store::HelpTopic> SubComponentHelp(const model::ComponentDef& def,
                                                 std::string_view sub_component,
                                                 bool using_delphi16);

}  // namespace kx::commands
