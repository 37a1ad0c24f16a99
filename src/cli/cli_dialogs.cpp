// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_dialogs.h"

#include "commands/definition_checks.h"

namespace kx::cli {

using commands::Answer;
using commands::BoxKind;
using commands::Buttons;

std::string FlattenMessage(std::string_view text) {
  std::string result;
  bool line_break = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      while (!result.empty() && result.back() == ' ') result.pop_back();
      line_break = !result.empty();
      continue;
    }
    if (line_break) result += "\n  ";
    line_break = false;
    result += c;
  }
  return result;
}

Answer CliDialogs::Show(const commands::MessageBox& box) {
  context_.declined.reset();
  std::ostream& err = context_.err;
  const std::string text = FlattenMessage(context_.MessageText(box.text));
  const std::string prefix = subject_.empty() ? "kestrix-cli: " : subject_ + ": ";
  switch (box.kind) {
    case BoxKind::kError:
      saw_error_ = true;
      err << prefix << "error: " << text << "\n";
      break;
    case BoxKind::kWarning:
      saw_warning_ = true;
      err << prefix << "warning: " << text << "\n";
      break;
    case BoxKind::kInformation:
    case BoxKind::kConfirmation:
      if (box.buttons == Buttons::kOk && !context_.quiet) err << prefix << text << "\n";
      break;
  }
  if (box.buttons == Buttons::kOk) return Answer::kOk;
  const Answer answer = AnswerFor(box);
  if (!context_.quiet) err << prefix << text << " -> " << commands::AnswerName(answer) << "\n";
  return answer;
}

Answer CliDialogs::AnswerFor(const commands::MessageBox& box) {
  // Yes/Cancel has no No: declining it cancels.
  const auto decline = [&box] {
    return box.buttons == Buttons::kYesCancel ? Answer::kCancel : Answer::kNo;
  };
  if (context_.answer == Answer::kYes) return Answer::kYes;
  if (context_.answer) return decline();
  return Defaulted(box, decline(), "--yes answers Yes");
}

Answer CliDialogs::Defaulted(const commands::MessageBox& box, Answer answer, std::string hint) {
  context_.declined = Context::Declined{box.text, answer, std::move(hint)};
  return answer;
}

std::optional<std::filesystem::path> CliDialogs::OpenFile(
    const commands::FileDialogRequest& request) {
  // Without a window nobody can pick the file; a command that stops here must say why, or it
  // fails with no message at all.
  Error(request.title + ": no file can be chosen here" +
        (request.title.starts_with("Select form for editor ")
             ? "; `editors FILE.cd --form EDITORCLASS=FORM.dfm` writes that editor's unit"
             : ""));
  return std::nullopt;
}

std::optional<std::filesystem::path> CliDialogs::SaveFile(const commands::FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::filesystem::path> CliDialogs::SelectDirectory(std::string_view,
                                                                 const std::filesystem::path&) {
  return std::nullopt;
}

std::optional<std::string> CliDialogs::InputBox(std::string_view, std::string_view,
                                                std::string_view) {
  return std::nullopt;
}

std::optional<commands::OtherOptions> CliDialogs::OtherOptionsDialog(
    const commands::OtherOptionsRequest&) {
  return std::nullopt;
}

std::optional<commands::ClassRegistration> CliDialogs::RegisterClassDialog(
    const commands::ClassRegistrationRequest&) {
  return std::nullopt;
}

bool CliDialogs::DefinitionFindingsDialog(
    const std::vector<commands::DefinitionFinding>& findings) {
  for (const commands::DefinitionFinding& finding : findings) {
    Warning(commands::FindingText(finding));
  }
  return Confirm(Buttons::kYesNo, "Generate anyway?") == Answer::kYes;
}

}  // namespace kx::cli
