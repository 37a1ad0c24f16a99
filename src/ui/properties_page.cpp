// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties page: the list of properties and the fields of the selected one.
#include "ui/properties_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

PropertiesPage::PropertiesPage(PageContext& context) : bind_(context, context.model.properties()) {
  list = new QListWidget;
  QGridLayout* grid = ItemPageLayout(this, list);
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

  using M = commands::PropertyPageModel;
  using S = M::State;
  bind_.List(list);
  bind_.Name(name, &S::name, &M::PropNameChange, &M::PropNameExit);
  bind_.Entry(type, &S::type, &M::PropTypeChange, &M::PropTypeExit);
  bind_.Draw([this](const S& s) { default_value->SetSuggestionKind(s.values.kind()); });
  bind_.Entry(default_value, &S::default_value, &M::PropDefaultChange, &M::PropDefaultExit);
  bind_.Text(description, &S::description, &M::PropDescriptionChange);
  connect(special, &QComboBox::activated, this, [&context](int index) {
    context.run([&] { context.model.properties().PropSpecialChange(index); });
  });
  bind_.Draw([this](const S& s) {
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
  });
  bind_.Check(read_only, &S::read_only, &M::ReadOnlyClick);
  bind_.Check(use_read, &S::use_read, &M::UseReadClick);
  bind_.Check(use_write, &S::use_write, &M::UseWriteClick);
  bind_.Check(inherited, &S::inherited, &M::InheritedClick);
  bind_.Check(unpublish, &S::unpublish, &M::UnpublishClick);
  bind_.Draw([this](const S& s) {
    variable_caption->setText(FromModel(s.variable_caption));
    variable_name->setText(FromModel(s.variable_name));
    scope->setText(FromModel(s.scope));
  });
  bind_.EnableBy([](const S& s) { return s.editor_enabled; });
  bind_.Button(editor, &M::PropEditorBtnClick);
}

void PropertiesPage::Render() { bind_.Render(); }

}  // namespace kx::ui
