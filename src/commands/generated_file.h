// SPDX-License-Identifier: GPL-3.0-or-later
// The tail the generating commands share: write the generated file, say when it could not
// be written, and show it as the code viewing setting says.
#pragma once

#include <filesystem>
#include <string_view>

#include "commands/dialogs.h"
#include "model/code_target.h"
#include "store/settings.h"

namespace kx::commands {

struct FileWriting {
  // Whose source encoding the file is written in (generate::SourceBytes).
  model::CodeTarget target = model::CodeTarget::kDelphi;
  // For a unit the user may have edited since it was generated: the file replaced stays as
  // GeneratedBackupPath(path).
  bool keep_backup = false;
};

// "mybutton.pas.bak": the unit's whole name kept, so that it never takes the place of the
// definition's own backup ("mybutton.bak") in the same folder.
std::filesystem::path GeneratedBackupPath(const std::filesystem::path& path);

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
