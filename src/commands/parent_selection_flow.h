// SPDX-License-Identifier: GPL-3.0-or-later
// The parent selection dialog's flows: what OK does with the user's choice (resolving the
// class through the catalogue or the custom class registry, offering to register an unknown
// class, asking for a form to wrap or to import from), the Custom view's buttons, and the
// change of an existing definition's parent. The dialog itself only reports the choice
// (Dialogs::SelectParentDialog); when a step keeps it open, the flow shows it again.
//
//   ParentSelector selector(dialogs, registry);
//   if (auto parent = selector.SelectForNewDefinition()) {
//     catalog::NewDefinitionFromSelection(def, *parent, settings, FormImports(dialogs));
//   }
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/custom_class_registry.h"
#include "catalog/new_definition.h"
#include "catalog/parent_choices.h"
#include "commands/dialogs.h"
#include "model/component_def.h"

namespace kx::commands {

inline constexpr std::string_view kWrapFormTitle = "Select form for component to wrap";
inline constexpr std::string_view kContainerQuestion =
    "Import the container layout from a container in a form (.DFM) file?";
inline constexpr std::string_view kContainerCaption = "Create container component";
inline constexpr std::string_view kFieldsQuestion =
    "Import the list of fields from a form (.DFM) file?";
inline constexpr std::string_view kFieldsCaption = "New component definition";
inline constexpr std::string_view kNotAFormFileWarning = "You did not select a form (DFM) file";
inline constexpr std::string_view kAddCustomClassCaption = "Add custom or 3rd-party class";
inline constexpr std::string_view kNewParentCaption = "New parent class";
inline constexpr std::string_view kNewParentNote =
    "Note that the parent class you selected may have different properties, methods, or "
    "events from the previous one.  You may need to alter this component definition "
    "accordingly.";

// "Select form with " + what + " to import".
std::string ImportFormTitle(std::string_view what);

// Asks for a form file with the form-file open dialog. A name without ".DFM" in it is refused
// with a warning; a chosen file's names are read into form (while its import mode is still
// 0, so a file without a form gets the short warning) and only then is the import mode set.
// False when no form was chosen or its file could not be read; form is then unchanged.
bool ChooseFormFile(Dialogs& dialogs, model::FormModeKind import_mode, std::string_view title,
                    model::FormDef& form);

// The parent selection dialog, kept between uses: the page and selections the user left it
// with, and the registry its Custom view edits. Registry changes are saved to the settings
// file when the dialog closes; a settings file that cannot be read or written is told the user
// as an error box.
class ParentSelector {
 public:
  ParentSelector(Dialogs& dialogs, catalog::CustomClassRegistry& registry);

  // File > New: forms may be wrapped or imported; the dialog opens as last left. Nothing
  // when the user cancelled.
  std::optional<catalog::ParentSelection> SelectForNewDefinition();
  // The parent change of an existing definition: no forms; the dialog opens on the Outline
  // view with the current parent preselected.
  std::optional<catalog::ParentSelection> SelectNewParent(std::string_view current_parent);

  const catalog::ParentChoice& choice() const { return choice_; }
  void set_choice(catalog::ParentChoice choice) { choice_ = std::move(choice); }
  Dialogs& dialogs() { return dialogs_; }
  // The registry behind the Custom view, which an import registers an unknown parent in too.
  catalog::CustomClassRegistry& registry() { return registry_; }

 private:
  enum class Outcome { kOk, kCancel, kKeepOpen };

  std::optional<catalog::ParentSelection> Run(bool allow_forms);
  Outcome Accept(catalog::ParentSelection& selection);
  Outcome AskForForm(catalog::ParentSelection& selection, std::string_view what);

  Dialogs& dialogs_;
  catalog::CustomClassRegistry& registry_;
  catalog::ParentChoice choice_;
};

// The Custom view's list and its Add, "Edit..." and Delete buttons, with their questions and
// messages; what a front end's buttons call.
class CustomClassPage {
 public:
  CustomClassPage(Dialogs& dialogs, catalog::CustomClassRegistry& registry);

  // The registered classes, sorted as the list box shows them.
  std::vector<std::string> Classes();
  // Asks for a class name and registers it; the name added (to select), or nothing.
  std::optional<std::string> Add();
  // The registration dialog on a registered class; true when confirmed.
  bool Edit(std::string_view class_name);
  // Asks first; true when the class was removed.
  bool Delete(std::string_view class_name);

 private:
  Dialogs& dialogs_;
  catalog::CustomClassRegistry& registry_;
};

// The main window's "New parent...": on OK, the note when the class differs in more than
// letter case, the new parent and VCL ancestor, and the parent's unit in the uses list. The
// items stay as they are. True when the parent was changed (the caller marks the definition
// modified).
bool ChangeParentClass(model::ComponentDef& def, ParentSelector& selector);

// The imports a new definition runs, asking through dialogs: the fields and methods of a
// business rule component and the container of a form (commands/imports.h).
catalog::NewDefinitionImports FormImports(Dialogs& dialogs);

}  // namespace kx::commands
