#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace kx::cli {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTest, ClassReportsWhatTheCatalogueKnows) {
  Result r = RunCli({"class", "tedit"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_NE(r.out.find("Family:   2 (Windowed control)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Unit:     Stdctrls"), std::string::npos);
  EXPECT_NE(r.out.find("Palette:  Standard"), std::string::npos);
  EXPECT_NE(r.out.find("has OnChange                          yes"), std::string::npos);
  EXPECT_NE(r.out.find("event OnKeyPress -> KeyPress(var Key : Char) (publish, override, default code 9)"),
            std::string::npos);
  EXPECT_TRUE(r.err.empty());
}

TEST(CliTest, ClassShowsTheSpecialSets) {
  Result r = RunCli({"class", "TSharingThread"});
  EXPECT_NE(r.out.find("method procedure SetResourceFlag(Value : TResourceFlag) (protected, override, default code 21)"),
            std::string::npos)
      << r.out;
  r = RunCli({"class", "TNoSuchClass"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_NE(r.out.find("Unit:     (not in the unit table)"), std::string::npos);
  EXPECT_NE(r.out.find("(none)"), std::string::npos);
}

TEST(CliTest, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"nonsense"}, {"class"}, {"class", "TEdit", "TMemo"}};
  for (const auto& args : cases) {
    Result r = RunCli(args);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("kestrix-cli: "), std::string::npos);
  }
}

class CliDefinitionTest : public ::testing::Test {
 protected:
  Result RunWith(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", (dir_ / "Kestrix.ini").string()});
    return RunCli(std::move(args));
  }
  kx::testing::TempDir dir_;
};

TEST_F(CliDefinitionTest, CheckPrintsMessagesAndASummary) {
  const auto file = dir_.Write("old.cd",
                               "[MAININFO$]\r\nCompatible40=0\r\nUnitName=Old\r\n[ITEMLIST$]\r\n"
                               "A=Property\r\nB=Property\r\nGo=Method\r\nOnX=NewEvent\r\n");
  Result r = RunWith({"check", file.string()});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out.rfind("warning: This component definition file is from a later version", 0), 0u);
  EXPECT_NE(r.out.find("Unit: Old\nClass: \nParent: \nProperty: 2\nExistingEvent: 0\nMethod: 1\n"
                       "Variable: 0\nNewEvent: 1\n"),
            std::string::npos)
      << r.out;
}

TEST_F(CliDefinitionTest, CheckOfARefusedFileFails) {
  const auto file = dir_.Write("bad.cd", "[ITEMLIST$]\r\n\r\n");
  Result r = RunWith({"check", file.string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.out, "error: " + file.string() + " is empty or is not a component definition file.\n");
}

TEST_F(CliDefinitionTest, TheBackupQuestionTakesItsAnswerFromTheFlags) {
  const auto file = dir_.Write("empty.cd", "");
  dir_.Write("empty.bak", "[ITEMLIST$]\r\nA=Property\r\n");
  const std::string question = "confirmation: " + file.string() + " is empty.  Load backup file " +
                               (dir_ / "empty.bak").string() + " instead?";
  Result r = RunWith({"check", file.string()});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.out.rfind(question + " -> No\n", 0), 0u) << r.out;
  r = RunWith({"--yes", "check", file.string()});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out.rfind(question + " -> Yes\n", 0), 0u) << r.out;
}

TEST_F(CliDefinitionTest, ResaveWritesTheCanonicalFileAndKeepsABackup) {
  const std::string original = "[itemlist$]\nGo=Method\n[Go]\nHeader=Go(X : Integer)\n";
  const auto file = dir_.Write("go.cd", original);
  Result r = RunWith({"resave", file.string()});
  ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
  EXPECT_EQ(r.out, file.string() + "\n");
  EXPECT_EQ(kx::testing::TempDir::Read(dir_ / "go.bak"), original);
  const std::string saved = kx::testing::TempDir::Read(file);
  EXPECT_EQ(saved.rfind("[MAININFO$]\r\nKXVer=4.0\r\n", 0), 0u);
  EXPECT_NE(saved.find("[Go]\r\nDescr=\r\nDefaultCode=0\r\nKeywords=\r\nKind=0\r\n"
                       "Header=Go(X : Integer)\r\n"),
            std::string::npos);
  r = RunWith({"show", file.string()});
  EXPECT_NE(r.out.find("  1. Method Go\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("    Header: Go(X : Integer)\n"), std::string::npos);
}

TEST_F(CliDefinitionTest, UnitWritesTheUnitAndLeavesTheDefinitionUnlessUpdated) {
  const auto file = dir_.Write("go.cd",
                               "[MAININFO$]\r\nUnitName=GoUnit\r\nNewClassName=TGo\r\n"
                               "[ITEMLIST$]\r\nZeta=Method\r\nAlpha=Method\r\n");
  const std::string before = kx::testing::TempDir::Read(file);
  Result r = RunWith({"unit", file.string(), "-o", dir_.path().string(), "--comments", "normal",
                      "--date", "1999-03-03 09:05"});
  ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
  EXPECT_EQ(r.out, (dir_ / "gounit.pas").string() + "\n");
  const std::string unit = kx::testing::TempDir::Read(dir_ / "gounit.pas");
  EXPECT_NE(unit.find("on 3 March 1999 at 9:05"), std::string::npos);
  EXPECT_LT(unit.find("procedure TGo.Alpha;"), unit.find("procedure TGo.Zeta;"));
  EXPECT_EQ(kx::testing::TempDir::Read(file), before);

  r = RunWith({"unit", file.string(), "-o", dir_.path().string(), "--update"});
  ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
  const std::string saved = kx::testing::TempDir::Read(file);
  EXPECT_LT(saved.find("Alpha=Method"), saved.find("Zeta=Method")) << "saved in name order";
  EXPECT_NE(saved.find("[AlphaCODE$]\r\nLines=8\r\nL1=~~~~~{ Internal declarations for method }\r\n"), std::string::npos)
      << "the default code is stored";

  r = RunWith({"interface", file.string()});
  EXPECT_EQ(r.out.rfind("\n\n{ ****", 0), 0u);
  EXPECT_EQ(r.out.substr(r.out.size() - 22), "procedure Register;\n\n\n");
}

TEST_F(CliDefinitionTest, WrongUsage) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"check"}, {"show", "a.cd", "b.cd"}, {"--settings"}, {"--bogus", "check", "a.cd"},
           {"unit"}, {"unit", "a.cd", "--comments", "some"}, {"unit", "a.cd", "--date", "1999"},
           {"unit", "a.cd", "b.cd"}, {"interface"}}) {
    EXPECT_EQ(RunWith(args).status, kExitUsage);
  }
}

TEST(CliTest, HelpAndVersion) {
  EXPECT_EQ(RunCli({"--help"}).status, kExitOk);
  EXPECT_NE(RunCli({"--help"}).out.find("class NAME"), std::string::npos);
  EXPECT_EQ(RunCli({"--version"}).out.rfind("kestrix-cli ", 0), 0u);
}

}  // namespace
}  // namespace kx::cli
