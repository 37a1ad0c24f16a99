// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialog_keys.h"

#include <QShortcut>
#include <QWidget>

namespace kx::ui {

void AddHelpKey(QWidget* dialog, std::function<void()> help) {
  auto* f1 = new QShortcut(QKeySequence::HelpContents, dialog);
  QObject::connect(f1, &QShortcut::activated, dialog, [help = std::move(help)] {
    if (help) help();
  });
}

}  // namespace kx::ui
