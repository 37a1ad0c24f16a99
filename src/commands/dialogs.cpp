// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/dialogs.h"

namespace kx::commands {

std::string InternalFaultMessage(std::string_view what) {
  return "Kestrix met a fault of its own (" + std::string(what) +
         ").  Nothing you did caused it; save your work under a new name and report the fault.";
}

FileDialogRequest PrintToPdfRequest(std::string title, const std::filesystem::path& folder,
                                    const std::filesystem::path& printed) {
  std::filesystem::path name = printed.filename();
  name.replace_extension(".pdf");
  return {.title = std::move(title),
          .filter = "PDF files (*.pdf)|*.pdf|All files (*.*)|*.*",
          .default_ext = "pdf",
          .initial_dir = folder,
          .file_name = name.string(),
          .overwrite_prompt = true};
}

std::string_view BoxKindName(BoxKind kind) {
  switch (kind) {
    case BoxKind::kInformation:
      return "information";
    case BoxKind::kWarning:
      return "warning";
    case BoxKind::kError:
      return "error";
    case BoxKind::kConfirmation:
      return "confirmation";
  }
  return {};
}

std::string_view ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return "OK";
    case Buttons::kYesNo:
      return "Yes/No";
    case Buttons::kYesCancel:
      return "Yes/Cancel";
    case Buttons::kYesNoCancel:
      return "Yes/No/Cancel";
    case Buttons::kYesNoHelp:
      return "Yes/No/Help";
  }
  return {};
}

std::string_view AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return "OK";
    case Answer::kYes:
      return "Yes";
    case Answer::kNo:
      return "No";
    case Answer::kCancel:
      return "Cancel";
  }
  return {};
}

void Dialogs::Information(std::string_view text, std::string_view caption) {
  Show({BoxKind::kInformation, std::string(caption), std::string(text), Buttons::kOk, 0});
}

void Dialogs::Warning(std::string_view text, std::string_view caption) {
  Show({BoxKind::kWarning, std::string(caption), std::string(text), Buttons::kOk, 0});
}

void Dialogs::Error(std::string_view text, std::string_view caption) {
  Show({BoxKind::kError, std::string(caption), std::string(text), Buttons::kOk, 0});
}

Answer Dialogs::Confirm(Buttons buttons, std::string_view text, std::string_view caption,
                        int help_context) {
  return Show(
      {BoxKind::kConfirmation, std::string(caption), std::string(text), buttons, help_context});
}

std::optional<NamePromptAnswer> Dialogs::NamePrompt(const NamePromptRequest& request) {
  std::optional<std::string> name = InputBox(request.caption, request.label, request.name);
  if (!name) return std::nullopt;
  NamePromptAnswer answer{*name, request.type, request.method_kind};
  if (request.extra == NamePromptExtra::kPropertyType ||
      request.extra == NamePromptExtra::kVariableType) {
    std::optional<std::string> type = InputBox(request.caption, "Data type:", request.type);
    if (!type) return std::nullopt;
    answer.type = *type;
  }
  return answer;
}

std::optional<model::PropertyEditorDef> Dialogs::PropertyEditorDialog(
    const PropertyEditorRequest& /*request*/) {
  return std::nullopt;
}

std::optional<std::vector<std::string>> Dialogs::EditText(const EditorRequest& /*request*/) {
  return std::nullopt;
}

std::optional<int> Dialogs::ChooseButton(const ChoiceRequest& /*request*/) { return std::nullopt; }

std::optional<std::string> Dialogs::ChooseClass(const ClassChoiceRequest&) { return std::nullopt; }

void Dialogs::ShowNotes(const NotesRequest& request) {
  std::string text = request.heading;
  for (const std::string& line : request.lines) text += "\r" + line;
  Information(text, request.caption);
}

}  // namespace kx::commands
