// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/definition_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "catalog/class_catalog.h"
#include "catalog/new_definition.h"
#include "catalog/type_classes.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/scripted_dialogs.h"

namespace kx::commands {
namespace {

using model::ComponentDef;
using model::ItemDef;
using model::PropSpecialType;
using ::testing::HasSubstr;

// A new component as the template makes it: Create, Destroy and Loaded with their default code.
ComponentDef Sound(std::string_view parent = "TComponent") {
  ComponentDef def;
  catalog::NewDefinitionFromParent(def, "TProbe", parent, {}, catalog::ClassFamilyOf(parent),
                                   catalog::UnitOfClass(parent), store::Settings{});
  def.MainInfo.UnitName = "Probe";
  return def;
}

ItemDef Property(std::string_view name, std::string_view type, std::string_view value = {}) {
  ItemDef item = model::NewPropertyItem(name);
  item.Property().PropType = type;
  item.Property().PropDefault = value;
  item.Property().Special = catalog::DefaultSpecialKind(item.Property());
  return item;
}

// An object property as the properties page makes it: written through Assign.
ItemDef ObjectProperty(std::string_view name, std::string_view type, std::string_view value = {}) {
  ItemDef item = Property(name, type, value);
  item.Property().UseWriteMethod = true;
  return item;
}

void Add(ComponentDef& def, ItemDef item) {
  ASSERT_EQ(model::AddItem(def, std::move(item)), model::AddResult::Added);
}

ItemDef& MethodNamed(ComponentDef& def, std::string_view name) {
  for (int n = 1; n <= def.Count(); ++n) {
    if (model::SameText(model::ItemName(def.Item(n)), name)) return def.Item(n);
  }
  throw std::logic_error("no item " + std::string(name));
}

TEST(DefinitionChecksTest, EachCheckFindsTheDefinitionThatTriggersIt) {
  const struct {
    std::string_view check;
    std::string_view item;
    std::string_view fix;  // the part of the message that says how to fix it
    std::function<void(ComponentDef&)> make;
  } cases[] = {
      {"default-type", "Count", "Enter a default value the type can hold",
       [](ComponentDef& def) { Add(def, Property("Count", "Integer", "500e")); }},
      {"default-type", "Ratio", "change the type",
       [](ComponentDef& def) {
         ItemDef v = model::NewVariableItem("Ratio");
         v.Variable().DataType = "Boolean";
         v.Variable().Default = "'yes'";
         Add(def, v);
       }},
      {"default-unset", "Total", "set the value in the constructor",
       [](ComponentDef& def) {
         ItemDef p = Property("Total", "Integer", "3");
         p.Property().ReadOnly = true;
         Add(def, p);
       }},
      {"default-unset", "Lines", "Clear the default value",
       [](ComponentDef& def) { Add(def, ObjectProperty("Lines", "TStrings", "nil")); }},
      {"default-storage", "Level", "Let the property start at its default value",
       [](ComponentDef& def) {
         ItemDef p = Property("Level", "Integer", "2");
         p.Property().UseReadMethod = true;
         p.Property().ReadCode = std::vector<std::string>{"begin", "     Result := 0;", "end;"};
         Add(def, p);
       }},
      {"default-storage", "Depth", "Let the property start at its default value",
       [](ComponentDef& def) {
         Add(def, Property("Depth", "Integer", "2"));
         MethodNamed(def, "Create").Code =
             std::vector<std::string>{"begin", "     inherited Create(AOwner);",
                                      "     AutoInitialize;", "     FDepth := 5;", "end;"};
       }},
      {"auto-call", "Create", "Call AutoInitialize in its code",
       [](ComponentDef& def) {
         MethodNamed(def, "Create").Code = std::vector<std::string>{
             "begin", "     inherited Create(AOwner);", "     { AutoInitialize; }", "end;"};
       }},
      {"auto-call", "", "Add a destructor Destroy that calls AutoDestroy",
       [](ComponentDef& def) {
         Add(def, ObjectProperty("Lines", "TStrings"));
         model::DeleteItem(def, model::FindName(def, "Destroy").index);
       }},
      {"object-assign", "Font", "with a write method that calls FFont.Assign(Value)",
       [](ComponentDef& def) { Add(def, Property("Font", "TFont")); }},
      {"object-assign", "Pen", "Choose the special kind",
       [](ComponentDef& def) {
         ItemDef p = Property("Pen", "TPen");
         p.Property().UseWriteMethod = true;
         p.Code = std::vector<std::string>{"begin", "     FPen := Value;", "end;"};
         Add(def, p);
       }},
      {"object-assign", "Clock", "Make the property read-only.",
       [](ComponentDef& def) {
         ItemDef p = Property("Clock", "TTimer");
         p.Property().Special = PropSpecialType::psObjectAutoCreate;
         Add(def, p);
       }},
      {"link-notification", "Buddy", "Choose the special kind",
       [](ComponentDef& def) {
         ItemDef p = Property("Buddy", "TButton");
         p.Property().Special = PropSpecialType::psNone;
         Add(def, p);
       }},
      {"event-arglist", "OnPick", "Give each parameter its type",
       [](ComponentDef& def) {
         ItemDef e = model::NewEventItem("OnPick");
         e.NewEvent().Arglist = "(Sender : TObject; Index)";
         Add(def, e);
       }},
      {"event-arglist", "OnPeek", "Give each parameter its type",
       [](ComponentDef& def) {
         ItemDef e = model::NewEventItem("OnPeek");
         e.NewEvent().Arglist = "(Sender : TObject; 2nd : Integer)";
         Add(def, e);
       }},
      {"hides-inherited", "Click", "Mark the method Override",
       [](ComponentDef& def) {
         def = Sound("TButton");
         model::DeleteItem(def, model::FindName(def, "OnClick").index);
         Add(def, model::NewMethodItem("Click"));
       }},
      {"hides-inherited", "OnKeyUp", "Rename it",
       [](ComponentDef& def) {
         def = Sound("TEdit");
         model::DeleteItem(def, model::FindName(def, "OnKeyUp").index);
         Add(def, Property("OnKeyUp", "TNotifyEvent"));
       }},
  };
  ASSERT_THAT(CheckDefinition(Sound()), ::testing::IsEmpty());
  ASSERT_THAT(CheckDefinition(Sound("TButton")), ::testing::IsEmpty());
  std::vector<std::string_view> covered;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.check) + " " + std::string(c.item));
    ComponentDef def = Sound();
    c.make(def);
    const std::vector<DefinitionFinding> findings = CheckDefinition(def);
    ASSERT_EQ(findings.size(), 1u) << (findings.empty() ? "" : FindingText(findings[0]));
    EXPECT_EQ(findings[0].check, c.check);
    EXPECT_EQ(findings[0].item, c.item);
    EXPECT_THAT(findings[0].message, HasSubstr(c.fix));
    covered.push_back(c.check);
  }
  for (const DefinitionCheck& check : DefinitionChecks()) {
    EXPECT_NE(std::find(covered.begin(), covered.end(), check.name), covered.end()) << check.name;
  }
}

TEST(DefinitionChecksTest, TheExamplesTriggerNone) {
  int read = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KX_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".cd") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ComponentDef def;
    ASSERT_TRUE(store::ParseDefinition(text.str(), entry.path().string(), def,
                                       catalog::StandardClassRules(), "")
                    .ok);
    ++read;
    for (const DefinitionFinding& finding : CheckDefinition(def)) {
      ADD_FAILURE() << entry.path().filename() << ": " << FindingText(finding);
    }
  }
  EXPECT_GE(read, 3);
}

TEST(DefinitionChecksTest, GenerationAsksOnlyWhenSomethingIsFound) {
  testing::ScriptedDialogs dialogs;
  EXPECT_TRUE(ConfirmDefinitionChecks(Sound(), dialogs));

  ComponentDef def = Sound();
  Add(def, Property("Font", "TFont"));
  dialogs.ExpectDefinitionFindings(false);
  EXPECT_FALSE(ConfirmDefinitionChecks(def, dialogs));
  dialogs.ExpectDefinitionFindings(true);
  EXPECT_TRUE(ConfirmDefinitionChecks(def, dialogs));
  ASSERT_EQ(dialogs.findings_shown().size(), 2u);
  EXPECT_EQ(dialogs.findings_shown()[0], CheckDefinition(def));
  // The checks look at a prepared copy: the definition keeps its absent code.
  EXPECT_FALSE(MethodNamed(def, "Font").Code.has_value());
}

}  // namespace
}  // namespace kx::commands
