// SPDX-License-Identifier: GPL-3.0-or-later
#include <iomanip>
#include <utility>

#include "catalog/class_catalog.h"
#include "catalog/custom_class_registry.h"
#include "catalog/member_sets.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/listing.h"
#include "cli/with_definition.h"
#include "model/component_def.h"
#include "model/text.h"

namespace kx::cli {

int ClassCommand(const Arguments& args, Context& context) {
  std::ostream& out = context.out;
  std::string name = args.operands[0];
  std::optional<catalog::CustomClassEntry> registered;
  if (catalog::ClassFamilyOf(name) == catalog::kFamilyOther && !catalog::IsCatalogueClass(name)) {
    const std::optional<store::Settings> settings = LoadCliSettings(context);
    if (!settings) return kExitFailed;
    catalog::CustomClassRegistry registry(settings->file);
    if (const store::ProfileStatus loaded = registry.Load(); !loaded.ok()) {
      return context.Fail(loaded.message);
    }
    registered = registry.FindCustomClass(name);
    if (!registered) {
      return context.Fail(name + " is neither a standard class nor a registered one");
    }
    // What the catalogue knows of a registered class is what it knows of its ancestor.
    out << "Class:    " << registered->class_name << " (registered)\n"
        << "Ancestor: " << registered->ancestor << "\n"
        << "Unit:     " << registered->unit << "\n";
    name = registered->ancestor;
  }
  const int family = catalog::ClassFamilyOf(name);
  const std::string unit = catalog::UnitOfClass(name);
  out << (registered ? "Ancestor of the registered class:\n" : "") << "Class:    " << name << "\n"
      << "Family:   " << family << " (" << catalog::FamilyName(family) << ")\n"
      << "Unit:     " << (unit.empty() ? "(not in the unit table)" : unit) << "\n"
      << "Palette:  " << catalog::PaletteOfClass(name) << "\n";

  const std::pair<std::string_view, bool (*)(std::string_view)> predicates[] = {
      {"standard class", catalog::IsStandardClass},
      {"catalogue class (object type)", catalog::IsCatalogueClass},
      {"control", catalog::IsControl},
      {"container", catalog::IsContainer},
      {"thread", catalog::IsThreadClass},
      {"button", catalog::IsButton},
      {"has a canvas", catalog::HasCanvas},
      {"has OnResize", catalog::HasOnResize},
      {"has OnChange", catalog::HasOnChange},
      {"grid", catalog::IsGrid},
      {"data-aware grid", catalog::IsDataAwareGrid},
      {"new visual base class", catalog::IsNewVisualBaseClass},
      {"sub-component that notifies changes", catalog::IsNotifyingSubComponent},
      {"sub-component that is clicked", catalog::IsClickedSubComponent},
      {"sub-component that takes key presses", catalog::IsKeyPressSubComponent},
      {"has an Items string list", catalog::HasItemsStringList},
      {"has a Lines string list", catalog::HasLinesStringList},
  };
  out << "Predicates:\n";
  for (const auto& [label, predicate] : predicates) {
    out << "  " << std::left << std::setw(38) << label << (predicate(name) ? "yes" : "no") << "\n";
  }

  const model::ComponentDef def = catalog::InheritedMembersOf(name);
  out << "Inherited members of a new definition:\n";
  if (def.Count() == 0) out << "  (none)\n";
  for (const model::ItemDef& item : def.Items()) out << "  " << ItemSummary(item) << "\n";
  return kExitOk;
}

}  // namespace kx::cli
