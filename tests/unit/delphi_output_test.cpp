// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/delphi_output.h"

#include <gtest/gtest.h>

#include "generate/extras/delphi_package.h"
#include "generate/extras/palette_bitmap.h"
#include "generate/extras/palette_icon.h"
#include "generate/extras/resource_file.h"
#include "support/dpk_reader.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::CheckDpk;
using kx::testing::DpkFile;
using kx::testing::ReadDpk;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

const platform::FixedClock kClock({2026, 12, 7, 9, 30, 0});

model::ComponentDef Definition(const TempDir& dir) {
  model::ComponentDef def;
  model::ClearDefinition(def);
  def.MainInfo.UnitName = "Alarm";
  def.MainInfo.NewClassName = "TAlarm";
  def.MainInfo.TargetDir = dir.path().string() + "/";
  return def;
}

std::string Expected(const fs::path& dir) {
  return "Delphi packages written to " + (dir / "alarm_rt.dpk").string() + " and " +
         (dir / "alarm_dsgn.dpk").string() + ".";
}

// Without a folder given they go into delphi/ of the target directory, the unit written there
// beside them stays as it is; the run-time package holds the unit without Register, the
// design-time package the registration and the icons, and requires the run-time one.
TEST(DelphiOutputTest, TwoPackagesInTheirOwnFolder) {
  TempDir dir;
  dir.Write("alarm.pas", "the Delphi 1 unit");
  model::ComponentDef def = Definition(dir);
  ScriptedDialogs dialogs;
  dialogs.ExpectBox(BoxKind::kInformation, Expected(dir / "delphi"));
  EXPECT_EQ(GenerateDelphiPackages(def, {}, dialogs, kClock), dir / "delphi/alarm_dsgn.dpk");
  EXPECT_EQ(TempDir::Read(dir / "alarm.pas"), "the Delphi 1 unit");

  const DpkFile runtime = ReadDpk(TempDir::Read(dir / "delphi/alarm_rt.dpk"));
  EXPECT_EQ(runtime.error, "");
  EXPECT_EQ(runtime.name, "alarm_rt");
  EXPECT_EQ(runtime.required, (std::vector<std::string>{"rtl", "vcl"}));
  EXPECT_EQ(runtime.contained,
            (std::vector<std::pair<std::string, std::string>>{{"Alarm", "alarm.pas"}}));
  EXPECT_EQ(runtime.resources, (std::vector<std::string>{"*.res"}));
  EXPECT_EQ(runtime.directives, (std::vector<std::string>{"{$DESCRIPTION 'TAlarm (run-time)'}",
                                                          "{$RUNONLY}", "{$IMPLICITBUILD ON}"}));
  const DpkFile design = ReadDpk(TempDir::Read(dir / "delphi/alarm_dsgn.dpk"));
  EXPECT_EQ(design.error, "");
  EXPECT_EQ(design.required, (std::vector<std::string>{"rtl", "vcl", "designide", "alarm_rt"}));
  EXPECT_EQ(design.contained,
            (std::vector<std::pair<std::string, std::string>>{{"AlarmReg", "alarmreg.pas"}}));
  EXPECT_EQ(design.resources, (std::vector<std::string>{"*.res", "alarmreg.dcr"}));
  EXPECT_NE(std::find(design.directives.begin(), design.directives.end(), "{$DESIGNONLY}"),
            design.directives.end());
  for (const char* package : {"delphi/alarm_rt.dpk", "delphi/alarm_dsgn.dpk"}) {
    EXPECT_EQ(CheckDpk(dir / package), std::vector<std::string>{}) << package;
  }

  const std::string unit = TempDir::Read(dir / "delphi/alarm.pas");
  EXPECT_TRUE(unit.starts_with("\xEF\xBB\xBF")) << unit;
  EXPECT_EQ(unit.find("Register"), std::string::npos);
  EXPECT_NE(TempDir::Read(dir / "delphi/alarmreg.pas").find("RegisterComponents("),
            std::string::npos);
  EXPECT_EQ(generate::ResourceFileError(TempDir::Read(dir / "delphi/alarmreg.dcr"), false),
            std::nullopt);
}

// A data-aware parent needs the database packages, at run time and in the IDE alike.
TEST(DelphiOutputTest, PackagesOfTheUnitsUsed) {
  const struct {
    std::vector<std::string> units;
    std::vector<std::string> packages;
  } cases[] = {
      {{"System.Classes", "Vcl.Controls", "Vcl.StdCtrls"}, {}},
      {{"Data.DB"}, {"dbrtl"}},
      {{"vcl.dbctrls", "Data.DB"}, {"dbrtl", "vcldb"}},
      {{"Vcl.DBGrids", "Vcl.DBGrids"}, {"dbrtl", "vcldb"}},
      {{"Bde.DBTables", "Vcl.DBLookup"}, {"dbrtl", "bdertl", "vcldb"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(generate::PackagesForUnits(c.units), c.packages) << c.units.front();
  }
  TempDir dir;
  model::ComponentDef def = Definition(dir);
  def.MainInfo.Units = std::vector<std::string>{"Classes", "DBCtrls", "DB"};
  EXPECT_EQ(ReadDpk(generate::WriteDelphiRuntimePackage(def)).required,
            (std::vector<std::string>{"rtl", "vcl", "dbrtl", "vcldb"}));
  EXPECT_EQ(ReadDpk(generate::WriteDelphiDesignTimePackage(def, {"AlarmEds"})).required,
            (std::vector<std::string>{"rtl", "vcl", "dbrtl", "vcldb", "designide", "alarm_rt"}));
}

// The icon resource: the class name in capitals, a 24 by 24 bitmap of 32 bits with its alpha
// channel, or a PNG file as it is; anything else is refused before a file is written.
TEST(DelphiOutputTest, TheIconIsA32BitBitmapOrAPng) {
  TempDir dir;
  const std::string bitmap = generate::PlaceholderBitmap();
  const std::string png = generate::WritePng(*generate::ReadBitmap(bitmap));
  struct Case {
    std::string name, bytes;
    bool written;
  };
  for (const Case& c :
       {Case{"", "", true}, Case{"icon.bmp", bitmap, true}, Case{"icon.png", png, true},
        Case{"icon.gif", "GIF89a", false}, Case{"missing.png", "", false}}) {
    TempDir out;
    model::ComponentDef def = Definition(dir);
    PackageOutputOptions options{.output_dir = out.path()};
    if (!c.name.empty()) {
      options.icon = c.name == "missing.png" ? dir / c.name : dir.Write(c.name, c.bytes);
    }
    ScriptedDialogs dialogs;
    if (c.written) {
      dialogs.ExpectBox(BoxKind::kInformation, Expected(out.path()));
    } else {
      dialogs.ExpectBox(
          BoxKind::kError,
          c.name == "missing.png"
              ? "Could not read " + options.icon->string() + "."
              : options.icon->string() + " is neither a PNG file nor an uncompressed bitmap.");
    }
    EXPECT_EQ(GenerateDelphiPackages(def, options, dialogs, kClock).has_value(), c.written)
        << c.name;
    EXPECT_EQ(fs::exists(out / "alarm_rt.dpk"), c.written) << c.name;
    if (!c.written) continue;
    const std::string dcr = TempDir::Read(out / "alarmreg.dcr");
    // The entry after the empty one: its header names the type and TALARM in UTF-16.
    const std::string name = std::string("T\0A\0L\0A\0R\0M\0\0\0", 14);
    ASSERT_NE(dcr.find(name), std::string::npos) << c.name;
    const bool as_png = c.name == "icon.png";
    EXPECT_EQ(static_cast<unsigned char>(dcr[32 + 10]), as_png ? 10 : 2) << c.name;
    if (as_png) {
      EXPECT_NE(dcr.find(png), std::string::npos);
      continue;
    }
    // The entry's data follows its header, whose size the entry's second DWORD gives.
    const std::size_t dib = 32 + static_cast<unsigned char>(dcr[36]);
    EXPECT_EQ(dcr.substr(dib, 16), std::string("\x28\0\0\0\x18\0\0\0\x18\0\0\0\x01\0\x20\0", 16))
        << c.name;
    // Bottom row first: the picture's last row, each pixel blue, green, red, alpha.
    const generate::Picture picture = generate::Scaled(*generate::ReadBitmap(bitmap), 24);
    const std::uint32_t argb = picture.pixels[23 * 24];
    const std::string first = dcr.substr(dib + 40, 4);
    EXPECT_EQ(first, std::string({static_cast<char>(argb & 0xFF), static_cast<char>(argb >> 8),
                                  static_cast<char>(argb >> 16), static_cast<char>(argb >> 24)}));
  }
}

// The units a user may edit in the IDE are not replaced unawares, as in the Lazarus packages;
// only the component unit's edits can be taken back.
TEST(DelphiOutputTest, AnEditedUnitIsRefused) {
  for (const auto& [file, can_sync] : {std::pair{"alarm.pas", true}, {"alarmreg.pas", false}}) {
    TempDir dir;
    model::ComponentDef def = Definition(dir);
    const PackageOutputOptions options{.output_dir = dir.path()};
    ScriptedDialogs first;
    first.ExpectBox(BoxKind::kInformation, Expected(dir.path()));
    ASSERT_TRUE(GenerateDelphiPackages(def, options, first, kClock));
    dir.Write(file, TempDir::Read(dir / file) + "{ mine }\r\n");
    PackageOutputOptions refusing = options;
    refusing.edited = {.handling = EditedUnit::kRefuse,
                       .sync_command = "kestrix-cli sync alarm.cd",
                       .overwrite_option = "--overwrite"};
    ScriptedDialogs second;
    second.ExpectBox(BoxKind::kError, EditedUnitRefusal(dir / file, refusing.edited, can_sync));
    EXPECT_FALSE(GenerateDelphiPackages(def, refusing, second, kClock)) << file;
    EXPECT_TRUE(TempDir::Read(dir / file).ends_with("{ mine }\r\n")) << file;
  }
}

// The reader must tell a broken package from a good one, or its checks prove nothing.
TEST(DpkReaderTest, RefusesWhatAnIdeWouldNotOpen) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"package p; requires rtl; contains U in 'u.pas'; end.", ""},
      {"\xEF\xBB\xBFpackage p; { a } (* b *) // c\ncontains U, V in 'v.pas'; end.", ""},
      {"package p; requires rtl vcl; contains U; end.", ", or ; expected, found 'vcl'"},
      {"package p; requires rtl; end.", "contains expected, found 'end'"},
      {"package p; contains U in; end.", "a file name expected, found ';'"},
      {"package p; contains U; end", ". expected, found ''"},
      {"library p; contains U; end.", "package expected, found 'library'"},
      {"package p; {$R x.dcr", "a comment is not closed"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDpk(c.text).error, c.error) << c.text;

  TempDir dir;
  dir.Write("u.pas", "unit U;");
  dir.Write("wrong.dpk",
            "package other; {$R 'gone.dcr'} requires rtl, rtl; contains U in 'u.pas', "
            "V in 'w.pas', X in 'u.pas'; end.");
  EXPECT_EQ(
      CheckDpk(dir / "wrong.dpk"),
      (std::vector<std::string>{"wrong.dpk: the package is named other", "wrong.dpk: rtl twice",
                                "wrong.dpk: w.pas does not exist", "wrong.dpk: X is in u.pas",
                                "wrong.dpk: gone.dcr does not exist"}));
}

}  // namespace
}  // namespace kx::commands
