// SPDX-License-Identifier: GPL-3.0-or-later
// Each folder below tests/golden_docs holds a definition (input.cd) and the documentation
// pages expected from it, one per audience: application.html, descendant.html and
// component.html, with the CR LF line ends of the written file.

#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/type_classes.h"
#include "generate/extras/documentation.h"
#include "generate/printer.h"
#include "store/definition_file.h"
#include "support/golden.h"

namespace kx::generate {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = KX_GOLDEN_DOCS_DIR;

struct Audience {
  const char* file;
  ScopeSet scopes;
};
constexpr Audience kAudiences[] = {{"application.html", kApplicationScopes},
                                   {"descendant.html", kDescendantScopes},
                                   {"component.html", kComponentScopes}};

// Sorted, as the command sorts it.
model::ComponentDef ReadCase(const std::string& name) {
  model::ComponentDef def = kx::testing::ReadGoldenDefinition(kGoldenDir, name);
  model::SortItemsByName(def);
  return def;
}

class GoldenDocsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenDocsTest, MatchesTheExpectedPageForEachAudience) {
  for (const Audience& audience : kAudiences) {
    model::ComponentDef def = ReadCase(GetParam());
    kx::testing::ExpectGoldenFile(kGoldenDir / GetParam() / audience.file,
                                  WithCrlf(WriteText(def, kHtmlFormat, audience.scopes)),
                                  "kx_docs_golden_tests");
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, GoldenDocsTest,
                         ::testing::ValuesIn(kx::testing::GoldenCases(kGoldenDir)),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kx::generate
