// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/generated_file.h"

#include <string>

#include "generate/printer.h"
#include "generate/target.h"
#include "platform/atomic_file.h"

namespace kx::commands {

std::filesystem::path GeneratedBackupPath(const std::filesystem::path& path) {
  std::filesystem::path backup = path;
  return backup += ".bak";
}

bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view text, Dialogs& dialogs,
                        const FileWriting& writing) {
  const std::string bytes = generate::SourceBytes(generate::WithCrlf(text), writing.target);
  const platform::FileWriter writer;
  if (writing.keep_backup ? writer.WriteKeepingBackup(path, bytes, GeneratedBackupPath(path))
                          : writer.Write(path, bytes)) {
    dialogs.Information("Could not open " + path.string());
    return false;
  }
  return true;
}

bool WriteAndOfferView(const std::filesystem::path& path, std::string_view text,
                       const CodeViewing& viewing, Dialogs& dialogs, const FileWriting& writing) {
  if (!WriteGeneratedFile(path, text, dialogs, writing)) return false;
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
