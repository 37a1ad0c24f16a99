// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/custom_class_registry.h"

#include <gtest/gtest.h>

#include "catalog/class_catalog.h"
#include "commands/register_class.h"
#include "platform/atomic_file.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::catalog {
namespace {

using commands::Answer;
using commands::BoxKind;
using commands::ClassRegistration;
using commands::RegisteredClass;
using kx::testing::FailingWrites;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using Entries = std::vector<CustomClassEntry>;

TEST(ParseCustomClassesTest, ClassSectionsOfASettingsFile) {
  const struct {
    const char* bytes;
    Entries entries;
  } cases[] = {
      {"[Directories]\r\nDefinitions=/d/\r\n"
       "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n"
       "[class.TOther]\r\nUnit=Other\r\n",
       {{"TMyGrid", "TStringGrid", "MyGrids"}, {"TOther", "TComponent", "Other"}}},
      // A blank after the bracket becomes part of the name, whose section has no keys then.
      {"[Class.TBlank] \nAncestor=TEdit\nUnit=U\n", {{"TBlank]", "TComponent", ""}}},
      {"[CLASS.TEmpty]\rAncestor=\rUnit=\r", {{"TEmpty", "TComponent", ""}}},
      // Seen before in another case, nameless, indented or broken: not a class.
      {"[Class.TA]\r\nAncestor=TEdit\r\n[CLASS.ta]\r\nAncestor=TMemo\r\nUnit=U\r\n",
       {{"TA", "TEdit", "U"}}},
      {"[Class.]\r\n[Class.X\r\n  [Class.TIndented]\r\n[Classic]\r\n", {}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCustomClasses(store::Profile(c.bytes)), c.entries) << c.bytes;
  }
}

class CustomClassRegistryTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "Kestrix.ini";
};

TEST_F(CustomClassRegistryTest, AMissingFileIsAnEmptyRegistry) {
  CustomClassRegistry registry(file_);
  EXPECT_EQ(registry.FindCustomClass("TMyGrid"), std::nullopt);
  EXPECT_TRUE(registry.entries().empty());
  EXPECT_TRUE(registry.Save().ok());
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(CustomClassRegistryTest, LoadsOnFirstUse) {
  dir_.Write("Kestrix.ini", "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n");
  CustomClassRegistry registry(file_);
  // Written after construction, still seen: nothing was read yet.
  dir_.Write("Kestrix.ini", "[Class.TLater]\r\nUnit=Later\r\n");
  EXPECT_EQ(registry.FindCustomClass("tlater"),
            (CustomClassEntry{"TLater", "TComponent", "Later"}));
  // Once loaded, the file is not read again.
  dir_.Write("Kestrix.ini", "");
  std::vector<std::string> list = {"already there"};
  registry.FillList(list);
  EXPECT_EQ(list, (std::vector<std::string>{"already there", "TLater"}));
}

TEST_F(CustomClassRegistryTest, SetReplacesTheFirstMatchOrAppends) {
  dir_.Write("Kestrix.ini", "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n");
  CustomClassRegistry registry(file_);
  EXPECT_FALSE(registry.changed());
  registry.SetCustomClass("TMYGRID", "TDrawGrid", "Grids2");
  registry.SetCustomClass("TNew", "TEdit", "NewUnit");
  EXPECT_TRUE(registry.changed());
  EXPECT_EQ(registry.entries(),
            (Entries{{"TMyGrid", "TDrawGrid", "Grids2"}, {"TNew", "TEdit", "NewUnit"}}));
  // Nothing reaches the file before Save.
  EXPECT_EQ(TempDir::Read(file_), "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n");
  EXPECT_TRUE(registry.Save().ok());
  EXPECT_FALSE(registry.changed());
  EXPECT_EQ(TempDir::Read(file_),
            "[Class.TMyGrid]\r\nAncestor=TDrawGrid\r\nUnit=Grids2\r\n"
            "\r\n[Class.TNew]\r\nAncestor=TEdit\r\nUnit=NewUnit\r\n");
  EXPECT_EQ(CustomClassRegistry(file_).entries(), registry.entries());
}

TEST_F(CustomClassRegistryTest, DeleteErasesTheSectionAtOnce) {
  const std::string others = "; mine\n[Other]\nCodeview=2\n";
  dir_.Write("Kestrix.ini", others + "[Class.TA]\nAncestor=TEdit\nUnit=A\n[Class.TB]\nUnit=B\n");
  CustomClassRegistry registry(file_);
  EXPECT_TRUE(registry.DeleteCustomClass("ta").ok());
  EXPECT_EQ(TempDir::Read(file_), others + "[Class.TB]\nUnit=B\n");
  EXPECT_EQ(registry.entries(), (Entries{{"TB", "TComponent", "B"}}));
  EXPECT_TRUE(registry.changed());

  // The last one: its section goes, and saving the empty registry writes nothing.
  EXPECT_TRUE(registry.DeleteCustomClass("TB").ok());
  EXPECT_EQ(TempDir::Read(file_), others);
  std::filesystem::remove(file_);
  EXPECT_TRUE(registry.Save().ok());
  EXPECT_FALSE(std::filesystem::exists(file_));
  // An empty registry has nothing to erase.
  EXPECT_TRUE(registry.DeleteCustomClass("TB").ok());
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(CustomClassRegistryTest, AFailedSaveKeepsTheFileAndTheChanges) {
  const std::string before = "[Class.TA]\r\nUnit=A\r\n[Class.TB]\r\nUnit=B\r\n";
  dir_.Write("Kestrix.ini", before);
  CustomClassRegistry registry(file_);
  registry.SetCustomClass("TA", "TEdit", "A2");
  const FailingWrites failing;
  EXPECT_FALSE(registry.Save().ok());
  EXPECT_FALSE(registry.DeleteCustomClass("TB").ok());
  EXPECT_EQ(TempDir::Read(file_), before);
  EXPECT_TRUE(registry.changed());
  EXPECT_EQ(registry.entries(), (Entries{{"TA", "TEdit", "A2"}, {"TB", "TComponent", "B"}}));
}

TEST(RegistrationDialogTest, Texts) {
  EXPECT_EQ(RegistrationHeading("TMyGrid"), "Registering TMyGrid");
  EXPECT_EQ(RegistrationPrompt("TMyGrid"),
            "Please enter the name of one of its ancestors in the Delphi VCL (the closer, the "
            "better) and the name of the unit where TMyGrid is located.");
  EXPECT_EQ(RegistrationDontKnowCaption("TMyGrid"), "No, I don't know what TMyGrid descends from.");
  EXPECT_EQ(RegistrationUnitLabel("TMyGrid"), "Unit containing TMyGrid:");
}

TEST(RegistrationDialogTest, BrowsedFileGivesTheUnitName) {
  const struct {
    const char* file;
    const char* unit;
  } cases[] = {
      {"/src/MYGRID.PAS", "Mygrid"},
      {"/src/mygrid.dcu", "Mygrid"},
      {"Unit1.Old.pas", "Unit1"},
      {"/src/.pas", ""},
      {"/src/.", ""},
      {"", ""},
      {"/src/2nd.pas", "2nd"},
  };
  for (const auto& c : cases) EXPECT_EQ(UnitNameFromFile(c.file), c.unit) << c.file;
  const commands::FileDialogRequest browse = commands::BrowseUnitRequest();
  EXPECT_EQ(browse.title, "Select Pascal unit");
  EXPECT_EQ(browse.filter,
            "Pascal files (*.pas)|*.pas|Unit files (*.dcu)|*.dcu|All files (*.*)|*.*");
  EXPECT_EQ(browse.default_ext, "pas");
}

TEST(RegistrationDialogTest, OkChecksInOrder) {
  const std::string no_unit = "You have not entered a unit name for the parent class.";
  const std::string no_ancestor =
      "Please enter the name of an ancestor from the Visual Component Library, or check the "
      "check box if you don't know.";
  auto unknown = [](const std::string& typed) {
    return "This program does not recognize \"" + typed +
           "\" a standard Visual Component Library class.  Please select another ancestor or "
           "check the check box if you don't know.";
  };
  const struct {
    const char* ancestor;
    const char* unit;
    bool dont_know;
    RegistrationCheck expected;
  } cases[] = {
      {"", "", false, {no_unit, "", ""}},
      {"TNoSuch", "  ", true, {no_unit, "", ""}},
      {"", "MyUnit", false, {no_ancestor, "", ""}},
      {"TNoSuch", "MyUnit", true, {"", "TComponent", "MyUnit"}},
      {"", "MyUnit", true, {"", "TComponent", "MyUnit"}},
      {"tedit", " MyUnit ", false, {"", "TEdit", "MyUnit"}},
      {"TCustomGrid", "MyUnit", false, {"", "TCustomGrid", "MyUnit"}},
      {"tNoSuch", "MyUnit", false, {unknown("tNoSuch"), "", ""}},
      {"TStringList", "MyUnit", false, {unknown("TStringList"), "", ""}},
  };
  for (const auto& c : cases) {
    const RegistrationCheck check = CheckRegistration(c.ancestor, c.unit, c.dont_know);
    EXPECT_EQ(check.message, c.expected.message) << c.ancestor << "/" << c.unit;
    EXPECT_EQ(check.ancestor, c.expected.ancestor) << c.ancestor << "/" << c.unit;
    EXPECT_EQ(check.unit, c.expected.unit) << c.ancestor << "/" << c.unit;
  }
}

// What the dialog's check box and "Browse..." change in its entries.
TEST(RegistrationDialogTest, EntriesAsTheUserChangesThem) {
  using commands::DontKnowChanged;
  using commands::UnitFileChosen;
  const ClassRegistration typed{"TCustomGrid", "Grids2", false};
  const struct {
    ClassRegistration got;
    ClassRegistration expected;
  } cases[] = {
      // Checking empties the ancestor; clearing the check does not bring it back.
      {DontKnowChanged(typed, true), {"", "Grids2", true}},
      {DontKnowChanged(DontKnowChanged(typed, true), false), {"", "Grids2", false}},
      {DontKnowChanged(typed, false), typed},
      // The unit is the chosen file's name; the other entries stay.
      {UnitFileChosen(typed, "/src/MYGRIDS.PAS"), {"TCustomGrid", "Mygrids", false}},
      {UnitFileChosen({"", "Old", true}, "/src/.pas"), {"", "", true}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
  }
}

TEST_F(CustomClassRegistryTest, RegisterShowsTheDialogUntilItsEntriesPass) {
  CustomClassRegistry registry(file_);
  ScriptedDialogs dialogs;
  dialogs.ExpectRegisterClass(ClassRegistration{"TNoSuch", "MyGrids", false})
      .ExpectBox(BoxKind::kInformation,
                 "This program does not recognize \"TNoSuch\" a standard Visual Component "
                 "Library class.  Please select another ancestor or check the check box if you "
                 "don't know.",
                 Answer::kOk, std::string(kRegisterClassCaption))
      .ExpectRegisterClass(ClassRegistration{"tstringgrid", "MyGrids", false});
  // Only the first two characters are upper-cased; the ancestor is compared in any case.
  EXPECT_EQ(commands::RegisterCustomClass(dialogs, registry, "TMyGrid"),
            (RegisteredClass{"TStringgrid", kFamilyWindowedControl, "MyGrids"}));
  // Shown empty first, then again with what the user had entered.
  const auto& shown = dialogs.registration_requests();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].class_name, "TMyGrid");
  EXPECT_EQ(shown[0].current, ClassRegistration{});
  EXPECT_EQ(shown[1].current, (ClassRegistration{"TNoSuch", "MyGrids", false}));
  EXPECT_EQ(registry.entries(), (Entries{{"TMyGrid", "TStringgrid", "MyGrids"}}));
  EXPECT_TRUE(registry.changed());
}

TEST_F(CustomClassRegistryTest, ACancelledRegistrationChangesNothing) {
  CustomClassRegistry registry(file_);
  ScriptedDialogs dialogs;
  dialogs.ExpectRegisterClass(ClassRegistration{"", "", false})
      .ExpectBox(BoxKind::kInformation, "You have not entered a unit name for the parent class.")
      .ExpectRegisterClass(std::nullopt);
  EXPECT_EQ(commands::RegisterCustomClass(dialogs, registry, "TMyGrid"), std::nullopt);
  EXPECT_TRUE(registry.entries().empty());
  EXPECT_FALSE(registry.changed());
}

TEST_F(CustomClassRegistryTest, EditStartsFromTheStoredEntry) {
  dir_.Write("Kestrix.ini", "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\nUnit=MyGrids\r\n");
  CustomClassRegistry registry(file_);
  ScriptedDialogs dialogs;
  dialogs.ExpectRegisterClass(ClassRegistration{"TStringGrid", "Grids3", false});
  EXPECT_EQ(commands::EditCustomClass(dialogs, registry, "tmygrid"),
            (RegisteredClass{"TStringGrid", kFamilyWindowedControl, "Grids3"}));
  ASSERT_EQ(dialogs.registration_requests().size(), 1u);
  EXPECT_EQ(dialogs.registration_requests()[0].current,
            (ClassRegistration{"TStringGrid", "MyGrids", false}));
  EXPECT_EQ(registry.entries(), (Entries{{"TMyGrid", "TStringGrid", "Grids3"}}));
}

}  // namespace
}  // namespace kx::catalog
