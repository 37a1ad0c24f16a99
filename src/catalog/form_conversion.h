// SPDX-License-Identifier: GPL-3.0-or-later
// A form file as the text Delphi writes for it: a binary form ("TPF0" stream, with or
// without the 16-bit resource header Delphi puts in front of it in a .dfm file) converted
// the way Delphi's ObjectResourceToText converts it, or a form that is already text.
//
//   FormTextResult form = ConvertFormToText(bytes);
//   if (!form.ok) report(form.error);  // "truncated at offset 812", "not a form file", ...
//   else for each line of form.text ...
//
// The text is Delphi's to the byte: "object Name: TClass" lines, two blanks of indentation
// per level, "Name = value" properties, "end", CRLF line ends; strings quoted with #nnn
// escapes and cut into 64-character pieces joined by "+"; floats as FloatToStr writes them
// (15 significant digits), with the suffixes "s" (single), "c" (currency, written as the
// value times 10000) and "d" (date); sets "[a, b]", lists "( ... )", collections
// "<item ... end>" and binary data as "{ hex }" lines of 32 bytes.
//
// A form that is already text is passed through as it is (line ends untouched), without a
// UTF-8 byte-order mark: the readers look at its first line, which must be an object line.
//
// Any bytes are safe: every read is checked, objects and values nest at most
// kMaxFormNesting deep, no count read from the input allocates more than the input holds,
// and the text stops at kMaxFormTextSize.
#pragma once

#include <string>
#include <string_view>

namespace kx::catalog {

inline constexpr int kMaxFormNesting = 256;
// The text of a form is refused beyond this size, the largest form file read, with this error.
inline constexpr std::size_t kMaxFormTextSize = std::size_t{64} << 20;
inline constexpr std::string_view kFormTextTooLarge = "the text form is larger than 64 MiB";

struct FormTextResult {
  bool ok = false;
  bool binary = false;  // the bytes were a binary form (converted), not a text form
  std::string text;     // the text form; empty when !ok
  std::string error;    // why there is no text, e.g. "truncated at offset 812"
};

// The whole text form.
FormTextResult ConvertFormToText(std::string_view bytes);

// Only the first line of the text form, the root object's line, without its line end and
// (for a text form) trimmed: what the form's names are read from. A binary form is read only
// as far as that line, so damage further on does not matter here.
FormTextResult ConvertFormHead(std::string_view bytes);

// A float as Delphi's FloatToStr writes it: general format with 15 significant digits, "."
// as the decimal separator, fixed notation from 0.0001 up to 15 integer digits, else
// "1.5E20" / "1E-5"; "INF", "-INF", "NAN".
std::string DelphiFloatText(long double value);

}  // namespace kx::catalog
