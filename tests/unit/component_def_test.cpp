// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/component_def.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::model {
namespace {

std::vector<std::string> Names(const ComponentDef& def) {
  std::vector<std::string> names;
  for (const ItemDef& item : def.Items()) names.push_back(ItemName(item));
  return names;
}

ComponentDef WithProperties(std::initializer_list<const char*> names) {
  ComponentDef def;
  for (const char* name : names) EXPECT_EQ(AddItem(def, NewPropertyItem(name)), AddResult::Added);
  return def;
}

TEST(AddItemTest, TheItemLimitIs230) {
  ComponentDef def;
  for (int i = 1; i <= 229; ++i) {
    ASSERT_EQ(AddItem(def, NewVariableItem("V" + std::to_string(i))), AddResult::Added);
  }
  EXPECT_EQ(RoomLeft(def), 1);
  EXPECT_EQ(AddItem(def, NewVariableItem("V230")), AddResult::Added);
  EXPECT_EQ(RoomLeft(def), 0);
  EXPECT_EQ(AddItem(def, NewVariableItem("V231")), AddResult::Full);
  EXPECT_EQ(def.Count(), 230);
  // Full wins over a conflict: the limit is checked first.
  EXPECT_EQ(AddItem(def, NewVariableItem("V1")), AddResult::Full);
}

TEST(AddItemTest, ConflictLeavesTheDefinitionAsItWas) {
  ComponentDef def = WithProperties({"Color"});
  ItemDef method = NewMethodItem("SetColor(Value : Integer)");
  method.Code = std::vector<std::string>{"begin", "end;"};
  EXPECT_EQ(AddItem(def, method), AddResult::Conflict);
  EXPECT_EQ(AddItem(def, NewVariableItem("COLOR")), AddResult::Conflict);
  EXPECT_EQ(def.Count(), 1);
}

TEST(DeleteItemTest, LaterItemsMoveUpInOrder) {
  ComponentDef def = WithProperties({"One", "Two", "Three"});
  DeleteItem(def, 1);
  EXPECT_EQ(Names(def), (std::vector<std::string>{"Two", "Three"}));
  DeleteItem(def, 2);
  EXPECT_EQ(Names(def), (std::vector<std::string>{"Two"}));
  EXPECT_THROW(DeleteItem(def, 2), std::out_of_range);
}

TEST(ItemNameTest, MethodNamesEndAtTheFirstBlankOrParenthesis) {
  const struct {
    const char* header;
    const char* name;
  } cases[] = {
      {"Execute", "Execute"},
      {"Create(AOwner: TComponent)", "Create"},
      {"Count : Integer", "Count"},
      {"Paint(", "Paint"},
      {" Leading", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemName(NewMethodItem(c.header)), c.name) << c.header;
  EXPECT_EQ(ItemName(NewMainItem()), "");
  EXPECT_EQ(ItemName(NewEventItem("OnChange")), "OnChange");
}

TEST(SortItemsByNameTest, ComparesCharacterCodes) {
  ComponentDef def = WithProperties({"b", "aa", "_x", "A"});
  AddItem(def, NewMethodItem("OnZ(X : Integer)"));
  SortItemsByName(def);
  EXPECT_EQ(Names(def), (std::vector<std::string>{"A", "OnZ", "_x", "aa", "b"}));
}

TEST(AddUnitTest, CleansAndRefusesDuplicates) {
  const struct {
    const char* added;
    std::vector<std::string> units;
  } cases[] = {
      {" Db Tables ", {"DbTables"}}, {"Grids {for the grid}", {"Grids"}},
      {"{only a comment}", {}},      {"", {}},
      {"Odd} {", {"Odd}{"}},  // a "}" before the "{" removes nothing
  };
  for (const auto& c : cases) {
    TextBlock units;
    AddUnit(units, c.added);
    ASSERT_TRUE(units.has_value()) << "the block is created even for nothing to add";
    EXPECT_EQ(*units, c.units) << c.added;
  }
  TextBlock units;
  AddUnit(units, "Grids");
  AddUnit(units, "GRIDS");
  AddUnit(units, "grids {again}");
  EXPECT_EQ(*units, std::vector<std::string>{"Grids"});
}

TEST(AddUnitTest, OldCommaListsAreAddedAfterTheDefaultUnits) {
  TextBlock units = std::vector<std::string>{"Stale"};
  ConvertOldUnitList(units, "DB, Grids,,Forms,My Unit");
  EXPECT_EQ(*units,
            (std::vector<std::string>{"WinTypes", "WinProcs", "Messages", "SysUtils", "Classes",
                                      "Controls", "Forms", "Graphics", "DB", "Grids", "MyUnit"}));
}

TEST(CapacityTest, AStoreCutsToTheFieldsCapacity) {
  const std::string long_text(40, 'x');
  EXPECT_EQ(NewPropertyItem(long_text).Property().Name.str(), long_text.substr(0, 32));
}

TEST(TextBlockTest, AbsentAndEmptyStayDistinctThroughCopiesAndRelease) {
  ComponentDef def;
  ItemDef with_empty = NewPropertyItem("Empty");
  with_empty.Code = std::vector<std::string>{};
  AddItem(def, with_empty);
  AddItem(def, NewPropertyItem("Absent"));
  ComponentDef copy = def;
  EXPECT_TRUE(copy.Item(1).Code.has_value());
  EXPECT_FALSE(copy.Item(2).Code.has_value());

  def.MainInfo.Units = std::vector<std::string>{"Classes"};
  def.Item(1).Property().ReadCode = std::vector<std::string>{"Result := 1;"};
  ReleaseDefinitionTexts(def);
  EXPECT_FALSE(def.MainInfo.Units.has_value());
  EXPECT_FALSE(def.Item(1).Code.has_value());
  EXPECT_FALSE(def.Item(1).Property().ReadCode.has_value());
  EXPECT_TRUE(copy.Item(1).Code.has_value()) << "the copy owns its own blocks";
}

TEST(ClearDefinitionTest, ResetsEverythingButTheTargetDirectory) {
  ComponentDef def = WithProperties({"One"});
  def.MainInfo.LimitName = false;
  def.MainInfo.Form.FormMode = model::FormModeKind::kImported;
  def.Global.Descr = "A component";
  ClearDefinition(def, "/home/user/pascal/");
  EXPECT_EQ(def.Count(), 0);
  EXPECT_TRUE(def.MainInfo.LimitName);
  EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kOrdinaryComponent);
  EXPECT_EQ(def.MainInfo.TargetDir, "/home/user/pascal/");
  EXPECT_EQ(def.Global.Kind(), ItemKind::Main);
  EXPECT_EQ(def.Global.DefaultCode, model::DefaultCodeKind::kUnitWideDeclarations);
  EXPECT_TRUE(def.Global.Descr.empty());
}

TEST(PropertyScopeTest, FollowsHideInheritedReadOnlyAndSpecialKind) {
  using enum PropSpecialType;
  const struct {
    bool hide, inherited, read_only;
    PropSpecialType special;
    std::uint8_t scope;
  } cases[] = {
      {false, false, false, psNone, kScopePublished},
      {false, false, true, psNone, kScopePublic},
      {true, false, false, psNone, kScopeProtected},
      {true, false, true, psNone, kScopeProtected},
      {true, true, false, psNone, kScopePublished},  // shown as "hidden" by the window
      {true, true, true, psNone, kScopePublic},
      {false, false, false, psObjectManualCreate, kScopePublic},
      {false, false, false, psIndexedI, kScopePublic},
      {true, true, false, psIndexedString, kScopeProtected},
      {false, false, true, psIndexedIJ, kScopePublic},
  };
  for (const auto& c : cases) {
    PropertyPart p;
    p.Hide = c.hide;
    p.Inherited = c.inherited;
    p.ReadOnly = c.read_only;
    p.Special = c.special;
    EXPECT_EQ(PropertyScope(p), c.scope)
        << c.hide << c.inherited << c.read_only << static_cast<int>(c.special);
  }
}

TEST(AnySubComponentVariableTest, OnlyVariablesCount) {
  ComponentDef def = WithProperties({"Sub"});
  EXPECT_FALSE(AnySubComponentVariable(def));
  ItemDef variable = NewVariableItem("FEdit");
  variable.Variable().IsSubComponent = true;
  AddItem(def, variable);
  EXPECT_TRUE(AnySubComponentVariable(def));
}

}  // namespace
}  // namespace kx::model
