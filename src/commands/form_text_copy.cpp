// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/form_text_copy.h"

#include "catalog/form_conversion.h"

namespace kx::commands {

std::optional<TemporaryTextCopy> TemporaryTextCopy::Make(std::string_view form_bytes,
                                                         std::string& error) {
  const catalog::FormTextResult form = catalog::ConvertFormToText(form_bytes);
  if (!form.ok) {
    error = form.error;
    return std::nullopt;
  }
  std::error_code write_error;
  std::optional<platform::TemporaryFile> file =
      platform::TemporaryFile::Create("kxform", ".txt", form.text, write_error);
  if (!file) {
    error = "could not write the text copy of the form: " + write_error.message();
    return std::nullopt;
  }
  error.clear();
  return TemporaryTextCopy(std::move(*file));
}

}  // namespace kx::commands
