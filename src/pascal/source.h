// SPDX-License-Identifier: GPL-3.0-or-later
// The text of one Pascal unit, kept byte for byte, and the positions in it: every node the
// reader finds carries a Span of byte offsets with the line and column of both ends, so a
// later step can cut text out of the unit, or replace a range of it, without touching a byte
// of the rest.
//
//   Source source(std::move(bytes));
//   Span span = source.MakeSpan(10, 24);
//   std::string_view name = source.Text(span);   // the bytes 10..23
//   span.begin.line, span.begin.column           // 1-based; columns count bytes
//
// CRLF, LF and CR alone all end a line. Offsets are 32-bit: the reader refuses a unit larger
// than kMaxSourceSize before it builds one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx::pascal {

// A unit larger than this is refused with kSourceTooLarge; the largest real units are a few MB.
inline constexpr std::size_t kMaxSourceSize = std::size_t{64} << 20;
inline constexpr std::string_view kSourceTooLarge = "The unit is larger than 64 MB.";

struct Location {
  std::uint32_t offset = 0;  // bytes from the start of the unit
  std::uint32_t line = 1;    // from 1
  std::uint32_t column = 1;  // from 1, in bytes
};

// The bytes [begin.offset, end.offset). A span that was not found is empty at offset 0.
struct Span {
  Location begin;
  Location end;
  bool empty() const { return end.offset <= begin.offset; }
  std::uint32_t size() const { return empty() ? 0 : end.offset - begin.offset; }
};

class Source {
 public:
  Source() : Source(std::string()) {}
  explicit Source(std::string bytes);

  std::string_view text() const { return bytes_; }
  std::uint32_t size() const { return static_cast<std::uint32_t>(bytes_.size()); }
  std::size_t line_count() const { return line_starts_.size(); }

  // The line and column of an offset (clamped to the end of the text).
  Location Locate(std::uint32_t offset) const;
  Span MakeSpan(std::uint32_t begin, std::uint32_t end) const;
  std::string_view Text(const Span& span) const;
  std::string_view Text(std::uint32_t begin, std::uint32_t end) const;

 private:
  std::string bytes_;
  std::vector<std::uint32_t> line_starts_;  // offset of the first byte of each line
};

// What the reader tells its caller. An error means the outline stops there or is missing a
// part; a note that it could not follow a part (a generic type, a declaration split by
// {$IFDEF}, an include file) and carried its text through as it is.
enum class Severity { kError, kCannotFollow };

struct Message {
  Severity severity = Severity::kError;
  std::uint32_t line = 0;  // 0 when the message concerns the whole unit
  std::string text;
};

// "line 12: The string is not terminated." (or the text alone without a line).
std::string FormatMessage(const Message& message);

}  // namespace kx::pascal
