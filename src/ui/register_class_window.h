// SPDX-License-Identifier: GPL-3.0-or-later
// "Register custom/3rd party parent class": the VCL ancestor of a class the catalogue does not
// know and the unit declaring it. The dialog hands back what was entered; what its check box
// and "Browse..." change, the checks of OK and the registry are commands/register_class.h's,
// which shows the dialog again after a refusal.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "commands/dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx::ui {

class RegisterClassWindow : public QDialog {
  Q_OBJECT
 public:
  // browse: the file dialog of "Browse..."; nothing when cancelled.
  RegisterClassWindow(QWidget* parent, const commands::ClassRegistrationRequest& request,
                      std::function<std::optional<std::filesystem::path>()> browse);
  commands::ClassRegistration Result() const;

  QComboBox* ancestor = nullptr;
  QLineEdit* unit = nullptr;
  QCheckBox* dont_know = nullptr;
  QPushButton* browse = nullptr;

 private:
  void Show(const commands::ClassRegistration& entries);

  std::function<std::optional<std::filesystem::path>()> browse_;
};

}  // namespace kx::ui
