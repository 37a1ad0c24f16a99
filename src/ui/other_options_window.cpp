// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/other_options_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/options.h"
#include "ui/text_boundary.h"

namespace kx::ui {

OtherOptionsWindow::OtherOptionsWindow(QWidget* parent,
                                       const commands::OtherOptionsRequest& request)
    : QDialog(parent) {
  setWindowTitle(FromModel(commands::kOtherOptionsCaption));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(FromModel(commands::kCopyrightLineLabel));
  copyright_ = new QComboBox;
  copyright_->setEditable(true);
  for (const std::string& line : request.offered_copyrights) copyright_->addItem(FromModel(line));
  copyright_->setEditText(FromModel(request.current.copyright));
  copyright_->setMinimumWidth(360);
  label->setBuddy(copyright_);
  layout->addWidget(label);
  layout->addWidget(copyright_);
  auto* group = new QGroupBox(FromModel(commands::kCodeViewingGroup));
  auto* group_layout = new QVBoxLayout(group);
  codeview_ = new QButtonGroup(this);
  for (std::size_t i = 0; i < commands::kCodeViewingChoices.size(); ++i) {
    auto* button = new QRadioButton(FromModel(commands::kCodeViewingChoices[i]));
    button->setChecked(static_cast<int>(i) == request.current.codeview);
    codeview_->addButton(button, static_cast<int>(i));
    group_layout->addWidget(button);
  }
  layout->addWidget(group);
  auto* url_label = new QLabel(FromModel(commands::kKeywordUrlLabel));
  help_url_ = new QLineEdit(FromModel(request.current.help_url));
  // A hint, not an example address: grey text that reads as an address looks like one set.
  help_url_->setPlaceholderText("Not set: keyword help looks nothing up");
  url_label->setBuddy(help_url_);
  layout->addWidget(url_label);
  layout->addWidget(help_url_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

commands::OtherOptions OtherOptionsWindow::Result() const {
  return {ToModel(copyright_->currentText()).value_or(""), codeview_->checkedId(),
          ToModel(help_url_->text()).value_or("")};
}

}  // namespace kx::ui
