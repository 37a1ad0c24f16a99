// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/unit/implementation.h"

#include "catalog/class_catalog.h"
#include "generate/unit/class_declaration.h"
#include "generate/unit/default_code.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::generate {

using model::ItemDef;
using model::ItemKind;
using model::PropSpecialType;

namespace {

void WriteMethodComment(Printer& out, std::string_view text) {
  if (!text.empty()) out.Emit({"{ $text$ }"}, {{"text", std::string(text)}});
}

bool IsObjectKind(PropSpecialType special) {
  return special == PropSpecialType::psLinkComponent ||
         special == PropSpecialType::psObjectAutoCreate ||
         special == PropSpecialType::psObjectManualCreate;
}

// A body: the header, then the block (made from the default code when absent), then a
// blank line.
void WriteBody(Printer& out, const std::string& header, const model::TextBlock& code) {
  out.Line(header);
  if (code) out.Lines(*code);
  out.Line();
}

// A component's constructor takes its owner. One that AutoInitialize creates for itself,
// not as a sub-component, has none: AutoDestroy frees it.
std::string OwnerlessCreateArguments(std::string_view type) {
  return catalog::IsStandardClass(type) ? "(nil)" : "";
}

// Only a windowed control can be a control's Parent: a sub-component control of any other
// component gets no Parent line. The catalogue's "other controls" family holds two classes
// that are not windowed.
bool IsWindowedControl(std::string_view vcl_ancestor) {
  switch (catalog::ClassFamilyOf(vcl_ancestor)) {
    case catalog::kFamilyNonVisual:
    case catalog::kFamilyGraphicControl:
    case catalog::kFamilyCommonDialog:
    case catalog::kFamilyInternet:
      return false;
    default:
      return !model::SameText(vcl_ancestor, "TSplitter") &&
             !model::SameText(vcl_ancestor, "TImageList") &&
             !model::SameText(vcl_ancestor, "TCustomImageList");
  }
}

}  // namespace

void WriteAutoInitialize(Printer& out, const model::ComponentDef& def) {
  out.Line("begin");
  const bool thread_ancestor = catalog::IsThreadClass(def.MainInfo.VCLAncestorName);
  const bool can_parent = IsWindowedControl(def.MainInfo.VCLAncestorName);
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Variable) continue;
    const model::VariablePart& v = item.Variable();
    const Vars vars = {
        {"name", v.Name.str()}, {"type", v.DataType.str()}, {"value", v.Default.str()}};
    if (v.IsObject) {
      if (!v.IsSubComponent) {
        out.Emit({"     $name$ := $type$.Create$arguments$;"},
                 {{"name", v.Name.str()},
                  {"type", v.DataType.str()},
                  {"arguments", OwnerlessCreateArguments(v.DataType)}});
      } else if (thread_ancestor) {
        out.Emit({"     $name$ := $type$.Create(nil);  { within thread component }"}, vars);
      } else {
        out.Emit({"     $name$ := $type$.Create(Self);"}, vars);
        if (catalog::IsControl(v.DataType) && can_parent) {
          out.Emit({"     $name$.Parent := Self;"}, vars);
        }
      }
      if (item.Code) {
        out.Emit({"     with $name$ do"}, vars);
        for (const std::string& code : *item.Code) out.Emit({"          $code$"}, {{"code", code}});
      }
    } else if (!v.Default.empty()) {
      out.Emit({"     $name$ := $value$;"}, vars);
    }
  }
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property) continue;
    const model::PropertyPart& p = item.Property();
    if (IsObjectKind(p.Special) && p.Link.empty()) {
      if (p.Inherited) continue;
      std::string value = "nil";
      if (p.Special == PropSpecialType::psObjectAutoCreate) {
        value = model::SameText(p.PropType, "TStrings")
                    ? "TStringList.Create"
                    : p.PropType + ".Create" + OwnerlessCreateArguments(p.PropType);
      }
      out.Emit({"     F$name$ := $value$;"}, {{"name", p.Name.str()}, {"value", value}});
    } else if (!p.PropDefault.empty() && !p.ReadOnly && !model::IsIndexedKind(p.Special)) {
      // An array property has neither a field nor a single value to set.
      std::string_view field = "F";
      if (!p.Link.empty()) {
        field = "";
      } else if (p.Inherited) {
        field = p.Hide ? "inherited " : "";
      }
      out.Emit(
          {"     $field$$name$ := $value$;"},
          {{"field", std::string(field)}, {"name", p.Name.str()}, {"value", p.PropDefault.str()}});
    }
  }
  out.Line("end; { of AutoInitialize }");
}

void WriteNotification(Printer& out, const std::vector<std::string>& component_links) {
  out.Block(R"(
      begin
           inherited Notification(AComponent, Operation);
           if Operation <> opRemove then
              Exit;
           { Has a component referenced by a property of |
             this component been deleted?  If so, update |
             the property. }
      )");
  for (const std::string& link : component_links) {
    out.Emit({"     if AComponent = $c$ then", "        $c$ := nil;"}, {{"c", link}});
  }
  out.Line("end;");
}

void WriteAutoDestroy(Printer& out, const model::ComponentDef& def) {
  out.Line("begin");
  bool wrote = false;
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == ItemKind::Property) {
      const model::PropertyPart& p = item.Property();
      if (p.Special != PropSpecialType::psObjectAutoCreate || p.Inherited || !p.Link.empty()) {
        continue;
      }
      out.Emit({"     F$name$.Free;"}, {{"name", p.Name.str()}});
      wrote = true;
    } else if (item.Kind() == ItemKind::Variable && item.Variable().IsObject) {
      out.Emit({"     $name$.Free;"}, {{"name", item.Variable().Name.str()}});
      wrote = true;
    }
  }
  if (!wrote) out.Line("     { No objects from AutoInitialize to free }");
  out.Line("end; { of AutoDestroy }");
}

void WriteImplementationBodies(Printer& out, const model::ComponentDef& def,
                               const std::vector<std::string>& component_links,
                               bool full_comments) {
  const std::string prefix = def.MainInfo.NewClassName + ".";
  const Vars vars = {{"class", def.MainInfo.NewClassName.str()}};

  WriteMethodComment(out, "Method to set variable and property values and create objects");
  out.Emit({"procedure $class$.AutoInitialize;"}, vars);
  WriteAutoInitialize(out, def);
  out.Line();
  if (!component_links.empty()) {
    WriteMethodComment(out, "Resets prop of component type if referenced component deleted");
    out.Emit({"procedure $class$.Notification(AComponent : TComponent; Operation : TOperation);"},
             vars);
    WriteNotification(out, component_links);
    out.Line();
  }
  WriteMethodComment(out, "Method to free any objects created by AutoInitialize");
  out.Emit({"procedure $class$.AutoDestroy;"}, vars);
  WriteAutoDestroy(out, def);
  out.Line();

  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property || item.Property().Inherited) continue;
    const model::PropertyPart& p = item.Property();
    if (UsesReadMethod(p)) {
      if (full_comments) WriteMethodComment(out, "Read method for property " + p.Name);
      WriteBody(out, "function " + prefix + model::ReadMethodHeader(p) + ";", p.ReadCode);
    }
    if (UsesWriteMethod(p)) {
      if (full_comments) WriteMethodComment(out, "Write method for property " + p.Name);
      WriteBody(out, "procedure " + prefix + model::WriteMethodHeader(p) + ";", item.Code);
    }
  }
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::NewEvent) continue;
    const model::NewEventPart& e = item.NewEvent();
    WriteMethodComment(out, "Method to generate " + e.Name + " event");
    const std::string header =
        "procedure " + prefix + model::DispatchMethodName(e.Name) + e.Arglist + ";";
    WriteBody(out, header, item.Code);
  }
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::ExistingEvent || !item.ExistingEvent().Override) continue;
    const model::ExistingEventPart& e = item.ExistingEvent();
    WriteMethodComment(out, item.Descr.empty() ? "Override " + e.Name + " handler from " +
                                                     def.MainInfo.ParentClassName
                                               : item.Descr.str());
    WriteBody(out, "procedure " + prefix + e.HandlerDecl + ";", item.Code);
  }
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Method) continue;
    const model::MethodPart& m = item.Method();
    WriteMethodComment(out, item.Descr);
    WriteBody(out, std::string(model::MethodKeyword(m.MethodKind)) + " " + prefix + m.Header + ";",
              item.Code);
  }
}

}  // namespace kx::generate
