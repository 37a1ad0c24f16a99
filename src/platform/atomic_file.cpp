// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>
#include <utility>

#include "platform/descriptor_io.h"
#include "platform/file_stamp.h"

namespace kx::platform {

namespace fs = std::filesystem;

namespace {

// A writer holding the folder's lock longer than this is stuck (a save takes milliseconds).
constexpr auto kLockTimeout = std::chrono::seconds(10);
// The longest file name the file systems in use take.
constexpr std::size_t kMaxNameLength = 255;
// "." + prefix + ".kx" + up to 10 digits + ".tmp"
constexpr std::size_t kTemporaryNameOverhead = 1 + 3 + 10 + 4;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting the error that a close can bring (a delayed write failing).
  std::error_code Close() {
    return ::close(std::exchange(fd_, -1)) == 0 ? std::error_code() : LastError();
  }

 private:
  int fd_;
};

std::error_code LockFolder(int dir_fd) {
  const auto give_up = std::chrono::steady_clock::now() + kLockTimeout;
  while (::flock(dir_fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return LastError();
    if (std::chrono::steady_clock::now() > give_up) {
      return std::make_error_code(std::errc::device_or_resource_busy);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || !name.ends_with(".tmp")) return false;
  const std::string_view number = name.substr(prefix.size(), name.size() - prefix.size() - 4);
  if (number.empty()) return false;
  for (char c : number) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Only files with the target's own pattern: other files of the folder are not ours.
void RemoveLeftovers(const fs::path& dir, std::string_view prefix) {
  std::error_code error;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (IsTemporaryName(it->path().filename().string(), prefix)) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

std::string RandomName(std::string_view prefix) {
  static thread_local std::mt19937 random{std::random_device()()};
  return std::string(prefix) + std::to_string(random()) + ".tmp";
}

// A new file that nobody else can have opened; with exact_mode, it has those permissions from
// the start (the umask may have taken bits the file being replaced has).
std::error_code CreateTemporary(const fs::path& dir, std::string_view prefix,
                                std::optional<mode_t> exact_mode, fs::path& path,
                                Descriptor& file) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    path = dir / RandomName(prefix);
    file = Descriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                             exact_mode ? (*exact_mode & 0777) : 0666));
    if (file.get() < 0) {
      if (errno == EEXIST) continue;
      return LastError();
    }
    if (exact_mode && ::fchmod(file.get(), *exact_mode) != 0) {
      const std::error_code error = LastError();
      ::unlink(path.c_str());
      return error;
    }
    return {};
  }
  return std::make_error_code(std::errc::file_exists);
}

// The target's second name under a new temporary name.
std::error_code LinkTemporary(const fs::path& target, const fs::path& dir, std::string_view prefix,
                              fs::path& path) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    path = dir / RandomName(prefix);
    if (::link(target.c_str(), path.c_str()) == 0) return {};
    if (errno != EEXIST) return LastError();
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code CopyInto(const fs::path& source, int fd) {
  const Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return LastError();
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (got == 0) return {};
    if (std::error_code error = WriteAll(fd, {buffer, static_cast<std::size_t>(got)})) return error;
  }
}

}  // namespace

std::string TemporaryNamePrefix(const fs::path& target) {
  const std::string name = target.filename().string();
  if (name.size() + kTemporaryNameOverhead <= kMaxNameLength) return "." + name + ".kx";
  // Shortened names of two long names could be equal; the hash keeps them apart, so that
  // removing leftovers never touches another file's.
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(HashBytes(name)));
  return "." + name.substr(0, kMaxNameLength - kTemporaryNameOverhead - 17) + "~" + hash + ".kx";
}

std::error_code FileWriter::Write(const fs::path& target, std::string_view bytes) const {
  return Save(target, bytes, nullptr);
}

std::error_code FileWriter::WriteKeepingBackup(const fs::path& target, std::string_view bytes,
                                               const fs::path& backup) const {
  return Save(target, bytes, &backup);
}

std::error_code FileWriter::Save(const fs::path& target, std::string_view bytes,
                                 const fs::path* backup) const {
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = TemporaryNamePrefix(target);

  Descriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return LastError();
  if (std::error_code error = Before(WriteStep::kLock, dir)) return error;
  // Held until folder is closed, on every way out.
  if (std::error_code error = LockFolder(folder.get())) return error;

  if (!Before(WriteStep::kRemoveLeftovers, dir)) RemoveLeftovers(dir, prefix);

  struct stat existing {};
  const bool target_exists = ::stat(target.c_str(), &existing) == 0;
  std::optional<mode_t> mode;
  if (target_exists) mode = existing.st_mode & 07777;

  fs::path temp;
  fs::path backup_temp;
  auto fail = [&](std::error_code error) {
    if (!temp.empty()) ::unlink(temp.c_str());
    if (!backup_temp.empty()) ::unlink(backup_temp.c_str());
    return error;
  };

  Descriptor file;
  if (std::error_code error = Before(WriteStep::kCreateTemporary, dir)) return error;
  if (std::error_code error = CreateTemporary(dir, prefix, mode, temp, file)) return error;
  if (std::error_code error = Before(WriteStep::kWriteTemporary, temp)) return fail(error);
  if (std::error_code error = WriteAll(file.get(), bytes)) return fail(error);
  if (std::error_code error = Before(WriteStep::kSyncTemporary, temp)) return fail(error);
  if (::fsync(file.get()) != 0) return fail(LastError());
  if (std::error_code error = file.Close()) return fail(error);

  const bool keep_backup = backup != nullptr && target_exists && *backup != target;
  if (keep_backup) {
    // A second name costs nothing and cannot fail half way; the copy is for file systems
    // without links and for links the system refuses (protected hard links, another
    // owner's file).
    std::error_code error = Before(WriteStep::kLinkBackup, dir);
    if (!error) error = LinkTemporary(target, dir, prefix, backup_temp);
    if (error) {
      backup_temp.clear();
      if ((error = Before(WriteStep::kCopyBackup, dir))) return fail(error);
      Descriptor copy;
      error = CreateTemporary(dir, prefix, mode, backup_temp, copy);
      if (error) {
        backup_temp.clear();
        return fail(error);
      }
      if ((error = CopyInto(target, copy.get()))) return fail(error);
      if (::fsync(copy.get()) != 0) return fail(LastError());
      if ((error = copy.Close())) return fail(error);
    }
  }

  // The old version is complete under its temporary name before the target is replaced, and
  // the old backup is replaced only after that: a failure at either rename leaves both files
  // as they were, and at every instant the target and a backup exist.
  if (std::error_code error = Before(WriteStep::kReplaceTarget, target)) return fail(error);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(LastError());
  temp.clear();
  if (keep_backup) {
    std::error_code error = Before(WriteStep::kReplaceBackup, *backup);
    if (!error && ::rename(backup_temp.c_str(), backup->c_str()) != 0) error = LastError();
    if (error) {
      // Back to the old version, so that the failed save changed nothing.
      if (::rename(backup_temp.c_str(), target.c_str()) == 0) backup_temp.clear();
      return fail(error);
    }
    // When the old backup already was a name of the target, the rename did nothing.
    ::unlink(backup_temp.c_str());
  }
  // The renames reach the disk with the folder; the new file is complete either way.
  if (!Before(WriteStep::kSyncFolder, dir)) ::fsync(folder.get());
  return {};
}

std::error_code NotARegularFile() {
  static const struct : std::error_category {
    const char* name() const noexcept override { return "kx.file"; }
    std::string message(int) const override { return "not a regular file"; }
  } category;
  return {1, category};
}

std::error_code ReadWholeFile(const fs::path& path, std::string& bytes, std::uintmax_t max_bytes) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  Descriptor in(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (in.get() < 0) return LastError();
  struct stat status {};
  if (::fstat(in.get(), &status) != 0) return LastError();
  if (S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(status.st_mode)) return NotARegularFile();
  if (static_cast<std::uintmax_t>(status.st_size) > max_bytes) {
    return std::make_error_code(std::errc::file_too_large);
  }
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return LastError();
    }
    if (got == 0) return {};
    bytes.append(buffer, static_cast<std::size_t>(got));
    // The file may grow while it is read.
    if (bytes.size() > max_bytes) return std::make_error_code(std::errc::file_too_large);
  }
}

}  // namespace kx::platform
