// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program from its command line to its end: kestrix [--settings FILE] [FILE.cd].
#pragma once

#include <functional>

namespace kx::ui {

// Loads the settings, makes the window (centred unless another copy runs), opens the
// definition named, shows the window and runs until it closes. shown runs once the window is
// shown with its definition (the start-up benchmark quits there).
int RunDesktop(int argc, char** argv, const std::function<void()>& shown = {});

}  // namespace kx::ui
