// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/parent_selection_flow.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "commands/form_files.h"
#include "commands/imports.h"
#include "commands/register_class.h"
#include "model/text.h"

namespace kx::commands {

namespace fs = std::filesystem;

using catalog::ParentChoice;
using catalog::ParentSelection;

std::string ImportFormTitle(std::string_view what) {
  return "Select form with " + std::string(what) + " to import";
}

bool ChooseFormFile(Dialogs& dialogs, model::FormModeKind import_mode, std::string_view title,
                    model::FormDef& form) {
  const std::optional<fs::path> chosen = dialogs.OpenFile({.title = std::string(title),
                                                           .filter = std::string(kFormFilter),
                                                           .default_ext = "dfm",
                                                           .must_exist = true});
  if (!chosen) return false;
  if (!LooksLikeFormFile(*chosen)) {
    dialogs.Warning(kNotAFormFileWarning);
    return false;
  }
  model::FormDef read;
  if (!ReadFormNames(*chosen, read, dialogs)) return false;
  read.FormMode = import_mode;
  form = std::move(read);
  return true;
}

ParentSelector::ParentSelector(Dialogs& dialogs, catalog::CustomClassRegistry& registry)
    : dialogs_(dialogs), registry_(registry) {}

std::optional<ParentSelection> ParentSelector::SelectForNewDefinition() { return Run(true); }

std::optional<ParentSelection> ParentSelector::SelectNewParent(std::string_view current_parent) {
  catalog::PreselectParent(choice_, current_parent);
  return Run(false);
}

std::optional<ParentSelection> ParentSelector::Run(bool allow_forms) {
  if (const store::ProfileStatus loaded = registry_.Load(); !loaded.ok()) {
    dialogs_.Error(loaded.message);
    return std::nullopt;
  }
  CustomClassPage page(dialogs_, registry_);
  std::optional<ParentSelection> result;
  for (;;) {
    ParentChoice left = choice_;
    std::optional<ParentChoice> answer =
        dialogs_.SelectParentDialog({.allow_forms = allow_forms,
                                     .shown = choice_,
                                     .custom_classes = page.Classes(),
                                     .custom_page = &page,
                                     .left = &left});
    if (!answer) {
      choice_ = std::move(left);
      break;
    }
    choice_ = std::move(*answer);
    // A front end never confirms a choice whose OK is disabled; one that does is cancelled
    // rather than trusted.
    if (!catalog::CanAccept(choice_, allow_forms)) break;
    ParentSelection selection;
    selection.allow_forms = allow_forms;
    const Outcome outcome = Accept(selection);
    if (outcome == Outcome::kKeepOpen) continue;
    if (outcome == Outcome::kOk) result = std::move(selection);
    break;
  }
  // The classes registered stay registered for this run when the file cannot take them.
  if (registry_.changed()) {
    if (const store::ProfileStatus saved = registry_.Save(); !saved.ok()) {
      dialogs_.Error(saved.message);
    }
  }
  return result;
}

ParentSelector::Outcome ParentSelector::Accept(ParentSelection& selection) {
  if (catalog::ChoosesWrapper(choice_)) {
    if (!ChooseFormFile(dialogs_, model::FormModeKind::kWrapsForm, kWrapFormTitle, selection.form))
      return Outcome::kCancel;
    selection.class_name = "TComponent";
    selection.vcl_ancestor = "TComponent";
    selection.family = catalog::kFamilyNonVisual;
    return Outcome::kOk;
  }

  selection.class_name = catalog::UpperCaseFirstTwo(catalog::SelectedClassName(choice_));
  selection.family = catalog::ClassFamilyOf(selection.class_name);
  if (selection.family != catalog::kFamilyOther) {
    selection.vcl_ancestor = selection.class_name;
    selection.unit = catalog::UnitOfClass(selection.class_name);
  } else if (std::optional<catalog::CustomClassEntry> entry =
                 registry_.FindCustomClass(selection.class_name)) {
    selection.vcl_ancestor = entry->ancestor;
    selection.unit = entry->unit;
    selection.family = catalog::ClassFamilyOf(entry->ancestor);
  } else {
    if (dialogs_.Confirm(Buttons::kYesCancel,
                         catalog::UnregisteredClassQuestion(selection.class_name),
                         catalog::kSelectParentCaption) != Answer::kYes) {
      return Outcome::kKeepOpen;
    }
    const std::optional<RegisteredClass> registered =
        RegisterCustomClass(dialogs_, registry_, selection.class_name);
    if (!registered) return Outcome::kKeepOpen;
    selection.vcl_ancestor = registered->ancestor;
    selection.unit = registered->unit;
    selection.family = registered->family;
  }

  if (!selection.allow_forms) return Outcome::kOk;
  if (catalog::IsContainer(selection.vcl_ancestor)) {
    if (dialogs_.Confirm(Buttons::kYesNo, kContainerQuestion, kContainerCaption) != Answer::kYes) {
      return Outcome::kOk;
    }
    return AskForForm(selection, "container");
  }
  if (model::SameText(selection.vcl_ancestor, "TRzBusinessComponent")) {
    if (dialogs_.Confirm(Buttons::kYesNo, kFieldsQuestion, kFieldsCaption) != Answer::kYes) {
      return Outcome::kOk;
    }
    return AskForForm(selection, "fields");
  }
  return Outcome::kOk;
}

ParentSelector::Outcome ParentSelector::AskForForm(ParentSelection& selection,
                                                   std::string_view what) {
  return ChooseFormFile(dialogs_, model::FormModeKind::kImported, ImportFormTitle(what),
                        selection.form)
             ? Outcome::kOk
             : Outcome::kCancel;
}

CustomClassPage::CustomClassPage(Dialogs& dialogs, catalog::CustomClassRegistry& registry)
    : dialogs_(dialogs), registry_(registry) {}

std::vector<std::string> CustomClassPage::Classes() {
  std::vector<std::string> names;
  registry_.FillList(names);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return model::UpperCase(a) < model::UpperCase(b);
  });
  return names;
}

std::optional<std::string> CustomClassPage::Add() {
  const std::optional<std::string> answer =
      dialogs_.InputBox(kAddCustomClassCaption, "Class name:", "");
  if (!answer) return std::nullopt;
  const std::string name = catalog::UpperCaseFirstTwo(model::Trim(*answer));
  if (name.empty()) {
    dialogs_.Information("You did not enter a class name.", kAddCustomClassCaption);
    return std::nullopt;
  }
  if (catalog::IsStandardClass(name)) {
    dialogs_.Information(
        name + " cannot be " + "added because it is a standard " + "VCL component class.",
        kAddCustomClassCaption);
    return std::nullopt;
  }
  if (const std::optional<catalog::CustomClassEntry> entry = registry_.FindCustomClass(name);
      entry && !entry->ancestor.empty() && !entry->unit.empty()) {
    dialogs_.Information(
        name + " is already in the " + "list of custom and 3rd-party component classes.",
        kAddCustomClassCaption);
    return std::nullopt;
  }
  if (!RegisterCustomClass(dialogs_, registry_, name)) return std::nullopt;
  return name;
}

bool CustomClassPage::Edit(std::string_view class_name) {
  return EditCustomClass(dialogs_, registry_, class_name).has_value();
}

bool CustomClassPage::Delete(std::string_view class_name) {
  if (dialogs_.Confirm(Buttons::kYesNo, "Delete " + std::string(class_name) + "?") !=
      Answer::kYes) {
    return false;
  }
  if (const store::ProfileStatus deleted = registry_.DeleteCustomClass(class_name); !deleted.ok()) {
    dialogs_.Error(deleted.message);
    return false;
  }
  return true;
}

bool ChangeParentClass(model::ComponentDef& def, ParentSelector& selector) {
  const std::optional<ParentSelection> selection =
      selector.SelectNewParent(def.MainInfo.ParentClassName);
  if (!selection) return false;
  if (!model::SameText(selection->class_name, def.MainInfo.ParentClassName)) {
    selector.dialogs().Information(kNewParentNote, kNewParentCaption);
  }
  def.MainInfo.ParentClassName = selection->class_name;
  def.MainInfo.VCLAncestorName = selection->vcl_ancestor;
  model::AddUnit(def.MainInfo.Units, selection->unit);
  return true;
}

catalog::NewDefinitionImports FormImports(Dialogs& dialogs) {
  return {
      .import_fields = [&dialogs](model::ComponentDef& def) { ImportFieldsFromForm(def, dialogs); },
      .add_business_methods = [](model::ComponentDef& def) { AddBusinessMethods(def); },
      .import_container =
          [&dialogs](model::ComponentDef& def) { ImportContainerFromForm(def, dialogs); },
  };
}

}  // namespace kx::commands
