#include <iomanip>
#include <utility>

#include "catalog/class_catalog.h"
#include "catalog/member_sets.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/listing.h"
#include "model/component_def.h"
#include "model/text.h"

namespace kx::cli {

int ClassCommand(const std::vector<std::string>& args, Context& context) {
  if (args.size() != 1) return UsageError(context.err, "class: expected one class name");
  std::ostream& out = context.out;
  const std::string& name = args[0];
  const int family = catalog::ClassFamilyOf(name);
  const std::string unit = catalog::UnitOfClass(name);
  out << "Class:    " << name << "\n"
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

  model::ComponentDef def;
  def.MainInfo.VCLAncestorName = name;
  catalog::AddInheritedEventSet(def, name);
  if (model::SameText(name, "TOpenDialog") || model::SameText(name, "TSaveDialog")) {
    catalog::AddFileDialogSet(def);
  }
  if (catalog::IsThreadClass(name)) catalog::AddThreadSet(def);
  out << "Inherited members of a new definition:\n";
  if (def.Count() == 0) out << "  (none)\n";
  for (const model::ItemDef& item : def.Items()) out << "  " << ItemSummary(item) << "\n";
  return kExitOk;
}

}  // namespace kx::cli
