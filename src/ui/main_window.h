// SPDX-License-Identifier: GPL-3.0-or-later
// TComponentSetupDlg, the program's main window: a tab per page of the definition, the Add,
// Delete, Code and Text buttons, and the menus. It draws the window model's states and
// forwards every user action to one model handler.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>

#include "commands/main_window_model.h"
#include "store/settings.h"
#include "ui/bindings.h"

class QAction;
class QPushButton;
class QTabWidget;

namespace kx::ui {

class MainPage;
class PropertiesPage;
class MethodsPage;
class EventsPage;
class VariablesPage;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(commands::MainWindowModel& model, commands::Dialogs& dialogs,
             store::Settings& settings);
  ~MainWindow() override;

  // Draws every state of the model: title, pages, buttons, menus.
  void Render();
  // Runs one handler of the model (showing the message of a file error it throws), then
  // draws the window again.
  void Run(const std::function<void()>& handler);
  // Where the window goes: centred, or where the window system puts it when another copy of
  // the program runs. A size remembered in the settings is used either way.
  void Place(bool first_instance);
  // Opens the program's help on a context (0: contents).
  void ShowHelp(const store::HelpTopic& topic);
  // Prints the interface; to a PDF file when no printer is set up (or when pdf_file is given).
  void PrintInterface(const QString& pdf_file = {});

  QTabWidget* tabs = nullptr;
  MainPage* main_page = nullptr;
  PropertiesPage* properties_page = nullptr;
  MethodsPage* methods_page = nullptr;
  EventsPage* events_page = nullptr;
  VariablesPage* variables_page = nullptr;
  QPushButton *add = nullptr, *del = nullptr, *code = nullptr, *text = nullptr;
  QAction *cut = nullptr, *copy = nullptr, *paste = nullptr;
  QAction *next_page = nullptr, *previous_page = nullptr;
  std::map<commands::MenuItem, QAction*> actions;
  QAction* FindAction(const QString& text) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void UpdateEditMenu();
  void PrinterSetup();
  QFont PrintFont() const;
  void SaveGeometry();

  commands::MainWindowModel& model_;
  commands::Dialogs& dialogs_;
  store::Settings& settings_;
  PageContext context_;
  bool close_confirmed_ = false;
  bool rendering_ = false;
};

}  // namespace kx::ui
