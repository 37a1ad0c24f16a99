// SPDX-License-Identifier: GPL-3.0-or-later
// Rules for the names and headers a definition holds: the filter applied to name fields
// while the user types, the lookup that decides whether a name is free, the names the unit
// generator derives from items, the method header check, and the messages shared by the
// flows and the desktop window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"

namespace kx::model {

struct FilteredText {
  std::string text;
  std::size_t caret = 0;
};

// Applied to a name field after every change. caret is the 0-based caret position before
// filtering. The prefix ("T" for a class, "On" for an event, or none) cannot be deleted.
FilteredText FilterIdentifier(std::string_view text, std::size_t caret, std::string_view prefix);

// FilterIdentifier for a field the user types in, where the edit that made the text tells
// what was typed over the prefix: OnBlink typed over the selected name, or Blink after "On",
// both give OnBlink.
//
//   NameFieldFilter filter("On");
//   FilteredText shown = filter.Edit(field_before_the_edit, field_after_it, caret_after_it);
class NameFieldFilter {
 public:
  explicit NameFieldFilter(std::string prefix);
  FilteredText Edit(std::string_view previous, std::string_view text, std::size_t caret);

 private:
  std::string prefix_;
  std::string unfilled_;     // the end of the prefix shown before it was typed
  std::string filled_text_;  // what the field showed then
};

struct NameLookup {
  int index = -1;  // -1 free, 0 reserved, 1..Count the item that owns or derives the name
  std::string message;
};

NameLookup FindName(const ComponentDef& def, std::string_view name);

// FindName's index for a reader that adds many items: what FindName(def, name).index gives,
// for the items as they were added, without a pass over them. An item changed after Add (a
// property made inherited, a handler declared) is not seen changed.
//
//   NameIndex names(read.size());
//   for (ItemDef& item : read) AddItem(def, std::move(item), names);
class NameIndex {
 public:
  // Room for the names of expected items, each with its derived names.
  explicit NameIndex(std::size_t expected = 0);
  void Add(const ItemDef& item, int number);
  int Find(std::string_view name) const;

 private:
  // A reader looks up every section of a file here: the names sit in one array, matched in any
  // letter case, and a lookup copies nothing.
  struct Owner {
    std::string name;
    std::size_t hash;
    int number;
  };
  // name's slot, or the free one it would take.
  std::size_t SlotOf(std::string_view name, std::size_t hash) const;
  void Put(std::string name, int number, bool replace);
  void Rehash(std::size_t slot_count);

  std::vector<Owner> owners_;
  std::vector<std::uint32_t> slots_;  // 1 + an index into owners_, 0 free; a power of two long
};

// The names the unit declares for an item besides its own: a property's storage variable and
// read and write methods, a new event's storage variable and dispatch method.
std::vector<std::string> DerivedNames(const ItemDef& item);

// FindName in both directions, for an item about to be added: its own name must be free, and
// so must every name it derives (a new event OnFlash needs the method name Flash). FindName
// alone sees only the names existing items derive; the reader keeps that rule so that no
// stored item is dropped.
// A reserved word of Object Pascal is refused too, as the item's name or a name it derives.
NameLookup FindNewItemConflict(const ComponentDef& def, const ItemDef& item);
// The same check for the item numbered number as it stands (renamed) against every other item:
// a rename may make no name that Add would refuse.
NameLookup FindRenameConflict(const ComponentDef& def, int number);

// Whether name (any letter case) is a reserved word of Object Pascal, which can name no item,
// class or unit.
bool IsReservedWord(std::string_view name);

// Empty when name may name the new class, else the message: a reserved word, the parent's
// own name, or a class of the catalogue (which the unit would hide) is refused.
std::string CheckNewClassName(std::string_view name, std::string_view parent,
                              bool is_catalogue_class);

// Derived names.
std::string StorageVariableName(std::string_view name);
bool HasStorageVariable(const PropertyPart& property);
std::string ReadMethodName(std::string_view name);
std::string WriteMethodName(std::string_view name);
std::string IndexDeclaration(const PropertyPart& property);
std::string ReadMethodHeader(const PropertyPart& property);
std::string WriteMethodHeader(const PropertyPart& property);
std::string DispatchMethodName(std::string_view event_name);
std::string EventTypeName(std::string_view event_name);
bool IsNotifyArglist(std::string_view arglist);
// The argument list of TNotifyEvent, as a new event gets it.
inline constexpr std::string_view kNotifyArglist = "(Sender : TObject)";
std::string HandlerName(std::string_view handler_decl);
std::string NormalizeArglist(std::string_view text);
std::string_view MethodKeyword(std::uint8_t method_kind);

// The file a unit, editor unit or page name becomes: the name lower-cased, with extension
// (".pas", ".dcr", ".html", ".cd"). Only an identifier becomes a file name, so that a
// definition file cannot send a generated file out of its folder; for anything else name is
// empty and why_not says why, to be completed as in
// "The unit name " + why_not + ", so no unit was written."
struct DerivedFileName {
  std::string name;
  std::string why_not;
};
DerivedFileName FileNameOf(std::string_view pascal_name, std::string_view extension);

// Empty when the header is acceptable, else the reason.
std::string CheckMethodHeader(std::string_view header, std::uint8_t method_kind);

// What the argument list field of a new event stores when the user leaves it.
std::string TidyNewEventArglist(std::string_view text);

// --- Messages -------------------------------------------------------------------------

std::string MissingEntryMessage(std::string_view what);

// The "what" of MissingEntryMessage for each required field.
namespace missing {
inline constexpr std::string_view kNewClassName = "name for the new class";
inline constexpr std::string_view kUnitName = "name for the unit";
inline constexpr std::string_view kPropertyName = "name for the selected property";
inline constexpr std::string_view kPropertyType = "data type for the selected property";
inline constexpr std::string_view kMethodHeader = "header for the selected method";
inline constexpr std::string_view kEventName = "name for the selected event";
inline constexpr std::string_view kHandlerHeader = "method header for the selected event";
inline constexpr std::string_view kVariableName = "name for the variable";
inline constexpr std::string_view kVariableType = "data type";
inline constexpr std::string_view kDefaultPalette = "default palette";
inline constexpr std::string_view kName = "name";  // the Add command's prompt
inline constexpr std::string_view kDataType = "data type";
}  // namespace missing

// An event name field holding nothing but its prefix counts as empty.
bool IsMissingEventName(std::string_view text);

// "Warning: " + the header check's reason.
std::string HeaderWarningMessage(std::string_view check_result);
std::string DuplicateUnitMessage(std::string_view unit_name);
std::string AddConflictMessage(std::string_view name);
std::string ReservedWordMessage(std::string_view name);
inline constexpr std::string_view kAddCaption = "Add";
inline constexpr std::string_view kStorageFullMessage =
    "Storage full -- cannot add more properties, events, methods, or variables to this component.";

}  // namespace kx::model
