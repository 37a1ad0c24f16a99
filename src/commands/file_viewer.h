// SPDX-License-Identifier: GPL-3.0-or-later
// What the file viewer decides without a window: how a file is read and highlighted, its
// caption, and the exports to RTF and HTML with their file dialogs and messages.
//
//   std::optional<ViewedFile> viewed = LoadViewedFile(path, dialogs);
//   if (viewed) { show viewed->text, highlighted as viewed->highlighting says }
//   ExportViewedFile(ExportFormat::kHtml, path, [&] { return styled text; }, dialogs);
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "commands/dialogs.h"
#include "generate/styled_text.h"

namespace kx::commands {

enum class ViewHighlighting { kPlain, kPascal };

// Pascal for ".PAS", ".DPR" and ".DFM" in any letter case; plain text for the rest.
ViewHighlighting HighlightingFor(const std::filesystem::path& file);

struct ViewedFile {
  std::string text;  // UTF-8
  ViewHighlighting highlighting = ViewHighlighting::kPlain;
};

// The file's text for the viewer: a form file as its text form (a binary one converted
// through a temporary copy that is gone again when this returns), any other file as it is.
// Files are read as Windows-1252 unless they are UTF-8 with characters beyond ASCII (a
// byte-order mark is dropped). Nothing after an error box saying why it cannot be shown.
std::optional<ViewedFile> LoadViewedFile(const std::filesystem::path& file, Dialogs& dialogs);

std::string ViewerCaption(const std::filesystem::path& file);

enum class ExportFormat { kRtf, kHtml };

// The save dialog of an export: its title, filter, and the viewed file's name with the
// format's extension, in the viewed file's folder.
FileDialogRequest ExportRequest(ExportFormat format, const std::filesystem::path& viewed);

// Asks where to save, then writes the styled text (made only once a name was chosen) in the
// format. False when cancelled or after the message saying it could not be written.
bool ExportViewedFile(ExportFormat format, const std::filesystem::path& viewed,
                      const std::function<generate::StyledText()>& styled, Dialogs& dialogs);

}  // namespace kx::commands
