// SPDX-License-Identifier: GPL-3.0-or-later
#include "kxrc/resource_script.h"

#include <cstdio>
#include <map>

namespace kx::kxrc {

namespace {

constexpr std::size_t kBitmapFileHeaderSize = 14;
// The smallest header a device-independent bitmap has (OS/2's BITMAPCOREHEADER).
constexpr std::size_t kSmallestInfoHeader = 12;
// How much of a bad token a message quotes.
constexpr std::size_t kQuotedTokenLength = 24;

struct Token {
  enum Kind { kWord, kData, kEnd } kind = kEnd;
  std::string_view text;  // a data token without its apostrophes
  int line = 0;
};

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool SameKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (UpperAscii(word[i]) != keyword[i]) return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text for a message: cut short, bytes that would not print shown as \xNN.
std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (std::size_t i = 0; i < text.size() && i < kQuotedTokenLength; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  if (text.size() > kQuotedTokenLength) out += "...";
  return out + "'";
}

std::string Describe(const Token& token) {
  switch (token.kind) {
    case Token::kWord:
      return Quoted(token.text);
    case Token::kData:
      return "data in apostrophes";
    case Token::kEnd:
      return "the end of the script";
  }
  return {};
}

std::uint32_t ReadUint32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// Words, data in apostrophes and line numbers; a failure ends the script with an error.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  // The next token, or nothing after setting error.
  std::optional<Token> Next(std::optional<ScriptError>& error) {
    SkipSpace();
    if (pos_ >= text_.size()) return Token{Token::kEnd, {}, line_};
    if (text_[pos_] == '\'') {
      const std::size_t start = ++pos_;
      while (pos_ < text_.size() && text_[pos_] != '\'' && !IsLineEnd(text_[pos_])) ++pos_;
      if (pos_ >= text_.size() || text_[pos_] != '\'') {
        error = ScriptError{line_, "the data has no closing apostrophe on its line"};
        return std::nullopt;
      }
      return Token{Token::kData, text_.substr(start, pos_++ - start), line_};
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_]) && !IsLineEnd(text_[pos_]) &&
           text_[pos_] != '\'') {
      ++pos_;
    }
    return Token{Token::kWord, text_.substr(start, pos_ - start), line_};
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\r' || c == '\n') {
        // CR LF is one line end; a lone CR or LF is one too.
        ++pos_;
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
      } else if (IsBlank(c)) {
        ++pos_;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

std::optional<std::string> CheckName(std::string_view name, BitmapResource& resource) {
  if (name.size() > kMaxNameLength) {
    return "the resource name is longer than " + std::to_string(kMaxNameLength) + " characters";
  }
  bool digits_only = true;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '"') {
      return "the resource name " + Quoted(name) +
             " holds a character other than a letter, digit or sign of ASCII";
    }
    digits_only = digits_only && c >= '0' && c <= '9';
  }
  if (digits_only) {
    unsigned long id = 0;
    for (char c : name) {
      id = id * 10 + static_cast<unsigned long>(c - '0');
      if (id > 0xFFFF) return "the resource id " + std::string(name) + " is larger than 65535";
    }
    resource.id = static_cast<std::uint16_t>(id);
    return std::nullopt;
  }
  for (char c : name) resource.name += UpperAscii(c);
  return std::nullopt;
}

// Appends the bytes of one data line.
std::optional<std::string> AppendBytes(std::string_view data, std::string& bytes) {
  std::size_t pos = 0;
  while (pos < data.size()) {
    if (IsBlank(data[pos])) {
      ++pos;
      continue;
    }
    std::size_t end = pos;
    while (end < data.size() && !IsBlank(data[end])) ++end;
    const std::string_view byte = data.substr(pos, end - pos);
    if (byte.size() != 2 || HexValue(byte[0]) < 0 || HexValue(byte[1]) < 0) {
      return Quoted(byte) + " is not a byte of two hexadecimal digits";
    }
    bytes += static_cast<char>(HexValue(byte[0]) * 16 + HexValue(byte[1]));
    pos = end;
  }
  return std::nullopt;
}

std::optional<std::string> CheckBitmapFile(std::string_view file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
    return "the bitmap data does not start with \"BM\", the mark of a bitmap file";
  }
  if (file.size() < kBitmapFileHeaderSize + kSmallestInfoHeader) {
    return "the bitmap data is too short for a bitmap file (" + std::to_string(file.size()) +
           " bytes)";
  }
  const std::uint32_t declared = ReadUint32(file, 2);
  if (declared != file.size()) {
    return "the bitmap file says it has " + std::to_string(declared) + " bytes, the data has " +
           std::to_string(file.size());
  }
  return std::nullopt;
}

}  // namespace

ParsedScript ParseResourceScript(std::string_view text) {
  ParsedScript result;
  std::map<std::string, int> first_lines;
  Tokenizer tokens(text);
  auto fail = [&](int line, std::string message) {
    result.resources.clear();
    result.error = ScriptError{line, std::move(message)};
    return result;
  };
  while (true) {
    std::optional<Token> name = tokens.Next(result.error);
    if (!name) return fail(result.error->line, result.error->message);
    if (name->kind == Token::kEnd) break;
    if (name->kind != Token::kWord) {
      return fail(name->line, "expected a resource name, found " + Describe(*name));
    }
    BitmapResource resource;
    resource.line = name->line;
    if (auto problem = CheckName(name->text, resource)) return fail(name->line, *problem);
    // Keyed by the name as stored; an id is kept apart by a leading '"', which no name holds.
    const std::string key = resource.id ? "\"" + std::to_string(*resource.id) : resource.name;
    if (const auto [earlier, added] = first_lines.emplace(key, name->line); !added) {
      return fail(name->line, "the resource " + Quoted(name->text) +
                                  " is defined twice (first on line " +
                                  std::to_string(earlier->second) + ")");
    }

    std::optional<Token> type = tokens.Next(result.error);
    if (!type) return fail(result.error->line, result.error->message);
    if (type->kind != Token::kWord || !SameKeyword(type->text, "BITMAP")) {
      return fail(type->line, "expected BITMAP after the resource name, found " + Describe(*type));
    }
    std::optional<Token> begin = tokens.Next(result.error);
    if (!begin) return fail(result.error->line, result.error->message);
    if (begin->kind != Token::kWord || !SameKeyword(begin->text, "BEGIN")) {
      return fail(begin->line, "expected BEGIN, found " + Describe(*begin));
    }

    std::string file;
    while (true) {
      std::optional<Token> data = tokens.Next(result.error);
      if (!data) return fail(result.error->line, result.error->message);
      if (data->kind == Token::kData) {
        if (auto problem = AppendBytes(data->text, file)) return fail(data->line, *problem);
        continue;
      }
      if (data->kind == Token::kWord && SameKeyword(data->text, "END")) break;
      return fail(data->line, "expected data in apostrophes or END, found " + Describe(*data));
    }
    if (auto problem = CheckBitmapFile(file)) return fail(resource.line, *problem);
    resource.data = file.substr(kBitmapFileHeaderSize);
    result.resources.push_back(std::move(resource));
  }
  return result;
}

}  // namespace kx::kxrc
