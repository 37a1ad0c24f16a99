// SPDX-License-Identifier: GPL-3.0-or-later
#include "pascal/source.h"

#include <algorithm>

namespace kx::pascal {

Source::Source(std::string bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() > kMaxSourceSize) bytes_.resize(kMaxSourceSize);
  line_starts_.push_back(0);
  const std::size_t n = bytes_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = bytes_[i];
    if (c == '\r') {
      if (i + 1 < n && bytes_[i + 1] == '\n') ++i;
      line_starts_.push_back(static_cast<std::uint32_t>(i + 1));
    } else if (c == '\n') {
      line_starts_.push_back(static_cast<std::uint32_t>(i + 1));
    }
  }
}

Location Source::Locate(std::uint32_t offset) const {
  offset = std::min(offset, size());
  const auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  const auto line = static_cast<std::uint32_t>(after - line_starts_.begin());
  return {offset, line, offset - line_starts_[line - 1] + 1};
}

Span Source::MakeSpan(std::uint32_t begin, std::uint32_t end) const {
  return {Locate(begin), Locate(std::max(begin, end))};
}

std::string_view Source::Text(const Span& span) const {
  return Text(span.begin.offset, span.end.offset);
}

std::string_view Source::Text(std::uint32_t begin, std::uint32_t end) const {
  begin = std::min(begin, size());
  end = std::clamp(end, begin, size());
  return std::string_view(bytes_).substr(begin, end - begin);
}

std::string FormatMessage(const Message& message) {
  if (message.line == 0) return message.text;
  return "line " + std::to_string(message.line) + ": " + message.text;
}

}  // namespace kx::pascal
