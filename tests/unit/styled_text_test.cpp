// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/styled_text.h"

#include <gtest/gtest.h>

namespace kx::generate {
namespace {

constexpr int kKeyword = 9;

StyledText Document(std::vector<StyledRun> runs) {
  StyledText text;
  text.title = "a<b>&.pas";
  text.styles[0] = {};
  text.styles[kKeyword] = {.foreground = 0x000080, .bold = true, .italic = true};
  text.runs = std::move(runs);
  return text;
}

std::string Between(const std::string& text, std::string_view from, std::string_view to) {
  const std::size_t start = text.find(from);
  const std::size_t end = text.rfind(to);
  if (start == std::string::npos || end == std::string::npos || end < start) return "<missing>";
  return text.substr(start + from.size(), end - start - from.size());
}

struct Case {
  const char* name;
  std::vector<StyledRun> runs;
  std::string rtf;   // between "\pard\plain\n" and the closing brace
  std::string html;  // inside <pre>
};

TEST(StyledTextTest, EscapesWhatEachFormatMust) {
  const Case cases[] = {
      {"markup and RTF specials",
       {{0, "a&<>\"'\\{}\tb"}},
       "{\\f0\\fs20\\cf1 a&<>\"'\\\\\\{\\}\\tab b}",
       "<span class=\"s0\">a&amp;&lt;&gt;&quot;&#39;\\{}\tb</span>"},
      {"every line end once, also split between runs",
       {{0, "\r\nx\r"}, {kKeyword, "\ny\rz\n\n"}},
       "{\\f0\\fs20\\cf1 \\par\nx\\par\n}{\\f0\\fs20\\cf2\\b\\i y\\par\nz\\par\n\\par\n}",
       "<span class=\"s0\">\nx\n</span><span class=\"s9\">y\nz\n\n</span>"},
      {"beyond ASCII, with and without a Windows-1252 byte",
       {{kKeyword, "\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80"}},
       "{\\f0\\fs20\\cf2\\b\\i \\u233\\'e9\\u8364\\'80\\u20013?\\u-10179?\\u-8704?}",
       "<span class=\"s9\">\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80</span>"},
      {"controls and bytes that are not UTF-8",
       {{0, std::string("\x01\x7F\xFF\xC3", 4) + std::string(1, '\0')}},
       "{\\f0\\fs20\\cf1 \\u9217?\\u9249?\\u-3?\\u-3?\\u9216?}",
       "<span class=\"s0\">\xE2\x90\x81\xE2\x90\xA1\xEF\xBF\xBD\xEF\xBF\xBD\xE2\x90\x80</span>"},
      {"nothing", {}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StyledText text = Document(c.runs);
    EXPECT_EQ(Between(StyledTextRtf(text), "\\pard\\plain\n", "\n}\n"), c.rtf);
    EXPECT_EQ(Between(StyledTextHtml(text), "<pre>", "</pre>"), c.html);
  }
}

TEST(StyledTextTest, StylesBecomeColourTableAndClasses) {
  StyledText text = Document({{0, "x"}, {kKeyword, "begin"}, {7, "1"}});
  text.styles[7] = {.foreground = 0x0000FF, .background = 0xFFFF00, .font = "Mono{;}"};
  const std::string rtf = StyledTextRtf(text);
  EXPECT_TRUE(
      rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
                      "{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}"
                      "{\\f1\\fmodern\\fcharset0 Mono\\{\\};}}\n"
                      "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;"
                      "\\red255\\green255\\blue0;\\red0\\green0\\blue128;}\n"))
      << rtf;
  EXPECT_NE(rtf.find("{\\f1\\fs20\\cf2\\highlight3 1}"), std::string::npos) << rtf;

  const std::string html = StyledTextHtml(text);
  EXPECT_TRUE(
      html.starts_with("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>a&lt;b&gt;&amp;.pas</title>\n"))
      << html;
  EXPECT_NE(html.find("pre { color: #000000; background-color: #ffffff; font-family: "
                      "\"Courier New\", monospace; font-size: 10pt; }\n"
                      ".s0 { color: #000000; background-color: #ffffff; }\n"
                      ".s7 { color: #0000ff; background-color: #ffff00; font-family: "
                      "\"Mono{;}\", monospace; }\n"
                      ".s9 { color: #000080; background-color: #ffffff; font-weight: bold; "
                      "font-style: italic; }\n"),
            std::string::npos)
      << html;
  EXPECT_TRUE(html.ends_with("</pre>\n</body>\n</html>\n"));
}

}  // namespace
}  // namespace kx::generate
