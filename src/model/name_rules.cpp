// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/name_rules.h"

#include <algorithm>
#include <array>
#include <bit>

#include "model/text.h"

namespace kx::model {

namespace {

// How many of the text's first characters spell the start of the prefix, in any letter case.
std::size_t TypedPrefix(std::string_view text, std::string_view prefix) {
  std::size_t n = 0;
  while (n < prefix.size() && n < text.size() && UpCase(text[n]) == UpCase(prefix[n])) ++n;
  return n;
}

}  // namespace

FilteredText FilterIdentifier(std::string_view text, std::size_t caret, std::string_view prefix) {
  // The prefix stays whatever was typed over it: what does not spell it goes after it, so a
  // class name always starts with "T" and an event name with "On".
  const std::size_t typed = TypedPrefix(text, prefix);
  std::string t(prefix);
  std::copy_if(text.begin() + static_cast<std::ptrdiff_t>(typed), text.end(), std::back_inserter(t),
               [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; });
  if (!t.empty()) t[0] = UpCase(t[0]);
  if (t.size() > prefix.size()) t[prefix.size()] = UpCase(t[prefix.size()]);
  if (t.size() == 1 && IsAsciiDigit(t[0])) t.clear();
  if (t == text) return {t, caret};
  if (caret >= typed) caret += prefix.size() - typed;
  std::size_t new_caret = std::min(std::max(caret, prefix.size()), t.size());
  return {std::move(t), new_caret};
}

NameFieldFilter::NameFieldFilter(std::string prefix) : prefix_(std::move(prefix)) {}

FilteredText NameFieldFilter::Edit(std::string_view previous, std::string_view text,
                                   std::size_t caret) {
  const std::size_t p = prefix_.size();
  if (!unfilled_.empty() && previous == filled_text_ && text.size() == previous.size() + 1 &&
      caret == p + 1 && text.substr(0, p) == previous.substr(0, p) &&
      text.substr(p + 1) == previous.substr(p) && UpCase(text[p]) == UpCase(unfilled_[0])) {
    unfilled_.erase(0, 1);
    return {std::string(previous), p};
  }
  unfilled_.clear();
  if (p == 0 || !StartsWithText(previous, prefix_)) return FilterIdentifier(text, caret, prefix_);
  // The edit replaced previous[start, end) by text[start, start + inserted); what was typed
  // ends at the caret, which settles a letter repeated either side of it.
  caret = std::min(caret, text.size());
  std::size_t start = 0;
  while (start < previous.size() && start < caret && previous[start] == text[start]) {
    ++start;
  }
  if (start >= p) return FilterIdentifier(text, caret, prefix_);
  std::size_t same_end = 0;
  while (same_end < previous.size() - start && same_end < text.size() - caret &&
         previous[previous.size() - 1 - same_end] == text[text.size() - 1 - same_end]) {
    ++same_end;
  }
  const std::size_t end = previous.size() - same_end;
  const std::string_view inserted = text.substr(start, text.size() - same_end - start);
  // Typed over the prefix: what spells its next characters is the prefix typed again.
  std::size_t spelled = 0;
  while (spelled < inserted.size() && start + spelled < p &&
         UpCase(inserted[spelled]) == UpCase(prefix_[start + spelled])) {
    ++spelled;
  }
  std::string rebuilt = prefix_;
  rebuilt += inserted.substr(spelled);
  rebuilt += previous.substr(std::max(end, p));
  FilteredText result = FilterIdentifier(rebuilt, p + inserted.size() - spelled, prefix_);
  // Only part of the prefix typed so far: the rest is shown already, and typing it next is
  // typing over it (OnBlink typed over a selected name gives OnBlink, not OnNBlink).
  const std::size_t typed = start + spelled;
  if (spelled == inserted.size() && typed > 0 && typed < p) {
    unfilled_ = prefix_.substr(typed);
    filled_text_ = result.text;
  }
  return result;
}

namespace {

// name == prefix + base, in any letter case, without building the derived name.
bool IsDerivedName(std::string_view name, std::string_view prefix, std::string_view base) {
  return name.size() == prefix.size() + base.size() && StartsWithText(name, prefix) &&
         SameText(name.substr(prefix.size()), base);
}

std::string_view HandlerNameView(std::string_view handler_decl) {
  return TrimView(handler_decl.substr(0, handler_decl.find('(')));
}

// A name an item claims besides its own: prefix + base, any letter case, so that the lookup
// compares in place. role and owner complete the message: "<name> <role> <owner>."
struct Claim {
  std::string_view prefix;
  std::string_view base;
  std::string_view role;
  std::string_view owner;
};

// The claims of an item, in the order the lookup reports them; at most three.
std::size_t ClaimsOf(const ItemDef& item, std::array<Claim, 3>& claims) {
  switch (item.Kind()) {
    case ItemKind::Property: {
      const PropertyPart& p = item.Property();
      if (p.Inherited) return 0;
      claims = {{{"F", p.Name, "is the name of the storage variable for property", p.Name},
                 {"Get", p.Name, "is reserved for the read method for property", p.Name},
                 {"Set", p.Name, "is reserved for the write method for property", p.Name}}};
      return 3;
    }
    case ItemKind::ExistingEvent: {
      const ExistingEventPart& e = item.ExistingEvent();
      claims[0] = {"", HandlerNameView(e.HandlerDecl), "is the name of the handler for event",
                   e.Name};
      return 1;
    }
    case ItemKind::NewEvent: {
      const NewEventPart& e = item.NewEvent();
      const std::string_view rest =
          std::string_view(e.Name).substr(std::min<std::size_t>(2, e.Name.size()));
      const bool prefixed = SameText(rest, "Enter") || SameText(rest, "Exit");
      claims[0] = {"F", e.Name, "is the name of the storage variable for event", e.Name};
      claims[1] = {prefixed ? "Do" : "", rest, "is the name of the event handler for event",
                   e.Name};
      return 2;
    }
    case ItemKind::Method:
    case ItemKind::Variable:
    case ItemKind::Main:
      break;
  }
  return 0;
}

bool IsGeneratedMethodName(std::string_view name) {
  return SameText(name, "AUTOINITIALIZE") || SameText(name, "AUTODESTROY") ||
         SameText(name, "NOTIFICATION");
}

// FindName that passes over the item numbered skip (none when 0), so that a renamed item is
// looked up against the others only. Runs for every name the user enters, so it builds no
// derived names and no message until it has a hit: each candidate is compared in place.
NameLookup FindNameExcept(const ComponentDef& def, std::string_view name, int skip) {
  if (IsGeneratedMethodName(name)) {
    return {0, std::string(name) + " is the name of an automatically generated method."};
  }
  const std::vector<ItemDef>& items = def.Items();
  for (int i = 1; i <= def.Count(); ++i) {
    if (i != skip && SameText(ItemNameView(items[i - 1]), name)) {
      return {i, std::string(name) + " is already in the component definition."};
    }
  }
  std::array<Claim, 3> claims;
  for (int i = 1; i <= def.Count(); ++i) {
    if (i == skip) continue;
    const std::size_t count = ClaimsOf(items[i - 1], claims);
    for (std::size_t c = 0; c < count; ++c) {
      if (IsDerivedName(name, claims[c].prefix, claims[c].base)) {
        return {i, std::string(name) + " " + std::string(claims[c].role) + " " +
                       std::string(claims[c].owner) + "."};
      }
    }
  }
  return {-1, std::string(name) + " not found in the component definition."};
}

}  // namespace

NameLookup FindName(const ComponentDef& def, std::string_view name) {
  return FindNameExcept(def, name, 0);
}

NameIndex::NameIndex(std::size_t expected) {
  owners_.reserve(4 * expected);
  Rehash(std::bit_ceil(std::max<std::size_t>(16, 8 * expected)));
}

void NameIndex::Add(const ItemDef& item, int number) {
  // An item's own name wins over a name another item derives, as in FindName; among derived
  // names the first item keeps it.
  Put(std::string(ItemNameView(item)), number, true);
  std::array<Claim, 3> claims;
  const std::size_t count = ClaimsOf(item, claims);
  for (std::size_t c = 0; c < count; ++c) {
    std::string derived(claims[c].prefix);
    derived += claims[c].base;
    Put(std::move(derived), number, false);
  }
}

namespace {

std::size_t CaselessHash(std::string_view name) {
  std::size_t hash = 14695981039346656037ULL;  // FNV-1a
  for (char c : name) {
    hash ^= static_cast<unsigned char>(UpCase(c));
    hash *= 1099511628211ULL;
  }
  return hash;
}

}  // namespace

int NameIndex::Find(std::string_view name) const {
  if (IsGeneratedMethodName(name)) return 0;
  const std::uint32_t at = slots_[SlotOf(name, CaselessHash(name))];
  return at == 0 ? -1 : owners_[at - 1].number;
}

std::size_t NameIndex::SlotOf(std::string_view name, std::size_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint32_t at = slots_[i];
    if (at == 0) return i;
    const Owner& owner = owners_[at - 1];
    if (owner.hash == hash && SameText(owner.name, name)) return i;
  }
}

void NameIndex::Put(std::string name, int number, bool replace) {
  if (2 * (owners_.size() + 1) > slots_.size()) Rehash(2 * slots_.size());
  const std::size_t hash = CaselessHash(name);
  const std::size_t slot = SlotOf(name, hash);
  if (slots_[slot] != 0) {
    if (replace) owners_[slots_[slot] - 1].number = number;
    return;
  }
  owners_.push_back({std::move(name), hash, number});
  slots_[slot] = static_cast<std::uint32_t>(owners_.size());
}

void NameIndex::Rehash(std::size_t slot_count) {
  slots_.assign(slot_count, 0);
  const std::size_t mask = slot_count - 1;
  for (std::size_t n = 0; n < owners_.size(); ++n) {
    std::size_t i = owners_[n].hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = static_cast<std::uint32_t>(n + 1);
  }
}

namespace {

NameLookup FindItemConflict(const ComponentDef& def, const ItemDef& item, int skip) {
  const std::string name = ItemName(item);
  if (IsReservedWord(name)) return {0, ReservedWordMessage(name)};
  NameLookup found = FindNameExcept(def, name, skip);
  if (found.index != -1) return found;
  for (const std::string& derived : DerivedNames(item)) {
    NameLookup taken = IsReservedWord(derived) ? NameLookup{0, ReservedWordMessage(derived)}
                                               : FindNameExcept(def, derived, skip);
    if (taken.index != -1) {
      return {taken.index, name + " needs the name " + derived + ", but " + taken.message};
    }
  }
  return found;
}

}  // namespace

std::vector<std::string> DerivedNames(const ItemDef& item) {
  switch (item.Kind()) {
    case ItemKind::Property: {
      const PropertyPart& p = item.Property();
      if (p.Inherited) return {};
      return {StorageVariableName(p.Name), ReadMethodName(p.Name), WriteMethodName(p.Name)};
    }
    case ItemKind::NewEvent: {
      const NewEventPart& e = item.NewEvent();
      return {StorageVariableName(e.Name), DispatchMethodName(e.Name)};
    }
    default:
      return {};
  }
}

NameLookup FindNewItemConflict(const ComponentDef& def, const ItemDef& item) {
  return FindItemConflict(def, item, 0);
}

NameLookup FindRenameConflict(const ComponentDef& def, int number) {
  return FindItemConflict(def, def.Item(number), number);
}

bool IsReservedWord(std::string_view name) {
  // Object Pascal's reserved words as Delphi has them; directives (read, default, override,
  // ...) are not among them, since Pascal lets them name things.
  static constexpr std::string_view kReserved =
      " AND ARRAY AS ASM BEGIN CASE CLASS CONST CONSTRUCTOR DESTRUCTOR DISPINTERFACE DIV DO"
      " DOWNTO ELSE END EXCEPT EXPORTS FILE FINALIZATION FINALLY FOR FUNCTION GOTO IF"
      " IMPLEMENTATION IN INHERITED INITIALIZATION INLINE INTERFACE IS LABEL LIBRARY MOD NIL NOT"
      " OBJECT OF OR OUT PACKED PROCEDURE PROGRAM PROPERTY RAISE RECORD REPEAT RESOURCESTRING"
      " SET SHL SHR STRING THEN THREADVAR TO TRY TYPE UNIT UNTIL USES VAR WHILE WITH XOR ";
  if (name.empty() || name.size() > 14 || !IsValidIdent(name)) return false;
  return kReserved.find(" " + UpperCase(name) + " ") != std::string_view::npos;
}

std::string StorageVariableName(std::string_view name) { return "F" + std::string(name); }

bool HasStorageVariable(const PropertyPart& property) {
  return !property.Inherited && property.Link.empty() && !IsIndexedKind(property.Special);
}

std::string ReadMethodName(std::string_view name) { return "Get" + std::string(name); }
std::string WriteMethodName(std::string_view name) { return "Set" + std::string(name); }

namespace {

// How an indexed property's index appears in its declaration and its two methods.
struct IndexTexts {
  std::string_view declaration;  // "[I : Longint]"
  std::string_view read;         // "(I : Longint)"
  std::string_view write;        // "I : Longint; "
};

IndexTexts IndexTextsOf(PropSpecialType kind) {
  switch (kind) {
    case PropSpecialType::psIndexedI:
      return {"[I : Longint]", "(I : Longint)", "I : Longint; "};
    case PropSpecialType::psIndexedIJ:
      return {"[I, J : Longint]", "(I, J : Longint)", "I, J : Longint; "};
    case PropSpecialType::psIndexedString:
      return {"[S : String]", "(S : String)", "S : String; "};
    default:
      return {};
  }
}

}  // namespace

std::string IndexDeclaration(const PropertyPart& property) {
  return std::string(IndexTextsOf(property.Special).declaration);
}

std::string ReadMethodHeader(const PropertyPart& property) {
  return ReadMethodName(property.Name) + std::string(IndexTextsOf(property.Special).read) + " : " +
         property.PropType;
}

std::string WriteMethodHeader(const PropertyPart& property) {
  return WriteMethodName(property.Name) + "(" + std::string(IndexTextsOf(property.Special).write) +
         "Value : " + property.PropType + ")";
}

std::string DispatchMethodName(std::string_view event_name) {
  // IsDispatchMethodName above compares against this without building it.
  std::string rest(event_name.substr(std::min<std::size_t>(2, event_name.size())));
  if (SameText(rest, "Enter") || SameText(rest, "Exit")) return "Do" + rest;
  return rest;
}

std::string EventTypeName(std::string_view event_name) {
  const char* suffix = EndsWithText(event_name, "EVENT") ? "Type" : "Event";
  return "T" + DispatchMethodName(event_name) + suffix;
}

bool IsNotifyArglist(std::string_view arglist) {
  std::string packed(arglist);
  std::erase(packed, ' ');
  return arglist.empty() || SameText(packed, "(SENDER:TOBJECT)");
}

std::string HandlerName(std::string_view handler_decl) {
  return std::string(HandlerNameView(handler_decl));
}

std::string NormalizeArglist(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty()) return t;
  if (t.back() != ')') t += ')';
  if (t.front() != '(') t.insert(t.begin(), '(');
  return t;
}

DerivedFileName FileNameOf(std::string_view pascal_name, std::string_view extension) {
  if (!IsValidIdent(pascal_name)) {
    return {"", "\"" + std::string(pascal_name) + "\" is not a valid Pascal identifier"};
  }
  return {LowerCase(pascal_name) + std::string(extension), ""};
}

std::string_view MethodKeyword(std::uint8_t method_kind) {
  return method_kind < kMethodKeywords.size() ? kMethodKeywords[method_kind] : std::string_view();
}

std::string CheckMethodHeader(std::string_view header, std::uint8_t method_kind) {
  std::string h = Trim(header);
  // 1-based positions, 0 when absent, all taken from the trimmed header.
  auto position = [&](char c) {
    std::size_t at = h.find(c);
    return at == std::string::npos ? std::size_t{0} : at + 1;
  };
  const std::size_t p_open = position('(');
  const std::size_t p_close = position(')');
  const std::size_t p_colon = position(':');
  auto quoted = [](std::string_view text) { return "\"" + std::string(text) + "\""; };

  if (method_kind != kFunction) {
    if (p_open <= 1 && p_colon > 0) return quoted(h) + " is not a valid procedure header";
  } else if (p_close >= 1) {
    h.resize(p_close);
  } else if (p_colon > 0) {
    h = Trim(std::string_view(h).substr(0, p_colon - 1));
  }
  const std::string method_name =
      p_open > 0 ? Trim(std::string_view(h).substr(0, std::min(p_open - 1, h.size()))) : h;
  if (p_open == 1) return quoted(h) + " does not begin with a method name";
  if (!IsValidIdent(method_name)) return quoted(method_name) + " is not a valid method name";
  if (p_close < p_open) return quoted(h) + " is not a valid method header";
  return {};
}

std::string TidyNewEventArglist(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty() || t == "()") return std::string(kNotifyArglist);
  return NormalizeArglist(t);
}

std::string MissingEntryMessage(std::string_view what) {
  return "You have not entered a " + std::string(what) + ".";
}

bool IsMissingEventName(std::string_view text) { return text.empty() || SameText(text, "On"); }

std::string HeaderWarningMessage(std::string_view check_result) {
  return "Warning: " + std::string(check_result);
}

std::string DuplicateUnitMessage(std::string_view unit_name) {
  return "Duplicate identifier:  \"" + std::string(unit_name) + "\" is already in the unit list.";
}

std::string CheckNewClassName(std::string_view name, std::string_view parent,
                              bool is_catalogue_class) {
  if (IsReservedWord(name)) return ReservedWordMessage(name);
  if (SameText(name, parent)) {
    return std::string(name) +
           " is the name of the parent class; the new class needs a name of its own.";
  }
  if (is_catalogue_class) {
    return std::string(name) +
           " is the name of a standard class; the new class needs a name of its own.";
  }
  return {};
}

std::string ReservedWordMessage(std::string_view name) {
  return std::string(name) + " is a reserved word of Object Pascal and cannot be used as a name.";
}

std::string AddConflictMessage(std::string_view name) {
  return "Identifier " + std::string(name) + " is already in the component";
}

}  // namespace kx::model
