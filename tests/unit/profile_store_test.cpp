// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/profile_store.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/atomic_file.h"
#include "support/failing_writes.h"
#include "support/temp_dir.h"

namespace kx::store {
namespace {

using kx::testing::FailingWrites;
using kx::testing::TempDir;

TEST(ProfileReadTest, OddFiles) {
  const struct {
    const char* bytes;
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"[Other]\r\nCodeview=2\r\n", "Other", "Codeview", "2"},
      {"[Other]\nCodeview=2\n", "OTHER", "codeview", "2"},
      {"[Other]\rCodeview=2\r", "other", "CODEVIEW", "2"},
      {"  [ Other ]  \r\n  Codeview  =  2  \r\n", "Other", "Codeview", "2"},
      {"[Other]\r\nCopyright=a=b\r\n", "Other", "Copyright", "a=b"},
      {"[Other]\r\nCopyright=\r\n", "Other", "Copyright", ""},
      // Quotes protect blanks at the ends; unmatched or lone quotes stay.
      {"[O]\r\nK=\"  padded \"\r\n", "O", "K", "  padded "},
      {"[O]\r\nK='x'\r\n", "O", "K", "x"},
      {"[O]\r\nK=\"x'\r\n", "O", "K", "\"x'"},
      {"[O]\r\nK=\"\r\n", "O", "K", "\""},
      // The first section and the first key win.
      {"[O]\r\nK=1\r\nK=2\r\n[o]\r\nK=3\r\n", "O", "K", "1"},
      {"[O]\r\nA=1\r\n[o]\r\nK=3\r\n", "O", "K", "3"},
      // Lines that are not entries of the section are never matched.
      {"K=1\r\n[O]\r\n", "O", "K", std::nullopt},
      {"[O]\r\n;K=1\r\n", "O", "K", std::nullopt},
      {"[O]\r\n=1\r\nK\r\n", "O", "K", std::nullopt},
      {"[O\r\nK=1\r\n", "O", "K", std::nullopt},
      {"[O]\r\n[P]\r\nK=1\r\n", "O", "K", std::nullopt},
      {"[O]trailing\r\nK=1", "O", "K", "1"},
      {"", "O", "K", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Profile(c.bytes).Find(c.section, c.key), c.value) << c.bytes;
  }
}

TEST(ProfileReadTest, BytesThatAreNotText) {
  const char raw[] = "[O]\r\nK=a\0b\r\n\xff\xfe[\0]\r\n";
  const Profile profile(std::string(raw, sizeof raw - 1));
  EXPECT_EQ(profile.Find("O", "K"), std::string("a\0b", 3));
  EXPECT_EQ(profile.ReadString("O", "missing", "default"), "default");
}

TEST(ProfileReadTest, IntegersAsGetPrivateProfileIntReadsThem) {
  const struct {
    const char* value;
    int expected;
  } cases[] = {
      {"12", 12},
      {"-3", -3},
      {"+4", 4},
      {"12abc", 12},
      {"0x10", 0},
      {"abc", 99},
      {"", 99},
      {"-", 99},
      {"99999999999999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) {
    const Profile profile(std::string("[S]\r\nN=") + c.value + "\r\n");
    EXPECT_EQ(profile.ReadInteger("S", "N", 99), c.expected) << c.value;
  }
  EXPECT_EQ(Profile("[S]\r\n").ReadInteger("S", "N", 7), 7);
}

TEST(ProfileReadTest, BooleansAreIntegers) {
  EXPECT_TRUE(Profile("[S]\r\nB=1\r\n").ReadBool("S", "B", false));
  EXPECT_TRUE(Profile("[S]\r\nB=2\r\n").ReadBool("S", "B", false));
  EXPECT_FALSE(Profile("[S]\r\nB=0\r\n").ReadBool("S", "B", true));
  EXPECT_TRUE(Profile("[S]\r\nB=yes\r\n").ReadBool("S", "B", true));
  EXPECT_FALSE(Profile("[S]\r\nB=yes\r\n").ReadBool("S", "B", false));
  EXPECT_TRUE(Profile("").ReadBool("S", "B", true));
}

TEST(ProfileReadTest, SectionNamesOnceEachInFileOrder) {
  const Profile profile("x=1\r\n[Other]\r\n[Class.TA]\r\n[OTHER]\r\n[Class.TB]\r\n[broken\r\n");
  EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"Other", "Class.TA", "Class.TB"}));
}

TEST(ProfileReadTest, EveryEntryWithItsSection) {
  const Profile profile("a=0\r\n[S]\r\nk=\"v\"\r\n; c\r\n[T]\r\nx = y\r\n");
  std::string seen;
  profile.ForEachEntry([&](std::string_view section, std::string_view key, std::string_view value) {
    seen += std::string(section) + "/" + std::string(key) + "/" + std::string(value) + ";";
  });
  EXPECT_EQ(seen, "S/k/v;T/x/y;");
}

TEST(ProfileWriteTest, ChangesOneLineAndKeepsTheRest) {
  const struct {
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      // In place, in any case, keeping the line's own line end and every other byte.
      {"; mine\n[A]\nx=1\n\n[B]\ry=2\rz=3\r", "b", "Y", "20",
       "; mine\n[A]\nx=1\n\n[B]\rY=20\rz=3\r"},
      {"[A]\r\n  x = 1  \r\n", "A", "x", "2", "[A]\r\nx=2\r\n"},
      // Appended after the section's last line, before the blank line that separates it.
      {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "5",
       "[A]\r\nx=1\r\nz=5\r\n\r\n[B]\r\ny=2\r\n"},
      {"[A]\r\n[B]\r\n", "A", "z", "5", "[A]\r\nz=5\r\n[B]\r\n"},
      {"[A]\nx=1", "A", "y", "2", "[A]\nx=1\r\ny=2\r\n"},
      // A key of a second occurrence of the section is found there; a new key goes to the first.
      {"[A]\r\nx=1\r\n[a]\r\ny=2\r\n", "A", "y", "3", "[A]\r\nx=1\r\n[a]\r\ny=3\r\n"},
      {"[A]\r\nx=1\r\n[a]\r\ny=2\r\n", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n[a]\r\ny=2\r\n"},
      // A new section goes at the end, after a blank line.
      {"", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"[A]\r\nx=1\r\n", "S", "k", "v", "[A]\r\nx=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"[A]\nx=1", "S", "k", "v", "[A]\nx=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"[A]\r\n\r\n", "S", "k", "v", "[A]\r\n\r\n[S]\r\nk=v\r\n"},
      // An entry before any section belongs to none.
      {"k=1\r\n", "S", "k", "v", "k=1\r\n\r\n[S]\r\nk=v\r\n"},
      // Values that would lose their ends are quoted; line breaks cannot get in.
      {"", "S", "k", " padded", "[S]\r\nk=\" padded\"\r\n"},
      {"", "S", "k", "'quoted'", "[S]\r\nk=\"'quoted'\"\r\n"},
      {"", "S\r\nx", "k\ny", "v\rw", "[S]\r\nk=v\r\n"},
  };
  for (const auto& c : cases) {
    Profile profile(c.before);
    profile.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(profile.bytes(), c.after) << c.before;
  }
}

TEST(ProfileWriteTest, ValuesReadBackAsWritten) {
  for (const char* value : {"", "plain", " lead", "trail ", "\"both\"", "'both'", "\"", "a\"b\"",
                            "Copyright \xA9 2026 by ...", "c:\\delphi\\bin\\brcc.exe", "=x="}) {
    Profile profile("[S]\r\nk=old\r\n");
    profile.WriteString("S", "k", value);
    EXPECT_EQ(profile.Find("S", "k"), value) << value;
  }
}

TEST(ProfileWriteTest, IntegersAndBooleans) {
  Profile profile;
  profile.WriteInteger("Other", "Codeview", -2);
  profile.WriteBool("Other", "FullComments", true);
  profile.WriteBool("Other", "UsingDelphi16", false);
  EXPECT_EQ(profile.bytes(), "[Other]\r\nCodeview=-2\r\nFullComments=1\r\nUsingDelphi16=0\r\n");
}

TEST(ProfileEraseTest, RemovesEveryOccurrenceWithItsLines) {
  const struct {
    const char* before;
    const char* section;
    const char* after;
  } cases[] = {
      {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\n", "b", "[A]\r\nx=1\r\n\r\n[C]\r\n"},
      {"[A]\nx=1\n[B]\ny=2", "B", "[A]\nx=1\n"},
      {"[B]\r\n[b]\r\ny=2\r\n[A]\r\n[B]\r\nz\r\n", "B", "[A]\r\n"},
      {"; top\r\n[A]\r\nx=1\r\n", "B", "; top\r\n[A]\r\nx=1\r\n"},
      {"", "B", ""},
  };
  for (const auto& c : cases) {
    Profile profile(c.before);
    profile.EraseSection(c.section);
    EXPECT_EQ(profile.bytes(), c.after) << c.before;
  }
}

class ProfileFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(ProfileFileTest, AMissingFileIsEmpty) {
  for (const std::filesystem::path& file : {dir_ / "none.ini", dir_ / "no-folder" / "none.ini"}) {
    Profile profile("stale");
    EXPECT_TRUE(ReadProfile(file, profile).ok());
    EXPECT_EQ(profile.bytes(), "");
  }
}

TEST_F(ProfileFileTest, AFileThatCannotBeReadIsAnErrorNamingIt) {
  const auto huge = dir_.Write("huge.ini", "");
  std::filesystem::resize_file(huge, kMaxProfileBytes + 1);
  for (const auto& file : {huge, dir_.path()}) {
    Profile profile("stale");
    const ProfileStatus status = ReadProfile(file, profile);
    EXPECT_FALSE(status.ok()) << file;
    EXPECT_EQ(status.message.rfind(file.string() + " could not be read (", 0), 0u)
        << status.message;
    EXPECT_EQ(profile.bytes(), "");
  }
}

TEST_F(ProfileFileTest, UpdateChangesTheFileInPlace) {
  const auto file = dir_.Write("Kestrix.ini", "; my notes\n[Other]\nCodeview=0\n");
  EXPECT_TRUE(UpdateProfile(file, [](Profile& p) { p.WriteInteger("Other", "Codeview", 2); }).ok());
  EXPECT_EQ(TempDir::Read(file), "; my notes\n[Other]\nCodeview=2\n");
}

TEST_F(ProfileFileTest, UpdateCreatesTheFolderButNoFileForNothing) {
  const auto file = dir_ / "config" / "kestrix" / "Kestrix.ini";
  EXPECT_TRUE(UpdateProfile(file, [](Profile& p) { p.EraseSection("Class.TGone"); }).ok());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(
      UpdateProfile(file, [](Profile& p) { p.WriteString("Other", "Copyright", "Mine"); }).ok());
  EXPECT_EQ(TempDir::Read(file), "[Other]\r\nCopyright=Mine\r\n");
}

TEST_F(ProfileFileTest, AFailedWriteKeepsThePreviousFile) {
  const auto file = dir_.Write("Kestrix.ini", "[Other]\r\nCodeview=0\r\n");
  const FailingWrites failing;
  const ProfileStatus status =
      UpdateProfile(file, [](Profile& p) { p.WriteInteger("Other", "Codeview", 2); });
  EXPECT_EQ(status.error, std::errc::file_too_large);
  EXPECT_EQ(status.message, file.string() + " could not be written (" +
                                std::make_error_code(std::errc::file_too_large).message() + ")");
  EXPECT_EQ(TempDir::Read(file), "[Other]\r\nCodeview=0\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace kx::store
