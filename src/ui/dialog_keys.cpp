// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialog_keys.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QShortcut>
#include <QWidget>

namespace kx::ui {

void AddHelpKey(QWidget* dialog, std::function<void()> help) {
  auto* f1 = new QShortcut(QKeySequence::HelpContents, dialog);
  QObject::connect(f1, &QShortcut::activated, dialog, [help = std::move(help)] {
    if (help) help();
  });
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> help) {
  auto wanted = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
  if (help) wanted |= QDialogButtonBox::Help;
  auto* buttons = new QDialogButtonBox(wanted);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog,
                   [help = std::move(help)] { help(); });
  return buttons;
}

}  // namespace kx::ui
