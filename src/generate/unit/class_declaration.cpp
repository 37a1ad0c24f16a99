// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/unit/class_declaration.h"

#include "catalog/class_catalog.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "model/types.h"

namespace kx::generate {

using model::ItemDef;
using model::ItemKind;
using DL = DeclarationLists;

void AddComment(Lines& list, std::string_view text) {
  if (!text.empty()) list.push_back("{ " + std::string(text) + " }");
}

std::string MemberDeclaration(const ItemDef& item) {
  std::string header;
  bool override_flag = false;
  model::MethodMode mode = model::MethodMode::kCannotBeOverridden;
  std::string_view message;
  switch (item.Kind()) {
    case ItemKind::Method: {
      const model::MethodPart& m = item.Method();
      header = m.Header.str();
      override_flag = m.Override;
      mode = m.Mode;
      message = m.WinMessage;
      break;
    }
    case ItemKind::ExistingEvent:
      header = item.ExistingEvent().HandlerDecl.str();
      override_flag = true;
      break;
    case ItemKind::NewEvent: {
      const model::NewEventPart& e = item.NewEvent();
      header = model::DispatchMethodName(e.Name) + model::NormalizeArglist(e.Arglist);
      mode = model::MethodMode::kCanBeOverriddenMaxSpeed;
      break;
    }
    default:
      return {};
  }
  std::string text = header + ";";
  if (override_flag) {
    text += " override;";
  } else if (mode == model::MethodMode::kCanBeOverriddenMaxSpeed) {
    text += " virtual;";
  } else if (mode == model::MethodMode::kCanBeOverriddenMinSize) {
    text += " dynamic;";
  }
  if (!message.empty()) text += " message " + std::string(message) + ";";
  return text;
}

bool IsDefaultable(std::string_view text) {
  if (text.empty()) return false;
  if (model::IsValidIdent(text)) return true;
  if (text.front() == '[' && text.back() == ']') return true;
  // A 32-bit integer in Pascal notation, with optional leading blanks.
  std::string_view number = text;
  while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
  // A sign stands only before decimal digits, never before "$".
  if (number.size() > 1 && (number[0] == '+' || number[0] == '-') && number[1] == '$') return false;
  constexpr long long kNotANumber = 1LL << 40;
  return model::ParsePascalInteger(number, kNotANumber) != kNotANumber;
}

bool TypeTakesDefault(std::string_view type) {
  const std::string t = model::UpperCase(model::TrimView(type));
  for (std::string_view no_default :
       {"REAL", "SINGLE", "DOUBLE", "EXTENDED", "COMP", "CURRENCY", "TDATETIME", "TDATE", "TTIME",
        "STRING", "ANSISTRING", "SHORTSTRING", "WIDESTRING"}) {
    if (t == no_default) return false;
  }
  return !t.starts_with("STRING[");
}

bool DeclaresDefault(const model::PropertyPart& p) {
  // Both compilers read "default -2147483648" as no default at all (the value marks a property
  // without one), so the property would be stored while it holds it.
  const bool no_default_mark = model::Trim(p.PropDefault.str()) == "-2147483648";
  return !p.PropDefault.empty() && !no_default_mark && !catalog::IsCatalogueClass(p.PropType) &&
         p.Special == model::PropSpecialType::psNone && IsDefaultable(p.PropDefault) &&
         !(p.Inherited && p.Hide) && !p.ReadOnly && TypeTakesDefault(p.PropType) &&
         model::CheckValueOfType(p.PropType, p.PropDefault).empty();
}

namespace {

bool NeedsMethods(const model::PropertyPart& p) {
  return !p.Inherited && (!p.Link.empty() || model::IsIndexedKind(p.Special));
}

}  // namespace

bool UsesReadMethod(const model::PropertyPart& property) {
  return property.UseReadMethod || NeedsMethods(property);
}

bool UsesWriteMethod(const model::PropertyPart& property) {
  return !property.ReadOnly && (property.UseWriteMethod || NeedsMethods(property));
}

namespace {

std::string_view NewEventType(const model::NewEventPart& e, std::string& storage) {
  if (model::IsNotifyArglist(e.Arglist)) return "TNotifyEvent";
  storage = model::EventTypeName(e.Name);
  return storage;
}

// The section a method or variable is declared in. Published methods have no section that
// is written, and a number beyond the four scopes (only a file can hold one) has none at
// all: such members are declared public, so that the bodies written for them compile.
std::uint8_t DeclaredScope(std::uint8_t scope, bool published_allowed) {
  if (scope < model::kScopePublished) return scope;
  if (scope == model::kScopePublished && published_allowed) return scope;
  return model::kScopePublic;
}

// Pascal publishes fields of class types only. A variable stays published when its type is
// known to be a class (it is created as an object, or the catalogue knows the class); any
// other type (Integer, TAlign, a record...) is declared public, where every type compiles.
bool IsKnownClassVariable(const model::VariablePart& v) {
  return v.IsObject || catalog::IsCatalogueClass(v.DataType);
}

void AddPropertyDeclaration(DL& lists, const model::PropertyPart& p, std::string_view descr) {
  Lines& list = lists.at(model::PropertyScope(p), DL::kProperties);
  if (p.Hide && p.Inherited && descr.empty()) {
    AddComment(list, "Overload inherited property " + p.Name + " to hide it ");
  }
  AddComment(list, descr);
  std::string d = "property " + p.Name + model::IndexDeclaration(p);
  std::string a;
  std::string f;
  if (!p.Inherited) {
    d += " : " + p.PropType;
    a = (UsesReadMethod(p) ? " read Get" : " read F") + p.Name;
    if (!p.ReadOnly) a += (UsesWriteMethod(p) ? " write Set" : " write F") + p.Name;
  }
  if (p.Inherited && p.Hide) {
    d += " : Boolean";
    a = " read F" + p.Name;
  }
  if (DeclaresDefault(p)) f = " default " + p.PropDefault;
  if (d.size() + a.size() + f.size() <= 70) {
    list.push_back(d + a + f + ";");
    return;
  }
  if (a.empty() && f.empty()) {
    list.push_back(d + ";");
  } else if (a.empty()) {
    list.push_back(d);
    list.push_back("    " + f + ";");
  } else if (f.empty()) {
    list.push_back(d);
    list.push_back("    " + a + ";");
  } else {
    list.push_back(d);
    list.push_back("    " + a);
    list.push_back("    " + f + ";");
  }
}

}  // namespace

DeclarationLists BuildDeclarationLists(const model::ComponentDef& def, bool full_comments) {
  DL lists;
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property) continue;
    const model::PropertyPart& p = item.Property();
    if (p.Special != model::PropSpecialType::psLinkComponent) continue;
    // An inherited property has no field here to reset; its own class does that.
    if (p.Link.empty() && p.Inherited) continue;
    lists.component_links.push_back(p.Link.empty() ? "F" + p.Name : p.Link.str());
  }
  constexpr std::uint8_t kProtected = model::kScopeProtected;
  constexpr std::uint8_t kPrivate = model::kScopePrivate;
  constexpr std::uint8_t kPublished = model::kScopePublished;
  auto full_comment = [&](Lines& list, const std::string& text) {
    if (full_comments) AddComment(list, text);
  };

  // 1 to 3: the automatic methods.
  Lines& private_methods = lists.at(kPrivate, DL::kMethods);
  AddComment(private_methods, "Method to set variable and property values and create objects");
  private_methods.push_back("procedure AutoInitialize;");
  if (!lists.component_links.empty()) {
    Lines& list = lists.at(kProtected, DL::kMethods);
    AddComment(list, "Resets prop of component type if referenced component deleted");
    list.push_back(
        "procedure Notification(AComponent : TComponent; Operation : TOperation); override;");
  }
  AddComment(private_methods, "Method to free any objects created by AutoInitialize");
  private_methods.push_back("procedure AutoDestroy;");

  // 4: read and write methods.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property || item.Property().Inherited) continue;
    const model::PropertyPart& p = item.Property();
    if (UsesReadMethod(p)) {
      full_comment(private_methods, "Read method for property " + p.Name);
      private_methods.push_back("function " + model::ReadMethodHeader(p) + ";");
    }
    if (UsesWriteMethod(p)) {
      full_comment(private_methods, "Write method for property " + p.Name);
      private_methods.push_back("procedure " + model::WriteMethodHeader(p) + ";");
    }
  }
  // 5: dispatch methods of new events.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::NewEvent) continue;
    Lines& list = lists.at(kProtected, DL::kMethods);
    AddComment(list, "Method to generate " + item.NewEvent().Name + " event");
    list.push_back("procedure " + MemberDeclaration(item));
  }
  // 6: overridden handlers of inherited events.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::ExistingEvent || !item.ExistingEvent().Override) continue;
    Lines& list = lists.at(kProtected, DL::kMethods);
    AddComment(list, item.Descr);
    list.push_back("procedure " + MemberDeclaration(item));
  }
  // 7: the user's methods.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Method) continue;
    Lines& list = lists.at(DeclaredScope(item.Method().Scope, false), DL::kMethods);
    AddComment(list, item.Descr);
    list.push_back(std::string(model::MethodKeyword(item.Method().MethodKind)) + " " +
                   MemberDeclaration(item));
  }
  // 8: storage fields.
  Lines& private_fields = lists.at(kPrivate, DL::kFields);
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Property) continue;
    const model::PropertyPart& p = item.Property();
    if (model::HasStorageVariable(p)) {
      full_comment(private_fields, "Storage for property " + p.Name);
      private_fields.push_back("F" + p.Name + " : " + p.PropType + ";");
    } else if (p.Hide) {
      AddComment(private_fields, "Overload inherited property " + p.Name);
      private_fields.push_back("F" + p.Name + " : Boolean;");
    }
  }
  // 9: new events: their handler pointers and properties.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::NewEvent) continue;
    const model::NewEventPart& e = item.NewEvent();
    std::string storage;
    const std::string type(NewEventType(e, storage));
    AddComment(private_fields, "Pointer to application's " + e.Name + " handler, if any");
    private_fields.push_back("F" + e.Name + " : " + type + ";");
    Lines& list = lists.at(e.Publish ? kPublished : kProtected, DL::kProperties);
    AddComment(list, item.Descr);
    list.push_back("property " + e.Name + " : " + type + " read F" + e.Name + " write F" + e.Name +
                   ";");
  }
  // 10: inherited events published.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::ExistingEvent || !item.ExistingEvent().Publish) continue;
    Lines& list = lists.at(kPublished, DL::kProperties);
    AddComment(list, item.Descr);
    list.push_back("property " + item.ExistingEvent().Name + ";");
  }
  // 11: variables.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::Variable) continue;
    const model::VariablePart& v = item.Variable();
    Lines& list = lists.at(DeclaredScope(v.Scope, IsKnownClassVariable(v)), DL::kFields);
    AddComment(list, item.Descr);
    list.push_back(v.Name + " : " + v.DataType + ";");
  }
  // 12: property declarations.
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == ItemKind::Property)
      AddPropertyDeclaration(lists, item.Property(), item.Descr);
  }
  return lists;
}

std::vector<std::string> WriteTypeSection(Printer& out, const model::ComponentDef& def,
                                          bool full_comments) {
  if (def.Global.Code) {
    out.Lines(*def.Global.Code);
    out.Line();
  }
  DL lists = BuildDeclarationLists(def, full_comments);
  out.Line("type");
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::NewEvent) continue;
    const model::NewEventPart& e = item.NewEvent();
    if (model::IsNotifyArglist(e.Arglist)) continue;
    out.Emit({"  $type$ = procedure $arguments$ of object;"},
             {{"type", model::EventTypeName(e.Name)}, {"arguments", e.Arglist.str()}});
    out.Line();
  }
  const std::string& class_name = def.MainInfo.NewClassName.str();
  out.Emit({"  $class$ = class($parent$)"},
           {{"class", class_name}, {"parent", def.MainInfo.ParentClassName.str()}});
  auto write_list = [&](const Lines& list) {
    for (const std::string& line : list) out.Emit({"        $line$"}, {{"line", line}});
  };
  struct Section {
    std::uint8_t scope;
    std::string_view keyword, fields_comment, methods_comment;
  };
  const Section sections[] = {
      {model::kScopePrivate, "private", "Private fields of ", "Private methods of "},
      {model::kScopeProtected, "protected", "Protected fields of ", "Protected methods of "},
      {model::kScopePublic, "public", "Public fields and properties of ", "Public methods of "},
      {model::kScopePublished, "published", "Published properties of ", ""},
  };
  for (const Section& s : sections) {
    const Vars vars = {{"keyword", std::string(s.keyword)},
                       {"fields", std::string(s.fields_comment)},
                       {"methods", std::string(s.methods_comment)},
                       {"class", class_name}};
    out.Emit({"    $keyword$", "      { $fields$$class$ }"}, vars);
    write_list(lists.at(s.scope, DL::kFields));
    write_list(lists.at(s.scope, DL::kProperties));
    out.Line();
    if (s.methods_comment.empty()) continue;  // published methods are never written
    out.Emit({"      { $methods$$class$ }"}, vars);
    write_list(lists.at(s.scope, DL::kMethods));
    out.Line();
  }
  out.Line("  end;");
  return std::move(lists.component_links);
}

}  // namespace kx::generate
