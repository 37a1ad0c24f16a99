// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the window shown, for timing whole processes: kx_startup_probe runs the desktop
// program's start-up and quits as soon as the window is up; kx_startup_probe --empty does the
// same for an empty QMainWindow, the yardstick.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstring>

#include "ui/startup.h"

int main(int argc, char** argv) {
  const auto quit_when_shown = [] { QTimer::singleShot(0, qApp, &QApplication::quit); };
  if (argc > 1 && std::strcmp(argv[1], "--empty") == 0) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    quit_when_shown();
    return QApplication::exec();
  }
  return kx::ui::RunDesktop(argc, argv, quit_when_shown);
}
