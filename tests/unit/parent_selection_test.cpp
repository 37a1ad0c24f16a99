// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalog/class_catalog.h"
#include "catalog/parent_choices.h"
#include "commands/parent_dialog_model.h"
#include "commands/parent_selection_flow.h"
#include "commands/session.h"
#include "model/text.h"
#include "store/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

using catalog::ParentChoice;
using catalog::ParentSelection;
using catalog::ParentView;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using ::testing::HasSubstr;

// The index of the outline node with exactly this text.
int Node(std::string_view text) {
  const auto nodes = catalog::OutlineNodes();
  const auto found = std::find_if(nodes.begin(), nodes.end(),
                                  [&](const catalog::OutlineNode& n) { return n.text == text; });
  EXPECT_NE(found, nodes.end()) << text;
  return static_cast<int>(found - nodes.begin());
}

ParentChoice Outline(std::string_view text) {
  return {.view = ParentView::kOutline, .outline_node = Node(text)};
}
ParentChoice List(std::string text) { return {.view = ParentView::kList, .list_text = text}; }
ParentChoice Express(int item) { return {.view = ParentView::kExpress, .express_item = item}; }
ParentChoice Custom(std::string name) {
  return {.view = ParentView::kCustom, .custom_class = std::move(name)};
}

// ---------------------------------------------------------------------------------------
// The views' contents.

TEST(ParentSelectionViewsTest, TheListViewHoldsTheStandardClassesSorted) {
  const auto classes = catalog::ListViewClasses();
  ASSERT_FALSE(classes.empty());
  EXPECT_EQ(classes.front(), "TAnimate");
  EXPECT_EQ(classes.back(), "TUpDown");
  std::set<std::string> seen;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    EXPECT_TRUE(catalog::IsStandardClass(classes[i])) << classes[i];
    EXPECT_TRUE(seen.insert(model::UpperCase(classes[i])).second) << classes[i] << " twice";
    if (i > 0) {
      EXPECT_LT(model::UpperCase(classes[i - 1]), model::UpperCase(classes[i]))
          << "the combo box is sorted";
    }
  }
}

TEST(ParentSelectionViewsTest, TheOutlineLeavesAreTheClassesOfTheListView) {
  const auto nodes = catalog::OutlineNodes();
  std::set<std::string> leaves;
  for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
    if (i + 1 < static_cast<int>(nodes.size())) {
      EXPECT_LE(nodes[i + 1].level, nodes[i].level + 1) << "no level is skipped";
    }
    if (nodes[i].level == 0) {
      EXPECT_EQ(catalog::OutlineNodeHasChildren(i), i != catalog::WrapperOutlineNode())
          << nodes[i].text;
    } else if (!catalog::OutlineNodeHasChildren(i)) {
      leaves.insert(catalog::SelectedClassName({.view = ParentView::kOutline, .outline_node = i}));
    }
  }
  const auto list = catalog::ListViewClasses();
  std::set<std::string> expected(list.begin(), list.end());
  expected.erase("TSplitter");  // only the List view offers it
  EXPECT_EQ(leaves, expected);
  EXPECT_EQ(catalog::WrapperOutlineNode(), static_cast<int>(nodes.size()) - 1);
}

TEST(ParentSelectionViewsTest, OutlineLinesAreIndentedByATabPerLevel) {
  const std::vector<std::string> lines = catalog::OutlineLines();
  ASSERT_EQ(lines.size(), catalog::OutlineNodes().size());
  EXPECT_EQ(lines[0], "Derived from Delphi visual component");
  EXPECT_EQ(lines[1], "\tBevel");
  EXPECT_EQ(lines[2], "\t\tTBevel");
  EXPECT_EQ(lines[6], "\t\tTCustomUpDown (Delphi 2.0+)");
  EXPECT_EQ(lines.back(), "Wrapper for Delphi form");
}

TEST(ParentSelectionViewsTest, ExpressItemsAndTheirClasses) {
  const auto items = catalog::ExpressItems();
  const auto classes = catalog::ExpressClasses();
  ASSERT_EQ(items.size(), 13u);
  ASSERT_EQ(classes.size(), 12u);
  EXPECT_EQ(items[0], "Non-visual component (TComponent)");
  EXPECT_EQ(items[6], "Data-aware grid (TDBGrid)");
  EXPECT_EQ(items[catalog::kExpressContainerItem],
            "Multiple-component container imported from a form");
  EXPECT_EQ(items[catalog::kExpressWrapperItem], "Wrapper around a form");
  for (std::string_view name : classes) EXPECT_TRUE(catalog::IsStandardClass(name)) << name;
}

// ---------------------------------------------------------------------------------------
// Which class a view selects, and what is enabled.

TEST(ParentSelectionRulesTest, SelectedClassPerView) {
  const struct {
    ParentChoice choice;
    std::string name;
    bool class_selection;
    bool ok_with_forms;
    bool ok_without_forms;
    bool wrapper;
  } cases[] = {
      {Outline("TCustomUpDown (Delphi 2.0+)"), "TCustomUpDown", true, true, true, false},
      {Outline("TPanel (normal container component)"), "TPanel", true, true, true, false},
      {Outline("TBevel"), "TBevel", true, true, true, false},
      // A group: its text up to the first blank, but neither a class nor acceptable.
      {Outline("Buttons"), "Buttons", false, false, false, false},
      {Outline("Derived from Delphi visual component"), "Derived", false, false, false, false},
      {Outline("Can receive input focus; drawn with Canvas or Win API"), "Can", false, false, false,
       false},
      // The top-level leaf: accepted only where forms are.
      {Outline("Wrapper for Delphi form"), "Wrapper", false, true, false, true},
      {{.view = ParentView::kOutline, .outline_node = -1}, "", false, false, false, false},
      {{.view = ParentView::kOutline, .outline_node = 100000}, "", false, false, false, false},
      {List("tedit"), "tedit", true, true, true, false},
      {List("  TMyGrid "), "TMyGrid", true, true, true, false},
      {List("TX"), "TX", true, true, true, false},
      {List("T"), "T", false, false, false, false},
      {List(" T  "), "T", false, false, false, false},
      {List(""), "", false, false, false, false},
      // The page decides: the outline's wrapper selection does not count on the List view.
      {{.view = ParentView::kList,
        .outline_node = Node("Wrapper for Delphi form"),
        .list_text = "TEdit"},
       "TEdit",
       true,
       true,
       true,
       false},
      {Express(0), "TComponent", true, true, true, false},
      {Express(6), "TDbGrid", true, true, true, false},
      {Express(10), "TMediaPlayer", true, true, true, false},
      {Express(catalog::kExpressContainerItem), "TPanel", true, true, false, false},
      {Express(catalog::kExpressWrapperItem), "", false, true, false, true},
      {Express(13), "", false, false, false, false},
      {Express(-1), "", false, false, false, false},
      {Custom("TMyGrid"), "TMyGrid", true, true, true, false},
      {Custom(""), "", false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.choice.view));
    SCOPED_TRACE(c.name);
    EXPECT_EQ(catalog::SelectedClassName(c.choice), c.name);
    EXPECT_EQ(catalog::IsClassSelection(c.choice), c.class_selection);
    EXPECT_EQ(catalog::CanAccept(c.choice, true), c.ok_with_forms);
    EXPECT_EQ(catalog::CanAccept(c.choice, false), c.ok_without_forms);
    EXPECT_EQ(catalog::ChoosesWrapper(c.choice), c.wrapper);
  }
}

TEST(ParentSelectionRulesTest, ClassHelp) {
  using store::HelpAction;
  using store::HelpFile;
  EXPECT_EQ(catalog::SelectedClassHelp(Outline("TSharingThread (Delphi 2.0+)"), false),
            (store::HelpTopic{HelpFile::kThreads, HelpAction::kContents, "", 0}));
  EXPECT_EQ(catalog::SelectedClassHelp(Outline("TRzBusinessComponent"), false),
            (store::HelpTopic{HelpFile::kProduct, HelpAction::kContext, "", 514}));
  EXPECT_EQ(catalog::SelectedClassHelp(List("TCustomEdit"), false),
            (store::HelpTopic{HelpFile::kCwg, HelpAction::kKeyword, "TCustomEdit component", 0}));
  EXPECT_EQ(catalog::SelectedClassHelp(Express(1), true),
            (store::HelpTopic{HelpFile::kDelphi, HelpAction::kKeyword, "TEdit", 0}));
  EXPECT_EQ(catalog::SelectedClassHelp(Express(catalog::kExpressWrapperItem), false), std::nullopt);
  EXPECT_EQ(catalog::SelectedClassHelp(Outline("Buttons"), false), std::nullopt);
}

TEST(ParentSelectionRulesTest, PreselectingTheCurrentParent) {
  ParentChoice choice = List("TWhatever");
  catalog::PreselectParent(choice, "tcustomupdown");
  EXPECT_EQ(choice.view, ParentView::kOutline);
  EXPECT_EQ(choice.outline_node, Node("TCustomUpDown (Delphi 2.0+)"));
  EXPECT_EQ(choice.list_text, "tcustomupdown");

  // The last of two nodes naming it.
  catalog::PreselectParent(choice, "TMediaPlayer");
  EXPECT_EQ(choice.outline_node, Node("TToolBar (Delphi 3.0+)") - 1);
  EXPECT_EQ(catalog::SelectedClassName(choice), "TMediaPlayer");

  catalog::PreselectParent(choice, "TPanel");
  EXPECT_EQ(choice.outline_node, Node("TPanel (normal container component)"));

  // No leaf names a custom class, and a group is not a parent.
  catalog::PreselectParent(choice, "TMyGrid");
  EXPECT_EQ(choice.outline_node, -1);
  EXPECT_EQ(choice.list_text, "TMyGrid");
  catalog::PreselectParent(choice, "Thread");
  EXPECT_EQ(choice.outline_node, -1);
}

// ---------------------------------------------------------------------------------------
// The dialog's own rules: buttons, outline, completion, focus.

TEST(ParentDialogModelTest, EnabledButtons) {
  using B = ParentDialogButtons;
  const struct {
    ParentChoice choice;
    bool allow_forms;
    bool registry;
    B enabled;
  } cases[] = {
      {Express(0), true, true, {.ok = true, .class_help = true, .add = true}},
      // The wrapper is no class: OK without Class help, and only where forms are allowed.
      {Express(catalog::kExpressWrapperItem), true, true, {.ok = true, .add = true}},
      {Express(catalog::kExpressWrapperItem), false, true, {.add = true}},
      {Outline("Buttons"), true, true, {.add = true}},
      {List("T"), true, false, {}},
      // Edit and Delete follow the Custom view's selection, whichever page is shown, and need
      // a registry to act on.
      {{.view = ParentView::kList, .list_text = "TEdit", .custom_class = "TMyGrid"},
       true,
       true,
       {.ok = true, .class_help = true, .add = true, .edit = true, .del = true}},
      {Custom("TMyGrid"), true, false, {.ok = true, .class_help = true}},
      {Custom(""), true, true, {.add = true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(catalog::SelectedClassName(c.choice) + (c.allow_forms ? " forms" : "") +
                 (c.registry ? " registry" : ""));
    const B got = ParentDialogModel(c.allow_forms, c.registry).Buttons(c.choice);
    EXPECT_EQ(got.ok, c.enabled.ok);
    EXPECT_EQ(got.class_help, c.enabled.class_help);
    EXPECT_EQ(got.add, c.enabled.add);
    EXPECT_EQ(got.edit, c.enabled.edit);
    EXPECT_EQ(got.del, c.enabled.del);
  }
}

TEST(ParentDialogModelTest, OutlineExpansion) {
  const int edit = Node("TEdit");
  const int group = Node("Edit boxes");
  const int top = Node("Derived from Delphi visual component");
  const struct {
    ParentChoice shown;
    bool allow_forms;
    OutlineExpansion expected;
  } cases[] = {
      {Outline("TEdit"), true, {.expanded = {group, top}, .current = edit}},
      {Outline("TEdit"), false, {.expand_all = true, .expanded = {group, top}, .current = edit}},
      {Outline("Edit boxes"), true, {.expanded = {top}, .current = group}},
      {Outline("Wrapper for Delphi form"), true, {.current = catalog::WrapperOutlineNode()}},
      // Another page shown still leaves its outline selection in place.
      {{.view = ParentView::kList, .outline_node = edit},
       true,
       {.expanded = {group, top}, .current = edit}},
      {{.view = ParentView::kOutline, .outline_node = -1}, false, {.expand_all = true}},
      {{.view = ParentView::kOutline, .outline_node = 100000}, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown.outline_node);
    const OutlineExpansion got = ParentDialogModel(c.allow_forms, true).Expansion(c.shown);
    EXPECT_EQ(got.expand_all, c.expected.expand_all);
    EXPECT_EQ(got.expanded, c.expected.expanded);
    EXPECT_EQ(got.current, c.expected.current);
  }
  EXPECT_EQ(OutlineParent(top), -1);
  EXPECT_EQ(OutlineParent(-1), -1);
  EXPECT_EQ(OutlineParent(static_cast<int>(catalog::OutlineNodes().size())), -1);
}

// One session of typing in the List view: each step is the text as a key left it.
TEST(ParentDialogModelTest, ListTypeAhead) {
  const struct {
    std::string typed;
    std::optional<ListCompletion> completed;
  } steps[] = {
      {"t", ListCompletion{"TAnimate", 1}},  // any case; the first class in the list's order
      {"te", ListCompletion{"TEdit", 2}},    // the key replaced the completed part
      {"tex", std::nullopt},                 // no class starts so
      {"te", std::nullopt},                  // a deletion completes nothing
      {"", std::nullopt},
      {"TCustomE", ListCompletion{"TCustomEdit", 8}},  // pasted at once
      {"TCustomEx", std::nullopt},
      {"TCustomEy", std::nullopt},  // replaced, not grown
      {"?", std::nullopt},          // what the box cannot hold matches nothing
      {"TCustomEditX", std::nullopt},
  };
  ParentDialogModel model(true, true);
  for (const auto& step : steps) {
    SCOPED_TRACE(step.typed);
    EXPECT_EQ(model.ListTyped(step.typed), step.completed);
  }
}

TEST(ParentDialogModelTest, FocusOnShow) {
  EXPECT_EQ(ParentDialogModel::FocusOnShow(Outline("TEdit")), ParentFocus::kOutline);
  EXPECT_EQ(ParentDialogModel::FocusOnShow(List("")), ParentFocus::kList);
  EXPECT_EQ(ParentDialogModel::FocusOnShow(Express(3)), ParentFocus::kExpressItem);
  EXPECT_EQ(ParentDialogModel::FocusOnShow(Custom("TMyGrid")), ParentFocus::kCustomList);
  // Focusing a list without a current row would select its first row for the user.
  EXPECT_EQ(ParentDialogModel::FocusOnShow(Custom("")), ParentFocus::kAddButton);
}

// ---------------------------------------------------------------------------------------
// OK.

constexpr std::string_view kTextForm =
    "object AboutBox: TAboutBox\r\n  Left = 200\r\n  Caption = 'About'\r\nend\r\n";

// Records the input box's caption, which ScriptedDialogs does not check.
class InputRecordingDialogs : public ScriptedDialogs {
 public:
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial_text) override {
    captions.emplace_back(caption);
    return ScriptedDialogs::InputBox(caption, prompt, initial_text);
  }
  std::vector<std::string> captions;
};

class ParentSelectorTest : public ::testing::Test {
 protected:
  std::optional<ParentSelection> SelectNew(ParentChoice answer) {
    dialogs_.ExpectSelectParent(std::move(answer));
    return selector_.SelectForNewDefinition();
  }
  void Register(std::string_view name, std::string_view ancestor, std::string_view unit) {
    registry_.SetCustomClass(name, ancestor, unit);
    ASSERT_TRUE(registry_.Save().ok());
  }

  TempDir dir_;
  std::filesystem::path settings_file_ = dir_ / "Kestrix.ini";
  InputRecordingDialogs dialogs_;
  catalog::CustomClassRegistry registry_{settings_file_};
  ParentSelector selector_{dialogs_, registry_};
};

TEST_F(ParentSelectorTest, AStandardClassFromEachView) {
  const struct {
    ParentChoice choice;
    ParentSelection selection;
  } cases[] = {
      {Express(6), {"TDbGrid", "TDbGrid", 2, "Dbgrids"}},
      {Outline("TCustomUpDown (Delphi 2.0+)"), {"TCustomUpDown", "TCustomUpDown", 7, "Comctrls"}},
      {List("tedit"), {"TEdit", "TEdit", 2, "Stdctrls"}},
      {Outline("TLabel"), {"TLabel", "TLabel", 1, "Stdctrls"}},
      {Express(10), {"TMediaPlayer", "TMediaPlayer", 9, "Mplayer"}},
      {Outline("TResourceFlag (Delphi 2.0+)"), {"TResourceFlag", "TResourceFlag", 0, "Kxthread"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selection.class_name);
    EXPECT_EQ(SelectNew(c.choice), c.selection);
    EXPECT_EQ(selector_.choice(), c.choice) << "the dialog keeps what the user left";
  }
  EXPECT_TRUE(dialogs_.boxes().empty());
}

// Settings that cannot be read are told instead of showing a registry that seems empty; the
// dialog does not open.
TEST_F(ParentSelectorTest, UnreadableSettingsAreToldAndNothingIsSelected) {
  catalog::CustomClassRegistry unreadable(dir_.path());
  ParentSelector selector(dialogs_, unreadable);
  dialogs_.ExpectBox(BoxKind::kError,
                     dir_.path().string() + " could not be read (" +
                         std::make_error_code(std::errc::is_a_directory).message() + ")");
  EXPECT_EQ(selector.SelectForNewDefinition(), std::nullopt);
  EXPECT_TRUE(dialogs_.parent_requests().empty());
}

TEST_F(ParentSelectorTest, TheDialogOpensAsTheUserLeftIt) {
  Register("TZeta", "TEdit", "Zeta");
  Register("talpha", "TMemo", "Alpha");
  Register("TBeta", "TPanel", "Beta");
  dialogs_.ExpectSelectParent(std::nullopt);
  EXPECT_EQ(selector_.SelectForNewDefinition(), std::nullopt);
  ASSERT_EQ(dialogs_.parent_requests().size(), 1u);
  const ParentSelectionRequest first = dialogs_.parent_requests()[0];
  EXPECT_TRUE(first.allow_forms);
  EXPECT_EQ(first.shown, Express(0)) << "the first item at first";
  EXPECT_NE(first.custom_page, nullptr);
  EXPECT_EQ(first.custom_classes, (std::vector<std::string>{"talpha", "TBeta", "TZeta"}))
      << "the Custom view lists the registry sorted";

  ASSERT_TRUE(SelectNew(List("TMemo")));
  dialogs_.ExpectSelectParent(std::nullopt);
  selector_.SelectForNewDefinition();
  EXPECT_EQ(dialogs_.parent_requests().back().shown, List("TMemo"));
}

TEST_F(ParentSelectorTest, ARegisteredClassStandsForItsAncestor) {
  Register("TMyGrid", "TStringGrid", "MyGrids");
  EXPECT_EQ(SelectNew(Custom("TMyGrid")),
            (ParentSelection{"TMyGrid", "TStringGrid", 2, "MyGrids"}));
  // Typed in another case: the class as typed, first two characters upper-cased.
  EXPECT_EQ(SelectNew(List("tmygrid")), (ParentSelection{"TMygrid", "TStringGrid", 2, "MyGrids"}));
}

// Declining to register, or cancelling the registration, shows the dialog again as it was.
TEST_F(ParentSelectorTest, AnUnknownClassIsRegisteredOrTheDialogStaysOpen) {
  const std::string question =
      "TMygrid is not in Kestrix's list of standard VCL classes and is not in your list of custom "
      "and third-party classes.  Do you want to add it now?";
  dialogs_.ExpectSelectParent(List("tmygrid"))
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel, "Select parent class",
                 Buttons::kYesCancel)
      .ExpectSelectParent(List("tmygrid"))
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectRegisterClass(std::nullopt)
      .ExpectSelectParent(std::nullopt);
  EXPECT_EQ(selector_.SelectForNewDefinition(), std::nullopt);
  ASSERT_EQ(dialogs_.parent_requests().size(), 3u);
  EXPECT_EQ(dialogs_.parent_requests()[1].shown, List("tmygrid"));
  EXPECT_EQ(dialogs_.parent_requests()[2].shown, List("tmygrid"));
  EXPECT_FALSE(std::filesystem::exists(settings_file_)) << "nothing changed, nothing written";

  dialogs_.ExpectSelectParent(List("tmygrid"))
      .ExpectBox(BoxKind::kConfirmation, question, Answer::kYes)
      .ExpectRegisterClass(ClassRegistration{"TCustomGrid", "MyGrids", false});
  EXPECT_EQ(selector_.SelectForNewDefinition(),
            (ParentSelection{"TMygrid", "TCustomGrid", 2, "MyGrids"}));
  EXPECT_EQ(dialogs_.registration_requests().back().class_name, "TMygrid");
  // Registered, and written when the dialog closed.
  EXPECT_EQ(catalog::CustomClassRegistry(settings_file_).FindCustomClass("TMYGRID"),
            (catalog::CustomClassEntry{"TMygrid", "TCustomGrid", "MyGrids"}));
}

TEST_F(ParentSelectorTest, ARegistrationOutlivesACancel) {
  dialogs_.ExpectSelectParent(List("TMyPanel"))
      .ExpectBox(BoxKind::kConfirmation, catalog::UnregisteredClassQuestion("TMyPanel"),
                 Answer::kYes)
      .ExpectRegisterClass(ClassRegistration{"TPanel", "Mypanels", false})
      .ExpectBox(BoxKind::kConfirmation, std::string(kContainerQuestion), Answer::kYes)
      .ExpectOpenFile(std::nullopt);
  EXPECT_EQ(selector_.SelectForNewDefinition(), std::nullopt);
  EXPECT_THAT(TempDir::Read(settings_file_), HasSubstr("[Class.TMyPanel]"));
}

TEST_F(ParentSelectorTest, WrappingAForm) {
  const auto form = dir_.Write("AboutBox.dfm", kTextForm);
  dialogs_.ExpectSelectParent(Express(catalog::kExpressWrapperItem)).ExpectOpenFile(form);
  const ParentSelection wrapper{
      "TComponent",
      "TComponent",
      0,
      "",
      true,
      {model::FormModeKind::kWrapsForm, "TAboutBox", "AboutBox", "Aboutbox", form.string()}};
  EXPECT_EQ(selector_.SelectForNewDefinition(), wrapper);
  EXPECT_EQ(catalog::UnitForNewDefinition(wrapper), "Aboutbox");
  const FileDialogRequest& request = dialogs_.file_requests().at(0);
  EXPECT_EQ(request.title, "Select form for component to wrap");
  EXPECT_EQ(request.filter, "Delphi forms (*.dfm)|*.dfm");
  EXPECT_EQ(request.default_ext, "dfm");
  EXPECT_TRUE(request.must_exist);

  // The outline's wrapper node does the same.
  dialogs_.ExpectSelectParent(Outline("Wrapper for Delphi form")).ExpectOpenFile(form);
  EXPECT_EQ(selector_.SelectForNewDefinition(), wrapper);
}

// What a wrapper's form file that is not taken, not a form or unreadable leads to.
TEST_F(ParentSelectorTest, TheWrappedFormFile) {
  const auto not_a_form = dir_.Write("about.txt", kTextForm);
  const auto missing = dir_ / "gone.dfm";
  const auto empty = dir_.Write("Blank.DFM", "nothing here\r\n");
  const struct {
    std::optional<std::filesystem::path> chosen;
    std::optional<std::pair<BoxKind, std::string>> box;
    std::optional<model::FormDef> form;
  } cases[] = {
      {std::nullopt, std::nullopt, std::nullopt},
      {not_a_form, {{BoxKind::kWarning, "You did not select a form (DFM) file"}}, std::nullopt},
      {missing,
       {{BoxKind::kConfirmation,
         "Could not read " + missing.string() + ".  Do you want to select another form file?"}},
       std::nullopt},
      // A .dfm without an object is named after its file.
      {empty,
       {{BoxKind::kWarning, "You did not select a form (DFM) file.  "}},
       model::FormDef{model::FormModeKind::kWrapsForm, "TBlank", "Blank", "Blank", empty.string()}},
  };
  for (const auto& c : cases) {
    dialogs_.ExpectSelectParent(Express(catalog::kExpressWrapperItem)).ExpectOpenFile(c.chosen);
    if (c.box) dialogs_.ExpectBox(c.box->first, c.box->second, Answer::kNo);
    const std::optional<ParentSelection> selection = selector_.SelectForNewDefinition();
    EXPECT_EQ(selection.has_value(), c.form.has_value());
    if (selection && c.form) {
      EXPECT_EQ(selection->form, *c.form);
    }
  }
  EXPECT_EQ(dialogs_.parent_requests().size(), 4u) << "the dialog was not shown again";
}

// A container or business component asks for a form to import: No keeps the plain class,
// Yes asks for the form, and cancelling that cancels the selection.
TEST_F(ParentSelectorTest, TheFormQuestions) {
  Register("TMyPanel", "TCustomPanel", "Mypanels");
  const auto form = dir_.Write("panels.dfm", kTextForm);
  struct Question {
    std::string text, caption, file_title;
  };
  const Question container{"Import the container layout from a container in a form (.DFM) file?",
                           "Create container component", "Select form with container to import"};
  const Question fields{"Import the list of fields from a form (.DFM) file?",
                        "New component definition", "Select form with fields to import"};
  const struct {
    ParentChoice choice;
    Question question;
    ParentSelection selection;
  } cases[] = {
      {Express(catalog::kExpressContainerItem), container, {"TPanel", "TPanel", 2, "Extctrls"}},
      {Outline("TScrollBox (scrolling view of sub-components)"),
       container,
       {"TScrollBox", "TScrollBox", 2, "Forms"}},
      {List("TGroupBox"), container, {"TGroupBox", "TGroupBox", 2, "Stdctrls"}},
      {Custom("TMyPanel"), container, {"TMyPanel", "TCustomPanel", 2, "Mypanels"}},
      {Outline("TRzBusinessComponent"),
       fields,
       {"TRzBusinessComponent", "TRzBusinessComponent", 0, "Rzbizcmp"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selection.class_name);
    dialogs_.ExpectSelectParent(c.choice).ExpectBox(
        BoxKind::kConfirmation, c.question.text, Answer::kNo, c.question.caption, Buttons::kYesNo);
    EXPECT_EQ(selector_.SelectForNewDefinition(), c.selection);

    dialogs_.ExpectSelectParent(c.choice)
        .ExpectBox(BoxKind::kConfirmation, c.question.text, Answer::kYes)
        .ExpectOpenFile(form);
    ParentSelection imported = c.selection;
    imported.form = {model::FormModeKind::kImported, "TAboutBox", "AboutBox", "Panels",
                     form.string()};
    EXPECT_EQ(selector_.SelectForNewDefinition(), imported);
    EXPECT_EQ(dialogs_.file_requests().back().title, c.question.file_title);

    dialogs_.ExpectSelectParent(c.choice)
        .ExpectBox(BoxKind::kConfirmation, c.question.text, Answer::kYes)
        .ExpectOpenFile(std::nullopt);
    EXPECT_EQ(selector_.SelectForNewDefinition(), std::nullopt);
  }
}

TEST_F(ParentSelectorTest, ChangingTheParentAsksNoFormQuestion) {
  dialogs_.ExpectSelectParent(Outline("TPanel (normal container component)"));
  const std::optional<ParentSelection> selection = selector_.SelectNewParent("TEdit");
  ASSERT_TRUE(selection);
  EXPECT_EQ(*selection, (ParentSelection{"TPanel", "TPanel", 2, "Extctrls", false}));
  const ParentSelectionRequest& request = dialogs_.parent_requests().at(0);
  EXPECT_FALSE(request.allow_forms);
  EXPECT_EQ(request.shown.view, ParentView::kOutline);
  EXPECT_EQ(request.shown.outline_node, Node("TEdit"));
  EXPECT_EQ(request.shown.list_text, "TEdit");
}

TEST_F(ParentSelectorTest, AChoiceWhoseOkIsDisabledIsNotTrusted) {
  // The change-parent dialog leaves OK disabled on these; a front end that still confirms
  // one is treated as cancelling.
  for (const ParentChoice& choice :
       {Outline("Wrapper for Delphi form"), Express(catalog::kExpressContainerItem),
        Express(catalog::kExpressWrapperItem), Outline("Buttons"), List("T")}) {
    dialogs_.ExpectSelectParent(choice);
    EXPECT_EQ(selector_.SelectNewParent("TEdit"), std::nullopt);
  }
  EXPECT_TRUE(dialogs_.boxes().empty());
  EXPECT_TRUE(dialogs_.file_requests().empty());
}

// ---------------------------------------------------------------------------------------
// The Custom view's buttons.

class CustomClassPageTest : public ParentSelectorTest {
 protected:
  CustomClassPage page_{dialogs_, registry_};
};

TEST_F(CustomClassPageTest, AddRefusals) {
  registry_.SetCustomClass("TMyGrid", "TStringGrid", "MyGrids");
  const std::string caption = "Add custom or 3rd-party class";
  const struct {
    std::optional<std::string> typed;
    std::string message;  // empty: none
  } cases[] = {
      {std::nullopt, ""},
      {"", "You did not enter a class name."},
      {"   ", "You did not enter a class name."},
      {"tedit", "TEdit cannot be added because it is a standard VCL component class."},
      {"TRzBusinessComponent",
       "TRzBusinessComponent cannot be added because it is a standard VCL component class."},
      {"tmygrid", "TMygrid is already in the list of custom and 3rd-party component classes."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.value_or("(cancelled)"));
    dialogs_.ExpectInputBox(c.typed);
    if (!c.message.empty())
      dialogs_.ExpectBox(BoxKind::kInformation, c.message, Answer::kOk, caption);
    EXPECT_EQ(page_.Add(), std::nullopt);
  }
  for (const std::string& shown : dialogs_.captions) EXPECT_EQ(shown, caption);
  EXPECT_EQ(page_.Classes(), std::vector<std::string>{"TMyGrid"});
}

TEST_F(CustomClassPageTest, AddRegistersANewClass) {
  dialogs_.ExpectInputBox(" tfancy ")
      .ExpectRegisterClass(ClassRegistration{"TEdit", "Fancy", false});
  EXPECT_EQ(page_.Add(), "TFancy");
  EXPECT_EQ(registry_.FindCustomClass("TFancy"),
            (catalog::CustomClassEntry{"TFancy", "TEdit", "Fancy"}));
  EXPECT_EQ(page_.Classes(), std::vector<std::string>{"TFancy"});
  EXPECT_TRUE(registry_.changed());

  // Registered without a unit: not "already in the list", registered again.
  registry_.SetCustomClass("TNoUnit", "TEdit", "");
  dialogs_.ExpectInputBox("TNoUnit").ExpectRegisterClass(std::nullopt);
  EXPECT_EQ(page_.Add(), std::nullopt);
  EXPECT_EQ(dialogs_.registration_requests().back().class_name, "TNoUnit");
}

TEST_F(CustomClassPageTest, DeleteAsksFirst) {
  registry_.SetCustomClass("TMyGrid", "TStringGrid", "MyGrids");
  registry_.SetCustomClass("TOther", "TEdit", "Other");
  ASSERT_TRUE(registry_.Save().ok());
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete TMyGrid?", Answer::kNo, std::nullopt,
                     Buttons::kYesNo);
  EXPECT_FALSE(page_.Delete("TMyGrid"));
  EXPECT_TRUE(registry_.FindCustomClass("TMyGrid"));
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete TMyGrid?", Answer::kYes);
  EXPECT_TRUE(page_.Delete("TMyGrid"));
  EXPECT_FALSE(registry_.FindCustomClass("TMyGrid"));
  EXPECT_THAT(TempDir::Read(settings_file_), ::testing::Not(HasSubstr("TMyGrid")))
      << "its section is erased at once";
}

// ---------------------------------------------------------------------------------------
// Changing the parent of a definition.

class ChangeParentTest : public ParentSelectorTest {
 protected:
  ChangeParentTest() {
    catalog::NewDefinitionFromParent(session_.def(), "TEdit", "TEdit", {}, 2, "Stdctrls",
                                     settings_);
    before_ = session_.def();
  }

  store::Settings settings_;
  Session session_{settings_, dialogs_};
  model::ComponentDef before_;
};

TEST_F(ChangeParentTest, ANewClassShowsTheNote) {
  const std::string note =
      "Note that the parent class you selected may have different properties, methods, or events "
      "from the previous one.  You may need to alter this component definition accordingly.";
  dialogs_.ExpectSelectParent(Outline("TCustomUpDown (Delphi 2.0+)"))
      .ExpectBox(BoxKind::kInformation, note, Answer::kOk, "New parent class");
  ASSERT_TRUE(session_.ChangeParent(selector_));
  EXPECT_TRUE(session_.modified());
  const model::MainInfoDef& main = session_.def().MainInfo;
  EXPECT_EQ(main.ParentClassName, "TCustomUpDown");
  EXPECT_EQ(main.VCLAncestorName, "TCustomUpDown");
  EXPECT_EQ(main.Units->back(), "Comctrls");
  EXPECT_EQ(session_.def().Items(), before_.Items()) << "the items stay as they are";

  // A registered parent brings its ancestor and unit.
  registry_.SetCustomClass("TMyEdit", "TCustomEdit", "MyEdits");
  dialogs_.ExpectSelectParent(Custom("TMyEdit")).ExpectBox(BoxKind::kInformation, note);
  ASSERT_TRUE(session_.ChangeParent(selector_));
  EXPECT_EQ(main.ParentClassName, "TMyEdit");
  EXPECT_EQ(main.VCLAncestorName, "TCustomEdit");
  EXPECT_EQ(main.Units->back(), "MyEdits");
}

TEST_F(ChangeParentTest, TheSameClassInAnotherCaseShowsNoNote) {
  dialogs_.ExpectSelectParent(List("tedit"));
  ASSERT_TRUE(session_.ChangeParent(selector_));
  EXPECT_TRUE(session_.modified()) << "an OK modifies, even without a change";
  EXPECT_EQ(session_.def().MainInfo.ParentClassName, "TEdit");
  EXPECT_EQ(session_.def().MainInfo.Units, before_.MainInfo.Units) << "Stdctrls once";
}

TEST_F(ChangeParentTest, CancelChangesNothing) {
  dialogs_.ExpectSelectParent(std::nullopt);
  EXPECT_FALSE(session_.ChangeParent(selector_));
  EXPECT_FALSE(session_.modified());
  EXPECT_EQ(session_.def(), before_);
}

}  // namespace
}  // namespace kx::commands
