// SPDX-License-Identifier: GPL-3.0-or-later
// The keys and buttons every dialog has besides its own: F1 for help on it, OK, Cancel, Help.
//
//   AddHelpKey(&dialog, [] { ...open the dialog's page of the manual... });
#pragma once

#include <functional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace kx::ui {

// F1 anywhere in the dialog, whichever of its widgets has the focus, runs help.
void AddHelpKey(QWidget* dialog, std::function<void()> help);

// OK and Cancel that accept and reject the dialog, and a Help button that runs help when
// there is help.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> help);

}  // namespace kx::ui
