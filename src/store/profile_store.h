// SPDX-License-Identifier: GPL-3.0-or-later
// Initialisation files read and changed the way the Windows profile API treats them: the
// settings file "Kestrix.ini" and Delphi 1.0's "MultiHlp.Ini".
//
// Sections and keys are matched in any letter case; a missing key gives the caller's
// default; a write changes one line (or adds one) and keeps every other byte of the file as
// it was, so hand edits and comments survive. Unlike the definition files' store, this one
// changes files in place rather than rewriting them in order.
//
//   Profile profile;
//   if (ProfileStatus read = ReadProfile(settings_file, profile); !read.ok()) Report(read.message);
//   int view = profile.ReadInteger("Other", "Codeview", 1);       // missing file: the default
//   ProfileStatus written = UpdateProfile(
//       settings_file, [](Profile& p) { p.WriteBool("Other", "FullComments", false); });
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kx::store {

// A settings file is a few hundred bytes; anything this large is not one.
inline constexpr std::uintmax_t kMaxProfileBytes = std::uintmax_t{16} << 20;

// What reading or writing a profile file came to, checked by every caller as a file write's
// error code is: a failure carries the error and a message that names the file, ready to be
// shown to the user. A failed write has left the previous file as it was.
struct [[nodiscard]] ProfileStatus {
  std::error_code error;
  std::string message;

  bool ok() const { return !error; }
};

// The bytes of one initialisation file with the profile API's rules over them. Any bytes are
// accepted: lines may end in CR LF, LF or CR; a line that is neither "[name]" nor
// "key=value" (comments, stray text, lines before the first section) is kept but never
// matched. Where a section or key appears twice, the first occurrence wins.
class Profile {
 public:
  Profile() = default;
  explicit Profile(std::string bytes) : bytes_(std::move(bytes)) {}

  const std::string& bytes() const { return bytes_; }

  // The value without surrounding blanks; a value in matching single or double quotes loses
  // them (which lets a value keep blanks at its ends).
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Like GetPrivateProfileInt: an optional sign and the leading decimal digits; a value
  // without digits gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
  // Stored "1" and "0"; read as an integer, non-zero meaning true.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

  // Each section once, spelled as it first appears, in file order.
  std::vector<std::string> SectionNames() const;
  // Every key=value line with the section it is in, in file order; values as Find gives them.
  using EntryVisitor =
      std::function<void(std::string_view section, std::string_view key, std::string_view value)>;
  void ForEachEntry(const EntryVisitor& visit) const;

  // Replaces the key's line, or adds the key at the end of its section, or adds the section
  // at the end of the file. New lines end in CR LF. Line breaks in the arguments would make
  // new lines of their own, so each argument is cut at its first line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every occurrence of the section: its header and all lines up to the next section.
  void EraseSection(std::string_view section);

 private:
  std::string bytes_;
};

// Reads the file into profile; an empty profile when the file does not exist. Fails when it
// exists but cannot be read or is larger than kMaxProfileBytes (profile is then empty).
ProfileStatus ReadProfile(const std::filesystem::path& file, Profile& profile);
// Replaces the file atomically, creating its folder when needed.
ProfileStatus WriteProfile(const std::filesystem::path& file, const Profile& profile);
// Reads the file, lets change edit it, and writes it back when the bytes changed (so erasing
// from a file that does not exist does not create it). A file that cannot be read is not
// written.
ProfileStatus UpdateProfile(const std::filesystem::path& file,
                            const std::function<void(Profile&)>& change);

}  // namespace kx::store
