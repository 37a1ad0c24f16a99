// SPDX-License-Identifier: GPL-3.0-or-later
// Starting other programs: TRunProgram starts one from a command line and reports the start
// result with WinExec's meaning, without waiting; RunAndWait runs one to its end (or to a
// time limit) and returns its exit status and what it printed, for callers that must know
// whether it worked (the palette bitmap command waits for its resource compiler).
//
//   RunResult run = RunAndWait(compiler, {"-fo" + out.string(), script.string()}, 60s);
//   if (run.ResultCode < kStarted) ...  // could not start: 2 not found, 5 no permission, ...
//   else if (run.timed_out || run.exit_status != 0) show(run.output);
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::platform {

// Start results as WinExec gave them: 32 or more means the program was started.
inline constexpr int kStarted = 32;
inline constexpr int kOutOfResources = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kBadFormat = 11;

// The start result for an error of process creation (an errno value).
int ResultCodeFromErrno(int error);

// What a start runs: ExeFile + " " + CommandLine, always with that one blank.
std::string CommandText(std::string_view exe_file, std::string_view command_line);
// The words of a command line: blanks and tabs separate them, double quotes group blanks
// into a word and are dropped. There is no escape; a word holding a double quote cannot be
// passed this way (RunAndWait takes its arguments as they are).
std::vector<std::string> SplitCommandLine(std::string_view command_line);
// The argument as a command line needs it: quoted when empty or holding a blank or tab.
std::string QuoteArgument(std::string_view argument);

// Shows or hides the wait cursor. The core has no cursor; the desktop sets this.
using BusyHook = std::function<void(bool busy)>;

// A program started from a command line and left to run on its own.
class TRunProgram {
 public:
  std::string ExeFile;
  std::string CommandLine;
  bool ShowHourglass = true;
  int ResultCode = 0;  // of the last Execute
  BusyHook Hourglass;  // called around the start when ShowHourglass is set

  // Starts ExeFile with the words of CommandLine as its arguments (the program is never
  // looked up on PATH, and no shell sees the line). Never throws; the result is in
  // ResultCode. The program's exit is collected in the background so it leaves no zombie.
  void Execute();
};

// Starts exe with args and leaves it to run on its own, watching it for a moment first: false
// when it could not start or ended within watch with a failure (a document opener that finds
// no program for the file ends so at once), true when it ended well or still runs.
bool StartAndWatch(const std::filesystem::path& exe, const std::vector<std::string>& args,
                   std::chrono::milliseconds watch);

inline constexpr std::size_t kMaxCapturedOutput = std::size_t{64} << 10;

struct RunResult {
  int ResultCode = kOutOfResources;  // the start result, as TRunProgram's
  bool timed_out = false;            // it ran past the limit and was killed, with its process group
  int exit_status = -1;              // its exit code when it ended by itself, else -1
  int term_signal = 0;               // the signal that ended it, else 0
  std::string output;  // standard output and error as they came, the first max_output bytes
  bool output_truncated = false;
};

// Runs exe with args (argv[0] is exe; no shell, no PATH look-up, standard input empty) and
// waits for it, at most timeout. Returns once it has ended; a program that leaves helpers
// holding its output open is not waited for beyond its own exit.
RunResult RunAndWait(const std::filesystem::path& exe, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout,
                     std::size_t max_output = kMaxCapturedOutput);

// What stands in for the short (8.3) name: the path unchanged when the file exists, empty
// when it does not.
std::string ShortPathName(const std::filesystem::path& path);

// Where a program installed with this one is: beside the running executable, else in
// ../tools/<name>/ relative to it (the build tree's layout), else in a folder of
// search_path (PATH's syntax; empty entries are skipped). When none has it, the place
// beside the executable, so that a message can say where it was expected.
std::filesystem::path FindBundledProgram(std::string_view name,
                                         const std::filesystem::path& exe_dir,
                                         std::string_view search_path);

}  // namespace kx::platform
