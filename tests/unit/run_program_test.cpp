// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/run_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "support/temp_dir.h"

namespace kx::platform {
namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;
using namespace std::chrono_literals;

fs::path WriteProgram(const TempDir& dir, std::string_view name, std::string_view text,
                      mode_t mode = 0755) {
  const fs::path file = dir.Write(name, text);
  ::chmod(file.c_str(), mode);
  return file;
}

// Waits for a file that a program started without waiting writes.
bool AppearsSoon(const fs::path& file) {
  for (int i = 0; i < 500 && !fs::exists(file); ++i) std::this_thread::sleep_for(10ms);
  return fs::exists(file);
}

TEST(CommandTextTest, SplitAndQuote) {
  const struct {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {" -fo/a/b.dcr  -31\t/a/kx$$$.rc ", {"-fo/a/b.dcr", "-31", "/a/kx$$$.rc"}},
      {"-fo\"/my dir/b.dcr\" \"/my dir/kx$$$.rc\"", {"-fo/my dir/b.dcr", "/my dir/kx$$$.rc"}},
      {"\"\" x", {"", "x"}},
      {"\"unclosed  blank", {"unclosed  blank"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
  for (const char* word : {"", "plain", "/my dir/b.dcr", "tab\there"}) {
    EXPECT_EQ(SplitCommandLine(QuoteArgument(word)), std::vector<std::string>{word}) << word;
  }
  EXPECT_EQ(QuoteArgument("/a/b.dcr"), "/a/b.dcr");
  EXPECT_EQ(QuoteArgument("/my dir"), "\"/my dir\"");
  EXPECT_EQ(CommandText("/usr/bin/kxrc", " -31"), "/usr/bin/kxrc  -31") << "one blank between";
}

TEST(RunProgramTest, StartResultsKeepWinExecsMeaning) {
  TempDir dir;
  const fs::path plain = WriteProgram(dir, "plain", "#!/bin/sh\n", 0644);
  const fs::path garbage = WriteProgram(dir, "garbage", "not a program\n");
  const struct {
    std::string exe;
    int result;
  } cases[] = {
      {(dir / "missing").string(), kFileNotFound},
      {"", kFileNotFound},
      {(plain / "below-a-file").string(), kPathNotFound},
      {plain.string(), kAccessDenied},
      {dir.path().string(), kAccessDenied},
      {garbage.string(), kBadFormat},
  };
  for (const auto& c : cases) {
    TRunProgram program;
    program.ExeFile = c.exe;
    program.Execute();
    EXPECT_EQ(program.ResultCode, c.result) << c.exe;
    EXPECT_EQ(RunAndWait(c.exe, {}, 5s).ResultCode, c.result) << c.exe;
  }
}

TEST(RunProgramTest, ExecuteDoesNotWait) {
  TempDir dir;
  const fs::path done = dir / "done";
  TRunProgram program;
  EXPECT_TRUE(program.ShowHourglass);
  std::vector<bool> cursor;
  program.Hourglass = [&](bool busy) { cursor.push_back(busy); };
  program.ExeFile = "/bin/sh";
  program.CommandLine = "-c \"sleep 1; echo ok > $0\" " + QuoteArgument(done.string());
  program.Execute();
  EXPECT_FALSE(fs::exists(done)) << "Execute must not wait";
  EXPECT_GE(program.ResultCode, kStarted);
  EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
  ASSERT_TRUE(AppearsSoon(done));

  cursor.clear();
  program.ShowHourglass = false;
  program.CommandLine = "-c true";
  program.Execute();
  EXPECT_GE(program.ResultCode, kStarted);
  EXPECT_TRUE(cursor.empty());
}

TEST(RunAndWaitTest, ExitStatusAndOutput) {
  const struct {
    const char* script;
    int exit_status;
    int term_signal;
    const char* output;
  } cases[] = {
      {"echo out; echo err >&2; exit 3", 3, 0, "out\nerr\n"},
      {"printf 'kx$$$.rc:3: error: expected BEGIN'", 0, 0, "kx$$$.rc:3: error: expected BEGIN"},
      // Standard input is empty, so a program reading it ends.
      {"cat; echo read", 0, 0, "read\n"},
      {"kill -TERM $$", -1, 15, ""},
  };
  for (const auto& c : cases) {
    const RunResult run = RunAndWait("/bin/sh", {"-c", c.script}, 10s);
    EXPECT_GE(run.ResultCode, kStarted) << c.script;
    EXPECT_FALSE(run.timed_out) << c.script;
    EXPECT_EQ(run.exit_status, c.exit_status) << c.script;
    EXPECT_EQ(run.term_signal, c.term_signal) << c.script;
    EXPECT_EQ(run.output, c.output) << c.script;
  }
}

TEST(RunAndWaitTest, ArgumentsArriveAsTheyAre) {
  const std::vector<std::string> args = {"-c", "printf '[%s]' \"$@\"", "sh",   "-fo/my dir/x.dcr",
                                         "",   "\"quoted\"",           "$HOME"};
  EXPECT_EQ(RunAndWait("/bin/sh", args, 10s).output, "[-fo/my dir/x.dcr][][\"quoted\"][$HOME]");
}

TEST(RunAndWaitTest, TimeLimitKillsTheProgramAndWhatItStarted) {
  const auto start = std::chrono::steady_clock::now();
  const RunResult run = RunAndWait("/bin/sh", {"-c", "echo started; sleep 30 & wait"}, 1s);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(run.timed_out);
  EXPECT_EQ(run.exit_status, -1);
  EXPECT_EQ(run.output, "started\n");
}

TEST(RunAndWaitTest, AHelperLeftHoldingTheOutputIsNotWaitedFor) {
  const auto start = std::chrono::steady_clock::now();
  const RunResult run = RunAndWait("/bin/sh", {"-c", "sleep 5 & echo done"}, 10s);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.output, "done\n");
}

TEST(RunAndWaitTest, OutputIsBounded) {
  const RunResult run =
      RunAndWait("/bin/sh", {"-c", "head -c 300000 /dev/zero; exit 4"}, 10s, 1000);
  EXPECT_EQ(run.exit_status, 4) << "the program must not block on a full pipe";
  EXPECT_EQ(run.output, std::string(1000, '\0'));
  EXPECT_TRUE(run.output_truncated);
}

// xdg-open without a program for the file ends at once with a failure; one that runs the
// browser in the foreground is still running when the watch ends.
TEST(StartAndWatchTest, AFailureWithinTheWatchIsNoStart) {
  const struct {
    std::string script;
    bool started;
  } cases[] = {{"exit 0", true}, {"echo no method >&2; exit 3", false}, {"sleep 5", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(StartAndWatch("/bin/sh", {"-c", c.script}, 1s), c.started) << c.script;
  }
  EXPECT_FALSE(StartAndWatch("/nonexistent/xdg-open", {"page.html"}, 2s));
}

TEST(ShortPathNameTest, TheExistingPathOrNothing) {
  TempDir dir;
  const fs::path file = dir.Write("My File.dcr", "");
  EXPECT_EQ(ShortPathName(file), file.string());
  EXPECT_EQ(ShortPathName(dir.path()), dir.path().string());
  EXPECT_EQ(ShortPathName(dir / "missing.dcr"), "");
}

TEST(FindBundledProgramTest, BesideThenBuildTreeThenSearchPath) {
  TempDir dir;
  const fs::path exe_dir = dir / "build" / "src";
  const fs::path beside = exe_dir / "kxrc";
  const fs::path built = dir / "build" / "tools" / "kxrc" / "kxrc";
  const fs::path on_path = dir / "bin" / "kxrc";
  const fs::path not_runnable = dir / "other" / "kxrc";
  for (const fs::path& file : {beside, built, on_path, not_runnable}) {
    fs::create_directories(file.parent_path());
  }
  const std::string search_path =
      "::" + not_runnable.parent_path().string() + ":" + on_path.parent_path().string() + ":";
  auto find = [&] { return FindBundledProgram("kxrc", exe_dir, search_path); };

  EXPECT_EQ(find(), beside) << "nowhere: where it belongs";
  WriteProgram(dir, "other/kxrc", "", 0644);
  EXPECT_EQ(find(), beside) << "a file that cannot run does not count";
  WriteProgram(dir, "bin/kxrc", "");
  EXPECT_EQ(find(), on_path);
  WriteProgram(dir, "build/tools/kxrc/kxrc", "");
  EXPECT_EQ(find(), built);
  WriteProgram(dir, "build/src/kxrc", "");
  EXPECT_EQ(find(), beside);
}

}  // namespace
}  // namespace kx::platform
