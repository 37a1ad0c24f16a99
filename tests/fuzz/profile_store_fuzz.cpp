// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: reading, changing and erasing must neither crash nor hang, and
// a value written must read back. Any bytes as a Wine user.reg must give palette pages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/profile_store.h"
#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kx::store::Profile profile{std::string(bytes)};

  profile.ReadString("Directories", "Definitions", "/");
  profile.ReadInteger("Other", "Codeview", 1);
  profile.ReadBool("Other", "FullComments", true);
  for (const std::string& name : profile.SectionNames()) profile.Find(name, "Ancestor");

  // Write over an entry the input has, so that the in-place path runs too.
  std::string section = "Other";
  std::string key = "Codeview";
  bool first = true;
  profile.ForEachEntry([&](std::string_view s, std::string_view k, std::string_view) {
    if (first) section = s, key = k;
    first = false;
  });
  const std::string_view value = bytes.substr(size / 2);
  profile.WriteString(section, key, value);
  if (profile.Find(section, key) != value.substr(0, value.find_first_of("\r\n"))) std::abort();
  profile.WriteInteger("Other", "Codeview", 2);
  if (profile.ReadInteger("Other", "Codeview", 1) != 2) std::abort();
  profile.EraseSection(section);
  profile.EraseSection("Other");
  if (profile.Find("Other", "Codeview")) std::abort();

  kx::store::ParsePalettePages(bytes);
  return 0;
}
