// SPDX-License-Identifier: GPL-3.0-or-later
// The sectioned text layout of definition files: "[Section]" headers holding "Key=Value"
// entries, with multi-line texts stored as a counted block ("Lines=n", then "L1".."Ln").
//
// TExtIniFile writes such a file strictly in order: sections appear in the order of their
// first entry, and returning to a section already left is an error. The bytes collect in
// memory; the caller writes them in one atomic write (platform/atomic_file.h), so a failed save
// never leaves a half-written file behind.
//
// LineReader and the reading primitives walk such a file entry by entry.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "model/component_def.h"

namespace kx::store {

class TIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TExtIniFile {
 public:
  explicit TExtIniFile(std::filesystem::path file_name);

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long long value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // "Lines" with the count (0 for an absent block), then "L1".."Ln" with encoded lines.
  void WriteLines(std::string_view section, const model::TextBlock& block);
  // Opens a section without writing an entry into it.
  void WriteSection(std::string_view section);

  // The file's text so far, lines ended by CR LF.
  const std::string& text() const { return text_; }
  std::string TakeText() && { return std::move(text_); }
  // Room for a text of about this size, so that a large file is not copied while it grows.
  void Reserve(std::size_t bytes) { text_.reserve(bytes); }

 private:
  void OpenSection(std::string_view section);

  std::filesystem::path file_name_;
  std::string current_section_;                       // upper-cased
  std::unordered_set<std::string> sections_written_;  // upper-cased
  bool any_section_ = false;
  std::string text_;
};

// A block line as stored: leading blanks become "~" (never the last character); a line of
// blanks only becomes empty.
std::string EncodeBlockLine(std::string_view line);
// The inverse, applied to a trimmed value.
std::string DecodeBlockLine(std::string_view value);

// The lines of a text, split at CR LF, LF or a lone CR. Nothing is copied.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next line without its line end; false at the end of the text.
  bool Next(std::string_view& line);

 private:
  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t next_lf_ = kUnknown;  // position of the next LF at or after pos_, or the end
};

// The key and the value are views into the text being read: a reader of a large file copies
// only what it keeps.
struct Entry {
  bool is_header = false;
  std::string section;     // for a header: its name, upper-cased
  std::string_view key;    // trimmed, as written; empty for a header or a line without "="
  std::string_view value;  // trimmed
};

// The next non-blank line as an entry; false at the end of the text. The entry's views are
// valid while the text is.
bool ReadEntry(LineReader& reader, Entry& entry);
// A block: a "Lines=n" entry and the next n lines (fewer at the end of the text). Absent when
// the first line read is not such an entry, n is below 1, or nothing could be read.
model::TextBlock ReadLines(LineReader& reader);

// The ".bak" name beside a definition file: its name, extension replaced, in lower case.
std::filesystem::path BackupPathFor(const std::filesystem::path& file_name);

}  // namespace kx::store
