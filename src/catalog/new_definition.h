// SPDX-License-Identifier: GPL-3.0-or-later
// The template of a new definition: NewDefinitionFromParent resets a definition and fills it
// with what every component needs (names, units, Create, Destroy, Loaded) and what its
// parent's family brings (a WMSize or Paint method, inherited events, properties and member
// sets). The imports from a form file, which need the user, come in as callbacks, so that
// the template stays a pure function of its arguments.
//
//   NewDefinitionFromSelection(def, selection, settings, FormImports(dialogs));
#pragma once

#include <functional>
#include <string_view>

#include "catalog/parent_choices.h"
#include "model/component_def.h"
#include "store/settings.h"

namespace kx::catalog {

// The imports a template may run; an empty callback skips its import.
struct NewDefinitionImports {
  // A business rule component's dataset fields, when a form was chosen (import mode 2).
  std::function<void(model::ComponentDef&)> import_fields;
  // A business rule component's starter methods (CreateFields, CalculateFields, ...).
  std::function<void(model::ComponentDef&)> add_business_methods;
  // A container of the form with its controls (import mode 2, any other parent).
  std::function<void(model::ComponentDef&)> import_container;
};

// Resets def and builds the template for parent class_name standing for the catalogue class
// vcl_ancestor, whose family is family (ClassFamilyOf(vcl_ancestor)). unit joins the uses
// clause; form becomes the definition's form info. The target directory and the copyright
// line come from the settings. Every member is added as the catalogue adds members: a name
// already taken or a full definition skips it.
void NewDefinitionFromParent(model::ComponentDef& def, std::string_view class_name,
                             std::string_view vcl_ancestor, const model::FormDef& form, int family,
                             std::string_view unit, const store::Settings& settings,
                             const NewDefinitionImports& imports = {});

// The same for a confirmed selection; a wrapper's unit is its form's unit.
void NewDefinitionFromSelection(model::ComponentDef& def, const ParentSelection& selection,
                                const store::Settings& settings,
                                const NewDefinitionImports& imports = {});

}  // namespace kx::catalog
