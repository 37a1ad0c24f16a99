// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/text_template.h"

#include <stdexcept>

namespace kx::generate {

std::string Substitute(std::string_view line, const Vars& vars) {
  std::string out;
  out.reserve(line.size());
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t open = line.find('$', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = line.find('$', open + 1);
    if (close == std::string_view::npos) throw std::logic_error("unclosed $ in template");
    out.append(line, pos, open - pos);
    const std::string_view name = line.substr(open + 1, close - open - 1);
    if (name.empty()) {
      out += '$';
    } else {
      const auto value = vars.find(name);
      if (value == vars.end()) throw std::logic_error("no value for $" + std::string(name) + "$");
      out += value->second;
    }
    pos = close + 1;
  }
  out.append(line, pos);
  return out;
}

Lines Expand(std::initializer_list<std::string_view> lines, const Vars& vars) {
  generate::Lines out;
  out.reserve(lines.size());
  for (std::string_view line : lines) out.push_back(Substitute(line, vars));
  return out;
}

void Printer::Line(std::string_view text) {
  text_.append(text);
  text_ += '\n';
}

void Printer::Lines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Line(line);
}

void Printer::Emit(std::initializer_list<std::string_view> lines, const Vars& vars) {
  for (std::string_view line : lines) Line(Substitute(line, vars));
}

std::string WithCrlf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace kx::generate
