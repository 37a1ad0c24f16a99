// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace kx::testing {

using commands::Answer;
namespace fs = std::filesystem;

namespace {

// For failure messages: the dialog, its caption in brackets, then its other texts.
std::string Describe(std::string_view dialog,
                     const std::vector<std::optional<std::string>>& texts) {
  std::string description(dialog);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i == 0) {
      description += " [" + texts[0].value_or("") + "]";
    } else if (texts[i]) {
      description += " \"" + *texts[i] + "\"";
    }
  }
  return description;
}

// The answer the test queued; fallback when another dialog was expected.
template <typename T>
T As(const std::any& answer, T fallback = {}) {
  return answer.has_value() ? std::any_cast<T>(answer) : fallback;
}

std::string Text(std::string_view text) { return std::string(text); }

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  for (const Expected& e : expected_) {
    ADD_FAILURE() << "expected dialog never shown: " << Describe(e.dialog, e.texts);
  }
}

ScriptedDialogs& ScriptedDialogs::Expect(std::string dialog, Texts texts, std::any answer) {
  expected_.push_back({std::move(dialog), std::move(texts), std::move(answer)});
  return *this;
}

std::any ScriptedDialogs::Next(std::string_view dialog, const Texts& shown) {
  const std::string description = Describe(dialog, shown);
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << description;
    return {};
  }
  Expected e = std::move(expected_.front());
  expected_.pop_front();
  if (e.dialog != dialog) {
    ADD_FAILURE() << "unexpected dialog: " << description << " (expected "
                  << Describe(e.dialog, e.texts) << ")";
    return {};
  }
  for (std::size_t i = 0; i < e.texts.size(); ++i) {
    if (e.texts[i]) {
      EXPECT_EQ(shown.at(i), *e.texts[i]) << description;
    }
  }
  return e.answer;
}

Answer ScriptedDialogs::Show(const commands::MessageBox& box) {
  boxes_.push_back(box);
  return As(Next(BoxKindName(box.kind), {box.caption, box.text, Text(ButtonsName(box.buttons))}),
            Answer::kCancel);
}

std::optional<fs::path> ScriptedDialogs::OpenFile(const commands::FileDialogRequest& request) {
  file_requests_.push_back(request);
  return As<std::optional<fs::path>>(Next("open file dialog", {request.title}));
}

std::optional<fs::path> ScriptedDialogs::SaveFile(const commands::FileDialogRequest& request) {
  file_requests_.push_back(request);
  return As<std::optional<fs::path>>(Next("save file dialog", {request.title}));
}

std::optional<fs::path> ScriptedDialogs::SelectDirectory(std::string_view title,
                                                         const fs::path& initial_dir) {
  directory_requests_.push_back({Text(title), initial_dir});
  return As<std::optional<fs::path>>(Next("directory dialog", {Text(title)}));
}

std::optional<std::string> ScriptedDialogs::InputBox(std::string_view caption,
                                                     std::string_view prompt, std::string_view) {
  return As<std::optional<std::string>>(Next("input box", {Text(caption), Text(prompt)}));
}

void ScriptedDialogs::ViewFile(const fs::path& file) { Next("file viewer", {file.string()}); }

std::optional<std::string> ScriptedDialogs::ChooseEditorUnit(
    const std::vector<std::string>& units) {
  editor_unit_requests_.push_back(units);
  return As<std::optional<std::string>>(Next("editor unit choice", {}));
}

std::optional<std::string> ScriptedDialogs::SelectPanel(
    const std::vector<std::string>& containers) {
  list_requests_.push_back(containers);
  return As<std::optional<std::string>>(Next("container choice", {}));
}

std::optional<commands::FieldImportChoice> ScriptedDialogs::ImportFieldDialog(
    std::string_view field, const commands::FieldImportChoice& proposed) {
  return As<std::optional<commands::FieldImportChoice>>(
      Next("field dialog", {Text(field), proposed.name, proposed.label}));
}

std::optional<commands::DataLinkNames> ScriptedDialogs::DataLinkDialog(
    std::string_view caption, const commands::DataLinkNames& p) {
  return As<std::optional<commands::DataLinkNames>>(Next(
      "data link dialog", {Text(caption), p.data_source, p.data_field, p.link, p.data_change}));
}

std::optional<commands::PropertyLink> ScriptedDialogs::LinkPropertyDialog(
    std::string_view explanation, const std::vector<std::string>& sub_components) {
  list_requests_.push_back(sub_components);
  return As<std::optional<commands::PropertyLink>>(Next("link dialog", {Text(explanation)}));
}

std::optional<int> ScriptedDialogs::ChooseEditorKind(std::string_view editor_class,
                                                     int default_kind) {
  editor_kind_defaults_.push_back(default_kind);
  return As<std::optional<int>>(Next("editor type choice", {Text(editor_class)}));
}

std::optional<commands::OtherOptions> ScriptedDialogs::OtherOptionsDialog(
    const commands::OtherOptionsRequest& request) {
  other_options_requests_.push_back(request);
  return As<std::optional<commands::OtherOptions>>(Next("other options dialog", {}));
}

std::optional<commands::ClassRegistration> ScriptedDialogs::RegisterClassDialog(
    const commands::ClassRegistrationRequest& request) {
  registration_requests_.push_back(request);
  return As<std::optional<commands::ClassRegistration>>(
      Next("registration dialog", {request.class_name}));
}

std::optional<commands::Audience> ScriptedDialogs::DocumentationAudienceDialog(
    commands::Audience preselected) {
  return As<std::optional<commands::Audience>>(
      Next("audience dialog, checked", {std::to_string(static_cast<int>(preselected))}));
}

bool ScriptedDialogs::OpenDocument(const fs::path& file) {
  return As<bool>(Next("opening", {file.string()}));
}

std::optional<catalog::ParentChoice> ScriptedDialogs::SelectParentDialog(
    const commands::ParentSelectionRequest& request) {
  parent_requests_.push_back(request);
  return As<std::optional<catalog::ParentChoice>>(Next("parent selection dialog", {}));
}

std::optional<commands::NamePromptAnswer> ScriptedDialogs::NamePrompt(
    const commands::NamePromptRequest& request) {
  name_requests_.push_back(request);
  return As<std::optional<commands::NamePromptAnswer>>(Next("name prompt", {request.caption}));
}

std::optional<model::PropertyEditorDef> ScriptedDialogs::PropertyEditorDialog(
    const commands::PropertyEditorRequest& request) {
  return As<std::optional<model::PropertyEditorDef>>(
      Next("property editor options", {request.entry}));
}

std::optional<std::vector<std::string>> ScriptedDialogs::EditText(
    const commands::EditorRequest& request) {
  editor_requests_.push_back(request);
  return As<std::optional<std::vector<std::string>>>(Next("editor", {request.caption}));
}

std::optional<int> ScriptedDialogs::ChooseButton(const commands::ChoiceRequest& request) {
  return As<std::optional<int>>(Next("choice", {request.caption}));
}

bool ScriptedDialogs::DefinitionFindingsDialog(
    const std::vector<commands::DefinitionFinding>& findings) {
  findings_shown_.push_back(findings);
  return As<bool>(Next("definition findings", {}));
}

std::optional<std::string> ScriptedDialogs::ChooseClass(
    const commands::ClassChoiceRequest& request) {
  class_requests_.push_back(request);
  return As<std::optional<std::string>>(Next("class choice", {request.caption, request.prompt}));
}

void ScriptedDialogs::ShowNotes(const commands::NotesRequest& request) {
  notes_shown_.push_back(request);
  Next("notes", {request.caption, request.heading});
}

}  // namespace kx::testing
