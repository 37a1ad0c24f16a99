// SPDX-License-Identifier: GPL-3.0-or-later
// Highlighted text written as a Rich Text Format document or as an HTML page: what the file
// viewer's "Save as" commands write. The text comes as runs, each a piece of UTF-8 text in
// one style, and a table of what each style looks like; the writers know nothing of editors
// or files.
//
//   StyledText doc;
//   doc.styles[9] = {.bold = true};
//   doc.runs = {{9, "begin"}, {0, "\r\n  Run;\r\n"}, {9, "end"}};
//   std::string rtf = StyledTextRtf(doc);    // then written with CR LF line ends
//   std::string html = StyledTextHtml(doc);
//
// Any line end (CR LF, LF or CR alone) is one line break. Tabs and runs of blanks are kept.
// Bytes that are not UTF-8 become U+FFFD; control characters other than the tab and line
// ends are written as their visible symbols (U+2400 and on), which both formats can hold.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kx::generate {

struct TextStyle {
  std::uint32_t foreground = 0x000000;  // 0xRRGGBB
  std::uint32_t background = 0xFFFFFF;
  bool bold = false;
  bool italic = false;
  std::string font = "Courier New";  // family name, UTF-8
  int point_size = 10;
};

struct StyledRun {
  int style = 0;
  std::string text;  // UTF-8
};

struct StyledText {
  std::string title;                // UTF-8; the HTML page's title
  TextStyle default_style;          // the page, and the runs of a style not in the table
  std::map<int, TextStyle> styles;  // by style number
  std::vector<StyledRun> runs;
};

// An RTF document (code page 1252, every other character as a Unicode escape with its
// Windows-1252 byte or "?" for readers that lack Unicode), lines ended by "\n".
std::string StyledTextRtf(const StyledText& text);

// A complete HTML page in UTF-8 with a CSS class per style and the text in one <pre>, lines
// ended by "\n".
std::string StyledTextHtml(const StyledText& text);

}  // namespace kx::generate
