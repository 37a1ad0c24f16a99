// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the desktop program runs on, put together once: the settings, the dialogs, the
// session with the one definition, the parent selection, the window model and the window.
// The program and the tests build the same; tests hand in their own Dialogs.
//
//   Desktop desktop(settings, store::BuiltInPalettePages());
//   desktop.model().Start(file);
//   desktop.window().Render();
//   desktop.window().show();
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalog/custom_class_registry.h"
#include "commands/main_window_model.h"
#include "commands/parent_selection_flow.h"
#include "commands/session.h"
#include "platform/clock.h"
#include "store/settings.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"

namespace kx::ui {

class Desktop {
 public:
  // dialogs: nothing for the real dialogs over the window.
  Desktop(store::Settings settings, std::vector<std::string> palette_pages,
          commands::Dialogs* dialogs = nullptr,
          std::unique_ptr<platform::Clock> clock = std::make_unique<platform::SystemClock>());

  MainWindow& window() { return *window_; }
  commands::MainWindowModel& model() { return model_; }
  commands::Session& session() { return session_; }
  store::Settings& settings() { return settings_; }

 private:
  store::Settings settings_;
  std::unique_ptr<platform::Clock> clock_;
  std::unique_ptr<QtDialogs> qt_dialogs_;
  commands::Dialogs& dialogs_;
  commands::Session session_;
  catalog::CustomClassRegistry registry_;
  commands::ParentSelector selector_;
  commands::MainWindowModel model_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace kx::ui
