// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/listing.h"

#include "model/name_rules.h"
#include "model/types.h"

namespace kx::cli {

using model::ItemDef;
using model::ItemKind;

std::string ItemSummary(const ItemDef& item) {
  std::string line;
  std::string flags;
  auto flag = [&flags](bool set, std::string_view name) {
    if (!set) return;
    if (!flags.empty()) flags += ", ";
    flags += name;
  };
  switch (item.Kind()) {
    case ItemKind::ExistingEvent: {
      const auto& e = item.ExistingEvent();
      line = "event " + e.Name + " -> " + e.HandlerDecl;
      flag(e.Publish, "publish");
      flag(e.Override, "override");
      break;
    }
    case ItemKind::Property: {
      const auto& p = item.Property();
      line = "property " + p.Name + " : " + p.PropType;
      if (!p.PropDefault.empty()) line += " = " + p.PropDefault;
      flag(true, p.Inherited ? "inherited" : "new");
      break;
    }
    case ItemKind::Method: {
      const auto& m = item.Method();
      line = "method " + std::string(model::MethodKeyword(m.MethodKind)) + " " + m.Header;
      flag(true, model::ScopeName(m.Scope));
      flag(m.Override, "override");
      break;
    }
    case ItemKind::Variable: {
      const auto& v = item.Variable();
      line = "variable " + v.Name + " : " + v.DataType;
      flag(true, model::ScopeName(v.Scope));
      break;
    }
    case ItemKind::NewEvent: {
      const auto& e = item.NewEvent();
      line = "new event " + e.Name + " " + e.Arglist;
      flag(e.Publish, "publish");
      break;
    }
    case ItemKind::Main:
      line = "main";
      break;
  }
  flag(true, "default code " + std::to_string(static_cast<int>(item.DefaultCode)));
  return line + " (" + flags + ")";
}

namespace {

std::string YesNo(bool value) { return value ? "yes" : "no"; }

void PrintBlock(std::ostream& out, std::string_view indent, std::string_view label,
                const model::TextBlock& block) {
  out << indent << label << ":";
  if (!block) {
    out << " (none)\n";
    return;
  }
  out << " " << block->size() << (block->size() == 1 ? " line\n" : " lines\n");
  for (const std::string& line : *block) out << indent << "  | " << line << "\n";
}

void PrintCommon(std::ostream& out, const ItemDef& item) {
  out << "    Descr: " << item.Descr << "\n"
      << "    Keywords: " << item.Keywords << "\n"
      << "    DefaultCode: " << static_cast<int>(item.DefaultCode) << "\n";
}

void PrintItem(std::ostream& out, int number, const ItemDef& item) {
  out << "  " << number << ". " << model::KindName(item.Kind()) << " " << model::ItemName(item)
      << "\n";
  PrintCommon(out, item);
  switch (item.Kind()) {
    case ItemKind::Property: {
      const auto& p = item.Property();
      out << "    Inherited: " << YesNo(p.Inherited) << "\n"
          << "    ReadOnly: " << YesNo(p.ReadOnly) << "\n"
          << "    PropType: " << p.PropType << "\n"
          << "    PropDefault: " << p.PropDefault << "\n"
          << "    Hide: " << YesNo(p.Hide) << "\n"
          << "    Special: " << model::SpecialKindText(p.Special) << "\n"
          << "    UseReadMethod: " << YesNo(p.UseReadMethod) << "\n"
          << "    UseWriteMethod: " << YesNo(p.UseWriteMethod) << "\n"
          << "    VIRT: " << YesNo(p.VIRT) << "\n"
          << "    DefEdit: " << YesNo(p.PropertyEditor.DefEdit) << "\n"
          << "    ApplyToAll: " << YesNo(p.PropertyEditor.ApplyToAll) << "\n"
          << "    EditorUnit: " << p.PropertyEditor.EditorUnit << "\n"
          << "    EditorClass: " << p.PropertyEditor.EditorClass << "\n"
          << "    Link: " << p.Link << "\n";
      PrintBlock(out, "    ", "ReadCode", p.ReadCode);
      break;
    }
    case ItemKind::ExistingEvent: {
      const auto& e = item.ExistingEvent();
      out << "    Override: " << YesNo(e.Override) << "\n"
          << "    Publish: " << YesNo(e.Publish) << "\n"
          << "    HandlerDecl: " << e.HandlerDecl << "\n";
      break;
    }
    case ItemKind::Method: {
      const auto& m = item.Method();
      out << "    MethodKind: " << model::MethodKeyword(m.MethodKind) << "\n"
          << "    Header: " << m.Header << "\n"
          << "    Scope: " << model::ScopeName(m.Scope) << "\n"
          << "    Override: " << YesNo(m.Override) << "\n"
          << "    Mode: " << static_cast<int>(m.Mode) << "\n"
          << "    WinMessage: " << m.WinMessage << "\n";
      break;
    }
    case ItemKind::Variable: {
      const auto& v = item.Variable();
      out << "    DataType: " << v.DataType << "\n"
          << "    Scope: " << model::ScopeName(v.Scope) << "\n"
          << "    Default: " << v.Default << "\n"
          << "    IsObject: " << YesNo(v.IsObject) << "\n"
          << "    IsSubComponent: " << YesNo(v.IsSubComponent) << "\n";
      break;
    }
    case ItemKind::NewEvent: {
      const auto& e = item.NewEvent();
      out << "    Arglist: " << e.Arglist << "\n"
          << "    Publish: " << YesNo(e.Publish) << "\n";
      break;
    }
    case ItemKind::Main:
      break;
  }
  PrintBlock(out, "    ", "Code", item.Code);
  PrintBlock(out, "    ", "Help", item.Help);
}

}  // namespace

void PrintDefinition(std::ostream& out, const model::ComponentDef& def) {
  const model::MainInfoDef& m = def.MainInfo;
  out << "UnitName: " << m.UnitName << "\n"
      << "LimitName: " << YesNo(m.LimitName) << "\n"
      << "NewClassName: " << m.NewClassName << "\n"
      << "ParentClassName: " << m.ParentClassName << "\n"
      << "VCLAncestorName: " << m.VCLAncestorName << "\n"
      << "DefaultPalette: " << m.DefaultPalette << "\n"
      << "CopyrightLine: " << m.CopyrightLine << "\n"
      << "TargetDir: " << m.TargetDir << "\n"
      << "FormMode: " << static_cast<int>(m.Form.FormMode) << "\n"
      << "FormFile: " << m.Form.FormFile << "\n";
  PrintBlock(out, "", "Units", m.Units);
  // The blocks only an imported unit gives a definition, shown when it has them.
  if (m.Switches) PrintBlock(out, "", "Switches", m.Switches);
  out << "Global:\n";
  PrintCommon(out, def.Global);
  PrintBlock(out, "    ", "Code", def.Global.Code);
  PrintBlock(out, "    ", "Help", def.Global.Help);
  out << "ImpGlobal:\n";
  PrintBlock(out, "    ", "Code", def.ImpGlobal.Code);
  if (def.AfterClass) PrintBlock(out, "", "AfterClass", def.AfterClass);
  if (def.Initialization) PrintBlock(out, "", "Initialization", def.Initialization);
  out << "Items: " << def.Count() << "\n";
  for (int n = 1; n <= def.Count(); ++n) PrintItem(out, n, def.Item(n));
}

}  // namespace kx::cli
