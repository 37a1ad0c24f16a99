// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the class catalogue driven through their widgets, alone and end to end from
// the window's File > New with the real dialogs answering.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <type_traits>

#include "commands/help.h"
#include "commands/parent_selection_flow.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/class_choice_window.h"
#include "ui/data_link_window.h"
#include "ui/desktop.h"
#include "ui/documentation_window.h"
#include "ui/entry_boxes.h"
#include "ui/events_page.h"
#include "ui/identifier_edit.h"
#include "ui/import_field_window.h"
#include "ui/link_property_window.h"
#include "ui/list_choice_window.h"
#include "ui/main_page.h"
#include "ui/methods_page.h"
#include "ui/name_prompt.h"
#include "ui/notes_window.h"
#include "ui/other_options_window.h"
#include "ui/parent_dialog.h"
#include "ui/properties_page.h"
#include "ui/property_editor_window.h"
#include "ui/register_class_window.h"
#include "ui/variables_page.h"

namespace kx::ui {
namespace {

using catalog::ParentChoice;
using catalog::ParentView;
using commands::Answer;
using commands::BoxKind;
using commands::Buttons;

// The entries a list or combo box shows, in order.
QStringList Shown(const QListWidget* list) {
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
  return shown;
}
QStringList Shown(const QComboBox* box) {
  QStringList shown;
  for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
  return shown;
}

// Answers the modal windows the window opens, in order: each step takes the next window and
// must find it of its type.
class ModalScript {
 public:
  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start();
  }
  template <typename W>
  ModalScript& Then(std::function<void(W*)> act) {
    steps_.push_back([act](QWidget* window) {
      if (auto* typed = qobject_cast<W*>(window)) {
        act(typed);
        return;
      }
      ADD_FAILURE() << "unexpected " << Describe(window);
      window->close();
    });
    return *this;
  }
  // Answers the next message box with a button, checking its text.
  ModalScript& Box(QMessageBox::StandardButton button, QString text = {}) {
    return Then<QMessageBox>([button, text](QMessageBox* box) {
      if (!text.isEmpty()) {
        EXPECT_EQ(box->text().toStdString(), text.toStdString());
      }
      box->button(button)->click();
    });
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  static std::string Describe(QWidget* window) {
    const auto* box = qobject_cast<QMessageBox*>(window);
    return window->windowTitle().toStdString() + ": " +
           (box != nullptr ? box->text().toStdString() : window->metaObject()->className());
  }
  void Tick() {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible() || window->property("kx_answered").toBool()) {
      return;
    }
    window->setProperty("kx_answered", true);
    if (next_ < steps_.size()) {
      steps_[next_++](window);
    } else {
      ADD_FAILURE() << "unexpected " << Describe(window);
      window->close();
    }
  }

  QTimer timer_;
  std::vector<std::function<void(QWidget*)>> steps_;
  std::size_t next_ = 0;
};

int NodeIndex(std::string_view text) {
  const auto nodes = catalog::OutlineNodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

TEST(ParentDialogTest, ShowsTheRequestAndReturnsTheWidgetsChoice) {
  ParentChoice shown{.view = ParentView::kOutline,
                     .outline_node = NodeIndex("TCustomUpDown (Delphi 2.0+)"),
                     .list_text = "tmyGrid",
                     .express_item = 5,
                     .custom_class = "TTheirs"};
  ParentDialog dialog(nullptr, {.shown = shown, .custom_classes = {"TMine", "TTheirs"}}, {});
  dialog.show();
  EXPECT_EQ(dialog.Choice(), shown);
  EXPECT_EQ(dialog.windowTitle(), "Select parent class");
  EXPECT_TRUE(dialog.outline->currentItem()->parent()->isExpanded());
  EXPECT_EQ(dialog.express->checkedButton()->text(), "String grid (TStringGrid)");
  EXPECT_EQ(dialog.custom->currentItem()->text(), "TTheirs");
  // Typing in the List view completes the first class that starts with the text.
  dialog.pages->setCurrentIndex(static_cast<int>(ParentView::kList));
  dialog.list->setEditText("");
  QTest::keyClicks(dialog.list, "tdblo");
  EXPECT_EQ(dialog.list->currentText(), "TDBLookupCombo");
  EXPECT_EQ(dialog.Choice().view, ParentView::kList);
  dialog.outline->collapseAll();
  dialog.expand->click();
  EXPECT_TRUE(dialog.outline->topLevelItem(0)->isExpanded());
  dialog.shrink->click();
  EXPECT_FALSE(dialog.outline->topLevelItem(0)->isExpanded());
}

// The rules themselves are the catalogue's; here, that the dialog follows them, with or
// without forms, and at once when the selection changes.
TEST(ParentDialogTest, OkAndClassHelpFollowTheSelection) {
  struct Case {
    ParentChoice choice;
    bool allow_forms, ok, help;
  };
  const int wrapper = catalog::WrapperOutlineNode();
  const Case cases[] = {
      {{.view = ParentView::kOutline, .outline_node = NodeIndex("TEdit")}, false, true, true},
      {{.view = ParentView::kOutline, .outline_node = wrapper}, true, true, false},
      {{.view = ParentView::kOutline, .outline_node = wrapper}, false, false, false},
      {{.view = ParentView::kList, .list_text = "T"}, true, false, false},
      {{.view = ParentView::kExpress, .express_item = 11}, false, false, true},
      {{.view = ParentView::kCustom, .custom_class = "TMine"}, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    ParentDialog dialog(
        nullptr, {.allow_forms = c.allow_forms, .shown = c.choice, .custom_classes = {"TMine"}},
        {});
    dialog.show();
    EXPECT_EQ(dialog.ok->isEnabled(), c.ok);
    EXPECT_EQ(dialog.class_help->isEnabled(), c.help);
  }
  ParentDialog dialog(nullptr, {.shown = {.view = ParentView::kExpress}}, {});
  dialog.express->button(12)->click();
  dialog.pages->setCurrentIndex(static_cast<int>(ParentView::kList));
  EXPECT_FALSE(dialog.ok->isEnabled());
  dialog.list->setEditText("TEdit");
  EXPECT_TRUE(dialog.ok->isEnabled());
  ParentChoice helped;
  ParentDialog with_help(nullptr, {.shown = {.view = ParentView::kExpress, .express_item = 1}},
                         [&helped](const ParentChoice& choice) { helped = choice; });
  with_help.class_help->click();
  EXPECT_EQ(catalog::SelectedClassName(helped), "TEdit");
}

TEST(ParentDialogTest, CustomButtonsRunTheRegistryFlows) {
  testing::TempDir dir;
  testing::ScriptedDialogs scripted;
  catalog::CustomClassRegistry registry(dir / "Kestrix.ini");
  registry.SetCustomClass("TOld", "TEdit", "Olds");
  commands::CustomClassPage page(scripted, registry);
  ParentDialog dialog(nullptr,
                      {.shown = {.view = ParentView::kCustom},
                       .custom_classes = page.Classes(),
                       .custom_page = &page},
                      {});
  dialog.show();
  EXPECT_FALSE(dialog.edit->isEnabled());
  scripted.ExpectInputBox("tnew").ExpectRegisterClass(
      commands::ClassRegistration{"TPanel", "News"});
  dialog.add->click();
  EXPECT_EQ(Shown(dialog.custom), (QStringList{"TNew", "TOld"}));
  EXPECT_EQ(dialog.custom->currentItem()->text(), "TNew");
  EXPECT_TRUE(dialog.ok->isEnabled());
  EXPECT_EQ(registry.FindCustomClass("TNew")->unit, "News");
  scripted.ExpectRegisterClass(commands::ClassRegistration{"TMemo", "Newer"});
  dialog.edit->click();
  EXPECT_EQ(registry.FindCustomClass("TNew")->ancestor, "TMemo");
  scripted.ExpectBox(BoxKind::kConfirmation, "Delete TNew?", Answer::kYes);
  dialog.del->click();
  EXPECT_EQ(Shown(dialog.custom), QStringList{"TOld"});
  EXPECT_FALSE(registry.FindCustomClass("TNew"));
}

TEST(RegisterClassWindowTest, ShowsTheClassAndReturnsTheEntries) {
  int browsed = 0;
  RegisterClassWindow dialog(nullptr, {"TMyGrid", {"TCustomGrid", "Grids2", false}}, [&browsed] {
    ++browsed;
    return std::optional<std::filesystem::path>("/src/MYGRIDS.PAS");
  });
  EXPECT_EQ(dialog.windowTitle(), "Register custom/3rd party parent class");
  EXPECT_EQ(dialog.dont_know->text(), "No, I don't know what TMyGrid descends from.");
  EXPECT_GE(dialog.ancestor->findText("TEdit"), 0);  // the standard classes offered
  EXPECT_EQ(dialog.Result(), (commands::ClassRegistration{"TCustomGrid", "Grids2", false}));
  dialog.browse->click();
  EXPECT_EQ(browsed, 1);
  dialog.dont_know->click();
  EXPECT_EQ(dialog.Result(), (commands::ClassRegistration{"", "Mygrids", true}));
}

TEST(PropertyEditorWindowTest, NamesFilterSwitchAndOk) {
  std::vector<std::string> refused;
  model::PropertyEditorDef current;
  current.ApplyToAll = true;  // not shown for the default editor
  PropertyEditorWindow dialog(nullptr,
                              {"Color : TColor", current, {{"ColorEds", "Eds"}, {"TColorEd"}}},
                              [&refused](const std::string& m) { refused.push_back(m); }, {});
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Property editor options");
  EXPECT_EQ(dialog.editor->checkedId(), 0);
  EXPECT_FALSE(dialog.apply_to_all->isChecked());
  EXPECT_EQ(Shown(dialog.unit), (QStringList{"ColorEds", "Eds"}));
  QTest::keyClicks(dialog.unit, "My-Eds 2");
  EXPECT_EQ(dialog.unit->currentText(), "MyEds2");
  EXPECT_EQ(dialog.editor->checkedId(), 0);
  QTest::keyClicks(dialog.editor_class, "TMyEd");
  EXPECT_EQ(dialog.editor->checkedId(), 1);  // both names typed
  dialog.editor_class->setEditText("");
  dialog.accept();
  EXPECT_EQ(refused, std::vector<std::string>{std::string(model::kMissingEditorNamesMessage)});
  EXPECT_TRUE(dialog.isVisible());
  dialog.editor_class->setEditText("TMyEd");
  dialog.apply_to_all->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.Result().DefEdit);
  EXPECT_TRUE(dialog.Result().ApplyToAll);
  EXPECT_EQ(dialog.Result().EditorUnit.str(), "MyEds2");
  EXPECT_EQ(dialog.Result().EditorClass.str(), "TMyEd");
}

// Esc in a question with Cancel answers Cancel: the code editor's question on closing relies on
// it to go back to the code.
TEST(QtDialogsTest, EscapeAnswersCancel) {
  QtDialogs dialogs(nullptr, {});
  ModalScript script;
  script.Then<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(dialogs.Confirm(Buttons::kYesNoCancel, "Keep?"), Answer::kCancel);
  EXPECT_TRUE(script.done());
}

// Each dialog opens with the focus on its choice, so that the arrow keys move it at once, and
// F1 anywhere in it opens its page of the manual.
TEST(QtDialogsTest, DialogsOpenOnTheirChoiceAndAnswerF1) {
  std::vector<int> helped;
  QtDialogs dialogs(nullptr, [&helped](int context) { helped.push_back(context); });
  dialogs.set_page_context([] { return 103; });
  const auto keys = [](std::initializer_list<Qt::Key> pressed) {
    for (const Qt::Key key : pressed) QTest::keyClick(QApplication::focusWidget(), key);
  };
  ModalScript script;
  script
      .Then<ParentDialog>([&keys](ParentDialog* dialog) {
        QApplication::setActiveWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->express->button(3));
        keys({Qt::Key_Down, Qt::Key_F1});
        EXPECT_EQ(dialog->express->checkedId(), 4);
        dialog->ok->click();
      })
      .Then<ParentDialog>([&keys](ParentDialog* dialog) {
        QApplication::setActiveWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->outline);
        keys({Qt::Key_F1, Qt::Key_Escape});
      })
      .Then<DocumentationWindow>([&keys](DocumentationWindow* dialog) {
        QApplication::setActiveWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->audience->checkedButton());
        keys({Qt::Key_F1, Qt::Key_Escape});
      })
      .Then<ListChoiceWindow>([&keys](ListChoiceWindow* dialog) {
        QApplication::setActiveWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->list);
        keys({Qt::Key_Down, Qt::Key_F1, Qt::Key_Return});
      })
      .Then<NamePromptWindow>([&keys](NamePromptWindow* dialog) {
        QApplication::setActiveWindow(dialog);
        keys({Qt::Key_F1, Qt::Key_Escape});
      });
  const auto express =
      dialogs.SelectParentDialog({.shown = {.view = ParentView::kExpress, .express_item = 3}});
  ASSERT_TRUE(express);
  EXPECT_EQ(express->express_item, 4);
  EXPECT_FALSE(dialogs.SelectParentDialog(
      {.shown = {.view = ParentView::kOutline, .outline_node = NodeIndex("TEdit")}}));
  EXPECT_FALSE(dialogs.DocumentationAudienceDialog(commands::Audience::kDescendant));
  EXPECT_EQ(dialogs.ChooseEditorKind("TMyEd", 3), 4);
  EXPECT_FALSE(dialogs.NamePrompt({.caption = "Add property"}));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(helped,
            (std::vector<int>{
                commands::kParentSelectionHelpContext, commands::kParentSelectionHelpContext,
                commands::kDocumentationHelpContext, commands::kPropertyEditorsHelpContext, 103}));
}

// An unset keyword address shows as empty: grey text in the field must not read as an address.
TEST(OtherOptionsWindowTest, UnsetKeywordAddressIsAnEmptyFieldWithAHint) {
  OtherOptionsWindow dialog(nullptr, {});
  dialog.show();
  auto* address = dialog.findChildren<QLineEdit*>().back();
  EXPECT_TRUE(address->text().isEmpty());
  EXPECT_FALSE(address->placeholderText().isEmpty());
  EXPECT_FALSE(address->placeholderText().contains("://"));
  EXPECT_EQ(dialog.Result().help_url, "");
}

// The other special dialogs through QtDialogs: what each shows, what OK returns after the
// user's changes, and nothing on Cancel.
TEST(QtDialogsTest, SpecialDialogsReturnTheUsersChoice) {
  QtDialogs dialogs(nullptr, {});
  std::string helped;
  dialogs.set_sub_component_help([&helped](const std::string& name) { helped = name; });
  ModalScript script;
  script
      .Then<ListChoiceWindow>([](ListChoiceWindow* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Generate container component");
        EXPECT_EQ(dialog->list->currentText(), "Panel1");
        dialog->list->setCurrentIndex(1);
        dialog->accept();
      })
      .Then<ListChoiceWindow>([](ListChoiceWindow* dialog) {
        EXPECT_EQ(dialog->list->count(), 19);
        EXPECT_EQ(dialog->list->currentIndex(), 9);
        dialog->list->setCurrentIndex(14);
        dialog->accept();
      })
      .Then<ListChoiceWindow>([](ListChoiceWindow* dialog) { dialog->reject(); })
      .Then<ImportFieldWindow>([](ImportFieldWindow* dialog) {
        EXPECT_EQ(dialog->name->text(), "Custno");
        EXPECT_EQ(dialog->handling->checkedId(), 0);
        dialog->label->setText("Customer");
        dialog->handling->button(1)->click();
        dialog->accept();
      })
      .Then<ImportFieldWindow>([](ImportFieldWindow* dialog) { dialog->reject(); })
      .Then<LinkPropertyWindow>([](LinkPropertyWindow* dialog) {
        EXPECT_EQ(dialog->sub_component->currentText(), "Button1");
        dialog->sub_component->setCurrentIndex(1);
        dialog->help->click();
        QTest::keyClicks(dialog->property, "Caption");
        dialog->accept();
      })
      .Then<DocumentationWindow>([](DocumentationWindow* dialog) {
        EXPECT_EQ(dialog->audience->checkedId(), 2);
        dialog->audience->button(0)->click();
        dialog->accept();
      })
      .Then<DataLinkWindow>([](DataLinkWindow* dialog) {
        dialog->data_source->clear();
        QTest::keyClicks(dialog->data_source, "1 src");
        dialog->accept();
      });
  EXPECT_EQ(dialogs.SelectPanel({"Panel1", "Panel2"}), "Panel2");
  EXPECT_EQ(dialogs.ChooseEditorKind("TColorEd", 9), 14);
  EXPECT_FALSE(dialogs.ChooseEditorUnit({"A", "B"}));
  const auto field = dialogs.ImportFieldDialog(
      "Table1CUSTNO : TFloatField", {"Custno", "Custno", commands::FieldHandling::kDataField});
  ASSERT_TRUE(field);
  EXPECT_EQ(field->label, "Customer");
  EXPECT_EQ(field->handling, commands::FieldHandling::kCalculatedField);
  EXPECT_FALSE(dialogs.ImportFieldDialog("X : TField", {}));
  const auto link = dialogs.LinkPropertyDialog("Title links with", {"Button1", "Label1"});
  ASSERT_TRUE(link);
  EXPECT_EQ(link->sub_component, "Label1");
  EXPECT_EQ(link->property, "Caption");
  EXPECT_EQ(helped, "Label1");
  EXPECT_EQ(dialogs.DocumentationAudienceDialog(commands::Audience::kComponent),
            commands::Audience::kApplication);
  const auto names = dialogs.DataLinkDialog("Add read-only data link", {"a", "b", "c", "d"});
  ASSERT_TRUE(names);
  EXPECT_EQ(names->data_source, "Src");  // a lone digit first is cleared, the rest tidied
  EXPECT_TRUE(script.done());
}

// Types a character Windows-1252 cannot hold at the end of every text field of the dialog and
// checks that each field kept its text; returns how many fields there were.
int TypeUnstorableEverywhere(QWidget* dialog) {
  int fields = 0;
  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
    if (!edit->isEnabled() || edit->isReadOnly()) continue;
    edit->setFocus();
    edit->end(false);
    const QString before = edit->text();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0142)));
    QApplication::sendEvent(edit, &press);
    EXPECT_EQ(edit->text().toStdString(), before.toStdString());
    ++fields;
  }
  return fields;
}

// Every text field of the special dialogs refuses such a character where it is typed, with the
// main window's message, and the dialog hands back what the field held, never an empty text.
TEST(QtDialogsTest, TextFieldsRefuseWhatWindows1252CannotHold) {
  QtDialogs dialogs(nullptr, {});
  ModalScript script;
  // The refusals come while a dialog's step runs, where the script's own timer cannot fire.
  std::vector<std::string> refusals;
  QTimer answerer;
  answerer.setInterval(5);
  QObject::connect(&answerer, &QTimer::timeout, [&refusals] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->property("kx_answered").toBool()) return;
    box->setProperty("kx_answered", true);
    refusals.push_back(box->text().toStdString());
    box->button(QMessageBox::Ok)->click();
  });
  answerer.start();
  int fields = 0;
  auto refuse_in_every_field = [&](auto* typed_window, int expected) {
    using W = std::remove_pointer_t<decltype(typed_window)>;
    fields += expected;
    script.Then<W>([expected](W* dialog) {
      EXPECT_EQ(TypeUnstorableEverywhere(dialog), expected) << dialog->windowTitle().toStdString();
      dialog->accept();
    });
  };
  refuse_in_every_field(static_cast<OtherOptionsWindow*>(nullptr), 2);
  refuse_in_every_field(static_cast<RegisterClassWindow*>(nullptr), 2);
  refuse_in_every_field(static_cast<ImportFieldWindow*>(nullptr), 2);
  refuse_in_every_field(static_cast<LinkPropertyWindow*>(nullptr), 1);
  refuse_in_every_field(static_cast<DataLinkWindow*>(nullptr), 4);

  const commands::OtherOptions options{"Copyright \xA9 2026 Me", 1, "https://x.org/?q={keyword}"};
  EXPECT_EQ(dialogs.OtherOptionsDialog({{}, options}), options);
  const commands::ClassRegistration registration{"TCustomGrid", "Grids2", false};
  EXPECT_EQ(dialogs.RegisterClassDialog({"TMyGrid", registration}), registration);
  const auto field = dialogs.ImportFieldDialog(
      "Table1CUSTNO : TFloatField", {"Custno", "Customer", commands::FieldHandling::kDataField});
  ASSERT_TRUE(field);
  EXPECT_EQ(field->name, "Custno");
  EXPECT_EQ(field->label, "Customer");
  const auto link = dialogs.LinkPropertyDialog("Title links with", {"Label1"});
  ASSERT_TRUE(link);
  EXPECT_EQ(link->sub_component, "Label1");
  const auto names =
      dialogs.DataLinkDialog("Add read-only data link", {"Src", "Fld", "Lnk", "Chg"});
  ASSERT_TRUE(names);
  EXPECT_EQ(names->link, "Lnk");
  EXPECT_TRUE(script.done());
  EXPECT_EQ(refusals, std::vector<std::string>(
                          fields,
                          "The character U+0142 cannot be stored in a component "
                          "definition, whose text is Windows-1252; it was not entered."));
}

// A parent dialog step: the Express view's item, then OK.
void ChooseExpress(ModalScript& script, int item) {
  script.Then<ParentDialog>([item](ParentDialog* dialog) {
    dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kExpress));
    dialog->express->button(item)->click();
    dialog->ok->click();
  });
}

// File > New with the real dialogs over the window.
class NewDefinitionTest : public ::testing::Test {
 protected:
  NewDefinitionTest() {
    store::Settings settings;
    settings.file = dir_ / "Kestrix.ini";
    settings.definitions_dir = dir_.path().string() + "/";
    settings.pascal_code_dir = dir_.path().string() + "/";
    settings.codeview = store::kCodeviewNever;
    desktop_ = std::make_unique<Desktop>(settings, store::BuiltInPalettePages());
    desktop_->window().Render();
    desktop_->window().show();
  }
  void New() { desktop_->window().actions[commands::MenuItem::kNew]->trigger(); }
  const model::ComponentDef& def() { return desktop_->session().def(); }
  void Open(std::string_view example) {
    const std::filesystem::path file = dir_ / example;
    std::filesystem::copy_file(std::filesystem::path(KX_EXAMPLES_DIR) / example, file);
    desktop_->model().Start(file);
    desktop_->window().Render();
  }
  const model::ItemDef* Find(std::string_view name) {
    for (const model::ItemDef& item : def().Items()) {
      if (model::ItemName(item) == name) return &item;
    }
    return nullptr;
  }
  // Whether the definition holds items of all these names.
  ::testing::AssertionResult Has(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
      if (Find(name) == nullptr) return ::testing::AssertionFailure() << "no item " << name;
    }
    return ::testing::AssertionSuccess();
  }
  bool HasUnit(std::string_view unit) {
    const auto& units = def().MainInfo.Units;
    return units && std::find(units->begin(), units->end(), unit) != units->end();
  }

  testing::TempDir dir_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(NewDefinitionTest, ExpressChoiceBuildsTheTemplate) {
  ModalScript script;
  ChooseExpress(script, 1);  // "Edit box (TEdit)"
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TEdit");
  EXPECT_TRUE(Has({"Create", "Destroy", "Loaded", "OnChange", "OnClick"}));
  EXPECT_EQ(desktop_->window().windowTitle(), "Component Definition - (Untitled)");
  // The dialog opens again as it was left; an outline leaf this time.
  script.Box(QMessageBox::No, "Save this component definition?")
      .Then<ParentDialog>([](ParentDialog* dialog) {
        EXPECT_EQ(dialog->express->checkedId(), 1);
        EXPECT_EQ(dialog->pages->currentIndex(), static_cast<int>(ParentView::kExpress));
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kOutline));
        dialog->outline->setCurrentItem(
            dialog->outline->findItems("TLabel", Qt::MatchExactly | Qt::MatchRecursive).front());
        dialog->ok->click();
      });
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TLabel");
  EXPECT_TRUE(Has({"WMSize", "Paint", "OnMouseDown"}));
}

TEST_F(NewDefinitionTest, CancelledSelectionOpensAgainAsLeft) {
  ModalScript script;
  script
      .Then<ParentDialog>([](ParentDialog* dialog) {
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kList));
        dialog->list->setEditText("TMemo");
        dialog->reject();
      })
      .Then<ParentDialog>([](ParentDialog* dialog) {
        EXPECT_EQ(dialog->pages->currentIndex(), static_cast<int>(ParentView::kList));
        EXPECT_EQ(dialog->list->currentText(), "TMemo");
        dialog->reject();
      });
  New();
  New();
  EXPECT_TRUE(script.done());
}

TEST_F(NewDefinitionTest, UnknownListNameIsRegisteredFirst) {
  ModalScript script;
  script
      .Then<ParentDialog>([](ParentDialog* dialog) {
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kList));
        dialog->list->setEditText("");
        QTest::keyClicks(dialog->list, "txyzGrid");
        dialog->ok->click();
      })
      .Then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().startsWith("TXyzGrid is not in Kestrix's list "));
        box->button(QMessageBox::Yes)->click();
      })
      .Then<RegisterClassWindow>([](RegisterClassWindow* dialog) {
        dialog->ancestor->setEditText("TCustomGrid");
        dialog->unit->setText("XyzGrids");
        dialog->accept();
      });
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TXyzGrid");
  EXPECT_EQ(def().MainInfo.VCLAncestorName.str(), "TCustomGrid");
  EXPECT_TRUE(HasUnit("XyzGrids"));
  // The registration reached the settings file when the dialog closed.
  EXPECT_EQ(catalog::CustomClassRegistry(dir_ / "Kestrix.ini").FindCustomClass("TXyzGrid")->unit,
            "XyzGrids");
}

TEST_F(NewDefinitionTest, CancelLeavesNoDefinition) {
  ModalScript script;
  script.Then<ParentDialog>([](ParentDialog* dialog) { dialog->reject(); });
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(desktop_->window().windowTitle(), "Component Definition - (None)");
}

// The form-file dialog answered with a form of the corpus.
void ChooseForm(ModalScript& script, const char* form) {
  script.Then<QFileDialog>([form](QFileDialog* dialog) {
    dialog->selectFile(QString(KX_CORPUS_DIR) + "/dfm/" + form);
    static_cast<QDialog*>(dialog)->accept();
  });
}

TEST_F(NewDefinitionTest, WrapperAroundABinaryForm) {
  if (!std::filesystem::is_directory(KX_CORPUS_DIR "/dfm")) GTEST_SKIP() << "no form corpus";
  ModalScript script;
  ChooseExpress(script, catalog::kExpressWrapperItem);
  ChooseForm(script, "binary/DELMadang__DelphiForFUN__U_Problem4.dfm");
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TComponent");
  EXPECT_EQ(def().MainInfo.Form.FormMode, model::FormModeKind::kWrapsForm);
  EXPECT_TRUE(Has({"Caption", "HelpContext", "ModalResult", "Execute"}));
}

TEST_F(NewDefinitionTest, ContainerImportChoosesAPanel) {
  if (!std::filesystem::is_directory(KX_CORPUS_DIR "/dfm")) GTEST_SKIP() << "no form corpus";
  ModalScript script;
  ChooseExpress(script, catalog::kExpressContainerItem);
  script.Box(QMessageBox::Yes, QString::fromStdString(std::string(commands::kContainerQuestion)));
  ChooseForm(script, "binary/DELMadang__DelphiForFUN__U_Maze3.dfm");
  script.Then<ListChoiceWindow>([](ListChoiceWindow* dialog) {
    EXPECT_GT(dialog->list->count(), 1);
    dialog->accept();
  });
  New();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TPanel");
  EXPECT_EQ(def().MainInfo.Form.FormMode, model::FormModeKind::kImported);
  EXPECT_TRUE(std::ranges::any_of(def().Items(), [](const model::ItemDef& item) {
    return item.Kind() == model::ItemKind::Variable && item.Variable().IsSubComponent;
  }));
}

// File > Import component unit with the real dialogs: the file dialog, the list of the unit's
// classes (the arrow keys and Return choose), the registration of the parent the unit declares
// itself, proposed from the unit, and the notes left open beside the window.
TEST_F(NewDefinitionTest, ImportUnitOfTwoClasses) {
  ModalScript script;
  script
      .Then<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Select component unit to import");
        dialog->selectFile(KX_UNIT_FIXTURES "/gauges.pas");
        static_cast<QDialog*>(dialog)->accept();
      })
      .Then<ClassChoiceWindow>([](ClassChoiceWindow* dialog) {
        QApplication::setActiveWindow(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->list);
        EXPECT_EQ(dialog->list->currentItem()->text(), "TBarGauge");
        QTest::keyClick(dialog->list, Qt::Key_Down);
        QTest::keyClick(dialog->list, Qt::Key_Return);
      })
      .Box(QMessageBox::Yes,
           QString::fromStdString(catalog::UnregisteredClassQuestion("TBarGauge")))
      .Then<RegisterClassWindow>([](RegisterClassWindow* dialog) {
        EXPECT_EQ(dialog->ancestor->currentText(), "TGraphicControl");
        EXPECT_EQ(dialog->unit->text(), "Gauges");
        dialog->accept();
      });
  desktop_->window().actions[commands::MenuItem::kImportUnit]->trigger();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.NewClassName.str(), "TDialGauge");
  EXPECT_EQ(def().MainInfo.VCLAncestorName.str(), "TGraphicControl");
  EXPECT_EQ(def().MainInfo.DefaultPalette.str(), "Dashboard");
  EXPECT_EQ(desktop_->window().windowTitle(), "Component Definition - (Untitled)");
  const QList<NotesWindow*> notes = desktop_->window().findChildren<NotesWindow*>();
  ASSERT_EQ(notes.size(), 1);
  EXPECT_TRUE(notes.front()->isVisible());
  EXPECT_FALSE(notes.front()->isModal());
  EXPECT_TRUE(notes.front()->list->item(0)->text().startsWith("line "));
  notes.front()->copy->click();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("The registration of TBarGauge"));
}

// The class list and the notes alone: Escape cancels the list, F1 opens the import's page, and
// notes of a later import replace those of an earlier one.
TEST(QtDialogsTest, ClassListAndNotes) {
  std::vector<int> helped;
  QWidget owner;
  QtDialogs dialogs(&owner, [&helped](int context) { helped.push_back(context); });
  ModalScript script;
  script.Then<ClassChoiceWindow>([](ClassChoiceWindow* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Import component unit");
    QApplication::setActiveWindow(dialog);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_FALSE(dialogs.ChooseClass({"Import component unit", "Which?", {"TA", "TB"}}));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(helped, std::vector<int>{commands::kUnitImportHelpContext});
  dialogs.ShowNotes({"Import component unit", "First", {"line 1: a"}});
  dialogs.ShowNotes({"Import component unit", "Second", {"line 2: b", "line 3: c"}});
  QList<NotesWindow*> open = owner.findChildren<NotesWindow*>();
  open.removeIf([](const NotesWindow* window) { return !window->isVisible(); });
  ASSERT_EQ(open.size(), 1);  // the first one closed
  EXPECT_EQ(Shown(open.front()->list), (QStringList{"line 2: b", "line 3: c"}));
}

TEST_F(NewDefinitionTest, NewParentOpensOnTheOutlineWithTheParent) {
  Open("mybutton.cd");
  const std::size_t items = def().Items().size();
  ModalScript script;
  script
      .Then<ParentDialog>([](ParentDialog* dialog) {
        EXPECT_EQ(dialog->pages->currentIndex(), static_cast<int>(ParentView::kOutline));
        EXPECT_EQ(dialog->outline->currentItem()->text(0), "TButton");
        EXPECT_TRUE(dialog->outline->topLevelItem(1)->isExpanded());
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kExpress));
        dialog->express->button(catalog::kExpressWrapperItem)->click();
        EXPECT_FALSE(dialog->ok->isEnabled());
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kList));
        dialog->list->setEditText("TBitBtn");
        dialog->ok->click();
      })
      .Box(QMessageBox::Ok, QString::fromStdString(std::string(commands::kNewParentNote)));
  desktop_->window().main_page->new_parent->click();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(def().MainInfo.ParentClassName.str(), "TBitBtn");
  EXPECT_EQ(def().Items().size(), items);
  EXPECT_EQ(desktop_->window().main_page->parent_class->text(), "TBitBtn");
}

TEST_F(NewDefinitionTest, ReadOnlyAndReadWriteDataLinks) {
  Open("alarm.cd");
  ModalScript script;
  script.Box(QMessageBox::No, "Should the new data link be a read-write data link?")
      .Then<DataLinkWindow>([](DataLinkWindow* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Add read-only data link");
        EXPECT_EQ(dialog->data_source->text(), "DataSource");
        dialog->accept();
      })
      .Box(QMessageBox::Ok);
  desktop_->window().actions[commands::MenuItem::kAddDataLink]->trigger();
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(Has({"DataSource", "DataField", "FDataLink", "DataChange"}));
  EXPECT_TRUE(HasUnit("DB"));
  script
      .Box(QMessageBox::Yes)  // another one
      .Box(QMessageBox::Yes)  // read-write
      .Then<DataLinkWindow>([](DataLinkWindow* dialog) {
        EXPECT_EQ(dialog->link->text(), "FDataLink2");
        dialog->link->clear();
        QTest::keyClicks(dialog->link, "my link-2");
        EXPECT_EQ(dialog->link->text(), "Mylink2");
        dialog->accept();
      })
      .Box(QMessageBox::Yes);  // not "DataSource" and "DataField"
  for (int i = 0; i < 3; ++i) {
    script.Then<QInputDialog>([](QInputDialog* input) { input->accept(); });
  }
  script.Box(QMessageBox::Ok);
  desktop_->window().actions[commands::MenuItem::kAddDataLink]->trigger();
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(Has({"DataSource2", "Mylink2", "UpdateData", "EditingChange", "ActiveChange"}));
}

TEST_F(NewDefinitionTest, PropertyEditorButtonStoresTheEditorAndItsUnit) {
  Open("alarm.cd");
  PropertiesPage* page = desktop_->window().properties_page;
  desktop_->window().tabs->setCurrentIndex(1);
  page->list->setCurrentRow(1);
  ModalScript script;
  script.Then<PropertyEditorWindow>([](PropertyEditorWindow* dialog) {
    QTest::keyClicks(dialog->unit, "Time Eds");
    QTest::keyClicks(dialog->editor_class, "TTimeEd");
    dialog->accept();
  });
  page->editor->click();
  ASSERT_TRUE(Has({"AlarmTime"}));
  const model::PropertyEditorDef& editor = Find("AlarmTime")->Property().PropertyEditor;
  EXPECT_FALSE(editor.DefEdit);
  EXPECT_EQ(editor.EditorClass.str(), "TTimeEd");
  EXPECT_TRUE(HasUnit("TimeEds"));
  EXPECT_TRUE(desktop_->session().modified());
  // A hidden property gets no custom editor.
  page->unpublish->click();
  ASSERT_TRUE(Find("AlarmTime")->Property().Hide);
  script.Box(QMessageBox::Ok, QString::fromStdString(std::string(commands::kHiddenEditorMessage)));
  page->editor->click();
  EXPECT_TRUE(script.done());
}

TEST_F(NewDefinitionTest, LinkedPropertyOnAPanel) {
  ModalScript script;
  script
      .Then<ParentDialog>([](ParentDialog* dialog) {
        dialog->pages->setCurrentIndex(static_cast<int>(ParentView::kList));
        dialog->list->setEditText("TPanel");
        dialog->ok->click();
      })
      .Box(QMessageBox::No, QString::fromStdString(std::string(commands::kContainerQuestion)));
  New();
  model::ItemDef label = model::NewVariableItem("Label1");
  label.Variable().DataType = "TLabel";
  label.Variable().IsSubComponent = true;
  model::AddItem(desktop_->session().def(), label);
  desktop_->window().tabs->setCurrentIndex(1);
  script
      .Then<NamePromptWindow>([](NamePromptWindow* prompt) {
        QTest::keyClicks(prompt->findChild<QLineEdit*>(), "Title");
        prompt->findChild<DataTypeCombo*>()->setEditText("String");
        prompt->accept();
      })
      .Box(QMessageBox::Yes, "Should Title link with a sub-component property?")
      .Then<LinkPropertyWindow>([](LinkPropertyWindow* dialog) {
        EXPECT_EQ(dialog->sub_component->currentText(), "Label1");
        QTest::keyClicks(dialog->property, "Caption");
        dialog->accept();
      });
  desktop_->window().add->click();
  EXPECT_TRUE(script.done());
  ASSERT_TRUE(Has({"Title"}));
  EXPECT_EQ(Find("Title")->Property().Link, "Label1.Caption");
}

}  // namespace
}  // namespace kx::ui
