// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documentation_window.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/documentation.h"
#include "ui/text_boundary.h"

namespace kx::ui {

DocumentationWindow::DocumentationWindow(QWidget* parent, commands::Audience preselected)
    : QDialog(parent) {
  setWindowTitle(FromModel(commands::kDocumentationCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromModel(commands::kAudienceLabel)));
  audience = new QButtonGroup(this);
  for (const commands::AudienceChoice& choice : commands::kAudienceChoices) {
    auto* button = new QRadioButton(FromModel(choice.caption));
    button->setChecked(choice.audience == preselected);
    audience->addButton(button, static_cast<int>(choice.audience));
    layout->addWidget(button);
    auto* hint = new QLabel(FromModel(choice.hint));
    hint->setContentsMargins(24, 0, 0, 6);
    layout->addWidget(hint);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  if (QAbstractButton* checked = audience->checkedButton()) checked->setFocus();
}

commands::Audience DocumentationWindow::Result() const {
  return static_cast<commands::Audience>(audience->checkedId());
}

}  // namespace kx::ui
