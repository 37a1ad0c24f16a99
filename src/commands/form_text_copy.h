// SPDX-License-Identifier: GPL-3.0-or-later
// The text copy of a form file that the imports read: the form converted to the text Delphi
// writes for it (a text form as it is), in a new, uniquely named file of the temporary
// folder that is deleted when the copy goes out of scope.
//
//   std::string error;
//   std::optional<TemporaryTextCopy> copy = TemporaryTextCopy::Make(form_bytes, error);
//   if (!copy) dialogs.Error(file + ": " + error);
//   else { std::ifstream lines(copy->path()); ... }  // deleted at the end of the scope
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/temporary_file.h"

namespace kx::commands {

class TemporaryTextCopy {
 public:
  // Nothing when the bytes hold no form ("not a form file", "truncated at offset 812", ...)
  // or the copy could not be written; error says which.
  static std::optional<TemporaryTextCopy> Make(std::string_view form_bytes, std::string& error);

  const std::filesystem::path& path() const { return file_.path(); }

 private:
  explicit TemporaryTextCopy(platform::TemporaryFile file) : file_(std::move(file)) {}

  platform::TemporaryFile file_;
};

}  // namespace kx::commands
