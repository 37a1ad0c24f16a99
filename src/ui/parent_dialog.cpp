// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/parent_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "commands/parent_selection_flow.h"
#include "ui/text_boundary.h"

namespace kx::ui {

using catalog::ParentChoice;
using catalog::ParentView;

ParentDialog::ParentDialog(QWidget* parent, const commands::ParentSelectionRequest& request,
                           std::function<void(const ParentChoice&)> show_class_help)
    : QDialog(parent),
      model_(request.allow_forms, request.custom_page != nullptr),
      custom_page_(request.custom_page),
      class_help_(std::move(show_class_help)) {
  setWindowTitle(FromModel(catalog::kSelectParentCaption));
  auto* layout = new QVBoxLayout(this);
  pages = new QTabWidget;
  pages->addTab(MakeOutlinePage(), "&Outline");
  pages->addTab(MakeListPage(), "&List");
  pages->addTab(MakeExpressPage(), "E&xpress");
  pages->addTab(MakeCustomPage(request.custom_classes), "&Custom");
  layout->addWidget(pages);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok = buttons->button(QDialogButtonBox::Ok);
  class_help = buttons->addButton("Class &help", QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(class_help, &QPushButton::clicked, this, [this] {
    if (class_help_) class_help_(Choice());
  });
  layout->addWidget(buttons);
  connect(pages, &QTabWidget::currentChanged, this, &ParentDialog::UpdateButtons);
  resize(440, 420);
  Show(request.shown);
}

QWidget* ParentDialog::MakeOutlinePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  outline = new QTreeWidget;
  outline->setHeaderHidden(true);
  const auto nodes = catalog::OutlineNodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const int up = commands::OutlineParent(static_cast<int>(i));
    auto* item = up < 0 ? new QTreeWidgetItem(outline)
                        : new QTreeWidgetItem(nodes_[static_cast<std::size_t>(up)]);
    item->setText(0, FromModel(nodes[i].text));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    nodes_.push_back(item);
  }
  connect(outline, &QTreeWidget::currentItemChanged, this, &ParentDialog::UpdateButtons);
  connect(outline, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (ok->isEnabled()) accept();
  });
  layout->addWidget(outline);
  auto* row = new QHBoxLayout;
  expand = new QPushButton("&Expand outline");
  shrink = new QPushButton("&Shrink outline");
  connect(expand, &QPushButton::clicked, outline, &QTreeWidget::expandAll);
  connect(shrink, &QPushButton::clicked, outline, &QTreeWidget::collapseAll);
  row->addWidget(expand);
  row->addWidget(shrink);
  row->addStretch();
  layout->addLayout(row);
  return page;
}

QWidget* ParentDialog::MakeListPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  list = new QComboBox;
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMaxVisibleItems(20);
  for (std::string_view name : catalog::ListViewClasses()) list->addItem(FromModel(name));
  list->setCompleter(nullptr);
  connect(list->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
    const std::optional<commands::ListCompletion> completion =
        model_.ListTyped(ToModelMarked(typed));
    if (!completion) return;
    const QString name = FromModel(completion->text);
    list->lineEdit()->setText(name);
    // Selected backwards, so the caret stays where the typing stopped.
    list->lineEdit()->setSelection(
        static_cast<int>(name.size()),
        static_cast<int>(completion->typed) - static_cast<int>(name.size()));
  });
  connect(list, &QComboBox::editTextChanged, this, &ParentDialog::UpdateButtons);
  auto* label = new QLabel("&Parent class (choose or type a name):");
  label->setBuddy(list);
  layout->addWidget(label);
  layout->addWidget(list);
  layout->addStretch();
  return page;
}

QWidget* ParentDialog::MakeExpressPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  express = new QButtonGroup(this);
  const auto items = catalog::ExpressItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(FromModel(items[i]));
    express->addButton(button, static_cast<int>(i));
    layout->addWidget(button);
  }
  connect(express, &QButtonGroup::idToggled, this, &ParentDialog::UpdateButtons);
  layout->addStretch();
  return page;
}

QWidget* ParentDialog::MakeCustomPage(const std::vector<std::string>& classes) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  custom = new QListWidget;
  custom->setSortingEnabled(true);
  for (const std::string& name : classes) custom->addItem(FromModel(name));
  connect(custom, &QListWidget::currentItemChanged, this, &ParentDialog::UpdateButtons);
  layout->addWidget(custom);
  auto* column = new QVBoxLayout;
  add = new QPushButton("&Add");
  edit = new QPushButton("E&dit...");
  del = new QPushButton("De&lete");
  connect(add, &QPushButton::clicked, this, &ParentDialog::AddClass);
  connect(edit, &QPushButton::clicked, this, &ParentDialog::EditClass);
  connect(del, &QPushButton::clicked, this, &ParentDialog::DeleteClass);
  for (QPushButton* button : {add, edit, del}) column->addWidget(button);
  column->addStretch();
  layout->addLayout(column);
  return page;
}

void ParentDialog::Show(const ParentChoice& choice) {
  const commands::OutlineExpansion expansion = model_.Expansion(choice);
  if (expansion.expand_all) outline->expandAll();
  for (const int up : expansion.expanded) nodes_[static_cast<std::size_t>(up)]->setExpanded(true);
  if (expansion.current >= 0)
    outline->setCurrentItem(nodes_[static_cast<std::size_t>(expansion.current)]);
  list->setEditText(FromModel(choice.list_text));
  if (QAbstractButton* button = express->button(choice.express_item)) button->setChecked(true);
  SelectCustom(FromModel(choice.custom_class));
  pages->setCurrentIndex(static_cast<int>(choice.view));
  UpdateButtons();
}

void ParentDialog::SelectCustom(const QString& name) {
  const QList<QListWidgetItem*> found = custom->findItems(name, Qt::MatchFixedString);
  if (!name.isEmpty() && !found.isEmpty()) custom->setCurrentItem(found.front());
}

ParentChoice ParentDialog::Choice() const {
  ParentChoice choice;
  choice.view = static_cast<ParentView>(pages->currentIndex());
  if (const QTreeWidgetItem* item = outline->currentItem()) {
    choice.outline_node = item->data(0, Qt::UserRole).toInt();
  }
  choice.list_text = ToModel(list->currentText()).value_or("");
  choice.express_item = express->checkedId() < 0 ? 0 : express->checkedId();
  if (const QListWidgetItem* item = custom->currentItem()) {
    choice.custom_class = ToModel(item->text()).value_or("");
  }
  return choice;
}

void ParentDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  UpdateButtons();
  // The view opens with its choice in sight and the focus on it, so the arrow keys move the
  // choice at once.
  if (QTreeWidgetItem* item = outline->currentItem()) outline->scrollToItem(item);
  if (QListWidgetItem* item = custom->currentItem()) custom->scrollToItem(item);
  switch (commands::ParentDialogModel::FocusOnShow(Choice())) {
    case commands::ParentFocus::kOutline:
      outline->setFocus();
      break;
    case commands::ParentFocus::kList:
      list->setFocus();
      break;
    case commands::ParentFocus::kExpressItem:
      if (QAbstractButton* button = express->checkedButton()) button->setFocus();
      break;
    case commands::ParentFocus::kCustomList:
      custom->setFocus();
      break;
    case commands::ParentFocus::kAddButton:
      add->setFocus();
      break;
  }
}

void ParentDialog::UpdateButtons() {
  if (ok == nullptr) return;  // still being built
  const commands::ParentDialogButtons enabled = model_.Buttons(Choice());
  ok->setEnabled(enabled.ok);
  class_help->setEnabled(enabled.class_help);
  add->setEnabled(enabled.add);
  edit->setEnabled(enabled.edit);
  del->setEnabled(enabled.del);
}

void ParentDialog::AddClass() {
  if (custom_page_ == nullptr) return;
  const std::optional<std::string> added = custom_page_->Add();
  if (!added) return;
  const QString name = FromModel(*added);
  if (custom->findItems(name, Qt::MatchFixedString).isEmpty()) custom->addItem(name);
  SelectCustom(name);
  UpdateButtons();
}

void ParentDialog::EditClass() {
  if (custom_page_ == nullptr || custom->currentItem() == nullptr) return;
  custom_page_->Edit(ToModel(custom->currentItem()->text()).value_or(""));
}

void ParentDialog::DeleteClass() {
  if (custom_page_ == nullptr || custom->currentItem() == nullptr) return;
  if (custom_page_->Delete(ToModel(custom->currentItem()->text()).value_or(""))) {
    delete custom->takeItem(custom->currentRow());
    UpdateButtons();
  }
}

}  // namespace kx::ui
