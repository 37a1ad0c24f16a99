// SPDX-License-Identifier: GPL-3.0-or-later
// The tail the generating commands share: write the generated file, say when it could not
// be written, and show it as the code viewing setting says.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "model/code_target.h"
#include "store/settings.h"

namespace kx::commands {

// What generation does with a unit changed outside Kestrix since it last wrote it: ask the
// user (the desktop), replace it keeping the old one as .bak (kestrix-cli --overwrite), or
// refuse with a message that says how to go on (kestrix-cli).
enum class EditedUnit { kAsk, kReplace, kRefuse };

struct EditedUnitHandling {
  EditedUnit handling = EditedUnit::kAsk;
  // For kRefuse, what the refusal names: the command that takes a unit's edits back
  // ("kestrix-cli sync mybutton.cd") and the option that replaces it ("--overwrite").
  std::string sync_command;
  std::string overwrite_option;
};

// The refusal of kRefuse for the unit at path; can_sync: its edits can be taken back.
std::string EditedUnitRefusal(const std::filesystem::path& path, const EditedUnitHandling& edited,
                              bool can_sync);

// Before a unit changed outside Kestrix since it was written is replaced, where its edits
// cannot be taken into a definition (a property editor unit): true when it may be replaced.
bool MayReplaceEditedUnit(const std::filesystem::path& path, const EditedUnitHandling& edited,
                          Dialogs& dialogs, std::string_view caption);

struct FileWriting {
  // Whose source encoding the file is written in (generate::SourceBytes).
  model::CodeTarget target = model::CodeTarget::kDelphi;
  // For a unit the user may edit after it was generated: the file replaced stays as
  // GeneratedBackupPath(path), and what is written is recorded as GeneratedRecordPath(path).
  bool keep_backup = false;
};

// "mybutton.pas.bak": the unit's whole name kept, so that it never takes the place of the
// definition's own backup ("mybutton.bak") in the same folder.
std::filesystem::path GeneratedBackupPath(const std::filesystem::path& path);

// "mybutton.pas.kestrix": the bytes generation last wrote to a unit the user may edit. The
// unit compared with it tells the user's edits from the definition's changes.
std::filesystem::path GeneratedRecordPath(const std::filesystem::path& path);

// The record of the unit at path; nothing when there is none or it cannot be read.
std::optional<std::string> ReadGeneratedRecord(const std::filesystem::path& path);

// The unit at path when it exists and is not what generation last wrote there (or no record
// says what that was); nothing otherwise.
std::optional<std::string> ChangedUnitText(const std::filesystem::path& path);

// Writes text, its lines ended by CR LF, to path; false after "Could not open <path>".
bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view text, Dialogs& dialogs,
                        const FileWriting& writing = {});

struct CodeViewing {
  int codeview = store::kCodeviewAlways;  // or kCodeviewAsk, kCodeviewNever
  std::string_view what;                  // "Component code" in "Component code written to <path>."
  std::string_view caption;               // of the boxes
  bool say_when_not_shown = false;        // "... written to <path>." when the setting says never
};

// WriteGeneratedFile, then the file shown (or offered) as viewing says.
bool WriteAndOfferView(const std::filesystem::path& path, std::string_view text,
                       const CodeViewing& viewing, Dialogs& dialogs,
                       const FileWriting& writing = {});

}  // namespace kx::commands
