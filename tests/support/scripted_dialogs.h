// A Dialogs for tests: the test queues the boxes and dialogs it expects, in order, with the
// answers to give; every box shown is recorded and checked against the next expectation.
// A box nobody expected, a mismatch, or an expectation left over fails the test.
//
//   ScriptedDialogs dialogs;
//   dialogs.ExpectBox(BoxKind::kConfirmation, "Save changes?", Answer::kNo);
//   RunTheFlow(dialogs);
//   // the destructor reports expectations that never came
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands/dialogs.h"

namespace kx::testing {

class ScriptedDialogs : public commands::Dialogs {
 public:
  ~ScriptedDialogs() override;

  // Expects a box of this kind and text; caption and buttons are checked when given.
  ScriptedDialogs& ExpectBox(commands::BoxKind kind, std::string text,
                             commands::Answer answer = commands::Answer::kOk,
                             std::optional<std::string> caption = std::nullopt,
                             std::optional<commands::Buttons> buttons = std::nullopt);
  ScriptedDialogs& ExpectOpenFile(std::optional<std::filesystem::path> answer);
  ScriptedDialogs& ExpectSaveFile(std::optional<std::filesystem::path> answer);
  ScriptedDialogs& ExpectSelectDirectory(std::optional<std::filesystem::path> answer);
  ScriptedDialogs& ExpectInputBox(std::optional<std::string> answer);
  ScriptedDialogs& ExpectChooseEditorUnit(std::optional<std::string> answer);
  ScriptedDialogs& ExpectSelectPanel(std::optional<std::string> answer);
  // Checks the field text and the proposed name; answers with the choice.
  ScriptedDialogs& ExpectImportField(std::string field, std::string proposed_name,
                                     std::optional<commands::FieldImportChoice> answer);
  ScriptedDialogs& ExpectDataLink(std::string caption, commands::DataLinkNames proposed,
                                  std::optional<commands::DataLinkNames> answer);
  ScriptedDialogs& ExpectLinkProperty(std::string explanation,
                                      std::optional<commands::PropertyLink> answer);
  ScriptedDialogs& ExpectChooseEditorKind(std::string editor_class, std::optional<int> answer);
  // Expects the file viewer to be opened on this file.
  ScriptedDialogs& ExpectViewFile(std::filesystem::path file);
  ScriptedDialogs& ExpectOtherOptions(std::optional<commands::OtherOptions> answer);
  ScriptedDialogs& ExpectRegisterClass(std::optional<commands::ClassRegistration> answer);
  // Expects the audience dialog opening with preselected checked.
  ScriptedDialogs& ExpectDocumentationAudience(commands::Audience preselected,
                                               std::optional<commands::Audience> answer);
  // Expects this file to be handed to the desktop's default handler.
  ScriptedDialogs& ExpectOpenDocument(std::filesystem::path file);
  // Expects the parent selection dialog; answers with the choice confirmed (nothing: Cancel).
  ScriptedDialogs& ExpectSelectParent(std::optional<catalog::ParentChoice> answer);
  // Expects the name prompt with this caption; answers with the entries.
  ScriptedDialogs& ExpectNamePrompt(std::string caption,
                                    std::optional<commands::NamePromptAnswer> answer);
  ScriptedDialogs& ExpectPropertyEditor(std::optional<model::PropertyEditorDef> answer);
  // Expects an editor with this caption; answers with the block to store (nothing: cancelled).
  ScriptedDialogs& ExpectEditText(std::string caption,
                                  std::optional<std::vector<std::string>> answer);
  // Expects the two-button choice with this caption; answers with the button (nothing: closed).
  ScriptedDialogs& ExpectChooseButton(std::string caption, std::optional<int> answer);

  struct DirectoryRequest {
    std::string title;
    std::filesystem::path initial_dir;
  };

  // Everything shown so far, in order.
  const std::vector<commands::MessageBox>& boxes() const { return boxes_; }
  const std::vector<commands::FileDialogRequest>& file_requests() const { return file_requests_; }
  const std::vector<DirectoryRequest>& directory_requests() const { return directory_requests_; }
  const std::vector<commands::OtherOptionsRequest>& other_options_requests() const {
    return other_options_requests_;
  }
  const std::vector<commands::ClassRegistrationRequest>& registration_requests() const {
    return registration_requests_;
  }
  const std::vector<commands::ParentSelectionRequest>& parent_requests() const {
    return parent_requests_;
  }
  const std::vector<commands::NamePromptRequest>& name_requests() const { return name_requests_; }
  const std::vector<commands::EditorRequest>& editor_requests() const { return editor_requests_; }
  const std::vector<commands::ChoiceRequest>& choice_requests() const { return choice_requests_; }
  bool done() const { return expected_.empty(); }

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
  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>& units) override;
  std::optional<std::string> SelectPanel(const std::vector<std::string>& containers) override;
  std::optional<commands::FieldImportChoice> ImportFieldDialog(
      std::string_view field, const commands::FieldImportChoice& proposed) override;
  std::optional<commands::DataLinkNames> DataLinkDialog(
      std::string_view caption, const commands::DataLinkNames& proposed) override;
  std::optional<commands::PropertyLink> LinkPropertyDialog(
      std::string_view explanation, const std::vector<std::string>& sub_components) override;
  // The lists the panel and link dialogs offered.
  const std::vector<std::vector<std::string>>& list_requests() const { return list_requests_; }
  std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) override;
  // What the editor dialogs were shown with: the units offered, the default kinds.
  const std::vector<std::vector<std::string>>& editor_unit_requests() const {
    return editor_unit_requests_;
  }
  const std::vector<int>& editor_kind_defaults() const { return editor_kind_defaults_; }
  std::optional<commands::OtherOptions> OtherOptionsDialog(
      const commands::OtherOptionsRequest& request) override;
  std::optional<commands::ClassRegistration> RegisterClassDialog(
      const commands::ClassRegistrationRequest& request) override;
  std::optional<commands::Audience> DocumentationAudienceDialog(
      commands::Audience preselected) override;
  void OpenDocument(const std::filesystem::path& file) override;
  std::optional<catalog::ParentChoice> SelectParentDialog(
      const commands::ParentSelectionRequest& request) override;
  std::optional<commands::NamePromptAnswer> NamePrompt(
      const commands::NamePromptRequest& request) override;
  std::optional<model::PropertyEditorDef> PropertyEditorDialog(
      const commands::PropertyEditorRequest& request) override;
  std::optional<std::vector<std::string>> EditText(const commands::EditorRequest& request) override;
  std::optional<int> ChooseButton(const commands::ChoiceRequest& request) override;

 private:
  enum class What {
    kBox,
    kOpenFile,
    kSaveFile,
    kSelectDirectory,
    kInputBox,
    kViewFile,
    kChooseEditorUnit,
    kSelectPanel,
    kImportField,
    kDataLink,
    kLinkProperty,
    kChooseEditorKind,
    kOtherOptions,
    kRegisterClass,
    kDocumentationAudience,
    kOpenDocument,
    kSelectParent,
    kNamePrompt,
    kPropertyEditor,
    kEditText,
    kChooseButton
  };
  struct Expected {
    What what;
    commands::MessageBox box;
    bool check_caption = false;
    bool check_buttons = false;
    commands::Answer answer = commands::Answer::kOk;
    std::optional<std::filesystem::path> path;
    std::optional<std::string> text;
    std::optional<commands::OtherOptions> other_options;
    std::optional<commands::ClassRegistration> registration;
    std::optional<int> kind;
    commands::Audience preselected = commands::Audience::kComponent;
    std::optional<commands::Audience> audience;
    std::optional<commands::FieldImportChoice> field;
    std::optional<commands::DataLinkNames> link_names;
    commands::DataLinkNames proposed_link_names;
    std::optional<commands::PropertyLink> property_link;
    std::optional<catalog::ParentChoice> parent_choice;
    std::optional<commands::NamePromptAnswer> name_answer;
    std::optional<model::PropertyEditorDef> editor;
    std::optional<std::vector<std::string>> block;
  };

  // The next expectation when it is of this sort; nullopt (and a test failure) otherwise.
  std::optional<Expected> Next(What what, std::string_view description);

  std::deque<Expected> expected_;
  std::vector<commands::MessageBox> boxes_;
  std::vector<std::vector<std::string>> editor_unit_requests_;
  std::vector<int> editor_kind_defaults_;
  std::vector<std::vector<std::string>> list_requests_;
  std::vector<commands::FileDialogRequest> file_requests_;
  std::vector<DirectoryRequest> directory_requests_;
  std::vector<commands::OtherOptionsRequest> other_options_requests_;
  std::vector<commands::ClassRegistrationRequest> registration_requests_;
  std::vector<commands::ParentSelectionRequest> parent_requests_;
  std::vector<commands::NamePromptRequest> name_requests_;
  std::vector<commands::EditorRequest> editor_requests_;
  std::vector<commands::ChoiceRequest> choice_requests_;
};

}  // namespace kx::testing
