// SPDX-License-Identifier: GPL-3.0-or-later
// The Methods page of the definition window. It builds its controls,
// binds each to its model handler and draws the model's state of its page; it decides no rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;

namespace kx::ui {

class MethodsPage : public QWidget {
  Q_OBJECT
 public:
  explicit MethodsPage(PageContext& context);
  void Render();

  QListWidget* list;
  QComboBox* kind;
  QLineEdit* header;
  QLineEdit* description;
  QGroupBox* scope_group;
  QButtonGroup* scope;
  QComboBox* override_choice;
  QComboBox* win_message;

 private:
  PageBinder<commands::MethodPageModel> bind_;
};

}  // namespace kx::ui
