// SPDX-License-Identifier: GPL-3.0-or-later
// The Events page: inherited or new events, and the fields of the selected one.
#include "ui/events_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

EventsPage::EventsPage(PageContext& context) : context_(context) {
  commands::MainWindowModel& m = context.model;
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  layout->addLayout(left, 2);
  show_inherited = new QRadioButton("Show Inherited Events");
  show_new = new QRadioButton("Show New Events");
  list = new QListWidget;
  list->setMinimumWidth(200);
  left->addWidget(show_inherited);
  left->addWidget(show_new);
  left->addWidget(list);
  auto* grid = new QGridLayout;
  layout->addLayout(grid, 3);
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

  connect(show_inherited, &QRadioButton::clicked, this, [&context] {
    context.run([&] { context.model.EventsModeClick(commands::EventsMode::kInherited); });
  });
  connect(show_new, &QRadioButton::clicked, this, [&context] {
    context.run([&] { context.model.EventsModeClick(commands::EventsMode::kNew); });
  });
  BindEntryList(context, list);
  BindName(context, name,
           [&m](std::string_view t, std::size_t c) { return m.EventNameChange(t, c); });
  OnLeave(context, name, [&m] { return m.EventNameExit(); });
  BindText(context, description, [&m](std::string_view t) { m.EventDescriptionChange(t); });
  BindText(context, handler, [&m](std::string_view t) { m.HandlerDeclChange(t); });
  OnLeave(context, handler, [&m] { return m.HandlerDeclExit(); });
  connect(publish, &QCheckBox::clicked, this,
          [&context](bool on) { context.run([&] { context.model.PublishClick(on); }); });
  connect(override_handler, &QCheckBox::clicked, this,
          [&context](bool on) { context.run([&] { context.model.OverrideHandlerClick(on); }); });
}

void EventsPage::Render() {
  const commands::EventPageState& s = context_.model.events();
  show_inherited->setChecked(s.mode == commands::EventsMode::kInherited);
  show_new->setChecked(s.mode == commands::EventsMode::kNew);
  const bool open = context_.model.definition_open();
  show_inherited->setEnabled(open);
  show_new->setEnabled(open);
  ShowList(list, s.list);
  ShowText(name, s.name.text);
  name->setEnabled(s.name.enabled);
  ShowText(description, s.description.text);
  description->setEnabled(s.description.enabled);
  handler_label->setText(s.handler_caption == "Arguments:" ? "A&rguments:" : "Handle&r:");
  ShowText(handler, s.handler.text);
  handler->setEnabled(s.handler.enabled);
  group->setTitle(FromModel(s.group_caption));
  publish->setText(s.publish_caption == "Publish event"
                       ? "Pu&blish event"
                       : "Pu&blish event, if not already published");
  publish->setChecked(s.publish.checked);
  ShowState(publish, s.publish.enabled, s.publish.visible);
  override_handler->setChecked(s.override_handler.checked);
  ShowState(override_handler, s.override_handler.enabled, s.override_handler.visible);
}

}  // namespace kx::ui
