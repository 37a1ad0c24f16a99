// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/register_class.h"

#include "catalog/class_catalog.h"

namespace kx::commands {

namespace {

std::optional<RegisteredClass> RunRegistration(Dialogs& dialogs,
                                               catalog::CustomClassRegistry& registry,
                                               std::string_view class_name,
                                               ClassRegistration shown) {
  for (;;) {
    const std::optional<ClassRegistration> answer =
        dialogs.RegisterClassDialog({std::string(class_name), shown});
    if (!answer) return std::nullopt;
    const catalog::RegistrationCheck check =
        catalog::CheckRegistration(answer->ancestor, answer->unit, answer->dont_know);
    if (check.accepted()) {
      registry.SetCustomClass(class_name, check.ancestor, check.unit);
      return RegisteredClass{check.ancestor, catalog::ClassFamilyOf(check.ancestor), check.unit};
    }
    // The dialog stays open with what the user entered.
    dialogs.Information(check.message, catalog::kRegisterClassCaption);
    shown = *answer;
  }
}

}  // namespace

std::optional<RegisteredClass> RegisterCustomClass(Dialogs& dialogs,
                                                   catalog::CustomClassRegistry& registry,
                                                   std::string_view class_name) {
  return RunRegistration(dialogs, registry, class_name, {});
}

std::optional<RegisteredClass> RegisterCustomClass(Dialogs& dialogs,
                                                   catalog::CustomClassRegistry& registry,
                                                   std::string_view class_name,
                                                   const ClassRegistration& proposed) {
  return RunRegistration(dialogs, registry, class_name, proposed);
}

std::optional<RegisteredClass> EditCustomClass(Dialogs& dialogs,
                                               catalog::CustomClassRegistry& registry,
                                               std::string_view class_name) {
  const catalog::CustomClassEntry stored =
      registry.FindCustomClass(class_name).value_or(catalog::CustomClassEntry{});
  return RunRegistration(dialogs, registry, class_name, {stored.ancestor, stored.unit, false});
}

FileDialogRequest BrowseUnitRequest() {
  return {.title = "Select Pascal unit",
          .filter = "Pascal files (*.pas)|*.pas|Unit files (*.dcu)|*.dcu|All files (*.*)|*.*",
          .default_ext = "pas"};
}

ClassRegistration DontKnowChanged(ClassRegistration entries, bool checked) {
  entries.dont_know = checked;
  if (checked) entries.ancestor.clear();
  return entries;
}

ClassRegistration UnitFileChosen(ClassRegistration entries, const std::filesystem::path& file) {
  entries.unit = catalog::UnitNameFromFile(file);
  return entries;
}

}  // namespace kx::commands
