// SPDX-License-Identifier: GPL-3.0-or-later
// Help > About: what is running, built when and with what, and where its settings are.
#pragma once

#include <QString>

#include "store/settings.h"

class QWidget;

namespace kx::ui {

// The text of the about box (plain text, one fact a line).
QString AboutText(const store::Settings& settings);
void ShowAbout(QWidget* parent, const store::Settings& settings);

}  // namespace kx::ui
