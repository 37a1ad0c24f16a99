// SPDX-License-Identifier: GPL-3.0-or-later
// Each folder below tests/golden_editors holds a definition (input.cd), the editors chosen
// for one of its editor units (editors.txt: "unit NAME", then "EDITORCLASS KIND [FORMCLASS
// FORMUNIT]" per editor) and the unit expected from them, <unit>.pas, generated as if on
// 7 March 1997 at 9:05 from a file named <case>.cd; lazarus.diff, how the Lazarus target's
// unit differs from it; and delphi-xe/<unit>.pas, today's Delphi's unit.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "catalog/type_classes.h"
#include "generate/extras/editor_unit.h"
#include "generate/printer.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = KX_GOLDEN_EDITORS_DIR;

class GoldenEditorUnitTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenEditorUnitTest, MatchesTheExpectedUnit) {
  const fs::path dir = kGoldenDir / GetParam();
  model::ComponentDef def = kx::testing::ReadGoldenDefinition(kGoldenDir, GetParam());
  std::istringstream choices(kx::testing::TempDir::Read(dir / "editors.txt"));
  std::string word;
  std::string unit_name;
  choices >> word >> unit_name;
  ASSERT_EQ(word, "unit");
  EditorSelection selection;
  for (std::string line; std::getline(choices, line);) {
    std::istringstream fields(line);
    std::string editor_class;
    int kind = 0;
    if (!(fields >> editor_class >> kind)) continue;
    int item = 0;
    for (int n = 1; n <= def.Count(); ++n) {
      if (model::SameText(def.Item(n).Property().PropertyEditor.EditorClass, editor_class))
        item = n;
    }
    ASSERT_NE(item, 0) << editor_class;
    ASSERT_TRUE(AddSelectedEditor(selection, item, kind)) << editor_class;
    fields >> selection.editors.back().form_class >> selection.editors.back().form_unit;
  }
  const platform::DateTime at = {1997, 3, 7, 9, 5, 0};
  const std::string text = WriteEditorUnit(unit_name, def, selection, at);
  kx::testing::ExpectGoldenFile(dir / model::FileNameOf(unit_name, ".pas").name, WithCrlf(text),
                                "kx_editors_golden_tests");
  kx::testing::ExpectGoldenFile(
      dir / "lazarus.diff",
      kx::testing::TargetDiff(
          WithCrlf(text),
          WithCrlf(WriteEditorUnit(unit_name, def, selection, at, model::CodeTarget::kLazarus))),
      "kx_editors_golden_tests");
  kx::testing::ExpectGoldenFile(
      dir / "delphi-xe" / model::FileNameOf(unit_name, ".pas").name,
      WithCrlf(WriteEditorUnit(unit_name, def, selection, at, model::CodeTarget::kDelphiXe)),
      "kx_editors_golden_tests");
}

INSTANTIATE_TEST_SUITE_P(Units, GoldenEditorUnitTest,
                         ::testing::ValuesIn(kx::testing::GoldenCases(kGoldenDir)),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kx::generate
