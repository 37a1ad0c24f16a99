// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/editor_unit.h"

#include <gtest/gtest.h>

#include "commands/property_editors.h"
#include "model/editor_options.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

using commands::Answer;
using commands::BoxKind;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

model::ItemDef EditedProperty(const char* name, const char* type, const char* unit,
                              const char* editor_class) {
  model::ItemDef item = model::NewPropertyItem(name);
  item.Property().PropType = type;
  item.Property().PropertyEditor = {false, false, unit, editor_class, 0};
  return item;
}

TEST(EditorKindTest, DefaultKindByType) {
  const struct {
    const char* type;
    std::uint8_t editor_base;
    int kind;
  } cases[] = {
      {"Boolean", 0, 1},  {"byte", 0, 2},      {"LongInt", 0, 2},  {"Real", 0, 5},
      {"Extended", 0, 5}, {"TStrings", 0, 16}, {"TFont", 18, 16},  {"TComponent", 0, 17},
      {"TTable", 18, 17}, {"String", 0, 8},    {"String", 18, 18}, {"TMyType", 3, 8},
  };
  for (const auto& c : cases) {
    model::PropertyPart p;
    p.PropType = c.type;
    p.PropertyEditor.EditorBase = c.editor_base;
    EXPECT_EQ(DefaultEditorKind(p), c.kind) << c.type;
  }
  EXPECT_EQ(EditorKindText(kEditorKindCount), "");
  EXPECT_TRUE(EditorKindNeedsForm(kObjectForm));
  EXPECT_FALSE(EditorKindNeedsForm(kStringListViewInInspector));
}

TEST(EditorKindTest, SelectionFlagsAndLimit) {
  EditorSelection selection;
  EXPECT_FALSE(AddSelectedEditor(selection, 1, kDoNotGenerate));
  for (int kind : {1, 13, 14, 15, 18}) EXPECT_TRUE(AddSelectedEditor(selection, kind, kind));
  EXPECT_TRUE(selection.need_dialogs && selection.need_filectrl && selection.need_db &&
              selection.need_typinfo);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(AddSelectedEditor(selection, 20 + i, 8));
  EXPECT_FALSE(AddSelectedEditor(selection, 30, 8)) << "the thirteenth editor is dropped";
  EXPECT_EQ(selection.editors.size(), kMaxEditorsPerUnit);
}

// The editors' texts are the golden editor units' (tests/golden_editors).
TEST(EditorUnitTest, NoEditorChosenStillWritesTheUnitFrame) {
  model::ComponentDef def;
  const std::string text = WriteEditorUnit("Eds", def, {}, {1997, 3, 7, 9, 5, 0});
  EXPECT_NE(text.find("{   Generated from untitled component definition "), std::string::npos);
  EXPECT_NE(text.find("\ntype\n\nimplementation\n\nend.\n"), std::string::npos) << text;
}

TEST(EditorOptionsTest, DialogRules) {
  model::ComponentDef def;
  model::AddItem(def, EditedProperty("A", "String", "ZUnit", "TZ"));
  model::AddItem(def, EditedProperty("B", "String", "aunit", "TA"));
  model::AddItem(def, EditedProperty("C", "String", "AUNIT", ""));
  const model::EditorNameChoices choices = model::EditorNamesInUse(def);
  EXPECT_EQ(choices.units, (std::vector<std::string>{"aunit", "ZUnit"}));
  EXPECT_EQ(choices.classes, (std::vector<std::string>{"TA", "TZ"}));
  EXPECT_TRUE(model::AcceptsEditorNameKey('_'));
  EXPECT_TRUE(model::AcceptsEditorNameKey('\b'));
  EXPECT_FALSE(model::AcceptsEditorNameKey('.'));
  EXPECT_FALSE(model::SelectsCustomEditor("Unit", ""));
  model::PropertyEditorDef editor;
  EXPECT_EQ(model::ApplyEditorOptions(editor, true, true, "Eds", ""),
            std::string(model::kMissingEditorNamesMessage));
  EXPECT_TRUE(editor.DefEdit) << "a refused OK stores nothing";
  EXPECT_EQ(model::ApplyEditorOptions(editor, false, true, "Eds", "TEd"), std::nullopt);
  EXPECT_TRUE(editor.DefEdit);
  EXPECT_EQ(editor.EditorClass, "TEd") << "names are kept with the default editor too";
}

class PropertyEditorsFlowTest : public ::testing::Test {
 protected:
  PropertyEditorsFlowTest() {
    options_.default_target_dir = dir_.path().string() + "/";
    options_.codeview = store::kCodeviewNever;
    model::AddItem(def_, EditedProperty("Active", "Boolean", "MyEds", "TActiveEditor"));
    model::AddItem(def_, EditedProperty("Size", "Integer", "MyEds", "TSizeEditor"));
    model::AddItem(def_, EditedProperty("Size2", "Integer", "myeds", "TSIZEEDITOR"));
  }
  TempDir dir_;
  model::ComponentDef def_;
  commands::PropertyEditorOptions options_;
  ScriptedDialogs dialogs_;
  platform::FixedClock clock_{{1997, 3, 7, 9, 5, 0}};
};

TEST_F(PropertyEditorsFlowTest, NothingRequested) {
  model::ComponentDef def;
  dialogs_.ExpectBox(BoxKind::kInformation, std::string(commands::kNoEditorsRequestedMessage),
                     Answer::kOk, "Generate property editors");
  EXPECT_FALSE(commands::GeneratePropertyEditors(def, options_, dialogs_, clock_));
}

TEST_F(PropertyEditorsFlowTest, OneUnitWithASharedEditorAndAForm) {
  const auto path = dir_ / "myeds.pas";
  const auto form = dir_.Write("SizeForm.dfm", "object SizeForm: TSizeForm\r\nend\r\n");
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Place property editor code in " + path.string() + "?",
                 Answer::kYes, "Generate property editors", commands::Buttons::kYesNo)
      .ExpectChooseEditorKind("TActiveEditor", 1)
      .ExpectChooseEditorKind("TSizeEditor", 3)
      .ExpectOpenFile(form)
      .ExpectBox(BoxKind::kInformation, "Property editor code written to " + path.string() + ".",
                 Answer::kOk, "Generate property editors");
  ASSERT_EQ(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_), path);
  EXPECT_EQ(dialogs_.editor_kind_defaults(), (std::vector<int>{1, 2}));
  EXPECT_EQ(def_.Item(2).Property().PropertyEditor.EditorBase, 3);
  const std::string text = TempDir::Read(path);
  EXPECT_NE(text.find("Forms, Graphics, DsgnIntf, Dialogs, Sizeform;\r\n"), std::string::npos);
  EXPECT_NE(text.find("   FormInstance : TSizeForm;\r\n"), std::string::npos);
  EXPECT_EQ(text.find("TSIZEEDITOR"), std::string::npos) << "a shared editor is written once";
}

TEST_F(PropertyEditorsFlowTest, EveryWayToGiveUpWritesNothing) {
  const auto path = dir_ / "myeds.pas";
  const std::string question = "Place property editor code in " + path.string() + "?";
  // Closing the question, cancelling the save dialog, the kind dialog and the form dialog,
  // and a file that is no form file.
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel);
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo).ExpectSaveFile(std::nullopt);
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectChooseEditorKind("TActiveEditor", std::nullopt);
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectChooseEditorKind("TActiveEditor", 0)
      .ExpectChooseEditorKind("TSizeEditor", 2)
      .ExpectOpenFile(std::nullopt);
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectChooseEditorKind("TActiveEditor", 0)
      .ExpectChooseEditorKind("TSizeEditor", 2)
      .ExpectOpenFile(dir_ / "size.txt")
      .ExpectBox(BoxKind::kWarning, "You did not select a form (DFM) file");
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PropertyEditorsFlowTest, AUnitNameThatIsNoFileName) {
  model::ComponentDef def;
  model::AddItem(def, EditedProperty("Active", "Boolean", "../Eds", "TActiveEditor"));
  dialogs_.ExpectBox(BoxKind::kError,
                     "The editor unit name \"../Eds\" is not a valid Pascal identifier, so no "
                     "unit was written.");
  EXPECT_FALSE(commands::GeneratePropertyEditors(def, options_, dialogs_, clock_));
}

TEST_F(PropertyEditorsFlowTest, AFailedWriteIsSaid) {
  const auto path = dir_ / "myeds.pas";
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Place property editor code in " + path.string() + "?",
                 Answer::kYes)
      .ExpectChooseEditorKind("TActiveEditor", 1)
      .ExpectChooseEditorKind("TSizeEditor", 1)
      .ExpectBox(BoxKind::kInformation, "Could not open " + path.string());
  const kx::testing::FailingWrites failing;
  EXPECT_FALSE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
}

TEST_F(PropertyEditorsFlowTest, SeveralUnitsAndAnExistingFile) {
  model::AddItem(def_, EditedProperty("Path", "String", "Aeds", "TPathEditor"));
  const auto path = dir_.Write("aeds.pas", "old");
  dialogs_.ExpectChooseEditorUnit("Aeds")
      .ExpectBox(BoxKind::kConfirmation,
                 "Place property editor code in " + path.string() + "?\r\rThe file already exists.",
                 Answer::kYes)
      .ExpectChooseEditorKind("TPathEditor", 14)
      .ExpectBox(BoxKind::kInformation, "Property editor code written to " + path.string() + ".");
  ASSERT_TRUE(commands::GeneratePropertyEditors(def_, options_, dialogs_, clock_));
  EXPECT_EQ(dialogs_.editor_unit_requests().front(), (std::vector<std::string>{"Aeds", "MyEds"}));
  EXPECT_NE(TempDir::Read(path), "old");
}

}  // namespace
}  // namespace kx::generate
