// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties page: the list of properties and the fields of the selected one.
#include "ui/properties_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

namespace {

void ShowCheck(QCheckBox* box, const commands::CheckControl& state) {
  box->setChecked(state.checked);
  ShowState(box, state.enabled, state.visible);
}

}  // namespace

PropertiesPage::PropertiesPage(PageContext& context) : context_(context) {
  commands::MainWindowModel& m = context.model;
  auto* layout = new QHBoxLayout(this);
  list = new QListWidget;
  list->setMinimumWidth(200);
  layout->addWidget(list, 2);
  auto* grid = new QGridLayout;
  layout->addLayout(grid, 3);
  name = new QLineEdit;
  LimitLength(name, &model::PropertyPart::Name);
  type = new DataTypeCombo(true);
  default_value = new DataValueCombo;
  description = new QLineEdit;
  LimitLength(description, &model::ItemDef::Descr);
  special = new QComboBox;
  read_only = new QCheckBox("Read-o&nly property");
  use_read = new QCheckBox("&Use read method");
  use_write = new QCheckBox("Use &write method");
  inherited = new QCheckBox("&Inherited property");
  unpublish = new QCheckBox("Unpu&blish");
  variable_caption = new QLabel;
  variable_name = new QLabel;
  scope = new QLabel;
  editor = new QPushButton(">>>...");
  editor->setToolTip("Property editor options");

  int row = 0;
  grid->addWidget(Buddy("Na&me:", name), row, 0);
  grid->addWidget(name, row++, 1, 1, 2);
  grid->addWidget(Buddy("T&ype:", type), row, 0);
  grid->addWidget(type, row++, 1, 1, 2);
  grid->addWidget(Buddy("Default &value:", default_value), row, 0);
  grid->addWidget(default_value, row++, 1, 1, 2);
  grid->addWidget(Buddy("Desc&ription:", description), row, 0);
  grid->addWidget(description, row++, 1, 1, 2);
  grid->addWidget(Buddy("&Special:", special), row, 0);
  grid->addWidget(special, row++, 1, 1, 2);
  for (QCheckBox* box : {read_only, use_read, use_write, inherited, unpublish}) {
    grid->addWidget(box, row++, 1, 1, 2);
  }
  grid->addWidget(variable_caption, row, 0);
  grid->addWidget(variable_name, row++, 1, 1, 2);
  grid->addWidget(new QLabel("Scope:"), row, 0);
  grid->addWidget(scope, row, 1);
  grid->addWidget(editor, row++, 2);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  BindEntryList(context, list);
  BindName(context, name,
           [&m](std::string_view t, std::size_t c) { return m.PropNameChange(t, c); });
  OnLeave(context, name, [&m] { return m.PropNameExit(); });
  BindEntry(context, type, [&m](std::string_view t) { m.PropTypeChange(t); });
  OnLeave(context, type, [&m] { return m.PropTypeExit(); });
  BindEntry(context, default_value, [&m](std::string_view t) { m.PropDefaultChange(t); });
  OnLeave(context, default_value, [&m] {
    m.PropDefaultExit();
    return true;
  });
  BindText(context, description, [&m](std::string_view t) { m.PropDescriptionChange(t); });
  connect(special, &QComboBox::activated, this,
          [&context](int index) { context.run([&] { context.model.PropSpecialChange(index); }); });
  const auto click = [this, &context](QCheckBox* box,
                                      void (commands::MainWindowModel::*handler)(bool)) {
    connect(box, &QCheckBox::clicked, this,
            [&context, handler](bool on) { context.run([&] { (context.model.*handler)(on); }); });
  };
  click(read_only, &commands::MainWindowModel::ReadOnlyClick);
  click(use_read, &commands::MainWindowModel::UseReadClick);
  click(use_write, &commands::MainWindowModel::UseWriteClick);
  click(inherited, &commands::MainWindowModel::InheritedClick);
  click(unpublish, &commands::MainWindowModel::UnpublishClick);
  connect(editor, &QPushButton::clicked, this,
          [&context] { context.run([&] { context.model.PropEditorBtnClick(); }); });
}

void PropertiesPage::Render() {
  const commands::PropertyPageState& s = context_.model.properties();
  ShowList(list, s.list);
  ShowText(name, s.name.text);
  name->setEnabled(s.name.enabled);
  ShowEntryText(type, s.type.text);
  type->setEnabled(s.type.enabled);
  default_value->SetSuggestionKind(s.values.kind());
  ShowEntryText(default_value, s.default_value.text);
  default_value->setEnabled(s.default_value.enabled);
  ShowText(description, s.description.text);
  description->setEnabled(s.description.enabled);
  QStringList kinds;
  int selected = -1;
  for (std::size_t i = 0; i < s.special.offered().size(); ++i) {
    kinds << FromModel(model::SpecialKindText(s.special.offered()[i]));
    if (s.special.selection() == s.special.offered()[i]) selected = static_cast<int>(i);
  }
  QStringList shown;
  for (int i = 0; i < special->count(); ++i) shown << special->itemText(i);
  if (shown != kinds) {
    special->clear();
    special->addItems(kinds);
  }
  special->setCurrentIndex(selected);
  special->setEnabled(s.special_enabled);
  ShowCheck(read_only, s.read_only);
  ShowCheck(use_read, s.use_read);
  ShowCheck(use_write, s.use_write);
  ShowCheck(inherited, s.inherited);
  ShowCheck(unpublish, s.unpublish);
  variable_caption->setText(FromModel(s.variable_caption));
  variable_name->setText(FromModel(s.variable_name));
  scope->setText(FromModel(s.scope));
  editor->setEnabled(s.editor_enabled);
}

}  // namespace kx::ui
