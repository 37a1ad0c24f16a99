// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop window driven through its real widgets (keys and clicks from Qt Test), with the
// scripted dialogs answering every box.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

#include "commands/generate_unit.h"
#include "model/types.h"
#include "store/definition_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/desktop.h"
#include "ui/entry_boxes.h"
#include "ui/events_page.h"
#include "ui/main_page.h"
#include "ui/methods_page.h"
#include "ui/name_prompt.h"
#include "ui/properties_page.h"
#include "ui/variables_page.h"

namespace kx::ui {
namespace {

using commands::Answer;
using commands::BoxKind;
using commands::Buttons;
using commands::MenuItem;
using commands::NamePromptAnswer;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

// Types text key by key; characters without a key of their own come as their text.
void Type(QWidget* widget, const QString& text) {
  widget->setFocus();
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
    }
  }
}

TEST(EntryBoxTest, TypeEntryTakesALetterFirstAndCompletes) {
  DataTypeCombo box(true);
  box.show();
  QApplication::setActiveWindow(&box);
  Type(&box, "1s");
  EXPECT_EQ(box.currentText(), "String");  // "S", completed inline
  box.setEditText("");
  Type(&box, "tfo-nt");
  EXPECT_EQ(box.currentText().toUpper(), "TFONT");
  DataValueCombo value;
  value.SetSuggestionKind(model::ValueSuggestionKind("Integer"));
  value.show();
  Type(&value, "1x.E3");
  EXPECT_EQ(value.currentText(), "1E3");
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    store::Settings settings;
    settings.file = dir_ / "Kestrix.ini";
    settings.definitions_dir = dir_.path().string() + "/";
    settings.pascal_code_dir = dir_.path().string() + "/";
    settings.codeview = store::kCodeviewNever;
    desktop_ = std::make_unique<Desktop>(
        settings, store::BuiltInPalettePages(), &dialogs_,
        std::make_unique<platform::FixedClock>(platform::DateTime{2026, 12, 6, 9, 30, 0}));
    window().Render();
    window().show();
  }

  // A copy of an example, opened as the command line opens it.
  std::filesystem::path Open(std::string_view example = "alarm.cd") {
    const std::filesystem::path file = dir_ / example;
    std::filesystem::copy_file(std::filesystem::path(KX_EXAMPLES_DIR) / example, file);
    desktop_->model().Start(file);
    window().Render();
    return file;
  }

  void SelectPage(int page) {
    window().tabs->setCurrentIndex(page);
    QApplication::processEvents();
  }

  MainWindow& window() { return desktop_->window(); }
  model::ComponentDef& def() { return desktop_->session().def(); }
  bool modified() { return desktop_->session().modified(); }

  TempDir dir_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(MainWindowTest, TitleAndMenusFollowTheDefinitionState) {
  EXPECT_EQ(window().windowTitle(), "Component Definition - (None)");
  // Without a definition the File menu offers only what makes or opens one, and leaving.
  QStringList enabled;
  for (auto& [item, action] : window().actions) {
    if (action->isEnabled()) enabled << action->text().remove('&').section('\t', 0, 0);
  }
  enabled.sort();
  EXPECT_EQ(enabled.join(" | ").toStdString(),
            "Exit Kestrix | Import component unit... | New component definition... | "
            "Open component definition... | Printer setup...");
  for (QPushButton* button : {window().add, window().del, window().code, window().text}) {
    EXPECT_FALSE(button->isEnabled());
  }
  const auto file = Open();
  EXPECT_EQ(window().windowTitle().toStdString(), "Component Definition - " + file.string());
  for (auto& [item, action] : window().actions) EXPECT_TRUE(action->isEnabled());
  EXPECT_TRUE(window().code->isDefault());
  SelectPage(1);
  EXPECT_TRUE(window().add->isDefault());
  EXPECT_EQ(desktop_->model().help_context(), 101);
}

TEST_F(MainWindowTest, TypingStoresIntoTheDefinition) {
  Open();
  MainPage* main = window().main_page;
  main->new_class_name->selectAll();
  Type(main->new_class_name, "my-clock");
  EXPECT_EQ(def().MainInfo.NewClassName, "TMyclock");  // typed over the prefix, which stays
  main->new_class_name->selectAll();
  QTest::keyClick(main->new_class_name, Qt::Key_Backspace);  // the prefix comes back
  Type(main->new_class_name, "x");
  EXPECT_EQ(def().MainInfo.NewClassName, "TX");
  EXPECT_EQ(main->new_class_name->text(), "TX");
  main->description->selectAll();
  Type(main->description, "Rings \u00e9");
  EXPECT_EQ(def().Global.Descr, "Rings \xE9");
  EXPECT_TRUE(modified());
  // A character Windows-1252 cannot hold is refused where it is typed.
  dialogs_.ExpectBox(BoxKind::kWarning,
                     "The character U+4E2D cannot be stored in a component definition, whose text "
                     "is Windows-1252; it was not entered.");
  Type(main->description, "\u4E2D");
  EXPECT_EQ(def().Global.Descr, "Rings \xE9");
  EXPECT_EQ(main->description->text(), "Rings \u00e9");
  // Limit to 8 chars cuts field and record.
  main->limit_name->setChecked(false);
  main->limit_name->click();
  main->limit_name->click();
  main->unit_name->selectAll();
  Type(main->unit_name, "AlarmClock");
  EXPECT_EQ(def().MainInfo.UnitName, "AlarmClock");
  main->limit_name->click();
  EXPECT_EQ(def().MainInfo.UnitName, "AlarmClo");
  EXPECT_EQ(main->unit_name->text(), "AlarmClo");
}

TEST_F(MainWindowTest, ClickingAnEntryShowsItWithoutModifying) {
  Open();
  SelectPage(1);
  PropertiesPage* page = window().properties_page;
  page->list->setCurrentRow(1);
  EXPECT_FALSE(modified());
  EXPECT_EQ(page->name->text(), "AlarmTime");
  EXPECT_TRUE(window().del->isEnabled());
  page->name->selectAll();
  Type(page->name, "When");
  QTest::keyClick(page->name, Qt::Key_Tab);
  EXPECT_EQ(page->list->item(1)->text(), "When : TDateTime");
  EXPECT_EQ(page->variable_name->text(), "FWhen");
}

// A name another item has is refused when the field is left, on each item page, and the name
// comes back; the definition still saves.
TEST_F(MainWindowTest, LeavingANameFieldRefusesATakenName) {
  const auto file = Open();
  const struct {
    int page;
    int row;
    QString typed;
    std::string message;
    QString restored;
  } cases[] = {
      {1, 1, "Active", "Active is already in the component definition.", "AlarmTime"},
      {2, 0, "SetActive", "SetActive is reserved for the write method for property Active.",
       "Create(AOwner: TComponent)"},
      {3, 0, "Change", "OnChange is already in the component definition.", "OnAlarm"},
      {4, 0, "Begin", "Begin is a reserved word of Object Pascal and cannot be used as a name.",
       "FTimer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SelectPage(c.page);
    QListWidget* list = nullptr;
    QLineEdit* name = nullptr;
    if (c.page == 1) {
      list = window().properties_page->list;
      name = window().properties_page->name;
    } else if (c.page == 2) {
      list = window().methods_page->list;
      name = window().methods_page->header;
    } else if (c.page == 3) {
      window().events_page->show_new->click();
      list = window().events_page->list;
      name = window().events_page->name;
    } else {
      list = window().variables_page->list;
      name = window().variables_page->name;
    }
    list->setCurrentRow(c.row);
    const QString entry = list->item(c.row)->text();
    name->setFocus();
    if (c.page == 3) {
      name->setSelection(2, static_cast<int>(name->text().size()));  // after the "On"
    } else {
      name->selectAll();
    }
    Type(name, c.typed);
    dialogs_.ExpectBox(BoxKind::kInformation, c.message);
    QTest::keyClick(name, Qt::Key_Tab);
    EXPECT_EQ(name->text(), c.restored);
    EXPECT_EQ(list->item(c.row)->text(), entry);
  }
  window().actions.at(MenuItem::kSave)->trigger();
  EXPECT_FALSE(modified());
  EXPECT_EQ(store::WriteDefinition(def(), file), dir_.Read(file));
}

// A default the type cannot hold is kept as typed, with a warning when the field is left.
TEST_F(MainWindowTest, ADefaultTheTypeCannotHoldIsWarnedAbout) {
  Open();
  SelectPage(1);
  PropertiesPage* page = window().properties_page;
  page->list->setCurrentRow(0);  // Active : Boolean
  page->default_value->setFocus();
  page->default_value->lineEdit()->selectAll();
  Type(page->default_value, "5");
  dialogs_.ExpectBox(BoxKind::kInformation, "Warning: \"5\" is not a value of type Boolean");
  QTest::keyClick(page->default_value, Qt::Key_Tab);
  EXPECT_EQ(def().Item(5).Property().PropDefault, "5");
  EXPECT_EQ(page->default_value->currentText(), "5");
}

TEST_F(MainWindowTest, AddAndDeleteOnEachPage) {
  Open();
  struct Case {
    int page;
    std::string caption;
    NamePromptAnswer answer;
    std::string entry;
  };
  const Case cases[] = {
      {1, "Add property", {"Volume", "Integer"}, "Volume : Integer"},
      {2, "Add method", {"Ring(Times : Integer)", "", 0}, "Ring(Times : Integer)"},
      {3, "Add inherited event", {"OnClick"}, "OnClick"},
      {4, "Add variable", {"FList", "TStringList"}, "FList : TStringList"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    SelectPage(c.page);
    dialogs_.ExpectNamePrompt(c.caption, c.answer);
    QTest::mouseClick(window().add, Qt::LeftButton);
    auto* list = window().tabs->currentWidget()->findChild<QListWidget*>();
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text().toStdString(), c.entry);
    const int count = def().Count();
    const std::string name = c.entry.substr(0, c.entry.find_first_of(" ("));
    dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete " + name + "?", Answer::kYes, std::nullopt,
                       Buttons::kYesNo);
    QTest::mouseClick(window().del, Qt::LeftButton);
    EXPECT_EQ(def().Count(), count - 1);
    EXPECT_FALSE(window().del->isEnabled());
  }
}

TEST_F(MainWindowTest, CheckBoxQuestions) {
  Open();
  SelectPage(4);
  dialogs_.ExpectNamePrompt("Add variable", NamePromptAnswer{"FCount", "Integer"});
  QTest::mouseClick(window().add, Qt::LeftButton);
  VariablesPage* page = window().variables_page;
  const std::string question =
      "Integer is not an object type.  Are you sure you want to check this box?";
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kNo);
  page->is_object->click();
  EXPECT_FALSE(page->is_object->isChecked());
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes);
  page->is_object->click();
  EXPECT_TRUE(page->is_object->isChecked());
  EXPECT_FALSE(page->default_value->isEnabled());
  EXPECT_TRUE(page->object_note->isVisible());
}

TEST_F(MainWindowTest, UnitListKeys) {
  Open();
  QListWidget* units = window().main_page->units;
  const int count = units->count();
  dialogs_.ExpectNamePrompt("Add unit to list", NamePromptAnswer{"Menus"});
  units->setFocus();
  QTest::keyClick(units, Qt::Key_Insert);
  ASSERT_EQ(units->count(), count + 1);
  EXPECT_EQ(units->item(count)->text(), "Menus");
  units->setCurrentRow(count);
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Delete Menus from unit list?", Answer::kYes);
  QTest::keyClick(units, Qt::Key_Delete);
  EXPECT_EQ(units->count(), count);
  EXPECT_TRUE(modified());
}

TEST_F(MainWindowTest, ClosingAModifiedDefinitionAsks) {
  const auto file = Open();
  Type(window().main_page->description, "!");
  const std::string question = "Save " + file.string() + "?";
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kCancel, "Exit Kestrix",
                     Buttons::kYesNoCancel);
  EXPECT_FALSE(window().close());
  EXPECT_TRUE(window().isVisible());
  dialogs_.ExpectBox(BoxKind::kConfirmation, question, Answer::kYes);
  EXPECT_TRUE(window().close());
  EXPECT_TRUE(std::filesystem::exists(dir_ / "alarm.bak"));
  EXPECT_FALSE(modified());
}

TEST_F(MainWindowTest, FileCommandsThroughTheMenus) {
  // New and Open ask nothing when nothing changed.
  const auto file = Open();
  dialogs_.ExpectOpenFile(file);
  window().actions[MenuItem::kOpen]->trigger();
  EXPECT_EQ(window().windowTitle().toStdString(), "Component Definition - " + file.string());
  // Save as proposes the file's name in the default source directory.
  const auto copy = dir_ / "other.cd";
  dialogs_.ExpectSaveFile(copy);
  window().actions[MenuItem::kSaveAs]->trigger();
  EXPECT_EQ(dialogs_.file_requests().back().file_name, "alarm.cd");
  EXPECT_EQ(window().windowTitle().toStdString(), "Component Definition - " + copy.string());
  // Save twice: the first saved version becomes the backup.
  Type(window().main_page->description, "1");
  window().actions[MenuItem::kSave]->trigger();
  Type(window().main_page->description, "2");
  window().actions[MenuItem::kSave]->trigger();
  EXPECT_NE(TempDir::Read(dir_ / "other.bak").find("set time of day1"), std::string::npos);
  // New through the parent selection.
  catalog::ParentChoice choice;
  choice.view = catalog::ParentView::kList;
  choice.list_text = "TEdit";
  dialogs_.ExpectSelectParent(choice);
  window().actions[MenuItem::kNew]->trigger();
  EXPECT_EQ(window().windowTitle(), "Component Definition - (Untitled)");
  EXPECT_EQ(window().main_page->parent_class->text(), "TEdit");
  EXPECT_TRUE(modified());
  // Exit asks; No closes.
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kNo,
                     "Exit Kestrix");
  window().actions[MenuItem::kExit]->trigger();
  EXPECT_FALSE(window().isVisible());
}

TEST_F(MainWindowTest, GenerateCodeKeepsSelectionsAndNameOrder) {
  Open();
  SelectPage(1);
  dialogs_.ExpectNamePrompt("Add property", NamePromptAnswer{"Beep", "Boolean"});
  QTest::mouseClick(window().add, Qt::LeftButton);  // added last, selected
  dialogs_.ExpectBox(BoxKind::kInformation,
                     "Component code written to " + (dir_ / "alarm.pas").string() + ".");
  window().actions[MenuItem::kGenerateCode]->trigger();
  QListWidget* list = window().properties_page->list;
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
  QStringList sorted = entries;
  sorted.sort(Qt::CaseSensitive);
  EXPECT_EQ(entries, sorted);
  EXPECT_EQ(list->currentItem()->text(), "Beep : Boolean");
  EXPECT_EQ(window().properties_page->name->text(), "Beep");
}

TEST_F(MainWindowTest, PrintsTheInterfaceToAPdf) {
  Open();
  const QString pdf = QString::fromStdString((dir_ / "alarm.pdf").string());
  window().PrintInterface(pdf);
  ASSERT_TRUE(std::filesystem::file_size(dir_ / "alarm.pdf") > 0);
  QProcess gs;
  gs.start("gs", {"-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
  if (!gs.waitForFinished(20000) || gs.exitCode() != 0) GTEST_SKIP() << "no ghostscript";
  const QString text = QString::fromUtf8(gs.readAllStandardOutput()).simplified();
  EXPECT_TRUE(text.contains("TAlarm = class(TComponent)")) << text.toStdString();
}

// The "On" of an event name stays whether the name is typed over it or after it, in the
// Events page's field and in the Add event prompt.
TEST_F(MainWindowTest, EventNamesKeepTheirPrefix) {
  Open();
  SelectPage(3);
  EventsPage* page = window().events_page;
  page->show_new->click();
  page->list->setCurrentRow(0);
  ASSERT_TRUE(page->name->isEnabled());
  page->name->selectAll();
  Type(page->name, "OnBlink");
  EXPECT_EQ(page->name->text(), "OnBlink");
  page->name->selectAll();
  Type(page->name, "Flash");
  EXPECT_EQ(page->name->text(), "OnFlash");
  EXPECT_EQ(model::ItemName(def().Item(def().Count() - 1)), "OnFlash");

  NamePromptWindow prompt(&window(), {.caption = "Add new event", .prefix = "On", .name = "On"},
                          dialogs_);
  prompt.show();
  auto* name = prompt.findChild<QLineEdit*>();
  Type(name, "Blink");  // after the prefix, where the caret starts
  EXPECT_EQ(prompt.Result().name, "OnBlink");
  name->selectAll();
  Type(name, "OnBlink");
  EXPECT_EQ(prompt.Result().name, "OnBlink");
}

TEST_F(MainWindowTest, KeysReachTheirCommandsFromAnyField) {
  const auto file = Open();
  QApplication::setActiveWindow(&window());
  QLineEdit* description = window().main_page->description;
  description->setFocus();
  // Ctrl+O beside the menu.
  dialogs_.ExpectOpenFile(file);
  QTest::keyClick(description, Qt::Key_O, Qt::ControlModifier);
  EXPECT_TRUE(dialogs_.done());
  // The pages turn from a field, both ways round, and the Page menu names the keys.
  description->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
  } turns[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
               {Qt::Key_PageDown, Qt::ControlModifier, 2},
               {Qt::Key_PageUp, Qt::ControlModifier, 1},
               {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
               {Qt::Key_PageUp, Qt::ControlModifier, 4}};
  for (const auto& turn : turns) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), turn.key, turn.modifiers);
    EXPECT_EQ(window().tabs->currentIndex(), turn.page);
  }
  EXPECT_TRUE(window().next_page->text().endsWith("\tCtrl+Tab, Ctrl+PgDown"));
  EXPECT_TRUE(window().previous_page->text().endsWith("\tCtrl+Shift+Tab, Ctrl+PgUp"));
  // Enter in a field ends the entry (here the event name's check) and presses no Add.
  SelectPage(3);
  EventsPage* events = window().events_page;
  events->show_new->click();
  events->list->setCurrentRow(0);
  events->name->setFocus();
  events->name->selectAll();
  QTest::keyClick(events->name, Qt::Key_Backspace);
  dialogs_.ExpectBox(BoxKind::kInformation, model::MissingEntryMessage(model::missing::kEventName));
  QTest::keyClick(events->name, Qt::Key_Return);
  EXPECT_TRUE(dialogs_.done());
  EXPECT_EQ(events->name->text(), "On");
  // Ctrl+N beside the menu, Ctrl+Q beside Alt+X.
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save " + file.string() + "?", Answer::kNo);
  catalog::ParentChoice choice;
  choice.view = catalog::ParentView::kList;
  choice.list_text = "TEdit";
  dialogs_.ExpectSelectParent(choice);
  QTest::keyClick(events->name, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(window().main_page->parent_class->text(), "TEdit");
  dialogs_.ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kNo);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window().isVisible());
}

TEST_F(MainWindowTest, AnOpenedDefinitionShowsItsFirstEntries) {
  EXPECT_FALSE(window().windowIcon().isNull());
  Open();
  for (int page = 1; page <= 4; ++page) {
    SelectPage(page);
    auto* list = window().tabs->currentWidget()->findChild<QListWidget*>();
    if (list->count() == 0) continue;  // the inherited events of a component without any
    EXPECT_EQ(list->currentRow(), 0) << page;
    EXPECT_TRUE(window().del->isEnabled()) << page;
  }
  EXPECT_TRUE(window().properties_page->name->isEnabled());
  EXPECT_EQ(window().properties_page->name->text(), "Active");
  EXPECT_FALSE(modified());
}

// File > Import component unit through the menu: a unit the window generated from an example
// opens as a new definition; a unit of two classes asks which; Cancel there changes nothing.
TEST_F(MainWindowTest, ImportComponentUnitThroughTheMenu) {
  QAction* import = window().actions.at(MenuItem::kImportUnit);
  EXPECT_EQ(import->text(), "&Import component unit...");
  EXPECT_TRUE(import->isEnabled());  // also with no definition open
  // The unit of an example, as Generate > Component code writes it.
  Open("alarm.cd");
  const auto unit = dir_ / "alarm.pas";
  dialogs_.ExpectBox(BoxKind::kInformation, "Component code written to " + unit.string() + ".");
  window().actions[MenuItem::kGenerateCode]->trigger();
  Open("mybutton.cd");
  dialogs_.ExpectOpenFile(unit);
  import->trigger();
  EXPECT_EQ(window().windowTitle(), "Component Definition - (Untitled)");
  EXPECT_EQ(window().main_page->new_class_name->text(), "TAlarm");
  EXPECT_EQ(window().main_page->parent_class->text(), "TComponent");
  EXPECT_TRUE(modified());
  SelectPage(1);
  EXPECT_GT(window().properties_page->list->count(), 0);

  // Two classes: the list, then Cancel; the imported definition stays, still unsaved.
  const std::filesystem::path gauges = KX_UNIT_FIXTURES "/gauges.pas";
  const std::string choose =
      "gauges.pas registers several component classes. Select the class to import:";
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kNo,
                 "Import Component Unit")
      .ExpectOpenFile(gauges)
      .ExpectChooseClass(choose, std::nullopt);
  import->trigger();
  EXPECT_EQ(dialogs_.class_requests().back().classes,
            (std::vector<std::string>{"TBarGauge", "TDialGauge"}));
  EXPECT_EQ(window().main_page->new_class_name->text(), "TAlarm");
  EXPECT_EQ(window().windowTitle(), "Component Definition - (Untitled)");
  EXPECT_TRUE(modified());

  // Again, choosing the bar: it opens, and the notes list what stayed behind, by line.
  dialogs_
      .ExpectBox(BoxKind::kConfirmation, "Save this component definition?", Answer::kNo,
                 "Import Component Unit")
      .ExpectOpenFile(gauges)
      .ExpectChooseClass(choose, "TBarGauge")
      .ExpectNotes();
  import->trigger();
  EXPECT_EQ(window().main_page->new_class_name->text(), "TBarGauge");
  EXPECT_EQ(window().main_page->parent_class->text(), "TGraphicControl");
  ASSERT_EQ(dialogs_.notes_shown().size(), 1u);
  const std::vector<std::string>& notes = dialogs_.notes_shown().back().lines;
  EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [](const std::string& note) {
    return note.starts_with("line 73: The registration of TDialGauge is left out");
  })) << ::testing::PrintToString(notes);
  EXPECT_EQ(dialogs_.file_requests().back().initial_dir, gauges.parent_path());
}

// A unit edited outside Kestrix: Generate asks before replacing it, Yes takes the edits into
// the definition first (the Methods page lists the new method), and the new unit holds them;
// Generate > Take edits from unit then finds nothing more to take.
TEST_F(MainWindowTest, GenerationTakesEditsMadeOutsideFirst) {
  Open("alarm.cd");
  const auto unit = dir_ / "alarm.pas";
  const std::string written = "Component code written to " + unit.string() + ".";
  dialogs_.ExpectBox(BoxKind::kInformation, written);
  window().actions[MenuItem::kGenerateCode]->trigger();
  std::string text = TempDir::Read(unit);
  const std::string setter = "     FActive := Value;\r\n";
  text.insert(text.find(setter) + setter.size(), "     Change(Self);\r\n");
  text.insert(text.find("constructor TAlarm.Create"),
              "procedure TAlarm.Snooze;\r\nbegin\r\n     Active := False;\r\nend;\r\n\r\n");
  text.insert(text.find("        destructor Destroy; override;"), "        procedure Snooze;\r\n");
  dir_.Write("alarm.pas", text);
  const auto line_of = [&text](std::string_view what) {
    return std::to_string(1 + std::count(text.begin(), text.begin() + text.find(what), '\n'));
  };

  dialogs_
      .ExpectBox(BoxKind::kConfirmation, std::string(commands::kUnitChangedQuestion), Answer::kYes,
                 "Generate component code")
      .ExpectBox(BoxKind::kInformation,
                 "Taken from the unit: 1 changed, 1 added, 0 in conflict; 0 removed from the "
                 "unit, 0 not placed.\n\nChanged:\n  line " +
                     line_of("procedure TAlarm.SetActive") +
                     ": the write method of property Active\n\nAdded as items:\n  line " +
                     line_of("procedure TAlarm.Snooze") + ": method Snooze",
                 Answer::kOk, "Generate component code")
      .ExpectBox(BoxKind::kInformation, written);
  window().actions[MenuItem::kGenerateCode]->trigger();
  EXPECT_TRUE(modified());
  SelectPage(2);
  EXPECT_EQ(window().methods_page->list->findItems("Snooze", Qt::MatchStartsWith).size(), 1);
  const std::string regenerated = TempDir::Read(unit);
  EXPECT_NE(regenerated.find(setter + "     Change(Self);\r\n"), std::string::npos);
  EXPECT_NE(regenerated.find("procedure TAlarm.Snooze;"), std::string::npos);
  EXPECT_EQ(TempDir::Read(dir_ / "alarm.pas.bak"), text);

  QAction* take = window().actions.at(MenuItem::kTakeUnitEdits);
  EXPECT_EQ(take->text(), "&Take edits from unit...");
  dialogs_.ExpectOpenFile(unit).ExpectBox(
      BoxKind::kInformation, "No edits to take: the unit is what the definition generates.",
      Answer::kOk, "Take edits from unit");
  take->trigger();
  EXPECT_EQ(dialogs_.file_requests().back().file_name, "alarm.pas");
}

}  // namespace
}  // namespace kx::ui

int main(int argc, char** argv) {
  // Listing the tests at build time needs no display either.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
