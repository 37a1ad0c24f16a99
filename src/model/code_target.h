// SPDX-License-Identifier: GPL-3.0-or-later
// Which compiler and library the generated Pascal code is written for.
#pragma once

#include <optional>
#include <string_view>

namespace kx::model {

enum class CodeTarget : unsigned char {
  kDelphi,   // Delphi's VCL: the units as they have always been written
  kLazarus,  // Free Pascal and Lazarus's LCL
  // Today's Delphi (XE2 and later, RAD Studio): unit scope names, the design-time interface of
  // DesignIntf and DesignEditors, registration in a unit of its own
  kDelphiXe,
};

// "Delphi", "Lazarus" or "Delphi-XE", as the settings file and the messages spell it.
std::string_view CodeTargetName(CodeTarget target);
// A name in any letter case; nothing for any other text.
std::optional<CodeTarget> ParseCodeTarget(std::string_view name);

}  // namespace kx::model
