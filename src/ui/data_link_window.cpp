// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/data_link_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "ui/identifier_edit.h"
#include "ui/text_boundary.h"

namespace kx::ui {

DataLinkWindow::DataLinkWindow(QWidget* parent, std::string_view caption,
                               const commands::DataLinkNames& proposed)
    : QDialog(parent) {
  setWindowTitle(FromModel(caption));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapAllRows);
  // The data source box is tidied like the others: its text becomes a property name too.
  data_source = new IdentifierEdit(proposed.data_source);
  data_field = new IdentifierEdit(proposed.data_field);
  link = new IdentifierEdit(proposed.link);
  data_change = new IdentifierEdit(proposed.data_change);
  form->addRow("New data &source property (TDataSource):", data_source);
  form->addRow("New data &field name property (String):", data_field);
  form->addRow("New data &link variable (TFieldDataLink):", link);
  form->addRow("New or existing On&DataChange handler:", data_change);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

commands::DataLinkNames DataLinkWindow::Result() const {
  return {data_source->Text(), data_field->Text(), link->Text(), data_change->Text()};
}

}  // namespace kx::ui
