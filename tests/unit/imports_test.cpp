// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/imports.h"

#include <gtest/gtest.h>

#include "commands/data_links.h"
#include "model/name_rules.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using Lines = std::vector<std::string>;

constexpr std::string_view kForm =
    "object Form1: TForm1\r\n"
    "  Left = 1\r\n"
    "  object Panel1: TPanel\r\n"
    "    Left = 8\r\n"
    "    Height = 120\r\n"
    "    Width = 200\r\n"
    "    object Edit1: TEdit\r\n"
    "      Left = 8\r\n"
    "      Text = 'a=b'\r\n"
    "      OnChange = Edit1Change\r\n"
    "    end\r\n"
    "    object Button1: TButton\r\n"
    "      Caption = 'OK'\r\n"
    "    end\r\n"
    "    object Memo1: TMemo\r\n"
    "      Lines.Strings = (\r\n"
    "        'x = 1'\r\n"
    "        'y')\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object GroupBox1: TGroupBox\r\n"
    "  end\r\n"
    "  object Table1CUSTNO: TStringField\r\n"
    "  end\r\n"
    "  object QueryAMOUNT: TFloatField\r\n"
    "  end\r\n"
    "  object Extra: TCurrencyField\r\n"
    "  end\r\n"
    "end\r\n";

model::ComponentDef FormDefinition(const std::filesystem::path& form_file) {
  model::ComponentDef def;
  def.MainInfo.Form.FormFile = form_file.string();
  def.MainInfo.Form.FormMode = model::FormModeKind::kImported;
  return def;
}

const model::ItemDef* Find(const model::ComponentDef& def, std::string_view name) {
  const int index = model::FindName(def, name).index;
  return index > 0 ? &def.Item(index) : nullptr;
}

TEST(ContainerImportTest, ControlsBecomeSubComponentsWithTheirEvents) {
  TempDir dir;
  model::ComponentDef def = FormDefinition(dir.Write("form1.dfm", kForm));
  ScriptedDialogs dialogs;
  dialogs.ExpectSelectPanel("Panel1")
      .ExpectBox(BoxKind::kConfirmation,
                 "Publish the OnChange event for Edit1, to make it available in the Object "
                 "Inspector?",
                 Answer::kNo, std::nullopt, Buttons::kYesNoHelp)
      .ExpectBox(BoxKind::kConfirmation,
                 "Publish the OnClick event for Button1, to make it available in the Object "
                 "Inspector?",
                 Answer::kYes)
      .ExpectBox(BoxKind::kConfirmation,
                 "Publish the OnChange event for Memo1, to make it available in the Object "
                 "Inspector?",
                 Answer::kNo);
  ASSERT_TRUE(ImportContainerFromForm(def, dialogs));
  EXPECT_EQ(dialogs.list_requests().front(), (Lines{"GroupBox1", "Panel1"}));
  EXPECT_EQ(dialogs.boxes()[0].help_context, 511);
  EXPECT_EQ(Find(def, "Height")->Property().PropDefault, "120");
  EXPECT_EQ(Find(def, "Width")->Property().PropDefault, "200");
  const model::ItemDef* edit = Find(def, "Edit1");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Variable().Scope, model::kScopeProtected);
  EXPECT_EQ(edit->Code,
            (Lines{"begin", "Left := 8;", "Text := 'a=b';", "OnChange := DoEdit1Change;",
                   "OnClick := DoEdit1Click;", "OnKeypress := DoEdit1Keypress;", "end;"}));
  EXPECT_FALSE(Find(def, "DoEdit1Click")->Code.has_value()) << "an edit is not asked";
  EXPECT_NE(Find(def, "DoEdit1Keypress"), nullptr);
  EXPECT_EQ(Find(def, "OnButton1Click")->Descr, "Publish OnClick for Button1");
  EXPECT_EQ(Find(def, "DoButton1Click")->Code->at(10), "     Button1Click(Sender)");
  EXPECT_EQ(Find(def, "Memo1")->Code,
            (Lines{"begin", "{ Lines.Strings not converted }", "OnChange := DoMemo1Change;",
                   "OnClick := DoMemo1Click;", "OnKeypress := DoMemo1Keypress;", "end;"}));
  EXPECT_EQ(Find(def, "Memo1Lines")->Property().Link, "Memo1.Lines");
  EXPECT_EQ(Find(def, "GroupBox1"), nullptr) << "the import stops at the container's end";
  EXPECT_EQ(def.MainInfo.Units, (Lines{"Stdctrls"}));
}

TEST(ContainerImportTest, FormsWithoutAContainer) {
  TempDir dir;
  const auto file = dir.Write("plain.dfm", "object Form1: TForm1\r\nend\r\n");
  model::ComponentDef def = FormDefinition(file);
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kInformation, file.string() + " has no container component to read.");
  EXPECT_FALSE(ImportContainerFromForm(def, dialogs));
  EXPECT_EQ(def.Count(), 0);
}

TEST(FieldImportTest, NamesAndExpressions) {
  EXPECT_EQ(SuggestedFieldName("Table1CUSTNO"), "Custno");
  EXPECT_EQ(SuggestedFieldName("tableNAME"), "Name");
  EXPECT_EQ(SuggestedFieldName("QUERY2AMOUNT"), "Amount");
  EXPECT_EQ(SuggestedFieldName("Table"), "Table");
  EXPECT_EQ(SuggestedFieldName("CustomerNo"), "Customerno");
  EXPECT_EQ(FieldCreation("Name", "TStringField", true),
            "CreateMainCalcField('Name', TStringField, 30) as TStringField");
  EXPECT_EQ(FieldCreation("Rate", "TFloatField", true),
            "CreateMainCalcField('Rate', TFloatField, 0) as TFloatField");
  EXPECT_EQ(FieldCreation("Rate", "TFloatField", false), "CreateMainField('Rate') as TFloatField");
}

TEST(FieldImportTest, ImportsTheChosenFieldsWithCreateFields) {
  TempDir dir;
  model::ComponentDef def = FormDefinition(dir.Write("f.dfm", kForm));
  ScriptedDialogs dialogs;
  dialogs
      .ExpectImportField("Table1CUSTNO : TStringField", "Custno",
                         FieldImportChoice{"", "", FieldHandling::kDataField})
      .ExpectBox(BoxKind::kInformation, std::string(kMissingFieldNameMessage), Answer::kOk,
                 "Import fields")
      .ExpectImportField("Table1CUSTNO : TStringField", "",  // as the user left it
                         FieldImportChoice{"CustNo", "Customer", FieldHandling::kCalculatedField})
      .ExpectImportField("QueryAMOUNT : TFloatField", "Amount",
                         FieldImportChoice{"Amount", "", FieldHandling::kDataField})
      .ExpectImportField("Extra : TCurrencyField", "Extra",
                         FieldImportChoice{"", "", FieldHandling::kSkip});
  ASSERT_TRUE(ImportFieldsFromForm(def, dialogs));
  EXPECT_TRUE(Find(def, "CustNo")->Property().ReadOnly);
  EXPECT_EQ(Find(def, "Amount")->Property().PropType, "TFloatField");
  EXPECT_EQ(
      Find(def, "CreateFields")->Code,
      (Lines{"begin",
             "     FCustNo := CreateMainCalcField('CustNo', TStringField, 30) as TStringField;",
             "     FCustNo.DisplayLabel := 'Customer';", "     FCustNo.Visible := True;", "",
             "     FAmount := CreateMainField('Amount') as TFloatField;",
             "     FAmount.DisplayLabel := '';", "     FAmount.Visible := False;",
             "     FAmount.Currency := False;", "", "end;"}));
  AddBusinessMethods(def);
  EXPECT_EQ(Find(def, "CreateFields")->Code->size(), 11u) << "the imported one stays";
  EXPECT_EQ(Find(def, "Validate")->DefaultCode, model::DefaultCodeKind::kInheritedProcedureCall);
}

TEST(FieldImportTest, CancelAndNothingToImport) {
  TempDir dir;
  const auto file = dir.Write("f.dfm", kForm);
  model::ComponentDef def = FormDefinition(file);
  ScriptedDialogs dialogs;
  dialogs.ExpectImportField("Table1CUSTNO : TStringField", "Custno", std::nullopt)
      .ExpectBox(BoxKind::kInformation, "Importing of fields cancelled.");
  EXPECT_FALSE(ImportFieldsFromForm(def, dialogs));
  const FieldImportChoice skip{"", "", FieldHandling::kSkip};
  dialogs.ExpectImportField("Table1CUSTNO : TStringField", "Custno", skip)
      .ExpectImportField("QueryAMOUNT : TFloatField", "Amount", skip)
      .ExpectImportField("Extra : TCurrencyField", "Extra", skip)
      .ExpectBox(BoxKind::kInformation, file.string() + " has no fields to read.");
  EXPECT_FALSE(ImportFieldsFromForm(def, dialogs));
  EXPECT_EQ(def.Count(), 0);
}

}  // namespace
}  // namespace kx::commands
