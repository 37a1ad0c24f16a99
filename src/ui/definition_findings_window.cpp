// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/definition_findings_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/text_boundary.h"

namespace kx::ui {

DefinitionFindingsWindow::DefinitionFindingsWindow(
    QWidget* parent, const std::vector<commands::DefinitionFinding>& findings)
    : QDialog(parent) {
  setWindowTitle(tr("Definition checks"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(tr("The component this definition gives will not work as a "
                    "user expects:")));
  list = new QTreeWidget;
  list->setColumnCount(2);
  list->setHeaderLabels({tr("Item"), tr("Finding")});
  list->setRootIsDecorated(false);
  list->setWordWrap(true);
  list->header()->setStretchLastSection(true);
  for (const commands::DefinitionFinding& finding : findings) {
    auto* row = new QTreeWidgetItem(
        list, {finding.item.empty() ? tr("(component)") : FromModel(finding.item),
               FromModel(finding.message)});
    row->setToolTip(1, FromModel(finding.message));
  }
  list->resizeColumnToContents(0);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox;
  QPushButton* generate = buttons->addButton(tr("&Generate anyway"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // Fixing the definition is the safer answer.
  cancel->setDefault(true);
  generate->setAutoDefault(false);
  cancel->setFocus();
  resize(760, 360);
}

}  // namespace kx::ui
