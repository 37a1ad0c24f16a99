#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

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
  EXPECT_NE(r.out.find("event OnKeyPress -> KeyPress(var Key : Char) (publish, override; default code 9)"),
            std::string::npos);
  EXPECT_TRUE(r.err.empty());
}

TEST(CliTest, ClassShowsTheSpecialSets) {
  Result r = RunCli({"class", "TSharingThread"});
  EXPECT_NE(r.out.find("method procedure SetResourceFlag(Value : TResourceFlag) (protected, override; default code 21)"),
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

TEST(CliTest, HelpAndVersion) {
  EXPECT_EQ(RunCli({"--help"}).status, kExitOk);
  EXPECT_NE(RunCli({"--help"}).out.find("class NAME"), std::string::npos);
  EXPECT_EQ(RunCli({"--version"}).out.rfind("kestrix-cli ", 0), 0u);
}

}  // namespace
}  // namespace kx::cli
