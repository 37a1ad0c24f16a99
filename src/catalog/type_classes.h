// SPDX-License-Identifier: GPL-3.0-or-later
// The type rules that need the class catalogue: whether a type names an object or a
// component class, and what follows from that (initial values, special kinds).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"
#include "model/types.h"
#include "store/definition_file.h"

namespace kx::catalog {

model::TypeClass ClassifyType(std::string_view type);
bool IsObjectType(std::string_view type);
bool IsComponentType(std::string_view type);
std::string InitialValueOfType(std::string_view type);
std::vector<model::PropSpecialType> OfferedSpecialKinds(std::string_view type);
// One of the 19 field classes of a dataset (TField, TStringField, ...).
bool IsDatasetFieldClass(std::string_view type);
// The special kind a property's type calls for.
model::PropSpecialType DefaultSpecialKind(const model::PropertyPart& property);

// The catalogue's answers for the definition file reader.
store::ClassRules StandardClassRules();

}  // namespace kx::catalog
