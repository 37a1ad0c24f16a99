// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/data_links.h"

#include <gtest/gtest.h>

#include "model/name_rules.h"
#include "support/scripted_dialogs.h"

namespace kx::commands {
namespace {

using kx::testing::ScriptedDialogs;

const model::ItemDef* Find(const model::ComponentDef& def, std::string_view name) {
  const int index = model::FindName(def, name).index;
  return index > 0 ? &def.Item(index) : nullptr;
}

const DataLinkNames kDefaultNames{"DataSource", "DataField", "FDataLink", "DataChange"};
const std::string kReadWrite = "Should the new data link be a read-write data link?";

TEST(DataLinkTest, ReadOnlyLinkAddsItsItems) {
  model::ComponentDef def;
  def.MainInfo.ParentClassName = "TEdit";
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation, kReadWrite, Answer::kNo, "Add data link",
                 Buttons::kYesNoCancel)
      .ExpectDataLink("Add read-only data link", kDefaultNames, kDefaultNames)
      .ExpectBox(BoxKind::kInformation,
                 "Data link added.  You can add code in the DataChange method to respond to "
                 "data changes.");
  ASSERT_TRUE(AddDataLinkCommand(def, dialogs));
  EXPECT_EQ(def.Count(), 4);
  EXPECT_EQ(Find(def, "DataSource")->Property().Link, "FDataLink.DataSource");
  EXPECT_EQ(Find(def, "DataField")->Property().PropertyEditor.EditorBase, 18);
  EXPECT_EQ(Find(def, "FDataLink")->Code,
            (std::vector<std::string>{"begin", "OnDataChange := DataChange;", "end;"}));
  EXPECT_EQ(Find(def, "DataChange")->Code->size(), 15u);
  EXPECT_EQ(def.MainInfo.Units, (std::vector<std::string>{"DbTables", "DB"}));
}

TEST(DataLinkTest, EveryNameMustBeAnIdentifier) {
  // The field, link and handler boxes are tidied as typed; the data source box is not, and
  // a tidied box may still be empty or start with a digit.
  const struct {
    DataLinkNames typed;
    std::string refused;
    std::string tidied_change;  // the handler box as shown again
  } cases[] = {
      {{"../src", "DataField", "FDataLink", "DataChange"}, "../src", "DataChange"},
      {{"DataSource", "", "FDataLink", "DataChange"}, "", "DataChange"},
      {{"DataSource", "DataField", "9Link", "DataChange"}, "9Link", "DataChange"},
      {{"DataSource", "DataField", "FDataLink", "-"}, "", ""},
  };
  for (const auto& c : cases) {
    model::ComponentDef def;
    ScriptedDialogs dialogs;
    dialogs.ExpectBox(BoxKind::kConfirmation, kReadWrite, Answer::kNo)
        .ExpectDataLink("Add read-only data link", kDefaultNames, c.typed)
        .ExpectBox(BoxKind::kInformation, "\"" + c.refused + "\" is not a valid Pascal identifier.",
                   Answer::kOk, "Add read-only data link")
        .ExpectDataLink("Add read-only data link",
                        {c.typed.data_source, c.typed.data_field, c.typed.link, c.tidied_change},
                        std::nullopt);
    EXPECT_FALSE(AddDataLinkCommand(def, dialogs));
    EXPECT_EQ(def.Count(), 0);
  }
}

TEST(DataLinkTest, ASecondLinkProposesNamesEndingInTwo) {
  model::ComponentDef def;
  def.MainInfo.ParentClassName = "TDBEdit";
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kConfirmation,
                 "The component already contains a data link.  Are you sure you want to add "
                 "another?",
                 Answer::kYes, "Add data link", Buttons::kYesNo)
      .ExpectBox(BoxKind::kConfirmation, kReadWrite, Answer::kYes)
      .ExpectDataLink("Add read-write data link",
                      {"DataSource2", "DataField2", "FDataLink2", "DataChange2"}, std::nullopt);
  EXPECT_FALSE(AddDataLinkCommand(def, dialogs));
  EXPECT_EQ(def.Count(), 0);
}

TEST(DataLinkTest, RoomNamesAndHandlers) {
  model::ComponentDef def;
  for (int i = 0; i < 224; ++i)
    model::AddItem(def, model::NewVariableItem("V" + std::to_string(i)));
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kConfirmation, kReadWrite, Answer::kYes)
      .ExpectBox(BoxKind::kInformation,
                 "There is not enough room left in the component definition to add the data "
                 "link.");
  EXPECT_FALSE(AddDataLinkCommand(def, dialogs));

  def = model::ComponentDef();
  model::ItemDef existing = model::NewMethodItem("DataChange(Sender : TObject)");
  existing.Code = std::vector<std::string>{"begin", "end;"};
  model::AddItem(def, existing);
  model::AddItem(def, model::NewVariableItem("FDataLink"));
  const DataLinkNames renamed{"DataSource", "FieldName", "FDataLink", "DataChange"};
  const std::string question =
      "Because you are not using both \"DataSource\" and \"DataField\" as the property names, a "
      "drop-down list of fields will not appear for FieldName unless you generate a \"field "
      "names\" property editor for it.  \r\rAre you sure you want to use these names?";
  dialogs.ExpectBox(BoxKind::kConfirmation, kReadWrite, Answer::kYes)
      .ExpectDataLink("Add read-write data link", kDefaultNames, renamed)
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kNo)
      .ExpectDataLink("Add read-write data link", renamed, renamed)
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectBox(BoxKind::kInformation, "FDataLink is already in the component definition.")
      .ExpectDataLink("Add read-write data link", renamed,
                      DataLinkNames{"DataSource", "DataField", "Link-1", "DataChange"})
      .ExpectInputBox("UpdateData")
      .ExpectInputBox("Editing")
      .ExpectInputBox("ActiveChange")
      .ExpectBox(BoxKind::kInformation,
                 "Data link added.  See the code comments in the new methods to make the "
                 "component respond to changes in the data, and vice-versa.");
  ASSERT_TRUE(AddDataLinkCommand(def, dialogs));
  EXPECT_EQ(Find(def, "DataChange")->Code->size(), 2u) << "an existing handler keeps its code";
  EXPECT_NE(Find(def, "Link1"), nullptr) << "the link name is tidied as it is typed";
  EXPECT_EQ(Find(def, "ActiveChange")->Code->at(12), "     if DataField = '' then");
  EXPECT_EQ(Find(def, "Link1")->Code->at(4), "OnEditingChange := Editing;");
}

TEST(LinkPropertyTest, AskedOnlyForContainersWithSubComponents) {
  model::ComponentDef def;
  def.MainInfo.ParentClassName = "TPanel";
  ScriptedDialogs dialogs;
  EXPECT_TRUE(LinkNewProperty(def, model::NewPropertyItem("Text"), dialogs)) << "no question";
  model::ItemDef edit = model::NewVariableItem("Edit1");
  edit.Variable().IsSubComponent = true;
  model::AddItem(def, edit);
  const std::string question = "Should Text link with a sub-component property?";
  dialogs.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel, "Add property")
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectLinkProperty("Text links with", PropertyLink{"Edit1", ""})
      .ExpectBox(BoxKind::kInformation, "You have not entered a property name.")
      .ExpectLinkProperty("Text links with", PropertyLink{"Edit1", "Text"});
  EXPECT_FALSE(LinkNewProperty(def, model::NewPropertyItem("Text"), dialogs));
  const auto linked = LinkNewProperty(def, model::NewPropertyItem("Text"), dialogs);
  ASSERT_TRUE(linked);
  EXPECT_EQ(linked->Property().Link, "Edit1.Text");
  EXPECT_TRUE(linked->Property().UseReadMethod && linked->Property().UseWriteMethod);
}

TEST(LinkPropertyTest, SubComponentHelpIsOnTheVariablesType) {
  model::ComponentDef def;
  model::ItemDef edit = model::NewVariableItem("Edit1");
  edit.Variable().DataType = "TMaskEdit";
  model::AddItem(def, edit);
  EXPECT_EQ(SubComponentHelp(def, "Edit1", false), store::ClassHelpTopic("TMaskEdit", false));
  EXPECT_FALSE(SubComponentHelp(def, "EDIT1", false)) << "the name is matched exactly";
}

}  // namespace
}  // namespace kx::commands
