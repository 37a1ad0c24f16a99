// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/profile_store.h"

#include <algorithm>
#include <climits>
#include <unordered_set>
#include <utility>

#include "model/text.h"
#include "platform/atomic_file.h"
#include "store/ext_ini_file.h"

namespace kx::store {

namespace {

namespace fs = std::filesystem;
using model::SameText;
using model::TrimView;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The inverse of Unquote and of the trimming, for values that would otherwise lose their ends.
std::string Quote(std::string_view value) {
  const bool needs_quotes =
      !value.empty() &&
      (IsBlank(value.front()) || IsBlank(value.back()) ||
       (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
  return needs_quotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

struct Line {
  enum class Kind { kOther, kSection, kEntry };
  Kind kind = Kind::kOther;
  std::string_view name;   // the section name or the key
  std::string_view value;  // an entry's value, trimmed and unquoted
  bool blank = true;
  std::size_t begin = 0;        // offset of the line in the bytes
  std::size_t content_end = 0;  // offset of its line end
  std::size_t next = 0;         // offset after its line end
};

Line ParseLine(std::string_view bytes, std::string_view raw) {
  Line line;
  line.begin = static_cast<std::size_t>(raw.data() - bytes.data());
  line.content_end = line.begin + raw.size();
  line.next = line.content_end;
  if (line.next < bytes.size()) {
    line.next +=
        (bytes[line.next] == '\r' && line.next + 1 < bytes.size() && bytes[line.next + 1] == '\n')
            ? 2
            : 1;
  }
  const std::string_view text = TrimView(raw);
  line.blank = text.empty();
  if (text.empty() || text.front() == ';') return line;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::kSection;
      line.name = TrimView(text.substr(1, close - 1));
    }
    return line;
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return line;
  line.name = TrimView(text.substr(0, equals));
  if (line.name.empty()) return line;
  line.kind = Line::Kind::kEntry;
  line.value = Unquote(TrimView(text.substr(equals + 1)));
  return line;
}

// Calls visit(line, section) for every line, with the section the line is in (nothing before
// the first header); visit returns false to stop.
template <typename Visit>
void Walk(std::string_view bytes, Visit visit) {
  LineReader reader(bytes);
  std::string_view raw;
  std::optional<std::string_view> section;
  while (reader.Next(raw)) {
    const Line line = ParseLine(bytes, raw);
    if (line.kind == Line::Kind::kSection) section = line.name;
    if (!visit(line, section)) return;
  }
}

bool InSection(const std::optional<std::string_view>& current, std::string_view section) {
  return current.has_value() && SameText(*current, section);
}

int ParseProfileInt(std::string_view text, int default_value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  if (i == text.size() || !model::IsAsciiDigit(text[i])) return default_value;
  long long magnitude = 0;
  for (; i < text.size() && model::IsAsciiDigit(text[i]); ++i) {
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (text[i] - '0');  // then clamped
  }
  return static_cast<int>(
      std::clamp<long long>(negative ? -magnitude : magnitude, INT_MIN, INT_MAX));
}

}  // namespace

std::optional<std::string> Profile::Find(std::string_view section, std::string_view key) const {
  std::optional<std::string> found;
  Walk(bytes_, [&](const Line& line, const std::optional<std::string_view>& current) {
    if (line.kind == Line::Kind::kEntry && InSection(current, section) &&
        SameText(line.name, key)) {
      found = std::string(line.value);
    }
    return !found;
  });
  return found;
}

std::string Profile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  return Find(section, key).value_or(std::string(default_value));
}

int Profile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
  const std::optional<std::string> value = Find(section, key);
  return value ? ParseProfileInt(*value, default_value) : default_value;
}

bool Profile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

std::vector<std::string> Profile::SectionNames() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  Walk(bytes_, [&](const Line& line, const std::optional<std::string_view>&) {
    if (line.kind == Line::Kind::kSection && seen.insert(model::UpperCase(line.name)).second) {
      names.emplace_back(line.name);
    }
    return true;
  });
  return names;
}

void Profile::ForEachEntry(const EntryVisitor& visit) const {
  Walk(bytes_, [&](const Line& line, const std::optional<std::string_view>& current) {
    if (line.kind == Line::Kind::kEntry && current) visit(*current, line.name, line.value);
    return true;
  });
}

void Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = FirstLine(section);
  key = FirstLine(key);
  const std::string entry = std::string(key) + "=" + Quote(FirstLine(value));

  std::optional<Line> key_line;
  std::optional<Line> section_end;  // the last line that is not blank in the section's first
                                    // occurrence (its header at least)
  bool in_first_occurrence = false;
  bool last_line_blank = true;
  Walk(bytes_, [&](const Line& line, const std::optional<std::string_view>& current) {
    last_line_blank = line.blank;
    if (line.kind == Line::Kind::kSection) {
      in_first_occurrence = !section_end && SameText(line.name, section);
    }
    if (in_first_occurrence && !line.blank) section_end = line;
    if (line.kind == Line::Kind::kEntry && InSection(current, section) &&
        SameText(line.name, key)) {
      key_line = line;
    }
    return !key_line;
  });

  if (key_line) {
    bytes_.replace(key_line->begin, key_line->content_end - key_line->begin, entry);
  } else if (section_end) {
    const bool has_line_end = section_end->next > section_end->content_end;
    bytes_.insert(section_end->next, (has_line_end ? "" : "\r\n") + entry + "\r\n");
  } else {
    std::string tail;
    if (!bytes_.empty()) {
      if (bytes_.back() != '\r' && bytes_.back() != '\n') tail += "\r\n";
      if (!last_line_blank) tail += "\r\n";
    }
    tail += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    bytes_ += tail;
  }
}

void Profile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void Profile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void Profile::EraseSection(std::string_view section) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;  // [begin, end)
  constexpr std::size_t kOutside = std::string::npos;
  std::size_t start = kOutside;  // where the section being erased began
  Walk(bytes_, [&](const Line& line, const std::optional<std::string_view>&) {
    if (line.kind != Line::Kind::kSection) return true;
    if (SameText(line.name, section)) {
      if (start == kOutside) start = line.begin;
    } else if (start != kOutside) {
      ranges.emplace_back(start, line.begin);
      start = kOutside;
    }
    return true;
  });
  if (start != kOutside) ranges.emplace_back(start, bytes_.size());
  for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
    bytes_.erase(range->first, range->second - range->first);
  }
}

ProfileStatus ReadProfile(const fs::path& file, Profile& profile) {
  profile = Profile();
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return {};
  if (!error && fs::is_directory(status)) error = std::make_error_code(std::errc::is_a_directory);
  std::string bytes;
  if (!error) error = platform::ReadWholeFile(file, bytes, kMaxProfileBytes);
  if (error) return {error, file.string() + " could not be read (" + error.message() + ")"};
  profile = Profile(std::move(bytes));
  return {};
}

ProfileStatus WriteProfile(const fs::path& file, const Profile& profile) {
  std::error_code error;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), error);
  if (!error) error = platform::WriteFileAtomically(file, profile.bytes());
  if (error) return {error, file.string() + " could not be written (" + error.message() + ")"};
  return {};
}

ProfileStatus UpdateProfile(const fs::path& file, const std::function<void(Profile&)>& change) {
  Profile before;
  if (ProfileStatus read = ReadProfile(file, before); !read.ok()) return read;
  Profile after = before;
  change(after);
  if (after.bytes() == before.bytes()) return {};
  return WriteProfile(file, after);
}

}  // namespace kx::store
