// SPDX-License-Identifier: GPL-3.0-or-later
// The Events page of the definition window: inherited events and new ones. It builds its controls,
// binds each to its model handler and draws the model's state of its page; it decides no rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace kx::ui {

class EventsPage : public QWidget {
  Q_OBJECT
 public:
  explicit EventsPage(PageContext& context);
  void Render();

  QRadioButton *show_inherited, *show_new;
  QListWidget* list;
  QLineEdit* name;
  QLineEdit* description;
  QLabel* handler_label;
  QLineEdit* handler;
  QGroupBox* group;
  QCheckBox* publish;
  QCheckBox* override_handler;

 private:
  PageBinder<commands::EventPageModel> bind_;
};

}  // namespace kx::ui
