// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/code_target.h"

#include "model/text.h"

namespace kx::model {

std::string_view CodeTargetName(CodeTarget target) {
  return target == CodeTarget::kLazarus ? "Lazarus" : "Delphi";
}

std::optional<CodeTarget> ParseCodeTarget(std::string_view name) {
  for (CodeTarget target : {CodeTarget::kDelphi, CodeTarget::kLazarus}) {
    if (SameText(name, CodeTargetName(target))) return target;
  }
  return std::nullopt;
}

}  // namespace kx::model
