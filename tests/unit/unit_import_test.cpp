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
    EXPECT_EQ(imported.def.AfterClass, prepared.AfterClass);
    EXPECT_EQ(imported.def.Initialization, prepared.Initialization);
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

namespace kx {
namespace {

// A component unit around one class: what stands before "interface" and between it and the
// uses clause, the type section, and what follows "implementation".
std::string UnitText(std::string_view head, std::string_view types, std::string_view tail = "",
                     std::string_view before_uses = "") {
  return "unit A;\n" + std::string(head) + "interface\n" + std::string(before_uses) +
         "uses Classes;\n" + std::string(types) +
         "\nprocedure Register;\nimplementation\nprocedure Register;\nbegin\n"
         "  RegisterComponents('P', [TX]);\nend;\n" +
         std::string(tail) + "end.\n";
}

std::string Lines(const model::TextBlock& block) {
  if (!block) return "<absent>";
  std::string text;
  for (const std::string& line : *block) text += line + "|";
  return text;
}

// What the definition holds of the unit beyond the class: its switches, the code before and
// after the class and the initialization, in the places the unit writer puts them back.
TEST(UnitImport, WhatSurroundsTheClassKeepsItsPlace) {
  struct Case {
    std::string name, unit, mode, switches, global, after_class, impl, initialization, notes;
  } cases[] = {
      {"the unit's own mode and switches",
       UnitText("{$mode objfpc}{$H+}\n", "type\n  TX = class(TComponent)\n  end;\n"), "",
       "{$mode objfpc}{$H+}|", "<absent>", "<absent>", "<absent>", "<absent>", "{}"},
      {"directives before the uses clause go before it",
       UnitText("", "type\n  TX = class(TComponent)\n  end;\n", "",
                "{$ifdef fpc}{$mode delphi}{$endif}\n"),
       "", "{$ifdef fpc}{$mode delphi}{$endif}|", "<absent>", "<absent>", "<absent>", "<absent>",
       "{}"},
      {"a package's mode where the unit sets none",
       UnitText("{$H+}\n", "type\n  TX = class(TComponent)\n  end;\n"), "objfpc",
       "{$mode objfpc}|{$H+}|", "<absent>", "<absent>", "<absent>", "<absent>",
       "{ \"line 1: The unit sets no compiler mode; it keeps {$mode objfpc}, the mode its package "
       "compiles it in.\" }"},
      {"an include file may set the mode",
       UnitText("{$I defines.inc}\n", "type\n  TX = class(TComponent)\n  end;\n"), "objfpc",
       "{$I defines.inc}|", "<absent>", "<absent>", "<absent>", "<absent>", "{}"},
      {"the Lazarus target's own mode is no switch of the unit's",
       UnitText("\n{$mode delphi}\n\n", "type\n  TX = class(TComponent)\n  end;\n"), "", "<absent>",
       "<absent>", "<absent>", "<absent>", "<absent>", "{}"},
      {"a descendant and a constant follow the class",
       UnitText("",
                "type\n  TX = class(TComponent)\n  end;\n  TY = class(TX)\n  end;\n"
                "const\n  C = 1;\n"),
       "", "<absent>", "<absent>", "  TY = class(TX)|  end;|const|  C = 1;|", "<absent>",
       "<absent>", "{}"},
      {"the forward declaration stays for the types before the class",
       UnitText("",
                "type\n  TX = class;\n  TItem = class\n    FOwner: TX;\n  end;\n"
                "  TX = class(TComponent)\n  end;\n"),
       "", "<absent>", "type|  TX = class;|  TItem = class|    FOwner: TX;|  end;|", "<absent>",
       "<absent>", "<absent>", "{}"},
      {"initialization and finalization, and what stands after the last routine",
       UnitText("", "type\n  TX = class(TComponent)\n  end;\n",
                "\n{$I bodies.inc}\n\ninitialization\n  Start;\nfinalization\n  Stop;\n"),
       "", "<absent>", "<absent>", "<absent>", "{$I bodies.inc}|",
       "initialization|  Start;|finalization|  Stop;|", "{}"},
      {"nested types and constants go before the class",
       UnitText("",
                "type\n  TX = class(TComponent)\n  private const N = 2;\n"
                "  private type TR = record A: Integer; end;\n  private FR: TR;\n  end;\n"),
       "", "<absent>", "const|  N = 2;|type|  TR = record A: Integer; end;|", "<absent>",
       "<absent>", "<absent>",
       "{ \"line 6: The constant N of the class is declared before it, outside it.\", "
       "\"line 7: The nested type TR of the class is declared before it, outside it.\" }"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + ":\n" + c.unit);
    const commands::UnitImport r =
        commands::ImportUnit(pascal::ParseUnit(c.unit), {.class_name = "TX", .mode = c.mode});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(Lines(r.def.MainInfo.Switches), c.switches);
    EXPECT_EQ(Lines(r.def.Global.Code), c.global);
    EXPECT_EQ(Lines(r.def.AfterClass), c.after_class);
    EXPECT_EQ(Lines(r.def.ImpGlobal.Code), c.impl);
    EXPECT_EQ(Lines(r.def.Initialization), c.initialization);
    EXPECT_EQ(::testing::PrintToString(r.messages), c.notes);
  }
}

// Accessors that are not the property's own storage or Get/Set methods as the writer names
// them: the property's code goes through them, and bodies take the writer's parameter names.
TEST(UnitImport, AccessorsBecomeThePropertysCode) {
  const std::string parent =
      "type\n  TBase = class(TComponent)\n  private\n    FLeft: Integer;\n"
      "    function GetLeft: Integer;\n    procedure SetLeft(AValue: Integer);\n"
      "  public\n    property Left: Integer read GetLeft write SetLeft;\n  end;\n";
  struct Case {
    std::string name, members, bodies, property, item, notes;
  } cases[] = {
      {"a setter's parameter is renamed Value",
       "    FX: Integer;\n    procedure SetX(const AValue: Integer);\n"
       "  published\n    property X: Integer read FX write SetX;\n",
       "procedure TX.SetX(const AValue: Integer);\nbegin\n  if FX = AValue then Exit;\n"
       "  FX := AValue;\nend;\n",
       "X", "code=begin|  if FX = Value then Exit;|  FX := Value;|end;| read=<absent> sp=0",
       "{ \"line 8: The parameter AValue of SetX is named Value in the code of property X.\" }"},
      {"a body that names Value otherwise is kept as written",
       "    FX: Integer;\n    procedure SetX(AValue: Integer);\n"
       "  published\n    property X: Integer read FX write SetX;\n",
       "procedure TX.SetX(AValue: Integer);\nbegin\n  FX := AValue + Value;\nend;\n", "X",
       "code=begin|  FX := AValue + Value;|end;| read=<absent> sp=0",
       "{ \"line 8: The body of SetX uses the name Value, which its parameter AValue takes in the "
       "code of property X; the code is kept as written.\" }"},
      {"an array property of an Integer index",
       "    function GetItem(AIndex: Integer): string;\n"
       "  public\n    property Item[AIndex: Integer]: string read GetItem;\n",
       "function TX.GetItem(AIndex: Integer): string;\nbegin\n  Result := IntToStr(AIndex);\n"
       "end;\n",
       "Item", "code=<absent> read=begin|  Result := IntToStr(I);|end;| sp=4",
       "{ \"line 7: The parameter AIndex of GetItem is named I in the code of property Item.\", "
       "\"line 9: The index parameters [AIndex: Integer] of property Item become [I : "
       "Longint].\" }"},
      {"a write method of another name is called",
       "    FX: Integer;\n    procedure ChangeX(AValue: Integer);\n"
       "  published\n    property X: Integer read FX write ChangeX;\n",
       "procedure TX.ChangeX(AValue: Integer);\nbegin\n  FX := AValue;\nend;\n", "X",
       "code=begin|     ChangeX(Value);|end;| read=<absent> sp=0", "{}"},
      {"a field of another name is its storage",
       "    FText: string;\n  published\n    property Caption: string read FText write FText;\n",
       "", "Caption",
       "code=begin|     FText := Value;|end;| read=begin|     Result := FText;|end;| sp=0", "{}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string unit = UnitText(
        "", "type\n  TX = class(TComponent)\n  private\n" + c.members + "  end;\n", c.bodies);
    const commands::UnitImport r =
        commands::ImportUnit(pascal::ParseUnit(unit), {.class_name = "TX"});
    ASSERT_EQ(r.error, "") << unit;
    const model::ItemDef* item = nullptr;
    for (const model::ItemDef& i : r.def.Items())
      if (model::ItemName(i) == c.property) item = &i;
    ASSERT_NE(item, nullptr) << unit;
    EXPECT_EQ("code=" + Lines(item->Code) + " read=" + Lines(item->Property().ReadCode) +
                  " sp=" + std::to_string(static_cast<int>(item->Property().Special)),
              c.item)
        << unit;
    EXPECT_EQ(::testing::PrintToString(r.messages), c.notes) << unit;
  }
  // The ancestor's property redeclared through the ancestor's accessors is the inherited one.
  const commands::UnitImport r = commands::ImportUnit(
      pascal::ParseUnit(UnitText("", parent + "  TX = class(TBase)\n  public\n"
                                              "    property Left: Integer read GetLeft write "
                                              "SetLeft;\n  end;\n")),
      {.class_name = "TX"});
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.def.Count(), 1);
  EXPECT_TRUE(r.def.Item(1).Property().Inherited);
  EXPECT_EQ(r.def.MainInfo.VCLAncestorName, "TComponent");
  EXPECT_EQ(r.parent_unit, "A");
}

// The blocks only an imported unit has come back from the units generated with them: the
// Delphi unit with the code after the class and the initialization, the Lazarus unit with the
// switches too.
TEST(UnitImportRoundTrip, ImportedBlocks) {
  const fs::path dir = fs::path(KX_SOURCE_DIR) / "tests/golden";
  model::ComponentDef def = testing::ReadGoldenDefinition(dir, "button");
  def.AfterClass = std::vector<std::string>{"  TButtons = array of TMyButton;", "",
                                            "function Twice(B: TMyButton): TButtons;"};
  def.Initialization = std::vector<std::string>{"initialization", "  RegisterClass(TMyButton);"};
  ExpectRoundTrip(def, "button with blocks");
  for (const model::TextBlock& switches :
       {model::TextBlock{}, model::TextBlock{{"{$mode objfpc}{$H+}"}}}) {
    model::ComponentDef lazarus = def;
    lazarus.MainInfo.Switches = switches;
    const generate::UnitOptions options{.target = model::CodeTarget::kLazarus};
    generate::PrepareForUnit(lazarus, options);
    const std::string unit = generate::WriteComponentUnit(lazarus, options, kDate);
    const commands::UnitImport imported = commands::ImportUnit(pascal::ParseUnit(unit));
    ASSERT_EQ(imported.error, "");
    EXPECT_EQ(imported.def.MainInfo.Switches, switches);
    EXPECT_EQ(imported.def.AfterClass, def.AfterClass);
    EXPECT_EQ(imported.def.Initialization, def.Initialization);
  }
}

// The mode of a Lazarus package that lists the unit, in the unit's folder or the one above.
TEST(UnitImport, PackageModeOfAUnit) {
  testing::TempDir temp;
  const fs::path source = temp.path() / "source";
  fs::create_directories(source);
  auto package = [](std::string_view files, std::string_view options) {
    return "<?xml version=\"1.0\"?>\n<CONFIG>\n  <Package>\n    <CompilerOptions>\n" +
           std::string(options) + "    </CompilerOptions>\n    <Files>\n" + std::string(files) +
           "    </Files>\n  </Package>\n</CONFIG>\n";
  };
  temp.Write("source/a.pas", "unit A; interface implementation end.");
  temp.Write("b.pas", "unit B; interface implementation end.");
  temp.Write("c.pas", "unit C; interface implementation end.");
  temp.Write("first.lpk", package("      <Item1>\n        <Filename Value=\"source\\a.pas\"/>\n"
                                  "      </Item1>\n",
                                  "      <SyntaxMode Value=\"Delphi\"/>\n"));
  temp.Write("second.lpk",
             package("      <Item1>\n        <Filename Value=\"b.pas\"/>\n      </Item1>\n", ""));
  EXPECT_EQ(commands::PackageModeOf(source / "a.pas"), "delphi");
  EXPECT_EQ(commands::PackageModeOf(temp.path() / "b.pas"), "objfpc");
  EXPECT_EQ(commands::PackageModeOf(temp.path() / "c.pas"), "");
  EXPECT_EQ(commands::PackageModeOf(temp.path() / "missing" / "d.pas"), "");
}

}  // namespace
}  // namespace kx

namespace kx {
namespace {

// Lazarus writes units in UTF-8, a definition holds Windows-1252: the text is converted, and a
// character the code page cannot hold is marked and noted, never carried as bytes the Lazarus
// target would encode a second time.
TEST(UnitImport, Utf8UnitsComeIntoWindows1252) {
  struct Case {
    std::string bytes, global, notes;
  } cases[] = {
      {"\xEF\xBB\xBFunit A; interface uses Classes;\n"
       "const S = 'gr\xC3\xBC\xC3\x9F'; { Vojt\xC4\x9B\x63h }\n\n",
       "const S = 'gr\xFC\xDF'; { Vojt?ch }|",
       "{ \"line 2: A character Windows-1252 cannot hold is written ? in the definition.\" }"},
      {"unit A; interface uses Classes;\nconst S = '\x80 \xFC';\n", "const S = '\x80 \xFC';|",
       "{}"},
  };
  for (const Case& c : cases) {
    const std::string unit =
        c.bytes +
        "type TX = class(TComponent) end;\nimplementation\nprocedure Register;\nbegin\n"
        "  RegisterComponents('P', [TX]);\nend;\nend.\n";
    const commands::UnitImport r = commands::ImportUnit(pascal::ParseUnit(unit));
    ASSERT_EQ(r.error, "");
    std::string global;
    for (const std::string& line : r.def.Global.Code.value_or(std::vector<std::string>{}))
      global += line + "|";
    EXPECT_EQ(global, c.global);
    EXPECT_EQ(::testing::PrintToString(r.messages), c.notes);
  }
}

}  // namespace
}  // namespace kx
