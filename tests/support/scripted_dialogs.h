// SPDX-License-Identifier: GPL-3.0-or-later
// A Dialogs for tests: the test queues the boxes and dialogs it expects, in order, with the
// answers to give; every box shown is recorded and checked against the next expectation.
// A box nobody expected, a mismatch, or an expectation left over fails the test.
//
//   ScriptedDialogs dialogs;
//   dialogs.ExpectBox(BoxKind::kConfirmation, "Save changes?", Answer::kNo);
//   RunTheFlow(dialogs);
//   // the destructor reports expectations that never came
#pragma once

#include <any>
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
                             std::optional<commands::Buttons> buttons = std::nullopt) {
    return Expect(
        std::string(commands::BoxKindName(kind)),
        {std::move(caption), std::move(text),
         buttons ? std::optional(std::string(commands::ButtonsName(*buttons))) : std::nullopt},
        answer);
  }
  ScriptedDialogs& ExpectOpenFile(std::optional<std::filesystem::path> answer) {
    return Expect("open file dialog", {}, answer);
  }
  ScriptedDialogs& ExpectSaveFile(std::optional<std::filesystem::path> answer) {
    return Expect("save file dialog", {}, answer);
  }
  ScriptedDialogs& ExpectSelectDirectory(std::optional<std::filesystem::path> answer) {
    return Expect("directory dialog", {}, answer);
  }
  ScriptedDialogs& ExpectInputBox(std::optional<std::string> answer) {
    return Expect("input box", {}, answer);
  }
  ScriptedDialogs& ExpectChooseEditorUnit(std::optional<std::string> answer) {
    return Expect("editor unit choice", {}, answer);
  }
  ScriptedDialogs& ExpectSelectPanel(std::optional<std::string> answer) {
    return Expect("container choice", {}, answer);
  }
  // Checks the field text and the proposed name; answers with the choice.
  ScriptedDialogs& ExpectImportField(std::string field, std::string proposed_name,
                                     std::optional<commands::FieldImportChoice> answer) {
    return Expect("field dialog", {std::move(field), proposed_name, proposed_name}, answer);
  }
  ScriptedDialogs& ExpectDataLink(std::string caption, commands::DataLinkNames proposed,
                                  std::optional<commands::DataLinkNames> answer) {
    return Expect("data link dialog",
                  {std::move(caption), proposed.data_source, proposed.data_field, proposed.link,
                   proposed.data_change},
                  answer);
  }
  ScriptedDialogs& ExpectLinkProperty(std::string explanation,
                                      std::optional<commands::PropertyLink> answer) {
    return Expect("link dialog", {std::move(explanation)}, answer);
  }
  ScriptedDialogs& ExpectChooseEditorKind(std::string editor_class, std::optional<int> answer) {
    return Expect("editor type choice", {std::move(editor_class)}, answer);
  }
  // Expects the file viewer to be opened on this file.
  ScriptedDialogs& ExpectViewFile(std::filesystem::path file) {
    return Expect("file viewer", {file.string()});
  }
  ScriptedDialogs& ExpectOtherOptions(std::optional<commands::OtherOptions> answer) {
    return Expect("other options dialog", {}, answer);
  }
  ScriptedDialogs& ExpectRegisterClass(std::optional<commands::ClassRegistration> answer) {
    return Expect("registration dialog", {}, answer);
  }
  // Expects the audience dialog opening with preselected checked.
  ScriptedDialogs& ExpectDocumentationAudience(commands::Audience preselected,
                                               std::optional<commands::Audience> answer) {
    return Expect("audience dialog, checked", {std::to_string(static_cast<int>(preselected))},
                  answer);
  }
  // Expects this file to be handed to the desktop's default handler; started: whether a
  // program could be started to show it.
  ScriptedDialogs& ExpectOpenDocument(std::filesystem::path file, bool started = true) {
    return Expect("opening", {file.string()}, started);
  }
  // Expects the parent selection dialog; answers with the choice confirmed (nothing: Cancel).
  ScriptedDialogs& ExpectSelectParent(std::optional<catalog::ParentChoice> answer) {
    return Expect("parent selection dialog", {}, answer);
  }
  // Expects the name prompt with this caption; answers with the entries.
  ScriptedDialogs& ExpectNamePrompt(std::string caption,
                                    std::optional<commands::NamePromptAnswer> answer) {
    return Expect("name prompt", {std::move(caption)}, answer);
  }
  ScriptedDialogs& ExpectPropertyEditor(std::optional<model::PropertyEditorDef> answer) {
    return Expect("property editor options", {}, answer);
  }
  // Expects an editor with this caption; answers with the block to store (nothing: cancelled).
  ScriptedDialogs& ExpectEditText(std::string caption,
                                  std::optional<std::vector<std::string>> answer) {
    return Expect("editor", {std::move(caption)}, answer);
  }
  // Expects the two-button choice with this caption; answers with the button (nothing: closed).
  ScriptedDialogs& ExpectChooseButton(std::string caption, std::optional<int> answer) {
    return Expect("choice", {std::move(caption)}, answer);
  }
  // Expects the list of definition findings; answers "Generate anyway" (true) or "Cancel".
  ScriptedDialogs& ExpectDefinitionFindings(bool generate_anyway) {
    return Expect("definition findings", {}, generate_anyway);
  }

  // Expects the class choice with this prompt; answers with the class (nothing: Cancel).
  ScriptedDialogs& ExpectChooseClass(std::string prompt, std::optional<std::string> answer) {
    return Expect("class choice", {std::nullopt, std::move(prompt)}, answer);
  }
  // Expects a list of notes, with this heading when one is given.
  ScriptedDialogs& ExpectNotes(std::optional<std::string> heading = std::nullopt) {
    return Expect("notes", {std::nullopt, std::move(heading)});
  }

  struct DirectoryRequest {
    std::string title;
    std::filesystem::path initial_dir;
  };

  // What was shown so far, in order.
  const std::vector<commands::MessageBox>& boxes() const { return boxes_; }
  const std::vector<commands::FileDialogRequest>& file_requests() const { return file_requests_; }
  const std::vector<DirectoryRequest>& directory_requests() const { return directory_requests_; }
  const std::vector<commands::OtherOptionsRequest>& other_options_requests() const {
    return other_options_requests_;
  }
  // The findings each list of definition findings showed.
  const std::vector<std::vector<commands::DefinitionFinding>>& findings_shown() const {
    return findings_shown_;
  }
  const std::vector<commands::ClassRegistrationRequest>& registration_requests() const {
    return registration_requests_;
  }
  const std::vector<commands::ParentSelectionRequest>& parent_requests() const {
    return parent_requests_;
  }
  const std::vector<commands::NamePromptRequest>& name_requests() const { return name_requests_; }
  const std::vector<commands::EditorRequest>& editor_requests() const { return editor_requests_; }
  // The lists the panel and link dialogs offered.
  const std::vector<std::vector<std::string>>& list_requests() const { return list_requests_; }
  // What the editor dialogs were shown with: the units offered, the default kinds.
  const std::vector<std::vector<std::string>>& editor_unit_requests() const {
    return editor_unit_requests_;
  }
  const std::vector<int>& editor_kind_defaults() const { return editor_kind_defaults_; }
  const std::vector<commands::ClassChoiceRequest>& class_requests() const {
    return class_requests_;
  }
  const std::vector<commands::NotesRequest>& notes_shown() const { return notes_shown_; }
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
  std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) override;
  std::optional<commands::OtherOptions> OtherOptionsDialog(
      const commands::OtherOptionsRequest& request) override;
  std::optional<commands::ClassRegistration> RegisterClassDialog(
      const commands::ClassRegistrationRequest& request) override;
  std::optional<commands::Audience> DocumentationAudienceDialog(
      commands::Audience preselected) override;
  bool OpenDocument(const std::filesystem::path& file) override;
  std::optional<catalog::ParentChoice> SelectParentDialog(
      const commands::ParentSelectionRequest& request) override;
  std::optional<commands::NamePromptAnswer> NamePrompt(
      const commands::NamePromptRequest& request) override;
  std::optional<model::PropertyEditorDef> PropertyEditorDialog(
      const commands::PropertyEditorRequest& request) override;
  std::optional<std::vector<std::string>> EditText(const commands::EditorRequest& request) override;
  std::optional<int> ChooseButton(const commands::ChoiceRequest& request) override;
  bool DefinitionFindingsDialog(const std::vector<commands::DefinitionFinding>& findings) override;
  std::optional<std::string> ChooseClass(const commands::ClassChoiceRequest& request) override;
  void ShowNotes(const commands::NotesRequest& request) override;

 private:
  // What a dialog shows, in the order its function lists them, the caption or title first; an
  // expectation leaves out (nullopt) what it does not check.
  using Texts = std::vector<std::optional<std::string>>;
  struct Expected {
    std::string dialog;  // "name prompt", ...; for a message box its kind, "error", ...
    Texts texts;
    std::any answer;  // the Answer to a box, the std::optional<...> of any other dialog
  };

  ScriptedDialogs& Expect(std::string dialog, Texts texts, std::any answer = {});
  // Takes the next expectation and checks that it is this dialog showing these texts; returns
  // its answer, or nothing (and a test failure) on a mismatch.
  std::any Next(std::string_view dialog, const Texts& shown);

  std::deque<Expected> expected_;
  std::vector<commands::MessageBox> boxes_;
  std::vector<std::vector<std::string>> editor_unit_requests_;
  std::vector<int> editor_kind_defaults_;
  std::vector<std::vector<std::string>> list_requests_;
  std::vector<commands::FileDialogRequest> file_requests_;
  std::vector<DirectoryRequest> directory_requests_;
  std::vector<commands::OtherOptionsRequest> other_options_requests_;
  std::vector<commands::ClassRegistrationRequest> registration_requests_;
  std::vector<std::vector<commands::DefinitionFinding>> findings_shown_;
  std::vector<commands::ParentSelectionRequest> parent_requests_;
  std::vector<commands::NamePromptRequest> name_requests_;
  std::vector<commands::EditorRequest> editor_requests_;
  std::vector<commands::ClassChoiceRequest> class_requests_;
  std::vector<commands::NotesRequest> notes_shown_;
};

}  // namespace kx::testing
