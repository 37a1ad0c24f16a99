// SPDX-License-Identifier: GPL-3.0-or-later
// "Definition checks": the findings of the checks run before generation, one row per finding
// with the item it concerns, and the choice to generate anyway or cancel.
#pragma once

#include <QDialog>
#include <vector>

#include "commands/dialogs.h"

class QTreeWidget;

namespace kx::ui {

class DefinitionFindingsWindow : public QDialog {
  Q_OBJECT
 public:
  DefinitionFindingsWindow(QWidget* parent,
                           const std::vector<commands::DefinitionFinding>& findings);

  QTreeWidget* list = nullptr;
};

}  // namespace kx::ui
