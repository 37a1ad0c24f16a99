// SPDX-License-Identifier: GPL-3.0-or-later
// The documentation page: an HTML page of the component's interface, with the component's
// help text, an index, the copyright line and one section each for properties, methods,
// events and variables. Which items appear depends on the scopes the reader of the page
// may see.
//
//   std::string page = WriteText(def, kHtmlFormat, kComponentScopes);
//   WriteFileAtomically(path, WithCrlf(page));
//
// Names, types, declarations, descriptions, defaults and the copyright line are plain text
// and are escaped on the page; help text is HTML written by the user and goes in as it is.
// The text is Windows-1252, and the page says so.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "generate/printer.h"
#include "model/component_def.h"

namespace kx::generate {

// A set of scope numbers (model::kScopePublic ... model::kScopePublished). A number outside
// them, which a damaged definition file can hold, is never in a set.
class ScopeSet {
 public:
  constexpr ScopeSet() = default;
  constexpr ScopeSet(std::initializer_list<std::uint8_t> scopes) {
    for (std::uint8_t scope : scopes) {
      if (scope < kScopeCount) bits_ |= static_cast<std::uint8_t>(1u << scope);
    }
  }
  constexpr bool Contains(std::uint8_t scope) const {
    return scope < kScopeCount && (bits_ >> scope & 1u) != 0;
  }
  friend constexpr bool operator==(ScopeSet, ScopeSet) = default;

 private:
  static constexpr std::uint8_t kScopeCount = 4;
  std::uint8_t bits_ = 0;
};

// The scope sets of the three audiences.
inline constexpr ScopeSet kApplicationScopes{model::kScopePublic, model::kScopePublished};
inline constexpr ScopeSet kDescendantScopes{model::kScopePublic, model::kScopeProtected,
                                            model::kScopePublished};
inline constexpr ScopeSet kComponentScopes{model::kScopePublic, model::kScopeProtected,
                                           model::kScopePrivate, model::kScopePublished};

// The only text format there is.
inline constexpr int kHtmlFormat = 0;
inline constexpr std::string_view kNotHtmlMessage =
    "A text format other than HTML was requested in WriteText.";

// Lines of the page, where some output leaves its line open for the next output to continue.
class PageWriter {
 public:
  // Text that the next output continues on the same line.
  void Write(std::string_view text);
  // Text, then a line break.
  void Line(std::string_view text = {});
  // A multi-line literal, as ExpandBlock reads it; its first line continues an open line.
  void Block(std::string_view block, const Vars& vars = {});
  // Everything so far, lines ended by "\n"; an open line comes last, unended.
  std::string text() const;

 private:
  Printer printer_;
  std::string open_line_;
};

// The whole page, lines ended by "\n", the items in the definition's order: the command sorts
// them by name first, and they stay sorted. A format other than kHtmlFormat throws
// std::invalid_argument(kNotHtmlMessage).
std::string WriteText(const model::ComponentDef& def, int format, ScopeSet scopes);

// Whether the item has a place on a page for these scopes.
bool IsDocumented(const model::ItemDef& item, ScopeSet scopes);
// The heading of an item's entry, as plain text: "property Color : TColor".
std::string DeclarationText(const model::ItemDef& item);
// What stands for the help text of an item that has none, as plain text: the description
// with a full stop, and the default and read-only notes. May end with two blanks.
std::string DescriptionNotes(const model::ItemDef& item);
// An item's help text as paragraphs, or its notes when it has no help text; always ends
// its last line.
void WriteHelp(PageWriter& out, const model::ItemDef& item);

// The text with "&", "<", ">" and "\"" written as entities.
std::string EscapeHtml(std::string_view text);

}  // namespace kx::generate
