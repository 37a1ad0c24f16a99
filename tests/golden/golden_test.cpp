// SPDX-License-Identifier: GPL-3.0-or-later
// Each folder below tests/golden holds a definition (input.cd) and the units expected from
// it: full/<unit>.pas at the detailed commenting level, normal/<unit>.pas at the normal
// one, generated as if on 3 March 1999 at 9:05 from a file named <case>.cd; lazarus.diff and
// delphi-xe.diff, how the Lazarus and today's Delphi targets' units differ from the Delphi one
// at the normal level; and delphi-xe-reg.pas, today's Delphi's registration unit.
//
#include "support/golden.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "catalog/type_classes.h"
#include "generate/printer.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "store/definition_file.h"

namespace kx::generate {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = KX_GOLDEN_DIR;
constexpr platform::DateTime kGoldenDate{1999, 3, 3, 9, 5, 0};

model::ComponentDef ReadCase(const std::string& name) {
  return kx::testing::ReadGoldenDefinition(kGoldenDir, name);
}

std::string Generate(model::ComponentDef& def, bool full_comments,
                     model::CodeTarget target = model::CodeTarget::kDelphi) {
  PrepareForUnit(def, {.full_comments = full_comments});
  return WithCrlf(
      WriteComponentUnit(def, {.full_comments = full_comments, .target = target}, kGoldenDate));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class GoldenUnitTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenUnitTest, MatchesTheExpectedUnitAtBothLevels) {
  for (const bool full : {true, false}) {
    model::ComponentDef def = ReadCase(GetParam());
    const fs::path expected_file = kGoldenDir / GetParam() / (full ? "full" : "normal") /
                                   model::FileNameOf(def.MainInfo.UnitName.str(), ".pas").name;
    kx::testing::ExpectGoldenFile(expected_file, Generate(def, full), "kx_golden_tests");
  }
}

TEST_P(GoldenUnitTest, TheLazarusTargetDiffersOnlyInMappedLines) {
  model::ComponentDef def = ReadCase(GetParam());
  const std::string delphi = Generate(def, false);
  const std::string lazarus = Generate(def, false, model::CodeTarget::kLazarus);
  kx::testing::ExpectGoldenFile(kGoldenDir / GetParam() / "lazarus.diff",
                                kx::testing::TargetDiff(delphi, lazarus), "kx_golden_tests");
}

TEST_P(GoldenUnitTest, TodaysDelphiDiffersOnlyInMappedLinesAndRegistersApart) {
  model::ComponentDef def = ReadCase(GetParam());
  const std::string delphi = Generate(def, false);
  const std::string today = Generate(def, false, model::CodeTarget::kDelphiXe);
  kx::testing::ExpectGoldenFile(kGoldenDir / GetParam() / "delphi-xe.diff",
                                kx::testing::TargetDiff(delphi, today, "Delphi-XE"),
                                "kx_golden_tests");
  kx::testing::ExpectGoldenFile(
      kGoldenDir / GetParam() / "delphi-xe-reg.pas",
      WithCrlf(WriteRegistrationUnit(def, kGoldenDate, TargetFor(model::CodeTarget::kDelphiXe))),
      "kx_golden_tests");
}

// Preparing sorts the items and stores default code; a second run on the changed
// definition must give the same unit but for the date line.
TEST_P(GoldenUnitTest, ASecondGenerationDiffersOnlyInTheDate) {
  model::ComponentDef def = ReadCase(GetParam());
  const std::string first = Generate(def, true);
  PrepareForUnit(def, {.full_comments = true});
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
