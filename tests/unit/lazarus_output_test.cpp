// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/lazarus_output.h"

#include <gtest/gtest.h>

#include "generate/extras/palette_bitmap.h"
#include "generate/extras/palette_icon.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

const platform::FixedClock kClock({2026, 12, 6, 9, 30, 0});

model::ComponentDef Definition(const TempDir& dir) {
  model::ComponentDef def;
  model::ClearDefinition(def);
  def.MainInfo.UnitName = "Alarm";
  def.MainInfo.NewClassName = "TAlarm";
  def.MainInfo.TargetDir = dir.path().string() + "/";
  return def;
}

// Without a folder given, each goes into a folder of its own: the Delphi unit beside the
// definition's other output stays as it is. The boxes name what was written, and every
// source is UTF-8.
TEST(LazarusOutputTest, EachWritesIntoItsOwnFolderOfTheTargetDirectory) {
  TempDir dir;
  dir.Write("alarm.pas", "the Delphi unit");
  model::ComponentDef def = Definition(dir);
  def.MainInfo.CopyrightLine = "Copyright \xA9 2026 by me";
  ScriptedDialogs dialogs;
  dialogs
      .ExpectBox(BoxKind::kInformation,
                 "Smoke test written to " + (dir / "smoke/alarmsmoke.lpr").string() +
                     ", with its project alarmsmoke.lpi and the unit alarm.pas.")
      .ExpectBox(BoxKind::kInformation,
                 "Lazarus packages written to " + (dir / "lazarus/runtime/alarm_rt.lpk").string() +
                     " and " + (dir / "lazarus/designtime/alarm_dsgn.lpk").string() + ".");
  EXPECT_EQ(GenerateSmokeTest(def, {}, dialogs, kClock), dir / "smoke/alarmsmoke.lpr");
  EXPECT_EQ(GenerateLazarusPackages(def, {}, dialogs, kClock),
            dir / "lazarus/designtime/alarm_dsgn.lpk");
  EXPECT_EQ(TempDir::Read(dir / "alarm.pas"), "the Delphi unit");
  for (const char* file : {"smoke/alarm.pas", "lazarus/runtime/alarm.pas"}) {
    const std::string unit = TempDir::Read(dir / file);
    EXPECT_NE(unit.find("{$mode delphi}"), std::string::npos) << file;
    // Registering belongs to the design-time package alone.
    EXPECT_EQ(unit.find("Register"), std::string::npos) << file;
    EXPECT_NE(unit.find("Copyright \xC2\xA9 2026 by me"), std::string::npos) << file;
    EXPECT_FALSE(unit.starts_with("\xEF\xBB\xBF")) << file;
  }
  EXPECT_NE(TempDir::Read(dir / "lazarus/designtime/alarmreg.pas").find("RegisterComponents("),
            std::string::npos);
  // A run-time-only package cannot be required by one the IDE installs.
  EXPECT_NE(TempDir::Read(dir / "lazarus/runtime/alarm_rt.lpk").find("<Type Value=\"RunTime\"/>"),
            std::string::npos);
}

TEST(LazarusOutputTest, TheIconIsAPngOrABitmap) {
  TempDir dir;
  const std::string bitmap = generate::PlaceholderBitmap();
  const std::string png = generate::WritePng(*generate::ReadBitmap(bitmap));
  struct Case {
    std::string name, bytes;
    bool written;
  };
  for (const Case& c : {Case{"icon.bmp", bitmap, true}, Case{"icon.png", png, true},
                        Case{"icon.gif", "GIF89a", false}, Case{"missing.png", "", false}}) {
    model::ComponentDef def = Definition(dir);
    const fs::path icon = c.name == "missing.png" ? dir / c.name : dir.Write(c.name, c.bytes);
    ScriptedDialogs dialogs;
    if (c.written) {
      dialogs.ExpectBox(BoxKind::kInformation,
                        "Lazarus packages written to " +
                            (dir / "out/runtime/alarm_rt.lpk").string() + " and " +
                            (dir / "out/designtime/alarm_dsgn.lpk").string() + ".");
    } else {
      dialogs.ExpectBox(BoxKind::kError,
                        c.name == "missing.png"
                            ? "Could not read " + icon.string() + "."
                            : icon.string() + " is neither a PNG file nor an uncompressed bitmap.");
    }
    const LazarusOutputOptions options{.output_dir = dir / "out", .icon = icon};
    EXPECT_EQ(GenerateLazarusPackages(def, options, dialogs, kClock).has_value(), c.written)
        << c.name;
    if (c.written) {
      const std::string res = TempDir::Read(dir / "out/designtime/alarmreg.res");
      const std::string largest =
          c.name == "icon.png"
              ? png
              : generate::WritePng(generate::Scaled(*generate::ReadBitmap(bitmap), 48));
      EXPECT_NE(res.find(largest), std::string::npos) << c.name;
    }
  }
}

}  // namespace
}  // namespace kx::commands
