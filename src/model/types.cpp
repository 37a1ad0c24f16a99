#include "model/types.h"

#include <algorithm>
#include <array>

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
