// SPDX-License-Identifier: GPL-3.0-or-later
// Import of component units: a unit Kestrix generated comes back as the definition it came
// from (its regenerated unit is the same text, its items the same), over the goldens, the
// examples and random definitions; and the mapping of hand-written units, table-driven.
#include "commands/unit_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "../pascal/random_definition.h"
#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
constexpr platform::DateTime kDate{2024, 5, 6, 7, 8, 0};

std::string Generate(model::ComponentDef& def, bool full_comments) {
  generate::PrepareForUnit(def, {.full_comments = full_comments});
  return generate::WriteComponentUnit(def, {.full_comments = full_comments}, kDate);
}

// What a generated unit carries of an item: everything but what only the definition file and
// the help page hold (help text, keywords, default-code kinds, editor units, the types of
// inherited properties, which the unit never names).
std::string Carried(const model::ItemDef& item) {
  std::string text = std::string(model::KindName(item.Kind())) + " " + model::ItemName(item) +
                     " descr=" + item.Descr.str();
  auto block = [](const model::TextBlock& b) {
    std::string t = b ? "" : "<absent>";
    if (b)
      for (const std::string& line : *b) t += line + "|";
    return t;
  };
  text += " code=" + block(item.Code);
  if (item.Kind() == model::ItemKind::Property) {
    const model::PropertyPart& p = item.Property();
    text += " inh=" + std::to_string(p.Inherited) + " hide=" + std::to_string(p.Hide) +
            " ro=" + std::to_string(p.ReadOnly) + " read=" + block(p.ReadCode);
    // Written nowhere: a read-only or array property's default, an inherited property's kind
    // and a hidden one's editor.
    if (!p.Inherited) text += " sp=" + std::to_string(static_cast<int>(p.Special));
    if (!p.ReadOnly && !model::IsIndexedKind(p.Special)) text += " def=" + p.PropDefault.str();
    if (!p.Hide) text += " edit=" + std::to_string(p.PropertyEditor.DefEdit);
    if (!p.Inherited) text += " type=" + p.PropType.str();
  } else if (item.Kind() == model::ItemKind::Variable) {
    const model::VariablePart& v = item.Variable();
    text += " type=" + v.DataType.str() + " obj=" + std::to_string(v.IsObject) +
            " sub=" + std::to_string(v.IsSubComponent) + " def=" + v.Default.str();
  } else if (item.Kind() == model::ItemKind::Method) {
    const model::MethodPart& m = item.Method();
    text += " kind=" + std::to_string(m.MethodKind) + " header=" + m.Header.str() +
            " ov=" + std::to_string(m.Override) + " msg=" + m.WinMessage.str();
  } else if (item.Kind() == model::ItemKind::NewEvent) {
    text += " args=" + item.NewEvent().Arglist.str() +
            " pub=" + std::to_string(item.NewEvent().Publish);
  } else if (item.Kind() == model::ItemKind::ExistingEvent) {
    const model::ExistingEventPart& e = item.ExistingEvent();
    text += " ov=" + std::to_string(e.Override) + " pub=" + std::to_string(e.Publish) +
            (e.Override ? " handler=" + e.HandlerDecl.str() : "");
  }
  return text;
}

// The items a unit shows, one line each, in name order. An inherited event neither
// overridden nor published leaves no trace in the unit.
std::string CarriedItems(const model::ComponentDef& def) {
  std::vector<std::string> items;
  for (const model::ItemDef& item : def.Items()) {
    if (item.Kind() == model::ItemKind::ExistingEvent && !item.ExistingEvent().Override &&
        !item.ExistingEvent().Publish)
      continue;
    items.push_back(Carried(item));
  }
  std::sort(items.begin(), items.end());
  std::string text;
  for (const std::string& item : items) text += item + "\n";
  return text;
}

// Generates, imports and generates again: the two units are the same text and the items
// the same, and nothing was reported as left out.
void ExpectRoundTrip(model::ComponentDef def, const std::string& what) {
  for (const bool full : {true, false}) {
    SCOPED_TRACE(what + (full ? " (full comments)" : " (normal comments)"));
    model::ComponentDef prepared = def;
    const std::string unit = Generate(prepared, full);
    const commands::UnitImport imported = commands::ImportUnit(pascal::ParseUnit(unit));
    ASSERT_EQ(imported.error, "");
    EXPECT_TRUE(imported.generated);
    EXPECT_EQ(::testing::PrintToString(imported.messages), "{}");
    model::ComponentDef again = imported.def;
    EXPECT_EQ(testing::UnifiedDiff(unit, Generate(again, full), "generated"), "");
    if (!full) continue;  // normal comments leave some descriptions out by design
    EXPECT_EQ(testing::UnifiedDiff(CarriedItems(prepared), CarriedItems(imported.def), "items"),
              "");
    EXPECT_EQ(imported.def.MainInfo.Units, prepared.MainInfo.Units);
    EXPECT_EQ(imported.def.MainInfo.DefaultPalette, prepared.MainInfo.DefaultPalette);
    EXPECT_EQ(imported.def.MainInfo.ParentClassName, prepared.MainInfo.ParentClassName);
    EXPECT_EQ(imported.def.Global.Code, prepared.Global.Code);
    EXPECT_EQ(imported.def.ImpGlobal.Code, prepared.ImpGlobal.Code);
  }
}

TEST(UnitImportRoundTrip, GoldenDefinitions) {
  const fs::path dir = fs::path(KX_SOURCE_DIR) / "tests/golden";
  for (const std::string& name : testing::GoldenCases(dir)) {
    ExpectRoundTrip(testing::ReadGoldenDefinition(dir, name), "golden " + name);
  }
}

TEST(UnitImportRoundTrip, Examples) {
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".cd") continue;
    model::ComponentDef def;
    const store::ParseResult read = store::ParseDefinition(testing::TempDir::Read(entry.path()),
                                                           entry.path().filename().string(), def,
                                                           catalog::StandardClassRules(), "");
    ASSERT_TRUE(read.ok);
    ExpectRoundTrip(def, entry.path().filename().string());
  }
}

TEST(UnitImportRoundTrip, RandomDefinitions) {
  const char* count_text = std::getenv("KX_RANDOM_IMPORTS");
  const int count = count_text ? std::atoi(count_text) : 200;
  const char* seed_text = std::getenv("KX_RANDOM_SEED");
  std::mt19937 rng(seed_text ? static_cast<unsigned>(std::atol(seed_text)) : 25u);
  for (int n = 0; n < count; ++n) {
    model::ComponentDef def = testing::RandomDefinition(rng).Build("Kxr" + std::to_string(n));
    ExpectRoundTrip(def, "random " + std::to_string(n));
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

// A hand-written unit: each member as the item it becomes, and what has no place noted.
TEST(UnitImport, HandWrittenUnit) {
  const std::string unit =
      "unit Clock;\n{$mode objfpc}{$H+}\ninterface\nuses Classes, Controls;\n"
      "const Ticks = 10;\n"
      "type\n  TClock = class(TGraphicControl)\n  private\n    FHour: Integer;\n"
      "    FSpare: Boolean;\n    FText: string;\n    procedure SetHour(Value: Integer);\n"
      "  protected\n    { Draws the face\n      with both hands }\n    procedure Paint; override;\n"
      "  published\n    property Hour: Integer read FHour write SetHour default 12;\n"
      "    property Caption: string read FText write FText;\n    property Align;\n"
      "    property OnClick;\n  end;\n\nprocedure Register;\n\nimplementation\n\n"
      "procedure Helper;\nbegin\nend;\n\n"
      "procedure TClock.SetHour(Value: Integer);\nbegin\n  FHour := Value;\nend;\n\n"
      "procedure TClock.Paint;\nbegin\n  inherited Paint;\nend;\n\n"
      "procedure Register;\nbegin\n  RegisterComponents('Misc', [TClock]);\nend;\n\n"
      "initialization\n  Helper;\nend.\n";
  const commands::UnitImport r = commands::ImportUnit(pascal::ParseUnit(unit));
  ASSERT_EQ(r.error, "");
  EXPECT_FALSE(r.generated);
  EXPECT_EQ(r.def.MainInfo.NewClassName, "TClock");
  EXPECT_EQ(r.def.MainInfo.ParentClassName, "TGraphicControl");
  EXPECT_EQ(r.def.MainInfo.DefaultPalette, "Misc");
  EXPECT_EQ(r.def.Global.Code, (std::vector<std::string>{"const Ticks = 10;"}));
  EXPECT_EQ(r.def.ImpGlobal.Code, (std::vector<std::string>{"procedure Helper;", "begin", "end;"}));
  std::string items;
  for (const model::ItemDef& item : r.def.Items()) items += Carried(item) + "\n";
  EXPECT_EQ(items,
            "Property Hour descr= code=begin|  FHour := Value;|end;| inh=0 hide=0 ro=0 "
            "read=<absent> sp=0 def=12 edit=1 type=Integer\n"
            "Property Caption descr= code=begin|     FText := Value;|end;| inh=0 hide=0 ro=0 "
            "read=begin|     Result := FText;|end;| sp=0 def= edit=1 type=string\n"
            "Property Align descr= code=<absent> inh=1 hide=0 ro=0 read=<absent> def= edit=1\n"
            "ExistingEvent OnClick descr= code=<absent> ov=0 pub=1\n"
            "Method Paint descr=Draws the face code=begin|  inherited Paint;|end;| kind=0 "
            "header=Paint ov=1 msg=\n"
            "Variable FSpare descr= code=<absent> type=Boolean obj=0 sub=0 def=\n"
            "Variable FText descr= code=<absent> type=string obj=0 sub=0 def=\n");
  EXPECT_EQ(r.def.Items()[4].Help, (std::vector<std::string>{"with both hands"}));
  EXPECT_EQ(r.def.MainInfo.Switches, (std::vector<std::string>{"{$mode objfpc}{$H+}"}));
  EXPECT_EQ(r.def.Initialization, (std::vector<std::string>{"initialization", "  Helper;"}));
  EXPECT_EQ(::testing::PrintToString(r.messages), "{}");
}

TEST(UnitImport, RefusesWhatItCannotImport) {
  struct Case {
    std::string unit, class_name, error;
  } cases[] = {
      {"unit A; interface implementation end.", "",
       "The unit registers no component class; name the class to import."},
      {"unit A; interface implementation end.", "TX", "The unit declares no class TX."},
      {"unit A; interface type TX = record end; implementation end.", "TX",
       "TX is not a class the import can read."},
      {"unit A; interface begin", "", "The unit cannot be read: line 1: "},
  };
  for (const Case& c : cases) {
    const commands::UnitImport r =
        commands::ImportUnit(pascal::ParseUnit(c.unit), {.class_name = c.class_name});
    EXPECT_TRUE(r.error.starts_with(c.error)) << r.error;
    EXPECT_EQ(r.def, model::ComponentDef()) << c.unit;
  }
}

}  // namespace
}  // namespace kx
