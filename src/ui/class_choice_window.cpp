// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/class_choice_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_keys.h"
#include "ui/text_boundary.h"

namespace kx::ui {

ClassChoiceWindow::ClassChoiceWindow(QWidget* parent, const commands::ClassChoiceRequest& request,
                                     std::function<void()> help)
    : QDialog(parent) {
  setWindowTitle(FromModel(request.caption));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(FromModel(request.prompt));
  prompt->setWordWrap(true);
  list = new QListWidget;
  for (const std::string& name : request.classes) list->addItem(FromModel(name));
  list->setCurrentRow(request.classes.empty() ? -1 : 0);
  // As tall as the classes need, up to a screenful of them.
  list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  list->setMaximumHeight(list->fontMetrics().lineSpacing() * 16);
  prompt->setBuddy(list);
  layout->addWidget(prompt);
  layout->addWidget(list);
  QDialogButtonBox* buttons = OkCancelButtons(this, std::move(help));
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setEnabled(list->currentRow() >= 0);
  connect(list, &QListWidget::currentRowChanged, ok, [ok](int row) { ok->setEnabled(row >= 0); });
  connect(list, &QListWidget::itemActivated, this, &QDialog::accept);
  layout->addWidget(buttons);
  list->setFocus();
  setMinimumWidth(380);
}

std::string ClassChoiceWindow::Result() const {
  const QListWidgetItem* item = list->currentItem();
  return item == nullptr ? std::string() : ToModel(item->text()).value_or("");
}

}  // namespace kx::ui
