// SPDX-License-Identifier: GPL-3.0-or-later
// The Main page: names, units, palette page, copyright line and target directory.
#include "ui/main_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/entry_boxes.h"
#include "ui/text_boundary.h"

namespace kx::ui {

MainPage::MainPage(PageContext& context) : context_(context) {
  auto* grid = new QGridLayout(this);
  commands::MainWindowModel& m = context.model;
  parent_class = new QLabel;
  new_parent = new QPushButton("&New parent...");
  new_class_name = new QLineEdit;
  unit_name = new QLineEdit;
  limit_name = new QCheckBox("&Limit to 8 chars");
  description = new QLineEdit;
  LimitLength(description, &model::ItemDef::Descr);
  units = new QListWidget;
  default_palette = new EntryBox;
  copyright_line = new EntryBox;
  target_dir = new QLabel;
  target_dir->setTextInteractionFlags(Qt::TextSelectableByMouse);
  new_target = new QPushButton("Ne&w target...");

  int row = 0;
  grid->addWidget(new QLabel("Parent class:"), row, 0);
  grid->addWidget(parent_class, row, 1);
  grid->addWidget(new_parent, row++, 2);
  grid->addWidget(Buddy("Class na&me:", new_class_name), row, 0);
  grid->addWidget(new_class_name, row++, 1, 1, 2);
  grid->addWidget(Buddy("Un&it name:", unit_name), row, 0);
  grid->addWidget(unit_name, row, 1);
  grid->addWidget(limit_name, row++, 2);
  grid->addWidget(Buddy("Desc&ription:", description), row, 0);
  grid->addWidget(description, row++, 1, 1, 2);
  grid->addWidget(Buddy("Include unit&s:", units), row, 0, Qt::AlignTop);
  grid->addWidget(units, row, 1, 2, 2);
  grid->addWidget(new QLabel("(INS/DEL to edit)"), row + 1, 0, Qt::AlignTop);
  row += 2;
  grid->addWidget(Buddy("Defa&ult palette:", default_palette), row, 0);
  grid->addWidget(default_palette, row++, 1, 1, 2);
  grid->addWidget(Buddy("Cop&yright line:", copyright_line), row, 0);
  grid->addWidget(copyright_line, row++, 1, 1, 2);
  grid->addWidget(new QLabel("Target directory:"), row, 0);
  grid->addWidget(target_dir, row, 1);
  grid->addWidget(new_target, row++, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);

  connect(new_parent, &QPushButton::clicked, this,
          [&context] { context.run([&] { context.model.ChangeParentClassClick(); }); });
  connect(new_target, &QPushButton::clicked, this,
          [&context] { context.run([&] { context.model.NewTargetClick(); }); });
  BindName(context, new_class_name,
           [&m](std::string_view t, std::size_t c) { return m.NewClassNameChange(t, c); });
  OnLeave(context, new_class_name, [&m] { return m.NewClassNameExit(); });
  BindName(context, unit_name,
           [&m](std::string_view t, std::size_t c) { return m.UnitNameChange(t, c); });
  OnLeave(context, unit_name, [&m] { return m.UnitNameExit(); });
  connect(limit_name, &QCheckBox::clicked, this,
          [&context](bool on) { context.run([&] { context.model.UnitNameLimitedClick(on); }); });
  BindText(context, description, [&m](std::string_view t) { m.DescriptionChange(t); });
  BindEntry(context, default_palette, [&m](std::string_view t) { m.DefaultPaletteChange(t); });
  OnLeave(context, default_palette, [&m] { return m.DefaultPaletteExit(); });
  BindEntry(context, copyright_line, [&m](std::string_view t) { m.CopyrightLineChange(t); });
  OnLeave(context, copyright_line, [&m] {
    m.CopyrightLineEnterOrExit();
    return true;
  });
  units->installEventFilter(this);
}

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == units && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Insert) {
      context_.run([&] { context_.model.UnitListInsert(); });
      return true;
    }
    if (key == Qt::Key_Delete) {
      const int row = units->currentRow();
      context_.run([&] { context_.model.UnitListDelete(row); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainPage::Render() {
  const commands::MainPageState& s = context_.model.main();
  const bool open = context_.model.definition_open();
  parent_class->setText(FromModel(s.parent_class));
  ShowText(new_class_name, s.new_class_name.text);
  ShowText(unit_name, s.unit_name.text);
  unit_name->setMaxLength(static_cast<int>(s.unit_name_max));
  limit_name->setChecked(s.limit_name.checked);
  ShowText(description, s.description.text);
  QStringList units_shown;
  for (const std::string& unit : s.units) units_shown << FromModel(unit);
  QStringList units_listed;
  for (int i = 0; i < units->count(); ++i) units_listed << units->item(i)->text();
  if (units_shown != units_listed) {
    const int row = units->currentRow();
    units->clear();
    units->addItems(units_shown);
    units->setCurrentRow(std::min(row, units->count() - 1));
  }
  if (default_palette->count() != static_cast<int>(s.palette_pages.size())) {
    default_palette->SetOffered(s.palette_pages);
  }
  ShowEntryText(default_palette, s.default_palette.text);
  if (copyright_line->count() != static_cast<int>(s.copyright_lines.size())) {
    copyright_line->SetOffered(s.copyright_lines);
  }
  ShowEntryText(copyright_line, s.copyright_line.text);
  target_dir->setText(FromModel(s.target_dir));
  for (QWidget* w : std::initializer_list<QWidget*>{new_parent, new_class_name, unit_name,
                                                    limit_name, description, units, default_palette,
                                                    copyright_line, new_target}) {
    w->setEnabled(open);
  }
}

}  // namespace kx::ui
