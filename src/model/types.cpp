// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/types.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "model/text.h"

namespace kx::model {

namespace {

bool IsOneOf(std::string_view upper, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), upper) != names.end();
}

}  // namespace

bool IsSimpleType(std::string_view type) {
  const std::string t = UpperCase(type);
  return IsOneOf(t, {"BOOLEAN", "BYTE", "INTEGER", "LONGINT", "REAL", "DOUBLE", "TCOLOR", "CHAR",
                     "STRING", "ANSISTRING", "SHORTSTRING"}) ||
         t.starts_with("STRING[");
}

bool IsStringType(std::string_view type) {
  const std::string t = UpperCase(type);
  return t == "STRING" || t.starts_with("STRING[");
}

const std::vector<std::string>& OfferedDataTypes(bool is_property) {
  static const std::vector<std::string> kForProperties = {
      "Boolean", "Double", "Integer", "Longint",  "String",  "TBitmap",
      "TColor",  "TFont",  "TIcon",   "TPicture", "TStrings"};
  static const std::vector<std::string> kElsewhere = {
      "Boolean", "Double", "Integer",  "Longint", "String",   "TBitmap",     "TColor",
      "TFont",   "TIcon",  "TIniFile", "TList",   "TPicture", "TStringList", "TTimer"};
  return is_property ? kForProperties : kElsewhere;
}

std::optional<char> TypeEntryKey(std::string_view current_text, char key) {
  if (static_cast<unsigned char>(key) < ' ') return key;
  if (current_text.empty()) {
    if (!IsAsciiLetter(key)) return std::nullopt;
    return UpCase(key);
  }
  if (IsAsciiLetter(key) || IsAsciiDigit(key) || key == '_') return key;
  return std::nullopt;
}

SuggestionKind ValueSuggestionKind(std::string_view type) {
  const std::string t = UpperCase(type);
  if (t == "BOOLEAN") return SuggestionKind::kBoolean;
  if (t == "STRING") return SuggestionKind::kString;
  if (IsOneOf(t, {"INTEGER", "LONGINT", "WORD"})) return SuggestionKind::kInteger;
  if (IsOneOf(t, {"REAL", "EXTENDED", "DOUBLE"})) return SuggestionKind::kReal;
  if (t == "TCOLOR") return SuggestionKind::kColor;
  if (t == "TALIGN") return SuggestionKind::kAlign;
  if (t == "TALIGNMENT") return SuggestionKind::kAlignment;
  return SuggestionKind::kNone;
}

const std::vector<std::string>& SuggestedValues(SuggestionKind kind) {
  // By kind; each list sorted, as the entry shows it.
  static const std::array<std::vector<std::string>, 8> kValues = {{
      {},
      {"False", "True"},
      {"''"},
      {"0"},
      {"0.0"},
      {"clAqua", "clBlack", "clBlue", "clDkGray", "clFuchsia", "clGray", "clGreen", "clLime",
       "clLtGray", "clMaroon", "clNavy", "clOlive", "clPurple", "clRed", "clSilver", "clTeal",
       "clWhite", "clYellow"},
      {"alBottom", "alClient", "alLeft", "alNone", "alRight", "alTop"},
      {"taCenter", "taLeftJustify", "taRightJustify"},
  }};
  return kValues.at(static_cast<std::size_t>(kind));
}

bool AcceptsValueKey(SuggestionKind kind, char key) {
  if (kind != SuggestionKind::kInteger && kind != SuggestionKind::kReal) return true;
  if (static_cast<unsigned char>(key) < ' ') return true;
  if (IsAsciiDigit(key) || key == '+' || key == '-' || key == 'E' || key == 'e') return true;
  return kind == SuggestionKind::kReal && key == '.';
}

bool ValueSuggestions::FollowType(std::string_view type) {
  std::string upper = UpperCase(type);
  if (upper == last_type_) return false;
  last_type_ = std::move(upper);
  const SuggestionKind kind = ValueSuggestionKind(last_type_);
  if (kind == kind_) return false;
  kind_ = kind;
  return true;
}

std::string InitialValueOfType(std::string_view type, const TypeClass& type_class) {
  const std::string t = UpperCase(type);
  if (t == "BOOLEAN") return "False";
  if (IsOneOf(t, {"BYTE", "INTEGER", "LONGINT", "REAL", "DOUBLE"})) return "0";
  if (t == "TCOLOR") return "clWhite";
  // A character is not a string: '' cannot be assigned to a Char.
  if (t == "CHAR") return "#0";
  if (IsOneOf(t, {"STRING", "ANSISTRING", "SHORTSTRING"}) || t.starts_with("STRING[")) return "''";
  if (!t.empty() && type_class.object) return "nil";
  return {};
}

std::string TidyStringDefault(std::string_view type, std::string_view value) {
  if (!IsStringType(type) || value.empty() || value.front() == '\'' || value.back() == '\'') {
    return std::string(value);
  }
  return "'" + std::string(value) + "'";
}

namespace {

// An integer in Pascal notation of any size that fits 64 bits: optional sign, then decimal
// digits or "$" and hex digits.
std::optional<long long> ReadInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

// Digits, an optional fraction and an optional exponent with digits, after an optional sign.
bool IsRealLiteral(std::string_view text) {
  std::size_t at = 0;
  auto digits = [&] {
    const std::size_t start = at;
    while (at < text.size() && IsAsciiDigit(text[at])) ++at;
    return at > start;
  };
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  if (!digits()) return false;
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits();
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!digits()) return false;
  }
  return at == text.size();
}

// Text that begins as a number does, so that it can only be meant as one.
bool LooksNumeric(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() && (IsAsciiDigit(text.front()) || text.front() == '$' ||
                           (text.front() == '.' && text.size() > 1 && IsAsciiDigit(text[1])));
}

// A string or character literal, or a set.
bool IsStringOrSet(std::string_view text) {
  return text.front() == '\'' || text.front() == '#' || text.front() == '[';
}

bool IsBooleanConstant(std::string_view text) {
  return SameText(text, "True") || SameText(text, "False");
}

struct IntegerRange {
  std::string_view type;
  long long low, high;
};

constexpr std::array<IntegerRange, 9> kIntegerRanges = {{
    {"BYTE", 0, 255},
    {"SHORTINT", -128, 127},
    {"SMALLINT", -32768, 32767},
    {"WORD", 0, 65535},
    {"INTEGER", -2147483648LL, 2147483647LL},
    {"LONGINT", -2147483648LL, 2147483647LL},
    {"CARDINAL", 0, 4294967295LL},
    {"LONGWORD", 0, 4294967295LL},
    // A colour is a Longint; its constants are identifiers.
    {"TCOLOR", -2147483648LL, 2147483647LL},
}};

bool Holds(std::string_view type, std::string_view v) {
  const std::string t = UpperCase(type);
  for (const IntegerRange& range : kIntegerRanges) {
    if (t != range.type) continue;
    if (const std::optional<long long> number = ReadInteger(v)) {
      return *number >= range.low && *number <= range.high;
    }
    return !LooksNumeric(v) && !IsStringOrSet(v) && !IsBooleanConstant(v);
  }
  if (t == "BOOLEAN") return !LooksNumeric(v) && !IsStringOrSet(v);
  if (IsOneOf(t, {"REAL", "SINGLE", "DOUBLE", "EXTENDED", "COMP", "CURRENCY"})) {
    if (ReadInteger(v) || IsRealLiteral(v)) return true;
    return !LooksNumeric(v) && !IsStringOrSet(v) && !IsBooleanConstant(v);
  }
  // Enumerations: only their identifiers.
  if (IsOneOf(t, {"TALIGN", "TALIGNMENT"})) {
    return !LooksNumeric(v) && !IsStringOrSet(v) && !IsBooleanConstant(v);
  }
  return true;
}

}  // namespace

std::string CheckValueOfType(std::string_view type, std::string_view value) {
  const std::string_view v = TrimView(value);
  const std::string_view t = TrimView(type);
  if (v.empty() || Holds(t, v)) return {};
  return "\"" + std::string(value) + "\" is not a value of type " + std::string(t);
}

std::string_view SpecialKindText(PropSpecialType kind) {
  static constexpr std::array<std::string_view, kPropSpecialTypeCount> kTexts = {
      "None",
      "Component type (component link)",
      "Object type (auto create and free)",
      "Object type (value to be assigned)",
      "Index with [I : Longint]",
      "Index with [I, J : Longint]",
      "Index with [S : String]",
  };
  return kTexts.at(static_cast<std::size_t>(kind));
}

std::optional<PropSpecialType> SpecialKindFromText(std::string_view text) {
  for (int k = 0; k < kPropSpecialTypeCount; ++k) {
    auto kind = static_cast<PropSpecialType>(k);
    if (SpecialKindText(kind) == text) return kind;
  }
  return std::nullopt;
}

std::vector<PropSpecialType> OfferedSpecialKinds(std::string_view type,
                                                 const TypeClass& type_class) {
  using enum PropSpecialType;
  if (type.empty()) return {psNone};
  const bool c = type_class.component;
  const bool o = type_class.object;
  std::vector<PropSpecialType> kinds;
  if (!c && !o) kinds.push_back(psNone);
  if (!type_class.simple) {
    if (!c) kinds.push_back(psObjectAutoCreate);
    kinds.push_back(psObjectManualCreate);
    if (!(o && !c)) kinds.push_back(psLinkComponent);
  }
  kinds.insert(kinds.end(), {psIndexedI, psIndexedIJ, psIndexedString});
  return kinds;
}

SpecialKindChoice::SpecialKindChoice()
    : offered_{PropSpecialType::psNone}, selection_(PropSpecialType::psNone) {}

void SpecialKindChoice::SetDataType(std::string_view type, const TypeClass& type_class) {
  offered_ = OfferedSpecialKinds(type, type_class);
  if (type.empty()) {
    selection_ = PropSpecialType::psNone;
  } else if (selection_ &&
             std::find(offered_.begin(), offered_.end(), *selection_) == offered_.end()) {
    selection_.reset();
  }
}

void SpecialKindChoice::SetSelection(PropSpecialType kind) {
  if (std::find(offered_.begin(), offered_.end(), kind) == offered_.end()) offered_.push_back(kind);
  selection_ = kind;
}

std::vector<std::string> CopyrightLines(int year) {
  return {"Copyright \xA9 " + std::to_string(year) + " by ...", "A public domain component by ..."};
}

std::string TidyCopyrightEntry(std::vector<std::string>& offered, std::string_view text) {
  std::string trimmed = Trim(text);
  if (!trimmed.empty() && std::find(offered.begin(), offered.end(), trimmed) == offered.end()) {
    offered.push_back(trimmed);
  }
  return trimmed;
}

}  // namespace kx::model
