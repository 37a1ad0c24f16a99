// SPDX-License-Identifier: GPL-3.0-or-later
// The imports that build a definition from a form file: a container of the form with its
// controls (as sub-components, linked string-list properties, new events and handlers),
// and the dataset fields of a business rule component.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "model/component_def.h"

namespace kx::commands {

inline constexpr int kPublishEventHelpContext = 511;
inline constexpr std::string_view kImportFieldsCaption = "Import fields";
inline constexpr std::string_view kMissingFieldNameMessage =
    "You have not entered a name for the field to be given in the component.";

// The lines of a control's initialisation code, read from the form's text lines that follow
// its object line. ended: the text ended before the control; last: the container ends with
// this control.
struct SubcomponentCode {
  std::vector<std::string> code;
  bool ended = false;
  bool last = false;
};
SubcomponentCode SubcomponentInitCode(const std::vector<std::string>& lines, std::size_t after,
                                      std::string_view name, std::string_view class_name);

// The text of a handler published for control name and event "Click" or "Change".
std::vector<std::string> HandlerText(std::string_view name, std::string_view event);

// Imports a container of the definition's form file with its controls. False when nothing
// was imported (no container, a cancelled choice, an unreadable form).
bool ImportContainerFromForm(model::ComponentDef& def, Dialogs& dialogs);

// The name a field object suggests for the component: "Table1CUSTNO" gives "Custno".
std::string SuggestedFieldName(std::string_view object_name);
// The field's creation expression.
std::string FieldCreation(std::string_view name, std::string_view field_class, bool calculated);

// The business rule component's methods: CreateFields, CalculateFields, Validate,
// FinishInsert (a name already taken is skipped).
void AddBusinessMethods(model::ComponentDef& def);
// Imports the dataset fields of the definition's form file as read-only properties and their
// CreateFields method. False when nothing was imported.
bool ImportFieldsFromForm(model::ComponentDef& def, Dialogs& dialogs);

}  // namespace kx::commands
