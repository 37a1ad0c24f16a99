// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/unit/unit_writer.h"

#include <gtest/gtest.h>

#include "commands/generate_unit.h"
#include "generate/unit/class_declaration.h"
#include "generate/unit_frame.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

using commands::Answer;
using commands::BoxKind;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;

TEST(UnitFrameTest, BoxLinesAndDates) {
  EXPECT_EQ(BoxLine(""), "{" + std::string(67, ' ') + " }");
  EXPECT_EQ(BoxLine(std::string(70, 'x')), "{ " + std::string(70, 'x') + " }");
  EXPECT_EQ(DateText({1999, 9, 12, 14, 30, 0}), "on 12 Sept 1999 at 14:30");
  EXPECT_EQ(DateText({2000, 1, 1, 0, 0, 0}), "on 1 Jan 2000 at 0:00");
}

TEST(UnitFrameTest, UntitledHeader) {
  model::ComponentDef def;
  Printer out;
  WriteHeaderComment(out, def, {1999, 3, 3, 9, 5, 0}, TargetFor(model::CodeTarget::kDelphi));
  EXPECT_NE(out.text().find("{   Generated from untitled component definition " +
                            std::string(19, ' ') + " }\n"),
            std::string::npos)
      << out.text();
}

// The golden units show the wrapping of long lists.
TEST(UnitFrameTest, UsesClauseEdges) {
  const struct {
    model::TextBlock units;
    std::string text;
  } cases[] = {
      {std::nullopt, ""},
      {std::vector<std::string>{}, ""},
      {std::vector<std::string>{"Classes"}, "uses Classes;\n"},
      // The last unit itself passes 60: no line of five blanks follows.
      {std::vector<std::string>{std::string(60, 'A')}, "uses " + std::string(60, 'A') + ";\n"},
  };
  for (const auto& c : cases) {
    Printer out;
    WriteUsesClause(out, c.units);
    EXPECT_EQ(out.text(), c.text);
  }
}

TEST(ClassDeclarationTest, IsDefaultable) {
  const struct {
    const char* text;
    bool defaultable;
  } cases[] = {
      {"100", true},    {"-5", true},      {"  +7", true},        {"$FF", true},
      {"clRed", true},  {"_x1", true},     {"[]", true},          {"[fsBold, fsItalic]", true},
      {"1.5", false},   {"'text'", false}, {"", false},           {"2147483648", false},
      {"1 + 2", false}, {"$", false},      {"[", false},          {"7 ", false},
      {"-$10", false},  {" +$7F", false},  {"-2147483648", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDefaultable(c.text), c.defaultable) << c.text;
}

TEST(ClassDeclarationTest, DefaultClausesOnlyForTypesThatTakeThem) {
  for (const char* type : {"Integer", "TColor", "Boolean", "TAlign", "Char", "TFontStyles"}) {
    EXPECT_TRUE(TypeTakesDefault(type)) << type;
  }
  for (const char* type : {"Double", "real", "TDateTime", "String", "string[20]", "Currency"}) {
    EXPECT_FALSE(TypeTakesDefault(type)) << type;
  }
}

// A default the type cannot hold would stop the unit compiling, and the compilers read the
// lowest Integer as no default at all: both are left out of the clause.
TEST(ClassDeclarationTest, NoDefaultClauseForAValueTheTypeCannotHold) {
  const struct {
    const char* type;
    const char* value;
    const char* declaration;
  } cases[] = {
      {"Integer", "100", "property Size : Integer read FSize write FSize default 100;"},
      {"Integer", "True", "property Size : Integer read FSize write FSize;"},
      {"Word", "70000", "property Size : Word read FSize write FSize;"},
      {"Boolean", "1", "property Size : Boolean read FSize write FSize;"},
      {"TAlign", "[alTop]", "property Size : TAlign read FSize write FSize;"},
      {"Integer", "-2147483648", "property Size : Integer read FSize write FSize;"},
      {"Integer", "-2147483647",
       "property Size : Integer read FSize write FSize default -2147483647;"},
  };
  for (const auto& c : cases) {
    model::ComponentDef def;
    model::ItemDef item = model::NewPropertyItem("Size");
    item.Property().PropType = c.type;
    item.Property().PropDefault = c.value;
    model::AddItem(def, item);
    generate::Printer out;
    WriteTypeSection(out, def, true);
    EXPECT_NE(out.text().find(c.declaration), std::string::npos) << out.text();
  }
}

TEST(ClassDeclarationTest, FieldsComeBeforePropertiesInEverySection) {
  model::ComponentDef def;
  model::ItemDef event = model::NewEventItem("OnHidden");
  event.NewEvent().Publish = false;
  model::AddItem(def, event);
  model::ItemDef variable = model::NewVariableItem("Count");
  variable.Variable().Scope = model::kScopeProtected;
  model::AddItem(def, variable);
  generate::Printer out;
  WriteTypeSection(out, def, true);
  const std::string& text = out.text();
  EXPECT_LT(text.find("Count : String;"),
            text.find("property OnHidden : TNotifyEvent read FOnHidden write FOnHidden;"));
}

// The golden units show the bindings of methods.
TEST(ClassDeclarationTest, MemberDeclarationOfAnEventsDispatchMethod) {
  model::ItemDef event = model::NewEventItem("OnStatusChange");
  event.NewEvent().Arglist = "Sender : TObject; Status : Integer";
  EXPECT_EQ(MemberDeclaration(event), "StatusChange(Sender : TObject; Status : Integer); virtual;");
  EXPECT_EQ(MemberDeclaration(model::NewPropertyItem("X")), "");
}

TEST(ClassDeclarationTest, MembersWithScopesNoSectionShows) {
  model::ComponentDef def;
  model::ItemDef published_method = model::NewMethodItem("Shown");
  published_method.Method().Scope = model::kScopePublished;
  model::AddItem(def, published_method);
  model::ItemDef odd = model::NewVariableItem("Odd");
  odd.Variable().Scope = 9;
  model::AddItem(def, odd);
  const DeclarationLists lists = BuildDeclarationLists(def, true);
  const auto& public_methods = lists.lists[model::kScopePublic][DeclarationLists::kMethods];
  const auto& public_fields = lists.lists[model::kScopePublic][DeclarationLists::kFields];
  EXPECT_EQ(public_methods, std::vector<std::string>{"procedure Shown;"});
  EXPECT_EQ(public_fields, std::vector<std::string>{"Odd : String;"});
}

class GenerateComponentCodeTest : public ::testing::Test {
 protected:
  GenerateComponentCodeTest() {
    def_.MainInfo.UnitName = "MyButton";
    def_.MainInfo.NewClassName = "TMyButton";
    def_.MainInfo.ParentClassName = "TButton";
    options_.default_target_dir = dir_.path().string() + "/";
  }
  TempDir dir_;
  model::ComponentDef def_;
  commands::GenerateUnitOptions options_;
  ScriptedDialogs dialogs_;
  platform::FixedClock clock_{{1999, 3, 3, 9, 5, 0}};
};

TEST_F(GenerateComponentCodeTest, WritesIntoTheTargetDirectory) {
  options_.codeview = store::kCodeviewNever;
  dialogs_.ExpectBox(BoxKind::kInformation,
                     "Component code written to " + (dir_ / "mybutton.pas").string() + ".",
                     commands::Answer::kOk, "Generate component code");
  const auto path = commands::GenerateComponentCode(def_, options_, dialogs_, clock_);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, dir_ / "mybutton.pas");
  EXPECT_EQ(def_.MainInfo.TargetDir, dir_.path().string() + "/");
  const std::string text = TempDir::Read(*path);
  EXPECT_EQ(text.rfind("{ ****", 0), 0u);
  EXPECT_NE(text.find("\r\nunit MyButton;\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 6), "end.\r\n");
}

// The unit replaced stays beside the new one, where the definition's own backup
// (mybutton.bak) is not; the target decides the encoding.
TEST_F(GenerateComponentCodeTest, KeepsTheOldUnitAndWritesTheTargetsEncoding) {
  const struct {
    model::CodeTarget target;
    std::string copyright;
    std::string start;  // a byte-order mark or none
  } cases[] = {
      {model::CodeTarget::kDelphi, "{   Copyright \xA9 1999 by me  ", ""},
      {model::CodeTarget::kLazarus, "{   Copyright \xC2\xA9 1999 by me  ", ""},
      {model::CodeTarget::kDelphiXe, "{   Copyright \xC2\xA9 1999 by me  ", "\xEF\xBB\xBF"}};
  for (const auto& c : cases) {
    const auto path = dir_.Write("mybutton.pas", "unit MyButton; { edited by hand }");
    dir_.Write("mybutton.bak", "the definition's backup");
    def_.MainInfo.CopyrightLine = "Copyright \xA9 1999 by me";
    options_.target = c.target;
    dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(commands::kUnitChangedQuestion),
                       commands::Answer::kNo, "Generate component code");
    dialogs_.ExpectViewFile(path);
    ASSERT_EQ(commands::GenerateComponentCode(def_, options_, dialogs_, clock_), path);
    EXPECT_EQ(TempDir::Read(dir_ / "mybutton.pas.bak"), "unit MyButton; { edited by hand }");
    EXPECT_EQ(TempDir::Read(dir_ / "mybutton.bak"), "the definition's backup");
    const std::string text = TempDir::Read(path);
    EXPECT_NE(text.find(c.copyright), std::string::npos) << text;
    EXPECT_EQ(text.rfind(c.start + "{ ****", 0), 0u);
    // Today's Delphi registers in a unit of its own, which never replaces the component unit.
    const std::filesystem::path registration = dir_ / "mybuttonreg.pas";
    EXPECT_EQ(std::filesystem::exists(registration), c.target == model::CodeTarget::kDelphiXe);
    if (std::filesystem::exists(registration)) {
      const std::string reg = TempDir::Read(registration);
      EXPECT_NE(reg.find("\r\nunit MyButtonReg;\r\n"), std::string::npos) << reg;
      EXPECT_NE(reg.find("RegisterComponents("), std::string::npos) << reg;
      EXPECT_EQ(text.find("procedure Register;"), std::string::npos) << text;
    }
  }
}

// A unit edited since it was generated is replaced only as the user or the command line says;
// one that only the definition changed since is replaced without a word.
TEST_F(GenerateComponentCodeTest, AsksBeforeReplacingAnEditedUnit) {
  using commands::Answer;
  using commands::EditedUnit;
  constexpr std::string_view kEdit = "     { edited in the IDE }\r\n";
  const struct {
    std::string name;
    bool edit_unit;
    EditedUnit handling;
    std::optional<Answer> answer;  // to the question; nothing: not asked
    bool written;                  // the unit replaced
    bool took_edits;
  } cases[] = {
      {"not edited", false, EditedUnit::kAsk, std::nullopt, true, false},
      {"cancelled", true, EditedUnit::kAsk, Answer::kCancel, false, false},
      {"replaced", true, EditedUnit::kAsk, Answer::kNo, true, false},
      {"taken first", true, EditedUnit::kAsk, Answer::kYes, true, true},
      {"refused", true, EditedUnit::kRefuse, std::nullopt, false, false},
      {"overwritten", true, EditedUnit::kReplace, std::nullopt, true, false},
  };
  options_.codeview = store::kCodeviewNever;
  model::ItemDef ring = model::NewMethodItem("Ring");
  ring.Code = std::vector<std::string>{"begin", "     Beep;", "end;"};
  model::AddItem(def_, ring);
  const model::ComponentDef start = def_;
  const std::filesystem::path path = dir_ / "mybutton.pas";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    def_ = start;
    std::filesystem::remove(path);
    dialogs_.ExpectBox(BoxKind::kInformation, "Component code written to " + path.string() + ".",
                       Answer::kOk, "Generate component code");
    ASSERT_TRUE(commands::GenerateComponentCode(def_, options_, dialogs_, clock_));
    std::string unit = TempDir::Read(path);
    if (c.edit_unit) {
      unit.insert(unit.find("     Beep;\r\n") + 12, kEdit);
      dir_.Write("mybutton.pas", unit);
    }
    def_.MainInfo.DefaultPalette = "Other page";  // a change made in Kestrix meanwhile
    options_.edited = {c.handling, "kestrix-cli sync my.cd", "--overwrite"};
    if (c.answer) {
      dialogs_.ExpectBox(BoxKind::kConfirmation, std::string(commands::kUnitChangedQuestion),
                         *c.answer, "Generate component code");
    }
    if (c.handling == EditedUnit::kRefuse) {
      dialogs_.ExpectBox(BoxKind::kError,
                         path.string() +
                             " was changed outside Kestrix and holds edits the definition "
                             "lacks. Take them into the definition with \"kestrix-cli sync "
                             "my.cd " +
                             path.string() +
                             "\" first, or replace it with "
                             "--overwrite (the unit as it is now is kept as mybutton.pas.bak).",
                         Answer::kOk, "Generate component code");
    }
    if (c.took_edits) {
      const auto line = 1 + std::count(unit.begin(),
                                       unit.begin() + static_cast<std::ptrdiff_t>(
                                                          unit.find("procedure TMyButton.Ring;")),
                                       '\n');
      dialogs_.ExpectBox(BoxKind::kInformation,
                         "Taken from the unit: 1 changed, 0 added, 0 in conflict; 0 removed from "
                         "the unit, 0 not placed.\n\nChanged:\n  line " +
                             std::to_string(line) + ": the body of method Ring",
                         Answer::kOk, "Generate component code");
    }
    if (c.written) {
      dialogs_.ExpectBox(BoxKind::kInformation, "Component code written to " + path.string() + ".",
                         Answer::kOk, "Generate component code");
    }
    bool took = false;
    EXPECT_EQ(commands::GenerateComponentCode(def_, options_, dialogs_, clock_, &took).has_value(),
              c.written);
    EXPECT_EQ(took, c.took_edits);
    const std::string now = TempDir::Read(path);
    EXPECT_EQ(now.find("Other page") != std::string::npos, c.written);
    EXPECT_EQ(now.find(kEdit) != std::string::npos, c.edit_unit && !(c.written && !c.took_edits));
    if (c.written && c.edit_unit) {
      EXPECT_EQ(TempDir::Read(dir_ / "mybutton.pas.bak"), unit);
    }
  }
}

TEST_F(GenerateComponentCodeTest, RefusesUnitNamesThatAreNoIdentifiers) {
  def_.MainInfo.UnitName = "../evil";
  dialogs_.ExpectBox(BoxKind::kError,
                     "The unit name \"../evil\" is not a valid Pascal identifier, so no unit was "
                     "written.");
  EXPECT_FALSE(commands::GenerateComponentCode(def_, options_, dialogs_, clock_));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 0);
}

TEST_F(GenerateComponentCodeTest, ATargetThatCannotBeWritten) {
  def_.MainInfo.TargetDir = (dir_ / "missing").string() + "/";
  const auto path = dir_ / "missing" / "mybutton.pas";
  dialogs_.ExpectBox(BoxKind::kInformation, "Could not open " + path.string());
  EXPECT_FALSE(commands::GenerateComponentCode(def_, options_, dialogs_, clock_));
  EXPECT_EQ(def_.MainInfo.TargetDir, (dir_ / "missing").string() + "/")
      << "the target directory is remembered before the file is written";
}

TEST(UnitWriterTest, OwnEditorsAddDsgnintfAndInterfaceOnlyStopsAtRegister) {
  model::ComponentDef def;
  def.MainInfo.NewClassName = "TX";
  model::ResetUnits(def.MainInfo.Units);
  model::ItemDef hidden = model::NewPropertyItem("Secret");
  hidden.Property().Hide = true;
  hidden.Property().PropertyEditor.DefEdit = false;
  model::AddItem(def, hidden);
  PrepareForUnit(def, {.interface_only = true});
  const std::string text = WriteComponentUnit(def, {.interface_only = true}, {1999, 3, 3, 9, 5, 0});
  EXPECT_EQ(def.MainInfo.Units->back(), "Dsgnintf");
  EXPECT_EQ(text.substr(text.size() - 21), "procedure Register;\n\n");
  EXPECT_EQ(text.find("implementation"), std::string::npos);
  PrepareForUnit(def, {});
  const std::string full = WriteComponentUnit(def, {}, {1999, 3, 3, 9, 5, 0});
  EXPECT_EQ(full.find("RegisterPropertyEditor"), std::string::npos)
      << "a hidden property's editor is not registered";
}

}  // namespace
}  // namespace kx::generate
