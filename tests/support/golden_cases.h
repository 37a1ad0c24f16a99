// What the golden tests share: their cases are the folders holding an input.cd, and each
// case's definition is read from it under the name <case>.cd (the name the generated
// headers show).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/type_classes.h"
#include "store/definition_file.h"
#include "support/temp_dir.h"

namespace kx::testing {

inline std::vector<std::string> GoldenCases(const std::filesystem::path& dir) {
  std::vector<std::string> cases;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (std::filesystem::exists(entry.path() / "input.cd")) {
      cases.push_back(entry.path().filename().string());
    }
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

inline model::ComponentDef ReadGoldenDefinition(const std::filesystem::path& dir,
                                                const std::string& name) {
  model::ComponentDef def;
  const store::ParseResult result = store::ParseDefinition(
      TempDir::Read(dir / name / "input.cd"), name + ".cd", def, catalog::StandardClassRules(), "");
  EXPECT_TRUE(result.ok) << name;
  EXPECT_TRUE(result.messages.empty()) << name;
  return def;
}

}  // namespace kx::testing
