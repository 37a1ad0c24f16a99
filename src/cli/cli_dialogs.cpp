#include "cli/cli_dialogs.h"

namespace kx::cli {

using commands::Answer;
using commands::Buttons;

commands::Answer CliDialogs::Show(const commands::MessageBox& box) {
  if (box.kind == commands::BoxKind::kError) saw_error_ = true;
  out_ << commands::BoxKindName(box.kind);
  if (!box.caption.empty()) out_ << " [" << box.caption << "]";
  out_ << ": " << box.text;
  if (box.buttons == Buttons::kOk) {
    out_ << "\n";
    return Answer::kOk;
  }
  const Answer answer = AnswerFor(box);
  out_ << " -> " << commands::AnswerName(answer) << "\n";
  return answer;
}

commands::Answer CliDialogs::AnswerFor(const commands::MessageBox& box) {
  // Yes/Cancel has no No: declining it cancels.
  return (answer_ == Answer::kNo && box.buttons == Buttons::kYesCancel) ? Answer::kCancel
                                                                        : answer_;
}

std::optional<std::filesystem::path> CliDialogs::OpenFile(const commands::FileDialogRequest&) {
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

}  // namespace kx::cli
