// SPDX-License-Identifier: GPL-3.0-or-later
// The Lazarus target: a unit written for Delphi, rewritten so that Free Pascal compiles it
// against the LCL as it is. Everything the rewrite changes is one entry of one table, so a
// unit of either target can be read against the other line by line.
//
//   std::string text = ForTarget(WriteComponentUnit(def, options, at), CodeTarget::kLazarus);
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/code_target.h"
#include "model/component_def.h"

namespace kx::generate {

struct LazarusMapping {
  enum class Kind : unsigned char {
    kUnit,         // a unit of the interface's uses clause; "" drops it
    kIdentifier,   // a word anywhere outside string literals, in any letter case
    kLine,         // a whole generated line
    kHeaderStart,  // the beginning of a line of the header comment (above the unit line)
  };
  Kind kind;
  std::string_view delphi;
  std::string_view lazarus;  // a unit may become several, ", " between them
};

std::span<const LazarusMapping> LazarusMappings();

// Delphi's text unchanged; for Lazarus, "{$mode delphi}" after the unit line and every
// mapping applied, the uses clause wrapped again with each unit once. A unit's own switches
// (a definition imported from a unit that had them) stand after the unit line instead; they
// follow "{$mode delphi}" when they neither set the mode nor include a file, which may.
std::string ForTarget(std::string text, model::CodeTarget target,
                      const model::TextBlock& switches = std::nullopt);

// Whether a line of switches sets the compiler mode or includes a file ("{$I defines.inc}").
bool SetsModeOrIncludes(std::string_view line);

// The bytes of a source file of the target, from text in the definition's Windows-1252:
// unchanged for Delphi, UTF-8 for Lazarus (its editor's and the LCL's encoding). No byte-order
// mark: with one, Free Pascal reads the unit as {$codepage utf8} and converts its string
// literals, where the LCL expects them as they are written.
std::string SourceBytes(std::string_view text, model::CodeTarget target);

}  // namespace kx::generate
