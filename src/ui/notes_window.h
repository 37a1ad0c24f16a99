// SPDX-License-Identifier: GPL-3.0-or-later
// Notes to read beside the main window (what an import of a unit left out, by line): a heading,
// the notes one to a row, Copy to put them all on the clipboard and Close. It is not modal, so
// the user can look for each line in the definition while it stays open.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"

class QListWidget;
class QPushButton;

namespace kx::ui {

class NotesWindow : public QDialog {
  Q_OBJECT
 public:
  NotesWindow(QWidget* parent, const commands::NotesRequest& request);

  QListWidget* list = nullptr;
  QPushButton* copy = nullptr;
};

}  // namespace kx::ui
