// SPDX-License-Identifier: GPL-3.0-or-later
// The name prompt of Add and of the unit list's Insert key: a name field filtered as it is
// typed and, where asked, a data-type entry or the method kinds. The flow that opened it
// decides whether the entry will do.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"
#include "model/name_rules.h"

class QLineEdit;
class QComboBox;

namespace kx::ui {

class NamePromptWindow : public QDialog {
  Q_OBJECT
 public:
  NamePromptWindow(QWidget* parent, const commands::NamePromptRequest& request,
                   commands::Dialogs& dialogs);
  commands::NamePromptAnswer Result() const;

 private:
  void NameEdited(const QString& text);

  commands::NamePromptRequest request_;
  commands::Dialogs& dialogs_;
  model::NameFieldFilter filter_;
  QLineEdit* name_ = nullptr;
  QComboBox* extra_ = nullptr;
};

}  // namespace kx::ui
