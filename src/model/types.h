// SPDX-License-Identifier: GPL-3.0-or-later
// What the system knows of data types written as Pascal text: which types it offers, how it
// classifies a type name, which default values it suggests and how it tidies a default,
// which special property kinds it offers for a type, and the suggested copyright lines.
// These are the rules of the type, value, special-kind and copyright entry boxes; the boxes
// only draw them.
//
// Whether a type is an object or component type is the class catalogue's knowledge, which
// this layer cannot see: the rules that need it take a TypeClass, and kx::catalog's
// ClassifyType fills one in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"

namespace kx::model {

bool IsSimpleType(std::string_view type);
bool IsStringType(std::string_view type);

struct TypeClass {
  bool component = false;  // a standard class of the catalogue
  bool object = false;     // a class of the catalogue's unit table
  bool simple = false;     // IsSimpleType
};

// The sorted lists the type entry offers (for properties, or for variables and elsewhere).
const std::vector<std::string>& OfferedDataTypes(bool is_property);

// A key typed into the type entry: the character to insert, or nothing when the key is
// refused. current_text is the entry's text before the key.
std::optional<char> TypeEntryKey(std::string_view current_text, char key);

// The default-value entry's classification of its type: which values it offers and which
// keys it takes.
enum class SuggestionKind : std::uint8_t {
  kNone,
  kBoolean,
  kString,
  kInteger,  // Integer, Longint, Word
  kReal,     // Real, Extended, Double
  kColor,
  kAlign,
  kAlignment,
};
SuggestionKind ValueSuggestionKind(std::string_view type);
const std::vector<std::string>& SuggestedValues(SuggestionKind kind);
bool AcceptsValueKey(SuggestionKind kind, char key);

// The default-value entry's list follows the type entry: the list is replaced only when
// the type's suggestion kind changes, and the typed text is never touched.
class ValueSuggestions {
 public:
  // Returns true when the offered list was replaced.
  bool FollowType(std::string_view type);
  SuggestionKind kind() const { return kind_; }
  const std::vector<std::string>& values() const { return SuggestedValues(kind_); }

 private:
  std::string last_type_;
  SuggestionKind kind_ = SuggestionKind::kNone;
};

// Pascal text that initialises a value of the type; empty when the system knows none.
std::string InitialValueOfType(std::string_view type, const TypeClass& type_class);

// A string-typed default gets single quotes unless it is empty or already starts or ends
// with one; the caller stores the result into its field (which cuts it to capacity).
std::string TidyStringDefault(std::string_view type, std::string_view value);

// Empty when a default or initial value may be of the type, else the reason, as in
// "\"500e\" is not a value of type Integer". Only what the type plainly cannot hold is
// refused (a malformed number, a number out of range, a string or set where a number or
// Boolean belongs); an identifier or an expression may be a constant and passes. A type the
// system does not know takes any value.
std::string CheckValueOfType(std::string_view type, std::string_view value);

std::string_view SpecialKindText(PropSpecialType kind);
std::optional<PropSpecialType> SpecialKindFromText(std::string_view text);
std::vector<PropSpecialType> OfferedSpecialKinds(std::string_view type,
                                                 const TypeClass& type_class);

// The special-kind entry: its offered list and the chosen kind.
class SpecialKindChoice {
 public:
  SpecialKindChoice();
  // Rebuilds the list for the type; the previous choice stays chosen only while offered.
  void SetDataType(std::string_view type, const TypeClass& type_class);
  // Choosing from the program offers the kind first when it is missing.
  void SetSelection(PropSpecialType kind);
  const std::vector<PropSpecialType>& offered() const { return offered_; }
  std::optional<PropSpecialType> selection() const { return selection_; }

 private:
  std::vector<PropSpecialType> offered_;
  std::optional<PropSpecialType> selection_;
};

// The two lines the copyright entry offers; "\xA9" is the copyright sign in Windows-1252.
std::vector<std::string> CopyrightLines(int year);
// Entering or leaving the copyright entry: returns the trimmed text, and remembers a
// non-empty text not yet offered at the end of the list.
std::string TidyCopyrightEntry(std::vector<std::string>& offered, std::string_view text);

}  // namespace kx::model
