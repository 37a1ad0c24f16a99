// SPDX-License-Identifier: GPL-3.0-or-later
// One component class of a Pascal unit made into a definition: the class, its parent, the
// unit's uses clause and palette page, and each member as the item a user of the definition
// window would have made for it (properties, events, methods, variables), with bodies as the
// items' code. What belongs to no item (other types, routines, constants) is carried verbatim
// into the definition's global code; what has no place at all is listed in the messages with
// its line, never dropped silently.
//
// A unit Kestrix generated is read back as the definition it came from: its AutoInitialize and
// AutoDestroy become defaults and object variables again, its storage fields, read and write
// methods and event dispatch methods become the items they were generated for.
//
//   pascal::Outline unit = pascal::ReadUnitFile(path);
//   UnitImport result = ImportUnit(unit, {.class_name = "TClock"});
//   if (!result.error.empty()) fail(result.error);
//   else for (const std::string& note : result.messages) show(note);
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/component_def.h"
#include "pascal/outline.h"

namespace kx::commands {

struct UnitImportOptions {
  std::string class_name;  // empty: the class the unit registers
  // For a parent the class catalogue does not know: its VCL ancestor and unit; empty: derived.
  std::string ancestor;
  std::string ancestor_unit;
  // The compiler mode the unit is compiled in when it sets none itself ("objfpc" for a unit
  // of a Lazarus package, which sets it for all its units); empty: none is known.
  std::string mode;
};

struct UnitImport {
  model::ComponentDef def;
  // Why nothing was imported; empty on success.
  std::string error;
  // The unit registers several classes and none was named: the classes to choose from.
  std::vector<std::string> candidates;
  // What had no place in the definition, each with its line: "line 12: ...".
  std::vector<std::string> messages;
  bool generated = false;  // the unit is one Kestrix generated
  int mapped = 0;          // members that became items (or parts of items)
  int carried = 0;         // declarations carried verbatim as global code
  // The parent is not in the class catalogue: it should be registered with the definition's
  // VCLAncestorName and parent_unit, the unit that declares it (empty when unknown).
  bool custom_parent = false;
  std::string parent_unit;
};

UnitImport ImportUnit(const pascal::Outline& unit, const UnitImportOptions& options = {});

// The classes a unit registers with RegisterComponents, each once, in order.
std::vector<std::string> RegisteredClasses(const pascal::Outline& unit);

// The compiler mode a Lazarus package compiles the unit in: the syntax mode of the first
// package file (*.lpk) in the unit's folder or the one above that lists the unit, "objfpc"
// where that package names none (Lazarus's default); empty when no package lists it.
std::string PackageModeOf(const std::filesystem::path& unit_file);

}  // namespace kx::commands
