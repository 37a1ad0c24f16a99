// The tail the generating commands share: write the generated file, say when it could not
// be written, and show it as the code viewing setting says.
#pragma once

#include <filesystem>
#include <string_view>

#include "commands/dialogs.h"
#include "store/settings.h"

namespace kx::commands {

// Writes text, its lines ended by CR LF, to path; false after "Could not open <path>".
bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view text, Dialogs& dialogs);

struct CodeViewing {
  int codeview = store::kCodeviewAlways;  // or kCodeviewAsk, kCodeviewNever
  std::string_view what;                  // "Component code" in "Component code written to <path>."
  std::string_view caption;               // of the boxes
  bool say_when_not_shown = false;        // "... written to <path>." when the setting says never
};

// WriteGeneratedFile, then the file shown (or offered) as viewing says.
bool WriteAndOfferView(const std::filesystem::path& path, std::string_view text,
                       const CodeViewing& viewing, Dialogs& dialogs);

}  // namespace kx::commands
