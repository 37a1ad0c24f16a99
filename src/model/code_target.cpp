// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/code_target.h"

#include "model/text.h"

namespace kx::model {

std::string_view CodeTargetName(CodeTarget target) {
  switch (target) {
    case CodeTarget::kLazarus:
      return "Lazarus";
    case CodeTarget::kDelphiXe:
      return "Delphi-XE";
    case CodeTarget::kDelphi:
      break;
  }
  return "Delphi";
}

std::optional<CodeTarget> ParseCodeTarget(std::string_view name) {
  for (CodeTarget target : {CodeTarget::kDelphi, CodeTarget::kLazarus, CodeTarget::kDelphiXe}) {
    if (SameText(name, CodeTargetName(target))) return target;
  }
  return std::nullopt;
}

}  // namespace kx::model
