// SPDX-License-Identifier: GPL-3.0-or-later
// "Link new property with sub-component property": which sub-component and which of its
// properties a new property reads and writes. An empty property is refused by the flow
// (commands/data_links.h), which shows the dialog again.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx::ui {

class LinkPropertyWindow : public QDialog {
  Q_OBJECT
 public:
  // help: "Sub-comp help" on the selected sub-component.
  LinkPropertyWindow(QWidget* parent, std::string_view explanation,
                     const std::vector<std::string>& sub_components,
                     std::function<void(const std::string& sub_component)> help);
  commands::PropertyLink Result() const;

  QLineEdit* property = nullptr;
  QComboBox* sub_component = nullptr;
  QPushButton* help = nullptr;
};

}  // namespace kx::ui
