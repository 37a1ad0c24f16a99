// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_choice_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_keys.h"
#include "ui/text_boundary.h"

namespace kx::ui {

ListChoiceWindow::ListChoiceWindow(QWidget* parent, const QString& caption, const QString& label,
                                   const std::vector<std::string>& entries, int selected,
                                   std::function<void()> help)
    : QDialog(parent) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(label);
  list = new QComboBox;
  for (const std::string& entry : entries) list->addItem(FromModel(entry));
  list->setCurrentIndex(entries.empty() ? -1 : std::clamp(selected, 0, list->count() - 1));
  text->setBuddy(list);
  layout->addWidget(text);
  layout->addWidget(list);
  layout->addWidget(OkCancelButtons(this, std::move(help)));
  list->setFocus();
  setMinimumWidth(360);
}

int ListChoiceWindow::Index() const { return list->currentIndex(); }

std::string ListChoiceWindow::Text() const { return ToModel(list->currentText()).value_or(""); }

}  // namespace kx::ui
