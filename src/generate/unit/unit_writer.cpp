// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/unit/unit_writer.h"

#include <algorithm>

#include "generate/target.h"
#include "generate/unit/class_declaration.h"
#include "generate/unit/default_code.h"
#include "generate/unit/implementation.h"
#include "generate/unit_frame.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::generate {

using model::ItemDef;
using model::ItemKind;

namespace {

bool HasOwnEditor(const ItemDef& item) {
  return item.Kind() == ItemKind::Property && !item.Property().PropertyEditor.DefEdit;
}

}  // namespace

model::TextBlock RuntimeUnits(const model::ComponentDef& def) {
  model::TextBlock units = std::vector<std::string>{};
  if (!def.MainInfo.Units) return units;
  for (const std::string& unit : *def.MainInfo.Units) {
    const bool design_time =
        model::SameText(unit, "DsgnIntf") ||
        std::any_of(def.Items().begin(), def.Items().end(), [&](const ItemDef& item) {
          return HasOwnEditor(item) &&
                 model::SameText(unit, item.Property().PropertyEditor.EditorUnit.str());
        });
    if (!design_time) units->push_back(unit);
  }
  return units;
}

void WriteRegisterProcedure(Printer& out, const model::ComponentDef& def, const Target& target) {
  const Vars vars = {{"class", def.MainInfo.NewClassName.str()},
                     {"page", def.MainInfo.DefaultPalette.str()},
                     {"palette", std::string(target.palette)}};
  out.Block(R"(
      procedure Register;
      begin
           { Register $class$ with $page$ as its
             default page on the $palette$ component palette }
           RegisterComponents('$page$', [$class$]);
      )",
            vars);
  bool first = true;
  for (const ItemDef& item : def.Items()) {
    if (!HasOwnEditor(item) || item.Property().Hide) continue;
    if (first) {
      out.Line();
      out.Line("     { Register property editors }");
      first = false;
    }
    const model::PropertyPart& p = item.Property();
    out.Block(R"(
             RegisterPropertyEditor(TypeInfo($type$), $class$, |
                                    '$property$', $editor$);
        )",
              {{"type", p.PropType.str()},
               {"class", def.MainInfo.NewClassName.str()},
               {"property", p.PropertyEditor.ApplyToAll ? "" : p.Name.str()},
               {"editor", p.PropertyEditor.EditorClass.str()}});
  }
  out.Line("end;");
}

std::string RegistrationUnitName(const model::ComponentDef& def) {
  return def.MainInfo.UnitName.str() + "Reg";
}

std::string WriteRegistrationUnit(const model::ComponentDef& def, const platform::DateTime& at,
                                  const Target& target, std::string_view resource) {
  Printer out(target.words);
  WriteHeaderComment(out, def, at, target);
  out.Line();
  WriteUnitLine(out, "unit", RegistrationUnitName(def), target);
  out.Emit({"interface", ""});
  model::TextBlock units = def.MainInfo.Units;
  if (!units) units = std::vector<std::string>{};
  // RegisterComponents is declared in Classes, which a definition's own list may lack; a unit
  // that does nothing but register must name it itself.
  if (target.registration_unit) model::AddUnit(units, "Classes");
  model::AddUnit(units, def.MainInfo.UnitName.str());
  WriteUsesClause(out, target.Units(units));
  out.Line();
  out.Emit({"procedure Register;", "", "implementation", ""});
  if (!resource.empty()) {
    out.Emit({"{$$R $resource$}", ""}, {{"resource", std::string(resource)}});
  }
  WriteRegisterProcedure(out, def, target);
  out.Line();
  out.Line("end.");
  return out.text();
}

void PrepareForUnit(model::ComponentDef& def, const UnitOptions& options) {
  model::SortItemsByName(def);
  if (std::any_of(def.Items().begin(), def.Items().end(), HasOwnEditor)) {
    model::AddUnit(def.MainInfo.Units, "Dsgnintf");
  }
  for (int n = 1; n <= def.Count(); ++n) {
    ItemDef& item = def.Item(n);
    if (item.Kind() != ItemKind::NewEvent) continue;
    model::NewEventPart& e = item.NewEvent();
    e.Arglist = model::NormalizeArglist(e.Arglist);
  }
  if (options.interface_only) return;
  const DefaultCodeContext context = DefaultCodeContextOf(def, options.full_comments);
  for (int n = 1; n <= def.Count(); ++n) {
    ItemDef& item = def.Item(n);
    bool has_body = false;
    switch (item.Kind()) {
      case ItemKind::Property: {
        const model::PropertyPart& p = item.Property();
        if (p.Inherited) break;
        if (UsesReadMethod(p) && !p.ReadCode) FillDefaultReadCode(item);
        has_body = UsesWriteMethod(p);
        break;
      }
      case ItemKind::ExistingEvent:
        has_body = item.ExistingEvent().Override;
        break;
      case ItemKind::NewEvent:
      case ItemKind::Method:
        has_body = true;
        break;
      default:
        break;
    }
    if (has_body && !item.Code) FillDefaultCode(item, context);
  }
}

std::string WriteComponentUnit(const model::ComponentDef& def, const UnitOptions& options,
                               const platform::DateTime& at) {
  const Target& target = TargetFor(options.target);
  // Registration belongs to the design-time package; a run-time unit that registered itself
  // would pull the IDE's units into every program that uses it.
  const bool registers = !options.runtime_only && !target.registration_unit;
  Printer out(target.words);
  WriteHeaderComment(out, def, at, target);
  out.Line();
  WriteUnitLine(out, "unit", def.MainInfo.UnitName.str(), target, def.MainInfo.Switches);
  out.Emit({"interface", ""});
  WriteUsesClause(out, target.Units(registers ? def.MainInfo.Units : RuntimeUnits(def)));
  out.Line();
  const std::vector<std::string> component_links =
      WriteTypeSection(out, def, options.full_comments);
  out.Line();
  if (def.AfterClass) {
    out.Lines(*def.AfterClass);
    out.Line();
  }
  if (registers) {
    out.Line("procedure Register;");
    out.Line();
  }
  if (options.interface_only) return out.text();
  out.Line("implementation");
  out.Line();
  if (def.ImpGlobal.Code) {
    out.Lines(*def.ImpGlobal.Code);
    out.Line();
  }
  if (registers) {
    WriteRegisterProcedure(out, def, target);
    out.Line();
  }
  WriteImplementationBodies(out, def, component_links, options.full_comments);
  out.Line();
  if (def.Initialization) {
    out.Lines(*def.Initialization);
    out.Line();
  }
  out.Line("end.");
  return out.text();
}

}  // namespace kx::generate
