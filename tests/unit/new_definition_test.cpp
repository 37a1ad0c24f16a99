#include "catalog/new_definition.h"

#include <gtest/gtest.h>

#include <sstream>

#include "catalog/class_catalog.h"
#include "catalog/member_sets.h"
#include "cli/cli.h"
#include "commands/parent_selection.h"
#include "commands/session.h"
#include "model/text.h"
#include "platform/atomic_file.h"
#include "store/definition_file.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::catalog {
namespace {

using model::ComponentDef;
using model::ItemDef;
using model::ItemKind;

store::Settings TestSettings() {
  store::Settings settings;
  settings.pascal_code_dir = "/target/";
  settings.copyright = "Copyright (c) 2026 Test Components";
  return settings;
}

ComponentDef Make(std::string_view parent, std::string_view ancestor, std::string_view unit,
                  model::FormDef form = {}, const NewDefinitionImports& imports = {}) {
  ComponentDef def;
  NewDefinitionFromParent(def, parent, ancestor, form, ClassFamilyOf(ancestor), unit,
                          TestSettings(), imports);
  return def;
}

ComponentDef MakeStandard(std::string_view name) { return Make(name, name, UnitOfClass(name)); }

std::vector<std::string> Names(const ComponentDef& def) {
  std::vector<std::string> names;
  for (const ItemDef& item : def.Items()) names.push_back(model::ItemName(item));
  return names;
}

const ItemDef* Find(const ComponentDef& def, std::string_view name) {
  for (const ItemDef& item : def.Items()) {
    if (model::ItemName(item) == name) return &item;
  }
  return nullptr;
}

bool Has(const ComponentDef& def, std::string_view name) { return Find(def, name) != nullptr; }

std::vector<std::string> Units(const ComponentDef& def) {
  return def.MainInfo.Units.value_or(std::vector<std::string>{});
}

std::vector<std::string> WithDefaultUnits(std::vector<std::string> more) {
  std::vector<std::string> units = {"WinTypes", "WinProcs", "Messages", "SysUtils",
                                    "Classes",  "Controls", "Forms",    "Graphics"};
  units.insert(units.end(), more.begin(), more.end());
  return units;
}

TEST(NewDefinitionTest, MainInformationReplacesTheOldDefinition) {
  ComponentDef def;
  def.MainInfo.FileName = "/old/file.cd";
  def.MainInfo.LimitName = false;
  def.Global.Descr = "old description";
  def.Global.Code = std::vector<std::string>{"old"};
  model::AddItem(def, model::NewPropertyItem("Old"));
  NewDefinitionFromParent(def, "TEdit", "TEdit", {}, 2, "Stdctrls", TestSettings());

  const model::MainInfoDef& main = def.MainInfo;
  EXPECT_EQ(main.UnitName, "MyUnit");
  EXPECT_EQ(main.NewClassName, "TMyClass");
  EXPECT_EQ(main.ParentClassName, "TEdit");
  EXPECT_EQ(main.VCLAncestorName, "TEdit");
  EXPECT_EQ(main.DefaultPalette, "Standard");
  EXPECT_EQ(main.CopyrightLine, "Copyright (c) 2026 Test Components");
  EXPECT_EQ(main.TargetDir, "/target/");
  EXPECT_EQ(main.FileName, "");
  EXPECT_TRUE(main.LimitName);
  EXPECT_EQ(main.Form, model::FormDef{});
  EXPECT_EQ(def.Global, model::NewMainItem());
  EXPECT_FALSE(Has(def, "Old"));
  EXPECT_EQ(Units(def), WithDefaultUnits({"Stdctrls"}));
}

TEST(NewDefinitionTest, LongNamesAreCutAndAPaletteComesFromTheAncestor) {
  const std::string long_name = "TMy" + std::string(200, 'x');
  const ComponentDef def = Make(long_name, "TTimer", "Mine");
  EXPECT_EQ(def.MainInfo.ParentClassName.size(), 127u);
  EXPECT_EQ(def.MainInfo.DefaultPalette, "System");
  EXPECT_EQ(Make("TMyThing", "TMyOtherThing", "").MainInfo.DefaultPalette, "Samples");
}

TEST(NewDefinitionTest, ArgumentsMayBeFieldsOfTheDefinitionItself) {
  ComponentDef def = MakeStandard("TButton");
  def.MainInfo.Form.FormMode = model::FormModeKind::kWrapsForm;
  def.MainInfo.Form.FormUnitName = "Aboutbox";
  NewDefinitionFromParent(def, def.MainInfo.ParentClassName, def.MainInfo.VCLAncestorName,
                          def.MainInfo.Form, 2, def.MainInfo.Form.FormUnitName, TestSettings());
  EXPECT_EQ(def.MainInfo.ParentClassName, "TButton");
  EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kWrapsForm);
  EXPECT_EQ(Units(def), WithDefaultUnits({"Aboutbox"}));
}

TEST(NewDefinitionTest, TheUsesClause) {
  const struct {
    ComponentDef def;
    std::vector<std::string> units;
  } cases[] = {
      {MakeStandard("TDbGrid"), WithDefaultUnits({"Dbgrids", "DB", "Grids"})},
      {MakeStandard("TCustomDBGrid"), WithDefaultUnits({"Dbgrids", "DB", "Grids"})},
      {MakeStandard("TComponent"), WithDefaultUnits({})},  // Classes is there already
      {MakeStandard("TTimer"), WithDefaultUnits({"Extctrls"})},
      // A custom parent brings its own unit and its ancestor's.
      {Make("TMyGrid", "TStringGrid", "MyGrids"), WithDefaultUnits({"MyGrids", "Grids"})},
      {Make("TMyGrid", "TDBGrid", "MyGrids"),
       WithDefaultUnits({"MyGrids", "Dbgrids", "DB", "Grids"})},
      {Make("TMine", "TComponent", ""), WithDefaultUnits({})},
      {Make("TEDIT", "TEdit", "Stdctrls"), WithDefaultUnits({"Stdctrls"})},
      {MakeStandard("TRzBusinessComponent"),
       WithDefaultUnits({"Rzbizcmp", "RzErrDlg", "DB", "DBTables"})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Units(c.def), c.units) << c.def.MainInfo.ParentClassName;
  }
}

TEST(NewDefinitionTest, TheStandardMethods) {
  const ComponentDef def = MakeStandard("TEdit");
  ASSERT_GE(def.Count(), 3);
  const struct {
    std::string header;
    std::uint8_t kind;
    std::uint8_t scope;
    bool override_method;
    model::DefaultCodeKind default_code;
  } methods[] = {
      {"Create(AOwner: TComponent)", model::kConstructor, model::kScopePublic, true,
       model::DefaultCodeKind::kConstructor},
      {"Destroy", model::kDestructor, model::kScopePublic, true,
       model::DefaultCodeKind::kDestructor},
      {"Loaded", model::kProcedure, model::kScopeProtected, true, model::DefaultCodeKind::kLoaded},
  };
  for (int i = 0; i < 3; ++i) {
    const ItemDef& item = def.Item(i + 1);
    SCOPED_TRACE(methods[i].header);
    ASSERT_EQ(item.Kind(), ItemKind::Method);
    EXPECT_EQ(item.Method().Header, methods[i].header);
    EXPECT_EQ(item.Method().MethodKind, methods[i].kind);
    EXPECT_EQ(item.Method().Scope, methods[i].scope);
    EXPECT_EQ(item.Method().Override, methods[i].override_method);
    EXPECT_EQ(item.Method().Mode, model::MethodMode::kCannotBeOverridden);
    EXPECT_EQ(item.Method().WinMessage, "");
    EXPECT_EQ(item.DefaultCode, methods[i].default_code);
    EXPECT_EQ(item.Code, std::nullopt);
  }
  for (std::string_view container :
       {"TPanel", "TCustomPanel", "TGroupBox", "TCustomGroupBox", "TScrollBox"}) {
    EXPECT_EQ(MakeStandard(container).Item(1).DefaultCode,
              model::DefaultCodeKind::kContainerConstructor)
        << container;
  }
  EXPECT_EQ(Make("TMyPanel", "TPanel", "Mine").Item(1).DefaultCode,
            model::DefaultCodeKind::kContainerConstructor);
}

TEST(NewDefinitionTest, AGraphicControlWithoutOnResizeHandlesWmSize) {
  const ComponentDef label = MakeStandard("TLabel");
  const ItemDef* wm_size = Find(label, "WMSize");
  ASSERT_NE(wm_size, nullptr);
  EXPECT_EQ(wm_size->Method().Header, "WMSize(var Message: TWMSize)");
  EXPECT_EQ(wm_size->Method().MethodKind, model::kProcedure);
  EXPECT_EQ(wm_size->Method().Scope, model::kScopePrivate);
  EXPECT_FALSE(wm_size->Method().Override);
  EXPECT_EQ(wm_size->Method().WinMessage, "WM_SIZE");
  EXPECT_EQ(wm_size->DefaultCode, model::DefaultCodeKind::kSizeMessage);
  for (std::string_view name : {"TBevel", "TGraphicControl", "TImage", "TShape", "TPaintBox",
                                "TSpeedButton", "TDBText", "TCustomLabel"}) {
    EXPECT_TRUE(Has(MakeStandard(name), "WMSize")) << name;
  }
  // The family as given decides, and an OnResize of the ancestor rules the method out.
  ComponentDef def;
  NewDefinitionFromParent(def, "TPanel", "TPanel", {}, kFamilyGraphicControl, "", TestSettings());
  EXPECT_FALSE(Has(def, "WMSize"));
}

TEST(NewDefinitionTest, ACanvasNeedsPaint) {
  for (std::string_view name : {"TLabel", "TCustomControl", "TStringGrid", "TPanel", "TMediaPlayer",
                                "TRadioGroup", "TOleContainer"}) {
    const ComponentDef def = MakeStandard(name);
    const ItemDef* paint = Find(def, "Paint");
    ASSERT_NE(paint, nullptr) << name;
    EXPECT_EQ(paint->Method().Scope, model::kScopeProtected);
    EXPECT_TRUE(paint->Method().Override);
    EXPECT_EQ(paint->DefaultCode, model::DefaultCodeKind::kPaint);
  }
}

TEST(NewDefinitionTest, ANonVisualComponentExecutes) {
  const ComponentDef plain = Make("tcomponent", "TComponent", "Classes");
  const ItemDef* execute = Find(plain, "Execute");
  ASSERT_NE(execute, nullptr);
  EXPECT_EQ(execute->Method().Header, "Execute : Boolean");
  EXPECT_EQ(execute->Method().MethodKind, model::kFunction);
  EXPECT_EQ(execute->Method().Scope, model::kScopePublic);
  EXPECT_FALSE(execute->Method().Override);
  EXPECT_EQ(execute->DefaultCode, model::DefaultCodeKind::kOperation);

  const ComponentDef wrapper =
      Make("TComponent", "TComponent", "Aboutbox",
           {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox", "Aboutbox", "x"});
  EXPECT_EQ(Find(wrapper, "Execute")->DefaultCode, model::DefaultCodeKind::kFormWrapper);
  // Only the parent TComponent itself: not a class standing for it.
  EXPECT_FALSE(Has(Make("TMyComponent", "TComponent", "Mine"), "Execute"));
  EXPECT_FALSE(Has(MakeStandard("TTimer"), "Execute"));
}

TEST(NewDefinitionTest, TheFormWrapperProperties) {
  const ComponentDef def =
      Make("TComponent", "TComponent", "Aboutbox",
           {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox", "Aboutbox", "x"});
  EXPECT_EQ(Names(def), (std::vector<std::string>{"Create", "Destroy", "Loaded", "Execute",
                                                  "Caption", "HelpContext", "ModalResult"}));
  const struct {
    std::string name, type, value, descr;
    bool read_only;
  } properties[] = {
      {"Caption", "String", "'A simple caption'", "Form's caption", false},
      {"HelpContext", "THelpContext", "0", "Form's help context", false},
      {"ModalResult", "TModalResult", "mrNone", "Form's return value", true},
  };
  for (const auto& p : properties) {
    const ItemDef* item = Find(def, p.name);
    ASSERT_NE(item, nullptr) << p.name;
    EXPECT_EQ(item->Property().PropType, p.type);
    EXPECT_EQ(item->Property().PropDefault, p.value);
    EXPECT_EQ(item->Descr, p.descr);
    EXPECT_EQ(item->Property().ReadOnly, p.read_only);
    EXPECT_FALSE(item->Property().Inherited);
    EXPECT_EQ(item->DefaultCode, model::DefaultCodeKind::kPropertyWriteMethod);
  }
  EXPECT_EQ(def.MainInfo.Form, (model::FormDef{model::FormModeKind::kWrapsForm, "TAboutBox",
                                               "AboutBox", "Aboutbox", "x"}));
}

TEST(NewDefinitionTest, ButtonsGetTheirInheritedProperties) {
  const struct {
    std::string_view parent;
    std::vector<std::pair<std::string, std::string>> properties;  // name, default
  } cases[] = {
      {"TButton", {{"ModalResult", "mrOK"}, {"Caption", "'Btn caption'"}}},
      {"TBitBtn", {{"ModalResult", "mrOK"}, {"Kind", "bkOK"}}},
      {"TSpeedButton", {}},
  };
  for (const auto& c : cases) {
    const ComponentDef def = MakeStandard(c.parent);
    std::vector<std::pair<std::string, std::string>> properties;
    for (const ItemDef& item : def.Items()) {
      if (item.Kind() != ItemKind::Property) continue;
      EXPECT_TRUE(item.Property().Inherited);
      EXPECT_FALSE(item.Property().ReadOnly);
      properties.emplace_back(model::ItemName(item), item.Property().PropDefault.str());
    }
    EXPECT_EQ(properties, c.properties) << c.parent;
  }
  EXPECT_EQ(Find(MakeStandard("TButton"), "Caption")->Property().PropType, "String");
  EXPECT_EQ(Find(MakeStandard("TBitBtn"), "Kind")->Property().PropType, "TBitBtnKind");
  EXPECT_EQ(Find(MakeStandard("TBitBtn"), "ModalResult")->Property().PropType, "TModalResult");
}

TEST(NewDefinitionTest, TheItemsOfEachFamily) {
  const struct {
    std::string_view parent;
    std::vector<std::string> names;
  } cases[] = {
      // Six mouse and click events, WMSize and Paint.
      {"TLabel",
       {"Create", "Destroy", "Loaded", "WMSize", "Paint", "OnClick", "OnDblClick", "OnDragDrop",
        "OnMouseDown", "OnMouseMove", "OnMouseUp"}},
      {"TPanel",
       {"Create", "Destroy", "Loaded", "Paint", "OnClick", "OnDblClick", "OnDragDrop",
        "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnKeyUp", "OnKeyDown", "OnKeyPress", "OnEnter",
        "OnExit", "OnResize"}},
      {"TDbGrid",
       {"Create", "Destroy", "Loaded", "Paint", "OnDblClick", "OnDragDrop", "OnKeyUp", "OnKeyDown",
        "OnKeyPress", "OnEnter", "OnExit", "OnDrawDataCell"}},
      {"TStringGrid",
       {"Create", "Destroy", "Loaded", "Paint", "OnClick", "OnDblClick", "OnDragDrop",
        "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnKeyUp", "OnKeyDown", "OnKeyPress", "OnEnter",
        "OnExit", "OnDrawCell"}},
      {"TEdit",
       {"Create", "Destroy", "Loaded", "OnClick", "OnDblClick", "OnDragDrop", "OnMouseDown",
        "OnMouseMove", "OnMouseUp", "OnKeyUp", "OnKeyDown", "OnKeyPress", "OnEnter", "OnExit",
        "OnChange"}},
      {"TComponent", {"Create", "Destroy", "Loaded", "Execute"}},
      {"TTimer", {"Create", "Destroy", "Loaded"}},
      {"TListView", {"Create", "Destroy", "Loaded", "OnKeyUp", "OnKeyDown", "OnKeyPress"}},
      {"TCustomUpDown", {"Create", "Destroy", "Loaded", "OnClick"}},
      {"TStatusBar", {"Create", "Destroy", "Loaded", "OnClick", "OnResize"}},
      {"TImageList", {"Create", "Destroy", "Loaded", "OnChange"}},
      {"TColorDialog", {"Create", "Destroy", "Loaded"}},
      {"TClientSocket", {"Create", "Destroy", "Loaded"}},
      {"TRadioGroup", {"Create", "Destroy", "Loaded", "Paint", "OnClick", "OnEnter", "OnExit"}},
      {"TMediaPlayer",
       {"Create", "Destroy", "Loaded", "Paint", "OnClick", "OnNotify", "OnPostClick", "OnEnter",
        "OnExit", "ColoredButtons", "EnabledButtons", "VisibleButtons", "Visible", "AutoEnable",
        "AutoOpen", "AutoRewind", "Shareable", "DeviceType", "FileName"}},
      {"TOpenDialog",
       {"Create", "Destroy", "Loaded", "DefaultExt", "FileName", "Filter", "InitialDir", "Title",
        "Options", "Execute"}},
      {"TSaveDialog",
       {"Create", "Destroy", "Loaded", "DefaultExt", "FileName", "Filter", "InitialDir", "Title",
        "Options", "Execute"}},
      {"TNewThread", {"Create", "Destroy", "Loaded", "OnTerminate", "Start", "Execute"}},
      {"TSharingThread",
       {"Create", "Destroy", "Loaded", "OnTerminate", "Start", "Execute", "SetResourceFlag"}},
      {"TResourceFlag", {"Create", "Destroy", "Loaded"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Names(MakeStandard(c.parent)), c.names) << c.parent;
  }
}

TEST(NewDefinitionTest, TheDataAwareGridOfTheExpressView) {
  const ComponentDef def = MakeStandard("TDbGrid");
  EXPECT_EQ(def.MainInfo.ParentClassName, "TDbGrid");
  EXPECT_FALSE(Has(def, "OnClick"));
  for (std::string_view event : {"OnDblClick", "OnDragDrop", "OnDrawDataCell"}) {
    const ItemDef* item = Find(def, event);
    ASSERT_NE(item, nullptr) << event;
    EXPECT_EQ(item->Kind(), ItemKind::ExistingEvent);
    EXPECT_TRUE(item->ExistingEvent().Publish);
    EXPECT_FALSE(item->ExistingEvent().Override);
  }
  EXPECT_EQ(Find(def, "OnDrawDataCell")->ExistingEvent().HandlerDecl,
            "DrawDataCell(const ARect: TRect; AField: TField; AState: TGridDrawState)");
  EXPECT_EQ(Find(def, "OnDrawDataCell")->DefaultCode, model::DefaultCodeKind::kDrawDataCell);
}

// Steps 10 to 12 are the catalogue's choice of inherited event set for the ancestor.
TEST(NewDefinitionTest, TheEventsAreTheCataloguesSetForEveryListClass) {
  for (std::string_view name : ListViewClasses()) {
    const ComponentDef def = MakeStandard(name);
    ComponentDef expected;
    AddInheritedEventSet(expected, name);
    std::vector<ItemDef> events;
    for (const ItemDef& item : def.Items()) {
      if (item.Kind() == ItemKind::ExistingEvent && model::ItemName(item) != "OnTerminate") {
        events.push_back(item);
      }
    }
    std::vector<ItemDef> expected_events;
    for (const ItemDef& item : expected.Items()) {
      if (item.Kind() == ItemKind::ExistingEvent) expected_events.push_back(item);
    }
    EXPECT_EQ(events, expected_events) << name;
  }
}

TEST(NewDefinitionTest, MediaPlayersAndRadioGroupsStopAfterTheirSets) {
  int container_imports = 0;
  NewDefinitionImports imports;
  imports.import_container = [&](ComponentDef&) { ++container_imports; };
  const model::FormDef container_form{model::FormModeKind::kImported, "TForm1", "Form1", "Unit1",
                                      "/x/unit1.dfm"};
  const model::FormDef wrapper_form{model::FormModeKind::kWrapsForm, "TForm1", "Form1", "Unit1",
                                    "/x/unit1.dfm"};
  for (std::string_view name : {"TMediaPlayer", "TRadioGroup", "TDBRadioGroup"}) {
    EXPECT_FALSE(Has(Make(name, name, "", wrapper_form), "HelpContext")) << name;
    Make(name, name, "", container_form, imports);
  }
  EXPECT_EQ(container_imports, 0);
  // Any other parent reaches the container import.
  Make("TEdit", "TEdit", "", container_form, imports);
  EXPECT_EQ(container_imports, 1);
}

TEST(NewDefinitionTest, ImportsRunInTheirPlaces) {
  std::vector<std::string> calls;
  NewDefinitionImports imports;
  imports.import_fields = [&](ComponentDef& def) {
    calls.push_back("fields after " + std::to_string(def.Count()) + " items");
    EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kImported)
        << "the form info is in place";
    ItemDef create = model::NewMethodItem("CreateFields");
    create.Code = std::vector<std::string>{"begin", "end;"};
    model::AddItem(def, std::move(create));
  };
  imports.add_business_methods = [&](ComponentDef& def) {
    EXPECT_EQ(def.MainInfo.Units->back(), "DBTables") << "the units come first";
    const bool added =
        model::AddItem(def, model::NewMethodItem("CreateFields")) == model::AddResult::Added;
    calls.push_back(added ? "business methods" : "business methods after the fields");
  };
  imports.import_container = [&](ComponentDef& def) {
    calls.push_back("container after " + std::to_string(def.Count()) + " items");
  };
  const model::FormDef form{model::FormModeKind::kImported, "TForm1", "Form1", "Unit1",
                            "/x/unit1.dfm"};

  ComponentDef def =
      Make("TRzBusinessComponent", "TRzBusinessComponent", "Rzbizcmp", form, imports);
  EXPECT_EQ(calls, (std::vector<std::string>{"fields after 3 items",
                                             "business methods after the fields"}));
  EXPECT_EQ(Find(def, "CreateFields")->Code, (std::vector<std::string>{"begin", "end;"}));

  calls.clear();
  Make("TRzBusinessComponent", "TRzBusinessComponent", "Rzbizcmp", {}, imports);
  EXPECT_EQ(calls, std::vector<std::string>{"business methods"}) << "no form, no fields";

  calls.clear();
  Make("TPanel", "TPanel", "Extctrls", form, imports);
  EXPECT_EQ(calls, std::vector<std::string>{"container after 16 items"}) << "the template first";

  calls.clear();
  Make("TPanel", "TPanel", "Extctrls", {}, imports);
  Make("TComponent", "TComponent", "",
       {model::FormModeKind::kWrapsForm, "TForm1", "Form1", "Unit1", "x"}, imports);
  EXPECT_TRUE(calls.empty());
}

TEST(NewDefinitionTest, TheBusinessComponentWithTheRealMethods) {
  store::Settings settings = TestSettings();
  ComponentDef def;
  testing::ScriptedDialogs dialogs;
  NewDefinitionFromParent(def, "TRzBusinessComponent", "TRzBusinessComponent", {}, 0, "Rzbizcmp",
                          settings, commands::FormImports(dialogs));
  EXPECT_EQ(Names(def), (std::vector<std::string>{"Create", "Destroy", "Loaded", "CreateFields",
                                                  "CalculateFields", "Validate", "FinishInsert"}));
  EXPECT_EQ(def.MainInfo.DefaultPalette, "Data Access");
}

TEST(NewDefinitionTest, ASelectionOfAWrapperAddsItsFormsUnit) {
  ParentSelection selection{.class_name = "TComponent",
                            .vcl_ancestor = "TComponent",
                            .family = 0,
                            .unit = "",
                            .form = {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox",
                                     "Aboutbox", "/f/aboutbox.dfm"}};
  ComponentDef def;
  NewDefinitionFromSelection(def, selection, TestSettings());
  EXPECT_EQ(Units(def), WithDefaultUnits({"Aboutbox"}));
  EXPECT_EQ(def.MainInfo.Form, selection.form);
  EXPECT_TRUE(Has(def, "Caption"));
}

// ---------------------------------------------------------------------------------------
// File > New.

using commands::Answer;
using commands::BoxKind;
using testing::FailingWrites;
using testing::ScriptedDialogs;
using testing::TempDir;

class NewCommandTest : public ::testing::Test {
 protected:
  NewCommandTest() { settings_ = TestSettings(); }
  std::filesystem::path OpenModified() {
    ComponentDef def = MakeStandard("TMemo");
    def.MainInfo.UnitName = "Old";
    const auto file = dir_.Write("old.cd", store::WriteDefinition(def, "old.cd"));
    EXPECT_TRUE(session_.Load(file));
    session_.MarkModified();
    return file;
  }

  TempDir dir_;
  store::Settings settings_;
  ScriptedDialogs dialogs_;
  CustomClassRegistry registry_{dir_ / "Kestrix.ini"};
  commands::ParentSelector selector_{dialogs_, registry_};
  commands::Session session_{settings_, dialogs_};
};

TEST_F(NewCommandTest, WithoutADefinitionNothingIsAsked) {
  dialogs_.ExpectSelectParent(ParentChoice{.view = ParentView::kExpress, .express_item = 1});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_TRUE(session_.definition_open());
  EXPECT_TRUE(session_.modified()) << "a new definition is unsaved";
  EXPECT_EQ(session_.Title(), "Component Definition - (Untitled)");
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TEdit");
  EXPECT_EQ(session_.def().MainInfo.TargetDir, "/target/");
  EXPECT_EQ(session_.def().MainInfo.CopyrightLine, settings_.copyright);
}

TEST_F(NewCommandTest, CancelledSelectionKeepsTheOpenDefinition) {
  const auto file = OpenModified();
  const ComponentDef before = session_.def();
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kNo,
                 "New Component", commands::Buttons::kYesNoCancel)
      .ExpectSelectParent(std::nullopt);
  EXPECT_FALSE(session_.New(selector_));
  EXPECT_EQ(session_.def(), before);
  EXPECT_TRUE(session_.modified());
  EXPECT_EQ(session_.file(), file);
}

TEST_F(NewCommandTest, CancelInTheSaveQuestionEndsIt) {
  const auto file = OpenModified();
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kCancel);
  EXPECT_FALSE(session_.New(selector_));
  EXPECT_EQ(session_.def().MainInfo.UnitName, "Old");
  EXPECT_TRUE(dialogs_.parent_requests().empty());
}

TEST_F(NewCommandTest, AFailedSaveStopsIt) {
  const auto file = OpenModified();
  const FailingWrites failing;
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kYes)
      .ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
      .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
  EXPECT_FALSE(session_.New(selector_));
  EXPECT_EQ(session_.def().MainInfo.UnitName, "Old");
  EXPECT_TRUE(session_.modified());
  EXPECT_TRUE(dialogs_.parent_requests().empty());
}

TEST_F(NewCommandTest, YesSavesFirstAndTheNewDefinitionHasNoFile) {
  const auto file = OpenModified();
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kYes)
      .ExpectSelectParent(ParentChoice{.view = ParentView::kList, .list_text = "tlabel"});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_NE(TempDir::Read(file).find("Old"), std::string::npos);
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TLabel");
  EXPECT_TRUE(session_.file().empty());
  EXPECT_EQ(session_.def().MainInfo.FileName, "");
  const std::string saved_before = TempDir::Read(file);
  // Saving asks for a name instead of overwriting the previous definition's file.
  dialogs_.ExpectSaveFile(std::nullopt);
  EXPECT_FALSE(session_.Save());
  EXPECT_EQ(dialogs_.file_requests().back().file_name, "myunit.cd");
  EXPECT_EQ(TempDir::Read(file), saved_before);
}

TEST_F(NewCommandTest, AnUnchangedDefinitionIsReplacedWithoutAsking) {
  OpenModified();
  ASSERT_TRUE(session_.Save());
  dialogs_.ExpectSelectParent(ParentChoice{.view = ParentView::kExpress, .express_item = 7});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TMemo");
  EXPECT_EQ(session_.def().MainInfo.UnitName, "MyUnit");
}

TEST_F(NewCommandTest, AContainerImportedFromAForm) {
  const auto form = dir_.Write("entry.dfm",
                               "object EntryForm: TEntryForm\r\n"
                               "  object Panel1: TPanel\r\n"
                               "    Height = 120\r\n"
                               "    Width = 300\r\n"
                               "    object Label1: TLabel\r\n"
                               "      Caption = 'Name'\r\n"
                               "    end\r\n"
                               "  end\r\n"
                               "end\r\n");
  dialogs_
      .ExpectSelectParent(
          ParentChoice{.view = ParentView::kExpress, .express_item = kExpressContainerItem})
      .ExpectBox(BoxKind::kConfirmation, std::string(commands::kContainerQuestion), Answer::kYes)
      .ExpectOpenFile(form);
  ASSERT_TRUE(session_.New(selector_));
  const ComponentDef& def = session_.def();
  EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kImported);
  EXPECT_EQ(def.MainInfo.Form.FormName, "EntryForm");
  ASSERT_TRUE(Has(def, "Height"));
  EXPECT_EQ(Find(def, "Height")->Property().PropDefault, "120");
  EXPECT_EQ(Find(def, "Width")->Property().PropDefault, "300");
  ASSERT_TRUE(Has(def, "Label1"));
  EXPECT_EQ(Find(def, "Label1")->Variable().DataType, "TLabel");
}

// ---------------------------------------------------------------------------------------
// kestrix-cli new.

class CliNewTest : public ::testing::Test {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", settings_file_.string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  ComponentDef Read(const std::filesystem::path& file) {
    ComponentDef def;
    ScriptedDialogs dialogs;
    EXPECT_TRUE(commands::ReadDefinitionFile(def, file, dialogs, ""));
    return def;
  }

  TempDir dir_;
  std::filesystem::path settings_file_ = dir_ / "Kestrix.ini";
};

TEST_F(CliNewTest, AStandardParent) {
  const auto out = dir_ / "MyEdit.cd";
  const Result r = Run({"new", "--parent", "tedit", "-o", out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  EXPECT_EQ(r.out, out.string() + "\n");
  const ComponentDef def = Read(out);
  EXPECT_EQ(def.MainInfo.ParentClassName, "TEdit");
  EXPECT_EQ(Names(def), Names(MakeStandard("TEdit")));
}

TEST_F(CliNewTest, AContainerWithoutAFormIsAskedAndAnsweredNo) {
  const auto out = dir_ / "panel.cd";
  const Result r = Run({"--yes", "new", "--parent", "TPanel", "-o", out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.err;
  EXPECT_NE(r.err.find("kestrix-cli: Import the container layout from a container in a form "
                       "(.DFM) file? -> No"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(Read(out).MainInfo.Form.FormMode, model::FormModeKind::kOrdinaryComponent);
}

TEST_F(CliNewTest, AnUnknownClassNeedsARegistration) {
  const auto out = dir_ / "x.cd";
  for (const auto& answer : {"--no", "--yes"}) {
    Result r = Run({answer, "new", "--parent", "tmygrid", "-o", out.string()});
    EXPECT_EQ(r.status, cli::kExitFailed);
    EXPECT_EQ(r.err.rfind("kestrix-cli: TMygrid is not in Kestrix's list", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("-> Cancel\nkestrix-cli: new: stopped by the answer Cancel; --ancestor "
                         "CLASS --unit UNIT registers tmygrid in the settings\n"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }

  // A registration the dialog refuses says why; one it accepts is kept in the settings.
  Result r = Run({"new", "--parent", "TMyGrid", "--ancestor", "TNoSuch", "--unit", "MyGrids", "-o",
                  out.string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_FALSE(std::filesystem::exists(out));
  r = Run({"new", "--parent", "TMyGrid", "--ancestor", "TStringGrid", "--unit", "MyGrids", "-o",
           out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.err;
  EXPECT_EQ(Read(out).MainInfo.VCLAncestorName, "TStringGrid");
  EXPECT_NE(TempDir::Read(settings_file_)
                .find("[Class.TMyGrid]\r\nAncestor=TStringGrid\r\n"
                      "Unit=MyGrids\r\n"),
            std::string::npos);

  dir_.Write("Kestrix.ini", "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n");
  r = Run({"new", "--parent", "TMyGrid", "-o", out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  const ComponentDef def = Read(out);
  EXPECT_EQ(def.MainInfo.VCLAncestorName, "TStringGrid");
  EXPECT_EQ(Units(def), WithDefaultUnits({"MyGrids", "Grids"}));
}

TEST_F(CliNewTest, FormsFromTheFlags) {
  const auto form = dir_.Write("about.dfm", "object AboutBox: TAboutBox\r\nend\r\n");
  const auto out = dir_ / "wrapper.cd";
  Result r = Run({"new", "--wrap", form.string(), "-o", out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  ComponentDef def = Read(out);
  EXPECT_EQ(def.MainInfo.ParentClassName, "TComponent");
  EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kWrapsForm);
  EXPECT_EQ(def.MainInfo.Form.FormFile, form.string());

  // A form the parent does not ask for is a mistake of the command line.
  r = Run({"new", "--parent", "TEdit", "--container", form.string(), "-o", out.string()});
  EXPECT_EQ(r.status, cli::kExitUsage);
  EXPECT_NE(r.err.find("TEdit asks for no form file"), std::string::npos) << r.err;
}

TEST_F(CliNewTest, TheContainerOfPanel) {
  const auto form = dir_.Write("two.dfm",
                               "object TwoForm: TTwoForm\r\n"
                               "  object Top: TPanel\r\n"
                               "    Height = 10\r\n"
                               "  end\r\n"
                               "  object Bottom: TGroupBox\r\n"
                               "    Height = 20\r\n"
                               "    object Note: TLabel\r\n"
                               "    end\r\n"
                               "  end\r\n"
                               "end\r\n");
  const auto out = dir_ / "box.cd";
  Result r = Run({"new", "--parent", "TGroupBox", "--container", form.string(), "--panel", "bottom",
                  "-o", out.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  const ComponentDef def = Read(out);
  EXPECT_EQ(def.MainInfo.Form.FormMode, model::FormModeKind::kImported);
  EXPECT_TRUE(Has(def, "Note"));
  EXPECT_EQ(Find(def, "Height")->Property().PropDefault, "20");

  r = Run({"new", "--parent", "TGroupBox", "--container", form.string(), "--panel", "Middle", "-o",
           out.string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_NE(r.err.find("the form has no container Middle (its containers: Bottom Top)"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace kx::catalog
