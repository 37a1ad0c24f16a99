// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/generated_file.h"

#include <string>

#include "generate/printer.h"
#include "generate/target.h"
#include "pascal/source.h"
#include "platform/atomic_file.h"

namespace kx::commands {

std::filesystem::path GeneratedBackupPath(const std::filesystem::path& path) {
  std::filesystem::path backup = path;
  return backup += ".bak";
}

std::filesystem::path GeneratedRecordPath(const std::filesystem::path& path) {
  std::filesystem::path record = path;
  return record += ".kestrix";
}

std::optional<std::string> ReadGeneratedRecord(const std::filesystem::path& path) {
  std::string bytes;
  if (platform::ReadWholeFile(GeneratedRecordPath(path), bytes, pascal::kMaxSourceSize))
    return std::nullopt;
  return bytes;
}

std::optional<std::string> ChangedUnitText(const std::filesystem::path& path) {
  std::string bytes;
  if (platform::ReadWholeFile(path, bytes, pascal::kMaxSourceSize)) return std::nullopt;
  if (ReadGeneratedRecord(path) == bytes) return std::nullopt;
  return bytes;
}

std::string EditedUnitRefusal(const std::filesystem::path& path, const EditedUnitHandling& edited,
                              bool can_sync) {
  const std::string kept =
      " (the unit as it is now is kept as " + GeneratedBackupPath(path).filename().string() + ").";
  if (!can_sync) {
    return path.string() + " was changed outside Kestrix. Replace it with " +
           edited.overwrite_option + kept;
  }
  return path.string() +
         " was changed outside Kestrix and holds edits the definition lacks. Take them into "
         "the definition with \"" +
         edited.sync_command + " " + path.string() + "\" first, or replace it with " +
         edited.overwrite_option + kept;
}

bool MayReplaceEditedUnit(const std::filesystem::path& path, const EditedUnitHandling& edited,
                          Dialogs& dialogs, std::string_view caption) {
  // Without a record nothing tells an edit from an older generation's text.
  if (!ReadGeneratedRecord(path) || !ChangedUnitText(path)) return true;
  switch (edited.handling) {
    case EditedUnit::kReplace:
      return true;
    case EditedUnit::kRefuse:
      dialogs.Error(EditedUnitRefusal(path, edited, /*can_sync=*/false), caption);
      return false;
    case EditedUnit::kAsk:
      break;
  }
  return dialogs.Confirm(Buttons::kYesCancel,
                         path.string() +
                             " was changed outside Kestrix. Replace it? The unit as "
                             "it is now is kept as " +
                             GeneratedBackupPath(path).filename().string() + ".",
                         caption) == Answer::kYes;
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
  if (writing.keep_backup) {
    const std::filesystem::path record = GeneratedRecordPath(path);
    if (writer.Write(record, bytes)) {
      dialogs.Warning("Could not write " + record.string() +
                      ". The next generation cannot tell edits made to the unit from changes "
                      "made to the definition, and asks before it replaces the unit.");
    }
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
