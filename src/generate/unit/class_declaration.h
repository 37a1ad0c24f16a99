// SPDX-License-Identifier: GPL-3.0-or-later
// The type section of the component unit: the method types of new events and the class
// declaration, each member placed in the section of its scope.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "generate/printer.h"
#include "model/component_def.h"

namespace kx::generate {

// The declaration lists, by scope (0 public, 1 protected, 2 private, 3 published) and part.
// A section's fields part is written as its fields followed by its properties: Pascal
// refuses a field declared after a property of the same section.
struct DeclarationLists {
  enum Part { kFields = 0, kMethods = 1, kProperties = 2 };
  std::array<std::array<generate::Lines, 3>, 4> lists;
  // Names reset by Notification: each component-link property's Link, or its storage field
  // (an inherited one without a Link has none and is left out).
  std::vector<std::string> component_links;

  generate::Lines& at(std::uint8_t scope, Part part) { return lists.at(scope)[part]; }
};

// Appends "{ text }" unless text is empty.
void AddComment(generate::Lines& list, std::string_view text);

DeclarationLists BuildDeclarationLists(const model::ComponentDef& def, bool full_comments);

// A method-like item's declaration after its keyword: header, ";", binding and message.
std::string MemberDeclaration(const model::ItemDef& item);

// Whether text may stand in a property's default clause: an identifier, a set or a 32-bit
// integer.
bool IsDefaultable(std::string_view text);
// Whether a property of the type may have a default clause at all: Pascal allows none for
// floating-point, date and string types.
bool TypeTakesDefault(std::string_view type);
// Whether the property's declaration carries "default <PropDefault>", so that a form file
// leaves the property out while it holds that value.
bool DeclaresDefault(const model::PropertyPart& p);

// Whether the unit reads (writes) a property through its method. A linked or an array
// property has no field to go through, so it always uses its methods, even when a file
// holds it without the flags the property page sets.
bool UsesReadMethod(const model::PropertyPart& property);
bool UsesWriteMethod(const model::PropertyPart& property);

// Writes the global declarations and the type section; returns the component links the
// implementation needs.
std::vector<std::string> WriteTypeSection(Printer& out, const model::ComponentDef& def,
                                          bool full_comments);

}  // namespace kx::generate
