#include "model/text.h"

#include <algorithm>

namespace kx::model {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpCase(c);
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpCase(x) == UpCase(y); });
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool EndsWithText(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

std::string Trim(std::string_view text) {
  auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && is_blank(text[first])) ++first;
  while (last > first && is_blank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

bool IsValidIdent(std::string_view text) {
  if (text.empty() || !(IsAsciiLetter(text[0]) || text[0] == '_')) return false;
  return std::all_of(text.begin() + 1, text.end(),
                     [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; });
}

}  // namespace kx::model
