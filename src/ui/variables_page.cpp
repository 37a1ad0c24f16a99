// SPDX-License-Identifier: GPL-3.0-or-later
// The Variables page: the list of variables and the fields of the selected one.
#include "ui/variables_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

VariablesPage::VariablesPage(PageContext& context) : context_(context) {
  commands::MainWindowModel& m = context.model;
  auto* layout = new QHBoxLayout(this);
  list = new QListWidget;
  list->setMinimumWidth(200);
  layout->addWidget(list, 2);
  auto* grid = new QGridLayout;
  layout->addLayout(grid, 3);
  name = new QLineEdit;
  LimitLength(name, &model::VariablePart::Name);
  type = new DataTypeCombo(false);
  default_value = new DataValueCombo;
  object_note = new QLabel(FromModel(commands::kObjectNote));
  description = new QLineEdit;
  LimitLength(description, &model::ItemDef::Descr);
  scope_group = new QGroupBox(" Scope ");
  scope = new QButtonGroup(this);
  auto* scope_layout = new QVBoxLayout(scope_group);
  for (std::size_t i = 0; i < commands::kVariableScopes.size(); ++i) {
    auto* button = new QRadioButton(FromModel(commands::kVariableScopes[i]));
    scope->addButton(button, static_cast<int>(i));
    scope_layout->addWidget(button);
  }
  is_object = new QCheckBox("Is o&bject");
  is_subcomponent = new QCheckBox("Is s&ubcomponent");

  int row = 0;
  grid->addWidget(Buddy("Na&me:", name), row, 0);
  grid->addWidget(name, row++, 1);
  grid->addWidget(Buddy("T&ype:", type), row, 0);
  grid->addWidget(type, row++, 1);
  grid->addWidget(Buddy("Initial &value:", default_value), row, 0);
  grid->addWidget(default_value, row++, 1);
  grid->addWidget(object_note, row++, 1);
  grid->addWidget(Buddy("De&scription:", description), row, 0);
  grid->addWidget(description, row++, 1);
  grid->addWidget(scope_group, row++, 0, 1, 2);
  grid->addWidget(is_object, row++, 1);
  grid->addWidget(is_subcomponent, row++, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  BindEntryList(context, list);
  BindName(context, name,
           [&m](std::string_view t, std::size_t c) { return m.VariableNameChange(t, c); });
  OnLeave(context, name, [&m] { return m.VariableNameExit(); });
  BindEntry(context, type, [&m](std::string_view t) { m.VariableDataTypeChange(t); });
  OnLeave(context, type, [&m] { return m.VariableDataTypeExit(); });
  BindEntry(context, default_value, [&m](std::string_view t) { m.VariableDefaultChange(t); });
  OnLeave(context, default_value, [&m] {
    m.VariableDefaultExit();
    return true;
  });
  BindText(context, description, [&m](std::string_view t) { m.VariableDescriptionChange(t); });
  connect(scope, &QButtonGroup::idClicked, this,
          [&context](int id) { context.run([&] { context.model.VariableScopeChange(id); }); });
  connect(is_object, &QCheckBox::clicked, this,
          [&context](bool on) { context.run([&] { context.model.IsObjectClick(on); }); });
  connect(is_subcomponent, &QCheckBox::clicked, this,
          [&context](bool on) { context.run([&] { context.model.IsSubComponentClick(on); }); });
}

void VariablesPage::Render() {
  const commands::VariablePageState& s = context_.model.variables();
  ShowList(list, s.list);
  ShowText(name, s.name.text);
  name->setEnabled(s.name.enabled);
  ShowEntryText(type, s.type.text);
  type->setEnabled(s.type.enabled);
  default_value->SetSuggestionKind(s.values.kind());
  ShowEntryText(default_value, s.default_value.text);
  default_value->setEnabled(s.default_value.enabled);
  object_note->setVisible(s.object_note_visible);
  ShowText(description, s.description.text);
  description->setEnabled(s.description.enabled);
  if (QAbstractButton* button = scope->button(s.scope)) button->setChecked(true);
  scope_group->setEnabled(s.scope_enabled);
  is_object->setChecked(s.is_object.checked);
  is_object->setEnabled(s.is_object.enabled);
  is_subcomponent->setChecked(s.is_subcomponent.checked);
  is_subcomponent->setEnabled(s.is_subcomponent.enabled);
}

}  // namespace kx::ui
