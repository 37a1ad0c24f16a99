// SPDX-License-Identifier: GPL-3.0-or-later
// Generated text: fixed lines with names spliced in. A template is a list of lines in which
// "$name$" stands for the value of name; user data only ever enters as such a value, never
// as template text.
//
//   Printer out;
//   out.Emit({"procedure $class$.AutoInitialize;", "begin"}, {{"class", "TMyButton"}});
//   WriteTextFile(path, out.text());  // CR LF line ends, atomically
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kx::generate {

using Vars = std::map<std::string, std::string, std::less<>>;
using Lines = std::vector<std::string>;

// The line with every "$name$" replaced by its value ("$$" stands for one "$"). A name
// without a value is a programming error (std::logic_error).
std::string Substitute(std::string_view line, const Vars& vars);
// Each line of the template, substituted.
Lines Expand(std::initializer_list<std::string_view> lines, const Vars& vars = {});

// Collects generated lines; knows nothing of files.
class Printer {
 public:
  void Line(std::string_view text = {});
  void Lines(const std::vector<std::string>& lines);
  void Emit(std::initializer_list<std::string_view> lines, const Vars& vars = {});

  // Every line so far, each ended by "\n".
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The text with every "\n" turned into CR LF, as generated files are written.
std::string WithCrlf(std::string_view text);

}  // namespace kx::generate
