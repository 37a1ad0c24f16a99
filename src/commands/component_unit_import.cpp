// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/component_unit_import.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "catalog/parent_choices.h"
#include "commands/unit_import.h"
#include "model/text.h"

namespace kx::commands {

namespace fs = std::filesystem;

namespace {

// A class the import can read: declared at the top of the unit, in full, with a parent.
bool Importable(const pascal::TypeDecl& type) {
  return type.kind == pascal::TypeKind::kClass && !type.outer && type.followed &&
         !type.parent.text.empty();
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return model::SameText(n, name); });
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

void Refuse(Dialogs& dialogs, const fs::path& unit_file, std::string_view reason) {
  dialogs.Error(unit_file.string() + " cannot be imported.\r\r" + std::string(reason),
                kImportUnitCaption);
}

}  // namespace

FileDialogRequest ImportUnitRequest(const fs::path& initial_dir) {
  return {.title = "Select component unit to import",
          .filter = std::string(kUnitFilter),
          .default_ext = "pas",
          .initial_dir = initial_dir,
          .must_exist = true};
}

std::vector<std::string> ImportableClasses(const pascal::Outline& unit) {
  const std::vector<std::string> registered = RegisteredClasses(unit);
  std::vector<std::string> own, declared;
  for (const pascal::TypeDecl& type : unit.types) {
    // A class declared twice (forward, or in two branches of a directive) is offered once.
    if (!Importable(type) || Contains(declared, type.name.text)) continue;
    declared.push_back(type.name.text);
    if (Contains(registered, type.name.text)) own.push_back(type.name.text);
  }
  return own.empty() ? declared : own;
}

ClassRegistration ProposedRegistration(const pascal::Outline& unit, std::string_view parent) {
  std::string name(parent);
  // Bounded by the number of types, so that classes naming each other as parents end.
  for (std::size_t step = 0; step <= unit.types.size(); ++step) {
    if (catalog::IsStandardClass(catalog::UpperCaseFirstTwo(name))) {
      if (step == 0) break;
      return {catalog::UpperCaseFirstTwo(name), unit.unit_name.text, false};
    }
    const pascal::TypeDecl* type = unit.FindType(name);
    if (type == nullptr || type->kind != pascal::TypeKind::kClass || type->parent.text.empty()) {
      break;
    }
    name = type->parent.text;
  }
  // Declared here without a standard ancestor in sight: at least the unit is known.
  if (unit.FindType(parent) != nullptr) return {"", unit.unit_name.text, false};
  return {};
}

std::optional<ImportedUnit> ImportComponentUnit(const fs::path& unit_file, Dialogs& dialogs,
                                                catalog::CustomClassRegistry& registry,
                                                const store::Settings& settings) {
  const pascal::Outline unit = pascal::ReadUnitFile(unit_file);
  UnitImportOptions options;
  options.mode = PackageModeOf(unit_file);
  // A unit that cannot be read is refused by the import itself, with the line at fault.
  if (unit.complete && !unit.HasErrors()) {
    const std::vector<std::string> classes = ImportableClasses(unit);
    if (classes.empty()) {
      const std::vector<std::string> registered = RegisteredClasses(unit);
      Refuse(dialogs, unit_file,
             registered.empty()
                 ? "The unit declares no component class."
                 : "The unit registers " + Joined(registered) +
                       " but declares none of them; import the unit that declares the class.");
      return std::nullopt;
    }
    options.class_name = classes.front();
    if (classes.size() > 1) {
      const std::string prompt =
          unit_file.filename().string() +
          (RegisteredClasses(unit).empty() ? " declares several classes and registers none."
                                           : " registers several component classes.") +
          " Select the class to import:";
      const std::optional<std::string> chosen =
          dialogs.ChooseClass({std::string(kImportUnitCaption), prompt, classes});
      if (!chosen) return std::nullopt;
      // A front end hands back one of the names offered; anything else is not trusted.
      if (!Contains(classes, *chosen)) return std::nullopt;
      options.class_name = *chosen;
    }
  }
  UnitImport result = ImportUnit(unit, options);
  if (!result.error.empty()) {
    Refuse(dialogs, unit_file, result.error);
    return std::nullopt;
  }

  if (result.custom_parent) {
    if (const store::ProfileStatus loaded = registry.Load(); !loaded.ok()) {
      dialogs.Error(loaded.message);
      return std::nullopt;
    }
    const std::string parent = result.def.MainInfo.ParentClassName.str();
    std::optional<catalog::CustomClassEntry> entry = registry.FindCustomClass(parent);
    if (!entry) {
      if (dialogs.Confirm(Buttons::kYesCancel, catalog::UnregisteredClassQuestion(parent),
                          kImportUnitCaption) != Answer::kYes) {
        return std::nullopt;
      }
      const std::optional<RegisteredClass> registered =
          RegisterCustomClass(dialogs, registry, parent, ProposedRegistration(unit, parent));
      if (!registered) return std::nullopt;
      // Saved at once, as the parent selection saves when it closes: the class is the user's
      // to derive from again, whatever becomes of this import.
      if (registry.changed()) {
        if (const store::ProfileStatus saved = registry.Save(); !saved.ok()) {
          dialogs.Error(saved.message);
        }
      }
      entry = catalog::CustomClassEntry{parent, registered->ancestor, registered->unit};
    }
    options.ancestor = entry->ancestor;
    options.ancestor_unit = entry->unit;
    result = ImportUnit(unit, options);
    if (!result.error.empty()) {
      Refuse(dialogs, unit_file, result.error);
      return std::nullopt;
    }
  }
  result.def.MainInfo.TargetDir = settings.pascal_code_dir_chosen ? settings.pascal_code_dir : "";
  return ImportedUnit{std::move(result.def), std::move(result.messages)};
}

NotesRequest ImportNotes(const fs::path& unit_file, std::vector<std::string> notes) {
  return {std::string(kImportUnitCaption),
          "What the definition leaves out of " + unit_file.filename().string() +
              ", or holds differently, by line:",
          std::move(notes)};
}

}  // namespace kx::commands
