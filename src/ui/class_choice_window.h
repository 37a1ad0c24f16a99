// SPDX-License-Identifier: GPL-3.0-or-later
// "Import component unit": the classes of a unit listed to choose the one to import, the first
// selected; a double click or Return takes the selected one.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "commands/dialogs.h"

class QListWidget;

namespace kx::ui {

class ClassChoiceWindow : public QDialog {
  Q_OBJECT
 public:
  // help: the Help button's; nothing for a dialog without one.
  ClassChoiceWindow(QWidget* parent, const commands::ClassChoiceRequest& request,
                    std::function<void()> help);
  std::string Result() const;

  QListWidget* list = nullptr;
};

}  // namespace kx::ui
