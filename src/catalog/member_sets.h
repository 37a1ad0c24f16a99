// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed groups of items that special parents bring into a new definition: the family
// events, and the radio group, media player, file dialog and thread sets. Each member is
// added with AddItem; a member whose name is taken, or that finds the definition full, is
// skipped and the rest are still added.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/component_def.h"

namespace kx::catalog {

// One method or property member, made with the defaults of its kind and the fields given,
// added as every member is.
void AddMethodMember(model::ComponentDef& def, std::string_view header, std::uint8_t method_kind,
                     std::uint8_t scope, bool override_method, model::DefaultCodeKind default_code,
                     std::string_view descr = {}, std::string_view win_message = {});
void AddPropertyMember(model::ComponentDef& def, std::string_view name, std::string_view type,
                       std::string_view default_value, bool inherited, std::string_view descr = {},
                       bool read_only = false);

// The inherited events of the VCL ancestor's family.
void AddFamilyEvents(model::ComponentDef& def, std::string_view vcl_ancestor);
void AddRadioGroupSet(model::ComponentDef& def);
void AddMediaPlayerSet(model::ComponentDef& def);
// For TOpenDialog and TSaveDialog.
void AddFileDialogSet(model::ComponentDef& def);
// For TNewThread and TSharingThread; reads the definition's VCL ancestor.
void AddThreadSet(model::ComponentDef& def);

// The inherited events of a new definition with this VCL ancestor: the media player set for
// TMediaPlayer, the radio group set for a radio group, else the family events.
void AddInheritedEventSet(model::ComponentDef& def, std::string_view vcl_ancestor);

}  // namespace kx::catalog
