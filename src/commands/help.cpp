// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/help.h"

#include <array>

#include "commands/imports.h"
#include "commands/main_window_model.h"
#include "platform/windows1252.h"

namespace kx::commands {

namespace {

constexpr std::array<HelpPlace, 21> kPlaces = {{
    {kFirstHelpContext + static_cast<int>(Page::kMain), "main.html", "main-page"},
    {kFirstHelpContext + static_cast<int>(Page::kProperties), "properties.html", "properties-page"},
    {kFirstHelpContext + static_cast<int>(Page::kMethods), "methods.html", "methods-page"},
    {kFirstHelpContext + static_cast<int>(Page::kEvents), "events.html", "events-page"},
    {kFirstHelpContext + static_cast<int>(Page::kVariables), "variables.html", "variables-page"},
    {store::kCodeEditorHelpContext, "code-editor.html", "code-editor"},
    {store::kHelpTextEditorHelpContext, "text-editor.html", "text-editor"},
    {kPublishEventHelpContext, "form-import.html", "publish-onclick"},
    {store::kBusinessComponentHelpContext, "new-definition.html", "business-component"},
    {kParentSelectionHelpContext, "new-definition.html", "parent-selection"},
    {kRegisterClassHelpContext, "register-class.html", "register-class"},
    {kPropertyEditorOptionsHelpContext, "property-editor-options.html", "property-editor-options"},
    {kPropertyEditorsHelpContext, "property-editors.html", "property-editors"},
    {kDataLinkHelpContext, "data-links.html", "data-link"},
    {kLinkedPropertyHelpContext, "data-links.html", "linked-property"},
    {kContainerImportHelpContext, "form-import.html", "container-import"},
    {kFieldImportHelpContext, "form-import.html", "dataset-fields"},
    {kDocumentationHelpContext, "documentation.html", "documentation"},
    {kOtherOptionsHelpContext, "options.html", "other-options"},
    {kFileViewerHelpContext, "file-viewer.html", "file-viewer"},
    {kUnitImportHelpContext, "import.html", "import-unit"},
}};

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

std::string PercentEncode(std::string_view utf8, std::string_view also_keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string result;
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c) || also_keep.find(ch) != std::string_view::npos) {
      result += ch;
    } else {
      result += '%';
      result += kHex[c >> 4];
      result += kHex[c & 0xF];
    }
  }
  return result;
}

std::string_view ReferenceName(store::HelpFile file) {
  switch (file) {
    case store::HelpFile::kVcl:
      return "the VCL reference";
    case store::HelpFile::kCwg:
      return "the component writer's guide";
    default:
      return "Delphi's help";
  }
}

}  // namespace

std::span<const HelpPlace> HelpPlaces() { return kPlaces; }

std::string EncodeUrlComponent(std::string_view windows1252) {
  return PercentEncode(platform::Utf8FromWindows1252(windows1252), "");
}

std::string KeywordUrl(std::string_view url_template, std::string_view keyword) {
  const std::string encoded = EncodeUrlComponent(keyword);
  std::string url(url_template);
  std::size_t at = url.find(kKeywordPlaceholder);
  if (at == std::string::npos) return url + encoded;
  for (; at != std::string::npos; at = url.find(kKeywordPlaceholder, at + encoded.size())) {
    url.replace(at, kKeywordPlaceholder.size(), encoded);
  }
  return url;
}

std::string FileUrl(const std::filesystem::path& file, std::string_view fragment) {
  std::string url = "file://" + PercentEncode(file.string(), "/");
  if (!fragment.empty()) url += "#" + PercentEncode(fragment, "");
  return url;
}

HelpTarget ResolveHelp(const store::HelpTopic& topic, const std::filesystem::path& manual_dir,
                       std::string_view keyword_url_template) {
  switch (topic.file) {
    case store::HelpFile::kProduct:
      if (topic.action == store::HelpAction::kContext) {
        for (const HelpPlace& place : kPlaces) {
          if (place.context == topic.context) {
            return {FileUrl(manual_dir / place.page, place.anchor), ""};
          }
        }
      }
      return {FileUrl(manual_dir / kManualContentsPage), ""};
    case store::HelpFile::kThreads:
      return {FileUrl(manual_dir / kThreadHelpPage), ""};
    case store::HelpFile::kDelphi:
    case store::HelpFile::kVcl:
    case store::HelpFile::kCwg:
      break;
  }
  if (keyword_url_template.empty()) {
    return {"", "To look up " + (topic.keyword.empty() ? std::string("words") : topic.keyword) +
                    " in " + std::string(ReferenceName(topic.file)) +
                    ", give the address of a reference under Options > Other options, with " +
                    std::string(kKeywordPlaceholder) + " where the word goes."};
  }
  return {KeywordUrl(keyword_url_template, topic.keyword), ""};
}

}  // namespace kx::commands
