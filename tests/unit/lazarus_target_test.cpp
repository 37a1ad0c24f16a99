// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/lazarus_target.h"

#include <gtest/gtest.h>

namespace kx::generate {
namespace {

using model::CodeTarget;

struct MappingCase {
  const char* delphi;
  const char* lazarus;
};

class LazarusTargetTest : public ::testing::TestWithParam<MappingCase> {};

TEST_P(LazarusTargetTest, MapsTheUnitText) {
  EXPECT_EQ(ForTarget(GetParam().delphi, CodeTarget::kLazarus), GetParam().lazarus);
  EXPECT_EQ(ForTarget(GetParam().delphi, CodeTarget::kDelphi), GetParam().delphi);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LazarusTargetTest,
    ::testing::Values(
        // The mode follows the unit line only; a later "unit" word is code.
        MappingCase{"unit A;\n\ninterface\nunit B;\n",
                    "unit A;\n\n{$mode delphi}\n\ninterface\nunit B;\n"},
        // Units in any letter case, several for one, each once, the clause wrapped again.
        MappingCase{"program P;\nuses Wintypes, WINDOWS, Classes, DB, DBTables, Dsgnintf;\n",
                    "program P;\n\n{$mode delphi}\nuses LCLType, LCLIntf, Classes, DB, PropEdits, "
                    "ComponentEditors;\n"},
        // Only the interface's clause: an implementation uses clause is the user's.
        MappingCase{"unit A;\nuses WinProcs;\nimplementation\nuses WinProcs;\n",
                    "unit A;\n\n{$mode delphi}\nuses LCLIntf;\nimplementation\nuses WinProcs;\n"},
        MappingCase{"unit A;\ninterface\nimplementation\nuses WinProcs;\n",
                    "unit A;\n\n{$mode delphi}\ninterface\nimplementation\nuses WinProcs;\n"},
        // Whole words outside string literals, in any letter case.
        MappingCase{"  M : TWMSize; message wm_size; S := 'TWMSize'; TWMSizeX := 1;\n",
                    "  M : TLMSize; message LM_SIZE; S := 'TWMSize'; TWMSizeX := 1;\n"},
        MappingCase{"  S := 'it''s TMessage' + TMessage(X).Msg;\n",
                    "  S := 'it''s TMessage' + TLMessage(X).Msg;\n"}));

// A unit's own switches stand where the target's mode would; the target's mode goes first
// unless they set the mode or include a file that may.
TEST(LazarusTargetSwitchesTest, TakeThePlaceOfTheMode) {
  struct Case {
    model::TextBlock switches;
    const char* after_unit_line;
  } cases[] = {
      {std::nullopt, "{$mode delphi}\n"},
      {model::TextBlock{{"{$mode objfpc}{$H+}"}}, "{$mode objfpc}{$H+}\n"},
      {model::TextBlock{{"{$H+}", "{$R-}"}}, "{$mode delphi}\n{$H+}\n{$R-}\n"},
      {model::TextBlock{{"{$I defines.inc}"}}, "{$I defines.inc}\n"},
      {model::TextBlock{{"{$INCLUDE defines.inc}"}}, "{$INCLUDE defines.inc}\n"},
      {model::TextBlock{{"{$I-}"}}, "{$mode delphi}\n{$I-}\n"},
      {model::TextBlock{{"{$ifdef fpc}", "  {$MODE Delphi}", "{$endif}"}},
       "{$ifdef fpc}\n  {$MODE Delphi}\n{$endif}\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ForTarget("unit A;\n\ninterface\n", CodeTarget::kLazarus, c.switches),
              "unit A;\n\n" + std::string(c.after_unit_line) + "\ninterface\n");
    EXPECT_EQ(ForTarget("unit A;\n", CodeTarget::kDelphi, c.switches), "unit A;\n");
  }
}

}  // namespace
}  // namespace kx::generate
