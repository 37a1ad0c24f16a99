// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import component unit through the window model: which questions come in which order,
// what opens, and that a refusal or a cancel leaves the open definition as it was.
#include "commands/component_unit_import.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
#include "commands/main_window_model.h"
#include "commands/parent_selection_flow.h"
#include "generate/unit/unit_writer.h"
#include "store/definition_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

const fs::path kGauges = fs::path(KX_SOURCE_DIR) / "tests/import/fixtures/gauges.pas";
constexpr std::string_view kRegistersSeveral =
    "gauges.pas registers several component classes. Select the class to import:";

class ImportUnitTest : public ::testing::Test {
 protected:
  ImportUnitTest() {
    settings_.file = dir_ / "Kestrix.ini";
    settings_.definitions_dir = dir_.path().string() + "/";
    settings_.pascal_code_dir = dir_.path().string() + "/";
    settings_.codeview = store::kCodeviewNever;
    // What the user has open when importing: a saved example, then changed.
    const fs::path example = dir_ / "alarm.cd";
    fs::copy_file(fs::path(KX_EXAMPLES_DIR) / "alarm.cd", example);
    window_.Start(example);
  }

  // The unit of an example as Kestrix generates it: one class, registered.
  fs::path GeneratedUnit(std::string_view example) {
    model::ComponentDef def;
    const fs::path file = fs::path(KX_EXAMPLES_DIR) / example;
    EXPECT_TRUE(store::ParseDefinition(TempDir::Read(file), file.filename().string(), def,
                                       catalog::StandardClassRules(), "")
                    .ok);
    generate::PrepareForUnit(def, {});
    return dir_.Write(def.MainInfo.UnitName.str() + ".pas",
                      generate::WriteComponentUnit(def, {}, {2026, 1, 2, 3, 4, 5}));
  }

  model::ComponentDef& def() { return session_.def(); }
  // A unit's text written to a file named after it ("pair.pas" for "unit Pair;").
  fs::path WriteUnit(const std::string& text) {
    std::string name = "binary";
    if (text.starts_with("unit ")) name = text.substr(5, text.find(';') - 5);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return dir_.Write(name + ".pas", text);
  }

  TempDir dir_;
  store::Settings settings_;
  ScriptedDialogs dialogs_;
  Session session_{settings_, dialogs_};
  catalog::CustomClassRegistry registry_{dir_ / "Kestrix.ini"};
  ParentSelector selector_{dialogs_, registry_};
  platform::FixedClock clock_{{2026, 1, 2, 3, 4, 5}};
  MainWindowModel window_{session_, dialogs_, settings_, selector_, {"Samples"}, clock_};
};

TEST_F(ImportUnitTest, TheImportedDefinitionOpensUnsavedAndSaveAsksForItsName) {
  const fs::path unit = GeneratedUnit("mybutton.cd");
  settings_.pascal_code_dir_chosen = true;
  dialogs_.ExpectOpenFile(unit);
  window_.ImportComponentUnit();
  ASSERT_TRUE(dialogs_.done());
  EXPECT_EQ(dialogs_.file_requests().back().title, "Select component unit to import");
  EXPECT_EQ(dialogs_.file_requests().back().filter, kUnitFilter);
  EXPECT_EQ(def().MainInfo.NewClassName, "TMyButton");
  EXPECT_EQ(def().MainInfo.ParentClassName, "TButton");
  EXPECT_EQ(def().MainInfo.TargetDir, settings_.pascal_code_dir);
  EXPECT_EQ(window_.Title(), "Component Definition - (Untitled)");
  EXPECT_TRUE(session_.modified());
  EXPECT_EQ(window_.main().state().new_class_name.text, "TMyButton");
  // A generated unit comes back whole: nothing to note.
  EXPECT_TRUE(dialogs_.notes_shown().empty());
  dialogs_.ExpectSaveFile(dir_ / "mybutton.cd");
  window_.SaveDefinition();
  EXPECT_EQ(dialogs_.file_requests().back().file_name, "mybutton.cd");
  EXPECT_FALSE(session_.modified());
  // The next import starts beside the unit imported last.
  dialogs_.ExpectOpenFile(std::nullopt);
  window_.ImportComponentUnit();
  EXPECT_EQ(dialogs_.file_requests().back().initial_dir, dir_.path());
}

// Each way through the questions: what the user answers, and the class that opens with its VCL
// ancestor (nothing: the definition open before stays as it was, unchanged).
TEST_F(ImportUnitTest, QuestionsInOrderAndWhatOpens) {
  using Answers = std::function<void(ScriptedDialogs&, const std::string& unit)>;
  const auto choose = [](std::optional<std::string> answer) {
    return [answer](ScriptedDialogs& d, const std::string&) {
      d.ExpectChooseClass(std::string(kRegistersSeveral), answer);
    };
  };
  const auto refused = [](std::string reason) {
    return [reason](ScriptedDialogs& d, const std::string& unit) {
      d.ExpectBox(BoxKind::kError, unit + " cannot be imported.\r\r" + reason, Answer::kOk,
                  std::string(kImportUnitCaption));
    };
  };
  const std::string unregistered = catalog::UnregisteredClassQuestion("TBarGauge");
  const struct Case {
    std::string name;
    std::string unit;  // empty: the two gauges
    bool registered;   // TBarGauge registered before
    Answers answers;
    std::string opens;  // empty: nothing
    std::string ancestor;
    std::string stores = "";  // the ancestor of TBarGauge in the settings file afterwards
  } cases[] = {
      {"first of two registered", "", false,
       [&](ScriptedDialogs& d, const std::string& unit) {
         choose("TBarGauge")(d, unit);
         d.ExpectNotes(
             "What the definition leaves out of gauges.pas, or holds differently, by line:");
       },
       "TBarGauge", "TGraphicControl"},
      // The registration dialog proposes the standard class the unit's own parent descends
      // from, and the unit; the user takes it.
      {"parent of the unit's own", "", false,
       [&](ScriptedDialogs& d, const std::string& unit) {
         choose("TDialGauge")(d, unit);
         d.ExpectBox(BoxKind::kConfirmation, unregistered, Answer::kYes,
                     std::string(kImportUnitCaption), Buttons::kYesCancel)
             .ExpectRegisterClass(ClassRegistration{"TGraphicControl", "Gauges"})
             .ExpectNotes();
       },
       "TDialGauge", "TGraphicControl", "TGraphicControl"},
      {"parent registered before", "", true,
       [&](ScriptedDialogs& d, const std::string& unit) {
         choose("TDialGauge")(d, unit);
         d.ExpectNotes();
       },
       "TDialGauge", "TCustomControl"},
      {"class choice cancelled", "", false, choose(std::nullopt), "", ""},
      {"a name the list did not offer", "", false, choose("TGaugeKind"), "", ""},
      {"registration question cancelled", "", false,
       [&](ScriptedDialogs& d, const std::string& unit) {
         choose("TDialGauge")(d, unit);
         d.ExpectBox(BoxKind::kConfirmation, unregistered, Answer::kCancel);
       },
       "", ""},
      {"registration cancelled", "", false,
       [&](ScriptedDialogs& d, const std::string& unit) {
         choose("TDialGauge")(d, unit);
         d.ExpectBox(BoxKind::kConfirmation, unregistered, Answer::kYes)
             .ExpectRegisterClass(std::nullopt);
       },
       "", ""},
      {"registering none, it offers what it declares",
       "unit Pair;\ninterface\nuses Classes;\ntype\n  TOne = class(TComponent) end;\n"
       "  TTwo = class(TComponent) end;\nimplementation\nend.\n",
       false,
       [](ScriptedDialogs& d, const std::string&) {
         d.ExpectChooseClass(
             "pair.pas declares several classes and registers none. Select the class to import:",
             "TTwo");
       },
       "TTwo", "TComponent"},
      {"one class, registered nowhere, needs no question",
       "unit Single;\ninterface\nuses Classes;\ntype\n  TOne = class(TComponent) end;\n"
       "implementation\nend.\n",
       false, [](ScriptedDialogs&, const std::string&) {}, "TOne", "TComponent"},
      {"no class", "unit Empty;\ninterface\ntype TKind = (kA, kB);\nimplementation\nend.\n", false,
       refused("The unit declares no component class."), "", ""},
      {"registering what other units declare",
       "unit Reg;\ninterface\nprocedure Register;\nimplementation\nuses Gauges;\n"
       "procedure Register;\nbegin\n  RegisterComponents('Dashboard', [TBarGauge]);\nend;\n"
       "end.\n",
       false,
       refused("The unit registers TBarGauge but declares none of them; import the unit that "
               "declares the class."),
       "", ""},
      {"cut off in a class", "unit Cut;\ninterface\ntype\n  TCut = class(TComponent)\n", false,
       refused("The unit cannot be read: line 5: The declaration of TCut has no end."), "", ""},
      {"binary",
       std::string("\x7F"
                   "ELF\x02\x01\x01\0\0\0\xFF\xFE",
                   14),
       false,
       refused("The unit cannot be read: The file is not Pascal source: it holds zero bytes."), "",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_.Start(dir_ / "alarm.cd");
    ASSERT_TRUE(registry_.DeleteCustomClass("TBarGauge").ok());
    if (c.registered) registry_.SetCustomClass("TBarGauge", "TCustomControl", "MyGauges");
    const fs::path unit = c.unit.empty() ? kGauges : WriteUnit(c.unit);
    dialogs_.ExpectOpenFile(unit);
    c.answers(dialogs_, unit.string());
    window_.ImportComponentUnit();
    EXPECT_TRUE(dialogs_.done());
    if (c.opens.empty()) {
      EXPECT_EQ(def().MainInfo.NewClassName, "TAlarm");
      EXPECT_EQ(window_.Title(), "Component Definition - " + (dir_ / "alarm.cd").string());
      EXPECT_FALSE(session_.modified());
    } else {
      EXPECT_EQ(def().MainInfo.NewClassName, c.opens);
      EXPECT_EQ(def().MainInfo.VCLAncestorName, c.ancestor);
      EXPECT_EQ(window_.Title(), "Component Definition - (Untitled)");
    }
    // A registration made in the import is in the settings file at once.
    const auto stored =
        catalog::CustomClassRegistry(dir_ / "Kestrix.ini").FindCustomClass("TBarGauge");
    EXPECT_EQ(stored ? stored->ancestor : "", c.stores);
  }
}

TEST_F(ImportUnitTest, UnsavedChangesAreAskedAboutFirst) {
  window_.main().DescriptionChange("Rings twice");
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + (dir_ / "alarm.cd").string() + "?",
                     Answer::kCancel, "Import Component Unit", Buttons::kYesNoCancel);
  window_.ImportComponentUnit();
  EXPECT_TRUE(dialogs_.file_requests().empty());
  EXPECT_EQ(def().Global.Descr, "Rings twice");
  // No: the changes are dropped for the unit.
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Save " + (dir_ / "alarm.cd").string() + "?", Answer::kNo)
      .ExpectOpenFile(GeneratedUnit("mybutton.cd"));
  window_.ImportComponentUnit();
  EXPECT_EQ(def().MainInfo.NewClassName, "TMyButton");
}

TEST(ProposedRegistrationTest, FollowsTheUnitsOwnClassesToAStandardOne) {
  const pascal::Outline unit = pascal::ParseUnit(
      "unit Chain;\ninterface\nuses Classes, Controls;\ntype\n"
      "  TBase = class(TCustomControl) end;\n  TMiddle = class(TBase) end;\n"
      "  TLoopA = class(TLoopB) end;\n  TLoopB = class(TLoopA) end;\n"
      "implementation\nend.\n");
  const struct {
    std::string_view parent;
    ClassRegistration proposed;
  } cases[] = {
      {"TMiddle", {"TCustomControl", "Chain", false}},
      {"TBase", {"TCustomControl", "Chain", false}},
      // Declared here, but with no standard class at the end: only the unit is known.
      {"TLoopA", {"", "Chain", false}},
      {"TElsewhere", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProposedRegistration(unit, c.parent), c.proposed) << c.parent;
  }
}

}  // namespace
}  // namespace kx::commands
