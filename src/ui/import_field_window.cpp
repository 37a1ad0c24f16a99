// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import_field_window.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/imports.h"
#include "ui/text_boundary.h"

namespace kx::ui {

ImportFieldWindow::ImportFieldWindow(QWidget* parent, std::string_view field,
                                     const commands::FieldImportChoice& proposed)
    : QDialog(parent) {
  setWindowTitle(FromModel(commands::kImportFieldsCaption));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(FromModel(field));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);
  auto* form = new QFormLayout;
  name = new QLineEdit(FromModel(proposed.name));
  label = new QLineEdit(FromModel(proposed.label));
  form->addRow("&Name in the component:", name);
  form->addRow("Display &label for grids (if any):", label);
  layout->addLayout(form);
  auto* group = new QGroupBox("How to handle it");
  auto* group_layout = new QVBoxLayout(group);
  handling = new QButtonGroup(this);
  const char* choices[] = {"Include this field as &data field",
                           "Include this field as &calculated field",
                           "Do &not include in the component"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(choices[i]);
    button->setChecked(i == static_cast<int>(proposed.handling));
    handling->addButton(button, i);
    group_layout->addWidget(button);
  }
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(380);
}

commands::FieldImportChoice ImportFieldWindow::Result() const {
  return {ToModel(name->text()).value_or(""), ToModel(label->text()).value_or(""),
          static_cast<commands::FieldHandling>(handling->checkedId())};
}

}  // namespace kx::ui
