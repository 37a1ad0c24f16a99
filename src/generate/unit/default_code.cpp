#include "generate/unit/default_code.h"

// Placeholder until the templates land.
namespace kx::generate {

DefaultCodeContext DefaultCodeContextOf(const model::ComponentDef& def, bool full_comments) {
  return {full_comments, def.MainInfo.ParentClassName, def.MainInfo.VCLAncestorName,
          def.MainInfo.Form.FormClassName};
}
void FillDefaultCode(model::ItemDef& item, const DefaultCodeContext&) { item.Code.emplace(); }
void FillDefaultReadCode(model::ItemDef& item) {
  if (item.Kind() == model::ItemKind::Property) item.Property().ReadCode.emplace();
}
void InternalDeclarationsBlock(model::ItemDef& item, bool) { item.Code.emplace(); }
std::string HeaderToCall(std::string_view header) { return std::string(header); }
std::string FunctionHeaderToCall(std::string_view header) { return std::string(header); }
std::string DefaultValueForType(std::string_view) { return {}; }

}  // namespace kx::generate
