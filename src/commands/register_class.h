// SPDX-License-Identifier: GPL-3.0-or-later
// Registering a custom or third-party parent class, and editing a registration: the
// registration dialog is shown until its entries pass the checks or the user cancels, and the
// result goes into the registry (which the caller saves when its dialog closes).
//
//   if (auto parent = RegisterCustomClass(dialogs, registry, "TMyGrid")) {
//     UseParent(parent->ancestor, parent->family, parent->unit);
//   }
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/custom_class_registry.h"
#include "commands/dialogs.h"

namespace kx::commands {

struct RegisteredClass {
  std::string ancestor;  // the VCL ancestor
  int family = 0;        // catalog::ClassFamilyOf(ancestor)
  std::string unit;

  friend bool operator==(const RegisteredClass&, const RegisteredClass&) = default;
};

// A class not yet registered: the dialog starts empty. Nothing when cancelled.
std::optional<RegisteredClass> RegisterCustomClass(Dialogs& dialogs,
                                                   catalog::CustomClassRegistry& registry,
                                                   std::string_view class_name);
// The same, the dialog starting with what is proposed (an import knows where the class is).
std::optional<RegisteredClass> RegisterCustomClass(Dialogs& dialogs,
                                                   catalog::CustomClassRegistry& registry,
                                                   std::string_view class_name,
                                                   const ClassRegistration& proposed);
// A registered class: the dialog starts with its stored ancestor and unit.
std::optional<RegisteredClass> EditCustomClass(Dialogs& dialogs,
                                               catalog::CustomClassRegistry& registry,
                                               std::string_view class_name);

// The file dialog of the registration dialog's "Browse..." button.
FileDialogRequest BrowseUnitRequest();

// The registration dialog's entries as the user changes them. Checking "don't know" empties
// the ancestor: OK then registers the default ancestor, and a name left in the box would look
// as if it counted. Clearing the check leaves the ancestor to be entered.
ClassRegistration DontKnowChanged(ClassRegistration entries, bool checked);
// "Browse...": the unit the chosen file holds (catalog::UnitNameFromFile).
ClassRegistration UnitFileChosen(ClassRegistration entries, const std::filesystem::path& file);

}  // namespace kx::commands
