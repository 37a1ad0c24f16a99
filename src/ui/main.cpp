// SPDX-License-Identifier: GPL-3.0-or-later
// kestrix [--settings FILE] [FILE.cd]: the desktop program.
#include "ui/startup.h"

int main(int argc, char** argv) { return kx::ui::RunDesktop(argc, argv); }
