// SPDX-License-Identifier: GPL-3.0-or-later
// Saves killed at random points: a child process saves a definition-sized file again and
// again, as File > Save does (a new version, the previous one kept as the backup), and is
// killed with SIGKILL after a random time. After each kill the file and its backup must both
// be complete versions. Prints the counts; exits 1 when anything was lost or partial.
//
//   build/bench/kx_save_kill [KILLS=500] [FOLDER=a new temporary folder]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/atomic_file.h"
#include "store/ext_ini_file.h"

namespace {

namespace fs = std::filesystem;

// A definition with 230 items and their code is about this large.
constexpr std::size_t kVersionSize = 256 * 1024;

std::string Version(long number) {
  std::string bytes = "kx-version " + std::to_string(number) + "\n";
  const std::string line = "  FValue" + std::to_string(number) + " := Value;\r\n";
  while (bytes.size() + line.size() <= kVersionSize) bytes += line;
  return bytes;
}

// The version number of a complete version, or -1 for a missing, partial or foreign file.
long CompleteVersion(const fs::path& file) {
  std::string bytes;
  if (kx::platform::ReadWholeFile(file, bytes)) return -1;
  long number = -1;
  if (std::sscanf(bytes.c_str(), "kx-version %ld", &number) != 1) return -1;
  return bytes == Version(number) ? number : -1;
}

struct Leftovers {
  int files = 0;
  std::uintmax_t bytes = 0;
};

Leftovers CountLeftovers(const fs::path& dir) {
  Leftovers found;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().starts_with(".")) {
      ++found.files;
      found.bytes += entry.file_size();
    }
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const int kills = argc > 1 ? std::atoi(argv[1]) : 500;
  fs::path dir = argc > 2
                     ? fs::path(argv[2])
                     : fs::temp_directory_path() / ("kx-save-kill-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "large.cd";
  const fs::path backup = kx::store::BackupPathFor(file);
  const kx::platform::FileWriter writer;
  if (writer.WriteKeepingBackup(file, Version(0), backup) ||
      writer.WriteKeepingBackup(file, Version(1), backup)) {
    std::fprintf(stderr, "kx_save_kill: cannot write into %s\n", dir.c_str());
    return 1;
  }

  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> delay_us(0, 20000);
  int file_lost = 0;
  int backup_lost = 0;
  int backup_not_older = 0;
  long saves_done = 0;
  Leftovers worst;
  long next = 2;
  const auto start = std::chrono::steady_clock::now();
  for (int kill = 0; kill < kills; ++kill) {
    const long first = next;
    const pid_t child = ::fork();
    if (child < 0) return 1;
    if (child == 0) {
      for (long number = first;; ++number) writer.WriteKeepingBackup(file, Version(number), backup);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const long now = CompleteVersion(file);
    const long kept = CompleteVersion(backup);
    if (now < 0) ++file_lost;
    if (kept < 0) ++backup_lost;
    if (now >= 0 && kept >= 0 && kept >= now) ++backup_not_older;
    if (now >= first) saves_done += now - first + 1;
    const Leftovers left = CountLeftovers(dir);
    if (left.bytes > worst.bytes) worst = left;
    next = std::max(first, now + 1);  // versions the file may hold are never written again
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("kills: %d in %.1f s, saves completed: %ld\n", kills, seconds, saves_done);
  std::printf("file lost or partial: %d\nbackup lost or partial: %d\n", file_lost, backup_lost);
  std::printf("backup not an earlier version than the file: %d\n", backup_not_older);
  std::printf(
      "most left behind by a kill: %d temporary files, %ju bytes (removed by the next save)\n",
      worst.files, worst.bytes);
  writer.WriteKeepingBackup(file, Version(next), backup);
  std::printf("after one more save: %d temporary files\n", CountLeftovers(dir).files);
  if (argc <= 2) fs::remove_all(dir);
  return file_lost + backup_lost + backup_not_older == 0 ? 0 : 1;
}
