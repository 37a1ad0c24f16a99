// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about.h"

#include <Qsci/qsciglobal.h>

#include <QMessageBox>
#include <QtGlobal>

#include "commands/about.h"
#include "ui/text_boundary.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif
// Set for this file alone, so that a new day rebuilds only it.
#ifndef KX_BUILD_DATE
#define KX_BUILD_DATE "unknown"
#endif

namespace kx::ui {

QString AboutText(const store::Settings& settings) {
  return QString(
             "Kestrix %1\n"
             "A design tool and code generator for Delphi and Lazarus components.\n\n"
             "Built %2 with Qt %3 and QScintilla %4; running on Qt %5.\n"
             "Qt is used under the GNU LGPL version 3, QScintilla under the GNU GPL "
             "version 3.\n\n"
             "%6\n\n"
             "Settings: %7\n"
             "Manual: %8")
      .arg(KX_VERSION, KX_BUILD_DATE, QT_VERSION_STR, QSCINTILLA_VERSION_STR, qVersion(),
           QString::fromUtf8(commands::kLicenceNotice.data(),
                             static_cast<qsizetype>(commands::kLicenceNotice.size())),
           FromPath(settings.file.string()), FromPath(settings.help_file.string()));
}

void ShowAbout(QWidget* parent, const store::Settings& settings) {
  QMessageBox::about(parent, "About Kestrix", AboutText(settings));
}

}  // namespace kx::ui
