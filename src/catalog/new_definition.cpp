// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/new_definition.h"

#include <cstdint>

#include "catalog/class_catalog.h"
#include "catalog/member_sets.h"
#include "model/text.h"

namespace kx::catalog {

using DC = model::DefaultCodeKind;

using model::ComponentDef;
using model::ItemDef;
using model::SameText;

namespace {

void Run(const std::function<void(ComponentDef&)>& import, ComponentDef& def) {
  if (import) import(def);
}

}  // namespace

void NewDefinitionFromParent(ComponentDef& def, std::string_view parent_class,
                             std::string_view vcl_ancestor, const model::FormDef& form_info,
                             int family, std::string_view parent_unit,
                             const store::Settings& settings, const NewDefinitionImports& imports) {
  // Copies first: the arguments may be fields of the definition that is about to be reset.
  const std::string class_name(parent_class);
  const std::string a(vcl_ancestor);
  const std::string unit(parent_unit);
  const model::FormDef form = form_info;
  // Only a folder the user chose: without one, generation writes beside the definition's
  // file once it has one (commands::DefaultTargetDirectory).
  model::ClearDefinition(def, settings.pascal_code_dir_chosen ? settings.pascal_code_dir : "");

  model::MainInfoDef& main = def.MainInfo;
  main.UnitName = "MyUnit";
  main.NewClassName = "TMyClass";
  main.ParentClassName = class_name;
  main.VCLAncestorName = a;
  main.DefaultPalette = PaletteOfClass(a);
  main.CopyrightLine = settings.copyright;

  model::ResetUnits(main.Units);
  model::AddUnit(main.Units, unit);
  if (!SameText(class_name, a)) model::AddUnit(main.Units, UnitOfClass(a));
  if (IsDataAwareGrid(a)) {
    model::AddUnit(main.Units, "DB");
    model::AddUnit(main.Units, "Grids");
  }

  main.Form = form;

  AddMethodMember(def, "Create(AOwner: TComponent)", model::kConstructor, model::kScopePublic, true,
                  IsContainer(a) ? DC::kContainerConstructor : DC::kConstructor);
  AddMethodMember(def, "Destroy", model::kDestructor, model::kScopePublic, true, DC::kDestructor);
  AddMethodMember(def, "Loaded", model::kProcedure, model::kScopeProtected, true, DC::kLoaded);
  if (family == kFamilyGraphicControl && !HasOnResize(a)) {
    AddMethodMember(def, "WMSize(var Message: TWMSize)", model::kProcedure, model::kScopePrivate,
                    false, DC::kSizeMessage, {}, "WM_SIZE");
  }
  if (HasCanvas(a))
    AddMethodMember(def, "Paint", model::kProcedure, model::kScopeProtected, true, DC::kPaint);
  if (SameText(class_name, "TComponent")) {
    AddMethodMember(
        def, "Execute : Boolean", model::kFunction, model::kScopePublic, false,
        form.FormMode == model::FormModeKind::kWrapsForm ? DC::kFormWrapper : DC::kOperation);
  }

  const bool business = SameText(a, "TRzBusinessComponent");
  if (business) {
    // The imported CreateFields comes first, so that the empty starter one is skipped.
    if (form.FormMode == model::FormModeKind::kImported) Run(imports.import_fields, def);
    for (std::string_view name : {"RzErrDlg", "DB", "DBTables"}) model::AddUnit(main.Units, name);
    Run(imports.add_business_methods, def);
  }

  if (SameText(a, "TMediaPlayer")) {
    AddMediaPlayerSet(def);
    return;
  }
  if (family == kFamilyRadioGroup) {
    AddRadioGroupSet(def);
    return;
  }
  AddFamilyEvents(def, a);

  if (form.FormMode == model::FormModeKind::kWrapsForm) {
    AddPropertyMember(def, "Caption", "String", "'A simple caption'", false, "Form's caption");
    AddPropertyMember(def, "HelpContext", "THelpContext", "0", false, "Form's help context");
    AddPropertyMember(def, "ModalResult", "TModalResult", "mrNone", false, "Form's return value",
                      true);
  }
  if (SameText(a, "TBitBtn") || SameText(a, "TButton")) {
    AddPropertyMember(def, "ModalResult", "TModalResult", "mrOK", true);
  }
  if (SameText(a, "TButton")) AddPropertyMember(def, "Caption", "String", "'Btn caption'", true);
  if (SameText(a, "TBitBtn")) AddPropertyMember(def, "Kind", "TBitBtnKind", "bkOK", true);
  if (SameText(a, "TOpenDialog") || SameText(a, "TSaveDialog")) AddFileDialogSet(def);
  if (IsThreadClass(a)) AddThreadSet(def);
  if (form.FormMode == model::FormModeKind::kImported && !business)
    Run(imports.import_container, def);
}

void NewDefinitionFromSelection(ComponentDef& def, const ParentSelection& selection,
                                const store::Settings& settings,
                                const NewDefinitionImports& imports) {
  NewDefinitionFromParent(def, selection.class_name, selection.vcl_ancestor, selection.form,
                          selection.family, UnitForNewDefinition(selection), settings, imports);
}

}  // namespace kx::catalog
