// SPDX-License-Identifier: GPL-3.0-or-later
// The unit of custom property editors: one class per requested editor, derived from the
// Delphi property-editor base class its kind names, with ready-to-edit method bodies.
//
//   EditorSelection selection;   // filled by the flow, one entry per chosen editor
//   std::string text = WriteEditorUnit("MyEds", def, selection, clock.Now());
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generate/printer.h"
#include "generate/target.h"
#include "model/code_target.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

// The kinds of editor, in the order of the list the user chooses from; the number is the
// position in the list, and what the kind dialog and the command line deal in.
enum EditorKind : int {
  kDoNotGenerate,                 // "Do not generate this editor"
  kBooleanMessageBox,             // "Boolean property (message box)"
  kIntegerDialogViewInInspector,  // "Integer property (edit in dialog, view in Object Inspector)"
  kIntegerDialogOrInspector,      // "Integer property (edit in dialog or Object Inspector)"
  kIntegerDialogOnly,             // "Integer property (edit and view in dialog only)"
  kFloatDialogViewInInspector,    // "Floating-point (edit in dialog, view in Object Inspector)"
  kFloatDialogOrInspector,        // "Floating-point (edit in dialog or Object Inspector)"
  kFloatDialogOnly,               // "Floating-point (edit and view in dialog only)"
  kStringDialogViewInInspector,   // "String property (edit in dialog, view in Object Inspector)"
  kStringDialogOrInspector,       // "String property (edit in dialog or Object Inspector)"
  kStringDialogOnly,              // "String property (edit and view in dialog only)"
  kStringListViewInInspector,     // "String property (drop-down list, view in Object Inspector)"
  kStringListEditInInspector,     // "String property (drop-down list, edit in Object Inspector)"
  kStringInputBox,                // "String property (message box with input line)"
  kStringFileNameDialog,          // "String property (file name dialog)"
  kStringDirectoryDialog,         // "String property (directory name dialog)"
  kObjectForm,                    // "Object property (edit in form)"
  kComponentList,                 // "Component property (drop-down list)"
  kStringDataFieldList,           // "String property (drop-down list of data field names)"
};
inline constexpr int kEditorKindCount = kStringDataFieldList + 1;
inline constexpr std::size_t kMaxEditorsPerUnit = 12;

// The editor type list's entry for a kind, as the user chooses from it.
std::string_view EditorKindText(int kind);
// The kind offered first for a property.
int DefaultEditorKind(const model::PropertyPart& property);
// The dialog kinds of the integer, floating-point and string editors and kObjectForm edit the
// value in a form the user supplies.
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

// The unit's text for the target, lines ended by "\n".
std::string WriteEditorUnit(std::string_view unit_name, const model::ComponentDef& def,
                            const EditorSelection& selection, const platform::DateTime& at,
                            model::CodeTarget target = model::CodeTarget::kDelphi);

void WriteEditorHeader(Printer& out, std::string_view unit_name, const model::ComponentDef& def,
                       const platform::DateTime& at, const Target& target);
void WriteEditorClass(Printer& out, const model::PropertyPart& property, int kind,
                      model::CodeTarget target);
void WriteEditorMethods(Printer& out, const model::PropertyPart& property,
                        const SelectedEditor& editor, model::CodeTarget target);

}  // namespace kx::generate
