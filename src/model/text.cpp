// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace kx::model {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  UpperCaseInPlace(result);
  return result;
}

void UpperCaseInPlace(std::string& text) {
  for (char& c : text) c = UpCase(c);
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // From the end: names in one definition tend to share their beginnings (FColor, FFont,
  // OnClick, OnChange), so a difference shows sooner there.
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i] && UpCase(a[i]) != UpCase(b[i])) return false;
  }
  return true;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool EndsWithText(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

bool IsValidIdent(std::string_view text) {
  if (text.empty() || !(IsAsciiLetter(text[0]) || text[0] == '_')) return false;
  return std::all_of(text.begin() + 1, text.end(), IsIdentChar);
}

long long ParsePascalInteger(std::string_view text, long long default_value) {
  bool negative = false;
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  int base = 10;
  if (!digits.empty() && digits.front() == '$') {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.front() == '+' || digits.front() == '-') return default_value;
  long long value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return default_value;
  if (value > std::numeric_limits<std::int32_t>::max() + (negative ? 1LL : 0LL)) {
    return default_value;
  }
  return negative ? -value : value;
}

}  // namespace kx::model
