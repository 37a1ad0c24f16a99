// SPDX-License-Identifier: GPL-3.0-or-later
// The Variables page of the definition window. It builds its controls,
// binds each to its model handler and draws the model's state of its page; it decides no rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kx::ui {

class DataTypeCombo;
class DataValueCombo;

class VariablesPage : public QWidget {
  Q_OBJECT
 public:
  explicit VariablesPage(PageContext& context);
  void Render();

  QListWidget* list;
  QLineEdit* name;
  DataTypeCombo* type;
  DataValueCombo* default_value;
  QLabel* object_note;
  QLineEdit* description;
  QGroupBox* scope_group;
  QButtonGroup* scope;
  QCheckBox *is_object, *is_subcomponent;

 private:
  PageBinder<commands::VariablePageModel> bind_;
};

}  // namespace kx::ui
