// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties page of the definition window. It builds its controls,
// binds each to its model handler and draws the model's state of its page; it decides no rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kx::ui {

class DataTypeCombo;
class DataValueCombo;

class PropertiesPage : public QWidget {
  Q_OBJECT
 public:
  explicit PropertiesPage(PageContext& context);
  void Render();

  QListWidget* list;
  QLineEdit* name;
  DataTypeCombo* type;
  DataValueCombo* default_value;
  QLineEdit* description;
  QComboBox* special;
  QCheckBox *read_only, *use_read, *use_write, *inherited, *unpublish;
  QLabel *variable_caption, *variable_name, *scope;
  QPushButton* editor;

 private:
  PageBinder<commands::PropertyPageModel> bind_;
};

}  // namespace kx::ui
