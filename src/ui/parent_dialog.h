// SPDX-License-Identifier: GPL-3.0-or-later
// "Select parent class": the four views of the parent (Outline, List, Express, Custom), Class
// help and OK. The dialog only shows a catalog::ParentChoice and hands back the one the user
// confirms; which class a view names, which buttons are enabled, what the outline shows
// expanded, the List view's completion and the focus on opening are commands::ParentDialogModel's,
// asked again after every change. The Custom view's buttons run the
// registry flows of the request's CustomClassPage.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "catalog/parent_choices.h"
#include "commands/dialogs.h"
#include "commands/parent_dialog_model.h"

class QButtonGroup;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kx::ui {

class ParentDialog : public QDialog {
  Q_OBJECT
 public:
  // class_help: opens help on the class the choice selects.
  ParentDialog(QWidget* parent, const commands::ParentSelectionRequest& request,
               std::function<void(const catalog::ParentChoice&)> class_help);

  // The page and selections as the widgets show them now.
  catalog::ParentChoice Choice() const;

  // The views and buttons, in the order of ParentView for the pages.
  QTabWidget* pages = nullptr;
  QTreeWidget* outline = nullptr;
  QComboBox* list = nullptr;
  QButtonGroup* express = nullptr;
  QListWidget* custom = nullptr;
  QPushButton* expand = nullptr;
  QPushButton* shrink = nullptr;
  QPushButton* add = nullptr;
  QPushButton* edit = nullptr;
  QPushButton* del = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* class_help = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* MakeOutlinePage();
  QWidget* MakeListPage();
  QWidget* MakeExpressPage();
  QWidget* MakeCustomPage(const std::vector<std::string>& classes);
  void Show(const catalog::ParentChoice& choice);
  void SelectCustom(const QString& name);
  void UpdateButtons();
  void AddClass();
  void EditClass();
  void DeleteClass();

  commands::ParentDialogModel model_;
  commands::CustomClassPage* custom_page_;
  std::function<void(const catalog::ParentChoice&)> class_help_;
  std::vector<QTreeWidgetItem*> nodes_;  // by index into catalog::OutlineNodes()
};

}  // namespace kx::ui
