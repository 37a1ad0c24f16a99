// SPDX-License-Identifier: GPL-3.0-or-later
// The Main page of the definition window: the class, its parent, unit, units, palette
// page, copyright line and target directory. It builds its controls,
// binds each to its model handler and draws the model's state of its page; it decides no rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kx::ui {

class EntryBox;

class MainPage : public QWidget {
  Q_OBJECT
 public:
  explicit MainPage(PageContext& context);
  void Render();

  QLabel* parent_class;
  QPushButton* new_parent;
  QLineEdit* new_class_name;
  QLineEdit* unit_name;
  QCheckBox* limit_name;
  QLineEdit* description;
  QListWidget* units;
  EntryBox* default_palette;
  EntryBox* copyright_line;
  QLabel* target_dir;
  QPushButton* new_target;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PageContext& context_;
  PageBinder<commands::MainPageModel> bind_;
};

}  // namespace kx::ui
