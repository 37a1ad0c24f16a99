// SPDX-License-Identifier: GPL-3.0-or-later
// The constant tables behind the class catalogue, in the order their lookups scan them.
// Internal to the catalogue.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/component_def.h"

namespace kx::catalog::tables {

struct FamilyList {
  int family;
  std::span<const std::string_view> classes;
};

// Family lists in lookup order: the first list that holds a name gives its family.
std::span<const FamilyList> FamilyLookupOrder();

struct UnitRow {
  std::string_view unit;
  std::string_view class_name;
  std::uint8_t page;
};

// 256 rows; the first row naming a class wins.
std::span<const UnitRow> UnitTable();

struct EventRow {
  std::string_view name;
  std::string_view handler_decl;
  model::DefaultCodeKind default_code;
};

std::span<const EventRow> InheritedEventTable();

}  // namespace kx::catalog::tables
