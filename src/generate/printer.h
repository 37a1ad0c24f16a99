// SPDX-License-Identifier: GPL-3.0-or-later
// The one printer for generated text: fixed lines with names spliced in. In a template
// "$name$" stands for the value of name and "$$" for one "$"; user data only ever enters
// as such a value, never as template text.
//
//   Printer out;
//   out.Block(R"(
//       procedure $class$.AutoInitialize;
//       begin
//       )", {{"class", "TMyButton"}});
//   out.Line("end;");
//   commands::WriteGeneratedFile(path, out.text(), dialogs);  // CR LF line ends, atomically
#pragma once

#include <initializer_list>
#include <map>
#include <span>
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
// The lines of a multi-line literal, substituted. The line break after the opening quote is
// dropped. When the closing quote stands on a line of its own, every line drops the blanks
// before it (a line with fewer is a programming error); else the lines drop the indentation
// they share. Blank lines come out empty. Editors trim trailing blanks from source, so those
// go, unless the line ends in " |": then the "|" is dropped and the blanks before it stay.
Lines ExpandBlock(std::string_view block, const Vars& vars = {});

// A word the printer replaces in every line it is given: a whole identifier outside string
// literals, in any letter case.
struct WordMapping {
  std::string_view from;
  std::string_view to;
};
std::string MapWords(std::string_view line, std::span<const WordMapping> words);

// Collects generated lines; knows nothing of files.
class Printer {
 public:
  Printer() = default;
  // Every line given, the template's and the user's alike, with these words replaced.
  explicit Printer(std::span<const WordMapping> words) : words_(words) {}

  void Line(std::string_view text = {});
  void Lines(const std::vector<std::string>& lines);
  void Emit(std::initializer_list<std::string_view> lines, const Vars& vars = {});
  // A multi-line literal, as ExpandBlock reads it.
  void Block(std::string_view block, const Vars& vars = {});

  // Every line so far, each ended by "\n".
  const std::string& text() const { return text_; }

 private:
  std::span<const WordMapping> words_;
  std::string text_;
};

// The text with every "\n" turned into CR LF, as generated files are written.
std::string WithCrlf(std::string_view text);

}  // namespace kx::generate
