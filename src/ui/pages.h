// SPDX-License-Identifier: GPL-3.0-or-later
// The five pages of the definition window. Each builds its controls, binds each to its model
// handler and draws the model's state of its page; nothing here decides a rule.
#pragma once

#include <QWidget>

#include "ui/bindings.h"

class QLabel;
class QLineEdit;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QButtonGroup;

namespace kx::ui {

class EntryBox;
class DataTypeCombo;
class DataValueCombo;

// Fills a list widget with entries only when they changed, and selects the entry.
void ShowList(QListWidget* list, const commands::EntryList& entries);

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
};

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
  PageContext& context_;
};

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
  PageContext& context_;
};

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
  PageContext& context_;
};

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
  PageContext& context_;
};

}  // namespace kx::ui
