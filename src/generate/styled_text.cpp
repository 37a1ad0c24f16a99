// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/styled_text.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/windows1252.h"

namespace kx::generate {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The character at text[i], moving i past it; a byte that starts no well-formed sequence is
// U+FFFD on its own.
char32_t NextChar(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t c = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 1, c = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 2, c = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 3, c = lead & 0x07, min = 0x10000;
  } else {
    return kReplacement;
  }
  std::size_t j = i;
  for (int k = 0; k < length; ++k, ++j) {
    if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
      return kReplacement;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  i = j;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Calls emit(style, c) for each character of the runs: every line end as one '\n', every
// control character but the tab as its visible symbol.
template <typename Emit>
void ForEachChar(const StyledText& text, Emit&& emit) {
  bool after_cr = false;
  for (const StyledRun& run : text.runs) {
    const std::string_view s = run.text;
    for (std::size_t i = 0; i < s.size();) {
      char32_t c = NextChar(s, i);
      if (c == '\n' && after_cr) {
        after_cr = false;
        continue;
      }
      after_cr = c == '\r';
      if (c == '\r') {
        c = '\n';
      } else if (c < 0x20 && c != '\t' && c != '\n') {
        c += 0x2400;
      } else if (c == 0x7F) {
        c = 0x2421;
      }
      emit(run.style, c);
    }
  }
}

// The styles that some non-empty run uses, in the order of their numbers.
std::vector<int> UsedStyles(const StyledText& text) {
  std::vector<int> used;
  for (const StyledRun& run : text.runs) {
    if (!run.text.empty()) used.push_back(run.style);
  }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  return used;
}

const TextStyle& StyleOf(const StyledText& text, int style) {
  const auto found = text.styles.find(style);
  return found == text.styles.end() ? text.default_style : found->second;
}

// ---- RTF

constexpr std::uint32_t kWhite = 0xFFFFFF;

// Adds value to list when it is not there yet; its index.
template <typename T>
std::size_t IndexIn(std::vector<T>& list, const T& value) {
  const auto found = std::find(list.begin(), list.end(), value);
  if (found != list.end()) return static_cast<std::size_t>(found - list.begin());
  list.push_back(value);
  return list.size() - 1;
}

void AppendRtfChar(std::string& out, char32_t c) {
  switch (c) {
    case '\\':
    case '{':
    case '}':
      out += '\\';
      out += static_cast<char>(c);
      return;
    case '\t':
      out += "\\tab ";
      return;
    case '\n':
      out += "\\par\n";
      return;
    default:
      break;
  }
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  // A reader without Unicode skips the escape and takes the one character after it: the
  // Windows-1252 byte where there is one.
  const auto escape = [&out](char32_t unit, std::optional<char> byte) {
    out += "\\u" + std::to_string(unit < 0x8000 ? static_cast<int>(unit)
                                                : static_cast<int>(unit) - 0x10000);
    if (byte) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned char>(*byte));
      out += hex;
    } else {
      out += '?';
    }
  };
  if (c < 0x10000) {
    escape(c, platform::Windows1252Byte(c));
  } else {
    escape(0xD800 + ((c - 0x10000) >> 10), std::nullopt);
    escape(0xDC00 + ((c - 0x10000) & 0x3FF), std::nullopt);
  }
}

// A font name in the font table, where ";" ends it.
std::string RtfFontName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const char32_t c = NextChar(name, i);
    if (c == ';' || c < 0x20) continue;
    AppendRtfChar(out, c);
  }
  return out;
}

std::string RtfColour(std::uint32_t rgb) {
  return "\\red" + std::to_string((rgb >> 16) & 0xFF) + "\\green" +
         std::to_string((rgb >> 8) & 0xFF) + "\\blue" + std::to_string(rgb & 0xFF) + ";";
}

// ---- HTML

void AppendHtmlChar(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&#39;";
      return;
    default:
      AppendUtf8(out, c);
  }
}

std::string HtmlText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = NextChar(text, i);
    if (c < 0x20 || c == 0x7F) c = ' ';
    AppendHtmlChar(out, c);
  }
  return out;
}

std::string CssColour(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

// A font name as a CSS string, with everything that could end the string or the style
// element written as an escape.
std::string CssFontName(std::string_view name) {
  std::string out = "\"";
  for (std::size_t i = 0; i < name.size();) {
    const char32_t c = NextChar(name, i);
    if (c < 0x20 || c == 0x7F || c == '"' || c == '\\' || c == '<' || c == '>' || c == '&') {
      char hex[12];
      std::snprintf(hex, sizeof hex, "\\%x ", static_cast<unsigned>(c));
      out += hex;
    } else {
      AppendUtf8(out, c);
    }
  }
  return out + "\"";
}

// The declarations of a style; its font only where it differs from the page's.
std::string CssDeclarations(const TextStyle& style, const TextStyle* page) {
  std::string css = "color: " + CssColour(style.foreground) +
                    "; background-color: " + CssColour(style.background) + ";";
  if (!page || style.font != page->font) {
    css += " font-family: " + CssFontName(style.font) + ", monospace;";
  }
  if (!page || style.point_size != page->point_size) {
    css += " font-size: " + std::to_string(style.point_size) + "pt;";
  }
  if (style.bold) css += " font-weight: bold;";
  if (style.italic) css += " font-style: italic;";
  return css;
}

}  // namespace

std::string StyledTextRtf(const StyledText& text) {
  const std::vector<int> used = UsedStyles(text);
  std::vector<std::string> fonts{text.default_style.font};
  std::vector<std::uint32_t> colours{text.default_style.foreground};
  // The group that opens each style's run: its font, size, colours and weights.
  std::map<int, std::string> openers;
  for (const int number : used) {
    const TextStyle& style = StyleOf(text, number);
    std::string opener = "{\\f" + std::to_string(IndexIn(fonts, style.font)) + "\\fs" +
                         std::to_string(2 * std::max(style.point_size, 1)) + "\\cf" +
                         std::to_string(IndexIn(colours, style.foreground) + 1);
    if (style.background != kWhite) {
      opener += "\\highlight" + std::to_string(IndexIn(colours, style.background) + 1);
    }
    if (style.bold) opener += "\\b";
    if (style.italic) opener += "\\i";
    openers[number] = opener + " ";
  }

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fmodern\\fcharset0 " + RtfFontName(fonts[i]) + ";}";
  }
  out += "}\n{\\colortbl;";
  for (const std::uint32_t colour : colours) out += RtfColour(colour);
  out += "}\n\\pard\\plain\n";
  std::optional<int> open;
  ForEachChar(text, [&](int style, char32_t c) {
    if (open != style) {
      if (open) out += "}";
      out += openers[style];
      open = style;
    }
    AppendRtfChar(out, c);
  });
  if (open) out += "}";
  out += "\n}\n";
  return out;
}

std::string StyledTextHtml(const StyledText& text) {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    HtmlText(text.title) +
                    "</title>\n<style>\nbody { color: " + CssColour(text.default_style.foreground) +
                    "; background-color: " + CssColour(text.default_style.background) +
                    "; }\npre { " + CssDeclarations(text.default_style, nullptr) + " }\n";
  for (const int number : UsedStyles(text)) {
    out += ".s" + std::to_string(number) + " { " +
           CssDeclarations(StyleOf(text, number), &text.default_style) + " }\n";
  }
  // The text starts with a span, so a line break first in it is not the one that HTML drops
  // after <pre>.
  out += "</style>\n</head>\n<body>\n<pre>";
  std::optional<int> open;
  ForEachChar(text, [&](int style, char32_t c) {
    if (open != style) {
      if (open) out += "</span>";
      out += "<span class=\"s" + std::to_string(style) + "\">";
      open = style;
    }
    AppendHtmlChar(out, c);
  });
  if (open) out += "</span>";
  out += "</pre>\n</body>\n</html>\n";
  return out;
}

}  // namespace kx::generate
