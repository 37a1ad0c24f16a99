#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace kx::testing {

using commands::Answer;
using commands::BoxKindName;

namespace {

std::string Describe(const commands::MessageBox& box) {
  return std::string(BoxKindName(box.kind)) + " [" + box.caption + "] \"" + box.text + "\"";
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  for (const Expected& e : expected_) {
    ADD_FAILURE() << "expected dialog never shown: "
                  << (e.what == What::kBox ? Describe(e.box)
                                           : std::string("a file or input dialog"));
  }
}

ScriptedDialogs& ScriptedDialogs::ExpectBox(commands::BoxKind kind, std::string text, Answer answer,
                                            std::optional<std::string> caption,
                                            std::optional<commands::Buttons> buttons) {
  Expected e{
      What::kBox,
      {kind, caption.value_or(""), std::move(text), buttons.value_or(commands::Buttons::kOk), 0},
      caption.has_value(),
      buttons.has_value(),
      answer,
      std::nullopt,
      std::nullopt};
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOpenFile(std::optional<std::filesystem::path> answer) {
  expected_.push_back({What::kOpenFile, {}, false, false, Answer::kOk, std::move(answer), {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectSaveFile(std::optional<std::filesystem::path> answer) {
  expected_.push_back({What::kSaveFile, {}, false, false, Answer::kOk, std::move(answer), {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectSelectDirectory(
    std::optional<std::filesystem::path> answer) {
  expected_.push_back(
      {What::kSelectDirectory, {}, false, false, Answer::kOk, std::move(answer), {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectInputBox(std::optional<std::string> answer) {
  expected_.push_back({What::kInputBox, {}, false, false, Answer::kOk, {}, std::move(answer)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectChooseEditorUnit(std::optional<std::string> answer) {
  Expected e{What::kChooseEditorUnit};
  e.text = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectSelectPanel(std::optional<std::string> answer) {
  Expected e{What::kSelectPanel};
  e.text = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectImportField(
    std::string field, std::string proposed_name,
    std::optional<commands::FieldImportChoice> answer) {
  Expected e{What::kImportField};
  e.box.text = std::move(field);
  e.box.caption = std::move(proposed_name);
  e.field = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectDataLink(std::string caption,
                                                 commands::DataLinkNames proposed,
                                                 std::optional<commands::DataLinkNames> answer) {
  Expected e{What::kDataLink};
  e.box.caption = std::move(caption);
  e.proposed_link_names = std::move(proposed);
  e.link_names = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectLinkProperty(std::string explanation,
                                                     std::optional<commands::PropertyLink> answer) {
  Expected e{What::kLinkProperty};
  e.box.text = std::move(explanation);
  e.property_link = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectChooseEditorKind(std::string editor_class,
                                                         std::optional<int> answer) {
  Expected e{What::kChooseEditorKind};
  e.box.text = std::move(editor_class);
  e.kind = answer;
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectViewFile(std::filesystem::path file) {
  Expected e{What::kViewFile};
  e.path = std::move(file);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOtherOptions(std::optional<commands::OtherOptions> answer) {
  Expected e{What::kOtherOptions};
  e.other_options = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectRegisterClass(
    std::optional<commands::ClassRegistration> answer) {
  Expected e{What::kRegisterClass};
  e.registration = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectDocumentationAudience(
    commands::Audience preselected, std::optional<commands::Audience> answer) {
  Expected e{What::kDocumentationAudience};
  e.preselected = preselected;
  e.audience = answer;
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOpenDocument(std::filesystem::path file) {
  Expected e{What::kOpenDocument};
  e.path = std::move(file);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectSelectParent(std::optional<catalog::ParentChoice> answer) {
  Expected e{What::kSelectParent};
  e.parent_choice = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectNamePrompt(
    std::string caption, std::optional<commands::NamePromptAnswer> answer) {
  Expected e{What::kNamePrompt};
  e.box.caption = std::move(caption);
  e.name_answer = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectPropertyEditor(
    std::optional<model::PropertyEditorDef> answer) {
  Expected e{What::kPropertyEditor};
  e.editor = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

std::optional<commands::NamePromptAnswer> ScriptedDialogs::NamePrompt(
    const commands::NamePromptRequest& request) {
  name_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kNamePrompt, "name prompt [" + request.caption + "]");
  if (!e) return std::nullopt;
  EXPECT_EQ(request.caption, e->box.caption);
  return e->name_answer;
}

std::optional<model::PropertyEditorDef> ScriptedDialogs::PropertyEditorDialog(
    const commands::PropertyEditorRequest& request) {
  std::optional<Expected> e =
      Next(What::kPropertyEditor, "property editor options for " + request.entry);
  return e ? e->editor : std::nullopt;
}

ScriptedDialogs& ScriptedDialogs::ExpectEditText(std::string caption,
                                                 std::optional<std::vector<std::string>> answer) {
  Expected e{What::kEditText};
  e.box.caption = std::move(caption);
  e.block = std::move(answer);
  expected_.push_back(std::move(e));
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectChooseButton(std::string caption,
                                                     std::optional<int> answer) {
  Expected e{What::kChooseButton};
  e.box.caption = std::move(caption);
  e.kind = answer;
  expected_.push_back(std::move(e));
  return *this;
}

std::optional<std::vector<std::string>> ScriptedDialogs::EditText(
    const commands::EditorRequest& request) {
  editor_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kEditText, "editor [" + request.caption + "]");
  if (!e) return std::nullopt;
  EXPECT_EQ(request.caption, e->box.caption);
  return e->block;
}

std::optional<int> ScriptedDialogs::ChooseButton(const commands::ChoiceRequest& request) {
  choice_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kChooseButton, "choice [" + request.caption + "]");
  if (!e) return std::nullopt;
  EXPECT_EQ(request.caption, e->box.caption);
  return e->kind;
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::Next(What what,
                                                               std::string_view description) {
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << description;
    return std::nullopt;
  }
  Expected e = std::move(expected_.front());
  expected_.pop_front();
  if (e.what != what) {
    ADD_FAILURE() << "unexpected dialog: " << description << " (expected "
                  << (e.what == What::kBox ? Describe(e.box) : "another dialog") << ")";
    return std::nullopt;
  }
  return e;
}

Answer ScriptedDialogs::Show(const commands::MessageBox& box) {
  boxes_.push_back(box);
  std::optional<Expected> e = Next(What::kBox, Describe(box));
  if (!e) return Answer::kCancel;
  EXPECT_EQ(BoxKindName(box.kind), BoxKindName(e->box.kind)) << Describe(box);
  EXPECT_EQ(box.text, e->box.text);
  if (e->check_caption) {
    EXPECT_EQ(box.caption, e->box.caption) << Describe(box);
  }
  if (e->check_buttons) {
    EXPECT_EQ(commands::ButtonsName(box.buttons), commands::ButtonsName(e->box.buttons))
        << Describe(box);
  }
  return e->answer;
}

std::optional<std::filesystem::path> ScriptedDialogs::OpenFile(
    const commands::FileDialogRequest& request) {
  file_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kOpenFile, "open file dialog \"" + request.title + "\"");
  return e ? e->path : std::nullopt;
}

std::optional<std::filesystem::path> ScriptedDialogs::SaveFile(
    const commands::FileDialogRequest& request) {
  file_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kSaveFile, "save file dialog \"" + request.title + "\"");
  return e ? e->path : std::nullopt;
}

std::optional<std::filesystem::path> ScriptedDialogs::SelectDirectory(
    std::string_view title, const std::filesystem::path& initial_dir) {
  directory_requests_.push_back({std::string(title), initial_dir});
  std::optional<Expected> e =
      Next(What::kSelectDirectory, "directory dialog \"" + std::string(title) + "\"");
  return e ? e->path : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::InputBox(std::string_view caption,
                                                     std::string_view prompt, std::string_view) {
  std::optional<Expected> e = Next(
      What::kInputBox, "input box [" + std::string(caption) + "] \"" + std::string(prompt) + "\"");
  return e ? e->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::ChooseEditorUnit(
    const std::vector<std::string>& units) {
  editor_unit_requests_.push_back(units);
  std::optional<Expected> e = Next(What::kChooseEditorUnit, "editor unit choice");
  return e ? e->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::SelectPanel(
    const std::vector<std::string>& containers) {
  list_requests_.push_back(containers);
  std::optional<Expected> e = Next(What::kSelectPanel, "container choice");
  return e ? e->text : std::nullopt;
}

std::optional<commands::FieldImportChoice> ScriptedDialogs::ImportFieldDialog(
    std::string_view field, const commands::FieldImportChoice& proposed) {
  std::optional<Expected> e = Next(What::kImportField, "field dialog for " + std::string(field));
  if (!e) return std::nullopt;
  EXPECT_EQ(field, e->box.text);
  EXPECT_EQ(proposed.name, e->box.caption) << field;
  EXPECT_EQ(proposed.label, e->box.caption) << field;
  return e->field;
}

std::optional<commands::DataLinkNames> ScriptedDialogs::DataLinkDialog(
    std::string_view caption, const commands::DataLinkNames& proposed) {
  std::optional<Expected> e = Next(What::kDataLink, "data link dialog " + std::string(caption));
  if (!e) return std::nullopt;
  EXPECT_EQ(caption, e->box.caption);
  EXPECT_EQ(proposed.data_source, e->proposed_link_names.data_source);
  EXPECT_EQ(proposed.data_field, e->proposed_link_names.data_field);
  EXPECT_EQ(proposed.link, e->proposed_link_names.link);
  EXPECT_EQ(proposed.data_change, e->proposed_link_names.data_change);
  return e->link_names;
}

std::optional<commands::PropertyLink> ScriptedDialogs::LinkPropertyDialog(
    std::string_view explanation, const std::vector<std::string>& sub_components) {
  list_requests_.push_back(sub_components);
  std::optional<Expected> e = Next(What::kLinkProperty, "link dialog " + std::string(explanation));
  if (!e) return std::nullopt;
  EXPECT_EQ(explanation, e->box.text);
  return e->property_link;
}

std::optional<int> ScriptedDialogs::ChooseEditorKind(std::string_view editor_class,
                                                     int default_kind) {
  editor_kind_defaults_.push_back(default_kind);
  std::optional<Expected> e =
      Next(What::kChooseEditorKind, "editor type for " + std::string(editor_class));
  if (!e) return std::nullopt;
  EXPECT_EQ(editor_class, e->box.text);
  return e->kind;
}

void ScriptedDialogs::ViewFile(const std::filesystem::path& file) {
  std::optional<Expected> e = Next(What::kViewFile, "file viewer on " + file.string());
  if (e) {
    EXPECT_EQ(file, e->path);
  }
}

std::optional<commands::OtherOptions> ScriptedDialogs::OtherOptionsDialog(
    const commands::OtherOptionsRequest& request) {
  other_options_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kOtherOptions, "other options dialog");
  return e ? e->other_options : std::nullopt;
}

std::optional<commands::ClassRegistration> ScriptedDialogs::RegisterClassDialog(
    const commands::ClassRegistrationRequest& request) {
  registration_requests_.push_back(request);
  std::optional<Expected> e =
      Next(What::kRegisterClass, "registration dialog for " + request.class_name);
  return e ? e->registration : std::nullopt;
}

std::optional<commands::Audience> ScriptedDialogs::DocumentationAudienceDialog(
    commands::Audience preselected) {
  std::optional<Expected> e = Next(What::kDocumentationAudience, "documentation audience dialog");
  if (!e) return std::nullopt;
  EXPECT_EQ(static_cast<int>(preselected), static_cast<int>(e->preselected))
      << "the audience checked when the dialog opens";
  return e->audience;
}

void ScriptedDialogs::OpenDocument(const std::filesystem::path& file) {
  std::optional<Expected> e = Next(What::kOpenDocument, "opening " + file.string());
  if (e) {
    EXPECT_EQ(file, e->path);
  }
}

std::optional<catalog::ParentChoice> ScriptedDialogs::SelectParentDialog(
    const commands::ParentSelectionRequest& request) {
  parent_requests_.push_back(request);
  std::optional<Expected> e = Next(What::kSelectParent, "parent selection dialog");
  return e ? e->parent_choice : std::nullopt;
}

}  // namespace kx::testing
