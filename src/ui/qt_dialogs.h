// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs with real windows: message boxes, the file and directory dialogs, the input box, and
// one window of its own for each of the program's special dialogs.
#pragma once

#include <QWidget>
#include <functional>

#include "commands/dialogs.h"
#include "store/settings.h"

namespace kx::ui {

class QtDialogs : public commands::Dialogs {
 public:
  // parent: the main window, over which every dialog is centred. help: shows a help context
  // (the Help button of a Yes/No/Help box).
  QtDialogs(QWidget* parent, std::function<void(int context)> help);
  void set_parent(QWidget* parent) { parent_ = parent; }
  void set_help(std::function<void(int context)> help) { help_ = std::move(help); }
  // Opens help on the class a parent choice selects (the parent dialog's Class help).
  void set_class_help(std::function<void(const catalog::ParentChoice&)> help) {
    class_help_ = std::move(help);
  }
  // Opens help on a sub-component's class (the link dialog's "Sub-comp help").
  void set_sub_component_help(std::function<void(const std::string& name)> help) {
    sub_component_help_ = std::move(help);
  }

  // The help context of the main window's page, for F1 in the dialogs its buttons open.
  void set_page_context(std::function<int()> context) { page_context_ = std::move(context); }
  // Opens a help topic (the editors' Help menu).
  void set_topic_help(std::function<void(const store::HelpTopic&)> help) {
    topic_help_ = std::move(help);
  }

  commands::Answer Show(const commands::MessageBox& box) override;
  std::optional<std::filesystem::path> OpenFile(
      const commands::FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SaveFile(
      const commands::FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SelectDirectory(
      std::string_view title, const std::filesystem::path& initial_dir) override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial_text) override;
  void ViewFile(const std::filesystem::path& file) override;
  std::optional<std::string> SelectPanel(const std::vector<std::string>& containers) override;
  std::optional<commands::FieldImportChoice> ImportFieldDialog(
      std::string_view field, const commands::FieldImportChoice& proposed) override;
  std::optional<commands::DataLinkNames> DataLinkDialog(
      std::string_view caption, const commands::DataLinkNames& proposed) override;
  std::optional<commands::PropertyLink> LinkPropertyDialog(
      std::string_view explanation, const std::vector<std::string>& sub_components) override;
  std::optional<commands::OtherOptions> OtherOptionsDialog(
      const commands::OtherOptionsRequest& request) override;
  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>& units) override;
  std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) override;
  std::optional<commands::ClassRegistration> RegisterClassDialog(
      const commands::ClassRegistrationRequest& request) override;
  std::optional<commands::Audience> DocumentationAudienceDialog(
      commands::Audience preselected) override;
  std::optional<catalog::ParentChoice> SelectParentDialog(
      const commands::ParentSelectionRequest& request) override;
  bool OpenDocument(const std::filesystem::path& file) override;
  std::optional<commands::NamePromptAnswer> NamePrompt(
      const commands::NamePromptRequest& request) override;
  std::optional<model::PropertyEditorDef> PropertyEditorDialog(
      const commands::PropertyEditorRequest& request) override;
  std::optional<std::vector<std::string>> EditText(const commands::EditorRequest& request) override;
  std::optional<int> ChooseButton(const commands::ChoiceRequest& request) override;
  bool DefinitionFindingsDialog(const std::vector<commands::DefinitionFinding>& findings) override;
  std::optional<std::string> ChooseClass(const commands::ClassChoiceRequest& request) override;
  // Leaves the notes open beside the window; they close with it.
  void ShowNotes(const commands::NotesRequest& request) override;

 private:
  // The Help button of the dialogs without a topic of their own: the help's contents.
  std::function<void()> ProductHelp();
  // F1 and the Help buttons of a dialog with a page of its own.
  std::function<void()> HelpOn(int context);
  std::function<void()> PageHelp();

  QWidget* parent_;
  std::function<void(int)> help_;
  std::function<void(const catalog::ParentChoice&)> class_help_;
  std::function<void(const std::string&)> sub_component_help_;
  std::function<void(const store::HelpTopic&)> topic_help_;
  std::function<int()> page_context_;
};

// "Desc (*.a)|*.a|All files (*.*)|*.*" as a Qt name filter list.
QString QtFilter(std::string_view filter);

}  // namespace kx::ui
