// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/form_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "model/text.h"

namespace kx::catalog {

namespace {

constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kResourceHeader("\xFF\x0A\x00", 3);
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Delphi cuts strings into pieces of this many characters and binary data into lines of
// this many bytes.
constexpr std::size_t kLineLength = 64;
constexpr std::size_t kBytesPerLine = 32;

// The value types of the stream, numbered as Delphi numbers them.
enum ValueType : std::uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kSet = 11,
  kLString = 12,
  kNil = 13,
  kCollection = 14,
  kSingle = 15,
  kCurrency = 16,
  kDate = 17,
  kWString = 18,
  kInt64 = 19,
  kUtf8String = 20,
  kDouble = 21,
};

// The object prefix byte 0xF0 | flags.
constexpr int kInherited = 1;
constexpr int kChildPosition = 2;
constexpr int kInline = 4;

// Thrown inside the converter only; the entry points turn it into an error result.
struct FormError {
  std::string message;
};

std::string AtOffset(std::string_view what, std::size_t offset) {
  return std::string(what) + " at offset " + std::to_string(offset);
}

// Every read is checked against the end of the bytes.
class Input {
 public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}

  std::size_t pos() const { return pos_; }
  std::size_t left() const { return bytes_.size() - pos_; }
  void Seek(std::size_t pos) { pos_ = pos; }

  std::string_view Bytes(std::size_t count) {
    Need(count, pos_);
    const std::string_view bytes = bytes_.substr(pos_, count);
    pos_ += count;
    return bytes;
  }
  std::uint8_t Peek() const {
    Need(1, pos_);
    return static_cast<std::uint8_t>(bytes_[pos_]);
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Bytes(1)[0]); }
  // Little-endian, as the stream stores every number.
  std::uint64_t Unsigned(std::size_t width) {
    const std::string_view bytes = Bytes(width);
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
      value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
    }
    return value;
  }
  std::int64_t Signed(std::size_t width) {
    const std::uint64_t value = Unsigned(width);
    const std::uint64_t sign = std::uint64_t{1} << (8 * width - 1);
    // Sign extension in unsigned arithmetic: no overflow even for the smallest Int64.
    return static_cast<std::int64_t>((value ^ sign) - sign);
  }
  std::string_view ShortString() {
    const std::size_t start = pos_;
    const std::size_t length = Byte();
    Need(length, start);
    return Bytes(length);
  }
  // A string whose length comes first as 4 bytes, each character unit_size bytes long.
  std::string_view LongString(std::size_t unit_size) {
    const std::size_t start = pos_;
    const std::uint64_t count = Unsigned(4);
    if (count > left() / unit_size) throw FormError{AtOffset("truncated", start)};
    return Bytes(static_cast<std::size_t>(count) * unit_size);
  }

 private:
  void Need(std::size_t count, std::size_t start) const {
    if (left() < count) throw FormError{AtOffset("truncated", start)};
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The value of a 10-byte extended float: 64-bit mantissa with its integer bit, 15-bit
// biased exponent, sign. Exact where long double is the x87 format, rounded elsewhere.
long double ExtendedValue(std::string_view ten) {
  Input in(ten);
  const std::uint64_t mantissa = in.Unsigned(8);
  const auto sign_exponent = static_cast<unsigned>(in.Unsigned(2));
  const bool negative = (sign_exponent & 0x8000) != 0;
  const int exponent = static_cast<int>(sign_exponent & 0x7FFF);
  long double value;
  if (exponent == 0x7FFF) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                 : std::numeric_limits<long double>::quiet_NaN();
  } else {
    // Denormals (exponent 0) share the smallest exponent of the normal numbers.
    value =
        std::ldexp(static_cast<long double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
  }
  return negative ? -value : value;
}

template <typename Float>
Float BitCast(std::uint64_t bits) {
  Float value;
  static_assert(sizeof(Float) <= sizeof(bits));
  if constexpr (sizeof(Float) == 4) {
    const auto narrow = static_cast<std::uint32_t>(bits);
    std::memcpy(&value, &narrow, sizeof value);
  } else {
    std::memcpy(&value, &bits, sizeof value);
  }
  return value;
}

// A string stored as UTF-8 as the UTF-16 units Delphi decodes it into. A byte that does not
// start a valid sequence stands for itself (Delphi would drop the whole string).
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead < 0x80) {
      length = 1;
      code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;   // no overlong forms
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    }
    bool valid = length > 0 && text.size() - i >= length;
    for (std::size_t k = 1; valid && k < length; ++k) {
      const std::uint8_t next = byte(i + k);
      const bool in_range = k == 1 ? next >= low && next <= high : (next & 0xC0) == 0x80;
      valid = in_range;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      units.push_back(lead);
      ++i;
      continue;
    }
    if (code > 0xFFFF) {
      code -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return units;
}

unsigned CodeOf(char c) { return static_cast<std::uint8_t>(c); }
unsigned CodeOf(char16_t c) { return c; }

class Converter {
 public:
  explicit Converter(std::string_view bytes) : in_(bytes) { out_.reserve(bytes.size() * 2); }

  // The stream's first object, whole or only its line.
  std::string Convert(std::size_t start, bool head_only) {
    in_.Seek(start);
    if (in_.left() < kSignature.size() || in_.Bytes(kSignature.size()) != kSignature) {
      throw FormError{"not a form file: no TPF0 stream after the resource header"};
    }
    if (head_only) {
      Header();
      out_.resize(out_.size() - kLineEnd.size());
    } else {
      Object();
    }
    return std::move(out_);
  }

 private:
  // Objects and the values that hold values (lists, collections) count towards the limit.
  class Nested {
   public:
    explicit Nested(Converter& converter) : converter_(converter) {
      if (++converter_.depth_ > kMaxFormNesting) {
        throw FormError{AtOffset("nesting too deep", converter_.in_.pos())};
      }
    }
    ~Nested() { --converter_.depth_; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    Converter& converter_;
  };

  // Every line starts here, so this bounds the text: a small form of deeply nested objects
  // can expand a hundredfold.
  void Indent() {
    if (out_.size() > kMaxFormTextSize) throw FormError{std::string(kFormTextTooLarge)};
    out_.append(2 * static_cast<std::size_t>(level_), ' ');
  }
  void NewLine() {
    out_ += kLineEnd;
    Indent();
  }

  // An integer stored with one of the 32-bit value types (a child position, an item index).
  std::int64_t SmallInteger(std::string_view what) {
    const std::size_t start = in_.pos();
    switch (in_.Byte()) {
      case kInt8:
        return in_.Signed(1);
      case kInt16:
        return in_.Signed(2);
      case kInt32:
        return in_.Signed(4);
      default:
        throw FormError{AtOffset(what, start)};
    }
  }

  void Header() {
    int flags = 0;
    std::int64_t position = 0;
    // A prefix byte 0xF0..0xFF marks inherited and inline objects and child positions.
    if ((in_.Peek() & 0xF0) == 0xF0) {
      flags = in_.Byte() & 0x0F;
      if (flags & kChildPosition) position = SmallInteger("bad child position");
    }
    const std::string_view class_name = in_.ShortString();
    const std::string_view object_name = in_.ShortString();
    Indent();
    out_ += (flags & kInherited) ? "inherited " : (flags & kInline) ? "inline " : "object ";
    if (!object_name.empty()) {
      out_ += object_name;
      out_ += ": ";
    }
    out_ += class_name;
    if (flags & kChildPosition) {
      out_ += " [";
      out_ += std::to_string(position);
      out_ += ']';
    }
    out_ += kLineEnd;
  }

  void Object() {
    const Nested nested(*this);
    Header();
    ++level_;
    while (in_.Peek() != 0) Property();
    in_.Byte();
    while (in_.Peek() != 0) Object();
    in_.Byte();
    --level_;
    Indent();
    out_ += "end";
    out_ += kLineEnd;
  }

  void Property() {
    Indent();
    out_ += in_.ShortString();
    out_ += " = ";
    Value();
    out_ += kLineEnd;
  }

  void Value() {
    const std::size_t start = in_.pos();
    const std::uint8_t type = in_.Byte();
    switch (type) {
      case kList:
        List();
        break;
      case kInt8:
        out_ += std::to_string(in_.Signed(1));
        break;
      case kInt16:
        out_ += std::to_string(in_.Signed(2));
        break;
      case kInt32:
        out_ += std::to_string(in_.Signed(4));
        break;
      case kInt64:
        out_ += std::to_string(in_.Signed(8));
        break;
      case kExtended:
        out_ += DelphiFloatText(ExtendedValue(in_.Bytes(10)));
        break;
      case kSingle:
        out_ += DelphiFloatText(BitCast<float>(in_.Unsigned(4)));
        out_ += 's';
        break;
      case kCurrency:
        // Delphi writes the currency's scaled integer: 1.5 is "15000c".
        out_ += DelphiFloatText(static_cast<long double>(in_.Signed(8)));
        out_ += 'c';
        break;
      case kDate:
        out_ += DelphiFloatText(BitCast<double>(in_.Unsigned(8)));
        out_ += 'd';
        break;
      case kDouble:
        // Read back as an extended, which holds every double.
        out_ += DelphiFloatText(BitCast<double>(in_.Unsigned(8)));
        break;
      case kString:
        NarrowString(in_.ShortString());
        break;
      case kLString:
        NarrowString(in_.LongString(1));
        break;
      case kWString: {
        const std::string_view bytes = in_.LongString(2);
        std::u16string units(bytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i) {
          units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
        }
        WideString(units);
        break;
      }
      case kUtf8String:
        WideString(Utf8ToUtf16(in_.LongString(1)));
        break;
      case kIdent:
        out_ += in_.ShortString();
        break;
      case kFalse:
        out_ += "False";
        break;
      case kTrue:
        out_ += "True";
        break;
      case kNil:
        out_ += "nil";
        break;
      case kNull:
        out_ += "Null";
        break;
      case kBinary:
        Binary();
        break;
      case kSet:
        Set();
        break;
      case kCollection:
        Collection();
        break;
      default:
        throw FormError{AtOffset("unknown value type " + std::to_string(type), start)};
    }
  }

  // The closing bracket follows the last item on its line, as Delphi writes it.
  void List() {
    const Nested nested(*this);
    out_ += '(';
    ++level_;
    while (in_.Peek() != kNull) {
      NewLine();
      Value();
    }
    in_.Byte();
    --level_;
    out_ += ')';
  }

  void Set() {
    out_ += '[';
    bool first = true;
    for (std::string_view name = in_.ShortString(); !name.empty(); name = in_.ShortString()) {
      if (!first) out_ += ", ";
      first = false;
      out_ += name;
    }
    out_ += ']';
  }

  void Collection() {
    const Nested nested(*this);
    out_ += '<';
    ++level_;
    while (in_.Peek() != kNull) {
      NewLine();
      out_ += "item";
      const std::uint8_t next = in_.Peek();
      if (next == kInt8 || next == kInt16 || next == kInt32) {
        out_ += " [";
        out_ += std::to_string(SmallInteger("bad item index"));
        out_ += ']';
      }
      out_ += kLineEnd;
      const std::size_t start = in_.pos();
      if (in_.Byte() != kList) throw FormError{AtOffset("bad collection item", start)};
      ++level_;
      while (in_.Peek() != kNull) Property();
      in_.Byte();
      --level_;
      Indent();
      out_ += "end";
    }
    in_.Byte();
    --level_;
    out_ += '>';
  }

  // Short data stays on the property's line; 32 bytes or more go on lines of their own with
  // the closing brace after the last one.
  void Binary() {
    const std::size_t start = in_.pos();
    std::int64_t count = in_.Signed(4);
    if (count > 0 && static_cast<std::uint64_t>(count) > in_.left()) {
      throw FormError{AtOffset("truncated", start)};
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    const bool multi_line = count >= static_cast<std::int64_t>(kBytesPerLine);
    out_ += '{';
    ++level_;
    while (count > 0) {
      if (multi_line) NewLine();
      const std::size_t now = std::min(static_cast<std::size_t>(count), kBytesPerLine);
      for (const char c : in_.Bytes(now)) {
        const auto byte = static_cast<std::uint8_t>(c);
        out_ += kHex[byte >> 4];
        out_ += kHex[byte & 0x0F];
      }
      count -= static_cast<std::int64_t>(now);
    }
    --level_;
    out_ += '}';
  }

  // Delphi's string layout: printable runs in quotes, everything else (and the quote
  // itself) as #nnn; a string longer than a line starts on a line of its own, one level
  // deeper, and is cut after every 64 characters with " +".
  template <typename Units, typename IsPlain>
  void QuotedString(const Units& text, IsPlain plain) {
    const std::size_t length = text.size();
    if (length == 0) {
      out_ += "''";
      return;
    }
    ++level_;
    if (length > kLineLength) NewLine();
    std::size_t i = 0;
    std::size_t line_start = 0;
    while (i < length) {
      bool line_break = false;
      if (plain(text[i])) {
        const std::size_t run = i;
        do {
          ++i;
        } while (i < length && plain(text[i]) && i - line_start < kLineLength);
        line_break = i - line_start >= kLineLength;
        out_ += '\'';
        for (std::size_t k = run; k < i; ++k) out_ += static_cast<char>(text[k]);
        out_ += '\'';
      } else {
        out_ += '#';
        out_ += std::to_string(CodeOf(text[i]));
        ++i;
        line_break = i - line_start >= kLineLength;
      }
      if (line_break && i < length) {
        out_ += " +";
        NewLine();
        line_start = i;
      }
    }
    --level_;
  }

  // An 8-bit string keeps its characters from the blank up (the form's code page is not
  // known here).
  void NarrowString(std::string_view text) {
    QuotedString(text, [](char c) {
      const auto byte = static_cast<std::uint8_t>(c);
      return byte >= 0x20 && c != '\'';
    });
  }

  // A wide string keeps only ASCII characters; all others become #nnn of their UTF-16 unit.
  void WideString(const std::u16string& text) {
    QuotedString(text, [](char16_t c) { return c >= 0x20 && c <= 0x7F && c != u'\''; });
  }

  Input in_;
  std::string out_;
  int level_ = 0;
  int depth_ = 0;
};

// Where the TPF0 stream of a binary form starts: at once, or after the 16-bit resource
// header (0xFF, type 10, a name given as zero-terminated text or as 0xFF and a 16-bit
// ordinal, 2 bytes of flags, 4 bytes of size; neither flags nor size is checked, as Delphi
// checks neither).
std::size_t StreamStart(std::string_view bytes) {
  if (bytes.starts_with(kSignature)) return 0;
  Input in(bytes);
  in.Bytes(kResourceHeader.size());
  const std::size_t name = in.pos();
  if (in.Byte() == 0xFF) {
    in.Bytes(2);
  } else {
    in.Seek(name);
    const std::size_t end = bytes.find('\0', name);
    if (end == std::string_view::npos) throw FormError{AtOffset("truncated", name)};
    in.Seek(end + 1);
  }
  in.Bytes(2 + 4);
  return in.pos();
}

bool IsBinaryForm(std::string_view bytes) {
  return bytes.starts_with(kSignature) || bytes.starts_with(kResourceHeader);
}

// A text form starts with its root's object line.
std::string TextFormHead(std::string_view text) {
  std::string line = model::Trim(text.substr(0, text.find_first_of("\r\n")));
  for (std::string_view keyword : {"object ", "inherited ", "inline "}) {
    if (model::StartsWithText(line, keyword)) return line;
  }
  return {};
}

FormTextResult Convert(std::string_view bytes, bool head_only) {
  FormTextResult result;
  if (IsBinaryForm(bytes)) {
    result.binary = true;
    try {
      Converter converter(bytes);
      result.text = converter.Convert(StreamStart(bytes), head_only);
      result.ok = true;
    } catch (const FormError& error) {
      result.error = error.message;
    }
    return result;
  }
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  std::string head = TextFormHead(bytes);
  if (head.empty()) {
    result.error = "not a form file";
    return result;
  }
  result.ok = true;
  result.text = head_only ? std::move(head) : std::string(bytes);
  return result;
}

}  // namespace

FormTextResult ConvertFormToText(std::string_view bytes) { return Convert(bytes, false); }

FormTextResult ConvertFormHead(std::string_view bytes) { return Convert(bytes, true); }

std::string DelphiFloatText(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  constexpr std::size_t kPrecision = 15;
  // Far more digits than needed, so that rounding half up at the 15th digit sees the exact
  // value as Delphi's conversion does.
  constexpr int kDigits = 36;
  char buffer[kDigits + 16];
  const std::to_chars_result printed = std::to_chars(
      buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, kDigits - 1);
  // buffer holds "d.ddd...e+XX".
  const std::string_view scientific(buffer, static_cast<std::size_t>(printed.ptr - buffer));
  const std::size_t e = scientific.find('e');
  // The first kPrecision digits, and whether the rest rounds them up.
  std::string digits;
  digits.reserve(kPrecision + 1);
  bool round_up = false;
  for (const char c : scientific.substr(0, e)) {
    if (c == '.') continue;
    if (digits.size() < kPrecision) {
      digits += c;
    } else {
      round_up = c >= '5';
      break;
    }
  }
  int exponent = 0;
  const std::string_view exponent_text = scientific.substr(e + 1);
  std::from_chars(exponent_text.data() + (exponent_text[0] == '+' ? 1 : 0),
                  exponent_text.data() + exponent_text.size(), exponent);
  if (round_up) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[i - 1];
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string text = std::signbit(value) ? "-" : "";
  // Digits before the decimal point; Delphi switches to the exponent outside 1..15 of them,
  // and below 0.0001.
  const int integer_digits = exponent + 1;
  const auto count = static_cast<int>(digits.size());
  if (integer_digits > static_cast<int>(kPrecision) || integer_digits < -3) {
    text += digits[0];
    if (count > 1) {
      text += '.';
      text.append(digits, 1);
    }
    text += 'E';
    text += std::to_string(exponent);
  } else if (integer_digits <= 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-integer_digits), '0');
    text += digits;
  } else if (count <= integer_digits) {
    text += digits;
    text.append(static_cast<std::size_t>(integer_digits - count), '0');
  } else {
    text.append(digits, 0, static_cast<std::size_t>(integer_digits));
    text += '.';
    text.append(digits, static_cast<std::size_t>(integer_digits));
  }
  return text;
}

}  // namespace kx::catalog
