// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace kx::platform {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Frees the spawn descriptions however the start ends.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
};

// The child starts with every signal at its default and none blocked, whatever this
// process ignores or blocks (a program that ignores SIGPIPE would pass that on).
int ResetSignals(posix_spawnattr_t& attributes, short extra_flags) {
  sigset_t all;
  sigset_t none;
  sigfillset(&all);
  sigemptyset(&none);
  if (int error = posix_spawnattr_setsigdefault(&attributes, &all)) return error;
  if (int error = posix_spawnattr_setsigmask(&attributes, &none)) return error;
  return posix_spawnattr_setflags(
      &attributes,
      static_cast<short>(POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | extra_flags));
}

// Starts exe; the pid, or a start result below kStarted.
int Spawn(const std::string& exe, const std::vector<std::string>& args, SpawnSetup& setup,
          pid_t& pid) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const int error =
      posix_spawn(&pid, exe.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
  return error == 0 ? kStarted : ResultCodeFromErrno(error);
}

void WaitForExit(pid_t pid, int& status) {
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// Appends what the pipe holds now; false once it is closed.
bool ReadAvailable(int fd, RunResult& result, std::size_t max_output) {
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      const std::size_t room = max_output - std::min(max_output, result.output.size());
      const std::size_t keep = std::min(room, static_cast<std::size_t>(got));
      result.output.append(buffer, keep);
      // Reading on past the limit keeps a talkative program from blocking on a full pipe.
      if (keep < static_cast<std::size_t>(got)) result.output_truncated = true;
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

}  // namespace

int ResultCodeFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case ETXTBSY:
      return kAccessDenied;
    case ENOEXEC:
    case ELIBBAD:
    case EISDIR:
      return kBadFormat;
    default:
      // WinExec's 0 covered every shortage of memory or resources, the rest of what can
      // go wrong here.
      return kOutOfResources;
  }
}

std::string CommandText(std::string_view exe_file, std::string_view command_line) {
  std::string text(exe_file);
  text += ' ';
  text += command_line;
  return text;
}

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : command_line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;  // "" is an empty word
    } else if (IsBlank(c) && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

std::string QuoteArgument(std::string_view argument) {
  const bool needs_quotes =
      argument.empty() || std::any_of(argument.begin(), argument.end(), IsBlank);
  return needs_quotes ? "\"" + std::string(argument) + "\"" : std::string(argument);
}

void TRunProgram::Execute() {
  const bool hourglass = ShowHourglass && Hourglass;
  if (hourglass) Hourglass(true);
  SpawnSetup setup;
  pid_t pid = 0;
  ResultCode = ResetSignals(setup.attributes, 0) == 0
                   ? Spawn(ExeFile, SplitCommandLine(CommandLine), setup, pid)
                   : kOutOfResources;
  if (ResultCode >= kStarted) {
    std::thread([pid] {
      int status = 0;
      WaitForExit(pid, status);
    }).detach();
  }
  if (hourglass) Hourglass(false);
}

bool StartAndWatch(const fs::path& exe, const std::vector<std::string>& args, milliseconds watch) {
  SpawnSetup setup;
  pid_t pid = 0;
  if (ResetSignals(setup.attributes, 0) != 0 || Spawn(exe.string(), args, setup, pid) < kStarted) {
    return false;
  }
  const Clock::time_point end = Clock::now() + watch;
  while (true) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ended < 0 && errno != EINTR) return false;
    if (Clock::now() >= end) break;
    std::this_thread::sleep_for(milliseconds(20));
  }
  std::thread([pid] {
    int status = 0;
    WaitForExit(pid, status);
  }).detach();
  return true;
}

RunResult RunAndWait(const fs::path& exe, const std::vector<std::string>& args,
                     milliseconds timeout, std::size_t max_output) {
  RunResult result;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    result.ResultCode = ResultCodeFromErrno(errno);
    return result;
  }
  pid_t pid = 0;
  {
    SpawnSetup setup;
    // Its own process group, so that a time-out ends whatever it started too.
    int error = posix_spawnattr_setpgroup(&setup.attributes, 0);
    if (error == 0) error = ResetSignals(setup.attributes, POSIX_SPAWN_SETPGROUP);
    if (error == 0) {
      error =
          posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (error == 0) error = posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDOUT_FILENO);
    if (error == 0) error = posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDERR_FILENO);
    result.ResultCode =
        error == 0 ? Spawn(exe.string(), args, setup, pid) : ResultCodeFromErrno(error);
  }
  ::close(fds[1]);
  if (result.ResultCode < kStarted) {
    ::close(fds[0]);
    return result;
  }
  ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);

  const Clock::time_point deadline = Clock::now() + timeout;
  bool pipe_open = true;
  int status = 0;
  while (true) {
    if (::waitpid(pid, &status, WNOHANG) == pid) break;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
      ::kill(-pid, SIGKILL);
      WaitForExit(pid, status);
      result.timed_out = true;
      break;
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - now) + milliseconds(1);
    if (pipe_open) {
      // Wakes for output and for the end of it; the slice catches a program that exits while
      // something it started keeps the pipe open.
      pollfd watch{fds[0], POLLIN, 0};
      ::poll(&watch, 1, static_cast<int>(std::min(left, milliseconds(50)).count()));
      if (watch.revents != 0) pipe_open = ReadAvailable(fds[0], result, max_output);
    } else {
      std::this_thread::sleep_for(std::min(left, milliseconds(2)));
    }
  }
  if (pipe_open) ReadAvailable(fds[0], result, max_output);
  ::close(fds[0]);
  if (!result.timed_out && WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
  return result;
}

std::string ShortPathName(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error) ? path.string() : std::string();
}

fs::path FindBundledProgram(std::string_view name, const fs::path& exe_dir,
                            std::string_view search_path) {
  auto runnable = [](const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
  };
  const fs::path beside = exe_dir / name;
  if (runnable(beside)) return beside;
  const fs::path in_build_tree = (exe_dir / ".." / "tools" / name / name).lexically_normal();
  if (runnable(in_build_tree)) return in_build_tree;
  // An empty entry would mean the current folder: whatever lies there is not ours.
  for (std::size_t start = 0; start <= search_path.size();) {
    const std::size_t colon = std::min(search_path.find(':', start), search_path.size());
    const std::string_view dir = search_path.substr(start, colon - start);
    start = colon + 1;
    if (!dir.empty() && runnable(fs::path(dir) / name)) return fs::path(dir) / name;
  }
  return beside;
}

}  // namespace kx::platform
