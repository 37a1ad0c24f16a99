// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <iostream>
#include <optional>

#include "platform/executable.h"
#include "ui/desktop.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace kx::ui {

int RunDesktop(int argc, char** argv, const std::function<void()>& shown) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kestrix");
  QApplication::setApplicationVersion(KX_VERSION);
  // Ties the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName("kestrix");

  std::optional<std::filesystem::path> settings_file;
  std::optional<std::filesystem::path> definition;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--settings" && i + 1 < args.size()) {
      settings_file = args[++i].toStdString();
    } else if (args[i] == "--help" || args[i] == "-h") {
      std::cout << "Usage: kestrix [--settings FILE] [FILE.cd]\n";
      return 0;
    } else if (args[i].startsWith("-")) {
      std::cerr << "kestrix: unknown option '" << args[i].toStdString()
                << "'\nUsage: kestrix [--settings FILE] [FILE.cd]\n";
      return 2;
    } else if (!definition) {
      definition = args[i].toStdString();
    }
  }

  // The settings come first: the window is made from them.
  const store::Environment env = store::ReadEnvironment();
  const std::filesystem::path exe_dir = platform::ExecutableDir();
  store::Settings settings;
  if (const store::ProfileStatus loaded = store::LoadProgramSettings(
          settings, settings_file, exe_dir, platform::SystemClock(), env);
      !loaded.ok()) {
    QMessageBox::critical(nullptr, "Kestrix", QString::fromStdString(loaded.message));
    return 1;
  }

  // Another copy that holds the lock means this window takes the default position.
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  QLockFile lock(runtime + "/kestrix.lock");
  const bool first_instance = lock.tryLock(0);

  ui::Desktop desktop(std::move(settings), store::ReadPalettePages(store::WinePrefix(env)));
  desktop.window().Place(first_instance);
  desktop.window().Render();
  desktop.window().show();
  desktop.model().Start(definition);
  desktop.window().Render();
  if (shown) shown();
  return QApplication::exec();
}

}  // namespace kx::ui
