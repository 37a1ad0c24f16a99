// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/printer.h"

#include <algorithm>
#include <stdexcept>

#include "model/text.h"

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

namespace {

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

// The line without trailing blanks, unless it ends in the marker " |" that keeps them.
std::string_view WithoutMarker(std::string_view line) {
  if (line.size() >= 2 && line.back() == '|' && line[line.size() - 2] == ' ') {
    line.remove_suffix(1);
    return line;
  }
  return line.substr(0, line.find_last_not_of(' ') + 1);
}

}  // namespace

Lines ExpandBlock(std::string_view block, const Vars& vars) {
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0;;) {
    const std::size_t end = block.find('\n', pos);
    if (end == std::string_view::npos) {
      lines.push_back(block.substr(pos));
      break;
    }
    lines.push_back(block.substr(pos, end - pos));
    pos = end + 1;
  }
  // The break after R"( goes. When )" stands on a line of its own, its blanks are the
  // indentation to drop, so a block may keep some of its own; else the lines share it.
  if (lines.size() > 1 && lines.front().empty()) lines.erase(lines.begin());
  std::size_t indent = std::string_view::npos;
  if (lines.size() > 1 && IsBlank(lines.back())) {
    indent = lines.back().size();
    lines.pop_back();
  } else {
    for (std::string_view line : lines) {
      if (!IsBlank(line)) indent = std::min(indent, line.find_first_not_of(' '));
    }
  }
  generate::Lines out;
  out.reserve(lines.size());
  for (std::string_view line : lines) {
    if (IsBlank(line)) {
      out.emplace_back();
      continue;
    }
    if (line.find_first_not_of(' ') < indent) {
      throw std::logic_error("template line left of its block: " + std::string(line));
    }
    out.push_back(Substitute(WithoutMarker(line.substr(indent)), vars));
  }
  return out;
}

std::string MapWords(std::string_view line, std::span<const WordMapping> words) {
  std::string out;
  out.reserve(line.size());
  bool in_string = false;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '\'') in_string = !in_string;
    if (in_string || !model::IsIdentChar(c) || (i > 0 && model::IsIdentChar(line[i - 1]))) {
      out += c;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && model::IsIdentChar(line[end])) ++end;
    const std::string_view word = line.substr(i, end - i);
    std::string_view replacement = word;
    for (const WordMapping& m : words) {
      if (model::SameText(word, m.from)) replacement = m.to;
    }
    out += replacement;
    i = end;
  }
  return out;
}

void Printer::Line(std::string_view text) {
  if (!words_.empty()) {
    text_ += MapWords(text, words_);
    text_ += '\n';
    return;
  }
  text_.append(text);
  text_ += '\n';
}

void Printer::Lines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Line(line);
}

void Printer::Emit(std::initializer_list<std::string_view> lines, const Vars& vars) {
  for (std::string_view line : lines) Line(Substitute(line, vars));
}

void Printer::Block(std::string_view block, const Vars& vars) {
  for (const std::string& line : ExpandBlock(block, vars)) Line(line);
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
