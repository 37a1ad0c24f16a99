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

}  // namespace
}  // namespace kx::generate
