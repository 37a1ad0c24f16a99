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

bool ReadFormNames(const fs::path& file, model::FormDef& form, Dialogs& dialogs) {
  fs::path current = file;
  std::string bytes;
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
