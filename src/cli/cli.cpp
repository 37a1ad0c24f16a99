#include "cli/cli.h"

#include <iomanip>
#include <string_view>
#include <utility>

#include "catalog/class_catalog.h"
#include "catalog/member_sets.h"
#include "model/component_def.h"
#include "model/name_rules.h"
#include "model/text.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace kx::cli {

namespace {

constexpr std::string_view kUsage =
    "Usage: kestrix-cli [--help] [--version] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  class NAME    what the class catalogue knows of a class: family, unit, palette page,\n"
    "                predicates, and the inherited members a new definition with that\n"
    "                VCL ancestor receives\n"
    "\n"
    "Options:\n"
    "  --help        show this text\n"
    "  --version     show the version\n";

int UsageError(std::ostream& err, std::string_view message) {
  err << "kestrix-cli: " << message << "\nTry 'kestrix-cli --help'.\n";
  return kExitUsage;
}

void PrintMember(std::ostream& out, const model::ItemDef& item) {
  using model::ItemKind;
  out << "  ";
  switch (item.Kind()) {
    case ItemKind::ExistingEvent: {
      const auto& e = item.ExistingEvent();
      out << "event " << e.Name << " -> " << e.HandlerDecl << " (" << (e.Publish ? "publish" : "")
          << (e.Publish && e.Override ? ", " : "") << (e.Override ? "override" : "");
      break;
    }
    case ItemKind::Property: {
      const auto& p = item.Property();
      out << "property " << p.Name << " : " << p.PropType;
      if (!p.PropDefault.empty()) out << " = " << p.PropDefault;
      out << " (" << (p.Inherited ? "inherited" : "new");
      break;
    }
    case ItemKind::Method: {
      const auto& m = item.Method();
      out << "method " << model::MethodKeyword(m.MethodKind) << " " << m.Header << " ("
          << model::ScopeName(m.Scope) << (m.Override ? ", override" : "");
      break;
    }
    default:
      out << model::KindName(item.Kind()) << " " << model::ItemName(item) << " (";
      break;
  }
  out << "; default code " << static_cast<int>(item.DefaultCode) << ")\n";
}

int ClassCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) return UsageError(err, "class: expected one class name");
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
  for (const model::ItemDef& item : def.Items()) PrintMember(out, item);
  return kExitOk;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << "kestrix-cli " << KX_VERSION << "\n";
    return kExitOk;
  }
  if (command == "class") return ClassCommand(rest, out, err);
  return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace kx::cli
