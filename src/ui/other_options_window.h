// SPDX-License-Identifier: GPL-3.0-or-later
// Options > "Other options": the default copyright line and what happens to generated code.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"

class QComboBox;
class QButtonGroup;
class QLineEdit;

namespace kx::ui {

class OtherOptionsWindow : public QDialog {
  Q_OBJECT
 public:
  OtherOptionsWindow(QWidget* parent, const commands::OtherOptionsRequest& request);
  commands::OtherOptions Result() const;

 private:
  QComboBox* copyright_ = nullptr;
  QButtonGroup* codeview_ = nullptr;
  QLineEdit* help_url_ = nullptr;
};

}  // namespace kx::ui
