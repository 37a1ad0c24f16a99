// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/notes_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

NotesWindow::NotesWindow(QWidget* parent, const commands::NotesRequest& request) : QDialog(parent) {
  setWindowTitle(FromModel(request.caption));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(FromModel(request.heading));
  heading->setWordWrap(true);
  list = new QListWidget;
  list->setWordWrap(true);
  list->setAlternatingRowColors(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const std::string& line : request.lines) list->addItem(FromModel(line));
  list->setCurrentRow(0);
  // As tall as the notes need, so that the definition stays in sight; a long list scrolls.
  list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  list->setMaximumHeight(list->fontMetrics().lineSpacing() * 12);
  heading->setBuddy(list);
  layout->addWidget(heading);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
  connect(copy, &QPushButton::clicked, this, [this] {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    QApplication::clipboard()->setText(lines.join('\n') + '\n');
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
  copy->setAutoDefault(false);
  list->setFocus();
  setMinimumWidth(560);
}

}  // namespace kx::ui
