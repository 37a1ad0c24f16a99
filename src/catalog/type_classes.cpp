// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/type_classes.h"

#include "catalog/class_catalog.h"
#include "model/text.h"

namespace kx::catalog {

model::TypeClass ClassifyType(std::string_view type) {
  return {IsComponentType(type), IsObjectType(type), model::IsSimpleType(type)};
}

bool IsObjectType(std::string_view type) { return IsCatalogueClass(type); }
bool IsComponentType(std::string_view type) { return IsStandardClass(type); }

std::string InitialValueOfType(std::string_view type) {
  return model::InitialValueOfType(type, ClassifyType(type));
}

std::vector<model::PropSpecialType> OfferedSpecialKinds(std::string_view type) {
  return model::OfferedSpecialKinds(type, ClassifyType(type));
}

bool IsDatasetFieldClass(std::string_view type) {
  const std::string upper = model::UpperCase(type);
  for (std::string_view field_class :
       {"TFIELD", "TNUMERICFIELD", "TAUTOINCFIELD", "TDATETIMEFIELD", "TBCDFIELD", "TBLOBFIELD",
        "TFLOATFIELD", "TSMALLINTFIELD", "TBOOLEANFIELD", "TGRAPHICFIELD", "TSTRINGFIELD",
        "TBYTESFIELD", "TINTEGERFIELD", "TTIMEFIELD", "TCURRENCYFIELD", "TMEMOFIELD",
        "TVARBYTESFIELD", "TDATEFIELD", "TWORDFIELD"}) {
    if (upper == field_class) return true;
  }
  return false;
}

model::PropSpecialType DefaultSpecialKind(const model::PropertyPart& property) {
  using enum model::PropSpecialType;
  if (property.Inherited) return psNone;
  const std::string type = model::UpperCase(property.PropType);
  if (IsDatasetFieldClass(type)) return psObjectManualCreate;
  if (IsStandardClass(type)) return psLinkComponent;
  if (IsCatalogueClass(type)) return psObjectAutoCreate;
  return psNone;
}

store::ClassRules StandardClassRules() {
  return {IsCatalogueClass, IsStandardClass, DefaultSpecialKind};
}

}  // namespace kx::catalog
