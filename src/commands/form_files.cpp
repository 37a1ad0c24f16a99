#include "commands/form_files.h"

#include "catalog/form_names.h"
#include "model/text.h"
#include "platform/atomic_file.h"

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
  if (catalog::FirstObjectLine(bytes).empty()) {
    dialogs.Error(current.string() + " is not a form file.");
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(model::Trim(std::string_view(bytes).substr(start, end - start)));
    start = end + ((end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
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
    dialogs.Warning(std::string("You did not select a form (DFM) file.  ") +
                    (form.FormMode == 1 ? "Substitute names will be provided " +
                                              std::string("for the form name and class.")
                                        : ""));
    form.FormName = unit_name;
    form.FormClassName = "T" + unit_name;
  }
  form.FormUnitName = unit_name;
  form.FormFile = current.string();
  return true;
}

}  // namespace kx::commands
