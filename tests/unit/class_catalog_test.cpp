// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/class_catalog.h"

#include <gtest/gtest.h>

namespace kx::catalog {
namespace {

TEST(ClassLookupTest, FamilyUnitAndPage) {
  const struct {
    const char* name;
    int family;
    const char* unit;
    const char* page;
  } cases[] = {
      {"tedit", 2, "Stdctrls", "Standard"},
      {"TEdit", 2, "Stdctrls", "Standard"},
      {"TEDIT", 2, "Stdctrls", "Standard"},
      // In two family lists; the windowed list is searched first.
      {"TOleContainer", 2, "Toctrl", "System"},
      {"TMediaPlayer", 9, "Mplayer", "System"},
      // Not a component, but a class of the unit table.
      {"TStringList", 5, "Classes", "Samples"},
      // Listed twice in the unit table; the rows agree.
      {"TCollection", 5, "Classes", "Samples"},
      // Listed under DBLOOKUP and again under DIALOGS: the first row wins.
      {"TComboButton", 5, "Dblookup", "Samples"},
      {"TDBGrid", 2, "Dbgrids", "Data Controls"},
      {"TStringField", 0, "Dbtables", "Samples"},
      {"TField", 0, "Db", "Samples"},
      {"TNewThread", 0, "Kxthread", "Thread"},
      {"TRzBusinessComponent", 0, "Rzbizcmp", "Data Access"},
      {"TImageList", 9, "Controls", "Win95"},
      {"TCustomUpDown", 7, "Comctrls", "Win95"},
      {"TClientSocket", 8, "Scktcomp", "Internet"},
      {"TVBXControl", 5, "Vbxctrl", "VBX"},
      {"TCustomImage", 5, "", "Samples"},
      {"TNoSuchClass", 5, "", "Samples"},
      {"", 5, "", "Samples"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassFamilyOf(c.name), c.family) << c.name;
    EXPECT_EQ(UnitOfClass(c.name), c.unit) << c.name;
    EXPECT_EQ(PaletteOfClass(c.name), c.page) << c.name;
  }
}

TEST(ClassPredicatesTest, StandardControlAndCatalogue) {
  const struct {
    const char* name;
    bool standard, control, catalogue;
  } cases[] = {
      {"TEdit", true, true, true},        {"TTimer", true, false, true},
      {"TOpenDialog", true, false, true}, {"TPageProducer", true, false, true},
      {"TFont", false, true, true},       {"TUnknown", false, true, false},
      {"TLabel", true, true, true},       {"TToolWindow", true, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsStandardClass(c.name), c.standard) << c.name;
    EXPECT_EQ(IsControl(c.name), c.control) << c.name;
    EXPECT_EQ(IsCatalogueClass(c.name), c.catalogue) << c.name;
  }
}

TEST(ClassPredicatesTest, SubComponentPredicates) {
  const struct {
    const char* name;
    bool clicked, key_press, canvas;
  } cases[] = {
      {"TButton", true, false, false},    {"TEdit", true, true, false},
      {"TLabel", false, false, true},     {"TCustomImage", false, false, false},
      {"TImage", false, false, true},     {"TShape", true, false, true},
      {"TRadioGroup", true, false, true}, {"TUpDown", true, false, false},
      {"TTrackBar", false, true, false},  {"TCheckBox", true, false, false},
      {"TTimer", false, false, false},    {"TMediaPlayer", false, false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsClickedSubComponent(c.name), c.clicked) << c.name;
    EXPECT_EQ(IsKeyPressSubComponent(c.name), c.key_press) << c.name;
    EXPECT_EQ(HasCanvas(c.name), c.canvas) << c.name;
  }
}

TEST(PalettePageNameTest, UnknownPagesAreSamples) {
  EXPECT_EQ(PalettePageName(7), "Samples");
  EXPECT_EQ(PalettePageName(11), "Samples");
  EXPECT_EQ(PalettePageName(8), "Win95");
}

TEST(InheritedEventTest, LookupUsesTheTablesSpelling) {
  using DC = model::DefaultCodeKind;
  const struct {
    const char* asked;
    const char* name;
    const char* handler;
    DC code;
  } cases[] = {
      {"onkeypress", "OnKeyPress", "KeyPress(var Key : Char)", DC::kKeyPress},
      {"OnClick", "OnClick", "Click", DC::kClick},
      {"OnTerminate", "OnTerminate", "", DC::kInheritedHandlerCall},
      {"OnDrawDataCell", "OnDrawDataCell",
       "DrawDataCell(const ARect: TRect; AField: TField; AState: TGridDrawState)",
       DC::kDrawDataCell},
  };
  for (const auto& c : cases) {
    const InheritedEventRow row = LookupInheritedEvent(c.asked);
    EXPECT_EQ(row.Name, c.name);
    EXPECT_EQ(row.HandlerDecl, c.handler) << c.asked;
    EXPECT_EQ(row.DefaultCode, c.code) << c.asked;
  }
  EXPECT_EQ(LookupInheritedEvent(std::string(40, 'E')).Name.size(), 32u);
}

TEST(InheritedEventTest, AddInheritedEventSetsFlagsAndSkipsTakenNames) {
  model::ComponentDef def;
  AddInheritedEvent(def, LookupInheritedEvent("OnDrawCell"), true, false);
  ASSERT_EQ(def.Count(), 1);
  const model::ItemDef& item = def.Item(1);
  EXPECT_EQ(item.DefaultCode, model::DefaultCodeKind::kDrawCell);
  EXPECT_TRUE(item.ExistingEvent().Publish);
  EXPECT_FALSE(item.ExistingEvent().Override);
  EXPECT_EQ(item.ExistingEvent().HandlerDecl,
            "DrawCell(ACol, ARow: Longint; ARect: TRect; AState: TGridDrawState)");
  // The handler name DrawCell is now reserved: an event with that handler's name is refused.
  AddInheritedEvent(def, LookupInheritedEvent("DrawCell"), true, true);
  AddInheritedEvent(def, LookupInheritedEvent("ONDRAWCELL"), true, true);
  EXPECT_EQ(def.Count(), 1);
}

}  // namespace
}  // namespace kx::catalog
