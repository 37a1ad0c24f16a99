// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/custom_class_registry.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "catalog/class_catalog.h"
#include "model/text.h"
#include "store/ext_ini_file.h"

namespace kx::catalog {

namespace {

using model::SameText;

constexpr std::string_view kAncestorKey = "Ancestor";
constexpr std::string_view kUnitKey = "Unit";
constexpr std::string_view kDefaultAncestor = "TComponent";

std::string SectionOf(std::string_view class_name) { return "Class." + std::string(class_name); }

}  // namespace

std::vector<CustomClassEntry> ParseCustomClasses(const store::Profile& settings) {
  std::vector<CustomClassEntry> entries;
  std::unordered_map<std::string, std::size_t> by_section;  // upper-cased section name

  store::LineReader reader(settings.bytes());
  std::string_view line;
  while (reader.Next(line)) {
    constexpr std::string_view kPrefix = "[Class.";
    if (line.size() <= kPrefix.size() + 1 || !model::StartsWithText(line, kPrefix)) continue;
    std::string name(line.substr(kPrefix.size(), line.size() - kPrefix.size() - 1));
    if (by_section.emplace(model::UpperCase(SectionOf(name)), entries.size()).second) {
      entries.push_back({std::move(name), "", ""});
    }
  }

  // One pass over the entries rather than a look-up per class: a file of many classes must
  // not take quadratic time. The first value of a key wins, as in a look-up.
  std::vector<std::optional<std::string>> ancestors(entries.size());
  std::vector<std::optional<std::string>> units(entries.size());
  settings.ForEachEntry(
      [&](std::string_view section, std::string_view key, std::string_view value) {
        const auto found = by_section.find(model::UpperCase(section));
        if (found == by_section.end()) return;
        auto* column = SameText(key, kAncestorKey) ? &ancestors
                       : SameText(key, kUnitKey)   ? &units
                                                   : nullptr;
        if (column != nullptr && !(*column)[found->second]) (*column)[found->second] = value;
      });
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].ancestor = ancestors[i].value_or("");
    if (entries[i].ancestor.empty()) entries[i].ancestor = kDefaultAncestor;
    entries[i].unit = units[i].value_or("");
  }
  return entries;
}

CustomClassRegistry::CustomClassRegistry(std::filesystem::path settings_file)
    : settings_file_(std::move(settings_file)) {}

store::ProfileStatus CustomClassRegistry::Load() {
  LoadIfNeeded();
  return load_status_;
}

void CustomClassRegistry::LoadIfNeeded() {
  if (loaded_) return;
  loaded_ = true;
  store::Profile profile;
  load_status_ = store::ReadProfile(settings_file_, profile);
  entries_ = ParseCustomClasses(profile);
}

std::vector<CustomClassEntry>::iterator CustomClassRegistry::Position(std::string_view class_name) {
  LoadIfNeeded();
  return std::find_if(entries_.begin(), entries_.end(), [&](const CustomClassEntry& entry) {
    return SameText(entry.class_name, class_name);
  });
}

std::optional<CustomClassEntry> CustomClassRegistry::FindCustomClass(std::string_view class_name) {
  const auto entry = Position(class_name);
  if (entry == entries_.end()) return std::nullopt;
  return *entry;
}

void CustomClassRegistry::SetCustomClass(std::string_view class_name, std::string_view ancestor,
                                         std::string_view unit) {
  if (const auto entry = Position(class_name); entry != entries_.end()) {
    entry->ancestor = ancestor;
    entry->unit = unit;
  } else {
    entries_.push_back({std::string(class_name), std::string(ancestor), std::string(unit)});
  }
  changed_ = true;
}

store::ProfileStatus CustomClassRegistry::DeleteCustomClass(std::string_view class_name) {
  LoadIfNeeded();
  if (!load_status_.ok()) return load_status_;
  if (entries_.empty()) return {};
  store::ProfileStatus erased = store::UpdateProfile(settings_file_, [&](store::Profile& profile) {
    profile.EraseSection(SectionOf(class_name));
  });
  if (!erased.ok()) return erased;
  if (const auto entry = Position(class_name); entry != entries_.end()) entries_.erase(entry);
  changed_ = true;
  return {};
}

void CustomClassRegistry::FillList(std::vector<std::string>& list) {
  for (const CustomClassEntry& entry : entries()) list.push_back(entry.class_name);
}

store::ProfileStatus CustomClassRegistry::Save() {
  if (!load_status_.ok()) return load_status_;
  if (loaded_ && !entries_.empty()) {
    // All entries in one write: the file is replaced once, not twice per class.
    store::ProfileStatus written =
        store::UpdateProfile(settings_file_, [&](store::Profile& profile) {
          for (const CustomClassEntry& entry : entries_) {
            profile.WriteString(SectionOf(entry.class_name), kAncestorKey, entry.ancestor);
            profile.WriteString(SectionOf(entry.class_name), kUnitKey, entry.unit);
          }
        });
    if (!written.ok()) return written;
  }
  changed_ = false;
  return {};
}

const std::vector<CustomClassEntry>& CustomClassRegistry::entries() {
  LoadIfNeeded();
  return entries_;
}

std::string UpperCaseFirstTwo(std::string_view name) {
  std::string result(name);
  for (std::size_t i = 0; i < result.size() && i < 2; ++i) result[i] = model::UpCase(result[i]);
  return result;
}

std::string RegistrationHeading(std::string_view class_name) {
  return "Registering " + std::string(class_name);
}

std::string RegistrationPrompt(std::string_view class_name) {
  return "Please enter the name of one of its ancestors in the Delphi VCL (the closer, the "
         "better) and the name of the unit where " +
         std::string(class_name) + " is located.";
}

std::string RegistrationDontKnowCaption(std::string_view class_name) {
  return "No, I don't know what " + std::string(class_name) + " descends from.";
}

std::string RegistrationUnitLabel(std::string_view class_name) {
  return "Unit containing " + std::string(class_name) + ":";
}

std::string UnitNameFromFile(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  std::string unit = model::LowerCase(name.substr(0, name.find('.')));
  if (!unit.empty()) unit[0] = model::UpCase(unit[0]);
  return unit;
}

RegistrationCheck CheckRegistration(std::string_view ancestor_text, std::string_view unit_text,
                                    bool dont_know) {
  const std::string ancestor = model::Trim(ancestor_text);
  const std::string unit = model::Trim(unit_text);
  if (unit.empty()) return {"You have not entered a unit name for the parent class.", "", ""};
  if (ancestor.empty() && !dont_know) {
    return {
        "Please enter the name of an ancestor from the Visual Component Library, or check the "
        "check box if you don't know.",
        "", ""};
  }
  if (dont_know) return {"", std::string(kDefaultAncestor), unit};
  const std::string standard = UpperCaseFirstTwo(ancestor);
  if (IsStandardClass(standard)) return {"", standard, unit};
  return {"This program does not recognize \"" + ancestor +
              "\" a standard Visual Component Library class.  Please select another ancestor or "
              "check the check box if you don't know.",
          "", ""};
}

}  // namespace kx::catalog
