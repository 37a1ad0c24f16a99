// Each folder below tests/golden_editors holds a definition (input.cd), the editors chosen
// for one of its editor units (editors.txt: "unit NAME", then "EDITORCLASS KIND [FORMCLASS
// FORMUNIT]" per editor) and the unit expected from them, <unit>.pas, generated as if on
// 7 March 1997 at 9:05 from a file named <case>.cd.
//
// After reading a diff and deciding the new output is right, regenerate with
//   KX_UPDATE_GOLDEN=1 build/tests/kx_editors_golden_tests
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog/type_classes.h"
#include "generate/extras/editor_unit.h"
#include "generate/text_template.h"
#include "model/text.h"
#include "store/definition_file.h"
#include "support/golden_cases.h"

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
  const std::string actual =
      WithCrlf(WriteEditorUnit(unit_name, def, selection, {1997, 3, 7, 9, 5, 0}));
  const fs::path expected_file = dir / (model::LowerCase(unit_name) + ".pas");
  if (std::getenv("KX_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(expected_file, std::ios::binary) << actual;
  }
  ASSERT_TRUE(fs::exists(expected_file)) << expected_file << " is missing";
  EXPECT_TRUE(kx::testing::TempDir::Read(expected_file) == actual) << expected_file << " differs";
}

INSTANTIATE_TEST_SUITE_P(Units, GoldenEditorUnitTest,
                         ::testing::ValuesIn(kx::testing::GoldenCases(kGoldenDir)),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kx::generate
