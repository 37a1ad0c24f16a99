// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/unit_sync.h"

#include <algorithm>
#include <array>
#include <set>

#include "commands/unit_import.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "pascal/outline.h"

namespace kx::commands {

namespace {

using model::ComponentDef;
using model::ItemDef;
using model::ItemKind;
using model::SameText;
using model::TextBlock;

// The generator's indentation of statements in a body.
constexpr std::string_view kBodyIndent = "     ";

struct Reading {
  pascal::Outline outline;
  UnitImport imported;
  const pascal::TypeDecl* cls = nullptr;
};

std::optional<Reading> Read(std::string bytes, const std::string& class_name, std::string& error) {
  Reading reading{pascal::ParseUnit(std::move(bytes)), {}, nullptr};
  reading.imported = ImportUnit(reading.outline, {.class_name = class_name});
  if (!reading.imported.error.empty()) {
    error = reading.imported.error;
    return std::nullopt;
  }
  reading.cls = reading.outline.FindType(class_name);
  return reading;
}

std::string GeneratedText(const ComponentDef& def, const SyncOptions& options) {
  ComponentDef copy = def;
  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = options.target,
                                           .runtime_only = options.runtime_only};
  generate::PrepareForUnit(copy, unit_options);
  return generate::WriteComponentUnit(copy, unit_options, platform::DateTime{});
}

const std::vector<std::string>& LinesOf(const TextBlock& block) {
  static const std::vector<std::string> kNone;
  return block ? *block : kNone;
}

bool Same(const TextBlock& a, const TextBlock& b) { return LinesOf(a) == LinesOf(b); }

// Two texts of the units, whatever ends their lines: an editor may have changed that.
bool SameLines(std::string_view a, std::string_view b) {
  auto without_cr = [](std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
      if (c != '\r') kept += c;
    return kept;
  };
  return without_cr(a) == without_cr(b);
}

const ItemDef* Find(const ComponentDef& def, std::string_view name) {
  for (const ItemDef& item : def.Items()) {
    if (SameText(model::ItemName(item), name)) return &item;
  }
  return nullptr;
}

int NumberOf(const ComponentDef& def, std::string_view name) {
  for (int i = 1; i <= def.Count(); ++i) {
    if (SameText(model::ItemName(def.Item(i)), name)) return i;
  }
  return 0;
}

enum class Outcome { kKeep, kTake, kConflict };

// a: the unit now; g: what the definition generates; b: what generation last wrote.
Outcome Decide(const TextBlock& a, const TextBlock& g, const TextBlock* b) {
  if (Same(a, g)) return Outcome::kKeep;
  if (b) {
    if (Same(a, *b)) return Outcome::kKeep;  // only the definition changed
    if (!Same(g, *b)) return Outcome::kConflict;
  }
  return Outcome::kTake;
}

std::vector<std::string> ConflictBlock(const std::vector<std::string>& unit_version) {
  std::vector<std::string> block{std::string(kBodyIndent) + std::string(kConflictStart)};
  for (const std::string& line : unit_version)
    block.push_back(std::string(kBodyIndent) + "// " + line);
  block.push_back(std::string(kBodyIndent) + std::string(kConflictEnd));
  return block;
}

bool Holds(const std::vector<std::string>& lines, const std::vector<std::string>& block) {
  return std::search(lines.begin(), lines.end(), block.begin(), block.end()) != lines.end();
}

// The definition's version with the unit's as a comment before its final "end", so that the
// block stays inside the body wherever the code is written.
std::vector<std::string> WithConflict(std::vector<std::string> lines,
                                      const std::vector<std::string>& block) {
  auto end = lines.end();
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (model::StartsWithText(model::TrimView(*it), "end")) {
      end = std::prev(it.base());
      break;
    }
  }
  lines.insert(end, block.begin(), block.end());
  return lines;
}

// The code blocks of the definition that are not an item's.
struct GlobalSlot {
  std::string_view what;
  TextBlock& (*of)(ComponentDef&);
};
constexpr std::array<GlobalSlot, 4> kGlobalSlots = {{
    {"the declarations before the class",
     [](ComponentDef& d) -> TextBlock& { return d.Global.Code; }},
    {"the declarations after the class",
     [](ComponentDef& d) -> TextBlock& { return d.AfterClass; }},
    {"the implementation's declarations and routines",
     [](ComponentDef& d) -> TextBlock& { return d.ImpGlobal.Code; }},
    {"the initialization and finalization",
     [](ComponentDef& d) -> TextBlock& { return d.Initialization; }},
}};

TextBlock& Slot(const ComponentDef& def, const GlobalSlot& slot) {
  return slot.of(const_cast<ComponentDef&>(def));
}

enum class Field { kCode, kReadCode };

const TextBlock* FieldOf(const ItemDef& item, Field field) {
  if (field == Field::kCode) return &item.Code;
  return item.Kind() == ItemKind::Property ? &item.Property().ReadCode : nullptr;
}

TextBlock& FieldOf(ItemDef& item, Field field) {
  return field == Field::kCode ? item.Code : item.Property().ReadCode;
}

std::string Describe(const ItemDef& item, Field field) {
  const std::string name = model::ItemName(item);
  switch (item.Kind()) {
    case ItemKind::Property:
      return std::string(field == Field::kCode ? "the write method" : "the read method") +
             " of property " + name;
    case ItemKind::Method:
      return "the body of method " + name;
    case ItemKind::NewEvent:
      return "the method that fires event " + name;
    case ItemKind::ExistingEvent:
      return "the handler of event " + name;
    default:
      return "the code of " + name;
  }
}

// "method Flash", as the summary names an item added.
std::string KindAndName(const ItemDef& item) {
  constexpr std::array<std::string_view, 6> kKinds = {"property", "inherited event", "method",
                                                      "variable", "event",           "item"};
  return std::string(kKinds[static_cast<std::size_t>(item.Kind())]) + " " + model::ItemName(item);
}

// The routine of the class that carries a field's code.
std::string RoutineOf(const ItemDef& item, Field field) {
  const std::string name = model::ItemName(item);
  if (item.Kind() == ItemKind::Property) return (field == Field::kCode ? "Set" : "Get") + name;
  if (item.Kind() == ItemKind::NewEvent && model::StartsWithText(name, "On")) return name.substr(2);
  return name;
}

const pascal::Routine* ClassRoutine(const Reading& r, std::string_view name) {
  for (const pascal::Routine& routine : r.outline.routines) {
    if (routine.has_body && SameText(routine.class_name, r.cls ? r.cls->name.text : "") &&
        SameText(routine.method_name, name))
      return &routine;
  }
  return nullptr;
}

std::uint32_t LineOf(const Reading& r, std::string_view routine_or_member) {
  if (const pascal::Routine* routine = ClassRoutine(r, routine_or_member))
    return routine->whole.begin.line;
  if (r.cls) {
    if (const pascal::Member* member = r.cls->FindMember(routine_or_member))
      return member->whole.begin.line;
  }
  return 0;
}

std::string At(std::uint32_t line, std::string_view text) {
  return line == 0 ? std::string(text) : "line " + std::to_string(line) + ": " + std::string(text);
}

// An import message without its "line N: ".
std::string_view MessageText(std::string_view message) {
  if (!message.starts_with("line ")) return message;
  const std::size_t colon = message.find(": ");
  return colon == std::string_view::npos ? message : message.substr(colon + 2);
}

class Sync {
 public:
  Sync(const SyncOptions& options, UnitSync& r, const Reading& actual, const Reading& generated,
       const Reading* base)
      : options_(options),
        r_(r),
        actual_(actual),
        generated_(generated),
        base_(base),
        a_(actual.imported.def),
        g_(generated.imported.def),
        b_(base ? &base->imported.def : nullptr) {}

  void Run() {
    // Where each of kGlobalSlots starts in the unit.
    const pascal::Outline& u = actual_.outline;
    const std::array<std::uint32_t, kGlobalSlots.size()> lines = {
        u.interface_part.begin.line, actual_.cls ? actual_.cls->whole.end.line : 0,
        u.implementation_part.begin.line,
        (u.initialization.empty() ? u.finalization : u.initialization).begin.line};
    for (std::size_t i = 0; i < kGlobalSlots.size(); ++i) {
      const GlobalSlot& slot = kGlobalSlots[i];
      Merge(Slot(a_, slot), Slot(g_, slot), b_ ? &Slot(*b_, slot) : nullptr, slot.of(r_.def),
            lines[i], slot.what);
    }
    Units();
    for (const ItemDef& item : a_.Items()) Item(item);
    Removed();
    Unplaced();
  }

 private:
  void Merge(const TextBlock& a, const TextBlock& g, const TextBlock* b, TextBlock& into,
             std::uint32_t line, std::string_view what) {
    switch (Decide(a, g, b)) {
      case Outcome::kKeep:
        return;
      case Outcome::kTake:
        into = a;
        r_.changed.push_back(At(line, what));
        return;
      case Outcome::kConflict: {
        const std::vector<std::string> block = ConflictBlock(LinesOf(a));
        if (Holds(LinesOf(into), block)) return;  // taken in an earlier sync
        into = WithConflict(into ? *into : LinesOf(g), block);
        r_.conflicts.push_back(At(line, what));
        return;
      }
    }
  }

  // Units named in the unit's uses clause and not by the definition are added, and the other
  // way round, one by one, so the units the writer adds itself stay its own.
  void Units() {
    auto has = [](const ComponentDef& def, std::string_view unit) {
      const std::vector<std::string>& units = LinesOf(def.MainInfo.Units);
      return std::any_of(units.begin(), units.end(),
                         [&](const std::string& u) { return SameText(u, unit); });
    };
    const std::uint32_t line =
        actual_.outline.interface_uses ? actual_.outline.interface_uses->whole.begin.line : 0;
    std::vector<std::string> units = LinesOf(r_.def.MainInfo.Units);
    bool changed = false;
    for (const std::string& unit : LinesOf(a_.MainInfo.Units)) {
      if (has(g_, unit) || (b_ && has(*b_, unit)) || has(r_.def, unit)) continue;
      units.push_back(unit);
      r_.changed.push_back(At(line, "the unit " + unit + " added to the uses clause"));
      changed = true;
    }
    for (const std::string& unit : LinesOf(g_.MainInfo.Units)) {
      if (has(a_, unit) || (b_ && !has(*b_, unit))) continue;
      const auto at = std::find_if(units.begin(), units.end(),
                                   [&](const std::string& u) { return SameText(u, unit); });
      if (at == units.end()) continue;
      units.erase(at);
      r_.changed.push_back(At(line, "the unit " + unit + " removed from the uses clause"));
      changed = true;
    }
    if (changed) r_.def.MainInfo.Units = std::move(units);
  }

  void Item(const ItemDef& a) {
    const std::string name = model::ItemName(a);
    const ItemDef* g = Find(g_, name);
    const ItemDef* b = b_ ? Find(*b_, name) : nullptr;
    const int number = NumberOf(r_.def, name);
    if (!g) {
      if (b) {
        // Deleted in Kestrix since the last generation: gone unless the unit changed it.
        if (!Same(a.Code, b->Code))
          Unplace(LineOf(actual_, name), name + " was deleted in Kestrix but changed in the unit");
        return;
      }
      if (number == 0) {
        Add(a);
      } else {
        Unplace(LineOf(actual_, name),
                name +
                    " is declared in the unit, but the definition's item of that name "
                    "generates no such member");
      }
      return;
    }
    if (g->Kind() != a.Kind()) {
      Unplace(LineOf(actual_, name), name + " is a member of another kind in the unit");
      return;
    }
    if (b && b->Kind() != a.Kind()) b = nullptr;
    for (const Field field : {Field::kCode, Field::kReadCode}) {
      const TextBlock* from = FieldOf(a, field);
      if (!from) continue;
      const std::uint32_t line = LineOf(actual_, RoutineOf(a, field));
      if (number == 0) {
        // Something generation derives for an item of another name.
        if (Decide(*from, *FieldOf(*g, field), b ? FieldOf(*b, field) : nullptr) != Outcome::kKeep)
          Unplace(line, "The change to " + RoutineOf(a, field) + " belongs to no item");
        continue;
      }
      ItemDef& into = r_.def.Item(number);
      if (into.Kind() != a.Kind()) {
        if (Decide(*from, *FieldOf(*g, field), b ? FieldOf(*b, field) : nullptr) != Outcome::kKeep)
          Unplace(line,
                  "The change to " + RoutineOf(a, field) + " belongs to an item of another kind");
        continue;
      }
      Merge(*from, *FieldOf(*g, field), b ? FieldOf(*b, field) : nullptr, FieldOf(into, field),
            line, Describe(a, field));
    }
    if (number > 0 && a.Kind() == ItemKind::Method && g->Kind() == ItemKind::Method &&
        r_.def.Item(number).Kind() == ItemKind::Method) {
      const model::MethodPart& from = a.Method();
      const bool unit_changed =
          !(from == g->Method()) && !(b && b->Kind() == ItemKind::Method && from == b->Method());
      if (unit_changed) {
        r_.def.Item(number).Method() = from;
        r_.changed.push_back(At(LineOf(actual_, name), "the declaration of method " + name));
      }
    }
  }

  void Add(const ItemDef& a) {
    const std::string name = model::ItemName(a);
    const std::uint32_t line = LineOf(actual_, name);
    const model::NameLookup conflict = model::FindNewItemConflict(r_.def, a);
    const model::AddResult added = model::AddItem(r_.def, a);
    if (added == model::AddResult::Added) {
      r_.added.push_back(At(line, KindAndName(a)));
      return;
    }
    Unplace(line,
            name + " cannot be added to the definition: " +
                (added == model::AddResult::Full ? std::string("it is full.") : conflict.message));
  }

  void Removed() {
    for (const ItemDef& g : g_.Items()) {
      const std::string name = model::ItemName(g);
      if (Find(a_, name) || (b_ && !Find(*b_, name)) || NumberOf(r_.def, name) == 0) continue;
      r_.removed.push_back(name);
    }
    if (!options_.remove) return;
    for (const std::string& name : r_.removed) model::DeleteItem(r_.def, NumberOf(r_.def, name));
    r_.deleted = true;
  }

  void Unplace(std::uint32_t line, std::string_view text) { r_.unplaced.push_back(At(line, text)); }

  // What generation writes from many items, compared with what it wrote last (or, without a
  // record, with what it would write now).
  void Unplaced() {
    const Reading& reference = base_ ? *base_ : generated_;
    const pascal::Outline& now = actual_.outline;
    const pascal::Outline& then = reference.outline;
    for (std::string_view composed : {"AutoInitialize", "AutoDestroy", "Notification"}) {
      const pascal::Routine* mine = ClassRoutine(actual_, composed);
      const pascal::Routine* theirs = ClassRoutine(reference, composed);
      if (mine && theirs && !SameLines(now.Text(mine->whole), then.Text(theirs->whole))) {
        Unplace(mine->whole.begin.line,
                std::string(composed) + " was changed; Kestrix writes it from the definition");
      }
    }
    if (now.register_routine && then.register_routine &&
        !SameLines(now.Text(now.routines[*now.register_routine].whole),
                   then.Text(then.routines[*then.register_routine].whole))) {
      Unplace(now.routines[*now.register_routine].whole.begin.line,
              "Register was changed; Kestrix writes it from the definition");
    }
    if (base_ && !SameLines(now.source.text().substr(0, now.heading.begin.offset),
                            then.source.text().substr(0, then.heading.begin.offset))) {
      Unplace(1, "The header comment was changed");
    }
    for (const pascal::Routine& routine : now.routines) {
      if (routine.comment.empty() || !actual_.cls ||
          !SameText(routine.class_name, actual_.cls->name.text))
        continue;
      const pascal::Routine* theirs = ClassRoutine(reference, routine.method_name);
      if (theirs && !SameLines(now.Text(routine.comment), then.Text(theirs->comment))) {
        Unplace(routine.comment.begin.line,
                "The comment above " + routine.heading.name.text + " was changed");
      }
    }
    if (actual_.cls && reference.cls) {
      for (const pascal::Member& member : actual_.cls->members) {
        const ItemDef* item = Find(r_.def, member.name.text);
        if (!item || item->Kind() == ItemKind::Method) continue;
        const pascal::Member* theirs = reference.cls->FindMember(member.name.text);
        if (theirs && (!SameLines(now.Text(member.whole), then.Text(theirs->whole)) ||
                       member.visibility != theirs->visibility)) {
          Unplace(member.whole.begin.line,
                  "The declaration of " + member.name.text + " was changed");
        }
      }
    }
    // What the import itself could not place.
    std::set<std::string_view> known;
    for (const std::string& m : reference.imported.messages) known.insert(MessageText(m));
    for (const std::string& m : actual_.imported.messages) {
      if (!known.contains(MessageText(m))) r_.unplaced.push_back(m);
    }
  }

  const SyncOptions& options_;
  UnitSync& r_;
  const Reading& actual_;
  const Reading& generated_;
  const Reading* base_;
  const ComponentDef& a_;
  const ComponentDef& g_;
  const ComponentDef* b_;
};

void List(std::string& text, std::string_view heading, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  text += "\n";
  text += heading;
  text += "\n";
  for (const std::string& line : lines) text += "  " + line + "\n";
}

}  // namespace

UnitSync SyncUnit(const ComponentDef& def, std::string_view unit_bytes,
                  const std::optional<std::string>& record, const SyncOptions& options) {
  UnitSync r;
  r.def = def;
  const std::string class_name = def.MainInfo.NewClassName.str();
  std::string error;
  const std::optional<Reading> actual = Read(std::string(unit_bytes), class_name, error);
  if (!actual) {
    r.error = "The unit cannot be compared with the definition: " + error;
    return r;
  }
  const std::optional<Reading> generated = Read(GeneratedText(def, options), class_name, error);
  if (!generated) {
    r.error = "The definition's own unit cannot be read back: " + error;
    return r;
  }
  // A record that cannot be read (or is of another class) is as good as none.
  std::optional<Reading> base;
  if (record) base = Read(*record, class_name, error);
  Sync(options, r, *actual, *generated, base ? &*base : nullptr).Run();
  return r;
}

std::string SyncSummary(const UnitSync& sync) {
  if (!sync.HoldsEdits()) return "No edits to take: the unit is what the definition generates.";
  std::string text = "Taken from the unit: " + std::to_string(sync.changed.size()) + " changed, " +
                     std::to_string(sync.added.size()) + " added, " +
                     std::to_string(sync.conflicts.size()) + " in conflict; " +
                     std::to_string(sync.removed.size()) + " removed from the unit, " +
                     std::to_string(sync.unplaced.size()) + " not placed.\n";
  List(text, "Changed:", sync.changed);
  List(text, "Added as items:", sync.added);
  List(text, "In conflict (the definition's version kept, the unit's beside it as a comment):",
       sync.conflicts);
  List(text,
       sync.RemovedDeleted() ? "Removed from the unit and deleted from the definition:"
                             : "Removed from the unit (the definition keeps them):",
       sync.removed);
  List(text, "Not placed (regenerating the unit would lose them):", sync.unplaced);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace kx::commands
