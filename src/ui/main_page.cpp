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

MainPage::MainPage(PageContext& context) : context_(context), bind_(context, context.model.main()) {
  auto* grid = new QGridLayout(this);
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

  using M = commands::MainPageModel;
  using S = M::State;
  bind_.Draw([this](const S& s) { parent_class->setText(FromModel(s.parent_class)); });
  bind_.EnableBy([&context](const S&) { return context.model.definition_open(); });
  bind_.Button(new_parent, &M::ChangeParentClassClick);
  bind_.Name(new_class_name, &S::new_class_name, &M::NewClassNameChange, &M::NewClassNameExit);
  bind_.Name(unit_name, &S::unit_name, &M::UnitNameChange, &M::UnitNameExit);
  bind_.Draw([this](const S& s) { unit_name->setMaxLength(static_cast<int>(s.unit_name_max)); });
  bind_.Check(limit_name, &S::limit_name, &M::UnitNameLimitedClick);
  bind_.Text(description, &S::description, &M::DescriptionChange);
  bind_.Draw([this, &context](const S& s) {
    QStringList units_shown;
    for (const std::string& unit : s.units) units_shown << FromModel(unit);
    QStringList units_listed;
    for (int i = 0; i < units->count(); ++i) units_listed << units->item(i)->text();
    if (units_shown != units_listed) {
      const int current = units->currentRow();
      units->clear();
      units->addItems(units_shown);
      units->setCurrentRow(std::min(current, units->count() - 1));
    }
    units->setEnabled(context.model.definition_open());
    if (default_palette->count() != static_cast<int>(s.palette_pages.size())) {
      default_palette->SetOffered(s.palette_pages);
    }
    if (copyright_line->count() != static_cast<int>(s.copyright_lines.size())) {
      copyright_line->SetOffered(s.copyright_lines);
    }
  });
  bind_.Entry(default_palette, &S::default_palette, &M::DefaultPaletteChange,
              &M::DefaultPaletteExit);
  bind_.Entry(copyright_line, &S::copyright_line, &M::CopyrightLineChange,
              &M::CopyrightLineEnterOrExit);
  bind_.Draw([this](const S& s) { target_dir->setText(FromModel(s.target_dir)); });
  bind_.Button(new_target, &M::NewTargetClick);
  units->installEventFilter(this);
}

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == units && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Insert) {
      context_.run([&] { context_.model.main().UnitListInsert(); });
      return true;
    }
    if (key == Qt::Key_Delete) {
      const int row = units->currentRow();
      context_.run([&] { context_.model.main().UnitListDelete(row); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainPage::Render() { bind_.Render(); }

}  // namespace kx::ui
