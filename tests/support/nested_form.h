// SPDX-License-Identifier: GPL-3.0-or-later
// A small binary form that expands a hundredfold as text: 255 nested panels, the innermost
// with the given number of tiny integer properties, each of which becomes a line indented
// by over 500 blanks.
#pragma once

#include <string>

namespace kx::testing {

inline std::string NestedForm(int properties, int depth = 255) {
  const auto short_string = [](const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
  };
  const std::string header = short_string("TPanel") + short_string("P");
  std::string bytes = "TPF0";
  for (int i = 1; i < depth; ++i) bytes += header + '\0';
  bytes += header;
  const std::string property = short_string("A") + "\x02\x01";
  bytes.reserve(bytes.size() + property.size() * static_cast<std::size_t>(properties) + depth + 1);
  for (int i = 0; i < properties; ++i) bytes += property;
  bytes += std::string(static_cast<std::size_t>(depth) + 1, '\0');
  return bytes;
}

}  // namespace kx::testing
