// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ext_ini_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "model/text.h"

namespace kx::store {

using model::UpperCase;

namespace {

// A line break inside a value would end the entry early and let the rest of the value be
// read as entries or sections of their own; it is written as a blank instead.
void AppendSingleLine(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  out.append(text);
  for (std::size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  }
}

}  // namespace

TExtIniFile::TExtIniFile(std::filesystem::path file_name) : file_name_(std::move(file_name)) {}

void TExtIniFile::OpenSection(std::string_view section) {
  if (any_section_ && model::SameText(section, current_section_)) return;
  std::string upper = UpperCase(section);
  if (sections_written_.contains(upper)) {
    throw TIniFileException("Writing of section [" + upper + "] interrupted by section [" +
                            current_section_ + "] in " + file_name_.string());
  }
  text_ += '[';
  AppendSingleLine(text_, section);
  text_ += "]\r\n";
  sections_written_.insert(upper);
  current_section_ = std::move(upper);
  any_section_ = true;
}

void TExtIniFile::WriteSection(std::string_view section) { OpenSection(section); }

void TExtIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  OpenSection(section);
  AppendSingleLine(text_, key);
  text_ += '=';
  AppendSingleLine(text_, value);
  text_ += "\r\n";
}

void TExtIniFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void TExtIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TExtIniFile::WriteLines(std::string_view section, const model::TextBlock& block) {
  const std::size_t n = block ? block->size() : 0;
  WriteInteger(section, "Lines", static_cast<long long>(n));
  std::string key = "L";
  for (std::size_t i = 0; i < n; ++i) {
    key.resize(1);
    key += std::to_string(i + 1);
    WriteString(section, key, EncodeBlockLine((*block)[i]));
  }
}

std::string EncodeBlockLine(std::string_view line) {
  if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; })) return {};
  std::string encoded(line);
  for (std::size_t i = 0; i + 1 < encoded.size() && encoded[i] == ' '; ++i) encoded[i] = '~';
  return encoded;
}

std::string DecodeBlockLine(std::string_view value) {
  std::size_t tildes = 0;
  while (tildes < value.size() && value[tildes] == '~') ++tildes;
  if (tildes == value.size()) return {};
  std::string decoded(value);
  std::fill_n(decoded.begin(), tildes, ' ');
  return decoded;
}

bool LineReader::Next(std::string_view& line) {
  if (AtEnd()) return false;
  // The line ends at the first CR or LF: find the LF, then a CR before it within the line.
  // The LF found is remembered: in a file of CR-only line ends there is none, and searching
  // the rest of the file again for every line would take quadratic time.
  const char* begin = text_.data() + pos_;
  if (next_lf_ < pos_ || next_lf_ == kUnknown) {
    const void* lf = std::memchr(begin, '\n', text_.size() - pos_);
    next_lf_ =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text_.data()) : text_.size();
  }
  std::size_t length = next_lf_ - pos_;
  if (const void* cr = std::memchr(begin, '\r', length)) {
    length = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
  }
  line = text_.substr(pos_, length);
  std::size_t next = pos_ + length + 1;  // past the CR or LF
  if (pos_ + length < text_.size() && text_[pos_ + length] == '\r' && next < text_.size() &&
      text_[next] == '\n') {
    ++next;
  }
  pos_ = std::min(next, text_.size());
  return true;
}

namespace {

// The entry of one trimmed line that is not blank. The section's string is assigned, not
// rebuilt, so that reading a file reuses its buffer from header to header.
void ParseEntry(std::string_view line, Entry& entry) {
  entry.is_header = line.front() == '[';
  entry.key = {};
  if (entry.is_header) {
    // The last character is dropped whatever it is: a header without "]" loses a letter.
    entry.section.assign(line.substr(1, line.size() - (line.size() > 1 ? 2 : 1)));
    model::UpperCaseInPlace(entry.section);
    entry.value = line;
    return;
  }
  entry.section.clear();
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    entry.value = line;
  } else {
    entry.key = model::TrimView(line.substr(0, equals));
    entry.value = model::TrimView(line.substr(equals + 1));
  }
}

// The text after the first "=" of a raw line (the whole line without one), trimmed.
std::string_view ValueOf(std::string_view raw) {
  const std::size_t equals = raw.find('=');
  return model::TrimView(equals == std::string_view::npos ? raw : raw.substr(equals + 1));
}

}  // namespace

bool ReadEntry(LineReader& reader, Entry& entry) {
  std::string_view line;
  while (reader.Next(line)) {
    line = model::TrimView(line);
    if (line.empty()) continue;
    ParseEntry(line, entry);
    return true;
  }
  return false;
}

model::TextBlock ReadLines(LineReader& reader) {
  Entry first;
  if (!ReadEntry(reader, first) || first.is_header || !model::SameText(first.key, "LINES")) {
    return std::nullopt;
  }
  long long n = model::ParsePascalInteger(first.value, 0);
  if (n < 1) return std::nullopt;
  std::vector<std::string> lines;
  // n comes from the file: reserve no more than a usual block by it; the text's end bounds
  // the loop.
  lines.reserve(static_cast<std::size_t>(std::min<long long>(n, 64)));
  std::string_view raw;
  while (n-- > 0 && reader.Next(raw)) lines.push_back(DecodeBlockLine(ValueOf(raw)));
  if (lines.empty()) return std::nullopt;
  return lines;
}

std::filesystem::path BackupPathFor(const std::filesystem::path& file_name) {
  std::filesystem::path backup = file_name;
  backup.replace_extension(".bak");
  return file_name.parent_path() / model::LowerCase(backup.filename().string());
}

}  // namespace kx::store
