// SPDX-License-Identifier: GPL-3.0-or-later
// The Methods page: the list of methods and the fields of the selected one.
#include "ui/methods_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

MethodsPage::MethodsPage(PageContext& context) : bind_(context, context.model.methods()) {
  list = new QListWidget;
  QGridLayout* grid = ItemPageLayout(this, list);
  kind = new QComboBox;
  for (std::string_view k : model::kMethodKeywords) kind->addItem(FromModel(k));
  header = new QLineEdit;
  LimitLength(header, &model::MethodPart::Header);
  description = new QLineEdit;
  LimitLength(description, &model::ItemDef::Descr);
  scope_group = new QGroupBox(" Scope ");
  scope = new QButtonGroup(this);
  auto* scope_layout = new QVBoxLayout(scope_group);
  for (std::size_t i = 0; i < commands::kMethodScopes.size(); ++i) {
    auto* button = new QRadioButton(FromModel(commands::kMethodScopes[i]));
    scope->addButton(button, static_cast<int>(i));
    scope_layout->addWidget(button);
  }
  override_choice = new QComboBox;
  for (std::string_view choice : commands::kOverrideChoices)
    override_choice->addItem(FromModel(choice));
  win_message = new QComboBox;
  win_message->setEditable(true);
  for (std::string_view message : commands::kWindowsMessages) {
    win_message->addItem(FromModel(message));
  }

  int row = 0;
  grid->addWidget(Buddy("&Kind:", kind), row, 0);
  grid->addWidget(kind, row++, 1);
  grid->addWidget(Buddy("Heade&r:", header), row, 0);
  grid->addWidget(header, row++, 1);
  grid->addWidget(Buddy("De&scription:", description), row, 0);
  grid->addWidget(description, row++, 1);
  grid->addWidget(scope_group, row++, 0, 1, 2);
  grid->addWidget(Buddy("&Binding:", override_choice), row, 0);
  grid->addWidget(override_choice, row++, 1);
  grid->addWidget(new QLabel("Windows or VCL message"), row++, 0, 1, 2);
  grid->addWidget(Buddy("to handle (advanced):", win_message), row, 0);
  grid->addWidget(win_message, row++, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  using M = commands::MethodPageModel;
  using S = M::State;
  bind_.List(list);
  bind_.EnableBy([](const S& s) { return s.enabled; });
  bind_.Choice(kind, &S::kind, &M::MethodKindChange);
  bind_.Text(header, &S::header, &M::MethodHeaderChange, &M::MethodHeaderExit);
  bind_.Text(description, &S::description, &M::MethodDescriptionChange);
  bind_.Choice(scope, scope_group, &S::scope, &M::MethodScopeChange, &S::enabled);
  bind_.Choice(override_choice, &S::override, &M::DoOverrideChange);
  bind_.Entry(win_message, &S::win_message, &M::WinMessageChange);
}

void MethodsPage::Render() { bind_.Render(); }

}  // namespace kx::ui
