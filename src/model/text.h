// SPDX-License-Identifier: GPL-3.0-or-later
// Text helpers with the semantics of the Pascal runtime the definitions come from:
// strings are Windows-1252 bytes, case folding touches only "a".."z", and trimming
// removes every control character and blank at either end.
#pragma once

#include <string>
#include <string_view>

namespace kx::model {

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Case-insensitive equality (both sides upper-cased).
bool SameText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view text, std::string_view prefix);
bool EndsWithText(std::string_view text, std::string_view suffix);
std::string Trim(std::string_view text);
// The same without a copy: a view into text. Inline: a reader trims every line it reads.
inline std::string_view TrimView(std::string_view text) {
  auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}
// Upper-cases "a".."z" in place.
void UpperCaseInPlace(std::string& text);

inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
// A letter, digit or underscore: a character that may continue a Pascal identifier.
inline bool IsIdentChar(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; }
inline char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Integers as the Pascal runtime reads them: optional sign, then decimal digits or "$" and
// hex digits, nothing else; anything else (or more than 32 bits) gives the default.
long long ParsePascalInteger(std::string_view text, long long default_value);

// A letter or "_" followed by letters, digits or "_".
bool IsValidIdent(std::string_view text);

}  // namespace kx::model
