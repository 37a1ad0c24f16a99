// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/main_window_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "catalog/custom_class_registry.h"
#include "cli/cli.h"
#include "commands/parent_selection_flow.h"
#include "generate/extras/documentation.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using model::ItemKind;
using namespace std::string_literals;

class MainWindowModelTest : public ::testing::Test {
 protected:
  MainWindowModelTest() {
    settings_.file = dir_ / "Kestrix.ini";
    settings_.definitions_dir = dir_.path().string() + "/";
    settings_.pascal_code_dir = dir_.path().string() + "/";
    settings_.codeview = store::kCodeviewNever;
  }

  // Opens a definition of a TWinControl descendant holding the given items.
  void Open(std::vector<model::ItemDef> items = {}, std::string_view parent = "TWinControl") {
    model::ComponentDef def;
    model::ClearDefinition(def, settings_.pascal_code_dir);
    def.MainInfo.UnitName = "Comp";
    def.MainInfo.NewClassName = "TComp";
    def.MainInfo.ParentClassName = parent;
    def.MainInfo.VCLAncestorName = parent;
    def.MainInfo.DefaultPalette = "Samples";
    model::ResetUnits(def.MainInfo.Units);
    for (auto& item : items) model::AddItem(def, std::move(item));
    file_ = dir_.Write("comp.cd", store::WriteDefinition(def, "comp.cd"));
    window_.Start(file_);
    ASSERT_TRUE(window_.definition_open());
  }

  // Adds through the Add button of the page, answering the name prompt; what follows the
  // prompt is expected by after.
  void Add(Page page, std::string caption, NamePromptAnswer answer,
           const std::function<void()>& after = {}) {
    window_.PageChange(page);
    dialogs_.ExpectNamePrompt(std::move(caption), std::move(answer));
    if (after) after();
    window_.AddBtnClick();
  }

  const model::ItemDef& Last() { return def().Item(def().Count()); }
  model::ComponentDef& def() { return session_.def(); }
  std::vector<std::string> Units() {
    return def().MainInfo.Units.value_or(std::vector<std::string>{});
  }
  std::size_t Listed(std::string_view unit) {
    const auto units = Units();
    return std::count_if(units.begin(), units.end(),
                         [&](const std::string& u) { return model::SameText(u, unit); });
  }

  TempDir dir_;
  std::filesystem::path file_;
  store::Settings settings_;
  ScriptedDialogs dialogs_;
  Session session_{settings_, dialogs_};
  catalog::CustomClassRegistry registry_{dir_ / "Kestrix.ini"};
  ParentSelector selector_{dialogs_, registry_};
  platform::FixedClock clock_{{2026, 1, 2, 3, 4, 5}};
  MainWindowModel window_{session_, dialogs_, settings_, selector_, {"Samples", "Standard"},
                          clock_};
};

model::ItemDef Property(std::string_view name, std::string_view type) {
  model::ItemDef item = model::NewPropertyItem(name);
  item.Property().PropType = type;
  return item;
}

model::ItemDef Variable(std::string_view name, std::string_view type) {
  model::ItemDef item = model::NewVariableItem(name);
  item.Variable().DataType = type;
  return item;
}

// The printed interface is the CLI's, for either target: both prepare the definition as
// generation does. Only the date line, taken from different clocks, may differ.
TEST_F(MainWindowModelTest, PrintInterfaceIsTheCommandLinesInterface) {
  const auto without_date = [](std::string text) {
    const std::size_t at = text.find("{   on ");
    if (at != std::string::npos) text.erase(at, text.find('\n', at) - at);
    while (text.starts_with('\n')) text.erase(0, 1);
    while (text.ends_with('\n')) text.pop_back();
    return text;
  };
  for (const model::CodeTarget target :
       {model::CodeTarget::kDelphi, model::CodeTarget::kLazarus, model::CodeTarget::kDelphiXe}) {
    settings_.target = target;
    model::ItemDef event = model::NewEventItem("OnBlink");
    event.NewEvent().Arglist = "Sender:TObject;  Count:Integer";
    Open({Property("Zeta", "Integer"), std::move(event), Property("Alpha", "String")});
    std::string job_title;
    const std::string printed = window_.PrintInterface(job_title);
    EXPECT_EQ(job_title, "Kestrix - TComp");
    EXPECT_EQ(model::ItemName(def().Item(1)), "Alpha");
    EXPECT_EQ(def().Item(2).NewEvent().Arglist.str(),
              model::NormalizeArglist("Sender:TObject;  Count:Integer"));

    std::ostringstream out;
    std::ostringstream err;
    const std::string target_name = model::LowerCase(model::CodeTargetName(target));
    ASSERT_EQ(cli::Run({"--settings", settings_.file.string(), "interface", "--raw", "--target",
                        target_name, file_.string()},
                       out, err, cli::TerminalEncoding::kUtf8),
              0)
        << err.str();
    EXPECT_EQ(without_date(printed), without_date(out.str())) << target_name;
    EXPECT_EQ(printed.find("VCL component") == std::string::npos,
              target == model::CodeTarget::kLazarus);
  }
}

TEST_F(MainWindowModelTest, StatesAndTitle) {
  window_.Start(std::nullopt);
  EXPECT_EQ(window_.Title(), "Component Definition - (None)");
  for (MenuItem item : {MenuItem::kSave, MenuItem::kSaveAs, MenuItem::kPrintInterface,
                        MenuItem::kAddDataLink, MenuItem::kPageEvents, MenuItem::kGenerateCode,
                        MenuItem::kGenerateDocumentation, MenuItem::kGenerateLazarusPackage}) {
    EXPECT_FALSE(window_.MenuEnabled(item));
  }
  EXPECT_TRUE(window_.MenuEnabled(MenuItem::kOpen));
  EXPECT_FALSE(window_.buttons().code);
  Open();
  EXPECT_EQ(window_.Title(), "Component Definition - " + file_.string());
  EXPECT_TRUE(window_.MenuEnabled(MenuItem::kSave));
  EXPECT_FALSE(session_.modified());
  EXPECT_EQ(window_.main().state().new_class_name.text, "TComp");
  // The Main page: Code is the default button; an item page without a selection: only Add.
  EXPECT_TRUE(window_.buttons().code_is_default);
  EXPECT_FALSE(window_.buttons().add);
  window_.PageChange(Page::kProperties);
  EXPECT_EQ(window_.help_context(), 101);
  EXPECT_TRUE(window_.buttons().add);
  EXPECT_FALSE(window_.buttons().del || window_.buttons().code ||
               window_.buttons().code_is_default);
}

TEST_F(MainWindowModelTest, UpdatingSuppressesChangesAndClickingDoesNotModify) {
  Open({Property("Caption", "String"), Property("Count", "Integer")});
  window_.PageChange(Page::kProperties);
  ASSERT_EQ(window_.properties().list().entries,
            (std::vector<std::string>{"Caption : String", "Count : Integer"}));
  window_.ListClick(1);
  EXPECT_FALSE(session_.modified());
  EXPECT_EQ(window_.properties().state().name.text, "Count");
  {
    MainWindowModel::UpdateScope updating(window_);
    window_.properties().PropNameChange("Other", 5);
    window_.properties().InheritedClick(true);
    window_.main().DescriptionChange("changed");
  }
  EXPECT_EQ(def().Item(2).Property().Name, "Count");
  EXPECT_FALSE(def().Item(2).Property().Inherited);
  EXPECT_FALSE(session_.modified());
  EXPECT_EQ(window_.properties().PropNameChange("count 2", 7).text, "Count2");
  EXPECT_EQ(def().Item(2).Property().Name, "Count2");
  EXPECT_EQ(window_.properties().state().variable_name, "FCount2");
  EXPECT_TRUE(session_.modified());
}

TEST_F(MainWindowModelTest, EntryThatMatchesNoItemIsAnInternalError) {
  Open({Property("Caption", "String")});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);
  // The entry is refreshed only when the field is left.
  window_.properties().PropNameChange("Title", 5);
  dialogs_.ExpectBox(BoxKind::kError,
                     "Item \"Caption : String\" could not be found after listbox click on tab 1");
  window_.ListClick(0);
  EXPECT_EQ(window_.properties().list().selected, 0);
  EXPECT_EQ(window_.properties().state().name.text, "Title");
}

TEST_F(MainWindowModelTest, AddVariableByType) {
  struct Case {
    std::string type;
    bool object, subcomponent;
    std::uint8_t scope;
    std::string unit;  // the unit the type brings, empty for none
  };
  for (const Case& c :
       std::vector<Case>{{"TStringList", true, false, model::kScopePrivate, "Classes"},
                         {"TIniFile", true, false, model::kScopePrivate, "IniFiles"},
                         {"TTimer", true, true, model::kScopePrivate, "ExtCtrls"},
                         {"Integer", false, false, model::kScopeProtected, ""}}) {
    SCOPED_TRACE(c.type);
    Open();
    const std::size_t units_before = Units().size();
    Add(Page::kVariables, "Add variable", {"FValue", c.type});
    const model::VariablePart& v = Last().Variable();
    EXPECT_EQ(v.DataType, c.type);
    EXPECT_EQ(v.IsObject, c.object);
    EXPECT_EQ(v.IsSubComponent, c.subcomponent);
    EXPECT_EQ(v.Scope, c.scope);
    EXPECT_EQ(Listed(c.unit), c.unit.empty() ? 0u : 1u);
    EXPECT_LE(Units().size(), units_before + 1);
    EXPECT_EQ(window_.variables().list().entries.back(), "FValue : " + c.type);
    EXPECT_EQ(window_.variables().list().selected, 0);
    EXPECT_TRUE(session_.modified());
  }
}

TEST_F(MainWindowModelTest, AddPropertyOfObjectTypes) {
  struct Case {
    std::string type;
    model::PropSpecialType special;
    bool write_method, read_only;
    std::string unit;
  };
  using enum model::PropSpecialType;
  for (const Case& c :
       std::vector<Case>{{"TFont", psObjectAutoCreate, true, false, "Graphics"},
                         {"TEdit", psLinkComponent, false, false, "Stdctrls"},
                         {"TStringField", psObjectManualCreate, false, true, "DBTables"},
                         {"Integer", psNone, false, false, ""}}) {
    SCOPED_TRACE(c.type);
    Open();
    Add(Page::kProperties, "Add property", {"Value", c.type});
    const model::PropertyPart& p = Last().Property();
    EXPECT_EQ(p.Special, c.special);
    EXPECT_EQ(p.UseWriteMethod, c.write_method);
    EXPECT_EQ(p.ReadOnly, c.read_only);
    EXPECT_EQ(Listed(c.unit), c.unit.empty() ? 0u : 1u);
  }
}

TEST_F(MainWindowModelTest, EmptyPromptEntriesKeepThePromptOpen) {
  Open();
  window_.PageChange(Page::kEvents);
  dialogs_.ExpectNamePrompt("Add inherited event", NamePromptAnswer{"On"})
      .ExpectBox(BoxKind::kInformation, "You have not entered a name.")
      .ExpectNamePrompt("Add inherited event", NamePromptAnswer{"OnClick"});
  window_.AddBtnClick();
  const model::ExistingEventPart& e = Last().ExistingEvent();
  EXPECT_EQ(e.Name, "OnClick");
  EXPECT_FALSE(e.HandlerDecl.empty());
  EXPECT_TRUE(e.Override && e.Publish);
  EXPECT_EQ(dialogs_.name_requests().at(1).name, "On");

  window_.PageChange(Page::kProperties);
  dialogs_.ExpectNamePrompt("Add property", NamePromptAnswer{"Size", " "})
      .ExpectBox(BoxKind::kInformation, "You have not entered a data type.")
      .ExpectNamePrompt("Add property", std::nullopt);
  window_.AddBtnClick();
  EXPECT_EQ(def().Count(), 1);
}

TEST_F(MainWindowModelTest, AddRefusesNamesTakenInEitherDirection) {
  struct Case {
    model::ItemDef existing;
    Page page;  // events are added as new events
    NamePromptAnswer answer;
    std::string message;
  };
  const Case cases[] = {
      {model::NewMethodItem("Flash"), Page::kEvents, NamePromptAnswer{"OnFlash"},
       "OnFlash needs the name Flash, but Flash is already in the component definition."},
      {Property("Count", "Integer"), Page::kEvents, NamePromptAnswer{"OnCount"},
       "OnCount needs the name Count, but Count is already in the component definition."},
      {Variable("FCount", "Integer"), Page::kProperties, NamePromptAnswer{"Count", "Integer"},
       "Count needs the name FCount, but FCount is already in the component definition."},
      {model::NewEventItem("OnCount"), Page::kProperties, NamePromptAnswer{"Count", "Integer"},
       "Count is the name of the event handler for event OnCount."},
      {Property("Count", "Integer"), Page::kMethods, NamePromptAnswer{"GetCount : Integer", "", 1},
       "GetCount is reserved for the read method for property Count."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Open({c.existing});
    window_.PageChange(Page::kEvents);
    window_.events().EventsModeClick(EventsMode::kNew);
    const model::ComponentDef before = def();
    const std::string caption = c.page == Page::kEvents    ? "Add new event"
                                : c.page == Page::kMethods ? "Add method"
                                                           : "Add property";
    Add(c.page, caption, c.answer,
        [&] { dialogs_.ExpectBox(BoxKind::kInformation, c.message, Answer::kOk, "Add"); });
    EXPECT_EQ(def(), before);
    EXPECT_FALSE(session_.modified());
  }
}

TEST_F(MainWindowModelTest, FullDefinitionRefusesAddUnchanged) {
  std::vector<model::ItemDef> items;
  for (int i = 0; i < model::kMaxItems; ++i)
    items.push_back(Variable("V" + std::to_string(i), "Integer"));
  Open(std::move(items));
  EXPECT_EQ(window_.variables().list().entries.back(), "V229 : Integer");
  const model::ComponentDef before = def();
  Add(Page::kProperties, "Add property", {"Font", "TFont"},
      [&] { dialogs_.ExpectBox(BoxKind::kError, std::string(model::kStorageFullMessage)); });
  EXPECT_EQ(def(), before);
  EXPECT_FALSE(session_.modified());
}

TEST_F(MainWindowModelTest, DataLinkRoom) {
  std::vector<model::ItemDef> items;
  for (int i = 0; i < model::kMaxItems - 5; ++i)
    items.push_back(Variable("V" + std::to_string(i), "Integer"));
  Open(std::move(items));
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Should the new data link be a read-write data link?",
                 Answer::kYes, "Add data link", Buttons::kYesNoCancel)
      .ExpectBox(BoxKind::kInformation,
                 "There is not enough room left in the component definition to add the data link.",
                 Answer::kOk, "Add data link");
  window_.AddDataLinkClick();
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Should the new data link be a read-write data link?",
                 Answer::kNo)
      .ExpectDataLink("Add read-only data link",
                      {"DataSource", "DataField", "FDataLink", "DataChange"},
                      DataLinkNames{"DataSource", "DataField", "FDataLink", "DataChange"})
      .ExpectBox(BoxKind::kInformation,
                 "Data link added.  You can add code in the DataChange method to respond to "
                 "data changes.");
  window_.AddDataLinkClick();
  EXPECT_EQ(def().Count(), model::kMaxItems - 1);
  EXPECT_TRUE(session_.modified());
  EXPECT_EQ(window_.variables().list().entries.back(), "FDataLink : TFieldDataLink");
}

TEST_F(MainWindowModelTest, InheritedOnAndOff) {
  model::ItemDef font = Property("Font", "TFont");
  font.Property().Special = model::PropSpecialType::psObjectAutoCreate;
  font.Property().UseReadMethod = font.Property().UseWriteMethod = true;
  Open({font});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);
  EXPECT_FALSE(window_.properties().state().default_value.enabled);
  window_.properties().InheritedClick(true);
  const model::PropertyPart& p = def().Item(1).Property();
  EXPECT_FALSE(p.UseReadMethod || p.UseWriteMethod);
  EXPECT_EQ(p.Special, model::PropSpecialType::psNone);
  EXPECT_FALSE(window_.properties().state().special_enabled ||
               window_.properties().state().use_read.enabled ||
               window_.properties().state().use_write.enabled);
  EXPECT_EQ(window_.properties().state().variable_name, "");
  window_.properties().InheritedClick(false);
  EXPECT_EQ(p.Special, model::PropSpecialType::psObjectAutoCreate);
  EXPECT_TRUE(window_.properties().state().special_enabled &&
              window_.properties().state().use_write.enabled);
  EXPECT_EQ(window_.properties().state().special.selection(),
            model::PropSpecialType::psObjectAutoCreate);
  EXPECT_EQ(window_.properties().state().variable_name, "FFont");
}

TEST_F(MainWindowModelTest, CheckBoxQuestions) {
  model::ItemDef list = Variable("FList", "TStringList");
  list.Variable().IsObject = true;
  Open({Variable("FCount", "Integer"), list});
  window_.PageChange(Page::kVariables);
  window_.ListClick(0);
  dialogs_.ExpectBox(BoxKind::kConfirmation,
                     "Integer is not an object type.  Are you sure you want to check this box?",
                     Answer::kNo);
  window_.variables().IsObjectClick(true);
  EXPECT_FALSE(window_.variables().state().is_object.checked);
  EXPECT_FALSE(session_.modified());
  window_.ListClick(1);
  EXPECT_FALSE(window_.variables().state().default_value.enabled);
  dialogs_.ExpectBox(BoxKind::kConfirmation,
                     "TStringList is a Delphi object type, but not a component type.  Are you "
                     "sure you want to check this box?",
                     Answer::kYes);
  window_.variables().IsSubComponentClick(true);
  EXPECT_TRUE(def().Item(2).Variable().IsSubComponent);
  dialogs_.ExpectBox(BoxKind::kConfirmation,
                     "TStringList is a Delphi object type.  Are you sure you want to un-check "
                     "this box?",
                     Answer::kYes);
  window_.variables().IsObjectClick(false);
  EXPECT_FALSE(def().Item(2).Variable().IsObject || def().Item(2).Variable().IsSubComponent);
  EXPECT_TRUE(window_.variables().state().default_value.enabled);

  window_.PageChange(Page::kEvents);
  Add(Page::kEvents, "Add inherited event", {"OnFoo"});  // not in the catalogue: no handler
  dialogs_.ExpectBox(BoxKind::kInformation, std::string(kOverrideHandlerMessage));
  window_.events().OverrideHandlerClick(false);
  window_.events().OverrideHandlerClick(true);
  EXPECT_FALSE(window_.events().state().override_handler.checked);
  EXPECT_FALSE(Last().ExistingEvent().Override);
}

TEST_F(MainWindowModelTest, MainPageFields) {
  Open();
  window_.main().UnitNameChange("VeryLongUnit", 12);
  EXPECT_EQ(def().MainInfo.UnitName, "VeryLong");  // limited to 8 by default
  window_.main().UnitNameLimitedClick(false);
  window_.main().UnitNameChange("VeryLongUn", 10);
  EXPECT_EQ(def().MainInfo.UnitName, "VeryLongUn");
  window_.main().UnitNameLimitedClick(true);
  EXPECT_EQ(def().MainInfo.UnitName, "VeryLong");
  EXPECT_EQ(window_.main().state().unit_name.text, "VeryLong");
  EXPECT_EQ(window_.main().NewClassNameChange("", 0).text, "T");
  dialogs_.ExpectNamePrompt("Add unit to list", NamePromptAnswer{"Menus"});
  window_.main().UnitListInsert();
  EXPECT_EQ(window_.main().state().units.back(), "Menus");
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete Menus from unit list?", Answer::kYes);
  window_.main().UnitListDelete(static_cast<int>(window_.main().state().units.size()) - 1);
  EXPECT_EQ(window_.main().state().units, Units());
  window_.main().UnitNameChange("Classes", 7);
  dialogs_.ExpectBox(BoxKind::kWarning,
                     "Duplicate identifier:  \"Classes\" is already in the unit list.");
  EXPECT_TRUE(window_.main().UnitNameExit());
  window_.main().DefaultPaletteChange("  ");
  dialogs_.ExpectBox(BoxKind::kInformation, "You have not entered a default palette.");
  EXPECT_FALSE(window_.main().DefaultPaletteExit());
}

// Leaving a name field with a name Add would refuse refuses it with Add's message and puts
// the name back, on every item page; the definition then still saves.
TEST_F(MainWindowModelTest, RenamesThatAddWouldRefuseAreUndone) {
  struct Case {
    Page page;
    std::string typed;
    std::string message;
  };
  const Case cases[] = {
      {Page::kProperties, "Beta", "Beta is already in the component definition."},
      {Page::kProperties, "Blink",
       "Blink needs the name FBlink, but FBlink is already in the "
       "component definition."},
      {Page::kMethods, "GetAlpha : Integer",
       "GetAlpha is reserved for the read method for property Alpha."},
      {Page::kEvents, "OnBeta",
       "OnBeta needs the name Beta, but Beta is already in the "
       "component definition."},
      {Page::kVariables, "alpha", "Alpha is already in the component definition."},
      {Page::kVariables, "Begin",
       "Begin is a reserved word of Object Pascal and cannot be used as a name."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Open({Property("Alpha", "Integer"), model::NewMethodItem("Beta"), model::NewEventItem("OnGo"),
          Variable("FBlink", "Integer"), model::NewMethodItem("Run")});
    window_.PageChange(c.page);
    if (c.page == Page::kEvents) window_.events().EventsModeClick(EventsMode::kNew);
    // Methods: Run is the second method; elsewhere the page's first entry.
    const int position = c.page == Page::kMethods ? 1 : 0;
    window_.ListClick(position);
    const model::ComponentDef before = def();
    const int number = window_.selected_item(c.page);
    bool stays = false;
    switch (c.page) {
      case Page::kProperties:
        window_.properties().PropNameChange(c.typed, c.typed.size());
        dialogs_.ExpectBox(BoxKind::kInformation, c.message);
        stays = window_.properties().PropNameExit();
        EXPECT_EQ(window_.properties().state().name.text, "Alpha");
        EXPECT_EQ(window_.properties().state().variable_name, "FAlpha");
        EXPECT_EQ(window_.properties().list().entries.front(), "Alpha : Integer");
        break;
      case Page::kMethods:
        window_.methods().MethodHeaderChange(c.typed);
        dialogs_.ExpectBox(BoxKind::kInformation, c.message);
        stays = window_.methods().MethodHeaderExit();
        EXPECT_EQ(window_.methods().state().header.text, "Run");
        EXPECT_EQ(window_.methods().list().entries.at(1), "Run");
        break;
      case Page::kEvents:
        window_.events().EventNameChange(c.typed, c.typed.size());
        dialogs_.ExpectBox(BoxKind::kInformation, c.message);
        stays = window_.events().EventNameExit();
        EXPECT_EQ(window_.events().state().name.text, "OnGo");
        break;
      default:
        window_.variables().VariableNameChange(c.typed, c.typed.size());
        dialogs_.ExpectBox(BoxKind::kInformation, c.message);
        stays = window_.variables().VariableNameExit();
        EXPECT_EQ(window_.variables().state().name.text, "FBlink");
        EXPECT_EQ(window_.variables().list().entries.front(), "FBlink : Integer");
        break;
    }
    EXPECT_TRUE(stays);  // the focus moves on: the field holds a good name again
    EXPECT_EQ(def(), before);
    EXPECT_EQ(window_.selected_item(c.page), number);
  }
  // A free name is taken, and a later refusal puts back that one, not the first.
  Open({Property("Alpha", "Integer"), Property("Beta", "Integer")});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);
  window_.properties().PropNameChange("Gamma", 5);
  EXPECT_TRUE(window_.properties().PropNameExit());
  window_.properties().PropNameChange("Beta", 4);
  dialogs_.ExpectBox(BoxKind::kInformation, "Beta is already in the component definition.");
  window_.properties().PropNameExit();
  EXPECT_EQ(def().Item(1).Property().Name, "Gamma");
  window_.SaveDefinition();
  EXPECT_FALSE(session_.modified());
}

TEST_F(MainWindowModelTest, ClassAndUnitNamesRefuseReservedAndStandardNames) {
  Open({}, "TButton");
  const struct {
    std::string typed;
    std::string message;
  } class_cases[] = {
      {"TButton",
       "TButton is the name of the parent class; the new class needs a name of its own."},
      {"TEdit", "TEdit is the name of a standard class; the new class needs a name of its own."},
      // The field upper-cases the letter after the "T".
      {"Type", "TYpe is a reserved word of Object Pascal and cannot be used as a name."},
  };
  for (const auto& c : class_cases) {
    window_.main().NewClassNameChange(c.typed, c.typed.size());
    dialogs_.ExpectBox(BoxKind::kInformation, c.message);
    EXPECT_TRUE(window_.main().NewClassNameExit());
    EXPECT_EQ(def().MainInfo.NewClassName, "TComp");
    EXPECT_EQ(window_.main().state().new_class_name.text, "TComp");
  }
  window_.main().NewClassNameChange("TFancy", 6);
  EXPECT_TRUE(window_.main().NewClassNameExit());
  window_.main().UnitNameChange("Begin", 5);
  dialogs_.ExpectBox(BoxKind::kInformation,
                     "Begin is a reserved word of Object Pascal and cannot be used as a name.");
  EXPECT_TRUE(window_.main().UnitNameExit());
  EXPECT_EQ(def().MainInfo.UnitName, "Comp");
  EXPECT_EQ(window_.main().state().unit_name.text, "Comp");
  dialogs_.ExpectNamePrompt("Add unit to list", NamePromptAnswer{"uses"})
      .ExpectBox(BoxKind::kInformation,
                 "Uses is a reserved word of Object Pascal and cannot be used as a name.")
      .ExpectNamePrompt("Add unit to list", std::nullopt);
  const std::vector<std::string> units = Units();
  window_.main().UnitListInsert();
  EXPECT_EQ(Units(), units);
}

TEST_F(MainWindowModelTest, DefaultsTheTypeCannotHoldAreWarnedAboutAndKept) {
  Open({Property("Count", "Integer"), Variable("Size", "Word")});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);
  window_.properties().PropDefaultChange("500e");
  dialogs_.ExpectBox(BoxKind::kInformation, "Warning: \"500e\" is not a value of type Integer");
  window_.properties().PropDefaultExit();
  EXPECT_EQ(def().Item(1).Property().PropDefault, "500e");
  window_.properties().PropDefaultChange("500");
  window_.properties().PropDefaultExit();  // no box
  window_.PageChange(Page::kVariables);
  window_.ListClick(0);
  window_.variables().VariableDefaultChange("70000");
  dialogs_.ExpectBox(BoxKind::kInformation, "Warning: \"70000\" is not a value of type Word");
  window_.variables().VariableDefaultExit();
  EXPECT_EQ(def().Item(2).Variable().Default, "70000");
}

// An object is created, not given a value; once the type is no class again, the field shows the
// value the variable keeps and generation writes.
TEST_F(MainWindowModelTest, TheInitialValueFieldFollowsWhetherTheTypeIsAClass) {
  Open({Variable("Size", "Word")});
  window_.PageChange(Page::kVariables);
  window_.variables().VariableDefaultChange("5");
  const VariablePageState& shown = window_.variables().state();
  window_.variables().VariableDataTypeChange("TTimer");
  EXPECT_EQ(std::pair(shown.default_value.text, shown.default_value.enabled),
            std::pair(""s, false));
  EXPECT_TRUE(shown.object_note_visible && shown.is_object.checked);
  window_.variables().VariableDataTypeChange("Word");
  EXPECT_EQ(std::pair(shown.default_value.text, shown.default_value.enabled),
            std::pair("5"s, true));
  EXPECT_FALSE(shown.object_note_visible || shown.is_object.checked);
  EXPECT_EQ(def().Item(1).Variable().Default, "5");
}

// Deleting an item moves the items after it up; every other page goes on editing the item it
// shows.
TEST_F(MainWindowModelTest, DeletingOnOnePageKeepsTheOtherPagesOnTheirItems) {
  for (const auto& [page, deleted] :
       {std::pair{Page::kProperties, "Alpha"s}, std::pair{Page::kMethods, "Beta"s}}) {
    SCOPED_TRACE(deleted);
    Open({Property("Alpha", "Integer"), model::NewMethodItem("Beta"), Variable("FGamma", "Integer"),
          model::NewEventItem("OnDelta")});
    window_.PageChange(Page::kEvents);
    window_.events().EventsModeClick(EventsMode::kNew);
    for (const Page p : {Page::kEvents, Page::kVariables, Page::kMethods, Page::kProperties}) {
      window_.PageChange(p);
      window_.ListClick(0);
    }
    window_.PageChange(page);
    dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete " + deleted + "?", Answer::kYes);
    window_.DeleteBtnClick();
    window_.variables().VariableDescriptionChange("edited");
    window_.events().EventDescriptionChange("edited");
    EXPECT_EQ(def().Item(window_.selected_item(Page::kVariables)).Descr, "edited");
    EXPECT_EQ(model::ItemName(def().Item(window_.selected_item(Page::kVariables))), "FGamma");
    EXPECT_EQ(model::ItemName(def().Item(window_.selected_item(Page::kEvents))), "OnDelta");
    EXPECT_EQ(def().Count(), 3);
  }
}

TEST_F(MainWindowModelTest, GenerateCodeKeepsSelectionsInNameOrder) {
  Open({Property("Zeta", "Integer"), Property("Alpha", "Integer"), model::NewMethodItem("Run"),
        model::NewMethodItem("Beta")});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);  // Zeta
  window_.PageChange(Page::kMethods);
  window_.ListClick(1);  // Beta
  // The unit is not shown (Codeview never): a box says where it went.
  dialogs_.ExpectBox(BoxKind::kInformation,
                     "Component code written to " + (dir_ / "comp.pas").string() + ".");
  window_.GenerateComponentCodeClick();
  EXPECT_EQ(window_.properties().list().entries,
            (std::vector<std::string>{"Alpha : Integer", "Zeta : Integer"}));
  EXPECT_EQ(window_.properties().list().selected, 1);
  EXPECT_EQ(window_.methods().list().selected, 0);
  EXPECT_EQ(window_.methods().state().header.text, "Beta");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "comp.pas"));
}

TEST_F(MainWindowModelTest, UnreadableFileLeavesNoDefinition) {
  Open();
  dialogs_.ExpectOpenFile(dir_.Write("bad.cd", "garbage"));
  dialogs_.ExpectBox(BoxKind::kError,
                     (dir_ / "bad.cd").string() + " is not a component definition file.");
  window_.OpenDefinition();
  EXPECT_FALSE(window_.definition_open());
  EXPECT_EQ(window_.Title(), "Component Definition - (None)");
  EXPECT_FALSE(window_.MenuEnabled(MenuItem::kSave));
}

model::ItemDef Header(std::string_view header) { return model::NewMethodItem(header); }

model::ItemDef Inherited(std::string_view name, std::string_view handler, bool override) {
  model::ItemDef item = model::NewExistingEventItem(name);
  item.ExistingEvent().HandlerDecl = handler;
  item.ExistingEvent().Override = override;
  return item;
}

model::ItemDef Accessors(bool inherited, bool read, bool write) {
  model::ItemDef item = Property("Color", "TColor");
  item.Property().Inherited = inherited;
  item.Property().UseReadMethod = read;
  item.Property().UseWriteMethod = write;
  return item;
}

// The Code button on the first entry of a page: the box it shows first with its answer (none
// when empty), the answer to the two-button choice (none given: no choice), and the caption of
// the editor it opens (empty: none).
struct CodeCase {
  model::ItemDef item;
  Page page;
  std::string_view box;
  Answer answer = Answer::kOk;
  std::optional<std::optional<int>> choice = {};
  std::string caption = {};
};

constexpr std::optional<int> kChoiceClosed = std::nullopt;

CodeCase Refused(model::ItemDef item, Page page, std::string_view box,
                 Answer answer = Answer::kOk) {
  return {std::move(item), page, box, answer};
}

CodeCase ColorCode(bool read, bool write, std::optional<std::optional<int>> choice,
                   std::string caption = {}) {
  return {Accessors(false, read, write), Page::kProperties, {}, Answer::kOk, choice, caption};
}

CodeCase MainCode(std::optional<int> choice, std::string caption = {}) {
  return {Property("Unused", "Integer"), Page::kMain, {}, Answer::kOk, choice, caption};
}

class CodeButtonTest : public MainWindowModelTest,
                       public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CodeButtonTest, ChecksInOrder) {
  const CodeCase& c = GetParam();
  Open({c.item});
  window_.PageChange(c.page);
  if (c.page != Page::kMain) window_.ListClick(0);
  if (!c.box.empty()) {
    dialogs_.ExpectBox(c.answer == Answer::kOk ? BoxKind::kInformation : BoxKind::kConfirmation,
                       std::string(c.box), c.answer);
  }
  if (c.choice) {
    dialogs_.ExpectChooseButton(
        c.page == Page::kMain ? "Edit global declarations" : "Property Color", *c.choice);
  }
  if (!c.caption.empty()) dialogs_.ExpectEditText(c.caption, std::nullopt);
  window_.CodeBtnClick();
  EXPECT_TRUE(dialogs_.done());
}

model::ItemDef Unoverridden() { return Inherited("OnClick", "Click(Sender: TObject)", false); }

INSTANTIATE_TEST_SUITE_P(
    Refusals, CodeButtonTest,
    ::testing::Values(
        Refused(Header("Ring(X: Integer"), Page::kMethods,
                "\"Ring(X: Integer\" is not a valid method header.  You must correct it before "
                "editing the method code."),
        Refused(Inherited("OnClick", "(Sender: TObject)", true), Page::kEvents,
                "\"(Sender: TObject)\" is not a valid procedure header.  You must correct it "
                "before editing the handler code."),
        Refused(Inherited("OnClick", " ", true), Page::kEvents, kEmptyHandlerCodeMessage),
        Refused(Variable("Count", "Integer"), Page::kVariables, kObjectVariablesOnlyMessage),
        Refused(Unoverridden(), Page::kEvents, kOverrideBeforeCodeQuestion, Answer::kCancel),
        CodeCase{Unoverridden(), Page::kEvents, kOverrideBeforeCodeQuestion, Answer::kNo,
                 std::nullopt, "OnClick - Handler"},
        Refused(Accessors(true, true, true), Page::kProperties, kInheritedPropertyCodeMessage),
        Refused(Accessors(false, false, false), Page::kProperties, kNoAccessMethodMessage),
        ColorCode(true, true, kChoiceClosed),
        ColorCode(true, true, 0, "Read method for property Color"),
        ColorCode(true, true, 1, "Write method for property Color"),
        ColorCode(false, true, {}, "Write method for property Color"),
        ColorCode(true, false, {}, "Read method for property Color"),
        // The global declarations: the interface part or the implementation part.
        MainCode(kChoiceClosed), MainCode(1, "TComp - Global declarations (implementation)")));

TEST_F(MainWindowModelTest, CodeEditorStartsFromDefaultCodeAndStoresWhatItHandsBack) {
  Open({Accessors(false, false, true)});
  window_.PageChange(Page::kProperties);
  window_.ListClick(0);
  dialogs_.ExpectEditText("Write method for property Color", std::nullopt);
  window_.CodeBtnClick();
  const EditorRequest& request = dialogs_.editor_requests().back();
  EXPECT_EQ(request.header, "procedure SetColor(Value : TColor);");
  const std::vector<std::string> write_method = {"begin", "     FColor := Value;", "end;"};
  EXPECT_EQ(request.block, write_method);
  EXPECT_EQ(request.default_block, write_method);
  std::vector<std::string> offered;
  for (const CodeTemplate& t : request.templates) offered.push_back(t.key);
  EXPECT_EQ(offered, (std::vector<std::string>{"begin", "Color"}));
  EXPECT_FALSE(def().Item(1).Code.has_value());
  EXPECT_FALSE(session_.modified());

  dialogs_.ExpectEditText("Write method for property Color",
                          std::vector<std::string>{"begin", "end;"});
  window_.CodeBtnClick();
  EXPECT_EQ(def().Item(1).Code, (std::vector<std::string>{"begin", "end;"}));
  EXPECT_TRUE(session_.modified());
}

TEST_F(MainWindowModelTest, OverridingBeforeEditingChecksTheBox) {
  Open({Inherited("OnClick", "Click(Sender: TObject)", false)});
  window_.PageChange(Page::kEvents);
  window_.ListClick(0);
  dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(kOverrideBeforeTextQuestion),
                     Answer::kYes);
  dialogs_.ExpectEditText("Text for OnClick inherited event", std::vector<std::string>{"Clicked."});
  window_.HelpTextBtnClick();
  EXPECT_TRUE(def().Item(1).ExistingEvent().Override);
  EXPECT_TRUE(window_.events().state().override_handler.checked);
  EXPECT_EQ(def().Item(1).Help, (std::vector<std::string>{"Clicked."}));
}

TEST_F(MainWindowModelTest, HelpTextOfTheComponentStartsFromItsNotes) {
  Open();
  window_.main().DescriptionChange("An alarm clock");
  dialogs_.ExpectEditText("TComp - overview", std::nullopt);
  window_.HelpTextBtnClick();
  EXPECT_EQ(dialogs_.editor_requests().back().block,
            (std::vector<std::string>{generate::DescriptionNotes(def().Global)}));
  EXPECT_FALSE(def().Global.Help.has_value());
}

}  // namespace
}  // namespace kx::commands
