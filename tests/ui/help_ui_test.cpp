// SPDX-License-Identifier: GPL-3.0-or-later
// F1 and the Help menu of the desktop window: each opens its place in the manual, or the
// address of keyword help, through the desktop's URL handling.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include "commands/help.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/about.h"
#include "ui/desktop.h"

namespace kx::ui {

// Stands in for the browser: keeps every address the program asks the desktop to open.
class OpenedUrls : public QObject {
  Q_OBJECT
 public:
  QStringList urls;
 public slots:
  void Open(const QUrl& url) { urls << url.toString(QUrl::FullyEncoded); }
};

namespace {

using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

class HelpUiTest : public ::testing::Test {
 protected:
  HelpUiTest() {
    store::Settings settings;
    settings.file = dir_ / "Kestrix.ini";
    settings.definitions_dir = dir_.path().string() + "/";
    settings.pascal_code_dir = dir_.path().string() + "/";
    settings.help_file = std::filesystem::path(KX_HELP_DIR) / "index.html";
    desktop_ = std::make_unique<Desktop>(settings, store::BuiltInPalettePages(), &dialogs_);
    desktop_->window().Render();
    desktop_->window().show();
    QApplication::setActiveWindow(&desktop_->window());
    for (const char* scheme : {"file", "https"}) {
      QDesktopServices::setUrlHandler(scheme, &opened_, "Open");
    }
  }
  ~HelpUiTest() override {
    for (const char* scheme : {"file", "https"}) QDesktopServices::unsetUrlHandler(scheme);
  }

  QString PressF1() {
    opened_.urls.clear();
    QTest::keyClick(&desktop_->window(), Qt::Key_F1);
    return opened_.urls.value(0);
  }

  QString Manual(std::string_view page) {
    return QUrl::fromLocalFile(QString(KX_HELP_DIR) + "/" + QString::fromUtf8(page))
        .toString(QUrl::FullyEncoded);
  }

  TempDir dir_;
  ScriptedDialogs dialogs_;
  OpenedUrls opened_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(HelpUiTest, F1OpensTheContentsThenThePageShown) {
  EXPECT_EQ(PressF1().toStdString(), Manual("index.html").toStdString());
  std::filesystem::copy_file(std::filesystem::path(KX_EXAMPLES_DIR) / "alarm.cd",
                             dir_ / "alarm.cd");
  desktop_->model().Start(dir_ / "alarm.cd");
  desktop_->window().Render();
  for (int page = 0; page < 5; ++page) {
    desktop_->window().tabs->setCurrentIndex(page);
    const commands::HelpPlace& place = commands::HelpPlaces()[static_cast<std::size_t>(page)];
    ASSERT_EQ(place.context, 100 + page);
    EXPECT_EQ(PressF1().toStdString(),
              (Manual(place.page) + "#" + QString::fromUtf8(place.anchor)).toStdString());
  }
}

TEST_F(HelpUiTest, ClassHelpOpensTheKeywordAddressOrSaysHowToSetOne) {
  std::filesystem::copy_file(std::filesystem::path(KX_EXAMPLES_DIR) / "alarm.cd",
                             dir_ / "alarm.cd");
  desktop_->model().Start(dir_ / "alarm.cd");
  desktop_->window().Render();
  QAction* class_help = desktop_->window().FindAction("&Class help");
  ASSERT_NE(class_help, nullptr);
  dialogs_.ExpectBox(commands::BoxKind::kInformation,
                     "To look up TComponent component in the component writer's guide, give the "
                     "address of a reference under Options > Other options, with {keyword} where "
                     "the word goes.");
  class_help->trigger();
  EXPECT_TRUE(opened_.urls.isEmpty());
  desktop_->settings().help_url = "https://example.org/search?q={keyword}";
  class_help->trigger();
  EXPECT_EQ(opened_.urls.join(" ").toStdString(),
            "https://example.org/search?q=TComponent%20component");
}

TEST_F(HelpUiTest, AboutNamesTheVersionsTheLicenceAndTheSettingsFile) {
  const QString text = AboutText(desktop_->settings());
  EXPECT_TRUE(text.contains(QString("Qt ") + qVersion()));
  EXPECT_TRUE(text.contains("(GPL-3.0-or-later), and comes with NO WARRANTY"));
  EXPECT_TRUE(text.contains(QString::fromStdString((dir_ / "Kestrix.ini").string())));
  EXPECT_TRUE(text.contains(QRegularExpression(R"(Kestrix \d+\.\d+\.\d+\n)")));
}

}  // namespace
}  // namespace kx::ui

#include "help_ui_test.moc"
