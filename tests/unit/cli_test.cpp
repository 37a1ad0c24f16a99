// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace kx::cli {
namespace {

using kx::testing::TempDir;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(std::vector<std::string> args, TerminalEncoding encoding = TerminalEncoding::kUtf8) {
  std::ostringstream out;
  std::ostringstream err;
  int status = Run(args, out, err, encoding);
  return {status, out.str(), err.str()};
}

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST(CliTest, ClassReportsWhatTheCatalogueKnows) {
  Result r = RunCli({"class", "tedit"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_TRUE(Contains(r.out, "Family:   2 (Windowed control)")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Unit:     Stdctrls"));
  EXPECT_TRUE(Contains(r.out, "Palette:  Standard"));
  EXPECT_TRUE(Contains(r.out, "has OnChange                          yes"));
  EXPECT_TRUE(Contains(r.out,
                       "event OnKeyPress -> KeyPress(var Key : Char) (publish, override, "
                       "default code 9)"));
  EXPECT_TRUE(r.err.empty());
  r = RunCli({"class", "TSharingThread"});
  EXPECT_TRUE(Contains(r.out,
                       "method procedure SetResourceFlag(Value : TResourceFlag) (protected, "
                       "override, default code 21)"))
      << r.out;
}

TEST(CliTest, ClassOfAnUnknownAndOfARegisteredClass) {
  TempDir dir;
  const auto settings = dir.Write("Kestrix.ini",
                                  "[Class.TMyGrid]\r\nAncestor=TStringGrid\r\n"
                                  "Unit=MyGrids\r\n");
  Result r = RunCli({"--settings", settings.string(), "class", "TFoo"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kestrix-cli: class: TFoo is neither a standard class nor a registered one\n");

  r = RunCli({"--settings", settings.string(), "class", "tmygrid"});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out.rfind("Class:    TMyGrid (registered)\nAncestor: TStringGrid\nUnit:     MyGrids\n"
                        "Ancestor of the registered class:\nClass:    TStringGrid\n",
                        0),
            0u)
      << r.out;

  // Settings that cannot be read stop the command with the reason.
  r = RunCli({"--settings", dir.path().string(), "class", "TFoo"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, "kestrix-cli: " + dir.path().string() + " could not be read (" +
                       std::make_error_code(std::errc::is_a_directory).message() + ")\n");
}

TEST(CliTest, GlobalUsage) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, "kestrix-cli: no command given\nTry 'kestrix-cli --help'.\n"},
      {{"nonsense"}, "kestrix-cli: unknown command 'nonsense'\nTry 'kestrix-cli --help'.\n"},
      {{"--bogus", "check", "a.cd"}, "kestrix-cli: unknown option '--bogus'\n"},
      {{"--settings"}, "kestrix-cli: --settings needs a value: FILE\n"},
      {{"--yes", "--no", "check", "a.cd"}, "kestrix-cli: --yes and --no exclude each other\n"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
  }
}

TEST(CliTest, OptionErrors) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"unit", "a.cd", "--comments", "bogus"},
       "unit: --comments: 'bogus' is not one of full, normal"},
      {{"unit", "a.cd", "--comments=bogus"},
       "unit: --comments: 'bogus' is not one of full, normal"},
      {{"unit", "a.cd", "-o"}, "unit: -o needs a value: DIR"},
      {{"unit", "a.cd", "--date", "1999"}, "unit: --date: '1999' is not \"YYYY-MM-DD HH:MM\""},
      {{"unit", "a.cd", "-o", "x", "-o", "y"}, "unit: -o is given twice"},
      {{"unit", "a.cd", "--update=yes"}, "unit: --update takes no value"},
      {{"unit", "a.cd", "--bogus"}, "unit: unknown option '--bogus'"},
      {{"unit"}, "unit: expected FILE.cd"},
      {{"show", "a.cd", "b.cd"}, "show: unexpected argument 'b.cd'"},
      {{"docs", "a.cd", "--audience", "everyone"},
       "docs: --audience: 'everyone' is not one of application, descendant, component"},
      {{"editors", "a.cd", "--kind", "TX"}, "editors: --kind: 'TX' is not EDITORCLASS=N"},
      {{"editors", "a.cd", "--kind", "TX=19"}, "editors: --kind: '19' is not one of 0 to 18"},
      {{"editors", "a.cd", "--form", "=f.dfm"},
       "editors: --form: '=f.dfm' is not EDITORCLASS=FORM.dfm"},
      {{"all", "a.cd"}, "all: expected -o DIR"},
      {{"datalink", "a.cd", "--names", "A,B,C"},
       "datalink: --names: 'A,B,C' is not SOURCE,FIELD,LINK,HANDLER"},
      {{"datalink", "a.cd", "--names", "../src,F,L,H"},
       "datalink: --names: '../src' is not a Pascal identifier"},
      {{"datalink", "a.cd", "--names", "S,F,,H"},
       "datalink: --names: '' is not a Pascal identifier"},
      {{"datalink", "a.cd", "--names", "S,Data Field,L,H"},
       "datalink: --names: 'Data Field' is not a Pascal identifier"},
      {{"datalink", "a.cd", "--names", "S,F,1Link,H"},
       "datalink: --names: '1Link' is not a Pascal identifier"},
      {{"new", "--parent", "TFoo", "--ancestor", "TEdit", "-o", "x.cd"},
       "new: --ancestor and --unit go together"},
      {{"dfm2text"}, "dfm2text: expected FORM.dfm"},
      {{"new", "--parent", "TEdit", "--wrap", "f.dfm", "-o", "x.cd"},
       "new: a form wrapper's parent is TComponent; drop --parent"},
      {{"new", "--wrap", "f.dfm", "--fields", "f.dfm", "-o", "x.cd"},
       "new: --wrap, --container and --fields exclude each other"},
      {{"new", "--parent", "TPanel", "--panel", "Panel1", "-o", "x.cd"},
       "new: --panel needs --container"},
      {{"new", "--wrap", "f.dfm", "--ancestor", "TEdit", "--unit", "U", "-o", "x.cd"},
       "new: --ancestor needs --parent"},
      {{"docs", "a.cd", "--audience"},
       "docs: --audience needs a value: application|descendant|component"},
  };
  for (const auto& c : cases) {
    const Result r = RunCli(c.args);
    const std::string command = c.args[0];
    EXPECT_EQ(r.status, kExitUsage) << c.message;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kestrix-cli: " + c.message + "\nTry 'kestrix-cli " + command + " --help'.\n");
  }
}

TEST(CliTest, HelpOfEveryCommand) {
  Result r = RunCli({"--help"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_TRUE(Contains(r.out, "Exit status: 0 done, 1 the command failed, 2 wrong usage.\n"));
  for (const char* command : {"class", "check", "show", "resave", "unit", "interface", "docs",
                              "bitmap", "editors", "all", "dfm2text", "new", "datalink"}) {
    EXPECT_TRUE(Contains(r.out, std::string("\n  ") + command + " ")) << command;
    const Result own = RunCli({command, "--help"});
    EXPECT_EQ(own.status, kExitOk);
    EXPECT_EQ(own.out.rfind(std::string("Usage: kestrix-cli [OPTIONS] ") + command + " ", 0), 0u);
    EXPECT_EQ(own.err, "");
  }
  EXPECT_TRUE(Contains(RunCli({"editors", "--help"}).out,
                       "  18  String property (drop-down list "
                       "of data field names)\n"));
  const std::string version = RunCli({"--version"}).out;
  EXPECT_EQ(version.rfind("kestrix-cli ", 0), 0u);
  EXPECT_TRUE(Contains(version, "(GPL-3.0-or-later)") && Contains(version, "NO WARRANTY"))
      << version;
}

class CliDefinitionTest : public ::testing::Test {
 protected:
  Result RunWith(std::vector<std::string> args,
                 TerminalEncoding encoding = TerminalEncoding::kUtf8) {
    args.insert(args.begin(), {"--settings", (dir_ / "Kestrix.ini").string()});
    return RunCli(std::move(args), encoding);
  }
  std::filesystem::path Definition(std::string_view name = "go.cd") {
    return dir_.Write(name,
                      "[MAININFO$]\r\nUnitName=GoUnit\r\nNewClassName=TGo\r\n"
                      "CopyrightLine=Copyright \xA9 1997\r\n[ITEMLIST$]\r\nZeta=Method\r\n"
                      "Alpha=Method\r\nFlag=Property\r\n"
                      "[Flag]\r\nPropType=Boolean\r\nEC=GoEds\r\nEU=TFlagProperty\r\n");
  }
  // With a private method, and pages going into the test's folder.
  std::filesystem::path DocsDefinition(std::string_view unit_name) {
    return dir_.Write("def.cd", "[MAININFO$]\r\nUnitName=" + std::string(unit_name) +
                                    "\r\nTargetDir=" + dir_.path().string() +
                                    "/\r\n[ITEMLIST$]\r\nGo=Method\r\nSecret=Method\r\n"
                                    "[Secret]\r\nS=2\r\n");
  }
  TempDir dir_;
};

// What every command on a definition prints where, and its status when it succeeds and when
// the definition cannot be read.
TEST_F(CliDefinitionTest, StreamsAndStatusOfEveryCommand) {
  const std::string file = Definition().string();
  const std::string out_dir = (dir_ / "out").string();
  const struct {
    std::vector<std::string> args;
    std::string out;  // the beginning of standard output
    std::string err;
  } cases[] = {
      {{"check", file}, file + ": unit GoUnit, class TGo, parent ; 1 Property", ""},
      {{"show", file}, "UnitName: GoUnit\n", ""},
      {{"interface", file}, "\n\n{ ***", ""},
      {{"unit", file, "-o", out_dir}, out_dir + "/gounit.pas\n", ""},
      {{"docs", file, "-o", out_dir + "/go.html"},
       out_dir + "/go.html\n",
       "kestrix-cli: Documentation written to " + out_dir + "/go.html.\n"},
      {{"editors", file, "-o", out_dir}, out_dir + "/goeds.pas\n", ""},
      {{"datalink", file},
       file + "\n",
       "kestrix-cli: Should the new data link be a read-write data link? -> No\n"
       "kestrix-cli: Data link added.  You can add code in the DataChange method to respond to "
       "data changes.\n"},
      {{"resave", file}, file + "\n", ""},
      {{"all", file, "-o", out_dir},
       out_dir + "/gounit.pas\n" + out_dir + "/goeds.pas\n" + out_dir + "/gounit.html\n",
       "kestrix-cli: Documentation written to " + out_dir +
           "/gounit.html.\n"
           "kestrix-cli: Component resource written to " +
           out_dir + "/gounit.dcr.\n"},
  };
  for (const auto& c : cases) {
    Result r = RunWith(c.args);
    EXPECT_EQ(r.status, kExitOk) << c.args[0] << ": " << r.err;
    EXPECT_EQ(r.out.rfind(c.out, 0), 0u) << c.args[0] << ": " << r.out;
    EXPECT_EQ(r.err, c.err) << c.args[0];

    std::vector<std::string> missing = c.args;
    missing[1] = (dir_ / "missing.cd").string();
    r = RunWith(missing);
    EXPECT_EQ(r.status, kExitFailed) << c.args[0];
    EXPECT_EQ(r.out, missing[0] == "check" ? "1 file checked: 0 read, 1 refused\n" : "");
    EXPECT_EQ(r.err.rfind(missing[1] + ": error: " + missing[1] + " could not be read: ", 0), 0u)
        << r.err;
  }

  // One output that cannot be written fails the whole command, after the others are written.
  std::filesystem::remove(out_dir + "/gounit.html");
  std::filesystem::create_directory(out_dir + "/gounit.html");
  const Result r = RunWith({"all", file, "-o", out_dir});
  EXPECT_EQ(r.status, kExitFailed) << r.err;
  EXPECT_EQ(r.out,
            out_dir + "/gounit.pas\n" + out_dir + "/goeds.pas\n" + out_dir + "/gounit.dcr\n");
}

TEST_F(CliDefinitionTest, CheckOfSeveralFilesAndPatterns) {
  Definition("a.cd");
  Definition("b.cd");
  dir_.Write("old.cd",
             "[MAININFO$]\r\nCompatible40=0\r\nUnitName=Old\r\n[ITEMLIST$]\r\n"
             "A=Property\r\n");
  const auto bad = dir_.Write("bad.cd", "[ITEMLIST$]\r\n\r\n");
  Result r = RunWith({"check", (dir_ / "?.cd").string(), (dir_ / "old.cd").string(), bad.string(),
                      (dir_ / "none*.cd").string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.out.rfind((dir_ / "a.cd").string() + ": unit GoUnit", 0), 0u) << r.out;
  EXPECT_TRUE(Contains(r.out, "\n" + (dir_ / "b.cd").string() + ": unit GoUnit"));
  EXPECT_TRUE(Contains(r.out, "\n5 files checked: 3 read (1 with warnings), 2 refused\n")) << r.out;
  EXPECT_TRUE(Contains(r.err, (dir_ / "old.cd").string() + ": warning: This component definition "
                                                           "file is from a later version"));
  EXPECT_TRUE(Contains(r.err, bad.string() + ": error: " + bad.string() +
                                  " is empty or is not a component definition file.\n"));
  EXPECT_TRUE(Contains(
      r.err, "kestrix-cli: check: no file matches '" + (dir_ / "none*.cd").string() + "'\n"));

  r = RunWith({"--quiet", "check", (dir_ / "?.cd").string()});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out + r.err, "");
}

TEST_F(CliDefinitionTest, TheBackupQuestionTakesItsAnswerFromTheFlags) {
  const auto file = dir_.Write("empty.cd", "");
  dir_.Write("empty.bak", "[ITEMLIST$]\r\nA=Property\r\n");
  const std::string prefix = file.string() + ": ";
  const std::string question = prefix + file.string() + " is empty.  Load backup file " +
                               (dir_ / "empty.bak").string() + " instead?";
  Result r = RunWith({"show", file.string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, question + " -> No\n" + prefix + "error: " + file.string() +
                       " is not a component definition file.\n");
  r = RunWith({"--yes", "show", file.string()});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.err, question + " -> Yes\n");
}

TEST_F(CliDefinitionTest, DefinitionTextInTheTerminalsEncoding) {
  const std::string file = Definition().string();
  EXPECT_TRUE(Contains(RunWith({"show", file}).out, "CopyrightLine: Copyright \u00A9 1997\n"));
  EXPECT_TRUE(
      Contains(RunWith({"show", "--raw", file}).out, "CopyrightLine: Copyright \xA9 1997\n"));
  EXPECT_TRUE(Contains(RunWith({"show", file}, TerminalEncoding::kWindows1252).out,
                       "CopyrightLine: Copyright \xA9 1997\n"));
  EXPECT_TRUE(Contains(RunWith({"interface", file}).out, "Copyright \u00A9 1997"));
  EXPECT_TRUE(Contains(RunWith({"interface", "--raw", file}).out, "Copyright \xA9 1997"));
}

// -o names a folder or a file in one; either way the folders are made first.
TEST_F(CliDefinitionTest, EveryCommandWritesIntoFoldersItMakes) {
  const std::string file = Definition().string();
  const auto out = dir_ / "made";
  const struct {
    std::vector<std::string> args;
    std::filesystem::path written;
  } cases[] = {
      {{"docs", file, "-o", (out / "docs/go.html").string()}, out / "docs/go.html"},
      {{"editors", file, "-o", (out / "editors").string()}, out / "editors/goeds.pas"},
      {{"package", file, "-o", (out / "package").string()},
       out / "package/designtime/gounit_dsgn.lpk"},
      {{"package", file, "--target", "delphi-xe", "-o", (out / "dpk").string()},
       out / "dpk/gounit_dsgn.dpk"},
      {{"smoke", file, "-o", (out / "smoke").string()}, out / "smoke/gounitsmoke.lpr"},
      {{"new", "--parent", "TButton", "-o", (out / "new/x.cd").string()}, out / "new/x.cd"},
  };
  for (const auto& c : cases) {
    const Result r = RunWith(c.args);
    EXPECT_EQ(r.status, kExitOk) << c.args[0] << ": " << r.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(c.written)) << c.args[0];
  }
}

// Delphi 1 to 3 had no packages: asked for them, the command says which targets have some.
TEST_F(CliDefinitionTest, PackagesForDelphiAreRefused) {
  const std::string file = Definition().string();
  const Result r = RunWith({"package", file, "--target", "delphi", "-o", (dir_ / "p").string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err,
            "kestrix-cli: package: packages are written for --target lazarus and delphi-xe, not "
            "for Delphi 1 to 3\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "p/gounit.pas"));

  // Without --target the settings decide: delphi-xe there writes Delphi's packages.
  dir_.Write("Kestrix.ini", "[Other]\r\nTarget=delphi-xe\r\n");
  const Result xe = RunWith({"package", file, "-o", (dir_ / "xe").string()});
  EXPECT_EQ(xe.status, kExitOk) << xe.err;
  EXPECT_EQ(xe.out, (dir_ / "xe/gounit_dsgn.dpk").string() + "\n");
}

TEST_F(CliDefinitionTest, UnitWritesIntoAFolderItMakes) {
  const auto file = Definition();
  const std::string before = TempDir::Read(file);
  const auto out = dir_ / "new" / "folder";
  Result r = RunWith({"unit", file.string(), "-o", out.string(), "--comments", "normal", "--date",
                      "1999-03-03 09:05"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out, (out / "gounit.pas").string() + "\n");
  const std::string unit = TempDir::Read(out / "gounit.pas");
  EXPECT_TRUE(Contains(unit, "on 3 March 1999 at 9:05"));
  EXPECT_LT(unit.find("procedure TGo.Alpha;"), unit.find("procedure TGo.Zeta;"));
  EXPECT_EQ(TempDir::Read(file), before);

  r = RunWith({"unit", file.string(), "-o", (dir_ / "go.cd" / "x").string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err.rfind("kestrix-cli: unit: cannot make the folder ", 0), 0u) << r.err;

  r = RunWith({"--quiet", "unit", file.string(), "-o", out.string(), "--update"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  const std::string saved = TempDir::Read(file);
  EXPECT_LT(saved.find("Alpha=Method"), saved.find("Zeta=Method")) << "saved in name order";
  EXPECT_TRUE(Contains(saved, "TargetDir=" + out.string() + "/\r\n")) << "-o was chosen";
}

// A unit edited since generation is replaced only with --overwrite; sync takes the edit into
// the definition (saved with its backup), after which generation goes ahead and keeps it.
TEST_F(CliDefinitionTest, AnEditedUnitIsRefusedUntilSynced) {
  const std::string file =
      dir_.Write("go.cd",
                 "[MAININFO$]\r\nUnitName=GoUnit\r\nNewClassName=TGo\r\n"
                 "ParentClassName=TComponent\r\nVCLAncestorName=TComponent\r\n[ITEMLIST$]\r\n"
                 "Alpha=Method\r\nFlag=Property\r\n"
                 "[Flag]\r\nPropType=Boolean\r\nEC=GoEds\r\nEU=TFlagProperty\r\n")
          .string();
  const auto out = dir_ / "out";
  const auto unit = out / "gounit.pas";
  ASSERT_EQ(RunWith({"unit", file, "-o", out.string()}).status, kExitOk);
  ASSERT_EQ(RunWith({"editors", file, "-o", out.string()}).status, kExitOk);
  auto edit = [&](const std::filesystem::path& path, std::string_view after) {
    std::string text = TempDir::Read(path);
    const std::size_t at = text.find("begin\r\n", text.find(after));
    EXPECT_NE(at, std::string::npos) << after;
    text.insert(at + 7, "     Beep;\r\n");
    dir_.Write(path.lexically_relative(dir_.path()).string(), text);
    return text;
  };
  const std::string edited = edit(unit, "procedure TGo.Alpha;");
  edit(out / "goeds.pas", "implementation");

  for (const std::string command : {"unit", "editors"}) {
    const Result r = RunWith({command, file, "-o", out.string()});
    EXPECT_EQ(r.status, kExitFailed) << command;
    EXPECT_TRUE(Contains(r.err, "was changed outside Kestrix")) << r.err;
    EXPECT_TRUE(Contains(r.err, "--overwrite")) << r.err;
  }
  EXPECT_TRUE(Contains(RunWith({"unit", file, "-o", out.string()}).err,
                       "\"kestrix-cli sync " + file + " " + unit.string() + "\" first"));
  EXPECT_EQ(TempDir::Read(unit), edited);

  Result r = RunWith({"sync", file, unit.string()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out.rfind("Taken from the unit: 1 changed, 0 added", 0), 0u) << r.out;
  EXPECT_TRUE(Contains(r.out, ": the body of method Alpha\n")) << r.out;
  EXPECT_TRUE(Contains(TempDir::Read(file), "=~~~~~Beep;\r\n"));  // blanks kept as ~
  EXPECT_TRUE(std::filesystem::exists(dir_ / "go.bak"));
  const std::string synced = TempDir::Read(file);
  r = RunWith({"sync", file, unit.string()});
  EXPECT_EQ(r.out, "No edits to take: the unit is what the definition generates.\n");
  EXPECT_EQ(TempDir::Read(file), synced);

  ASSERT_EQ(RunWith({"unit", file, "-o", out.string()}).status, kExitOk);
  EXPECT_TRUE(Contains(TempDir::Read(unit), "begin\r\n     Beep;\r\n"));
  r = RunWith({"editors", file, "-o", out.string(), "--overwrite"});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_TRUE(Contains(TempDir::Read(out / "goeds.pas.bak"), "     Beep;\r\n"));

  // The Lazarus packages' run-time unit, edited in the IDE, the same way.
  const auto packages = dir_ / "packages";
  ASSERT_EQ(RunWith({"package", file, "-o", packages.string()}).status, kExitOk);
  const auto runtime_unit = packages / "runtime" / "gounit.pas";
  edit(runtime_unit, "procedure TGo.Alpha;");
  r = RunWith({"package", file, "-o", packages.string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_TRUE(Contains(r.err, "\"kestrix-cli sync " + file + " " + runtime_unit.string())) << r.err;
  ASSERT_EQ(RunWith({"sync", file, runtime_unit.string()}).status, kExitOk);
  EXPECT_EQ(RunWith({"package", file, "-o", packages.string()}).status, kExitOk);
}

TEST_F(CliDefinitionTest, ResaveKeepsATargetDirectoryOfNone) {
  const auto file = Definition();
  ASSERT_EQ(RunWith({"resave", file.string()}).status, kExitOk);
  EXPECT_TRUE(Contains(TempDir::Read(file), "\r\nTargetDir=\r\n"));
}

TEST_F(CliDefinitionTest, EditorClassesAndUnitsTheDefinitionAsksFor) {
  const std::string file = Definition().string();
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--kind", "TNope=1"},
       "--kind: unit GoEds has no editor TNope (its editors: TFlagProperty)"},
      {{"--form", "TNope=f.dfm"},
       "--form: unit GoEds has no editor TNope (its editors: TFlagProperty)"},
      {{"--unit", "Other"},
       "--unit: the properties ask for no editor unit Other (they ask for GoEds)"},
      {{"--kind", "tflagproperty=2"},
       "TFlagProperty edits its value in a form: --form TFlagProperty=FORM.dfm names it"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"editors", file, "-o", dir_.path().string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result r = RunWith(args);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(r.err, "kestrix-cli: editors: " + c.err + "\nTry 'kestrix-cli editors --help'.\n");
  }
}

TEST_F(CliDefinitionTest, DocsForTheChosenAudienceIntoTheTargetDirectory) {
  const auto file = DocsDefinition("GoUnit");
  Result r = RunWith({"docs", file.string()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto page = dir_ / "gounit.html";
  EXPECT_EQ(r.out, page.string() + "\n");
  EXPECT_TRUE(Contains(TempDir::Read(page), "<H3>procedure Secret</H3>\r\n"))
      << "without --audience the page is for the component's developer";

  const auto app = dir_ / "app.htm";
  r = RunWith({"docs", file.string(), "--audience", "application", "-o", app.string()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_TRUE(Contains(TempDir::Read(app), "procedure Go</H3>"));
  EXPECT_FALSE(Contains(TempDir::Read(app), "Secret"));
}

TEST_F(CliDefinitionTest, DocsRefuseAUnitNameThatIsNoFileName) {
  const auto file = DocsDefinition("Go.Unit");
  Result r = RunWith({"docs", file.string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "kestrix-cli: error: The unit name \"Go.Unit\" is not a valid Pascal identifier, so no "
            "page was written.\n");
  r = RunWith({"docs", file.string(), "-o", (dir_ / "named.html").string()});
  EXPECT_EQ(r.status, kExitOk) << "a name given on the command line needs no unit name";
}

}  // namespace
}  // namespace kx::cli
