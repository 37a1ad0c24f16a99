// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/register_class_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalog/custom_class_registry.h"
#include "catalog/parent_choices.h"
#include "commands/register_class.h"
#include "ui/text_boundary.h"

namespace kx::ui {

RegisterClassWindow::RegisterClassWindow(
    QWidget* parent, const commands::ClassRegistrationRequest& request,
    std::function<std::optional<std::filesystem::path>()> browse_file)
    : QDialog(parent), browse_(std::move(browse_file)) {
  const std::string& name = request.class_name;
  setWindowTitle(FromModel(catalog::kRegisterClassCaption));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(FromModel(catalog::RegistrationHeading(name)));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);
  auto* prompt = new QLabel(FromModel(catalog::RegistrationPrompt(name)));
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  dont_know = new QCheckBox(FromModel(catalog::RegistrationDontKnowCaption(name)));
  dont_know->setChecked(request.current.dont_know);
  layout->addWidget(dont_know);

  auto* grid = new QGridLayout;
  ancestor = new QComboBox;
  ancestor->setEditable(true);
  ancestor->setInsertPolicy(QComboBox::NoInsert);
  for (std::string_view standard : catalog::ListViewClasses()) {
    ancestor->addItem(FromModel(standard));
  }
  ancestor->setEditText(FromModel(request.current.ancestor));
  auto* ancestor_label = new QLabel("&" + FromModel(catalog::kRegistrationAncestorLabel));
  ancestor_label->setBuddy(ancestor);
  grid->addWidget(ancestor_label, 0, 0);
  grid->addWidget(ancestor, 0, 1, 1, 2);
  grid->addWidget(new QLabel(FromModel(catalog::RegistrationUnitLabel(name))), 1, 0, 1, 3);
  unit = new QLineEdit(FromModel(request.current.unit));
  auto* unit_label = new QLabel("&" + FromModel(catalog::kRegistrationUnitNameLabel));
  unit_label->setBuddy(unit);
  browse = new QPushButton("&Browse...");
  grid->addWidget(unit_label, 2, 0);
  grid->addWidget(unit, 2, 1);
  grid->addWidget(browse, 2, 2);
  layout->addLayout(grid);

  connect(dont_know, &QCheckBox::toggled, this,
          [this](bool checked) { Show(commands::DontKnowChanged(Result(), checked)); });
  connect(browse, &QPushButton::clicked, this, [this] {
    if (!browse_) return;
    if (const std::optional<std::filesystem::path> file = browse_()) {
      Show(commands::UnitFileChosen(Result(), *file));
    }
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(460);
}

void RegisterClassWindow::Show(const commands::ClassRegistration& entries) {
  // Only what changed is set again, so the caret stays in a box the change left alone.
  const commands::ClassRegistration shown = Result();
  if (entries.ancestor != shown.ancestor) ancestor->setEditText(FromModel(entries.ancestor));
  if (entries.unit != shown.unit) unit->setText(FromModel(entries.unit));
  if (entries.dont_know != shown.dont_know) dont_know->setChecked(entries.dont_know);
}

commands::ClassRegistration RegisterClassWindow::Result() const {
  return {ToModel(ancestor->currentText()).value_or(""), ToModel(unit->text()).value_or(""),
          dont_know->isChecked()};
}

}  // namespace kx::ui
