// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/target.h"

#include <gtest/gtest.h>

#include "generate/printer.h"

namespace kx::generate {
namespace {

using model::CodeTarget;

TEST(TargetTest, UnitsInAnyLetterCaseSeveralForOneEachOnce) {
  const model::TextBlock units =
      std::vector<std::string>{"Wintypes", "WINDOWS", "Classes", "DB", "DBTables", "Dsgnintf"};
  EXPECT_EQ(TargetFor(CodeTarget::kLazarus).Units(units),
            (std::vector<std::string>{"LCLType", "LCLIntf", "Classes", "DB", "PropEdits",
                                      "ComponentEditors"}));
  // Delphi's list stays as the definition holds it, repeats and all.
  const model::TextBlock repeated = std::vector<std::string>{"Classes", "classes"};
  EXPECT_EQ(TargetFor(CodeTarget::kDelphi).Units(repeated), repeated);
  EXPECT_EQ(TargetFor(CodeTarget::kLazarus).Units(std::nullopt), std::nullopt);
}

TEST(TargetTest, WordsOutsideStringLiteralsInAnyLetterCase) {
  const struct {
    const char* given;
    const char* lazarus;
  } cases[] = {
      {"  M : TWMSize; message wm_size; S := 'TWMSize'; TWMSizeX := 1;",
       "  M : TLMSize; message LM_SIZE; S := 'TWMSize'; TWMSizeX := 1;"},
      {"  S := 'it''s TMessage' + TMessage(X).Msg;", "  S := 'it''s TMessage' + TLMessage(X).Msg;"},
  };
  for (const auto& c : cases) {
    Printer lazarus(TargetFor(CodeTarget::kLazarus).words);
    lazarus.Line(c.given);
    EXPECT_EQ(lazarus.text(), std::string(c.lazarus) + "\n");
    Printer delphi(TargetFor(CodeTarget::kDelphi).words);
    delphi.Line(c.given);
    EXPECT_EQ(delphi.text(), std::string(c.given) + "\n");
  }
}

// A unit's own switches stand where the target's mode would; the target's mode goes first
// unless they set the mode or include a file that may. Delphi has no mode and drops them.
TEST(TargetTest, SwitchesTakeThePlaceOfTheMode) {
  const struct {
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
  for (const auto& c : cases) {
    Printer lazarus;
    WriteUnitLine(lazarus, "unit", "A", TargetFor(CodeTarget::kLazarus), c.switches);
    EXPECT_EQ(lazarus.text(), "unit A;\n\n" + std::string(c.after_unit_line) + "\n");
    Printer delphi;
    WriteUnitLine(delphi, "unit", "A", TargetFor(CodeTarget::kDelphi), c.switches);
    EXPECT_EQ(delphi.text(), "unit A;\n\n");
  }
}

}  // namespace
}  // namespace kx::generate
