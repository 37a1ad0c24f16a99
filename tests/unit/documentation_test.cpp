// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/documentation.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "commands/documentation.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

using commands::Audience;
using commands::BoxKind;
using kx::testing::ScriptedDialogs;
using kx::testing::TempDir;
using model::ItemDef;

ItemDef Property(std::string_view name, std::string_view type = "String") {
  ItemDef item = model::NewPropertyItem(name);
  item.Property().PropType = type;
  return item;
}

ItemDef Method(std::string_view header, std::uint8_t kind, std::uint8_t scope) {
  ItemDef item = model::NewMethodItem(header);
  item.Method().MethodKind = kind;
  item.Method().Scope = scope;
  return item;
}

ItemDef Variable(std::uint8_t scope) {
  ItemDef item = model::NewVariableItem("V");
  item.Variable().Scope = scope;
  return item;
}

ItemDef NewEvent(std::string_view name, bool publish) {
  ItemDef item = model::NewEventItem(name);
  item.NewEvent().Publish = publish;
  return item;
}

ItemDef ExistingEvent(std::string_view name, std::string_view handler, bool override_it,
                      bool publish) {
  ItemDef item = model::NewExistingEventItem(name);
  item.ExistingEvent().HandlerDecl = handler;
  item.ExistingEvent().Override = override_it;
  item.ExistingEvent().Publish = publish;
  return item;
}

std::string Help(const ItemDef& item) {
  PageWriter out;
  WriteHelp(out, item);
  return out.text();
}

// --- The scope filter ----------------------------------------------------------------

struct ScopeCase {
  std::string what;
  ItemDef item;
  bool application;
  bool descendant;
  bool component;
};

// The golden pages show each scope for each audience; these add the rules behind them.
// A property's scope is model::PropertyScope's.
std::vector<ScopeCase> ScopeCases() {
  ItemDef hidden = Property("Secret");
  hidden.Property().Hide = true;
  return {
      {"published property", Property("Caption"), true, true, true},
      {"hidden new property (protected)", hidden, false, true, true},
      {"private method", Method("Go", model::kProcedure, model::kScopePrivate), false, false, true},
      {"method of an unknown scope", Method("Go", model::kProcedure, 9), false, false, false},
      {"protected variable", Variable(model::kScopeProtected), false, true, true},
      {"variable of an unknown scope", Variable(4), false, false, false},
      {"published new event", NewEvent("OnFlash", true), true, true, true},
      {"unpublished new event (protected)", NewEvent("OnFlash", false), false, true, true},
      {"existing event neither overridden nor published",
       ExistingEvent("OnClick", "Click", false, false), false, false, false},
      {"overridden existing event (protected)", ExistingEvent("OnClick", "Click", true, false),
       false, true, true},
      {"published existing event", ExistingEvent("OnClick", "Click", false, true), true, true,
       true},
      {"overridden and published existing event", ExistingEvent("OnClick", "Click", true, true),
       true, true, true},
      {"main pseudo-item", model::NewMainItem(), false, false, false},
  };
}

TEST(DocumentationTest, IsDocumentedByKindAndAudience) {
  for (const ScopeCase& c : ScopeCases()) {
    EXPECT_EQ(IsDocumented(c.item, kApplicationScopes), c.application) << c.what;
    EXPECT_EQ(IsDocumented(c.item, kDescendantScopes), c.descendant) << c.what;
    EXPECT_EQ(IsDocumented(c.item, kComponentScopes), c.component) << c.what;
    EXPECT_FALSE(IsDocumented(c.item, ScopeSet{})) << c.what;
  }
}

TEST(DocumentationTest, AudiencesGiveTheirScopeSets) {
  EXPECT_EQ(commands::AudienceScopes(Audience::kApplication),
            (ScopeSet{model::kScopePublic, model::kScopePublished}));
  EXPECT_EQ(commands::AudienceScopes(Audience::kDescendant),
            (ScopeSet{model::kScopePublic, model::kScopeProtected, model::kScopePublished}));
  EXPECT_EQ(commands::AudienceScopes(Audience::kComponent), (ScopeSet{0, 1, 2, 3}));
  EXPECT_FALSE(kComponentScopes.Contains(4));
  EXPECT_FALSE(kComponentScopes.Contains(255));
  EXPECT_EQ((ScopeSet{0, 9}), (ScopeSet{0}));
}

// --- Declarations, notes and help ------------------------------------------------------
// The pages of tests/golden_docs show the common cases; these are the ones they do not.

TEST(DocumentationTest, DeclarationTextByKind) {
  ItemDef named = Property("Values");
  named.Property().Special = model::PropSpecialType::psIndexedString;
  ItemDef create = Method("Create(AOwner: TComponent)", model::kConstructor, 0);
  create.Method().Override = true;
  create.Method().Mode = model::MethodMode::kCanBeOverriddenMaxSpeed;  // override wins
  ItemDef destroy = Method("Destroy", model::kDestructor, 0);
  destroy.Method().Override = true;

  const std::vector<std::pair<ItemDef, std::string>> cases = {
      {named, "property Values[S : String] : String"},
      {create, "constructor Create(AOwner: TComponent); override"},
      {destroy, "destructor Destroy; override"},
      {ExistingEvent("OnExit", "DoExit(X) (Y)", true, true), "event OnExit(X) (Y)"},
      {model::NewMainItem(), ""},
  };
  for (const auto& [item, expected] : cases) EXPECT_EQ(DeclarationText(item), expected);
}

TEST(DocumentationTest, DescriptionNotes) {
  ItemDef blank = Property("Name");
  blank.Descr = "   ";
  ItemDef plain_text = Property("Sep");
  plain_text.Descr = "Between <a> & \"b\"";
  plain_text.Property().PropDefault = "'<'";

  const std::vector<std::pair<ItemDef, std::string>> cases = {
      {blank, ""},
      {Property("Plain"), ""},
      {plain_text, "Between <a> & \"b\".  Default is '<'.  "},  // escaped by WriteHelp
      {model::NewMainItem(), ""},
  };
  for (const auto& [item, expected] : cases) EXPECT_EQ(DescriptionNotes(item), expected);
}

TEST(DocumentationTest, WriteHelp) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"", "Starts blank"}, "<P>Starts blank\n</P>\n<BR>\n"},
      {{"A", " \t ", "B"}, "<P>A\n</P><P>B\n</P>\n<BR>\n"},
      {{""}, "<BR>\n"},
      {{}, "<BR>\n"},
  };
  for (const auto& [lines, expected] : cases) {
    ItemDef item = Property("Color", "TColor");
    item.Help = lines;
    item.Descr = "Not used when there is help";
    EXPECT_EQ(Help(item), expected);
  }
  EXPECT_EQ(Help(Property("Color")), "<BR>\n") << "neither help nor notes";
}

TEST(DocumentationTest, EscapeHtml) {
  EXPECT_EQ(EscapeHtml("plain 'text' \xA9 1999"), "plain 'text' \xA9 1999");
  EXPECT_EQ(EscapeHtml("&<>\""), "&amp;&lt;&gt;&quot;");
  EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;");
}

// --- The page ------------------------------------------------------------------------

TEST(DocumentationTest, AFormatOtherThanHtmlWritesNothing) {
  model::ComponentDef def;
  model::AddItem(def, Property("Zeta"));
  model::AddItem(def, Property("Alpha"));
  for (int format : {1, -1, 2}) {
    try {
      WriteText(def, format, kComponentScopes);
      ADD_FAILURE() << "format " << format << " was accepted";
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), "A text format other than HTML was requested in WriteText.");
    }
  }
  EXPECT_EQ(model::ItemName(def.Item(1)), "Zeta") << "nothing happens before the check";
}

TEST(DocumentationTest, TitleIsEscaped) {
  model::ComponentDef def;
  def.MainInfo.NewClassName = "TA<B>";
  const std::string page = WriteText(def, kHtmlFormat, kApplicationScopes);
  EXPECT_NE(page.find("<TITLE>TA&lt;B&gt; component</TITLE>\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<H1>TA&lt;B&gt; component</H1>\n"), std::string::npos) << page;
}

// --- The command ---------------------------------------------------------------------

class DocumentationCommandTest : public ::testing::Test {
 protected:
  DocumentationCommandTest() {
    def_.MainInfo.UnitName = "MyButton";
    def_.MainInfo.NewClassName = "TMyButton";
    model::AddItem(def_, Property("Zeta"));
    model::AddItem(def_, Method("Secret", model::kProcedure, model::kScopePrivate));
    model::AddItem(def_, Property("Alpha"));
  }
  std::optional<std::filesystem::path> Run() {
    return commands::GenerateDocumentation(def_, audience_, dialogs_, dir_.path().string() + "/");
  }

  TempDir dir_;
  model::ComponentDef def_;
  Audience audience_ = commands::kDefaultAudience;
  ScriptedDialogs dialogs_;
};

TEST_F(DocumentationCommandTest, CancelAtTheSaveDialog) {
  dialogs_.ExpectSaveFile(std::nullopt);
  EXPECT_FALSE(Run());
  ASSERT_EQ(dialogs_.file_requests().size(), 1u);
  const commands::FileDialogRequest& request = dialogs_.file_requests()[0];
  EXPECT_EQ(request.title, "Name of HTML file to generate");
  EXPECT_EQ(request.filter, "HTML files (*.html, *.htm)|*.html;*.htm|All files (*.*)|*.*");
  EXPECT_EQ(request.default_ext, "html");
  EXPECT_FALSE(request.must_exist);
  EXPECT_FALSE(request.overwrite_prompt) << "an existing page is replaced without a question";
  EXPECT_EQ(request.file_name, "mybutton.html");
  EXPECT_EQ(request.initial_dir, dir_.path().string() + "/");
  EXPECT_EQ(audience_, Audience::kComponent);
}

TEST_F(DocumentationCommandTest, NoProposedNameForABadUnitName) {
  def_.MainInfo.UnitName = "../evil";
  def_.MainInfo.TargetDir = "/somewhere/";
  const commands::FileDialogRequest request = commands::DocumentationSaveRequest(def_, "/default/");
  EXPECT_EQ(request.file_name, "");
  EXPECT_EQ(request.initial_dir, "/somewhere/");
}

TEST_F(DocumentationCommandTest, CancelAtTheAudienceDialog) {
  const auto path = dir_ / "page.html";
  dialogs_.ExpectSaveFile(path).ExpectDocumentationAudience(Audience::kComponent, std::nullopt);
  EXPECT_FALSE(Run());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(audience_, Audience::kComponent);
}

TEST_F(DocumentationCommandTest, WritesOpensAndRemembersTheAudience) {
  const auto path = dir_ / "page.html";
  const std::string written = "Documentation written to " + path.string() + ".";
  dialogs_.ExpectSaveFile(path)
      .ExpectDocumentationAudience(Audience::kComponent, Audience::kApplication)
      .ExpectOpenDocument(path)
      .ExpectBox(BoxKind::kInformation, written, commands::Answer::kOk, "Generate documentation");
  EXPECT_EQ(Run(), path);
  EXPECT_EQ(audience_, Audience::kApplication);
  const std::string page = TempDir::Read(path);
  EXPECT_EQ(page.rfind("<HTML>\r\n<HEAD>\r\n<META ", 0), 0u) << "CR LF line ends";
  EXPECT_EQ(page.find("Secret"), std::string::npos) << "private methods are for the component";
  EXPECT_LT(page.find("\"Alpha\""), page.find("\"Zeta\""));
  EXPECT_EQ(model::ItemName(def_.Item(1)), "Alpha") << "the definition ends sorted";

  // The next run opens the dialog on the last choice, and an existing page is replaced.
  // Without a browser to show it, a box says so.
  dialogs_.ExpectSaveFile(path)
      .ExpectDocumentationAudience(Audience::kApplication, Audience::kComponent)
      .ExpectOpenDocument(path, /*started=*/false)
      .ExpectBox(BoxKind::kWarning,
                 written +
                     "\r\rNo browser could be started to show it; open the page in a "
                     "browser of your choice.",
                 commands::Answer::kOk, "Generate documentation");
  EXPECT_EQ(Run(), path);
  EXPECT_EQ(audience_, Audience::kComponent);
  model::ComponentDef copy = def_;
  EXPECT_EQ(TempDir::Read(path), WithCrlf(WriteText(copy, kHtmlFormat, kComponentScopes)));
  EXPECT_NE(TempDir::Read(path).find("procedure Secret"), std::string::npos);
}

TEST_F(DocumentationCommandTest, AFileThatCannotBeWritten) {
  const auto path = dir_ / "missing" / "page.html";
  dialogs_.ExpectSaveFile(path)
      .ExpectDocumentationAudience(Audience::kComponent, Audience::kDescendant)
      .ExpectBox(BoxKind::kInformation, "Could not open " + path.string());
  EXPECT_FALSE(Run());
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kx::generate
