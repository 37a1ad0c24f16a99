// SPDX-License-Identifier: GPL-3.0-or-later
// The *.cd definition file: WriteDefinition lays a ComponentDef out in the sectioned text
// layout in its fixed order; ParseDefinition reads such text back in two passes (the item
// list first, so that each item's own section can then be found by name), applies the
// updates for files of older versions, and returns the messages the reader has to show.
// Showing them, the backup question for an empty file and the files themselves belong to
// the command flows.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"

namespace kx::store {

// What the reader needs to know of classes; the class catalogue provides it.
struct ClassRules {
  std::function<bool(std::string_view)> is_catalogue_class;
  std::function<bool(std::string_view)> is_standard_class;
  std::function<model::PropSpecialType(const model::PropertyPart&)> default_special_kind;
};

struct ReaderMessage {
  enum class Kind { kError, kWarning };
  Kind kind;
  std::string text;
};

struct ParseResult {
  bool ok = false;
  std::vector<ReaderMessage> messages;  // in the order the reader meets them
  std::string version;                  // the file's KXVer, empty when absent
  // The form file of a form-wrapping definition, to be read again by form wrapping.
  std::string form_file_to_load;
};

inline constexpr std::string_view kLaterVersionWarning =
    "This component definition file is from a later version of Kestrix.  Some information may "
    "be lost if the file is read into this version and then saved again.\n\r\n\r"
    "The current version of Kestrix can be found where you obtained this one.";
inline constexpr std::string_view kOtherLanguageWarning =
    "This component definition file is for a component written in a language other than "
    "Pascal.  This version of Kestrix generates only Pascal code.";

// The whole file's text, lines ended by CR LF. Throws TIniFileException, before anything is
// written, when two items would share a section (two items of one name, which the name rules
// prevent): the message names both and says what to do.
std::string WriteDefinition(const model::ComponentDef& def, const std::filesystem::path& file_name);

// Replaces def with the definition in text. display_path names the file in messages and
// becomes FileName; default_target_dir is what ClearDefinition gives TargetDir.
ParseResult ParseDefinition(std::string_view text, const std::string& display_path,
                            model::ComponentDef& def, const ClassRules& rules,
                            std::string_view default_target_dir);

}  // namespace kx::store
