// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in knowledge of the VCL classes a component may descend from: class families,
// the standard unit table (unit and palette page of each class), the family predicates and
// the inherited events. Pure functions of constant tables; names are compared in any
// letter case.
//
//   ClassFamilyOf("TEdit") == 2;  UnitOfClass("TEdit") == "Stdctrls";
//   PaletteOfClass("TEdit") == "Standard";
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/component_def.h"

namespace kx::catalog {

inline constexpr int kFamilyNonVisual = 0;
inline constexpr int kFamilyGraphicControl = 1;
inline constexpr int kFamilyWindowedControl = 2;
inline constexpr int kFamilyCommonDialog = 3;
inline constexpr int kFamilyRadioGroup = 4;
inline constexpr int kFamilyOther = 5;
inline constexpr int kFamilyListViewTrackBarRichEdit = 6;
inline constexpr int kFamilyStatusBarUpDown = 7;
inline constexpr int kFamilyInternet = 8;
inline constexpr int kFamilyOtherControl = 9;

int ClassFamilyOf(std::string_view name);
std::string_view FamilyName(int family);
bool IsStandardClass(std::string_view name);
// Every class that is not non-visual, a common dialog or an internet component; a class
// the catalogue does not know counts as a control.
bool IsControl(std::string_view name);
// A class of the standard unit table, components or not (TStringList, TFont...).
bool IsCatalogueClass(std::string_view name);
// "Stdctrls" for TEdit; empty for a class not in the table.
std::string UnitOfClass(std::string_view name);
// The default palette page; "Samples" for a class not in the table.
std::string_view PaletteOfClass(std::string_view name);
// The page name of a page number of the unit table; "Samples" beyond the known pages.
std::string_view PalettePageName(int page);

// The family predicates.
bool IsContainer(std::string_view name);
bool IsThreadClass(std::string_view name);
bool IsButton(std::string_view name);
bool HasCanvas(std::string_view name);
bool HasOnResize(std::string_view name);
bool HasOnChange(std::string_view name);
bool IsGrid(std::string_view name);
bool IsDataAwareGrid(std::string_view name);
bool IsNewVisualBaseClass(std::string_view name);
bool IsNotifyingSubComponent(std::string_view name);
bool IsClickedSubComponent(std::string_view name);
bool IsKeyPressSubComponent(std::string_view name);
bool HasItemsStringList(std::string_view name);
bool HasLinesStringList(std::string_view name);

struct InheritedEventRow {
  model::ShortString<32> Name;
  model::ShortString<100> HandlerDecl;
  model::DefaultCodeKind DefaultCode = model::DefaultCodeKind::kInheritedHandlerCall;
};

// The table's row for a well-known event (spelled as the table spells it); for any other
// event the name with an empty handler declaration and default code 13.
InheritedEventRow LookupInheritedEvent(std::string_view name);

// Adds an ExistingEvent item made from the row. As with every member the catalogue adds,
// a name already taken or a full definition skips it silently.
void AddInheritedEvent(model::ComponentDef& def, const InheritedEventRow& row, bool publish,
                       bool override_handler);

}  // namespace kx::catalog
