// SPDX-License-Identifier: GPL-3.0-or-later
// "Generate documentation": whom the pages are for, one of three radio buttons each with its
// hint under it.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"

class QButtonGroup;

namespace kx::ui {

class DocumentationWindow : public QDialog {
  Q_OBJECT
 public:
  DocumentationWindow(QWidget* parent, commands::Audience preselected);
  commands::Audience Result() const;

  QButtonGroup* audience = nullptr;  // ids: commands::Audience
};

}  // namespace kx::ui
