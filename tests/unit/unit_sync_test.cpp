// SPDX-License-Identifier: GPL-3.0-or-later
// Taking edits of a generated unit back into its definition: each kind of edit a user makes in
// an editor, on one side or both, with and without the record of the last generation; and a
// second sync of the same unit never changes anything.
#include "commands/unit_sync.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "catalog/type_classes.h"
#include "generate/printer.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "store/definition_file.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

model::ComponentDef Alarm() {
  model::ComponentDef def;
  const fs::path file = fs::path(KX_EXAMPLES_DIR) / "alarm.cd";
  EXPECT_TRUE(store::ParseDefinition(testing::TempDir::Read(file), "alarm.cd", def,
                                     catalog::StandardClassRules(), "")
                  .ok);
  return def;
}

std::string Generate(model::ComponentDef def) {
  generate::PrepareForUnit(def, {});
  return generate::WriteComponentUnit(def, {}, platform::DateTime{2026, 1, 2, 3, 4, 0});
}

void Replace(std::string& text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

const model::ItemDef& ItemOf(const model::ComponentDef& def, std::string_view name) {
  const int number = model::FindName(def, name).index;
  EXPECT_GT(number, 0) << name;
  return def.Item(std::max(number, 1));
}

std::string Joined(const model::TextBlock& block) {
  std::string text;
  if (block)
    for (const std::string& line : *block) text += line + "\n";
  return text;
}

// Its declaration, and its body with the comment above it.
void RemoveExecute(std::string& unit) {
  Replace(unit, "        function Execute : Boolean; virtual;\n", "");
  const std::size_t from = unit.find("{ Waits for the alarm in a modal loop }\nfunction");
  ASSERT_NE(from, std::string::npos);
  unit.erase(from, unit.find("end;\n\n", from) + 6 - from);
}

constexpr std::string_view kSetActive = "     FActive := Value;\n";

struct Counts {
  std::size_t changed = 0, added = 0, removed = 0, conflicts = 0, unplaced = 0;
  friend bool operator==(const Counts&, const Counts&) = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
  return out << c.changed << " changed, " << c.added << " added, " << c.removed << " removed, "
             << c.conflicts << " conflicts, " << c.unplaced << " unplaced";
}

TEST(UnitSync, EachKindOfEdit) {
  const struct {
    std::string name;
    std::function<void(std::string&)> edit_unit;
    std::function<void(model::ComponentDef&)> edit_definition;  // in Kestrix, after generation
    bool record;
    bool remove;
    Counts counts;
    std::function<void(const commands::UnitSync&)> check;
  } cases[] = {
      {"untouched", [](std::string&) {}, nullptr, true, false, {}, nullptr},
      {"a setter's body",
       [](std::string& u) {
         Replace(u, kSetActive, std::string(kSetActive) + "     Change(Self);\n");
       },
       nullptr, true, false, Counts{.changed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(s.changed[0], HasSubstr(": the write method of property Active"));
         EXPECT_THAT(Joined(ItemOf(s.def, "Active").Code), HasSubstr("     Change(Self);\n"));
       }},
      {"strings and comments that look like code",
       [](std::string& u) {
         Replace(u, "     Result := True\n",
                 "     Result := 'end; begin '' { (*' <> '';  { end; } (* begin *) // end;\n");
       },
       nullptr, true, false, Counts{.changed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(Joined(ItemOf(s.def, "Execute").Code), HasSubstr("(* begin *) // end;"));
       }},
      {"a method added",
       [](std::string& u) {
         Replace(u, "        function Execute : Boolean; virtual;\n",
                 "        function Execute : Boolean; virtual;\n"
                 "        procedure Snooze(Minutes : Integer);\n");
         Replace(u, "constructor TAlarm.Create",
                 "procedure TAlarm.Snooze(Minutes : Integer);\nbegin\n"
                 "     FAlarmTime := FAlarmTime + Minutes / 1440;\nend;\n\n"
                 "constructor TAlarm.Create");
       },
       nullptr, true, false, Counts{.added = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(s.added[0], HasSubstr(": method Snooze"));
         EXPECT_THAT(Joined(ItemOf(s.def, "Snooze").Code), HasSubstr("Minutes / 1440"));
       }},
      {"a method removed, kept", [](std::string& u) { RemoveExecute(u); }, nullptr, true, false,
       Counts{.removed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_EQ(s.removed, std::vector<std::string>{"Execute"});
         EXPECT_GT(model::FindName(s.def, "Execute").index, 0);
       }},
      {"a method removed, deleted", [](std::string& u) { RemoveExecute(u); }, nullptr, true, true,
       Counts{.removed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_TRUE(s.Changed());
         EXPECT_LT(model::FindName(s.def, "Execute").index, 1);
       }},
      {"a unit used", [](std::string& u) { Replace(u, "AlarmEds,", "AlarmEds, Dialogs,"); },
       nullptr, true, false, Counts{.changed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(Joined(s.def.MainInfo.Units), HasSubstr("Dialogs\n"));
       }},
      {"a constant in the implementation",
       [](std::string& u) {
         Replace(u, "implementation\n", "implementation\n\nconst Tick = 1000;\n");
       },
       nullptr, true, false, Counts{.changed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(Joined(s.def.ImpGlobal.Code), HasSubstr("const Tick = 1000;"));
       }},
      {"AutoInitialize, which generation composes",
       [](std::string& u) { Replace(u, "FSnoozeCount := 0;", "FSnoozeCount := 1;"); }, nullptr,
       true, false, Counts{.unplaced = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(s.unplaced[0], HasSubstr("AutoInitialize was changed"));
         EXPECT_FALSE(s.Changed());
         EXPECT_TRUE(s.HoldsEdits());
       }},
      {"the same body on both sides",
       [](std::string& u) {
         Replace(u, kSetActive, std::string(kSetActive) + "     Change(Self);\n");
       },
       [](model::ComponentDef& d) {
         d.Item(model::FindName(d, "Active").index).Code =
             std::vector<std::string>{"begin", "     FActive := not Value;", "end;"};
       },
       true, false, Counts{.conflicts = 1},
       [](const commands::UnitSync& s) {
         const std::string code = Joined(ItemOf(s.def, "Active").Code);
         EXPECT_THAT(code, HasSubstr("     FActive := not Value;\n"));
         EXPECT_THAT(code, HasSubstr(std::string(commands::kConflictStart)));
         EXPECT_THAT(code, HasSubstr("     //      Change(Self);\n"));
         EXPECT_TRUE(code.ends_with(std::string(commands::kConflictEnd) + "\nend;\n")) << code;
       }},
      {"only the definition changed",
       [](std::string&) {},
       [](model::ComponentDef& d) {
         d.Item(model::FindName(d, "Active").index).Code =
             std::vector<std::string>{"begin", "     FActive := not Value;", "end;"};
       },
       true,
       false,
       {},
       nullptr},
      {"without a record, the unit's text wins", [](std::string&) {},
       [](model::ComponentDef& d) {
         d.Item(model::FindName(d, "Active").index).Code =
             std::vector<std::string>{"begin", "     FActive := not Value;", "end;"};
       },
       false, false, Counts{.changed = 1},
       [](const commands::UnitSync& s) {
         EXPECT_THAT(Joined(ItemOf(s.def, "Active").Code), HasSubstr("FActive := Value;"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model::ComponentDef def = Alarm();
    const std::string record = Generate(def);
    std::string unit = record;
    c.edit_unit(unit);
    unit = generate::WithCrlf(unit);  // as written to disk, unlike the record here
    if (c.edit_definition) c.edit_definition(def);
    const std::optional<std::string> known =
        c.record ? std::optional<std::string>(record) : std::nullopt;
    const commands::SyncOptions options{.remove = c.remove};
    const commands::UnitSync sync = commands::SyncUnit(def, unit, known, options);
    ASSERT_EQ(sync.error, "");
    EXPECT_EQ((Counts{sync.changed.size(), sync.added.size(), sync.removed.size(),
                      sync.conflicts.size(), sync.unplaced.size()}),
              c.counts)
        << commands::SyncSummary(sync);
    if (c.check) c.check(sync);
    const commands::UnitSync again = commands::SyncUnit(sync.def, unit, known, options);
    EXPECT_FALSE(again.Changed()) << commands::SyncSummary(again);
  }
}

TEST(UnitSync, SaysWhyAUnitCannotBeCompared) {
  const commands::UnitSync sync = commands::SyncUnit(Alarm(), "unit Alarm; interface", {}, {});
  EXPECT_THAT(sync.error, HasSubstr("The unit cannot be compared with the definition: "));
  EXPECT_FALSE(sync.Changed());
}

}  // namespace
}  // namespace kx
