// Each folder below tests/golden holds a definition (input.cd) and the units expected from
// it: full/<unit>.pas at the detailed commenting level, normal/<unit>.pas at the normal
// one, generated as if on 3 March 1999 at 9:05 from a file named <case>.cd.
//
// After reading a diff and deciding the new output is right, regenerate with
//   KX_UPDATE_GOLDEN=1 build/tests/kx_golden_tests
// and read the changed expected files again before committing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog/type_classes.h"
#include "generate/text_template.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/golden_cases.h"

namespace kx::generate {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = KX_GOLDEN_DIR;
constexpr platform::DateTime kGoldenDate{1999, 3, 3, 9, 5, 0};

model::ComponentDef ReadCase(const std::string& name) {
  return kx::testing::ReadGoldenDefinition(kGoldenDir, name);
}

std::string Generate(model::ComponentDef& def, bool full_comments) {
  return WithCrlf(WriteComponentUnit(def, {.full_comments = full_comments}, kGoldenDate));
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

class GoldenUnitTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenUnitTest, MatchesTheExpectedUnitAtBothLevels) {
  const bool update = std::getenv("KX_UPDATE_GOLDEN") != nullptr;
  int compared = 0;
  for (const bool full : {true, false}) {
    model::ComponentDef def = ReadCase(GetParam());
    const fs::path expected_file = kGoldenDir / GetParam() / (full ? "full" : "normal") /
                                   (model::LowerCase(def.MainInfo.UnitName.str()) + ".pas");
    const std::string actual = Generate(def, full);
    if (update) {
      fs::create_directories(expected_file.parent_path());
      std::ofstream(expected_file, std::ios::binary) << actual;
    }
    ASSERT_TRUE(fs::exists(expected_file)) << expected_file << " is missing";
    const std::string expected = kx::testing::TempDir::Read(expected_file);
    EXPECT_TRUE(expected == actual) << expected_file << "\n" << Difference(expected, actual);
    ++compared;
  }
  EXPECT_EQ(compared, 2);
}

// Generation sorts the items and stores default code; a second run on the changed
// definition must give the same unit but for the date line.
TEST_P(GoldenUnitTest, ASecondGenerationDiffersOnlyInTheDate) {
  model::ComponentDef def = ReadCase(GetParam());
  const std::string first = Generate(def, true);
  const std::string second =
      WithCrlf(WriteComponentUnit(def, {.full_comments = true}, {2001, 12, 25, 23, 59, 0}));
  const std::vector<std::string> a = SplitLines(first);
  const std::vector<std::string> b = SplitLines(second);
  ASSERT_EQ(a.size(), b.size());
  int differing = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    ++differing;
    EXPECT_NE(a[i].find("on 3 March 1999 at 9:05"), std::string::npos) << a[i];
  }
  EXPECT_EQ(differing, 1);
}

// The first generation stores the default code it wrote, so switching the commenting level
// afterwards changes only what is not stored: the declaration comments and the comments of
// read and write methods.
TEST_P(GoldenUnitTest, BodiesStayWhenTheCommentingLevelChanges) {
  model::ComponentDef def = ReadCase(GetParam());
  Generate(def, true);
  const model::ComponentDef after_first = def;
  Generate(def, false);
  EXPECT_TRUE(def == after_first);
}

INSTANTIATE_TEST_SUITE_P(Units, GoldenUnitTest,
                         ::testing::ValuesIn(kx::testing::GoldenCases(kGoldenDir)),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kx::generate
