// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/dpk_reader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace kx::testing {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct Token {
  enum Kind { kWord, kString, kSymbol, kEnd } kind;
  std::string text;
};

// Words (dotted names included), strings and symbols; comments skipped and directives
// collected into dpk.
std::vector<Token> Tokens(std::string_view text, DpkFile& dpk) {
  std::vector<Token> tokens;
  std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (i < text.size()) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '{') {
      const std::size_t end = text.find('}', i);
      if (end == std::string_view::npos) {
        dpk.error = "a comment is not closed";
        break;
      }
      if (text.substr(i, 2) == "{$") {
        const std::string body(text.substr(i + 2, end - i - 2));
        if (body.size() > 2 && (body[0] == 'R' || body[0] == 'r') && body[1] == ' ') {
          std::string file = body.substr(2);
          file.erase(std::remove(file.begin(), file.end(), '\''), file.end());
          dpk.resources.push_back(file);
        } else {
          dpk.directives.push_back("{$" + body + "}");
        }
      }
      i = end + 1;
    } else if (text.substr(i, 2) == "(*") {
      const std::size_t end = text.find("*)", i + 2);
      i = end == std::string_view::npos ? text.size() : end + 2;
    } else if (text.substr(i, 2) == "//") {
      const std::size_t end = text.find('\n', i);
      i = end == std::string_view::npos ? text.size() : end;
    } else if (c == '\'') {
      std::string value;
      std::size_t j = i + 1;
      for (; j < text.size(); ++j) {
        if (text[j] != '\'') {
          value += text[j];
        } else if (j + 1 < text.size() && text[j + 1] == '\'') {
          value += '\'';
          ++j;
        } else {
          break;
        }
      }
      tokens.push_back({Token::kString, value});
      i = j + 1;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      std::size_t j = i;
      while (j < text.size() &&
             (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_' ||
              (text[j] == '.' && j + 1 < text.size() &&
               std::isalpha(static_cast<unsigned char>(text[j + 1]))))) {
        ++j;
      }
      tokens.push_back({Token::kWord, std::string(text.substr(i, j - i))});
      i = j;
    } else {
      tokens.push_back({Token::kSymbol, std::string(1, c)});
      ++i;
    }
  }
  tokens.push_back({Token::kEnd, ""});
  return tokens;
}

}  // namespace

DpkFile ReadDpk(std::string_view text) {
  DpkFile dpk;
  const std::vector<Token> tokens = Tokens(text, dpk);
  if (!dpk.error.empty()) return dpk;
  std::size_t at = 0;
  auto is = [&](std::string_view word) {
    return tokens[at].kind == Token::kWord && Lower(tokens[at].text) == word;
  };
  auto symbol = [&](std::string_view s) {
    return tokens[at].kind == Token::kSymbol && tokens[at].text == s;
  };
  auto fail = [&](const std::string& what) {
    dpk.error = what + " expected, found '" + tokens[at].text + "'";
    return dpk;
  };
  if (!is("package")) return fail("package");
  ++at;
  if (tokens[at].kind != Token::kWord) return fail("a package name");
  dpk.name = tokens[at++].text;
  if (!symbol(";")) return fail(";");
  ++at;
  if (is("requires")) {
    ++at;
    while (true) {
      if (tokens[at].kind != Token::kWord) return fail("a package name");
      dpk.required.push_back(tokens[at++].text);
      if (symbol(";")) break;
      if (!symbol(",")) return fail(", or ;");
      ++at;
    }
    ++at;
  }
  if (!is("contains")) return fail("contains");
  ++at;
  while (true) {
    if (tokens[at].kind != Token::kWord) return fail("a unit name");
    std::pair<std::string, std::string> unit{tokens[at++].text, ""};
    if (is("in")) {
      ++at;
      if (tokens[at].kind != Token::kString) return fail("a file name");
      unit.second = tokens[at++].text;
    }
    dpk.contained.push_back(unit);
    if (symbol(";")) break;
    if (!symbol(",")) return fail(", or ;");
    ++at;
  }
  ++at;
  if (!is("end")) return fail("end");
  ++at;
  if (!symbol(".")) return fail(".");
  return dpk;
}

std::vector<std::string> CheckDpk(const std::filesystem::path& path) {
  std::vector<std::string> problems;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {path.string() + ": cannot be read"};
  std::ostringstream text;
  text << in.rdbuf();
  const DpkFile dpk = ReadDpk(text.str());
  const std::string where = path.filename().string() + ": ";
  if (!dpk.error.empty()) return {where + dpk.error};
  if (Lower(dpk.name) != Lower(path.stem().string())) {
    problems.push_back(where + "the package is named " + dpk.name);
  }
  std::set<std::string> names;
  for (const std::string& package : dpk.required) {
    if (!names.insert(Lower(package)).second) problems.push_back(where + package + " twice");
  }
  const std::filesystem::path dir = path.parent_path();
  for (const auto& [unit, file] : dpk.contained) {
    if (!names.insert(Lower(unit)).second) problems.push_back(where + unit + " twice");
    if (file.empty()) continue;
    if (!std::filesystem::is_regular_file(dir / file)) {
      problems.push_back(where + file + " does not exist");
      continue;
    }
    if (Lower(std::filesystem::path(file).stem().string()) != Lower(unit)) {
      problems.push_back(where + unit + " is in " + file);
    }
  }
  for (const std::string& resource : dpk.resources) {
    if (resource == "*.res") continue;
    if (!std::filesystem::is_regular_file(dir / resource)) {
      problems.push_back(where + resource + " does not exist");
    }
  }
  return problems;
}

}  // namespace kx::testing
