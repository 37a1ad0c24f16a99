// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/member_sets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::catalog {
namespace {

using model::ComponentDef;
using model::ItemKind;

// "OnClick PO" style summaries: name, then P for publish and O for override.
std::vector<std::string> Events(const ComponentDef& def) {
  std::vector<std::string> events;
  for (const model::ItemDef& item : def.Items()) {
    if (item.Kind() != ItemKind::ExistingEvent) continue;
    const auto& e = item.ExistingEvent();
    events.push_back(e.Name + " " + (e.Publish ? "P" : "") + (e.Override ? "O" : ""));
  }
  return events;
}

std::vector<std::string> FamilyEvents(const char* ancestor) {
  ComponentDef def;
  AddInheritedEventSet(def, ancestor);
  return Events(def);
}

using Names = std::vector<std::string>;

TEST(FamilyEventsTest, ByAncestor) {
  const Names mouse = {"OnClick PO",    "OnDblClick P",  "OnDragDrop P",
                       "OnMouseDown P", "OnMouseMove P", "OnMouseUp P"};
  const Names keys = {"OnKeyUp P", "OnKeyDown P", "OnKeyPress PO"};
  auto join = [](std::initializer_list<Names> parts) {
    Names all;
    for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const struct {
    const char* ancestor;
    Names events;
  } cases[] = {
      {"TLabel", mouse},
      {"TEdit", join({mouse, keys, {"OnEnter P", "OnExit P", "OnChange PO"}})},
      {"TPanel", join({mouse, keys, {"OnEnter P", "OnExit P", "OnResize P"}})},
      {"TStringGrid", join({mouse, keys, {"OnEnter P", "OnExit P", "OnDrawCell P"}})},
      {"TDBGrid", join({{"OnDblClick P", "OnDragDrop P"},
                        keys,
                        {"OnEnter P", "OnExit P", "OnDrawDataCell P"}})},
      {"TRichEdit", keys},
      {"TStatusBar", {"OnClick PO", "OnResize P"}},
      {"TCustomUpDown", {"OnClick PO"}},
      {"TImageList", {"OnChange PO"}},
      {"TTimer", {}},
      {"TClientSocket", {}},
      {"TNoSuchClass", {}},
      {"TRadioGroup", {"OnClick PO", "OnEnter P", "OnExit P"}},
      {"TMediaPlayer", {"OnClick P", "OnNotify P", "OnPostClick P", "OnEnter P", "OnExit P"}},
  };
  for (const auto& c : cases) EXPECT_EQ(FamilyEvents(c.ancestor), c.events) << c.ancestor;
}

TEST(MemberSetsTest, MediaPlayerSetSkipsATakenName) {
  ComponentDef def;
  model::ItemDef visible = model::NewPropertyItem("Visible");
  visible.Property().PropType = "Integer";
  model::AddItem(def, visible);
  AddMediaPlayerSet(def);
  EXPECT_EQ(def.Count(), 1 + 5 + 9);
  EXPECT_EQ(def.Item(1).Property().PropType, "Integer") << "the existing property is untouched";
  const model::ItemDef& click = def.Item(2);
  EXPECT_EQ(click.ExistingEvent().HandlerDecl,
            "Click(Button: TMPBtnType; var DoDefault : Boolean)");
  EXPECT_EQ(click.DefaultCode, model::DefaultCodeKind::kInheritedHandlerCall);
  const model::ItemDef& colored = def.Item(7);
  EXPECT_EQ(colored.Property().Name, "ColoredButtons");
  EXPECT_TRUE(colored.Property().Inherited);
  EXPECT_EQ(colored.Property().PropDefault,
            "[btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject]");
}

TEST(MemberSetsTest, FileDialogSetForOpenAndSaveDialogs) {
  ComponentDef def;
  AddFileDialogSet(def);
  ASSERT_EQ(def.Count(), 7);
  EXPECT_EQ(def.Item(3).Property().PropDefault, "'Text files (*.txt)|*.txt|All files (*.*)|*.*'");
  const model::ItemDef& execute = def.Item(7);
  EXPECT_EQ(execute.Method().Header, "Execute : Boolean");
  EXPECT_EQ(execute.Method().MethodKind, model::kFunction);
  EXPECT_TRUE(execute.Method().Override);
  EXPECT_EQ(execute.DefaultCode, model::DefaultCodeKind::kInheritedFunctionCall);
}

TEST(MemberSetsTest, ThreadSetAddsSetResourceFlagOnlyForSharingThreads) {
  for (const char* ancestor : {"TNewThread", "tsharingthread"}) {
    ComponentDef def;
    def.MainInfo.VCLAncestorName = ancestor;
    AddThreadSet(def);
    const bool sharing = std::string(ancestor) == "tsharingthread";
    ASSERT_EQ(def.Count(), sharing ? 4 : 3) << ancestor;
    EXPECT_EQ(def.Item(1).Descr, "Termination of thread");
    EXPECT_EQ(def.Item(3).Method().Scope, model::kScopeProtected);
    EXPECT_EQ(def.Item(3).DefaultCode, model::DefaultCodeKind::kThreadExecute);
    if (sharing) {
      EXPECT_EQ(def.Item(4).DefaultCode, model::DefaultCodeKind::kInheritedProcedureCall);
    }
  }
}

TEST(MemberSetsTest, AFullDefinitionTakesNothingAndDoesNotFail) {
  ComponentDef def;
  for (int i = 0; i < model::kMaxItems; ++i)
    model::AddItem(def, model::NewVariableItem("V" + std::to_string(i)));
  AddFamilyEvents(def, "TEdit");
  AddFileDialogSet(def);
  EXPECT_EQ(def.Count(), model::kMaxItems);
}

}  // namespace
}  // namespace kx::catalog
