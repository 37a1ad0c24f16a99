// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include "catalog/parent_choices.h"
#include "commands/documentation.h"
#include "commands/help.h"
#include "commands/property_editors.h"
#include "commands/register_class.h"
#include "generate/extras/editor_unit.h"
#include "platform/run_program.h"
#include "ui/class_choice_window.h"
#include "ui/data_link_window.h"
#include "ui/definition_findings_window.h"
#include "ui/dialog_keys.h"
#include "ui/documentation_window.h"
#include "ui/editor_window.h"
#include "ui/file_viewer.h"
#include "ui/import_field_window.h"
#include "ui/link_property_window.h"
#include "ui/list_choice_window.h"
#include "ui/name_prompt.h"
#include "ui/notes_window.h"
#include "ui/other_options_window.h"
#include "ui/parent_dialog.h"
#include "ui/property_editor_window.h"
#include "ui/register_class_window.h"
#include "ui/text_boundary.h"

namespace kx::ui {

using commands::Answer;
using commands::BoxKind;
using commands::Buttons;

namespace {

QString DefaultCaption(BoxKind kind) {
  switch (kind) {
    case BoxKind::kInformation:
      return "Information";
    case BoxKind::kWarning:
      return "Warning";
    case BoxKind::kError:
      return "Error";
    case BoxKind::kConfirmation:
      return "Confirm";
  }
  return {};
}

QString StripPatterns(const QString& description) {
  const qsizetype open = description.lastIndexOf('(');
  return (open > 0 ? description.left(open) : description).trimmed();
}

}  // namespace

QString QtFilter(std::string_view filter) {
  const QStringList parts = FromModel(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ').replace("*.*", "*");
    filters << StripPatterns(parts[i]) + " (" + patterns + ")";
  }
  return filters.join(";;");
}

QtDialogs::QtDialogs(QWidget* parent, std::function<void(int)> help)
    : parent_(parent), help_(std::move(help)) {}

std::function<void()> QtDialogs::ProductHelp() {
  return [this] {
    if (help_) help_(0);
  };
}

std::function<void()> QtDialogs::HelpOn(int context) {
  return [this, context] {
    if (help_) help_(context);
  };
}

std::function<void()> QtDialogs::PageHelp() {
  return [this] {
    if (help_) help_(page_context_ ? page_context_() : 0);
  };
}

Answer QtDialogs::Show(const commands::MessageBox& box) {
  QMessageBox message(parent_);
  message.setWindowTitle(box.caption.empty() ? DefaultCaption(box.kind) : FromModel(box.caption));
  message.setText(FromModel(box.text));
  switch (box.kind) {
    case BoxKind::kInformation:
      message.setIcon(QMessageBox::Information);
      break;
    case BoxKind::kWarning:
      message.setIcon(QMessageBox::Warning);
      break;
    case BoxKind::kError:
      message.setIcon(QMessageBox::Critical);
      break;
    case BoxKind::kConfirmation:
      message.setIcon(QMessageBox::Question);
      break;
  }
  switch (box.buttons) {
    case Buttons::kOk:
      message.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::kYesNo:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::kYesCancel:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
      break;
    case Buttons::kYesNoCancel:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::kYesNoHelp:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Help);
      break;
  }
  for (;;) {
    switch (message.exec()) {
      case QMessageBox::Yes:
        return Answer::kYes;
      case QMessageBox::No:
        return Answer::kNo;
      case QMessageBox::Ok:
        return Answer::kOk;
      case QMessageBox::Help:
        // The question stays: the help opens beside it and the box comes back.
        if (help_) help_(box.help_context);
        continue;
      default:
        return box.buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
    }
  }
}

namespace {

std::optional<std::filesystem::path> RunFileDialog(QWidget* parent,
                                                   const commands::FileDialogRequest& request,
                                                   bool save) {
  QFileDialog dialog(parent, FromModel(request.title), FromPath(request.initial_dir.string()),
                     QtFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(FromModel(request.default_ext).toLower());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);
  if (!request.file_name.empty()) dialog.selectFile(FromPath(request.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(ToPath(dialog.selectedFiles().front()));
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::OpenFile(
    const commands::FileDialogRequest& request) {
  return RunFileDialog(parent_, request, false);
}

std::optional<std::filesystem::path> QtDialogs::SaveFile(
    const commands::FileDialogRequest& request) {
  return RunFileDialog(parent_, request, true);
}

std::optional<std::filesystem::path> QtDialogs::SelectDirectory(
    std::string_view title, const std::filesystem::path& initial_dir) {
  const QString dir =
      QFileDialog::getExistingDirectory(parent_, FromModel(title), FromPath(initial_dir.string()));
  if (dir.isEmpty()) return std::nullopt;
  return std::filesystem::path(ToPath(dir));
}

std::optional<std::string> QtDialogs::InputBox(std::string_view caption, std::string_view prompt,
                                               std::string_view initial_text) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, FromModel(caption), FromModel(prompt),
                                             QLineEdit::Normal, FromModel(initial_text), &ok);
  if (!ok) return std::nullopt;
  const std::optional<std::string> bytes = ToModel(text);
  if (!bytes) {
    Warning(RefusedCharacterMessage(text));
    return InputBox(caption, prompt, initial_text);
  }
  return bytes;
}

void QtDialogs::ViewFile(const std::filesystem::path& file) {
  FileViewer viewer(parent_, *this);
  AddHelpKey(&viewer, HelpOn(commands::kFileViewerHelpContext));
  if (viewer.Open(file)) viewer.exec();
}

std::optional<std::string> QtDialogs::SelectPanel(const std::vector<std::string>& containers) {
  ListChoiceWindow dialog(parent_, "Generate container component", "Select the panel to import",
                          containers, 0, {});
  AddHelpKey(&dialog, HelpOn(commands::kContainerImportHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Text();
}

std::optional<commands::FieldImportChoice> QtDialogs::ImportFieldDialog(
    std::string_view field, const commands::FieldImportChoice& proposed) {
  ImportFieldWindow dialog(parent_, field, proposed);
  AddHelpKey(&dialog, HelpOn(commands::kFieldImportHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<commands::DataLinkNames> QtDialogs::DataLinkDialog(
    std::string_view caption, const commands::DataLinkNames& proposed) {
  DataLinkWindow dialog(parent_, caption, proposed);
  AddHelpKey(&dialog, HelpOn(commands::kDataLinkHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<commands::PropertyLink> QtDialogs::LinkPropertyDialog(
    std::string_view explanation, const std::vector<std::string>& sub_components) {
  LinkPropertyWindow dialog(parent_, explanation, sub_components, sub_component_help_);
  AddHelpKey(&dialog, HelpOn(commands::kLinkedPropertyHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<commands::OtherOptions> QtDialogs::OtherOptionsDialog(
    const commands::OtherOptionsRequest& request) {
  OtherOptionsWindow dialog(parent_, request);
  AddHelpKey(&dialog, HelpOn(commands::kOtherOptionsHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<std::string> QtDialogs::ChooseEditorUnit(const std::vector<std::string>& units) {
  ListChoiceWindow dialog(parent_, FromModel(commands::kPropertyEditorsCaption),
                          "Select property editor unit to generate:", units, 0, ProductHelp());
  AddHelpKey(&dialog, HelpOn(commands::kPropertyEditorsHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Text();
}

std::optional<int> QtDialogs::ChooseEditorKind(std::string_view editor_class, int default_kind) {
  std::vector<std::string> kinds;
  for (int kind = 0; kind < generate::kEditorKindCount; ++kind) {
    kinds.emplace_back(generate::EditorKindText(kind));
  }
  ListChoiceWindow dialog(parent_, FromModel(commands::kPropertyEditorsCaption),
                          "Select editor type for " + FromModel(editor_class), kinds, default_kind,
                          ProductHelp());
  AddHelpKey(&dialog, HelpOn(commands::kPropertyEditorsHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Index();
}

std::optional<commands::ClassRegistration> QtDialogs::RegisterClassDialog(
    const commands::ClassRegistrationRequest& request) {
  RegisterClassWindow dialog(parent_, request,
                             [this] { return OpenFile(commands::BrowseUnitRequest()); });
  AddHelpKey(&dialog, HelpOn(commands::kRegisterClassHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<commands::Audience> QtDialogs::DocumentationAudienceDialog(
    commands::Audience preselected) {
  DocumentationWindow dialog(parent_, preselected);
  AddHelpKey(&dialog, HelpOn(commands::kDocumentationHelpContext));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<catalog::ParentChoice> QtDialogs::SelectParentDialog(
    const commands::ParentSelectionRequest& request) {
  ParentDialog dialog(parent_, request, class_help_);
  AddHelpKey(&dialog, HelpOn(commands::kParentSelectionHelpContext));
  RefuseUnstorableText(&dialog, *this);
  const int result = dialog.exec();
  if (request.left != nullptr) *request.left = dialog.Choice();
  if (result != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

bool QtDialogs::OpenDocument(const std::filesystem::path& file) {
  // Qt hands the file to xdg-open and counts its start as success; xdg-open that finds no
  // browser says so only on standard error and ends with a failure at once.
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (!opener.isEmpty()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started = platform::StartAndWatch(opener.toStdString(), {file.string()},
                                                 std::chrono::milliseconds(1500));
    QApplication::restoreOverrideCursor();
    return started;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(file.string())));
}

std::optional<commands::NamePromptAnswer> QtDialogs::NamePrompt(
    const commands::NamePromptRequest& request) {
  NamePromptWindow dialog(parent_, request, *this);
  AddHelpKey(&dialog, PageHelp());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<model::PropertyEditorDef> QtDialogs::PropertyEditorDialog(
    const commands::PropertyEditorRequest& request) {
  PropertyEditorWindow dialog(
      parent_, request, [this](const std::string& message) { Information(message); },
      ProductHelp());
  AddHelpKey(&dialog, HelpOn(commands::kPropertyEditorOptionsHelpContext));
  RefuseUnstorableText(&dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<std::vector<std::string>> QtDialogs::EditText(
    const commands::EditorRequest& request) {
  EditorWindow dialog(parent_, request, *this, topic_help_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.block();
}

std::optional<int> QtDialogs::ChooseButton(const commands::ChoiceRequest& request) {
  ChoiceWindow dialog(parent_, request);
  AddHelpKey(&dialog, PageHelp());
  dialog.exec();
  return dialog.choice();
}

bool QtDialogs::DefinitionFindingsDialog(const std::vector<commands::DefinitionFinding>& findings) {
  DefinitionFindingsWindow dialog(parent_, findings);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> QtDialogs::ChooseClass(const commands::ClassChoiceRequest& request) {
  ClassChoiceWindow dialog(parent_, request, HelpOn(commands::kUnitImportHelpContext));
  AddHelpKey(&dialog, HelpOn(commands::kUnitImportHelpContext));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

void QtDialogs::ShowNotes(const commands::NotesRequest& request) {
  // Notes of an earlier import would read as this one's.
  if (parent_ != nullptr) {
    for (NotesWindow* earlier : parent_->findChildren<NotesWindow*>()) earlier->close();
  }
  auto* window = new NotesWindow(parent_, request);
  window->setAttribute(Qt::WA_DeleteOnClose);
  AddHelpKey(window, HelpOn(commands::kUnitImportHelpContext));
  // Over the foot of the window rather than its middle: the notes are read beside the
  // definition they concern.
  if (parent_ != nullptr && parent_->isVisible()) {
    window->adjustSize();
    const QRect owner = parent_->frameGeometry();
    window->move(owner.center().x() - window->width() / 2,
                 owner.bottom() - window->frameGeometry().height() - 24);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace kx::ui
