#include "store/ext_ini_file.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "model/text.h"
#include "platform/atomic_file.h"

namespace kx::store {

using model::Trim;
using model::UpperCase;

namespace {

// A line break inside a value would end the entry early and let the rest of the value be
// read as entries or sections of their own; it is written as a blank instead.
void AppendSingleLine(std::string& out, std::string_view text) {
  for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
}

}  // namespace

TExtIniFile::TExtIniFile(std::filesystem::path file_name) : file_name_(std::move(file_name)) {}

void TExtIniFile::OpenSection(std::string_view section) {
  const std::string upper = UpperCase(section);
  if (upper == current_section_ && !sections_written_.empty()) return;
  const std::string bracketed = "[" + upper + "]";
  if (std::find(sections_written_.begin(), sections_written_.end(), bracketed) !=
      sections_written_.end()) {
    throw TIniFileException("Writing of section " + bracketed + " interrupted by section [" +
                            current_section_ + "] in " + file_name_.string());
  }
  text_ += '[';
  AppendSingleLine(text_, section);
  text_ += "]\r\n";
  current_section_ = upper;
  sections_written_.push_back(bracketed);
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
  for (std::size_t i = 0; i < n; ++i) {
    WriteString(section, "L" + std::to_string(i + 1), EncodeBlockLine((*block)[i]));
  }
}

void TExtIniFile::Commit() const {
  if (platform::WriteFileAtomically(file_name_, text_)) {
    throw TIniFileException(file_name_.string() + " could not be created");
  }
}

std::string EncodeBlockLine(std::string_view line) {
  if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; })) return {};
  std::string encoded(line);
  for (std::size_t i = 0; i + 1 < encoded.size() && encoded[i] == ' '; ++i) encoded[i] = '~';
  return encoded;
}

std::string DecodeBlockLine(std::string_view value) {
  if (std::all_of(value.begin(), value.end(), [](char c) { return c == '~'; })) return {};
  std::string decoded(value);
  for (std::size_t i = 0; i + 1 < decoded.size() && decoded[i] == '~'; ++i) decoded[i] = ' ';
  return decoded;
}

bool LineReader::Next(std::string_view& line) {
  if (AtEnd()) return false;
  const std::size_t end = text_.find_first_of("\r\n", pos_);
  if (end == std::string_view::npos) {
    line = text_.substr(pos_);
    pos_ = text_.size();
    return true;
  }
  line = text_.substr(pos_, end - pos_);
  pos_ = end + ((text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ? 2 : 1);
  return true;
}

namespace {

// The entry of one line that is not blank.
Entry ParseEntry(std::string_view raw) {
  Entry entry;
  const std::string line = Trim(raw);
  if (!line.empty() && line.front() == '[') {
    entry.is_header = true;
    // The last character is dropped whatever it is: a header without "]" loses a letter.
    entry.section = UpperCase(std::string_view(line).substr(1, line.size() - (line.size() > 1 ? 2 : 1)));
    entry.value = line;
    return entry;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) {
    entry.value = line;
  } else {
    entry.key = UpperCase(Trim(std::string_view(line).substr(0, equals)));
    entry.value = Trim(std::string_view(line).substr(equals + 1));
  }
  return entry;
}

// The text after the first "=" of a raw line (the whole line without one), trimmed.
std::string ValueOf(std::string_view raw) {
  const std::size_t equals = raw.find('=');
  return Trim(equals == std::string_view::npos ? raw : raw.substr(equals + 1));
}

}  // namespace

bool ReadEntry(LineReader& reader, Entry& entry) {
  std::string_view line;
  while (reader.Next(line)) {
    if (Trim(line).empty()) continue;
    entry = ParseEntry(line);
    return true;
  }
  return false;
}

model::TextBlock ReadLines(LineReader& reader) {
  Entry first;
  if (!ReadEntry(reader, first) || first.is_header || first.key != "LINES") return std::nullopt;
  long long n = ParseInteger(first.value, 0);
  if (n < 1) return std::nullopt;
  std::vector<std::string> lines;
  std::string_view raw;
  // n comes from the file: never reserve by it, the text's end bounds the loop.
  while (n-- > 0 && reader.Next(raw)) lines.push_back(DecodeBlockLine(ValueOf(raw)));
  if (lines.empty()) return std::nullopt;
  return lines;
}

std::filesystem::path BackupPathFor(const std::filesystem::path& file_name) {
  std::filesystem::path backup = file_name;
  backup.replace_extension(".bak");
  return file_name.parent_path() / model::LowerCase(backup.filename().string());
}

std::error_code MakeBackup(const std::filesystem::path& file_name) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path backup = BackupPathFor(file_name);
  if (!fs::exists(file_name, error) || backup == file_name) return {};
  fs::remove(backup, error);
  if (error) return error;
  // A second name for the same file costs nothing and cannot fail half way; where the file
  // system has no hard links, a copy does the same.
  fs::create_hard_link(file_name, backup, error);
  if (error) {
    error.clear();
    fs::copy_file(file_name, backup, fs::copy_options::overwrite_existing, error);
  }
  return error;
}

long long ParseInteger(std::string_view text, long long default_value) {
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

}  // namespace kx::store
