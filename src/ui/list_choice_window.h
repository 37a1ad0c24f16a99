// SPDX-License-Identifier: GPL-3.0-or-later
// A caption, a label and a drop-down list with its first entry (or a given one) selected:
// "Generate container component" (which panel of a form to import) and the two choices of
// "Generate property editors" (which editor unit, which editor kind).
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

namespace kx::ui {

class ListChoiceWindow : public QDialog {
  Q_OBJECT
 public:
  // help: nothing for a dialog without a Help button.
  ListChoiceWindow(QWidget* parent, const QString& caption, const QString& label,
                   const std::vector<std::string>& entries, int selected,
                   std::function<void()> help);
  int Index() const;
  std::string Text() const;

  QComboBox* list = nullptr;
};

}  // namespace kx::ui
