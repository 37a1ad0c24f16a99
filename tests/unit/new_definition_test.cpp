// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/new_definition.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "catalog/class_catalog.h"
#include "cli/cli.h"
#include "commands/parent_selection_flow.h"
#include "commands/session.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::catalog {
namespace {

using model::ComponentDef;
using model::ItemDef;
using model::ItemKind;
using ::testing::HasSubstr;

store::Settings TestSettings() {
  store::Settings settings;
  settings.pascal_code_dir = "/target/";
  settings.pascal_code_dir_chosen = true;
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

TEST(NewDefinitionTest, TheMethods) {
  using DC = model::DefaultCodeKind;
  const ComponentDef edit = MakeStandard("TEdit");
  const ComponentDef label = MakeStandard("TLabel");
  const struct {
    ComponentDef def;
    std::string_view name, header;
    std::uint8_t kind, scope;
    bool override_method;
    std::string_view message;
    DC default_code;
  } cases[] = {
      {edit, "Create", "Create(AOwner: TComponent)", model::kConstructor, model::kScopePublic, true,
       "", DC::kConstructor},
      {edit, "Destroy", "Destroy", model::kDestructor, model::kScopePublic, true, "",
       DC::kDestructor},
      {edit, "Loaded", "Loaded", model::kProcedure, model::kScopeProtected, true, "", DC::kLoaded},
      // A graphic control without OnResize handles the message itself.
      {label, "WMSize", "WMSize(var Message: TWMSize)", model::kProcedure, model::kScopePrivate,
       false, "WM_SIZE", DC::kSizeMessage},
      {label, "Paint", "Paint", model::kProcedure, model::kScopeProtected, true, "", DC::kPaint},
      {Make("tcomponent", "TComponent", "Classes"), "Execute", "Execute : Boolean",
       model::kFunction, model::kScopePublic, false, "", DC::kOperation},
      {Make("TComponent", "TComponent", "Aboutbox",
            {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox", "Aboutbox", "x"}),
       "Execute", "Execute : Boolean", model::kFunction, model::kScopePublic, false, "",
       DC::kFormWrapper},
      {Make("TMyPanel", "TPanel", "Mine"), "Create", "Create(AOwner: TComponent)",
       model::kConstructor, model::kScopePublic, true, "", DC::kContainerConstructor},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.def.MainInfo.ParentClassName + "." + std::string(c.name));
    const ItemDef* item = Find(c.def, c.name);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->Kind(), ItemKind::Method);
    EXPECT_EQ(item->Method().Header, c.header);
    EXPECT_EQ(item->Method().MethodKind, c.kind);
    EXPECT_EQ(item->Method().Scope, c.scope);
    EXPECT_EQ(item->Method().Override, c.override_method);
    EXPECT_EQ(item->Method().Mode, model::MethodMode::kCannotBeOverridden);
    EXPECT_EQ(item->Method().WinMessage, c.message);
    EXPECT_EQ(item->DefaultCode, c.default_code);
    EXPECT_EQ(item->Code, std::nullopt);
  }
}

TEST(NewDefinitionTest, WhichAncestorsGetWhichMethods) {
  for (std::string_view name :
       {"TPanel", "TCustomPanel", "TGroupBox", "TCustomGroupBox", "TScrollBox"}) {
    EXPECT_EQ(MakeStandard(name).Item(1).DefaultCode, model::DefaultCodeKind::kContainerConstructor)
        << name;
  }
  for (std::string_view name : {"TBevel", "TGraphicControl", "TImage", "TShape", "TPaintBox",
                                "TSpeedButton", "TDBText", "TCustomLabel"}) {
    EXPECT_TRUE(Has(MakeStandard(name), "WMSize")) << name;
  }
  for (std::string_view name : {"TCustomControl", "TStringGrid", "TOleContainer"}) {
    EXPECT_TRUE(Has(MakeStandard(name), "Paint")) << name;
  }
  // The family as given decides, and an OnResize of the ancestor rules WMSize out.
  ComponentDef def;
  NewDefinitionFromParent(def, "TPanel", "TPanel", {}, kFamilyGraphicControl, "", TestSettings());
  EXPECT_FALSE(Has(def, "WMSize"));
  // Only the parent TComponent itself executes: not a class standing for it.
  EXPECT_FALSE(Has(Make("TMyComponent", "TComponent", "Mine"), "Execute"));
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
}

TEST(NewDefinitionTest, ButtonsGetTheirInheritedProperties) {
  const struct {
    std::string_view parent;
    std::vector<std::string> properties;  // name: type = default
  } cases[] = {
      {"TButton", {"ModalResult: TModalResult = mrOK", "Caption: String = 'Btn caption'"}},
      {"TBitBtn", {"ModalResult: TModalResult = mrOK", "Kind: TBitBtnKind = bkOK"}},
      {"TSpeedButton", {}},
  };
  for (const auto& c : cases) {
    const ComponentDef def = MakeStandard(c.parent);
    std::vector<std::string> properties;
    for (const ItemDef& item : def.Items()) {
      if (item.Kind() != ItemKind::Property) continue;
      EXPECT_TRUE(item.Property().Inherited);
      EXPECT_FALSE(item.Property().ReadOnly);
      properties.push_back(model::ItemName(item) + ": " + item.Property().PropType.str() + " = " +
                           item.Property().PropDefault.str());
    }
    EXPECT_EQ(properties, c.properties) << c.parent;
  }
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
      {"TEdit",
       {"Create", "Destroy", "Loaded", "OnClick", "OnDblClick", "OnDragDrop", "OnMouseDown",
        "OnMouseMove", "OnMouseUp", "OnKeyUp", "OnKeyDown", "OnKeyPress", "OnEnter", "OnExit",
        "OnChange"}},
      {"TComponent", {"Create", "Destroy", "Loaded", "Execute"}},
      {"TTimer", {"Create", "Destroy", "Loaded"}},
      {"TColorDialog", {"Create", "Destroy", "Loaded"}},
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
  const model::FormDef wrapper{model::FormModeKind::kWrapsForm, "TForm1", "Form1", "Unit1", "x"};
  Make("TPanel", "TPanel", "Extctrls", {}, imports);
  Make("TComponent", "TComponent", "", wrapper, imports);
  // Media players and radio groups stop after their sets: no container, no wrapper properties.
  for (std::string_view name : {"TMediaPlayer", "TRadioGroup", "TDBRadioGroup"}) {
    Make(name, name, "", form, imports);
    EXPECT_FALSE(Has(Make(name, name, "", wrapper), "HelpContext")) << name;
  }
  EXPECT_TRUE(calls.empty());
}

TEST(NewDefinitionTest, TheBusinessComponentWithTheRealMethods) {
  ComponentDef def;
  testing::ScriptedDialogs dialogs;
  NewDefinitionFromParent(def, "TRzBusinessComponent", "TRzBusinessComponent", {}, 0, "Rzbizcmp",
                          TestSettings(), commands::FormImports(dialogs));
  EXPECT_EQ(Names(def), (std::vector<std::string>{"Create", "Destroy", "Loaded", "CreateFields",
                                                  "CalculateFields", "Validate", "FinishInsert"}));
  EXPECT_EQ(def.MainInfo.DefaultPalette, "Data Access");
}

TEST(NewDefinitionTest, ASelectionOfAWrapperAddsItsFormsUnit) {
  const ParentSelection selection{
      "TComponent",
      "TComponent",
      0,
      "",
      true,
      {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox", "Aboutbox", "/f/aboutbox.dfm"}};
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

TEST_F(NewCommandTest, WithoutUnsavedChangesNothingIsAsked) {
  dialogs_.ExpectSelectParent(ParentChoice{.view = ParentView::kExpress, .express_item = 1});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_TRUE(session_.definition_open());
  EXPECT_TRUE(session_.modified()) << "a new definition is unsaved";
  EXPECT_EQ(session_.Title(), "Component Definition - (Untitled)");
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TEdit");
  EXPECT_EQ(session_.def().MainInfo.TargetDir, "/target/");
  EXPECT_EQ(session_.def().MainInfo.CopyrightLine, settings_.copyright);
  // A default folder the user never chose is no target directory: generation then writes
  // beside the definition's file once it has one.
  settings_.pascal_code_dir_chosen = false;
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kNo)
      .ExpectSelectParent(ParentChoice{.view = ParentView::kExpress, .express_item = 1});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_EQ(session_.def().MainInfo.TargetDir, "");

  // Nor for an unchanged definition.
  OpenModified();
  ASSERT_TRUE(session_.Save());
  dialogs_.ExpectSelectParent(ParentChoice{.view = ParentView::kExpress, .express_item = 7});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TMemo");
  EXPECT_EQ(session_.def().MainInfo.UnitName, "MyUnit");
}

// Cancel in the save question, a failed save or a cancelled selection keep what is open.
TEST_F(NewCommandTest, TheOpenDefinitionStaysUnlessAParentIsChosen) {
  const auto file = OpenModified();
  const ComponentDef before = session_.def();
  const std::string question = "Save " + file.string() + "?";
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel, "New Component",
                     commands::Buttons::kYesNoCancel);
  EXPECT_FALSE(session_.New(selector_));
  {
    const FailingWrites failing;
    dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string())
        .ExpectBox(BoxKind::kInformation, "Could not open " + file.string() + "\r for writing.");
    EXPECT_FALSE(session_.New(selector_));
  }
  EXPECT_TRUE(dialogs_.parent_requests().empty());
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo)
      .ExpectSelectParent(std::nullopt);
  EXPECT_FALSE(session_.New(selector_));
  EXPECT_EQ(session_.def(), before);
  EXPECT_TRUE(session_.modified());
  EXPECT_EQ(session_.file(), file);
}

TEST_F(NewCommandTest, YesSavesFirstAndTheNewDefinitionHasNoFile) {
  const auto file = OpenModified();
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kYes)
      .ExpectSelectParent(ParentChoice{.view = ParentView::kList, .list_text = "tlabel"});
  ASSERT_TRUE(session_.New(selector_));
  EXPECT_THAT(TempDir::Read(file), HasSubstr("Old"));
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

TEST_F(NewCommandTest, AContainerImportedFromAForm) {
  const auto form = dir_.Write("entry.dfm",
                               "object EntryForm: TEntryForm\r\n"
                               "  object Panel1: TPanel\r\n"
                               "    Height = 120\r\n"
                               "    object Label1: TLabel\r\n"
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
  ASSERT_TRUE(Has(def, "Height") && Has(def, "Label1"));
  EXPECT_EQ(Find(def, "Height")->Property().PropDefault, "120");
  EXPECT_EQ(Find(def, "Label1")->Variable().DataType, "TLabel");
  EXPECT_EQ(Units(def), WithDefaultUnits({"Extctrls", "Stdctrls"})) << "not the form's own unit";
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
  EXPECT_THAT(r.err, HasSubstr("kestrix-cli: Import the container layout from a container in a "
                               "form (.DFM) file? -> No"));
  EXPECT_EQ(Read(out).MainInfo.Form.FormMode, model::FormModeKind::kOrdinaryComponent);
}

TEST_F(CliNewTest, AnUnknownClassNeedsARegistration) {
  const auto out = dir_ / "x.cd";
  for (const auto& answer : {"--no", "--yes"}) {
    Result r = Run({answer, "new", "--parent", "tmygrid", "-o", out.string()});
    EXPECT_EQ(r.status, cli::kExitFailed);
    EXPECT_THAT(r.err, ::testing::StartsWith("kestrix-cli: TMygrid is not in Kestrix's list"));
    EXPECT_THAT(r.err,
                HasSubstr("-> Cancel\nkestrix-cli: new: stopped by the answer Cancel; "
                          "--ancestor CLASS --unit UNIT registers tmygrid in the settings\n"));
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
  EXPECT_THAT(TempDir::Read(settings_file_),
              HasSubstr("[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n"));
  // Once registered, the class needs no flags.
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
  EXPECT_THAT(r.err, HasSubstr("TEdit asks for no form file"));
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
  EXPECT_THAT(r.err, HasSubstr("the form has no container Middle (its containers: Bottom Top)"));
}

}  // namespace
}  // namespace kx::catalog
