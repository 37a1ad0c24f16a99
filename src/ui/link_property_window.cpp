// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/link_property_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

LinkPropertyWindow::LinkPropertyWindow(QWidget* parent, std::string_view explanation,
                                       const std::vector<std::string>& sub_components,
                                       std::function<void(const std::string&)> show_help)
    : QDialog(parent) {
  setWindowTitle("Link new property with sub-component property");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromModel(explanation)));
  auto* form = new QFormLayout;
  property = new QLineEdit;
  sub_component = new QComboBox;
  for (const std::string& name : sub_components) sub_component->addItem(FromModel(name));
  sub_component->setCurrentIndex(sub_components.empty() ? -1 : 0);
  form->addRow("&Property", property);
  form->addRow("&of sub-component", sub_component);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  help = buttons->addButton("Sub-comp &help", QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this, show_help = std::move(show_help)] {
    if (show_help && sub_component->currentIndex() >= 0) {
      show_help(ToModel(sub_component->currentText()).value_or(""));
    }
  });
  layout->addWidget(buttons);
  property->setFocus();
}

commands::PropertyLink LinkPropertyWindow::Result() const {
  return {ToModel(sub_component->currentText()).value_or(""),
          ToModel(property->text()).value_or("")};
}

}  // namespace kx::ui
