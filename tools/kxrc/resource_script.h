// SPDX-License-Identifier: GPL-3.0-or-later
// The resource scripts kxrc compiles: bitmap resources given inline, as the palette bitmap
// command writes them.
//
//   TMYBUTTON BITMAP
//   BEGIN
//       '42 4D 76 06 00 00 00 00 00 00 36 04 00 00 28 00'
//       ...
//   END
//
// Line ends may be CR LF, LF or CR; blank lines are allowed anywhere; keywords are matched
// in any case. A name of decimal digits is a numeric resource id, as resource compilers
// have always read it; any other name is upper-cased. The bytes between BEGIN and END
// form a bitmap file; the resource is that file without its 14-byte file header.
//
//   ParsedScript parsed = ParseResourceScript(text);
//   if (parsed.error) report(parsed.error->line, parsed.error->message);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::kxrc {

inline constexpr std::size_t kMaxNameLength = 255;

struct BitmapResource {
  std::string name;                 // upper-cased; empty when id is set
  std::optional<std::uint16_t> id;  // for a name of digits
  std::string data;                 // the bitmap file's bytes after its file header
  int line = 0;                     // where the resource starts
};

struct ScriptError {
  int line = 0;  // 1-based
  std::string message;
};

struct ParsedScript {
  std::vector<BitmapResource> resources;
  std::optional<ScriptError> error;  // set: resources are not to be used
};

ParsedScript ParseResourceScript(std::string_view text);

}  // namespace kx::kxrc
