// SPDX-License-Identifier: GPL-3.0-or-later
// The Variables page: the list of variables and the fields of the selected one.
#include "ui/variables_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

VariablesPage::VariablesPage(PageContext& context) : bind_(context, context.model.variables()) {
  list = new QListWidget;
  QGridLayout* grid = ItemPageLayout(this, list);
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

  using M = commands::VariablePageModel;
  using S = M::State;
  bind_.List(list);
  bind_.Name(name, &S::name, &M::VariableNameChange, &M::VariableNameExit);
  bind_.Entry(type, &S::type, &M::VariableDataTypeChange, &M::VariableDataTypeExit);
  bind_.Draw([this](const S& s) { default_value->SetSuggestionKind(s.values.kind()); });
  bind_.Entry(default_value, &S::default_value, &M::VariableDefaultChange, &M::VariableDefaultExit);
  bind_.Draw([this](const S& s) { object_note->setVisible(s.object_note_visible); });
  bind_.Text(description, &S::description, &M::VariableDescriptionChange);
  bind_.Choice(scope, scope_group, &S::scope, &M::VariableScopeChange, &S::scope_enabled);
  bind_.Check(is_object, &S::is_object, &M::IsObjectClick);
  bind_.Check(is_subcomponent, &S::is_subcomponent, &M::IsSubComponentClick);
}

void VariablesPage::Render() { bind_.Render(); }

}  // namespace kx::ui
