// SPDX-License-Identifier: GPL-3.0-or-later
// Default code: the body an item gets from the template its DefaultCode number selects,
// when it has no code of its own yet, at the detailed or the normal commenting level. The
// unit generator stores what these produce in the item, so that the user edits it later.
#pragma once

#include <string>
#include <string_view>

#include "model/component_def.h"

namespace kx::generate {

struct DefaultCodeContext {
  bool full_comments = true;  // the commenting level setting
  // From the definition the item belongs to.
  std::string_view parent_class_name;  // ParentClassName
  std::string_view vcl_ancestor_name;  // VCLAncestorName
  std::string_view form_class_name;    // MainInfo.Form.FormClassName
};

DefaultCodeContext DefaultCodeContextOf(const model::ComponentDef& def, bool full_comments);

// Replaces (or creates) the item's Code with the template of its DefaultCode. Template 14
// also stores the new event's normalized argument list.
void FillDefaultCode(model::ItemDef& item, const DefaultCodeContext& context);
// Replaces (or creates) a property's ReadCode with its default read method; does nothing
// for other kinds.
void FillDefaultReadCode(model::ItemDef& item);
// Appends the internal declarations block (template 0) to the item's Code.
void InternalDeclarationsBlock(model::ItemDef& item, bool full_comments);

// The call expression of a handler or method header: "KeyDown(var Key: Word; Shift:
// TShiftState)" gives "KeyDown(Key, Shift)". A colon followed by neither ";" nor ")" (a
// result type, a header cut short) ends the conversion there, the rest left as it is.
std::string HeaderToCall(std::string_view header);
// The same for a function header, its result type dropped: "GetItem(Index: Integer): String"
// gives "GetItem(Index)".
std::string FunctionHeaderToCall(std::string_view header);
// Pascal text for a value of the type ("False", "0", "clWhite", "''", "nil"), or empty.
std::string DefaultValueForType(std::string_view type);

}  // namespace kx::generate
