// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/generated_file.h"

#include <gtest/gtest.h>

#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

TEST(WriteAndOfferViewTest, TheCodeViewingSetting) {
  TempDir dir;
  const auto path = dir / "x.pas";
  const std::string question =
      "Code written to " + path.string() + ".\r\rDo you want to view it now?";
  const struct {
    int codeview;
    bool say_when_not_shown;
    std::optional<Answer> answer;  // to the question, when asked
    bool viewed;
    bool said;
  } cases[] = {
      {store::kCodeviewAlways, true, std::nullopt, true, false},
      {store::kCodeviewAsk, false, Answer::kYes, true, false},
      {store::kCodeviewAsk, true, Answer::kNo, false, false},
      {store::kCodeviewNever, false, std::nullopt, false, false},
      {store::kCodeviewNever, true, std::nullopt, false, true},
  };
  for (const auto& c : cases) {
    ScriptedDialogs dialogs;
    if (c.answer)
      dialogs.ExpectBox(BoxKind::kConfirmation, question, *c.answer, "Cap", Buttons::kYesNo);
    if (c.viewed) dialogs.ExpectViewFile(path);
    if (c.said)
      dialogs.ExpectBox(BoxKind::kInformation, "Code written to " + path.string() + ".",
                        Answer::kOk, "Cap");
    EXPECT_TRUE(WriteAndOfferView(path, "a\nb\n", {c.codeview, "Code", "Cap", c.say_when_not_shown},
                                  dialogs));
    EXPECT_EQ(TempDir::Read(path), "a\r\nb\r\n");
  }
}

TEST(WriteAndOfferViewTest, AFailedWriteIsSaidAndNothingIsShown) {
  TempDir dir;
  const auto path = dir.Write("x.pas", "old");
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kInformation, "Could not open " + path.string());
  {
    const kx::testing::FailingWrites failing;
    EXPECT_FALSE(WriteAndOfferView(path, "new", {store::kCodeviewAlways, "Code", "Cap"}, dialogs));
  }
  EXPECT_EQ(TempDir::Read(path), "old");
}

}  // namespace
}  // namespace kx::commands
