// SPDX-License-Identifier: GPL-3.0-or-later
// A reader of Delphi package sources (.dpk), as far as the tests need one: the package's name,
// its requires and contains lists and the resource files it binds, and the checks a package
// must pass before an IDE could open it.
//
//   const DpkFile dpk = ReadDpk(text);
//   for (const std::string& problem : CheckDpk("out/mybutton_rt.dpk")) ADD_FAILURE() << problem;
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::testing {

struct DpkFile {
  std::string name;
  std::vector<std::string> required;
  std::vector<std::pair<std::string, std::string>> contained;  // unit, its file ("" without in)
  std::vector<std::string> resources;                          // of {$R ...}, quotes removed
  std::vector<std::string> directives;                         // every other {$...}, as written
  std::string error;                                           // empty when read to "end."
};

DpkFile ReadDpk(std::string_view text);

// What is wrong with the package at path: unreadable, not read to its end, a name other than
// its file's, a required or contained name twice, a contained file or bound resource (other
// than *.res) that does not exist beside it, a unit whose file names another unit.
std::vector<std::string> CheckDpk(const std::filesystem::path& path);

}  // namespace kx::testing
