// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/code_edit.h"
#include "ui/text_boundary.h"

namespace kx::ui {

using commands::EditorKind;

EditorWindow::EditorWindow(QWidget* parent, const commands::EditorRequest& request,
                           commands::Dialogs& dialogs,
                           std::function<void(const store::HelpTopic&)> help)
    : QDialog(parent), session_(request), dialogs_(dialogs), help_(std::move(help)) {
  const bool code = request.kind == EditorKind::kCode;
  setWindowTitle(FromModel(request.caption));
  setSizeGripEnabled(true);
  resize(code ? 720 : 640, code ? 520 : 420);
  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  header = new QLabel(FromModel(request.header));
  header->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (code) header->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  header->setVisible(!request.header.empty());  // the global declarations have none
  layout->addWidget(header);
  edit = new CodeEdit(code ? CodeEdit::Mode::kPascal : CodeEdit::Mode::kText);
  edit->SetTemplates(request.templates);
  // The definition holds Windows-1252: what it cannot hold is refused where it is typed.
  edit->set_refuse(
      [this](const QString& text) { dialogs_.Information(RefusedCharacterMessage(text)); });
  edit->setText(FromModel(session_.initial_text()));
  edit->setModified(false);
  layout->addWidget(edit, 1);

  auto* buttons = new QHBoxLayout;
  ok = new QPushButton("OK");
  cancel = new QPushButton("Cancel");
  restore = new QPushButton("&Restore default");
  paste = new QPushButton("&Paste");
  view = new QPushButton("&View...");
  for (QPushButton* button : {ok, cancel, restore, paste, view}) {
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
  }
  restore->setVisible(code);
  buttons->addWidget(restore);
  buttons->addWidget(paste);
  buttons->addWidget(view);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &EditorWindow::OkClick);
  connect(cancel, &QPushButton::clicked, this, &EditorWindow::CancelClick);
  connect(restore, &QPushButton::clicked, this, &EditorWindow::RestoreDefaultClick);
  connect(paste, &QPushButton::clicked, edit, &CodeEdit::paste);
  connect(view, &QPushButton::clicked, this, [this] {
    commands::ViewChosenFile(dialogs_, commands::PascalFileToView(session_.request().source_dir));
  });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this, code] {
    if (help_) {
      help_({store::HelpFile::kProduct, store::HelpAction::kContext, "",
             code ? store::kCodeEditorHelpContext : store::kHelpTextEditorHelpContext});
    }
  });
}

void EditorWindow::BuildMenus() {
  const bool code = session_.request().kind == EditorKind::kCode;
  auto* bar = new QMenuBar(this);
  layout()->setMenuBar(bar);
  QMenu* edit_menu = bar->addMenu("&Edit");
  undo = edit_menu->addAction("&Undo", QKeySequence::Undo, [this] { edit->undo(); });
  edit_menu->addSeparator();
  cut = edit_menu->addAction("Cu&t", QKeySequence::Cut, [this] { edit->cut(); });
  copy = edit_menu->addAction("&Copy", QKeySequence::Copy, [this] { edit->copy(); });
  paste_item = edit_menu->addAction("&Paste", QKeySequence::Paste, [this] { edit->paste(); });
  delete_item = edit_menu->addAction("&Delete", [this] { edit->removeSelectedText(); });
  edit_menu->addSeparator();
  select_all =
      edit_menu->addAction("Se&lect all", QKeySequence::SelectAll, [this] { edit->selectAll(); });
  edit_menu->addSeparator();
  undo_all = edit_menu->addAction("Undo &all changes", this, &EditorWindow::UndoAllClick);
  restore_item =
      edit_menu->addAction("&Restore default code", this, &EditorWindow::RestoreDefaultClick);
  restore_item->setVisible(code);
  // The editor takes its own keys; the menu's shortcuts only label the items.
  for (QAction* action : edit_menu->actions()) action->setShortcutContext(Qt::WidgetShortcut);
  connect(edit_menu, &QMenu::aboutToShow, this, &EditorWindow::UpdateEditMenu);

  QMenu* view_menu = bar->addMenu("&View");
  view_menu->addAction("&Pascal file...", this, [this] {
    commands::ViewChosenFile(dialogs_, commands::PascalFileToView(session_.request().source_dir));
  });
  view_menu->addAction("&Form file...", this, [this] {
    commands::ViewChosenFile(dialogs_, commands::FormFileToView(session_.request().source_dir));
  });

  QMenu* help_menu = bar->addMenu("&Help");
  const auto show = [this](const store::HelpTopic& topic) {
    if (help_) help_(topic);
  };
  help_menu->addAction("&Help", this, [show] { show({}); });
  help_menu->addAction("&Class help", this, [this, show] { show(session_.request().class_help); });
  help_menu->addAction("&VCL help", this, [this, show] {
    show(store::VclHelpTopic(edit->IdentifierAtCaret(), session_.request().using_delphi16));
  });
  help_menu->addAction("&Delphi help", this, [this, show] {
    show({store::HelpFile::kDelphi, store::HelpAction::kKeyword, edit->IdentifierAtCaret(), 0});
  });
}

void EditorWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit->setFocus();
}

void EditorWindow::UpdateEditMenu() {
  const bool selected = edit->hasSelectedText();
  cut->setEnabled(selected);
  copy->setEnabled(selected);
  delete_item->setEnabled(selected);
  paste_item->setEnabled(!QApplication::clipboard()->text().isEmpty());
  undo->setEnabled(edit->isUndoAvailable());
}

std::optional<std::string> EditorWindow::EditorText() {
  const QString text = edit->text();
  std::optional<std::string> bytes = ToModel(text);
  if (!bytes) dialogs_.Information(RefusedCharacterMessage(text));
  return bytes;
}

void EditorWindow::OkClick() {
  const std::optional<std::string> text = EditorText();
  if (!text) return;
  done(session_.Ok(edit->isModified(), *text) ? Accepted : Rejected);
}

void EditorWindow::CancelClick() {
  session_.Cancel();
  done(Rejected);
}

void EditorWindow::reject() {
  if (!session_.editing()) {
    QDialog::reject();
    return;
  }
  const std::optional<std::string> text = edit->isModified() ? EditorText() : std::string();
  if (!text) return;
  switch (session_.Close(edit->isModified(), *text, dialogs_)) {
    case commands::EditorSession::Closed::kKept:
      done(Accepted);
      break;
    case commands::EditorSession::Closed::kDropped:
      done(Rejected);
      break;
    case commands::EditorSession::Closed::kEditing:
      edit->setFocus();
      break;
  }
}

void EditorWindow::RestoreDefaultClick() {
  const std::optional<std::string> text = session_.RestoreDefault(dialogs_);
  if (!text) return;
  edit->setText(FromModel(*text));
  // The default code is stored as it stands: OK keeps it even when it is what the item held.
  edit->setModified(true);
}

void EditorWindow::UndoAllClick() {
  edit->setText(FromModel(session_.initial_text()));
  edit->setModified(false);
}

ChoiceWindow::ChoiceWindow(QWidget* parent, const commands::ChoiceRequest& request)
    : QDialog(parent) {
  setWindowTitle(FromModel(request.caption));
  auto* layout = new QVBoxLayout(this);
  first = new QPushButton(FromModel(request.first));
  second = new QPushButton(FromModel(request.second));
  layout->addWidget(first);
  layout->addWidget(second);
  if (request.cancel_button) {
    cancel = new QPushButton("Cancel");
    layout->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  }
  first->setDefault(true);
  first->setFocus();
  // Two short buttons would leave the title cut off by the window manager.
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
  connect(first, &QPushButton::clicked, this, [this] {
    choice_ = 0;
    accept();
  });
  connect(second, &QPushButton::clicked, this, [this] {
    choice_ = 1;
    accept();
  });
}

}  // namespace kx::ui
