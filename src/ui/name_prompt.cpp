// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_prompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/name_rules.h"
#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

NamePromptWindow::NamePromptWindow(QWidget* parent, const commands::NamePromptRequest& request,
                                   commands::Dialogs& dialogs)
    : QDialog(parent), request_(request), dialogs_(dialogs), filter_(request.prefix) {
  setWindowTitle(FromModel(request.caption));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(FromModel(request.label));
  name_ = new QLineEdit(FromModel(request.name));
  name_->setMinimumWidth(280);
  label->setBuddy(name_);
  layout->addWidget(label);
  layout->addWidget(name_);
  connect(name_, &QLineEdit::textEdited, this, &NamePromptWindow::NameEdited);
  using commands::NamePromptExtra;
  if (request.extra == NamePromptExtra::kPropertyType ||
      request.extra == NamePromptExtra::kVariableType) {
    auto* type = new DataTypeCombo(request.extra == NamePromptExtra::kPropertyType);
    type->setEditText(FromModel(request.type));
    auto* type_label = new QLabel("&Data type:");
    type_label->setBuddy(type);
    layout->addWidget(type_label);
    layout->addWidget(type);
    extra_ = type;
  } else if (request.extra == NamePromptExtra::kMethodKind) {
    auto* kind = new QComboBox;
    for (std::string_view k : model::kMethodKeywords) kind->addItem(FromModel(k));
    kind->setCurrentIndex(request.method_kind);
    auto* kind_label = new QLabel("&Kind:");
    kind_label->setBuddy(kind);
    layout->addWidget(kind_label);
    layout->addWidget(kind);
    extra_ = kind;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  name_->setFocus();
  name_->setCursorPosition(static_cast<int>(name_->text().size()));
}

void NamePromptWindow::NameEdited(const QString& text) {
  const std::optional<std::string> bytes = ToModel(text);
  if (!bytes) {
    dialogs_.Warning(RefusedCharacterMessage(text));
    name_->setText(FromModel(request_.name));
    return;
  }
  if (!request_.filter) {
    request_.name = *bytes;
    return;
  }
  const model::FilteredText filtered =
      filter_.Edit(request_.name, *bytes, static_cast<std::size_t>(name_->cursorPosition()));
  request_.name = filtered.text;
  if (filtered.text != *bytes) {
    name_->setText(FromModel(filtered.text));
    name_->setCursorPosition(static_cast<int>(filtered.caret));
  }
}

commands::NamePromptAnswer NamePromptWindow::Result() const {
  commands::NamePromptAnswer answer{ToModel(name_->text()).value_or(""), {}, 0};
  if (request_.extra == commands::NamePromptExtra::kMethodKind) {
    answer.method_kind = extra_->currentIndex();
  } else if (extra_ != nullptr) {
    answer.type = ToModel(extra_->currentText()).value_or("");
  }
  return answer;
}

}  // namespace kx::ui
