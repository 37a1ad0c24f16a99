// SPDX-License-Identifier: GPL-3.0-or-later
// The parent classes the standard catalogue does not know: the user's own component classes
// and other vendors'. For each, the registry remembers the standard class it descends from
// (its VCL ancestor, which decides the template and the generated code) and the unit that
// declares it. They live in the settings file, one section "Class." + name each, with the
// keys "Ancestor" and "Unit".
//
//   CustomClassRegistry registry(settings.file);
//   if (auto entry = registry.FindCustomClass("TMyGrid")) family = ClassFamilyOf(entry->ancestor);
//
// Also here: the rules of the registration dialog that the front ends only draw.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/profile_store.h"

namespace kx::catalog {

struct CustomClassEntry {
  std::string class_name;  // as the user typed it
  std::string ancestor;    // a standard class; "TComponent" when the file names none
  std::string unit;        // possibly empty

  friend bool operator==(const CustomClassEntry&, const CustomClassEntry&) = default;
};

// The registered classes of a settings file, in file order. A class is named by a line that
// begins with "[Class." in any case, as the text up to its last character, so a blank after
// the closing bracket becomes part of the name; its keys are read from the section of that
// name. A name seen before (in any case) or an empty name is skipped.
std::vector<CustomClassEntry> ParseCustomClasses(const store::Profile& settings);

// The registry over one settings file. Loaded on first use; changes stay in memory until Save,
// except a deletion, which erases the class's section from the file at once. Class names are
// matched in any case, the first match winning. A flow checks Load before it looks anything up:
// a registry whose file could not be read is empty, and it writes nothing.
class CustomClassRegistry {
 public:
  explicit CustomClassRegistry(std::filesystem::path settings_file);

  // Reads the file the first time; every later call answers as the first did.
  store::ProfileStatus Load();

  // Nothing when the class is not registered.
  std::optional<CustomClassEntry> FindCustomClass(std::string_view class_name);
  // Updates the class's entry (keeping its name as first typed) or appends a new one.
  void SetCustomClass(std::string_view class_name, std::string_view ancestor,
                      std::string_view unit);
  store::ProfileStatus DeleteCustomClass(std::string_view class_name);
  // Appends every registered class name to list.
  void FillList(std::vector<std::string>& list);
  // Writes every entry's keys; an empty registry writes nothing. A failed write keeps the
  // changes, to be saved again.
  store::ProfileStatus Save();

  const std::vector<CustomClassEntry>& entries();
  // Whether entries were set or deleted since loading or the last Save.
  bool changed() const { return changed_; }

 private:
  void LoadIfNeeded();
  std::vector<CustomClassEntry>::iterator Position(std::string_view class_name);

  std::filesystem::path settings_file_;
  bool loaded_ = false;
  store::ProfileStatus load_status_;
  bool changed_ = false;
  std::vector<CustomClassEntry> entries_;
};

// The name with its first two characters upper-cased, as class names are taken from the user.
std::string UpperCaseFirstTwo(std::string_view name);

// The registration dialog.
inline constexpr std::string_view kRegisterClassCaption = "Register custom/3rd party parent class";
inline constexpr std::string_view kRegistrationAncestorLabel = "VCL ancestor:";
inline constexpr std::string_view kRegistrationUnitNameLabel = "Name of unit:";
std::string RegistrationHeading(std::string_view class_name);
std::string RegistrationPrompt(std::string_view class_name);
std::string RegistrationDontKnowCaption(std::string_view class_name);
std::string RegistrationUnitLabel(std::string_view class_name);

// Browse: the unit text for a chosen file, "Mygrid" for "/src/MYGRID.PAS".
std::string UnitNameFromFile(const std::filesystem::path& file);

// The dialog's OK: either the message to show (captioned kRegisterClassCaption, the dialog
// staying open) or the ancestor and unit to register. Blanks around either text are ignored.
struct RegistrationCheck {
  std::string message;  // empty when accepted
  std::string ancestor;
  std::string unit;

  bool accepted() const { return message.empty(); }
};
RegistrationCheck CheckRegistration(std::string_view ancestor_text, std::string_view unit_text,
                                    bool dont_know);

}  // namespace kx::catalog
