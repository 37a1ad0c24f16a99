// SPDX-License-Identifier: GPL-3.0-or-later
// Where help requests go on this platform. The program's own help is the HTML manual installed
// with it (docs/help/ in the source tree): a help context is a page and an anchor of it. The
// keyword look-ups in Delphi's help (Delphi, VCL, component writer's guide) open an address
// made from the template the user set under Options > Other options, since Delphi's WinHelp
// files cannot be shown here; Lazarus's online LCL reference or a local copy of Delphi's help
// converted to HTML both fit.
//
//   const HelpTarget target = ResolveHelp(topic, ManualDir(exe_dir), settings.help_url);
//   target.url.empty() ? show(target.message) : open(target.url);
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "store/settings.h"

namespace kx::commands {

// The help contexts of the program and their place in the manual.
struct HelpPlace {
  int context;
  std::string_view page;    // file name under the manual's folder
  std::string_view anchor;  // id of the element on that page
};
std::span<const HelpPlace> HelpPlaces();

// F1 in the dialogs that have a page of their own.
inline constexpr int kParentSelectionHelpContext = 300;
inline constexpr int kRegisterClassHelpContext = 301;
inline constexpr int kPropertyEditorOptionsHelpContext = 302;
inline constexpr int kPropertyEditorsHelpContext = 303;
inline constexpr int kDataLinkHelpContext = 304;
inline constexpr int kLinkedPropertyHelpContext = 305;
inline constexpr int kContainerImportHelpContext = 306;
inline constexpr int kFieldImportHelpContext = 307;
inline constexpr int kDocumentationHelpContext = 308;
inline constexpr int kOtherOptionsHelpContext = 309;
inline constexpr int kFileViewerHelpContext = 310;
inline constexpr int kUnitImportHelpContext = 311;

inline constexpr std::string_view kManualContentsPage = "index.html";
inline constexpr std::string_view kThreadHelpPage = "threads.html";
// The placeholder of the keyword in the address template; a template without it has the
// keyword appended.
inline constexpr std::string_view kKeywordPlaceholder = "{keyword}";

// Either an address to open or, when there is nothing to open, a message to show.
struct HelpTarget {
  std::string url;
  std::string message;

  friend bool operator==(const HelpTarget&, const HelpTarget&) = default;
};

// The address a help request opens. An unknown context opens the manual's contents.
HelpTarget ResolveHelp(const store::HelpTopic& topic, const std::filesystem::path& manual_dir,
                       std::string_view keyword_url_template);

// The keyword (Windows-1252) as UTF-8 with every byte but letters, digits and "-._~"
// percent-encoded, so that it stays one query value or path segment whatever it holds.
std::string EncodeUrlComponent(std::string_view windows1252);
// The template with the encoded keyword in place of every placeholder.
std::string KeywordUrl(std::string_view url_template, std::string_view keyword);
// A file:// address of a local file, its path encoded, with an optional fragment.
std::string FileUrl(const std::filesystem::path& file, std::string_view fragment = "");

}  // namespace kx::commands
