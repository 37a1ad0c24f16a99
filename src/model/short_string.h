// SPDX-License-Identifier: GPL-3.0-or-later
// A string with a fixed capacity: whatever is stored is cut to its first N bytes, silently,
// as the definition's fields have always behaved. Every field with a capacity uses this type,
// so no store can bypass the cut.
//
//   ShortString<32> name = "a name longer than thirty-two characters";  // keeps 32 bytes
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace kx::model {

template <std::size_t N>
class ShortString {
 public:
  static constexpr std::size_t kCapacity = N;

  ShortString() = default;
  ShortString(std::string_view text) : value_(text.substr(0, N)) {}  // NOLINT: implicit by design
  ShortString(const char* text) : ShortString(std::string_view(text)) {}
  ShortString(const std::string& text) : ShortString(std::string_view(text)) {}

  ShortString& operator=(std::string_view text) {
    value_.assign(text.substr(0, N));
    return *this;
  }
  ShortString& operator=(const char* text) { return *this = std::string_view(text); }
  ShortString& operator=(const std::string& text) { return *this = std::string_view(text); }

  const std::string& str() const { return value_; }
  operator std::string_view() const { return value_; }  // NOLINT: implicit by design
  bool empty() const { return value_.empty(); }
  std::size_t size() const { return value_.size(); }

  friend bool operator==(const ShortString& a, const ShortString& b) = default;
  friend bool operator==(const ShortString& a, std::string_view b) { return a.value_ == b; }
  friend bool operator==(const ShortString& a, const char* b) { return a.value_ == b; }
  friend bool operator==(const ShortString& a, const std::string& b) { return a.value_ == b; }
  friend std::string operator+(std::string_view a, const ShortString& b) {
    return std::string(a) + b.value_;
  }
  friend std::string operator+(const ShortString& a, std::string_view b) {
    return a.value_ + std::string(b);
  }
  friend std::ostream& operator<<(std::ostream& out, const ShortString& s) {
    return out << s.value_;
  }

 private:
  std::string value_;
};

}  // namespace kx::model
