#include "catalog/form_names.h"

#include <cstdint>
#include <optional>

#include "model/text.h"

namespace kx::catalog {

namespace {

// Reads the head of a binary form stream; every read is checked against the end.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Skip(std::size_t n) {
    if (bytes_.size() - pos_ < n) return false;
    pos_ += n;
    return true;
  }
  std::optional<std::uint8_t> Peek() const {
    if (pos_ >= bytes_.size()) return std::nullopt;
    return static_cast<std::uint8_t>(bytes_[pos_]);
  }
  std::optional<std::uint8_t> Byte() {
    if (pos_ >= bytes_.size()) return std::nullopt;
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  bool Expect(std::string_view text) {
    if (bytes_.substr(pos_, text.size()) != text) return false;
    pos_ += text.size();
    return true;
  }
  std::optional<std::string> ShortString() {
    const std::optional<std::uint8_t> length = Byte();
    if (!length || bytes_.size() - pos_ < *length) return std::nullopt;
    std::string text(bytes_.substr(pos_, *length));
    pos_ += *length;
    return text;
  }
  // A zero-terminated name of a resource header.
  bool SkipZeroTerminated() {
    const std::size_t end = bytes_.find('\0', pos_);
    if (end == std::string_view::npos) return false;
    pos_ = end + 1;
    return true;
  }
  std::optional<long long> Integer() {
    const std::optional<std::uint8_t> type = Byte();
    if (!type) return std::nullopt;
    const int width = *type == 2 ? 1 : *type == 3 ? 2 : *type == 4 ? 4 : 0;
    if (width == 0 || bytes_.size() - pos_ < static_cast<std::size_t>(width)) return std::nullopt;
    unsigned long long value = 0;
    for (int i = 0; i < width; ++i) {
      value |= static_cast<unsigned long long>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
    }
    pos_ += static_cast<std::size_t>(width);
    const unsigned long long sign = 1ULL << (8 * width - 1);
    return static_cast<long long>((value ^ sign)) - static_cast<long long>(sign);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The first object of a binary form, as the text form writes its line.
std::string BinaryFirstObjectLine(std::string_view bytes) {
  Reader in(bytes);
  if (!bytes.starts_with("TPF0")) {
    // The 16-bit resource header: 0xFF and the type RT_RCDATA, the name, flags and size.
    if (!in.Expect(std::string_view("\xFF\x0A\x00", 3))) return {};
    const std::optional<std::uint8_t> first = in.Byte();
    if (!first) return {};
    if (*first == 0xFF) {
      if (!in.Skip(2)) return {};
    } else if (*first != 0 && !in.SkipZeroTerminated()) {
      return {};
    }
    if (!in.Skip(2 + 4)) return {};
  }
  if (!in.Expect("TPF0")) return {};
  // An object may start with a prefix byte 0xF1..0xFF: inherited, child position, inline.
  std::string keyword = "object ";
  std::string child_position;
  const std::optional<std::uint8_t> prefix = in.Peek();
  if (prefix && (*prefix & 0xF0) == 0xF0) {
    in.Skip(1);
    const int flags = *prefix & 0x0F;
    if (flags & 1) keyword = "inherited ";
    if (flags & 4) keyword = "inline ";
    if (flags & 2) {
      const std::optional<long long> position = in.Integer();
      if (!position) return {};
      child_position = " [" + std::to_string(*position) + "]";
    }
  }
  const std::optional<std::string> class_name = in.ShortString();
  const std::optional<std::string> name = class_name ? in.ShortString() : std::nullopt;
  if (!name || class_name->empty()) return {};
  return keyword + (name->empty() ? "" : *name + ": ") + *class_name + child_position;
}

}  // namespace

std::string FirstObjectLine(std::string_view bytes) {
  if (bytes.starts_with("TPF0") || bytes.starts_with(std::string_view("\xFF\x0A\x00", 3))) {
    return BinaryFirstObjectLine(bytes);
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  // A text file is taken for a form only when it starts as the text form of one does.
  std::string line = model::Trim(bytes.substr(0, bytes.find_first_of("\r\n")));
  for (std::string_view keyword : {"object ", "inherited ", "inline "}) {
    if (model::StartsWithText(line, keyword)) return line;
  }
  return {};
}

std::string ObjectNameOf(std::string_view object_line) {
  const std::size_t colon = object_line.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view before = object_line.substr(0, colon);
  const std::size_t blank = before.rfind(' ');
  return std::string(blank == std::string_view::npos ? before : before.substr(blank + 1));
}

std::string ClassNameOf(std::string_view object_line) {
  const std::size_t start = object_line.find_last_of(" :");
  return std::string(start == std::string_view::npos ? object_line : object_line.substr(start + 1));
}

std::string FormUnitNameOf(const std::filesystem::path& form_file) {
  std::string name = model::LowerCase(form_file.stem().string());
  if (!name.empty()) name[0] = model::UpCase(name[0]);
  return name;
}

}  // namespace kx::catalog
