// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/definition_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/type_classes.h"
#include "store/ext_ini_file.h"
#include "support/temp_dir.h"

namespace kx::store {
namespace {

using model::ComponentDef;
using model::ItemDef;
using Lines = std::vector<std::string>;

std::string Fill(char c, std::size_t n) { return std::string(n, c); }

// One item of each kind, code and help on each, read code, every field at its capacity.
ComponentDef FullDefinition() {
  ComponentDef def;
  model::MainInfoDef& m = def.MainInfo;
  m.UnitName = "MyUnit" + Fill('u', 121);
  m.NewClassName = "TMyButton";
  m.ParentClassName = "TButton";
  m.VCLAncestorName = "TButton";
  m.DefaultPalette = "Samples";
  m.CopyrightLine = "Copyright \xA9 2026 by me = you";
  m.TargetDir = "";
  m.LimitName = false;
  model::ResetUnits(m.Units);
  def.Global.Descr = Fill('d', 65);
  def.Global.Code = Lines{"const", "  Answer = 42;"};
  def.Global.Help = Lines{"<b>A button</b>", ""};
  def.ImpGlobal.Code = Lines{"var", "  Count : Integer;"};
  // The blocks of an imported unit, in sections of their own.
  m.Switches = Lines{"{$mode objfpc}{$H+}"};
  def.AfterClass = Lines{"  TMyButtons = array of TMyButton;"};
  def.Initialization = Lines{"initialization", "  RegisterClass(TMyButton);"};

  ItemDef property = model::NewPropertyItem("P" + Fill('p', 31));
  model::PropertyPart& p = property.Property();
  p.PropType = Fill('T', 32);
  p.PropDefault = "'" + Fill('v', 126) + "'";
  p.Special = model::PropSpecialType::psIndexedIJ;
  p.UseReadMethod = p.UseWriteMethod = p.VIRT = p.Hide = p.ReadOnly = true;
  p.ReadCode = Lines{"  Result := FValue;"};
  p.PropertyEditor = {false, true, Fill('U', 32), Fill('C', 32), 0};
  p.Link = Fill('l', 90);
  property.Code = Lines{"  FValue := Value;"};
  property.Help = Lines{"The value."};
  property.Keywords = Fill('k', 127);
  property.Descr = Fill('x', 65);
  property.DefaultCode = static_cast<model::DefaultCodeKind>(255);

  ItemDef click = model::NewExistingEventItem("OnClick");
  click.ExistingEvent().Override = true;
  click.ExistingEvent().HandlerDecl = "Click" + Fill('h', 95);
  click.Code = Lines{"  inherited Click;"};
  click.Help = Lines{"Clicked."};

  ItemDef method =
      model::NewMethodItem("M" + Fill('m', 200) + "(A : Integer) : Boolean" + Fill('x', 40));
  method.Method() = {model::kFunction,
                     method.Method().Header,
                     model::kScopeProtected,
                     false,
                     model::MethodMode::kCanBeOverriddenMinSize,
                     Fill('W', 32)};
  method.Code = Lines{"begin", "end;"};
  method.Help = Lines{};

  ItemDef variable = model::NewVariableItem("FEdit");
  variable.Variable() = {"FEdit", "TEdit", model::kScopePublic, "nil", true, true};
  variable.Code = Lines{"FEdit := TEdit.Create(Self);"};
  variable.Help = Lines{"The edit."};

  ItemDef event = model::NewEventItem("OnStatusEvent");
  event.NewEvent().Arglist = "(Sender : TObject; Status : Integer)";
  event.NewEvent().Publish = false;
  event.Code = Lines{"  if Assigned(FOnStatusEvent) then FOnStatusEvent(Self, Status);"};
  event.Help = Lines{"Status."};

  for (ItemDef* item : {&property, &click, &method, &variable, &event}) {
    EXPECT_EQ(model::AddItem(def, *item), model::AddResult::Added);
  }
  return def;
}

struct Read {
  ParseResult result;
  ComponentDef def;
};

Read Parse(std::string_view text, std::string_view default_target_dir = "/default/") {
  Read r;
  r.result =
      ParseDefinition(text, "/x/a.cd", r.def, catalog::StandardClassRules(), default_target_dir);
  return r;
}

TEST(DefinitionFileTest, RoundTripKeepsEverythingButWhatTheFormatLoses) {
  const ComponentDef original = FullDefinition();
  const std::string written = WriteDefinition(original, "a.cd");
  Read read = Parse(written, "");
  ASSERT_TRUE(read.result.ok);
  EXPECT_TRUE(read.result.messages.empty());
  EXPECT_EQ(WriteDefinition(read.def, "a.cd"), written)
      << "write, read, write gives the same bytes";

  ComponentDef expected = original;
  expected.MainInfo.FileName = "/x/a.cd";
  // An empty block comes back absent.
  expected.Item(3).Help.reset();
  EXPECT_EQ(read.def.MainInfo, expected.MainInfo);
  for (int n = 1; n <= expected.Count(); ++n) {
    EXPECT_EQ(read.def.Item(n), expected.Item(n)) << model::ItemName(expected.Item(n));
  }
  EXPECT_EQ(read.def, expected);
}

TEST(DefinitionFileTest, WritesTheFixedOrder) {
  ComponentDef def;
  def.MainInfo.UnitName = "Btn";
  model::ItemDef property = model::NewPropertyItem("Caption");
  property.Property().ReadCode = Lines{};
  model::AddItem(def, property);
  model::AddItem(def, model::NewEventItem("OnGo"));
  EXPECT_EQ(
      WriteDefinition(def, "a.cd"),
      "[MAININFO$]\r\nKXVer=4.0\r\nCompatible20=0\r\nCompatible21=0\r\nCompatible22=0\r\n"
      "Compatible25=0\r\nCompatible30=0\r\nCompatible40=1\r\nLang=Pasc\r\nUnitName=Btn\r\n"
      "LimitName=1\r\nNewClassName=\r\nParentClassName=\r\nVCLAncestorName=\r\n"
      "DefaultPalette=\r\nCopyrightLine=\r\nTargetDir=\r\nFormMode=0\r\nFormFile=\r\n"
      "[UNITS$]\r\nLines=0\r\n"
      "[ITEMLIST$]\r\nCaption=Property\r\nOnGo=NewEvent\r\n"
      "[GLOBAL$]\r\nDescr=\r\nDefaultCode=1\r\nKeywords=\r\n"
      "[CODE$]\r\nLines=0\r\n[HELP$]\r\nLines=0\r\n"
      "[IMPGLOBAL$]\r\nDescr=\r\nDefaultCode=1\r\nKeywords=\r\n"
      "[IMPGLOBAL$CODE$]\r\nLines=0\r\n[IMPGLOBAL$HELP$]\r\nLines=0\r\n"
      "[Caption]\r\nDescr=\r\nDefaultCode=6\r\nKeywords=\r\nIN=0\r\nRO=0\r\nPropType=String\r\n"
      "PropDefault=\r\nQuote=0\r\nRM=0\r\nWM=0\r\nVIRT=0\r\nHide=0\r\nSP=0\r\nDefEdit=1\r\n"
      "All=0\r\nEC=\r\nEU=\r\nLink=\r\n"
      "[CaptionCODE$]\r\nLines=0\r\n[CaptionREADCODE$]\r\nLines=0\r\n[CaptionHELP$]\r\nLines=0\r\n"
      "[OnGo]\r\nDescr=\r\nDefaultCode=14\r\nKeywords=\r\nArglist=(Sender : TObject)\r\nP=1\r\n"
      "[OnGoCODE$]\r\nLines=0\r\n[OnGoHELP$]\r\nLines=0\r\n");
}

TEST(DefinitionFileTest, ADefinitionWithoutItemsOpensAgain) {
  ComponentDef def;
  def.MainInfo.NewClassName = "TEmpty";
  Read read = Parse(WriteDefinition(def, "a.cd"));
  ASSERT_TRUE(read.result.ok);
  EXPECT_EQ(read.def.MainInfo.NewClassName, "TEmpty");
}

std::string ItemList(int n) {
  std::string text = "[ITEMLIST$]\r\n";
  for (int i = 1; i <= n; ++i) text += "V" + std::to_string(i) + "=Variable\r\n";
  return text;
}

TEST(DefinitionFileTest, RefusedFiles) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"", "/x/a.cd is not a component definition file."},
      {"\x89PNG\r\n\x1a\n\0\0\0", "/x/a.cd is not a component definition file."},
      {"[MAININFO$]\r\n[ITEMLIST$]", "/x/a.cd is not a component definition file."},
      {"[MAININFO$]\r\n[ITEMLIST$]\r\n", "/x/a.cd is not a component definition file."},
      {" [ITEMLIST$]\r\nA=Property\r\n", "/x/a.cd is not a component definition file."},
      {"[ITEMLIST$]\r\n\r\n[GLOBAL$]\r\n",
       "/x/a.cd is empty or is not a component definition file."},
      {ItemList(231), "/x/a.cd contains too many items."},
      {ItemList(5000), "/x/a.cd contains too many items."},
  };
  for (const auto& c : cases) {
    Read read = Parse(c.text);
    EXPECT_FALSE(read.result.ok);
    ASSERT_EQ(read.result.messages.size(), 1u) << c.error;
    EXPECT_EQ(read.result.messages[0].kind, ReaderMessage::Kind::kError);
    EXPECT_EQ(read.result.messages[0].text, c.error);
    EXPECT_EQ(read.def.Count(), 0);
  }
}

TEST(DefinitionFileTest, ItemListEdges) {
  Read read = Parse(ItemList(230));
  EXPECT_TRUE(read.result.ok);
  EXPECT_EQ(read.def.Count(), 230);

  read = Parse(
      "[itemlist$]\nColor=Property\ncolor=Variable\nAutoDestroy=Method\nGo=Methodical\n"
      "X=Unknown\nNoEquals\nOnA=NEWEVENT\nOnB=exis\n"
      "[Color]\nPropType=Integer\n[COLOR]\nPropDefault=5\n");
  ASSERT_TRUE(read.result.ok);
  ASSERT_EQ(read.def.Count(), 4);
  EXPECT_EQ(model::ItemName(read.def.Item(2)), "Go");
  EXPECT_EQ(read.def.Item(3).Kind(), model::ItemKind::NewEvent);
  EXPECT_EQ(read.def.Item(4).Kind(), model::ItemKind::ExistingEvent);
  // A name listed twice makes one item; both of its sections apply to it.
  EXPECT_EQ(read.def.Item(1).Property().PropType, "Integer");
  EXPECT_EQ(read.def.Item(1).Property().PropDefault, "5");
}

// Every definition that reads must save: names that would reopen a section are dropped.
TEST(DefinitionFileTest, NamesTheWriterCannotSaveAreDroppedWithAMessage) {
  const struct {
    std::string list;
    std::vector<std::string> kept;
    std::vector<std::string> dropped;
  } cases[] = {
      {"GLOBAL$=Property\nitemlist$=Variable\nUnits$=Method\nIMPGLOBAL$=Variable\n"
       "MAININFO$=Property\nCODE$=Variable\nHelp$=Variable\nImpGlobal$Code$=Variable\nKeep="
       "Variable\n",
       {"Keep"},
       {"GLOBAL$", "itemlist$", "Units$", "IMPGLOBAL$", "MAININFO$", "CODE$", "Help$",
        "ImpGlobal$Code$"}},
      {"A=Property\nACODE$=Variable\nAREADCODE$=Method\nahelp$=Variable\nB=Variable\n",
       {"A", "B"},
       {"ACODE$", "AREADCODE$", "ahelp$"}},
      {"XCODE$=Variable\nX=Variable\nM=Method\nMREADCODE$=Variable\n",
       {"XCODE$", "M", "MREADCODE$"},
       {"X"}},
      {"=Property\n =Variable\nZ=Variable\n", {"Z"}, {""}},
      // Cut to 32 characters, a name would end in blanks that reading trims; a header that
      // renames a method takes a name another item has.
      {"B" + std::string(31, ' ') + "x=Variable\nM=Method\nN=Property\n[M]\nHeader=N\n",
       {"N"},
       {"B" + std::string(31, ' '), "N"}},
  };
  for (const auto& c : cases) {
    Read read = Parse("[MAININFO$]\r\n[ITEMLIST$]\r\n" + c.list);
    ASSERT_TRUE(read.result.ok) << c.list;
    std::vector<std::string> kept;
    for (const model::ItemDef& item : read.def.Items()) kept.push_back(model::ItemName(item));
    EXPECT_EQ(kept, c.kept) << c.list;
    std::vector<std::string> messages;
    for (const ReaderMessage& m : read.result.messages) messages.push_back(m.text);
    std::vector<std::string> expected;
    for (const std::string& name : c.dropped) {
      expected.push_back(name.empty() ? "An item without a name in /x/a.cd was dropped."
                                      : "The item " + name +
                                            " in /x/a.cd was dropped: a definition file cannot "
                                            "hold its name.");
    }
    EXPECT_EQ(messages, expected) << c.list;
    EXPECT_NO_THROW(WriteDefinition(read.def, "a.cd")) << c.list;
  }
}

TEST(DefinitionFileTest, EntriesReadWithTheirDefaultsAndRepairs) {
  Read read = Parse(
      "[ITEMLIST$]\r\nObj=Property\r\nNum=Property\r\nV=Variable\r\nW=Variable\r\nM=Method\r\n"
      "[Obj]\r\nPropType=TFont\r\nSP=9\r\n"
      "[Num]\r\nSP=-1\r\nIN=yes\r\n"
      "[V]\r\nSc=10\r\n"
      "[W]\r\nSc=junk\r\n"
      "[M]\r\nHeader=\r\nKind=257\r\nMode=x\r\nDefaultCode=-1\r\n");
  ASSERT_TRUE(read.result.ok);
  EXPECT_EQ(read.def.Item(1).Property().Special, model::PropSpecialType::psObjectAutoCreate);
  EXPECT_EQ(read.def.Item(2).Property().Special, model::PropSpecialType::psNone);
  EXPECT_FALSE(read.def.Item(2).Property().Inherited);
  EXPECT_EQ(read.def.Item(3).Variable().Scope, model::kScopePrivate);
  EXPECT_EQ(read.def.Item(4).Variable().Scope, model::kScopePublic);
  const ItemDef& m = read.def.Item(5);
  EXPECT_EQ(m.Method().Header, "M") << "an empty header keeps the listed name";
  EXPECT_EQ(m.Method().MethodKind, 1);
  EXPECT_EQ(m.Method().Mode, model::MethodMode::kCannotBeOverridden);
  EXPECT_EQ(m.DefaultCode, static_cast<model::DefaultCodeKind>(255));
}

TEST(DefinitionFileTest, VersionUpdates) {
  const std::string body =
      "[UNITS$]\r\nLines=1\r\nL1=Classes\r\n"
      "[ITEMLIST$]\r\nFont=Property\r\nBox=Variable\r\nList=Variable\r\n"
      "[Font]\r\nPropType=TFont\r\nSP=0\r\n"
      "[Box]\r\nDataType=TEdit\r\nDefaultCode=3\r\n"
      "[List]\r\nDataType=TStringList\r\n";
  const struct {
    std::string version;
    model::PropSpecialType font_special;
    bool variables_updated;
  } cases[] = {
      {"", model::PropSpecialType::psNone, false},
      {"4.0", model::PropSpecialType::psNone, false},
      {"2.5", model::PropSpecialType::psObjectAutoCreate, false},
      {"1.0", model::PropSpecialType::psObjectAutoCreate, true},
  };
  for (const auto& c : cases) {
    const std::string version_line = c.version.empty() ? "" : "KXVer=" + c.version + "\r\n";
    Read read = Parse("[MAININFO$]\r\n" + version_line + "Units=DB, Grids\r\n" + body);
    ASSERT_TRUE(read.result.ok);
    EXPECT_EQ(read.result.version, c.version);
    EXPECT_EQ(read.def.Item(1).Property().Special, c.font_special) << c.version;
    const model::VariablePart& box = read.def.Item(2).Variable();
    const model::VariablePart& list = read.def.Item(3).Variable();
    EXPECT_EQ(box.IsObject && box.IsSubComponent, c.variables_updated) << c.version;
    EXPECT_EQ(list.IsObject && !list.IsSubComponent, c.variables_updated) << c.version;
    EXPECT_EQ(read.def.Item(2).DefaultCode, c.variables_updated
                                                ? model::DefaultCodeKind::kSubComponentSettings
                                                : model::DefaultCodeKind::kContainerConstructor)
        << c.version;
    const Lines units = c.variables_updated
                            ? Lines{"WinTypes", "WinProcs", "Messages", "SysUtils", "Classes",
                                    "Controls", "Forms",    "Graphics", "DB",       "Grids"}
                            : Lines{"Classes"};
    EXPECT_EQ(read.def.MainInfo.Units, units) << c.version;
  }
  Read no_units = Parse("[MAININFO$]\r\nKXVer=4.0\r\n" + ItemList(1));
  EXPECT_FALSE(no_units.def.MainInfo.Units.has_value());
}

TEST(DefinitionFileTest, MainInfoWarningsAndTargetDirectory) {
  kx::testing::TempDir dir;
  const std::string existing = (dir / "Out").string() + "/";
  std::filesystem::create_directory(dir / "Out");
  Read read =
      Parse("[MAININFO$]\r\nCompatible40=0\r\nLang=Basic\r\nLang=pascal\r\nTargetDir=" + existing +
            "\r\n" + ItemList(1));
  ASSERT_TRUE(read.result.ok);
  ASSERT_EQ(read.result.messages.size(), 2u);
  EXPECT_EQ(read.result.messages[0].kind, ReaderMessage::Kind::kWarning);
  EXPECT_EQ(read.result.messages[0].text, kLaterVersionWarning);
  EXPECT_EQ(read.result.messages[1].text, kOtherLanguageWarning);
  EXPECT_EQ(read.def.MainInfo.TargetDir, existing) << "kept as written, not lower-cased";

  read = Parse("[MAININFO$]\r\nTargetDir=/no/such/dir/\r\n" + ItemList(1));
  EXPECT_EQ(read.def.MainInfo.TargetDir, "/default/");
}

TEST(DefinitionFileTest, FormFileIsHandedOnOnlyForFormWrappers) {
  Read read = Parse("[MAININFO$]\r\nFormFile=/f/a.dfm\r\nFormMode=1\r\nFormFile=/f/b.dfm\r\n" +
                    ItemList(1));
  EXPECT_EQ(read.result.form_file_to_load, "/f/b.dfm");
  EXPECT_EQ(read.def.MainInfo.Form.FormFile, "/f/b.dfm");
  read = Parse("[MAININFO$]\r\nFormMode=2\r\nFormFile=/f/b.dfm\r\n" + ItemList(1));
  EXPECT_EQ(read.result.form_file_to_load, "");
}

TEST(DefinitionFileTest, OlderImplementationCodeAndStrayLines) {
  // Older files kept the implementation code directly in IMPGLOBAL$.
  Read read = Parse(ItemList(1) + "[IMPGLOBAL$]\r\nLines=1\r\nL1=uses Old;\r\n");
  EXPECT_EQ(read.def.ImpGlobal.Code, Lines{"uses Old;"});
  // A section of a name nobody owns is read and thrown away.
  read = Parse(ItemList(1) +
               "[V1]\r\nDataType=Integer\r\n[Nobody]\r\nDataType=TFont\r\n"
               "[NobodyCODE$]\r\nLines=1\r\nL1=x\r\n");
  EXPECT_EQ(read.def.Item(1).Variable().DataType, "Integer");
  EXPECT_FALSE(read.def.Item(1).Code.has_value());
  // Nor does a section named after a name an item derives fill that item.
  read = Parse(
      "[ITEMLIST$]\nColor=Property\n[Color]\nPropType=Integer\n[FColor]\nPropType=TFont\n"
      "[SetColorCODE$]\nLines=1\nL1=x\n");
  EXPECT_EQ(read.def.Item(1).Property().PropType, "Integer");
  EXPECT_FALSE(read.def.Item(1).Code.has_value());
}

TEST(DefinitionFileTest, LineEndsOfEveryKind) {
  const std::string crlf = WriteDefinition(FullDefinition(), "a.cd");
  for (const char end : {'\n', '\r'}) {
    std::string text = crlf;
    std::erase(text, '\r');
    std::replace(text.begin(), text.end(), '\n', end);
    Read read = Parse(text, "");
    ASSERT_TRUE(read.result.ok);
    EXPECT_EQ(WriteDefinition(read.def, "a.cd"), crlf);
  }
}

}  // namespace
}  // namespace kx::store
