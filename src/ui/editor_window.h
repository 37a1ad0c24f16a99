// SPDX-License-Identifier: GPL-3.0-or-later
// TEditCodeDlg3 and TTextEditorDlg: the code editor and the help-text editor, one window for
// both (the help-text editor has no "Restore default" and wraps words). What it edits, and
// what OK, Cancel and closing decide, is the commands::EditorSession's; the window binds it to
// the widgets. TPropReadWriDlg and TTwoButtonDlg: ChoiceWindow, two buttons that choose.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/code_editing.h"
#include "commands/dialogs.h"
#include "store/settings.h"

class QAction;
class QLabel;
class QPushButton;

namespace kx::ui {

class CodeEdit;

class EditorWindow : public QDialog {
  Q_OBJECT
 public:
  // help: opens a help topic (the Help menu, F1). Message boxes and the View menu's file
  // dialogs go through dialogs.
  EditorWindow(QWidget* parent, const commands::EditorRequest& request, commands::Dialogs& dialogs,
               std::function<void(const store::HelpTopic&)> help);

  // After OK with a change: the block to store.
  const std::optional<std::vector<std::string>>& block() const { return session_.result(); }

  // The actions of the buttons and menus, for the buttons and for tests.
  void OkClick();
  void CancelClick();
  void RestoreDefaultClick();
  void UndoAllClick();
  void UpdateEditMenu();

  CodeEdit* edit = nullptr;
  QLabel* header = nullptr;
  QPushButton *ok = nullptr, *cancel = nullptr, *restore = nullptr, *paste = nullptr,
              *view = nullptr;
  QAction *undo = nullptr, *cut = nullptr, *copy = nullptr, *paste_item = nullptr,
          *delete_item = nullptr, *select_all = nullptr, *undo_all = nullptr,
          *restore_item = nullptr;

 public slots:
  // Esc and the window's close button: asks whether to keep a changed text.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The editor's text as Windows-1252, or nothing after refusing a character it cannot hold.
  std::optional<std::string> EditorText();
  void BuildMenus();

  commands::EditorSession session_;
  commands::Dialogs& dialogs_;
  std::function<void(const store::HelpTopic&)> help_;
};

class ChoiceWindow : public QDialog {
  Q_OBJECT
 public:
  ChoiceWindow(QWidget* parent, const commands::ChoiceRequest& request);
  // The button chosen, or nothing.
  std::optional<int> choice() const { return choice_; }

  QPushButton *first = nullptr, *second = nullptr, *cancel = nullptr;

 private:
  std::optional<int> choice_;
};

}  // namespace kx::ui
