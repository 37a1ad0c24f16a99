// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/property_editors.h"

#include <algorithm>

#include "commands/form_files.h"
#include "commands/generated_file.h"
#include "commands/target_directory.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

namespace fs = std::filesystem;
using model::ItemDef;

namespace {

bool RequestsEditor(const ItemDef& item) {
  return item.Kind() == model::ItemKind::Property &&
         !item.Property().PropertyEditor.EditorClass.empty() &&
         !item.Property().PropertyEditor.EditorUnit.empty();
}

// The question's text is limited as the message box always limited it.
std::string PlacementQuestion(const fs::path& path) {
  std::error_code error;
  std::string text = "Place property editor code in " + path.string() + "?";
  if (fs::exists(path, error)) text += "\r\rThe file already exists.";
  if (text.size() > 350) text.resize(350);
  return text;
}

}  // namespace

std::vector<std::string> RequestedEditorUnits(const model::ComponentDef& def) {
  std::vector<std::string> units;
  for (const ItemDef& item : def.Items()) {
    if (!RequestsEditor(item)) continue;
    const std::string_view unit = item.Property().PropertyEditor.EditorUnit;
    if (std::none_of(units.begin(), units.end(),
                     [&](const std::string& u) { return model::SameText(u, unit); })) {
      units.emplace_back(unit);
    }
  }
  std::stable_sort(units.begin(), units.end(), [](const std::string& a, const std::string& b) {
    return model::UpperCase(a) < model::UpperCase(b);
  });
  return units;
}

std::optional<generate::EditorSelection> SelectEditorKinds(model::ComponentDef& def,
                                                           std::string_view unit_name,
                                                           Dialogs& dialogs) {
  generate::EditorSelection selection;
  for (int n = 1; n <= def.Count(); ++n) {
    ItemDef& item = def.Item(n);
    if (item.Kind() != model::ItemKind::Property) continue;
    model::PropertyEditorDef& editor = item.Property().PropertyEditor;
    if (editor.EditorClass.empty() || !model::SameText(editor.EditorUnit, unit_name)) continue;
    // Several properties may share one editor: it is generated once.
    const bool listed = std::any_of(
        selection.editors.begin(), selection.editors.end(), [&](const generate::SelectedEditor& s) {
          return model::SameText(def.Item(s.item).Property().PropertyEditor.EditorClass,
                                 editor.EditorClass);
        });
    if (listed) continue;
    const std::optional<int> kind =
        dialogs.ChooseEditorKind(editor.EditorClass, generate::DefaultEditorKind(item.Property()));
    if (!kind) return std::nullopt;
    if (!generate::AddSelectedEditor(selection, n, *kind)) continue;
    editor.EditorBase = static_cast<std::uint8_t>(*kind);
    if (!generate::EditorKindNeedsForm(*kind)) continue;
    const std::optional<fs::path> form_file =
        dialogs.OpenFile({.title = "Select form for editor " + editor.EditorClass,
                          .filter = std::string(kFormFilter),
                          .default_ext = "dfm",
                          .must_exist = true});
    if (!form_file) return std::nullopt;
    if (!LooksLikeFormFile(*form_file)) {
      dialogs.Warning("You did not select a form (DFM) file");
      return std::nullopt;
    }
    model::FormDef form;
    if (!ReadFormNames(*form_file, form, dialogs)) return std::nullopt;
    selection.editors.back().form_class = form.FormClassName.str();
    selection.editors.back().form_unit = form.FormUnitName.str();
  }
  return selection;
}

std::optional<fs::path> GeneratePropertyEditors(model::ComponentDef& def,
                                                const PropertyEditorOptions& options,
                                                Dialogs& dialogs, const platform::Clock& clock) {
  const std::vector<std::string> units = RequestedEditorUnits(def);
  if (units.empty()) {
    dialogs.Information(kNoEditorsRequestedMessage, kPropertyEditorsCaption);
    return std::nullopt;
  }
  const auto first = std::find_if(def.Items().begin(), def.Items().end(), RequestsEditor);
  std::string unit_name = first->Property().PropertyEditor.EditorUnit.str();
  if (units.size() > 1) {
    const std::optional<std::string> chosen = dialogs.ChooseEditorUnit(units);
    if (!chosen) return std::nullopt;
    unit_name = *chosen;
  }
  const model::DerivedFileName file = model::FileNameOf(unit_name, ".pas");
  if (file.name.empty()) {
    dialogs.Error("The editor unit name " + file.why_not + ", so no unit was written.",
                  kPropertyEditorsCaption);
    return std::nullopt;
  }
  const std::string& file_name = file.name;
  fs::path path =
      TargetDirectory(def.MainInfo, options.default_target_dir, options.output_dir) / file_name;
  if (!options.output_dir) {
    switch (dialogs.Confirm(Buttons::kYesNo, PlacementQuestion(path), kPropertyEditorsCaption)) {
      case Answer::kYes:
        break;
      case Answer::kNo: {
        const std::optional<fs::path> chosen =
            dialogs.SaveFile({.title = "Name of code file to generate",
                              .filter = "Pascal files (*.pas)|*.pas|All files (*.*)|*.*",
                              .default_ext = "pas",
                              .initial_dir = options.default_target_dir,
                              .file_name = file_name});
        if (!chosen) return std::nullopt;
        path = *chosen;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  if (!MayReplaceEditedUnit(path, options.edited, dialogs, kPropertyEditorsCaption))
    return std::nullopt;
  const std::optional<generate::EditorSelection> selection =
      SelectEditorKinds(def, unit_name, dialogs);
  if (!selection) return std::nullopt;
  const std::string text =
      generate::WriteEditorUnit(unit_name, def, *selection, clock.Now(), options.target);
  if (!WriteAndOfferView(path, text,
                         {options.codeview, "Property editor code", kPropertyEditorsCaption,
                          /*say_when_not_shown=*/true},
                         dialogs, {.target = options.target, .keep_backup = true})) {
    return std::nullopt;
  }
  return path;
}

}  // namespace kx::commands
