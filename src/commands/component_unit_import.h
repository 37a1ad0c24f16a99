// SPDX-License-Identifier: GPL-3.0-or-later
// File > "Import component unit...": the questions between a chosen Pascal unit and the
// definition made from it. A unit that declares several component classes asks which to
// import; a parent the class catalogue does not know is registered first, asking as File > New
// does; a unit that cannot be read or holds no class to import is refused with a message. The
// mapping itself is ImportUnit's (commands/unit_import.h).
//
//   if (auto imported = ImportComponentUnit("gauges.pas", dialogs, registry, settings)) {
//     def = std::move(imported->def);  // a new, unsaved definition
//     if (!imported->notes.empty()) dialogs.ShowNotes(ImportNotes("gauges.pas", imported->notes));
//   }
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/custom_class_registry.h"
#include "commands/dialogs.h"
#include "commands/register_class.h"
#include "model/component_def.h"
#include "pascal/outline.h"
#include "store/settings.h"

namespace kx::commands {

inline constexpr std::string_view kImportUnitCaption = "Import component unit";
inline constexpr std::string_view kUnitFilter =
    "Pascal units (*.pas;*.pp)|*.pas;*.pp|All files (*.*)|*.*";

// The open dialog that chooses the unit.
FileDialogRequest ImportUnitRequest(const std::filesystem::path& initial_dir);

// The classes of a unit a user may import, in source order: the ones it registers and declares;
// when it registers none of its own, every class it declares with a parent.
std::vector<std::string> ImportableClasses(const pascal::Outline& unit);

// What the registration dialog proposes for a parent the catalogue does not know: when the
// unit declares the parent, its nearest standard ancestor there and this unit; otherwise
// nothing to propose.
ClassRegistration ProposedRegistration(const pascal::Outline& unit, std::string_view parent);

struct ImportedUnit {
  model::ComponentDef def;
  // What had no place in the definition, each with its line.
  std::vector<std::string> notes;
};

// Reads the unit and imports one of its classes, asking what the unit leaves open. Nothing when
// the user cancelled or, after a message saying why, when nothing could be imported. The
// definition's target directory is the one a new definition gets.
std::optional<ImportedUnit> ImportComponentUnit(const std::filesystem::path& unit_file,
                                                Dialogs& dialogs,
                                                catalog::CustomClassRegistry& registry,
                                                const store::Settings& settings);

// The list of an import's notes, headed by the unit's file name.
NotesRequest ImportNotes(const std::filesystem::path& unit_file, std::vector<std::string> notes);

}  // namespace kx::commands
