// SPDX-License-Identifier: GPL-3.0-or-later
// The reader over code nobody here wrote: every unit of the LCL and of the Lazarus
// components as installed (read where they are, never copied). Each parses without a crash;
// every unit that registers components gives its Register procedure, the classes it
// registers, and for those it declares their parent and every property they declare.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "pascal/outline.h"

namespace kx::pascal {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> LazarusUnits() {
  std::vector<fs::path> units;
  const fs::path root = KX_LAZARUS_DIR;
  std::error_code error;
  for (const char* folder : {"lcl", "components"}) {
    const fs::path dir = root / folder;
    if (!fs::is_directory(dir, error)) continue;
    const bool deep = std::string(folder) == "components";
    auto add = [&](const fs::directory_entry& entry) {
      if (entry.is_regular_file(error) &&
          (entry.path().extension() == ".pas" || entry.path().extension() == ".pp"))
        units.push_back(entry.path());
    };
    if (deep) {
      for (const auto& entry : fs::recursive_directory_iterator(dir, error)) add(entry);
    } else {
      for (const auto& entry : fs::directory_iterator(dir, error)) add(entry);
    }
  }
  std::sort(units.begin(), units.end());
  return units;
}

// The property keywords the tokens of a type show, nested types left out.
std::size_t PropertiesWritten(const Outline& unit, const TypeDecl& type) {
  std::size_t count = 0;
  for (const Token& token : unit.tokens) {
    if (token.begin < type.whole.begin.offset || token.end > type.whole.end.offset) continue;
    if (token.Is(Keyword::kProperty) && !token.Has(kInactive)) ++count;
  }
  for (const Member& member : type.members) {
    if (member.kind == MemberKind::kType && member.nested)
      count -= std::min(count, PropertiesWritten(unit, unit.types[*member.nested]));
  }
  return count;
}

// What Free Pascal defines when it builds the LCL on this machine.
LexOptions LinuxGtk2() {
  LexOptions options;
  options.defines = {"FPC", "UNIX", "LINUX", "LCLGTK2", "CPU64", "CPUX86_64"};
  return options;
}

std::string Lower(std::string_view text);

// Whether the text declares "Name = class" (any case, any blanks): an oracle that does not
// share the reader's code.
bool DeclaresClass(std::string_view text, std::string_view name) {
  const std::string lower = Lower(text);
  const std::string wanted = Lower(name);
  for (std::size_t at = lower.find(wanted); at != std::string::npos;
       at = lower.find(wanted, at + 1)) {
    if (at > 0 && (std::isalnum(static_cast<unsigned char>(lower[at - 1])) || lower[at - 1] == '_'))
      continue;
    std::size_t i = at + wanted.size();
    while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
    if (i >= lower.size() || lower[i] != '=') continue;
    ++i;
    while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
    if (lower.compare(i, 5, "class") == 0 && lower.compare(i, 8, "class of") != 0) return true;
  }
  return false;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Every unit parses; those that register components do so without an error. A registered
// class is looked for in every unit (registration units often register the classes of
// others): where it is declared, it has its parent and every property it declares.
TEST(LazarusSourcesTest, EveryUnitParsesAndRegisteredClassesAreFound) {
  const std::vector<fs::path> units = LazarusUnits();
  if (units.empty()) GTEST_SKIP() << "no Lazarus sources at " << KX_LAZARUS_DIR;
  std::size_t full = 0, notes = 0, errors = 0, registering = 0, registering_errors = 0;
  std::set<std::string> registered;
  for (const fs::path& path : units) {
    const Outline unit = ReadUnitFile(path, LinuxGtk2());
    const auto error =
        std::find_if(unit.messages.begin(), unit.messages.end(),
                     [](const Message& m) { return m.severity == Severity::kError; });
    if (error != unit.messages.end()) {
      ++errors;
      std::cout << "  error  " << path.string() << ": " << FormatMessage(*error) << "\n";
    } else if (!unit.messages.empty()) {
      ++notes;
    } else {
      ++full;
    }
    if (unit.source.text().find("RegisterComponents") != std::string_view::npos &&
        unit.HasErrors()) {
      ++registering_errors;
    }
    if (unit.registrations.empty()) continue;
    ++registering;
    for (const RegisterCall& call : unit.registrations) {
      EXPECT_FALSE(call.page.empty()) << path;
      for (const Name& name : call.classes) {
        registered.insert(Lower(name.text));
        if (DeclaresClass(unit.source.text(), name.text)) {
          EXPECT_NE(unit.FindType(name.text), nullptr) << path << ": " << name.text;
        }
      }
    }
  }
  std::size_t found = 0;
  std::set<std::string> declared;
  for (const fs::path& path : units) {
    const Outline unit = ReadUnitFile(path, LinuxGtk2());
    for (const TypeDecl& type : unit.types) {
      if (type.outer || type.kind != TypeKind::kClass) continue;
      if (!registered.contains(Lower(type.name.text))) continue;
      SCOPED_TRACE(path.string() + ": " + type.name.text);
      ++found;
      declared.insert(Lower(type.name.text));
      EXPECT_FALSE(type.parent.text.empty());
      const auto properties =
          std::count_if(type.members.begin(), type.members.end(),
                        [](const Member& m) { return m.kind == MemberKind::kProperty; });
      EXPECT_EQ(static_cast<std::size_t>(properties), PropertiesWritten(unit, type));
    }
  }
  for (const std::string& name : registered)
    if (!declared.contains(name)) std::cout << "  not declared in these sources: " << name << "\n";
  std::cout << units.size() << " units: " << full << " parsed fully, " << notes
            << " with notes of what the reader cannot follow, " << errors << " with errors; "
            << registering << " register components (" << registering_errors
            << " of them with errors), " << registered.size() << " classes registered, "
            << declared.size() << " of them found declared (" << found << " declarations)\n";
  // A unit that makes its first branch of {$IF} a compile-time error ("!!! needs FPC 3.1.1")
  // is the one that may fail: the reader does not evaluate {$IF} expressions.
  EXPECT_LE(registering_errors, 1u);
  EXPECT_GT(found, 0u);
}

}  // namespace
}  // namespace kx::pascal
