// SPDX-License-Identifier: GPL-3.0-or-later
// Property check of the round trip between Kestrix and an editor: a random definition
// (random_definition.h) is generated, its unit edited as a person would in an IDE (statements,
// comments and strings holding "end;", "begin", quotes and braces put into bodies, statements
// changed; methods added and removed; a few bodies changed in Kestrix as well), for either
// target and commenting level, the edits synced into the definition
// and the unit generated again. Every line put into the unit must be in the new unit (the
// unit's side of a conflict as a comment), every line put into the definition too, a second
// sync must change nothing, the new unit must hold no edit for the guard to find, and every new
// unit must compile.
//
//   kx_random_round_trip --out DIR [--count N] [--seed S] [--goldens DIR [--no-compile NAME]...]
//                        -- FPC FPC-ARGUMENTS...
//
// --goldens adds the definition of every golden case first (--no-compile: a case whose unit
// cannot compile against the LCL whatever is edited).
// KX_RANDOM_ROUND_TRIPS and KX_RANDOM_SEED override --count and --seed. A failing case leaves
// DIR/<unit>.cd (the definition as generated), <unit>.edited.pas and <unit>.pas behind.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "batch_compile.h"
#include "commands/unit_sync.h"
#include "generate/printer.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "pascal/outline.h"
#include "platform/atomic_file.h"
#include "random_definition.h"
#include "store/definition_file.h"
#include "support/golden.h"

namespace {

namespace fs = std::filesystem;
using namespace kx;

const platform::DateTime kAt{2026, 1, 2, 3, 4, 0};

// The unit's bytes as generation writes them to disk.
std::string Generate(model::ComponentDef& def, bool full_comments, model::CodeTarget target) {
  const generate::UnitOptions options{.full_comments = full_comments, .target = target};
  generate::PrepareForUnit(def, options);
  return generate::SourceBytes(generate::WithCrlf(generate::WriteComponentUnit(def, options, kAt)),
                               target);
}

// Lines a person might type into a body; %s is the tag that finds the line again.
constexpr const char* kStatements[] = {
    "     { %s: end; begin } ;",
    "     if 'end;' = 'begin''%s' then ;",
    "     // %s (* end; { begin",
    "     (* %s } end; *)",
    "     if '{' + '}' = '%s''''' then Exit;",
};

class Editor {
 public:
  Editor(std::mt19937& rng, int serial) : rng_(rng), serial_(serial) {}

  // Edits the unit text in place, back to front so the outline's offsets stay right.
  void EditUnit(std::string& text, const model::ComponentDef& def) {
    const pascal::Outline unit = pascal::ParseUnit(text);
    const std::string cls = def.MainInfo.NewClassName.str();
    const pascal::TypeDecl* type = unit.FindType(cls);
    if (!type) return;
    struct Insert {
      std::size_t at;
      std::string text;
    };
    std::vector<Insert> inserts;
    std::vector<std::pair<std::size_t, std::size_t>> cuts;
    std::string removed_method;
    if (Below(4) == 0) {
      // A method of the definition taken out: its declaration and its body.
      for (const pascal::Routine& r : unit.routines) {
        const int number = model::FindName(def, r.method_name).index;
        if (!r.has_body || !model::SameText(r.class_name, cls) || number < 1) continue;
        const model::ItemDef& item = def.Item(number);
        if (item.Kind() != model::ItemKind::Method || item.Method().MethodKind > 1) continue;
        const pascal::Member* member = type->FindMember(r.method_name);
        if (!member) continue;
        removed_method = r.method_name;
        cuts.emplace_back(LineStart(text, member->whole.begin.offset),
                          LineEnd(text, member->whole.end.offset));
        const std::uint32_t from =
            r.comment.empty() ? r.whole.begin.offset : r.comment.begin.offset;
        cuts.emplace_back(LineStart(text, from), LineEnd(text, r.whole.end.offset));
        break;
      }
    }
    for (const pascal::Routine& r : unit.routines) {
      if (!r.has_body || !model::SameText(r.class_name, cls) || r.method_name == removed_method ||
          r.block.empty() || !model::StartsWithText(unit.Text(r.block), "begin"))
        continue;
      if (model::SameText(r.method_name, "AutoInitialize") ||
          model::SameText(r.method_name, "AutoDestroy") ||
          model::SameText(r.method_name, "Notification"))
        continue;
      if (Below(3) != 0) continue;
      const std::string tag = Tag();
      const std::size_t body = LineEnd(text, r.block.begin.offset);
      const std::size_t statement = PlainStatement(text, body, r.block.end.offset);
      if (Below(3) == 0 && statement != std::string::npos) {
        // A statement changed: a comment put at its end.
        inserts.push_back({statement, " { " + tag + " changed }"});
      } else {
        std::string line = kStatements[Below(std::size(kStatements))];
        line.replace(line.find("%s"), 2, tag);
        inserts.push_back({body, line + "\r\n"});
      }
      unit_tags_.push_back(tag);
      edited_routines_.push_back(r.method_name);
    }
    if (Below(3) == 0) {
      // A method added: declared in the first public section, its body before the first body.
      const pascal::VisibilitySection* pub = nullptr;
      for (const pascal::VisibilitySection& s : type->sections) {
        if (s.visibility == pascal::Visibility::kPublic && !s.keyword.empty()) pub = &s;
      }
      const pascal::Routine* first = nullptr;
      for (const pascal::Routine& r : unit.routines) {
        if (r.has_body && model::SameText(r.class_name, cls)) {
          first = &r;
          break;
        }
      }
      if (pub && first) {
        const std::string name = "KxAdded" + std::to_string(serial_);
        const std::string tag = Tag();
        inserts.push_back(
            {LineEnd(text, pub->keyword.end.offset), "        procedure " + name + ";\r\n"});
        const std::uint32_t before =
            first->comment.empty() ? first->whole.begin.offset : first->comment.begin.offset;
        inserts.push_back({LineStart(text, before), "procedure " + cls + "." + name +
                                                        ";\r\nbegin\r\n     { " + tag +
                                                        " }\r\nend;\r\n\r\n"});
        unit_tags_.push_back(tag);
        added_.push_back(name);
      }
    }
    // Back to front: cuts and inserts never overlap (inserts sit in other routines).
    std::vector<std::pair<std::size_t, std::string>> changes;
    for (const auto& [from, to] : cuts) changes.emplace_back(from, std::string(to - from, '\0'));
    for (const Insert& i : inserts) changes.emplace_back(i.at, i.text);
    std::sort(changes.begin(), changes.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [at, change] : changes) {
      if (!change.empty() && change.front() == '\0') {
        text.erase(at, change.size());
      } else {
        text.insert(at, change);
      }
    }
    if (!removed_method.empty()) removed_.push_back(removed_method);
  }

  // A few of the bodies edited in the unit edited in Kestrix as well.
  void EditDefinition(model::ComponentDef& def) {
    for (const std::string& routine : edited_routines_) {
      const int number = model::FindName(def, routine).index;
      if (number < 1 || Below(3) != 0) continue;
      model::ItemDef& item = def.Item(number);
      if (!item.Code || item.Code->empty()) continue;
      const std::string tag = Tag();
      item.Code->insert(item.Code->begin() + 1, "     { " + tag + " }");
      definition_tags_.push_back(tag);
    }
  }

  const std::vector<std::string>& unit_tags() const { return unit_tags_; }
  const std::vector<std::string>& definition_tags() const { return definition_tags_; }
  const std::vector<std::string>& added() const { return added_; }
  const std::vector<std::string>& removed() const { return removed_; }

 private:
  int Below(std::size_t n) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(rng_);
  }
  std::string Tag() { return "kxedit" + std::to_string(serial_) + "x" + std::to_string(++tags_); }
  // The end of the first line of [from, to) that is a statement alone ("X := 1;"), with no
  // comment or string a comment put after it could fall into; npos when there is none.
  static std::size_t PlainStatement(const std::string& text, std::size_t from, std::size_t to) {
    while (from < to) {
      const std::size_t end = text.find('\r', from);
      if (end == std::string::npos || end > to) break;
      const std::string_view line(text.data() + from, end - from);
      if (line.ends_with(";") && line.find_first_of("{}'/(*") == std::string_view::npos) return end;
      from = end + 2;
    }
    return std::string::npos;
  }
  static std::size_t LineStart(const std::string& text, std::size_t at) {
    const std::size_t nl = text.rfind('\n', at == 0 ? 0 : at - 1);
    return nl == std::string::npos || at == 0 ? 0 : nl + 1;
  }
  static std::size_t LineEnd(const std::string& text, std::size_t at) {
    const std::size_t nl = text.find('\n', at);
    return nl == std::string::npos ? text.size() : nl + 1;
  }

  std::mt19937& rng_;
  int serial_;
  int tags_ = 0;
  std::vector<std::string> unit_tags_, definition_tags_, added_, removed_, edited_routines_;
};

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path out, goldens;
  std::vector<std::string> no_compile;
  int count = 200;
  unsigned seed = 26;
  int i = 1;
  for (; i < argc && std::string(argv[i]) != "--"; i += 2) {
    const std::string flag = argv[i];
    const std::string value = i + 1 < argc ? argv[i + 1] : "";
    if (flag == "--out") out = value;
    if (flag == "--count") count = std::atoi(value.c_str());
    if (flag == "--seed") seed = static_cast<unsigned>(std::atoll(value.c_str()));
    if (flag == "--goldens") goldens = value;
    if (flag == "--no-compile") no_compile.push_back(value);
  }
  const std::vector<std::string> fpc(argv + std::min(i + 1, argc), argv + argc);
  if (out.empty() || fpc.empty()) {
    std::cerr << "usage: kx_random_round_trip --out DIR [--count N] [--seed S] -- FPC ARGS...\n";
    return 2;
  }
  count = FromEnvironment("KX_RANDOM_ROUND_TRIPS", count);
  seed = static_cast<unsigned>(FromEnvironment("KX_RANDOM_SEED", static_cast<int>(seed)));
  std::error_code error;
  fs::remove_all(out, error);
  fs::create_directories(out, error);

  std::mt19937 rng(seed);
  std::vector<std::string> golden_cases;
  if (!goldens.empty()) golden_cases = testing::GoldenCases(goldens);
  const int total = static_cast<int>(golden_cases.size()) + count;
  std::vector<std::string> units;
  int failures = 0, edits = 0, conflicts = 0, added = 0, removed = 0;
  for (int n = 1; n <= total; ++n) {
    const bool golden = n <= static_cast<int>(golden_cases.size());
    const std::string name = golden ? "Kxg" + golden_cases[n - 1] : "Kxs" + std::to_string(n);
    const std::string lower = model::LowerCase(name);
    model::ComponentDef def = golden ? testing::ReadGoldenDefinition(goldens, golden_cases[n - 1])
                                     : testing::RandomDefinition(rng).Build(name);
    def.MainInfo.UnitName = name;
    const bool full_comments = rng() % 2 == 0;
    const model::CodeTarget target =
        rng() % 4 == 0 ? model::CodeTarget::kLazarus : model::CodeTarget::kDelphi;
    const bool remove = rng() % 2 == 0;
    const std::string record = Generate(def, full_comments, target);
    const fs::path cd = out / (lower + ".cd");
    platform::WriteFileAtomically(cd, store::WriteDefinition(def, cd));

    Editor editor(rng, n);
    std::string edited = record;
    editor.EditUnit(edited, def);
    editor.EditDefinition(def);
    platform::WriteFileAtomically(out / (lower + ".edited.pas"), edited);

    std::vector<std::string> problems;
    const commands::SyncOptions options{
        .target = target, .full_comments = full_comments, .remove = remove};
    const commands::UnitSync sync = commands::SyncUnit(def, edited, record, options);
    if (!sync.error.empty()) problems.push_back("sync: " + sync.error);
    model::ComponentDef synced = sync.def;
    const std::string regenerated = Generate(synced, full_comments, target);
    platform::WriteFileAtomically(out / (lower + ".pas"), regenerated);
    for (const std::string& tag : editor.unit_tags()) {
      if (regenerated.find(tag) == std::string::npos)
        problems.push_back("the unit's edit " + tag + " is lost");
    }
    for (const std::string& tag : editor.definition_tags()) {
      if (regenerated.find(tag) == std::string::npos)
        problems.push_back("the definition's edit " + tag + " is lost");
    }
    for (const std::string& method : editor.added()) {
      if (model::FindName(synced, method).index < 1)
        problems.push_back("the added method " + method + " is no item");
    }
    for (const std::string& method : editor.removed()) {
      if ((model::FindName(synced, method).index > 0) == remove)
        problems.push_back("the removed method " + method + (remove ? " is kept" : " is gone"));
    }
    const commands::UnitSync again = commands::SyncUnit(sync.def, edited, record, options);
    if (again.Changed())
      problems.push_back("a second sync changes:\n" + commands::SyncSummary(again));
    const commands::UnitSync after = commands::SyncUnit(synced, regenerated, regenerated, options);
    if (after.HoldsEdits())
      problems.push_back("the new unit holds edits:\n" + commands::SyncSummary(after));
    if (!sync.unplaced.empty())
      problems.push_back("edits not placed:\n" + commands::SyncSummary(sync));

    edits += static_cast<int>(editor.unit_tags().size() + editor.definition_tags().size());
    conflicts += static_cast<int>(sync.conflicts.size());
    added += static_cast<int>(editor.added().size());
    removed += static_cast<int>(editor.removed().size());
    if (!problems.empty()) {
      ++failures;
      std::cout << "--- " << name << " (" << cd.string() << "):\n";
      for (const std::string& p : problems) std::cout << "  " << p << "\n";
    }
    if (!golden ||
        std::find(no_compile.begin(), no_compile.end(), golden_cases[n - 1]) == no_compile.end())
      units.push_back(lower);
  }
  const std::vector<std::string> failed = testing::CompileInBatches(fpc, out, units, 40);
  std::cout << total << " round trips (" << golden_cases.size() << " goldens, seed " << seed
            << "): " << edits << " lines edited, " << conflicts << " conflicts, " << added
            << " methods added, " << removed << " removed; " << failures << " lost or unsettled, "
            << failed.size() << " units that do not compile\n";
  return failures == 0 && failed.empty() ? 0 : 1;
}
