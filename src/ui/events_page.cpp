// SPDX-License-Identifier: GPL-3.0-or-later
// The Events page: inherited or new events, and the fields of the selected one.
#include "ui/events_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "ui/text_boundary.h"

namespace kx::ui {

EventsPage::EventsPage(PageContext& context) : bind_(context, context.model.events()) {
  show_inherited = new QRadioButton("Show Inherited Events");
  show_new = new QRadioButton("Show New Events");
  list = new QListWidget;
  QGridLayout* grid = ItemPageLayout(this, list, {show_inherited, show_new});
  name = new QLineEdit;
  LimitLength(name, &model::NewEventPart::Name);
  description = new QLineEdit;
  LimitLength(description, &model::ItemDef::Descr);
  handler = new QLineEdit;
  LimitLength(handler, &model::ExistingEventPart::HandlerDecl);
  handler_label = new QLabel;
  handler_label->setBuddy(handler);
  group = new QGroupBox;
  auto* group_layout = new QVBoxLayout(group);
  publish = new QCheckBox;
  override_handler = new QCheckBox("O&verride handler in parent class");
  group_layout->addWidget(publish);
  group_layout->addWidget(override_handler);

  auto* name_label = new QLabel("Event na&me:");
  name_label->setBuddy(name);
  auto* description_label = new QLabel("De&scription:");
  description_label->setBuddy(description);
  int row = 0;
  grid->addWidget(name_label, row, 0);
  grid->addWidget(name, row++, 1);
  grid->addWidget(description_label, row, 0);
  grid->addWidget(description, row++, 1);
  grid->addWidget(handler_label, row, 0);
  grid->addWidget(handler, row++, 1);
  grid->addWidget(group, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  using M = commands::EventPageModel;
  using S = M::State;
  for (const auto& [button, mode] : {std::pair{show_inherited, commands::EventsMode::kInherited},
                                     std::pair{show_new, commands::EventsMode::kNew}}) {
    connect(button, &QRadioButton::clicked, this, [&context, mode] {
      context.run([&] { context.model.events().EventsModeClick(mode); });
    });
    bind_.Draw([button, mode, &context](const S& s) {
      button->setChecked(s.mode == mode);
      button->setEnabled(context.model.definition_open());
    });
  }
  bind_.List(list);
  bind_.Name(name, &S::name, &M::EventNameChange, &M::EventNameExit);
  bind_.Text(description, &S::description, &M::EventDescriptionChange);
  bind_.Draw([this](const S& s) {
    handler_label->setText(s.handler_caption == "Arguments:" ? "A&rguments:" : "Handle&r:");
  });
  bind_.Text(handler, &S::handler, &M::HandlerDeclChange, &M::HandlerDeclExit);
  bind_.Draw([this](const S& s) {
    group->setTitle(FromModel(s.group_caption));
    publish->setText(s.publish_caption == "Publish event"
                         ? "Pu&blish event"
                         : "Pu&blish event, if not already published");
  });
  bind_.Check(publish, &S::publish, &M::PublishClick);
  bind_.Check(override_handler, &S::override_handler, &M::OverrideHandlerClick);
}

void EventsPage::Render() { bind_.Render(); }

}  // namespace kx::ui
