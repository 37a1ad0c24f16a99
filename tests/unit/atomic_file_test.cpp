// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "platform/file_stamp.h"
#include "support/temp_dir.h"

namespace kx::platform {
namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;

constexpr WriteStep kAllSteps[] = {
    WriteStep::kLock,           WriteStep::kRemoveLeftovers, WriteStep::kCreateTemporary,
    WriteStep::kWriteTemporary, WriteStep::kSyncTemporary,   WriteStep::kLinkBackup,
    WriteStep::kCopyBackup,     WriteStep::kReplaceTarget,   WriteStep::kReplaceBackup,
    WriteStep::kSyncFolder,
};

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

// A definition with an older backup, saved again: the folder holds exactly those two files.
class SaveTest : public ::testing::Test {
 protected:
  SaveTest() {
    dir_.Write("comp.cd", "old");
    dir_.Write("comp.bak", "older");
  }
  std::error_code Save(const FileWriter& writer) const {
    return writer.WriteKeepingBackup(file_, "new", dir_ / "comp.bak");
  }
  std::error_code Save() const { return Save(FileWriter()); }

  TempDir dir_;
  fs::path file_ = dir_ / "comp.cd";
};

TEST_F(SaveTest, EachStepThatFailsLeavesBothFilesAsTheyWere) {
  const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
  struct Case {
    std::set<WriteStep> failing;
    bool saved;  // the steps that may fail without failing the save
  };
  const Case cases[] = {
      {{WriteStep::kLock}, false},
      {{WriteStep::kRemoveLeftovers}, true},
      {{WriteStep::kCreateTemporary}, false},
      {{WriteStep::kWriteTemporary}, false},
      {{WriteStep::kSyncTemporary}, false},
      {{WriteStep::kLinkBackup}, true},  // copied instead
      {{WriteStep::kLinkBackup, WriteStep::kCopyBackup}, false},
      {{WriteStep::kReplaceTarget}, false},
      {{WriteStep::kReplaceBackup}, false},  // the target is put back
      {{WriteStep::kSyncFolder}, true},
  };
  for (const Case& c : cases) {
    SaveTest::dir_.Write("comp.cd", "old");
    SaveTest::dir_.Write("comp.bak", "older");
    const FileWriter writer([&](WriteStep step, const fs::path&) {
      return c.failing.contains(step) ? full : std::error_code();
    });
    const std::string what =
        "failing step " + std::to_string(static_cast<int>(*c.failing.rbegin()));
    EXPECT_EQ(!Save(writer), c.saved) << what;
    EXPECT_EQ(TempDir::Read(file_), c.saved ? "new" : "old") << what;
    EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), c.saved ? "old" : "older") << what;
    EXPECT_EQ(Names(dir_.path()), (std::set<std::string>{"comp.bak", "comp.cd"})) << what;
  }
}

// A save ended at any step (the process killed there) leaves the file complete, old or new,
// and a backup, old or new; the next save removes what the killed one left.
TEST_F(SaveTest, ASaveKilledAfterAnyStepLosesNothing) {
  for (WriteStep stop : kAllSteps) {
    SaveTest::dir_.Write("comp.cd", "old");
    SaveTest::dir_.Write("comp.bak", "older");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Refusing the link lets the copy step run too.
      Save(FileWriter([&](WriteStep step, const fs::path&) {
        if (step == stop) ::_exit(0);
        return step == WriteStep::kLinkBackup && stop == WriteStep::kCopyBackup
                   ? std::make_error_code(std::errc::operation_not_permitted)
                   : std::error_code();
      }));
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string what = "stopped before step " + std::to_string(static_cast<int>(stop));
    const std::string file = TempDir::Read(file_);
    const std::string backup = TempDir::Read(dir_ / "comp.bak");
    EXPECT_TRUE(file == "old" || file == "new") << what << ": " << file;
    EXPECT_TRUE(backup == "older" || backup == "old") << what << ": " << backup;
    EXPECT_EQ(backup == "old", stop == WriteStep::kSyncFolder) << what;

    ASSERT_FALSE(Save()) << what;
    EXPECT_EQ(Names(dir_.path()), (std::set<std::string>{"comp.bak", "comp.cd"})) << what;
  }
}

TEST_F(SaveTest, TemporaryFilesHaveTheTargetsPermissionsFromTheStart) {
  const fs::perms owner = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(file_, owner);
  fs::perms temporary = fs::perms::unknown;
  // The link refused, so that the backup is a copy with permissions of its own.
  const FileWriter writer([&](WriteStep step, const fs::path& path) {
    if (step == WriteStep::kWriteTemporary) temporary = fs::status(path).permissions();
    return step == WriteStep::kLinkBackup ? std::make_error_code(std::errc::too_many_links)
                                          : std::error_code();
  });
  ASSERT_FALSE(Save(writer));
  EXPECT_EQ(temporary, owner);
  EXPECT_EQ(fs::status(file_).permissions(), owner);
  EXPECT_EQ(fs::status(dir_ / "comp.bak").permissions(), owner);
  EXPECT_EQ(TempDir::Read(dir_ / "comp.bak"), "old");
}

TEST_F(SaveTest, LeftoversOfOtherFilesAreNotTouched) {
  const std::set<std::string> others = {".comp.cd.kxabc.tmp", ".comp.cdx.kx12.tmp",
                                        ".other.cd.kx12.tmp", "comp.cd.kx12.tmp"};
  for (const std::string& name : others) dir_.Write(name, "x");
  dir_.Write(".comp.cd.kx4711.tmp", "left by a killed save");
  ASSERT_FALSE(Save());
  std::set<std::string> expected = others;
  expected.insert({"comp.bak", "comp.cd"});
  EXPECT_EQ(Names(dir_.path()), expected);
}

TEST_F(SaveTest, TheFolderIsLockedWhileTheFileIsReplaced) {
  int tried = 0;
  const FileWriter writer([&](WriteStep step, const fs::path&) {
    if (step == WriteStep::kReplaceTarget) {
      const int fd = ::open(dir_.path().c_str(), O_RDONLY | O_DIRECTORY);
      tried = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 1 : errno;
      ::close(fd);
    }
    return std::error_code();
  });
  ASSERT_FALSE(Save(writer));
  EXPECT_EQ(tried, EWOULDBLOCK);
}

TEST(FileWriterTest, LongNamesAreSavedAgainAndAgain) {
  const TempDir dir;
  for (std::size_t length : {200u, 240u, 251u}) {
    const std::string stem(length - 3, 'n');
    const fs::path file = dir / (stem + ".cd");
    const fs::path backup = dir / (stem + ".bak");
    for (const char* text : {"first", "second", "third"}) {
      ASSERT_FALSE(FileWriter().WriteKeepingBackup(file, text, backup)) << length;
    }
    EXPECT_EQ(TempDir::Read(file), "third");
    EXPECT_EQ(TempDir::Read(backup), "second");
    EXPECT_LE(TemporaryNamePrefix(file).size() + 14, 255u);
  }
  // Shortened prefixes of names that differ only at their ends stay apart.
  EXPECT_NE(TemporaryNamePrefix(std::string(250, 'n') + "a"),
            TemporaryNamePrefix(std::string(250, 'n') + "b"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 6);
}

TEST(FileWriterTest, NoBackupWithoutAFileToKeep) {
  const TempDir dir;
  dir.Write("comp.bak", "older");
  ASSERT_FALSE(FileWriter().WriteKeepingBackup(dir / "comp.cd", "new", dir / "comp.bak"));
  EXPECT_EQ(TempDir::Read(dir / "comp.bak"), "older");
  ASSERT_FALSE(FileWriter().WriteKeepingBackup(dir / "comp.cd", "newer", dir / "comp.cd"));
  EXPECT_EQ(TempDir::Read(dir / "comp.cd"), "newer");
}

TEST(ReadWholeFileTest, OnlyRegularFilesAreRead) {
  const TempDir dir;
  dir.Write("small", "abc");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  struct Case {
    fs::path path;
    std::error_code error;
  };
  const Case cases[] = {
      {dir / "small", {}},
      {dir / "missing", std::make_error_code(std::errc::no_such_file_or_directory)},
      {dir.path(), std::make_error_code(std::errc::is_a_directory)},
      {dir / "fifo", NotARegularFile()},  // no writer: must not wait for one
      {"/dev/zero", NotARegularFile()},
  };
  for (const Case& c : cases) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(c.path, bytes), c.error) << c.path;
  }
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(dir / "small", bytes, 2), std::errc::file_too_large);
  EXPECT_EQ(NotARegularFile().message(), "not a regular file");
}

TEST(FileStampTest, TellsAChangedFile) {
  const TempDir dir;
  const fs::path file = dir.Write("comp.cd", "abc");
  const FileStamp stamp = StampOf(file, "abc");
  EXPECT_FALSE(ChangedSince(file, stamp));
  fs::last_write_time(file, stamp.time + std::chrono::seconds(5));
  EXPECT_FALSE(ChangedSince(file, stamp)) << "touched, same bytes";
  dir.Write("comp.cd", "abd");
  fs::last_write_time(file, stamp.time);
  EXPECT_TRUE(ChangedSince(file, {stamp.size, {}, stamp.hash})) << "same size, other bytes";
  dir.Write("comp.cd", "abcd");
  EXPECT_TRUE(ChangedSince(file, stamp));
  fs::remove(file);
  EXPECT_FALSE(ChangedSince(file, stamp)) << "gone: writing it loses nothing";
}

}  // namespace
}  // namespace kx::platform
