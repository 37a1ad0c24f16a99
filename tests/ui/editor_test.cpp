// SPDX-License-Identifier: GPL-3.0-or-later
// The code and help-text editors driven through their widgets, opened from the main window's
// Code and Text buttons; every box they show is answered by the scripted dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "commands/code_editing.h"
#include "store/definition_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/code_edit.h"
#include "ui/desktop.h"
#include "ui/editor_window.h"
#include "ui/events_page.h"
#include "ui/main_page.h"
#include "ui/methods_page.h"
#include "ui/properties_page.h"
#include "ui/text_boundary.h"
#include "ui/variables_page.h"

namespace kx::ui {
namespace {

using commands::Answer;
using commands::BoxKind;
using commands::Page;
using Lines = std::vector<std::string>;

// Scripted dialogs that open the real editor and run the test's script on it instead of
// waiting for a person.
class EditorDialogs : public testing::ScriptedDialogs {
 public:
  std::function<void(EditorWindow&)> script;
  commands::EditorRequest request;
  std::vector<store::HelpTopic> topics;

  std::optional<Lines> EditText(const commands::EditorRequest& r) override {
    request = r;
    EditorWindow window(nullptr, r, *this,
                        [this](const store::HelpTopic& topic) { topics.push_back(topic); });
    window.show();
    QApplication::setActiveWindow(&window);
    script(window);
    if (window.result() != QDialog::Accepted) return std::nullopt;
    return window.block();
  }
};

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    store::Settings settings;
    settings.file = dir_ / "Kestrix.ini";
    settings.pascal_code_dir = dir_.path().string() + "/";
    desktop_ = std::make_unique<Desktop>(settings, store::BuiltInPalettePages(), &dialogs_);
  }

  // Opens a definition with one property that has only a write method, and selects it.
  model::ItemDef& OpenProperty(model::TextBlock code = std::nullopt) {
    model::ComponentDef def;
    model::ClearDefinition(def, dir_.path().string() + "/");
    def.MainInfo.UnitName = "Alarm";
    def.MainInfo.NewClassName = "TAlarm";
    def.MainInfo.ParentClassName = def.MainInfo.VCLAncestorName = "TComponent";
    model::ItemDef item = model::NewPropertyItem("Color");
    item.Property().PropType = "TColor";
    item.Property().UseWriteMethod = true;
    item.Code = std::move(code);
    model::AddItem(def, std::move(item));
    desktop_->model().Start(dir_.Write("alarm.cd", store::WriteDefinition(def, "alarm.cd")));
    MainWindow& window = desktop_->window();
    window.Run([&] { desktop_->model().PageChange(Page::kProperties); });
    window.Run([&] { desktop_->model().ListClick(0); });
    return desktop_->session().def().Item(1);
  }

  void Code(std::function<void(EditorWindow&)> script) {
    dialogs_.script = std::move(script);
    QTest::mouseClick(desktop_->window().code, Qt::LeftButton);
  }

  static void Type(CodeEdit* edit, const QString& text) {
    for (const QChar c : text) {
      if (c == '\n') {
        QTest::keyClick(edit, Qt::Key_Return);
      } else {
        QTest::keyClick(edit, c.toLatin1());
      }
    }
  }

  testing::TempDir dir_;
  EditorDialogs dialogs_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(EditorTest, OkWithoutChangeKeepsTheOldBlock) {
  model::ItemDef& item = OpenProperty();
  Code([](EditorWindow& window) {
    // Only "Use write method": the write method opens without a question.
    EXPECT_EQ(window.windowTitle(), "Write method for property Color");
    EXPECT_EQ(window.header->text(), "procedure SetColor(Value : TColor);");
    EXPECT_FALSE(window.edit->text().isEmpty());  // the default code
    QTest::keyClick(window.edit, Qt::Key_F1);
    window.ok->click();
  });
  ASSERT_EQ(dialogs_.topics.size(), 1u);
  EXPECT_EQ(dialogs_.topics[0].context, store::kCodeEditorHelpContext);
  EXPECT_FALSE(item.Code.has_value());
  EXPECT_FALSE(desktop_->session().modified());
}

TEST_F(EditorTest, StoresTheLinesTyped) {
  model::ItemDef& item = OpenProperty(Lines{"begin", "end;"});
  Code([](EditorWindow& window) {
    window.edit->selectAll();
    Type(window.edit, "begin\nBeep;\nend;");
    window.ok->click();
  });
  EXPECT_EQ(item.Code, (Lines{"begin", "  Beep;", "end;"}));
  EXPECT_TRUE(desktop_->session().modified());
}

TEST_F(EditorTest, RestoreDefaultThenOkStoresTheDefaultCode) {
  model::ItemDef& item = OpenProperty(Lines{"begin", "  { mine }", "end;"});
  dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(commands::kRestoreDefaultQuestion),
                     Answer::kYes, std::string(commands::kRestoreDefaultCaption));
  Code([](EditorWindow& window) {
    window.restore->click();
    window.ok->click();
  });
  EXPECT_EQ(item.Code, dialogs_.request.default_block);
  EXPECT_NE(item.Code, (Lines{"begin", "  { mine }", "end;"}));
}

TEST_F(EditorTest, ClosingWithChangesAsksAndYesKeepsThem) {
  model::ItemDef& item = OpenProperty(Lines{"end;"});
  dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(commands::kRetainCodeQuestion),
                     Answer::kYes);
  Code([](EditorWindow& window) {
    window.edit->setCursorPosition(0, 0);
    Type(window.edit, "begin\n");
    window.close();
  });
  EXPECT_EQ(item.Code, (Lines{"begin", "end;"}));
}

TEST_F(EditorTest, EscapeAsksAndCancelGoesBackToTheCode) {
  model::ItemDef& item = OpenProperty(Lines{"end;"});
  for (const Answer answer : {Answer::kCancel, Answer::kNo}) {
    dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(commands::kRetainCodeQuestion), answer,
                       std::nullopt, commands::Buttons::kYesNoCancel);
  }
  Code([](EditorWindow& window) {
    window.edit->setCursorPosition(0, 0);
    Type(window.edit, "begin\n");
    QTest::keyClick(window.edit, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.edit->text(), "begin\nend;");
    QTest::keyClick(window.edit, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_EQ(item.Code, (Lines{"end;"}));
}

TEST_F(EditorTest, TypedCodeIsIndentedAsPascal) {
  model::ItemDef& item = OpenProperty();
  Code([](EditorWindow& window) {
    window.edit->selectAll();
    Type(window.edit, "begin\nif A then\nB;\ntry\nrepeat\nC;\nuntil D;\nexcept\nE;\nend;\nend;");
    window.ok->click();
  });
  EXPECT_EQ(item.Code, (Lines{"begin", "  if A then", "    B;", "  try", "    repeat", "      C;",
                              "    until D;", "  except", "    E;", "  end;", "end;"}));
}

TEST_F(EditorTest, PastedTabsBecomeBlanks) {
  model::ItemDef& item = OpenProperty(Lines{"x"});
  dialogs_.ExpectBox(BoxKind::kInformation, RefusedCharacterMessage(QString::fromUtf8("\u03b1")));
  Code([](EditorWindow& window) {
    QApplication::clipboard()->setText(QString::fromUtf8("\u03b1"));  // not in Windows-1252
    QTest::keyClick(window.edit, Qt::Key_V, Qt::ControlModifier);
    QApplication::clipboard()->setText("if A then\r\n\tB;");
    window.edit->selectAll();
    QTest::keyClick(window.edit, Qt::Key_V, Qt::ControlModifier);
    window.ok->click();
  });
  EXPECT_EQ(item.Code, (Lines{"if A then", " B;"}));
}

TEST_F(EditorTest, TemplateReplacesItsKeyAndPutsTheCaretAtTheMark) {
  model::ItemDef& item = OpenProperty();
  Code([](EditorWindow& window) {
    window.edit->selectAll();
    Type(window.edit, "  begin");
    QTest::keyClick(window.edit, Qt::Key_J, Qt::ControlModifier);
    Type(window.edit, "Col");
    QTest::keyClick(window.edit, Qt::Key_Space, Qt::ControlModifier);  // one match: at once
    window.ok->click();
  });
  EXPECT_EQ(item.Code, (Lines{"  begin", "  Color", "  end;"}));
}

TEST_F(EditorTest, HelpTextFlowsAndComesBackAsParagraphLines) {
  model::ItemDef& item = OpenProperty();
  item.Help = Lines{"The colour", "of the face.", "", "Clear by default."};
  dialogs_.script = [](EditorWindow& window) {
    EXPECT_EQ(window.windowTitle(), "Text for Color property");
    EXPECT_EQ(window.edit->text(), "The colour of the face.\n\nClear by default.");
    EXPECT_FALSE(window.restore->isVisible());
    window.edit->setCursorPosition(2, 0);
    Type(window.edit, "Now ");
    window.ok->click();
  };
  QTest::mouseClick(desktop_->window().text, Qt::LeftButton);
  EXPECT_EQ(item.Help, (Lines{"The colour of the face.", "", "Now Clear by default."}));
}

}  // namespace
}  // namespace kx::ui
