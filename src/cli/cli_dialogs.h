// SPDX-License-Identifier: GPL-3.0-or-later
// The Dialogs of kestrix-cli: every box goes to standard error with its exact text, prefixed
// "kestrix-cli: " (or the name of the file being read) and, for errors and warnings, their
// kind; questions take the answer given on the command line, and the dialogs a window would
// show are answered as cancelled.
//
//   kestrix-cli: warning: This component definition file is from a later version ...
//   kestrix-cli: Place blank component bitmap in ./mybutton.dcr? -> No
#pragma once

#include <ostream>
#include <string>

#include "cli/commands.h"
#include "commands/dialogs.h"

namespace kx::cli {

// A box's text for a terminal: its line breaks (CR, LF or both, the desktop's paragraph breaks)
// as new lines indented by two blanks, empty lines dropped.
std::string FlattenMessage(std::string_view text);

class CliDialogs : public commands::Dialogs {
 public:
  explicit CliDialogs(Context& context) : context_(context) {}

  // The file that the messages from now on concern (a definition being read); empty: none.
  void set_subject(std::string subject) { subject_ = std::move(subject); }
  bool saw_error() const { return saw_error_; }
  bool saw_warning() const { return saw_warning_; }

  commands::Answer Show(const commands::MessageBox& box) override;
  std::optional<std::filesystem::path> OpenFile(const commands::FileDialogRequest&) override;
  std::optional<std::filesystem::path> SaveFile(const commands::FileDialogRequest&) override;
  std::optional<std::filesystem::path> SelectDirectory(std::string_view,
                                                       const std::filesystem::path&) override;
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override;
  // Generated files are not shown: the commands print their paths.
  void ViewFile(const std::filesystem::path&) override {}
  // The CLI takes what a dialog proposes: the first container, the suggested field names,
  // the proposed data link names; a property link needs a name it cannot make up.
  std::optional<std::string> SelectPanel(const std::vector<std::string>& containers) override {
    if (containers.empty()) return std::nullopt;
    return containers.front();
  }
  std::optional<commands::FieldImportChoice> ImportFieldDialog(
      std::string_view, const commands::FieldImportChoice& proposed) override {
    return proposed;
  }
  std::optional<commands::DataLinkNames> DataLinkDialog(
      std::string_view, const commands::DataLinkNames& proposed) override {
    return proposed;
  }
  std::optional<commands::PropertyLink> LinkPropertyDialog(
      std::string_view, const std::vector<std::string>&) override {
    return std::nullopt;
  }
  // Without answers of its own, the CLI takes the first unit and every default kind.
  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>& units) override {
    if (units.empty()) return std::nullopt;
    return units.front();
  }
  std::optional<int> ChooseEditorKind(std::string_view, int default_kind) override {
    return default_kind;
  }
  std::optional<commands::OtherOptions> OtherOptionsDialog(
      const commands::OtherOptionsRequest&) override;
  std::optional<commands::ClassRegistration> RegisterClassDialog(
      const commands::ClassRegistrationRequest&) override;
  // The docs command preselects the audience of --audience; it is taken as shown.
  std::optional<commands::Audience> DocumentationAudienceDialog(
      commands::Audience preselected) override {
    return preselected;
  }
  // The page is not opened: the command prints its path.
  bool OpenDocument(const std::filesystem::path&) override { return true; }
  // Only the new command chooses a parent (from --parent); elsewhere the dialog is cancelled.
  std::optional<catalog::ParentChoice> SelectParentDialog(
      const commands::ParentSelectionRequest&) override {
    return std::nullopt;
  }

 protected:
  // The answer to a question box; the command line's --yes or --no unless a command knows
  // better.
  virtual commands::Answer AnswerFor(const commands::MessageBox& box);
  // answer given by default, remembered with the flags that would answer otherwise in case it
  // ends the command.
  commands::Answer Defaulted(const commands::MessageBox& box, commands::Answer answer,
                             std::string hint);
  Context& context() { return context_; }

 private:
  Context& context_;
  std::string subject_;
  bool saw_error_ = false;
  bool saw_warning_ = false;
};

}  // namespace kx::cli
