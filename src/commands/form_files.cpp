// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/form_files.h"

#include "catalog/form_names.h"
#include "commands/form_text_copy.h"
#include "model/text.h"
#include "platform/atomic_file.h"
#include "store/ext_ini_file.h"

namespace kx::commands {

namespace fs = std::filesystem;

namespace {

// The head of the file is enough for its first object line; a form file is never huge.
constexpr std::uintmax_t kMaxFormFileSize = 64u << 20;

}  // namespace

bool LooksLikeFormFile(const fs::path& file) {
  return model::UpperCase(file.string()).find(".DFM") != std::string::npos;
}

namespace {

// The form file's bytes; when it cannot be read the user may pick another form file, which
// then replaces it.
bool ReadFormBytes(fs::path& current, std::string& bytes, Dialogs& dialogs) {
  while (platform::ReadWholeFile(current, bytes, kMaxFormFileSize)) {
    if (dialogs.Confirm(Buttons::kYesNo, "Could not read " + current.string() +
                                             ".  Do you want to select another form file?") !=
        Answer::kYes) {
      return false;
    }
    const std::optional<fs::path> chosen =
        dialogs.OpenFile({.title = "Select form", .filter = std::string(kFormFilter)});
    if (!chosen || !LooksLikeFormFile(*chosen)) return false;
    current = *chosen;
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> ReadFormLines(const fs::path& file, Dialogs& dialogs) {
  fs::path current = file;
  std::string bytes;
  if (!ReadFormBytes(current, bytes, dialogs)) return std::nullopt;
  // The imports read the form's text copy; the conversion of a binary form reports what is
  // wrong with it and ends the import.
  std::string error;
  const std::optional<TemporaryTextCopy> copy = TemporaryTextCopy::Make(bytes, error);
  std::string text;
  if (copy) error = platform::ReadWholeFile(copy->path(), text, 4 * kMaxFormFileSize).message();
  if (!copy || text.empty()) {
    dialogs.Error(current.string() + ": " + error + ".");
    return std::nullopt;
  }
  std::vector<std::string> lines;
  store::LineReader reader(text);
  for (std::string_view line; reader.Next(line);) lines.push_back(model::Trim(line));
  return lines;
}

bool ReadFormNames(const fs::path& file, model::FormDef& form, Dialogs& dialogs) {
  fs::path current = file;
  std::string bytes;
  if (!ReadFormBytes(current, bytes, dialogs)) return false;
  const std::string unit_name = catalog::FormUnitNameOf(current);
  const std::string line = catalog::FirstObjectLine(bytes);
  if (!line.empty()) {
    form.FormName = catalog::ObjectNameOf(line);
    form.FormClassName = catalog::ClassNameOf(line);
  } else {
    dialogs.Warning(
        std::string("You did not select a form (DFM) file.  ") +
        (form.FormMode == model::FormModeKind::kWrapsForm
             ? "Substitute names will be provided " + std::string("for the form name and class.")
             : ""));
    form.FormName = unit_name;
    form.FormClassName = "T" + unit_name;
  }
  form.FormUnitName = unit_name;
  form.FormFile = current.string();
  return true;
}

}  // namespace kx::commands
