// SPDX-License-Identifier: GPL-3.0-or-later
// What the golden tests share. Their cases are the folders holding an input.cd, and each
// case's definition is read from it under the name <case>.cd (the name the generated headers
// show). A generated file is compared with its expected file byte for byte; a difference is
// shown as a unified diff with the command that regenerates the file.
//
// KX_UPDATE_GOLDEN=1 rewrites the expected files that differ, printing the diff of each and
// the files rewritten; read them before committing. It is refused when CI is set.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"

namespace kx::testing {

std::vector<std::string> GoldenCases(const std::filesystem::path& dir);

model::ComponentDef ReadGoldenDefinition(const std::filesystem::path& dir, const std::string& name);

// The differences of two texts as a unified diff with three lines of context; empty when
// they are equal. Line ends are not shown.
std::string UnifiedDiff(std::string_view expected, std::string_view actual,
                        const std::string& expected_name);

// The unified diff from a unit's Delphi text to its text for another target, headed
// "--- Delphi" and "+++ Lazarus" (or the other target's name).
std::string TargetDiff(std::string_view delphi, std::string_view other,
                       std::string_view other_name = "Lazarus");

// Expects the file to hold actual; program is the test program, as in
// "KX_UPDATE_GOLDEN=1 build/tests/<program>".
void ExpectGoldenFile(const std::filesystem::path& expected_file, const std::string& actual,
                      std::string_view program);

}  // namespace kx::testing
