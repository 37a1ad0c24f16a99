// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/smoke_test.h"

#include <gtest/gtest.h>

#include "generate/unit/unit_writer.h"

namespace kx::generate {
namespace {

model::ComponentDef Definition(std::string_view parent) {
  model::ComponentDef def;
  model::ClearDefinition(def);
  def.MainInfo.UnitName = "Alarm";
  def.MainInfo.NewClassName = "TAlarm";
  def.MainInfo.ParentClassName = parent;
  def.MainInfo.VCLAncestorName = parent;
  return def;
}

void AddVariable(model::ComponentDef& def, std::string_view type, bool object) {
  model::ItemDef item = model::NewVariableItem("FHelper");
  item.Variable().DataType = type;
  item.Variable().IsObject = object;
  model::AddItem(def, std::move(item));
}

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

// nogui has neither windows nor timers; a graphic control and a plain component need neither.
TEST(SmokeTestTest, AWidgetSetWithWindowsOnlyWhereTheComponentNeedsOne) {
  struct Case {
    std::string_view parent, variable;
    bool object, windows;
  };
  for (const Case& c :
       {Case{"TComponent", "", false, false}, Case{"TLabel", "", false, false},
        Case{"TGraphicControl", "", false, false}, Case{"TButton", "", false, true},
        Case{"TStringGrid", "", false, true}, Case{"TTimer", "", false, true},
        Case{"TComponent", "TTimer", true, true}, Case{"TComponent", "ttimer", false, false},
        Case{"TComponent", "TStringList", true, false}}) {
    model::ComponentDef def = Definition(c.parent);
    if (!c.variable.empty()) AddVariable(def, c.variable, c.object);
    PrepareForUnit(def, {.target = model::CodeTarget::kLazarus, .runtime_only = true});
    EXPECT_EQ(SmokeNeedsWindows(def), c.windows) << c.parent << " " << c.variable;
    const std::string program = WriteSmokeProgram(def);
    EXPECT_EQ(program.find(kNeedsWindows) != std::string::npos, c.windows) << c.parent;
  }
}

// An exception a check raises must be its FAIL line, not the end of the program.
TEST(SmokeTestTest, EveryCheckRunsGuarded) {
  model::ComponentDef def = Definition("TComponent");
  model::ItemDef item = model::NewPropertyItem("Level");
  item.Property().PropType = "Integer";
  item.Property().PropDefault = "3";
  model::AddItem(def, std::move(item));
  PrepareForUnit(def, {.target = model::CodeTarget::kLazarus, .runtime_only = true});
  const std::string program = WriteSmokeProgram(def);
  // Create, the default, the value written, the round trip, the form freed, not stored, Free.
  EXPECT_EQ(Count(program, "\n        Check('"), 7u);
  EXPECT_EQ(Count(program, "do CheckRaised('"), 7u);
  EXPECT_NE(program.find("Check('Level is not stored while it holds its default 3', "
                         "not Stored(Owner, 'Level'));"),
            std::string::npos);
}

}  // namespace
}  // namespace kx::generate
