// SPDX-License-Identifier: GPL-3.0-or-later
// The keys every dialog answers besides its own: F1 for help on it.
//
//   AddHelpKey(&dialog, [] { ...open the dialog's page of the manual... });
#pragma once

#include <functional>

class QWidget;

namespace kx::ui {

// F1 anywhere in the dialog, whichever of its widgets has the focus, runs help.
void AddHelpKey(QWidget* dialog, std::function<void()> help);

}  // namespace kx::ui
