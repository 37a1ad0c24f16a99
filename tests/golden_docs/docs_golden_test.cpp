// Each folder below tests/golden_docs holds a definition (input.cd) and the documentation
// pages expected from it, one per audience: application.html, descendant.html and
// component.html, with the CR LF line ends of the written file.
//
// After reading a diff and deciding the new output is right, regenerate with
//   KX_UPDATE_GOLDEN=1 build/tests/kx_docs_golden_tests
// and read the changed pages again, line by line, before committing them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog/type_classes.h"
#include "generate/extras/documentation.h"
#include "generate/text_template.h"
#include "store/definition_file.h"
#include "support/golden_cases.h"

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

model::ComponentDef ReadCase(const std::string& name) {
  return kx::testing::ReadGoldenDefinition(kGoldenDir, name);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The first difference with a few lines around it, enough to see what went wrong.
std::string Difference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = SplitLines(expected);
  const std::vector<std::string> got = SplitLines(actual);
  std::size_t line = 0;
  while (line < want.size() && line < got.size() && want[line] == got[line]) ++line;
  std::ostringstream out;
  out << "first difference at line " << line + 1 << "\n";
  const std::size_t from = line >= 3 ? line - 3 : 0;
  for (std::size_t i = from; i < line; ++i) out << "  " << want[i] << "\n";
  for (std::size_t i = line; i < std::min(line + 4, want.size()); ++i)
    out << "- " << want[i] << "\n";
  for (std::size_t i = line; i < std::min(line + 4, got.size()); ++i) out << "+ " << got[i] << "\n";
  return out.str();
}

class GoldenDocsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenDocsTest, MatchesTheExpectedPageForEachAudience) {
  const bool update = std::getenv("KX_UPDATE_GOLDEN") != nullptr;
  for (const Audience& audience : kAudiences) {
    model::ComponentDef def = ReadCase(GetParam());
    const fs::path expected_file = kGoldenDir / GetParam() / audience.file;
    const std::string actual = WithCrlf(WriteText(def, kHtmlFormat, audience.scopes));
    if (update) std::ofstream(expected_file, std::ios::binary) << actual;
    ASSERT_TRUE(fs::exists(expected_file)) << expected_file << " is missing";
    const std::string expected = kx::testing::TempDir::Read(expected_file);
    EXPECT_TRUE(expected == actual) << expected_file << "\n" << Difference(expected, actual);
  }
}

// Writing sorts the definition; a second page from the sorted definition is the same.
TEST_P(GoldenDocsTest, ASecondPageIsTheSame) {
  model::ComponentDef def = ReadCase(GetParam());
  const std::string first = WriteText(def, kHtmlFormat, kComponentScopes);
  const model::ComponentDef sorted = def;
  EXPECT_EQ(WriteText(def, kHtmlFormat, kComponentScopes), first);
  EXPECT_TRUE(def == sorted);
}

INSTANTIATE_TEST_SUITE_P(Pages, GoldenDocsTest,
                         ::testing::ValuesIn(kx::testing::GoldenCases(kGoldenDir)),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kx::generate
