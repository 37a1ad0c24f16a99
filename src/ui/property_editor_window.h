// SPDX-License-Identifier: GPL-3.0-or-later
// "Property editor options" (the ">>>..." button of the Properties page): the default or a
// custom editor for one property, the custom editor's unit and class, and whether it serves
// every property of the type. The name filter, the switch to the custom editor and the check
// of OK are model/editor_options.h's.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "commands/dialogs.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace kx::ui {

class PropertyEditorWindow : public QDialog {
  Q_OBJECT
 public:
  // refuse: shows the message of a refused OK.
  PropertyEditorWindow(QWidget* parent, const commands::PropertyEditorRequest& request,
                       std::function<void(const std::string& message)> refuse,
                       std::function<void()> help);
  // The settings stored by the last accepted OK.
  const model::PropertyEditorDef& Result() const { return result_; }

  QButtonGroup* editor = nullptr;  // 0 default, 1 custom
  QComboBox* unit = nullptr;
  QComboBox* editor_class = nullptr;
  QCheckBox* apply_to_all = nullptr;

  void accept() override;

 private:
  model::PropertyEditorDef result_;
  std::function<void(const std::string&)> refuse_;
};

}  // namespace kx::ui
