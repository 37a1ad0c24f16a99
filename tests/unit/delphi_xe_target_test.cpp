// SPDX-License-Identifier: GPL-3.0-or-later
// Today's Delphi target: every unit it names is one RAD Studio ships, and no name of Delphi 1-3
// survives in what it writes for the goldens, the examples or random definitions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "catalog/class_tables.h"
#include "catalog/type_classes.h"
#include "generate/target.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"
#include "pascal/random_definition.h"
#include "store/definition_file.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

namespace fs = std::filesystem;
using model::CodeTarget;

// Unit names of RAD Studio's documentation ("Unit Names - Alphabetical List with Unit
// Scopes", the VCL, RTL and Web unit lists of its API reference, DesignIntf, DesignEditors
// and VCLEditors of its design-time API): the ones a component or its editors may use.
const std::set<std::string, std::less<>> kRadStudioUnits = {
    "Bde.DBTables",        "Data.DB",         "DesignEditors",   "DesignIntf",
    "System.Classes",      "System.IniFiles", "System.SysUtils", "System.TypInfo",
    "System.Win.ScktComp", "Vcl.Buttons",     "Vcl.CheckLst",    "Vcl.Clipbrd",
    "Vcl.ComCtrls",        "Vcl.Controls",    "Vcl.DBCtrls",     "Vcl.DBGrids",
    "Vcl.DBLookup",        "Vcl.DBPWDlg",     "Vcl.DdeMan",      "Vcl.Dialogs",
    "Vcl.ExtCtrls",        "Vcl.ExtDlgs",     "Vcl.FileCtrl",    "Vcl.Forms",
    "Vcl.Graphics",        "Vcl.Grids",       "Vcl.Mask",        "Vcl.Menus",
    "Vcl.MPlayer",         "Vcl.OleCtnrs",    "Vcl.Outline",     "Vcl.Printers",
    "Vcl.StdCtrls",        "Vcl.TabNotBk",    "Vcl.Tabs",        "VCLEditors",
    "Web.CGIApp",          "Web.DBWeb",       "Web.HTTPApp",     "Web.Win.ISAPIApp",
    "Winapi.Messages",     "Winapi.Windows",
};

// Units of Delphi 1-3 that no Delphi ships any longer, and our own thread unit.
const std::set<std::string, std::less<>> kWithoutSuccessor = {"KXThread", "MaskProp", "MaskText",
                                                              "Proxies",  "Report",   "RzBizCmp",
                                                              "RzErrDlg", "ToolIntf", "VBXCtrl"};

const Target& Today() { return TargetFor(CodeTarget::kDelphiXe); }

bool Mapped(std::string_view unit) {
  return std::any_of(Today().units.begin(), Today().units.end(),
                     [&](const UnitMapping& m) { return model::SameText(m.from, unit); });
}

TEST(DelphiXeTargetTest, EveryUnitItWritesShipsWithRadStudio) {
  for (const UnitMapping& m : Today().units) {
    const model::TextBlock units = Today().Units(std::vector<std::string>{std::string(m.from)});
    for (const std::string& unit : *units) EXPECT_TRUE(kRadStudioUnits.contains(unit)) << unit;
  }
}

// Every unit the class catalogue and the templates name has its scoped name, unless no Delphi
// has it any more.
TEST(DelphiXeTargetTest, EveryUnitTheCatalogueAndTemplatesNameIsMapped) {
  std::set<std::string> named = {"WinTypes", "WinProcs", "Windows",  "Messages", "SysUtils",
                                 "Classes",  "Controls", "Forms",    "Graphics", "DsgnIntf",
                                 "TypInfo",  "DB",       "Dialogs",  "FileCtrl", "DBTables",
                                 "Grids",    "RzErrDlg", "StdCtrls", "ExtCtrls"};
  for (const catalog::tables::UnitRow& row : catalog::tables::UnitTable()) {
    named.insert(std::string(row.unit));
  }
  for (const std::string& unit : named) {
    const bool retired =
        std::any_of(kWithoutSuccessor.begin(), kWithoutSuccessor.end(),
                    [&](const std::string& r) { return model::SameText(r, unit); });
    EXPECT_TRUE(Mapped(unit) || retired) << unit;
  }
}

// The words of a text that name a Delphi 1-3 unit, in any letter case.
std::vector<std::string> OldNames(const std::string& text) {
  std::vector<std::string> found;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!model::IsIdentChar(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && model::IsIdentChar(text[end])) ++end;
    const std::string word = text.substr(i, end - i);
    for (std::string_view old : {"WinTypes", "WinProcs", "DsgnIntf"}) {
      if (model::SameText(word, old)) found.push_back(word);
    }
    i = end;
  }
  return found;
}

// The units of the interface's uses clause.
std::vector<std::string> UsedUnits(const std::string& text) {
  std::vector<std::string> units;
  const std::size_t uses = text.find("\nuses ");
  if (uses == std::string::npos) return units;
  const std::string clause = text.substr(uses + 6, text.find(';', uses) - uses - 6);
  std::string unit;
  for (const char c : clause + ",") {
    if (c == ',') {
      if (!unit.empty()) units.push_back(unit);
      unit.clear();
    } else if (c != ' ' && c != '\n' && c != '\r') {
      unit += c;
    }
  }
  return units;
}

void ExpectTodaysNames(model::ComponentDef def, const std::string& what) {
  const UnitOptions options{.full_comments = false, .target = CodeTarget::kDelphiXe};
  PrepareForUnit(def, options);
  const platform::DateTime at{2026, 1, 2, 3, 4, 0};
  const std::string unit = WriteComponentUnit(def, options, at);
  const std::string registration = WriteRegistrationUnit(def, at, Today());
  for (const std::string* text : {&unit, &registration}) {
    EXPECT_EQ(OldNames(*text), std::vector<std::string>{}) << what;
    for (const std::string& used : UsedUnits(*text)) {
      // A unit the table does not know is the definition's own (or one without successor).
      EXPECT_TRUE(kRadStudioUnits.contains(used) || !Mapped(used)) << what << ": " << used;
    }
  }
  EXPECT_EQ(unit.find("Register"), std::string::npos) << what;
  EXPECT_NE(registration.find("RegisterComponents"), std::string::npos) << what;
}

TEST(DelphiXeTargetTest, NoDelphi1To3NameSurvivesInAnyOutput) {
  std::vector<fs::path> definitions;
  for (const char* dir :
       {KX_SOURCE_DIR "/tests/golden", KX_SOURCE_DIR "/tests/golden_editors", KX_EXAMPLES_DIR}) {
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      if (entry.path().extension() == ".cd") definitions.push_back(entry.path());
    }
  }
  ASSERT_GT(definitions.size(), 20u);
  for (const fs::path& file : definitions) {
    model::ComponentDef def;
    ASSERT_TRUE(store::ParseDefinition(kx::testing::TempDir::Read(file), file.string(), def,
                                       catalog::StandardClassRules(), "")
                    .ok)
        << file;
    ExpectTodaysNames(std::move(def), file.string());
  }
  std::mt19937 rng(28);
  for (int n = 1; n <= 60; ++n) {
    ExpectTodaysNames(kx::testing::RandomDefinition(rng).Build("Kxr" + std::to_string(n)),
                      "random definition " + std::to_string(n));
  }
}

}  // namespace
}  // namespace kx::generate
