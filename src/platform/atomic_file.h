// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it is either completely replaced or left exactly as it was, and
// reading one whole.
//
// A write puts the bytes into a temporary file beside the target (created with the target's
// permissions), flushes it to disk and renames it over the target. With a backup, the file
// being replaced first gets a second name (a hard link, a copy where links are refused) under
// a temporary name, which is renamed over the old backup once the target is replaced: at
// every instant the target is complete, old or new, and a backup that existed still exists,
// old or new; a write that fails leaves both as they were. Writes into one
// folder are serialised by an advisory lock on the folder, so two programs saving the same
// file one after the other each keep a complete earlier version as the backup. Temporary
// files that a killed write left behind are removed by the next write of the same file.
//
//   if (auto error = WriteFileAtomically(path, bytes)) report(error.message());
//   FileWriter().WriteKeepingBackup(path, bytes, backup_path);
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace kx::platform {

// The steps of a write, in their order. A step hook runs before each one.
enum class WriteStep {
  kLock,             // the folder's lock
  kRemoveLeftovers,  // temporary files of earlier, interrupted writes of the target
  kCreateTemporary,
  kWriteTemporary,
  kSyncTemporary,
  kLinkBackup,  // the target's second name, under a temporary name
  kCopyBackup,  // instead of the link, where the file system refuses it
  kReplaceTarget,
  kReplaceBackup,  // the old version's temporary name renamed over the backup
  kSyncFolder,
};

// Runs before each step with the folder, the temporary file or the file the step replaces.
// An error stands for the step failing, with that step's consequence: a refused link is
// followed by the copy, leftovers that cannot be removed and a folder that cannot be synced
// are no failure, any other step fails the write. Tests use it to fail a chosen step, or to
// end the process there.
using WriteStepHook = std::function<std::error_code(WriteStep step, const std::filesystem::path&)>;

class FileWriter {
 public:
  FileWriter() = default;
  explicit FileWriter(WriteStepHook before_step) : before_step_(std::move(before_step)) {}

  // Replaces target with bytes; an empty error code on success.
  std::error_code Write(const std::filesystem::path& target, std::string_view bytes) const;
  // The same, keeping the file being replaced as backup. Without a target there is nothing
  // to keep and an existing backup stays as it is.
  std::error_code WriteKeepingBackup(const std::filesystem::path& target, std::string_view bytes,
                                     const std::filesystem::path& backup) const;

 private:
  std::error_code Save(const std::filesystem::path& target, std::string_view bytes,
                       const std::filesystem::path* backup) const;
  std::error_code Before(WriteStep step, const std::filesystem::path& path) const {
    return before_step_ ? before_step_(step, path) : std::error_code();
  }

  WriteStepHook before_step_;
};

inline std::error_code WriteFileAtomically(const std::filesystem::path& target,
                                           std::string_view bytes) {
  return FileWriter().Write(target, bytes);
}

// The hidden name prefix of target's temporary files: "." + its file name (shortened, with a
// hash of the whole name, where a temporary name would exceed the system's limit) + ".kx".
// A temporary file is that prefix, a number and ".tmp".
std::string TemporaryNamePrefix(const std::filesystem::path& target);

// The whole file, or an error. Anything but a regular file (a folder, a FIFO, a device) is
// refused without blocking; files larger than max_bytes give std::errc::file_too_large.
std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                              std::uintmax_t max_bytes = std::uintmax_t{1} << 30);

// The error of a path that names no regular file: "not a regular file".
std::error_code NotARegularFile();

}  // namespace kx::platform
