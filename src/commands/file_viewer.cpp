// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_viewer.h"

#include <algorithm>
#include <cctype>

#include "commands/form_text_copy.h"
#include "commands/generated_file.h"
#include "platform/atomic_file.h"
#include "platform/windows1252.h"

namespace kx::commands {

namespace {

// Larger files are refused: the viewer holds the whole text, and more than this is no
// longer something to read on screen.
constexpr std::uintmax_t kMaxViewedSize = std::uintmax_t{64} << 20;

std::string UpperExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension;
}

std::string AsUtf8(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  if (platform::IsValidUtf8(bytes)) return std::string(bytes);
  return platform::Utf8FromWindows1252(bytes);
}

std::optional<ViewedFile> Refuse(const std::filesystem::path& file, std::string_view reason,
                                 Dialogs& dialogs) {
  dialogs.Error("Could not open " + file.string() + ": " + std::string(reason) + ".");
  return std::nullopt;
}

}  // namespace

ViewHighlighting HighlightingFor(const std::filesystem::path& file) {
  const std::string extension = UpperExtension(file);
  return extension == ".PAS" || extension == ".DPR" || extension == ".DFM"
             ? ViewHighlighting::kPascal
             : ViewHighlighting::kPlain;
}

std::optional<ViewedFile> LoadViewedFile(const std::filesystem::path& file, Dialogs& dialogs) {
  std::string bytes;
  if (const std::error_code error = platform::ReadWholeFile(file, bytes, kMaxViewedSize)) {
    return Refuse(file, error.message(), dialogs);
  }
  if (UpperExtension(file) == ".DFM") {
    std::string error;
    const std::optional<TemporaryTextCopy> copy = TemporaryTextCopy::Make(bytes, error);
    if (!copy) return Refuse(file, error, dialogs);
    if (const std::error_code read_error = platform::ReadWholeFile(copy->path(), bytes)) {
      return Refuse(file, read_error.message(), dialogs);
    }
  }
  return ViewedFile{AsUtf8(bytes), HighlightingFor(file)};
}

std::string ViewerCaption(const std::filesystem::path& file) { return "View " + file.string(); }

FileDialogRequest ExportRequest(ExportFormat format, const std::filesystem::path& viewed) {
  const bool rtf = format == ExportFormat::kRtf;
  std::filesystem::path name = viewed.filename();
  name.replace_extension(rtf ? ".rtf" : ".htm");
  return {.title = rtf ? "Name of RTF file to save" : "Name of HTML file to save",
          .filter = rtf ? "Rich Text Format files (*.rtf)|*.rtf|All files (*.*)|*.*"
                        : "HTML files (*.htm, *.html)|*.htm;*.html|All files (*.*)|*.*",
          .default_ext = rtf ? "rtf" : "htm",
          .initial_dir = viewed.parent_path(),
          .file_name = name.string(),
          .overwrite_prompt = true};
}

bool ExportViewedFile(ExportFormat format, const std::filesystem::path& viewed,
                      const std::function<generate::StyledText()>& styled, Dialogs& dialogs) {
  const std::optional<std::filesystem::path> target =
      dialogs.SaveFile(ExportRequest(format, viewed));
  if (!target) return false;
  generate::StyledText text = styled();
  text.title = viewed.filename().string();
  return WriteGeneratedFile(
      *target,
      format == ExportFormat::kRtf ? generate::StyledTextRtf(text) : generate::StyledTextHtml(text),
      dialogs);
}

}  // namespace kx::commands
