#include "generate/extras/documentation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "cli/cli.h"
#include "commands/documentation.h"
#include "platform/atomic_file.h"
#include "support/failing_writes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kx::generate {
namespace {

using commands::Audience;
using commands::BoxKind;
using kx::testing::FailingWrites;
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

ItemDef Variable(std::string_view name, std::string_view type, std::uint8_t scope) {
  ItemDef item = model::NewVariableItem(name);
  item.Variable().DataType = type;
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

std::vector<ScopeCase> ScopeCases() {
  ItemDef read_only = Property("Count", "Integer");
  read_only.Property().ReadOnly = true;
  ItemDef hidden = Property("Secret");
  hidden.Property().Hide = true;
  ItemDef hidden_inherited = Property("Color", "TColor");
  hidden_inherited.Property().Hide = true;
  hidden_inherited.Property().Inherited = true;
  ItemDef manual_object = Property("Lines", "TStrings");
  manual_object.Property().Special = model::PropSpecialType::psObjectManualCreate;
  ItemDef indexed = Property("Items");
  indexed.Property().Special = model::PropSpecialType::psIndexedI;
  ItemDef hidden_indexed = indexed;
  hidden_indexed.Property().Hide = true;
  return {
      {"published property", Property("Caption"), true, true, true},
      {"read-only property (public)", read_only, true, true, true},
      {"hidden new property (protected)", hidden, false, true, true},
      {"hidden inherited property (published)", hidden_inherited, true, true, true},
      {"manually created object property (public)", manual_object, true, true, true},
      {"indexed property (public)", indexed, true, true, true},
      {"hidden indexed property (protected)", hidden_indexed, false, true, true},
      {"public method", Method("Go", model::kProcedure, model::kScopePublic), true, true, true},
      {"protected method", Method("Go", model::kProcedure, model::kScopeProtected), false, true,
       true},
      {"private method", Method("Go", model::kProcedure, model::kScopePrivate), false, false, true},
      {"published method", Method("Go", model::kProcedure, model::kScopePublished), true, true,
       true},
      {"method of an unknown scope", Method("Go", model::kProcedure, 9), false, false, false},
      {"public variable", Variable("V", "Integer", model::kScopePublic), true, true, true},
      {"protected variable", Variable("V", "Integer", model::kScopeProtected), false, true, true},
      {"private variable", Variable("V", "Integer", model::kScopePrivate), false, false, true},
      {"published variable", Variable("V", "Integer", model::kScopePublished), true, true, true},
      {"variable of an unknown scope", Variable("V", "Integer", 4), false, false, false},
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

// --- Declarations and notes ----------------------------------------------------------

TEST(DocumentationTest, DeclarationTextByKind) {
  ItemDef indexed = Property("Items");
  indexed.Property().Special = model::PropSpecialType::psIndexedI;
  ItemDef matrix = Property("Cells", "Double");
  matrix.Property().Special = model::PropSpecialType::psIndexedIJ;
  ItemDef named = Property("Values");
  named.Property().Special = model::PropSpecialType::psIndexedString;
  ItemDef create = Method("Create(AOwner: TComponent)", model::kConstructor, 0);
  create.Method().Override = true;
  create.Method().Mode =
      model::MethodMode::kCanBeOverriddenMaxSpeed;  // override wins over the mode
  ItemDef virtual_method = Method("FlashOnce", model::kProcedure, 0);
  virtual_method.Method().Mode = model::MethodMode::kCanBeOverriddenMaxSpeed;
  ItemDef dynamic_method = Method("FlashCount : Integer", model::kFunction, 0);
  dynamic_method.Method().Mode = model::MethodMode::kCanBeOverriddenMinSize;
  ItemDef static_method = Method("Reset(Hard : Boolean)", model::kProcedure, 1);
  static_method.Method().Mode = model::MethodMode::kCannotBeOverridden;
  ItemDef destroy = Method("Destroy", model::kDestructor, 0);
  destroy.Method().Override = true;
  ItemDef status = NewEvent("OnStatusChange", true);
  status.NewEvent().Arglist = "(Sender : TObject; Status : Integer)";

  const std::vector<std::pair<ItemDef, std::string>> cases = {
      {Property("Color", "TColor"), "property Color : TColor"},
      {indexed, "property Items[I : Longint] : String"},
      {matrix, "property Cells[I, J : Longint] : Double"},
      {named, "property Values[S : String] : String"},
      {create, "constructor Create(AOwner: TComponent); override"},
      {virtual_method, "procedure FlashOnce; virtual"},
      {dynamic_method, "function FlashCount : Integer; dynamic"},
      {static_method, "procedure Reset(Hard : Boolean)"},
      {destroy, "destructor Destroy; override"},
      {NewEvent("OnFlash", true), "event OnFlash(Sender : TObject)"},
      {status, "event OnStatusChange(Sender : TObject; Status : Integer)"},
      {ExistingEvent("OnKeyPress", "KeyPress(var Key : Char)", true, true),
       "event OnKeyPress(var Key : Char)"},
      {ExistingEvent("OnClick", "Click", true, true), "event OnClick"},
      {ExistingEvent("OnExit", "DoExit(X) (Y)", true, true), "event OnExit(X) (Y)"},
      {Variable("FCount", "Integer", model::kScopePrivate), "variable FCount : Integer"},
      {model::NewMainItem(), ""},
  };
  for (const auto& [item, expected] : cases) EXPECT_EQ(DeclarationText(item), expected);
}

TEST(DocumentationTest, DescriptionNotes) {
  ItemDef colour = Property("FlashColor", "TColor");
  colour.Descr = "Sets the colour";
  colour.Property().PropDefault = "clRed";
  colour.Property().ReadOnly = true;
  ItemDef question = Property("Ok", "Boolean");
  question.Descr = "Is it ok?";
  ItemDef exclaim = Method("Go", model::kProcedure, 0);
  exclaim.Descr = "  Go now!\t";
  ItemDef stop = Variable("V", "Integer", 0);
  stop.Descr = "Counts.";
  stop.Variable().Default = "0";
  ItemDef only_default = Property("Width", "Integer");
  only_default.Property().PropDefault = "100";
  ItemDef only_read_only = Property("Count", "Integer");
  only_read_only.Property().ReadOnly = true;
  ItemDef blank = Property("Name");
  blank.Descr = "   ";
  ItemDef plain_text = Property("Sep");
  plain_text.Descr = "Between <a> & \"b\"";
  plain_text.Property().PropDefault = "'<'";
  ItemDef event = NewEvent("OnFlash", true);
  event.Descr = "Occurs when it flashes";

  const std::vector<std::pair<ItemDef, std::string>> cases = {
      {colour, "Sets the colour.  Default is clRed.  Read-only.  "},
      {question, "Is it ok?  "},
      {exclaim, "Go now!  "},
      {stop, "Counts.  Initial value is 0.  "},
      {only_default, "Default is 100.  "},
      {only_read_only, "Read-only.  "},
      {blank, ""},
      {Property("Plain"), ""},
      {plain_text, "Between <a> & \"b\".  Default is '<'.  "},
      {event, "Occurs when it flashes.  "},
      {model::NewMainItem(), ""},
  };
  for (const auto& [item, expected] : cases) EXPECT_EQ(DescriptionNotes(item), expected);
}

// --- Help text -----------------------------------------------------------------------

TEST(DocumentationTest, WriteHelpParagraphs) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"One line."}, "<P>One line.\n</P>\n<BR>\n"},
      {{"First line", "second line", "", "Next paragraph"},
       "<P>First line\nsecond line\n</P><P>Next paragraph\n</P>\n<BR>\n"},
      {{"Ends blank", ""}, "<P>Ends blank\n</P><BR>\n"},
      {{"", "Starts blank"}, "<P>Starts blank\n</P>\n<BR>\n"},
      {{"A", "", "", "B"}, "<P>A\n</P><P>B\n</P>\n<BR>\n"},
      {{"A", " \t ", "B"}, "<P>A\n</P><P>B\n</P>\n<BR>\n"},
      {{"  indented <B>bold</B> & \"as is\"  "},
       "<P>  indented <B>bold</B> & \"as is\"  \n</P>\n<BR>\n"},
      {{""}, "<BR>\n"},
      {{}, "<BR>\n"},
  };
  for (const auto& [lines, expected] : cases) {
    ItemDef item = Property("Color", "TColor");
    item.Help = lines;
    item.Descr = "Not used when there is help";
    EXPECT_EQ(Help(item), expected);
  }
}

TEST(DocumentationTest, WriteHelpWithoutHelpText) {
  ItemDef item = Property("FlashColor", "TColor");
  EXPECT_EQ(Help(item), "<BR>\n");
  item.Descr = "Sets the colour";
  item.Property().PropDefault = "clRed";
  item.Property().ReadOnly = true;
  EXPECT_EQ(Help(item), "<P>Sets the colour.  Default is clRed.  Read-only.  </P>\n");
  item.Descr = "a < b & \"c\" > d";
  item.Property().PropDefault = "";
  item.Property().ReadOnly = false;
  EXPECT_EQ(Help(item), "<P>a &lt; b &amp; &quot;c&quot; &gt; d.  </P>\n");
}

TEST(DocumentationTest, EscapeHtml) {
  EXPECT_EQ(EscapeHtml("plain 'text' \xA9 1999"), "plain 'text' \xA9 1999");
  EXPECT_EQ(EscapeHtml("&<>\""), "&amp;&lt;&gt;&quot;");
  EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;");
  EXPECT_EQ(EscapeHtml(""), "");
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

// The pages themselves are the golden tests'; what they do not show is escaping in the title
// and the copyright line.
TEST(DocumentationTest, TitleAndCopyrightAreEscaped) {
  model::ComponentDef def;
  def.MainInfo.NewClassName = "TA<B>";
  def.MainInfo.CopyrightLine = "Copyright \xA9 1999 by A & B <ab@example.com>";
  const std::string page = WriteText(def, kHtmlFormat, kApplicationScopes);
  EXPECT_NE(page.find("<TITLE>TA&lt;B&gt; component</TITLE>\n</HEAD>\n"), std::string::npos);
  EXPECT_NE(page.find("<H1>TA&lt;B&gt; component</H1>\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<P><I>Copyright \xA9 1999 by A &amp; B &lt;ab@example.com&gt;</I></P>"),
            std::string::npos)
      << page;
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
  dialogs_.ExpectSaveFile(path)
      .ExpectDocumentationAudience(Audience::kComponent, Audience::kApplication)
      .ExpectOpenDocument(path);
  EXPECT_EQ(Run(), path);
  EXPECT_EQ(audience_, Audience::kApplication);
  const std::string page = TempDir::Read(path);
  EXPECT_EQ(page.rfind("<HTML>\r\n<HEAD>\r\n<META ", 0), 0u) << "CR LF line ends";
  EXPECT_EQ(page.find("Secret"), std::string::npos) << "private methods are for the component";
  EXPECT_LT(page.find("\"Alpha\""), page.find("\"Zeta\""));
  EXPECT_EQ(model::ItemName(def_.Item(1)), "Alpha") << "the definition ends sorted";

  // The next run opens the dialog on the last choice, and an existing page is replaced.
  dialogs_.ExpectSaveFile(path)
      .ExpectDocumentationAudience(Audience::kApplication, Audience::kComponent)
      .ExpectOpenDocument(path);
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

  // A write that fails half way leaves the previous page as it was.
  const auto existing = dir_.Write("old.html", "old page");
  const FailingWrites failing;
  dialogs_.ExpectSaveFile(existing)
      .ExpectDocumentationAudience(Audience::kDescendant, Audience::kDescendant)
      .ExpectBox(BoxKind::kInformation, "Could not open " + existing.string());
  EXPECT_FALSE(Run());
  EXPECT_EQ(TempDir::Read(existing), "old page");
}

// --- kestrix-cli docs ----------------------------------------------------------------

class DocsCliTest : public ::testing::Test {
 protected:
  struct Result {
    int status;
    std::string out;
    std::string err;
  };
  Result RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", (dir_ / "Kestrix.ini").string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::filesystem::path Definition(std::string_view unit_name) {
    return dir_.Write("def.cd", "[MAININFO$]\r\nUnitName=" + std::string(unit_name) +
                                    "\r\nNewClassName=TGo\r\nTargetDir=" + dir_.path().string() +
                                    "/\r\n[ITEMLIST$]\r\nGo=Method\r\nSecret=Method\r\n"
                                    "[Secret]\r\nS=2\r\n");
  }
  TempDir dir_;
};

TEST_F(DocsCliTest, WritesTheUnitsPageIntoTheTargetDirectory) {
  const auto file = Definition("GoUnit");
  Result r = RunCli({"docs", file.string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  const auto page = dir_ / "gounit.html";
  EXPECT_EQ(r.out, page.string() + "\n");
  EXPECT_NE(TempDir::Read(page).find("<A NAME=\"Secret\"><H3>procedure Secret</H3>\r\n"),
            std::string::npos)
      << "without --audience the page is for the component's developer";

  r = RunCli(
      {"docs", file.string(), "--audience", "application", "-o", (dir_ / "app.htm").string()});
  ASSERT_EQ(r.status, cli::kExitOk) << r.out << r.err;
  EXPECT_EQ(r.out, (dir_ / "app.htm").string() + "\n");
  const std::string app = TempDir::Read(dir_ / "app.htm");
  EXPECT_NE(app.find("procedure Go</H3>"), std::string::npos);
  EXPECT_EQ(app.find("Secret"), std::string::npos);
}

TEST_F(DocsCliTest, RefusesAUnitNameThatIsNoFileName) {
  const auto file = Definition("Go.Unit");
  Result r = RunCli({"docs", file.string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "kestrix-cli: error: The unit name \"Go.Unit\" is not a valid Pascal identifier, so no "
            "page was written.\n");
  r = RunCli({"docs", file.string(), "-o", (dir_ / "named.html").string()});
  EXPECT_EQ(r.status, cli::kExitOk) << "a name given on the command line needs no unit name";
}

}  // namespace
}  // namespace kx::generate
