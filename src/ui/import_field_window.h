// SPDX-License-Identifier: GPL-3.0-or-later
// "Import fields": one persistent field of a form at a time, with its name in the component,
// its display label and how to handle it. The flow (commands/imports.h) refuses an empty name
// and walks the form's fields, showing the dialog once for each.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"

class QButtonGroup;
class QLineEdit;

namespace kx::ui {

class ImportFieldWindow : public QDialog {
  Q_OBJECT
 public:
  ImportFieldWindow(QWidget* parent, std::string_view field,
                    const commands::FieldImportChoice& proposed);
  commands::FieldImportChoice Result() const;

  QLineEdit* name = nullptr;
  QLineEdit* label = nullptr;
  QButtonGroup* handling = nullptr;  // ids: commands::FieldHandling
};

}  // namespace kx::ui
