// The unit of custom property editors: one class per requested editor, derived from the
// Delphi property-editor base class its kind names, with ready-to-edit method bodies.
//
//   EditorSelection selection;   // filled by the flow, one entry per chosen editor
//   std::string text = WriteEditorUnit("MyEds", def, selection, clock.Now());
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generate/text_template.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

inline constexpr int kEditorKindCount = 19;
inline constexpr int kNoEditor = 0;
inline constexpr int kDataFieldEditor = 18;
inline constexpr std::size_t kMaxEditorsPerUnit = 12;

// The editor type list's entry for a kind, as the user chooses from it.
std::string_view EditorKindText(int kind);
// The kind offered first for a property.
int DefaultEditorKind(const model::PropertyPart& property);
// Kinds 2 to 10 and 16 edit the value in a form the user supplies.
bool EditorKindNeedsForm(int kind);

struct SelectedEditor {
  int item = 0;  // 1-based item number of the property
  int kind = 0;
  std::string form_class;  // for the kinds that need a form
  std::string form_unit;
};

struct EditorSelection {
  std::vector<SelectedEditor> editors;
  bool need_typinfo = false;
  bool need_db = false;
  bool need_dialogs = false;
  bool need_filectrl = false;
};

// Adds a chosen editor and the units its kind needs; "no editor" and a full list add
// nothing. Returns whether it was added.
bool AddSelectedEditor(EditorSelection& selection, int item, int kind);

// The unit's text, lines ended by "\n".
std::string WriteEditorUnit(std::string_view unit_name, const model::ComponentDef& def,
                            const EditorSelection& selection, const platform::DateTime& at);

void WriteEditorHeader(Printer& out, std::string_view unit_name, const model::ComponentDef& def,
                       const platform::DateTime& at);
void WriteEditorClass(Printer& out, const model::PropertyPart& property, int kind);
void WriteEditorMethods(Printer& out, const model::PropertyPart& property,
                        const SelectedEditor& editor);

}  // namespace kx::generate
