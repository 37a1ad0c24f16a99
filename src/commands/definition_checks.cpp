// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/definition_checks.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "catalog/class_catalog.h"
#include "catalog/member_sets.h"
#include "catalog/type_classes.h"
#include "generate/printer.h"
#include "generate/unit/class_declaration.h"
#include "generate/unit/implementation.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "model/types.h"

namespace kx::commands {

using model::ComponentDef;
using model::ItemDef;
using model::ItemKind;
using model::PropertyPart;
using model::PropSpecialType;
using Findings = std::vector<DefinitionFinding>;

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The identifiers (upper-cased) and ":=" symbols of a code block, its comments and strings
// left out: enough to see whether the code calls or assigns a name.
std::vector<std::string> CodeTokens(const model::TextBlock& code) {
  std::vector<std::string> tokens;
  if (!code) return tokens;
  std::string text;
  for (const std::string& line : *code) text += line + "\n";
  std::size_t i = 0;
  const auto skip_to = [&](std::string_view end) {
    const std::size_t at = text.find(end, i);
    i = at == std::string::npos ? text.size() : at + end.size();
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '{') {
      skip_to("}");
    } else if (c == '(' && i + 1 < text.size() && text[i + 1] == '*') {
      i += 2;
      skip_to("*)");
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      skip_to("\n");
    } else if (c == '\'') {
      ++i;
      skip_to("'");
    } else if (c == ':' && i + 1 < text.size() && text[i + 1] == '=') {
      tokens.emplace_back(":=");
      i += 2;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      const std::size_t begin = i;
      while (i < text.size() &&
             (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
      tokens.push_back(model::UpperCase(std::string_view(text).substr(begin, i - begin)));
    } else {
      ++i;
    }
  }
  return tokens;
}

bool Mentions(const std::vector<std::string>& tokens, std::string_view name) {
  const std::string upper = model::UpperCase(name);
  return std::find(tokens.begin(), tokens.end(), upper) != tokens.end();
}

// Whether the code assigns name after its first call of after (anywhere when after is empty).
bool AssignsAfter(const std::vector<std::string>& tokens, std::string_view name,
                  std::string_view after) {
  const std::string upper = model::UpperCase(name);
  auto from = tokens.begin();
  if (!after.empty()) {
    from = std::find(tokens.begin(), tokens.end(), model::UpperCase(after));
    if (from == tokens.end()) return false;
  }
  for (auto it = from; it != tokens.end() && it + 1 != tokens.end(); ++it) {
    if (*it == upper && *(it + 1) == ":=") return true;
  }
  return false;
}

std::vector<const ItemDef*> MethodsOfKind(const ComponentDef& def, std::uint8_t kind) {
  std::vector<const ItemDef*> methods;
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == ItemKind::Method && item.Method().MethodKind == kind) {
      methods.push_back(&item);
    }
  }
  return methods;
}

bool IsOwnProperty(const ItemDef& item) {
  return item.Kind() == ItemKind::Property && !item.Property().Inherited;
}

// --- The checks -----------------------------------------------------------------------

void DefaultOfWrongType(const ComponentDef& def, Findings& findings) {
  for (const ItemDef& item : def.Items()) {
    std::string problem;
    if (IsOwnProperty(item)) {
      const PropertyPart& p = item.Property();
      if (!p.PropDefault.empty()) problem = model::CheckValueOfType(p.PropType, p.PropDefault);
    } else if (item.Kind() == ItemKind::Variable && !item.Variable().IsObject) {
      const model::VariablePart& v = item.Variable();
      if (!v.Default.empty()) problem = model::CheckValueOfType(v.DataType, v.Default);
    }
    if (problem.empty()) continue;
    findings.push_back({"default-type", model::ItemName(item),
                        problem + ", so the assignment AutoInitialize makes will not compile. " +
                            "Enter a default value the type can hold, or change the type."});
  }
}

void DefaultNoCodeSets(const ComponentDef& def, Findings& findings) {
  std::vector<std::string> constructor_code;
  for (const ItemDef* method : MethodsOfKind(def, model::kConstructor)) {
    const std::vector<std::string> tokens = CodeTokens(method->Code);
    constructor_code.insert(constructor_code.end(), tokens.begin(), tokens.end());
  }
  for (const ItemDef& item : def.Items()) {
    std::string why;
    std::string value;
    if (IsOwnProperty(item) && !item.Property().PropDefault.empty()) {
      const PropertyPart& p = item.Property();
      value = p.PropDefault.str();
      if (model::IsIndexedKind(p.Special)) {
        why = "an array property has no single value to set";
      } else if ((p.Special == PropSpecialType::psObjectAutoCreate ||
                  p.Special == PropSpecialType::psObjectManualCreate ||
                  p.Special == PropSpecialType::psLinkComponent) &&
                 p.Link.empty()) {
        why = "AutoInitialize starts an object property as a new object or nil";
      } else if (p.ReadOnly && !AssignsAfter(constructor_code, "F" + p.Name, {})) {
        why = "AutoInitialize sets no read-only property, and no constructor sets F" + p.Name;
      }
    } else if (item.Kind() == ItemKind::Variable && item.Variable().IsObject &&
               !item.Variable().Default.empty()) {
      value = item.Variable().Default.str();
      why = "AutoInitialize creates an object variable and sets no value";
    }
    if (why.empty()) continue;
    findings.push_back({"default-unset", model::ItemName(item),
                        "No code sets the default value " + value + ": " + why +
                            ". Clear the default value, or set the value in the constructor."});
  }
}

void DefaultStorageElsewhere(const ComponentDef& def, Findings& findings) {
  std::vector<std::string> constructor_code;
  for (const ItemDef* method : MethodsOfKind(def, model::kConstructor)) {
    const std::vector<std::string> tokens = CodeTokens(method->Code);
    constructor_code.insert(constructor_code.end(), tokens.begin(), tokens.end());
  }
  for (const ItemDef& item : def.Items()) {
    if (!IsOwnProperty(item)) continue;
    const PropertyPart& p = item.Property();
    if (model::PropertyScope(p) != model::kScopePublished || !generate::DeclaresDefault(p)) {
      continue;
    }
    const std::string field = model::StorageVariableName(p.Name);
    std::string why;
    if (generate::UsesReadMethod(p) && model::HasStorageVariable(p) &&
        !Mentions(CodeTokens(p.ReadCode), field)) {
      why = "its read method does not return " + field + ", which AutoInitialize sets";
    } else if (AssignsAfter(constructor_code, field, "AutoInitialize") ||
               AssignsAfter(constructor_code, p.Name, "AutoInitialize")) {
      why = "the constructor sets it again after AutoInitialize";
    }
    if (why.empty()) continue;
    findings.push_back(
        {"default-storage", p.Name.str(),
         "The property declares the default " + p.PropDefault.str() + ", but " + why +
             ": a form file leaves the property out while it holds " + p.PropDefault.str() +
             ", and the component then starts with another value. Let the property start at " +
             "its default value, or clear the default value."});
  }
}

// Whether AutoInitialize (AutoDestroy) has anything to do: more than its begin and end lines
// (or the comment that says there is nothing to free).
bool AutoInitializeHasWork(const ComponentDef& def) {
  generate::Printer out;
  generate::WriteAutoInitialize(out, def);
  return std::count(out.text().begin(), out.text().end(), '\n') > 2;
}

bool AutoDestroyHasWork(const ComponentDef& def) {
  generate::Printer out;
  generate::WriteAutoDestroy(out, def);
  return out.text().find(".Free;") != std::string::npos;
}

void CheckAutoCall(const ComponentDef& def, Findings& findings, std::uint8_t kind,
                   std::string_view call, bool has_work, std::string_view without_call,
                   std::string_view add) {
  const std::vector<const ItemDef*> methods = MethodsOfKind(def, kind);
  const std::string_view what = kind == model::kConstructor ? "constructor" : "destructor";
  if (methods.empty()) {
    if (!has_work) return;
    findings.push_back({"auto-call", "",
                        "No " + std::string(what) + " calls " + std::string(call) + ", so " +
                            std::string(without_call) + ". " + std::string(add)});
    return;
  }
  for (const ItemDef* method : methods) {
    if (Mentions(CodeTokens(method->Code), call)) continue;
    findings.push_back(
        {"auto-call", model::ItemName(*method),
         "The " + std::string(what) + " does not call " + std::string(call) + ", so " +
             std::string(without_call) + ". Call " + std::string(call) +
             " in its code, or clear the code to get the default code, which does."});
  }
}

void AutoMethodsNotCalled(const ComponentDef& def, Findings& findings) {
  CheckAutoCall(def, findings, model::kConstructor, "AutoInitialize", AutoInitializeHasWork(def),
                "the component's objects are not created and its values not set",
                "Add a constructor Create that calls AutoInitialize after inherited Create.");
  CheckAutoCall(def, findings, model::kDestructor, "AutoDestroy", AutoDestroyHasWork(def),
                "the objects AutoInitialize creates are never freed",
                "Add a destructor Destroy that calls AutoDestroy before inherited Destroy.");
}

// A property that holds an object of its own: one AutoInitialize creates, or one of a class
// of the catalogue that is not a component (those are references, the next check's concern).
bool OwnsObject(const PropertyPart& p) {
  if (p.Special == PropSpecialType::psObjectAutoCreate) return true;
  return p.Special == PropSpecialType::psNone && catalog::IsObjectType(p.PropType) &&
         !catalog::IsComponentType(p.PropType) && !catalog::IsDatasetFieldClass(p.PropType);
}

void ObjectWithoutAssign(const ComponentDef& def, Findings& findings) {
  for (const ItemDef& item : def.Items()) {
    if (!IsOwnProperty(item)) continue;
    const PropertyPart& p = item.Property();
    if (p.ReadOnly || !p.Link.empty() || !OwnsObject(p)) continue;
    const std::string field = model::StorageVariableName(p.Name);
    std::string why;
    if (!generate::UsesWriteMethod(p)) {
      why = "it has no write method and writes " + field + " directly";
    } else if (!Mentions(CodeTokens(item.Code), "Assign")) {
      why = "its write method does not copy the value with Assign";
    } else {
      continue;
    }
    // A component cannot copy another with Assign: the one it creates for itself stays.
    const std::string fix =
        catalog::IsComponentType(p.PropType)
            ? "Make the property read-only."
            : "Choose the special kind \"" +
                  std::string(model::SpecialKindText(PropSpecialType::psObjectAutoCreate)) +
                  "\" with a write method that calls " + field + ".Assign(Value).";
    findings.push_back({"object-assign", p.Name.str(),
                        "The object property keeps the object it is given, because " + why +
                            ": its own object leaks and it holds one that another frees. " + fix});
  }
}

void LinkWithoutNotification(const ComponentDef& def, Findings& findings) {
  for (const ItemDef& item : def.Items()) {
    if (!IsOwnProperty(item)) continue;
    const PropertyPart& p = item.Property();
    if (p.Special != PropSpecialType::psNone || !catalog::IsComponentType(p.PropType)) continue;
    findings.push_back(
        {"link-notification", p.Name.str(),
         "The property refers to a component of type " + p.PropType.str() +
             " but is no component link: nothing resets it in Notification, so it points at a " +
             "freed component once that one is deleted. Choose the special kind \"" +
             std::string(model::SpecialKindText(PropSpecialType::psLinkComponent)) + "\"."});
  }
}

// Why a normalized argument list cannot be called, or empty: each parameter group needs its
// names and, unless it is an untyped var, const or out parameter, its type.
std::string ArglistProblem(std::string_view event_name, std::string_view arglist) {
  const std::string header =
      "F" + std::string(event_name) + std::string(arglist.empty() ? "(Self)" : arglist);
  if (std::string problem = model::CheckMethodHeader(header, model::kProcedure); !problem.empty()) {
    return problem;
  }
  const std::size_t open = arglist.find('(');
  const std::size_t close = arglist.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return {};
  if (!model::TrimView(arglist.substr(close + 1)).empty()) {
    return "an event handler is a procedure and returns no result";
  }
  std::string_view rest = arglist.substr(open + 1, close - open - 1);
  if (model::TrimView(rest).empty()) return {};
  while (true) {
    const std::size_t semicolon = rest.find(';');
    std::string_view group = model::TrimView(rest.substr(0, semicolon));
    const std::size_t colon = group.find(':');
    std::string_view names = model::TrimView(group.substr(0, colon));
    bool has_modifier = false;
    for (std::string_view modifier : {"var ", "const ", "out "}) {
      if (names.size() > modifier.size() &&
          model::SameText(names.substr(0, modifier.size()), modifier)) {
        names = model::TrimView(names.substr(modifier.size()));
        has_modifier = true;
      }
    }
    bool names_valid = !names.empty();
    while (names_valid && !names.empty()) {
      const std::size_t comma = names.find(',');
      names_valid = model::IsValidIdent(model::TrimView(names.substr(0, comma)));
      if (comma == std::string_view::npos) break;
      names = names.substr(comma + 1);
    }
    if (!names_valid) return Quoted(group) + " does not name its parameters";
    if (colon == std::string_view::npos ? !has_modifier
                                        : model::TrimView(group.substr(colon + 1)).empty()) {
      return Quoted(group) + " gives no type";
    }
    if (semicolon == std::string_view::npos) break;
    rest = rest.substr(semicolon + 1);
  }
  return {};
}

void EventNotCallable(const ComponentDef& def, Findings& findings) {
  for (const ItemDef& item : def.Items()) {
    if (item.Kind() == ItemKind::NewEvent) {
      const model::NewEventPart& e = item.NewEvent();
      const std::string problem = ArglistProblem(e.Name, model::NormalizeArglist(e.Arglist));
      if (problem.empty()) continue;
      findings.push_back({"event-arglist", e.Name.str(),
                          "The argument list " + e.Arglist.str() + " cannot be called: " + problem +
                              ". Give each parameter its type, as in " +
                              "(Sender : TObject; var Allow : Boolean)."});
    } else if (item.Kind() == ItemKind::ExistingEvent && item.ExistingEvent().Override) {
      const model::ExistingEventPart& e = item.ExistingEvent();
      const std::string problem = model::CheckMethodHeader(e.HandlerDecl, model::kProcedure);
      if (problem.empty()) continue;
      findings.push_back({"event-arglist", e.Name.str(),
                          "The handler the event overrides cannot be called: " + problem +
                              ". Enter the handler's declaration as the parent class declares " +
                              "it, as in Click or KeyPress(var Key : Char)."});
    }
  }
}

void HidesInherited(const ComponentDef& def, Findings& findings) {
  std::string_view ancestor = def.MainInfo.VCLAncestorName;
  if (ancestor.empty()) ancestor = def.MainInfo.ParentClassName;
  if (ancestor.empty()) return;
  // The parent's members the catalogue knows, each with how a definition redeclares it.
  std::vector<std::string> inherited;
  const ComponentDef members = catalog::InheritedMembersOf(ancestor);
  for (const ItemDef& member : members.Items()) {
    switch (member.Kind()) {
      case ItemKind::ExistingEvent:
        inherited.push_back(member.ExistingEvent().Name.str());
        if (!member.ExistingEvent().HandlerDecl.empty()) {
          inherited.push_back(model::HandlerName(member.ExistingEvent().HandlerDecl));
        }
        break;
      case ItemKind::Property:
        if (member.Property().Inherited) inherited.push_back(member.Property().Name.str());
        break;
      case ItemKind::Method:
        if (member.Method().Override) inherited.push_back(model::ItemName(member));
        break;
      default:
        break;
    }
  }
  const auto is_inherited = [&](std::string_view name) {
    return std::any_of(inherited.begin(), inherited.end(),
                       [&](const std::string& member) { return model::SameText(member, name); });
  };
  for (const ItemDef& item : def.Items()) {
    // These kinds redeclare the inherited member itself.
    if (item.Kind() == ItemKind::ExistingEvent) continue;
    if (item.Kind() == ItemKind::Property && item.Property().Inherited) continue;
    if (item.Kind() == ItemKind::Method && item.Method().Override) continue;
    std::vector<std::string> names = {model::ItemName(item)};
    for (std::string& derived : model::DerivedNames(item)) names.push_back(std::move(derived));
    const auto hidden = std::find_if(names.begin(), names.end(), is_inherited);
    if (hidden == names.end()) continue;
    const std::string how =
        item.Kind() == ItemKind::Method
            ? "Mark the method Override if it replaces the inherited one, or rename it."
            : "Rename it, or use the inherited member instead.";
    findings.push_back({"hides-inherited", model::ItemName(item),
                        "The name " + *hidden + " hides the inherited member " + *hidden + " of " +
                            std::string(ancestor) + ", so the parent's code no longer reaches " +
                            "what this declares. " + how});
  }
}

constexpr std::array<DefinitionCheck, 8> kChecks = {{
    {"default-type", DefaultOfWrongType},
    {"default-unset", DefaultNoCodeSets},
    {"default-storage", DefaultStorageElsewhere},
    {"auto-call", AutoMethodsNotCalled},
    {"object-assign", ObjectWithoutAssign},
    {"link-notification", LinkWithoutNotification},
    {"event-arglist", EventNotCallable},
    {"hides-inherited", HidesInherited},
}};

}  // namespace

std::span<const DefinitionCheck> DefinitionChecks() { return kChecks; }

std::vector<DefinitionFinding> CheckDefinition(const ComponentDef& def) {
  // The checks see the code the unit will have: absent code becomes default code.
  ComponentDef prepared = def;
  generate::PrepareForUnit(prepared, {});
  Findings findings;
  for (const DefinitionCheck& check : kChecks) check.run(prepared, findings);
  return findings;
}

std::string FindingText(const DefinitionFinding& finding) {
  return finding.item.empty() ? finding.message : finding.item + ": " + finding.message;
}

bool ConfirmDefinitionChecks(const ComponentDef& def, Dialogs& dialogs) {
  const std::vector<DefinitionFinding> findings = CheckDefinition(def);
  return findings.empty() || dialogs.DefinitionFindingsDialog(findings);
}

}  // namespace kx::commands
