#include "commands/generated_file.h"

#include <string>

#include "generate/text_template.h"
#include "platform/atomic_file.h"

namespace kx::commands {

bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view text,
                        Dialogs& dialogs) {
  if (platform::WriteFileAtomically(path, generate::WithCrlf(text))) {
    dialogs.Information("Could not open " + path.string());
    return false;
  }
  return true;
}

bool WriteAndOfferView(const std::filesystem::path& path, std::string_view text,
                       const CodeViewing& viewing, Dialogs& dialogs) {
  if (!WriteGeneratedFile(path, text, dialogs)) return false;
  const std::string written = std::string(viewing.what) + " written to " + path.string() + ".";
  if (viewing.codeview == store::kCodeviewAsk) {
    if (dialogs.Confirm(Buttons::kYesNo, written + "\r\rDo you want to view it now?",
                        viewing.caption) == Answer::kYes) {
      dialogs.ViewFile(path);
    }
  } else if (viewing.codeview == store::kCodeviewAlways) {
    dialogs.ViewFile(path);
  } else if (viewing.say_when_not_shown) {
    dialogs.Information(written, viewing.caption);
  }
  return true;
}

}  // namespace kx::commands
