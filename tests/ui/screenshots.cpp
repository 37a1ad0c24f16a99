// Writes a picture of each page of the window with a definition open:
//   kx_ui_screenshots DEFINITION.cd OUTPUT_DIR
// (scripts/screenshots runs it offscreen for the README).
#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <iostream>

#include "store/settings.h"
#include "ui/desktop.h"
#include "ui/pages.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: kx_ui_screenshots DEFINITION.cd OUTPUT_DIR\n";
    return 2;
  }
  kx::store::Settings settings;
  settings.file = std::filesystem::path(argv[2]) / "Kestrix.ini.unused";
  kx::ui::Desktop desktop(settings, kx::store::BuiltInPalettePages());
  kx::ui::MainWindow& window = desktop.window();
  window.resize(780, 560);
  desktop.model().Start(std::filesystem::path(argv[1]));
  window.Render();
  window.show();
  const char* names[] = {"main", "properties", "methods", "events", "variables"};
  for (int page = 0; page < kx::commands::kPageCount; ++page) {
    window.Run([&] { desktop.model().PageChange(static_cast<kx::commands::Page>(page)); });
    if (page == 3 && desktop.model().events().list.entries.empty()) {
      window.Run([&] { desktop.model().EventsModeClick(kx::commands::EventsMode::kNew); });
    }
    if (page > 0) window.Run([&] { desktop.model().ListClick(0); });
    QApplication::processEvents();
    const QString file = QString(argv[2]) + "/" + names[page] + ".png";
    if (!window.grab().save(file)) {
      std::cerr << "could not write " << file.toStdString() << "\n";
      return 1;
    }
    std::cout << file.toStdString() << "\n";
  }
  return 0;
}
