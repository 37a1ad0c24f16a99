// SPDX-License-Identifier: GPL-3.0-or-later
// The Code and Text buttons: which block of which item is edited and what the editor hands back.
// What refuses editing belongs to the page the item is on.
#include "commands/code_editing.h"
#include "commands/main_window_model.h"
#include "commands/target_directory.h"
#include "generate/extras/documentation.h"
#include "generate/unit/default_code.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

using model::ItemDef;
using model::ItemKind;

void MainWindowModel::CodeBtnClick() {
  if (!definition_open()) return;
  model::ComponentDef& def = host_.def();
  ItemPageModel* page = ItemPage(this->page());
  ItemDef* item = nullptr;
  bool implementation = false;
  if (page == nullptr) {
    const std::optional<int> choice = dialogs_.ChooseButton({.caption = "Edit global declarations",
                                                             .first = "Top of interface",
                                                             .second = "Top of implementation"});
    if (!choice) return;
    implementation = *choice == 1;
    item = implementation ? &def.ImpGlobal : &def.Global;
  } else {
    item = page->Current();
    if (item == nullptr || !page->MayEditCode(*item)) return;
  }
  const bool read_code = item->Kind() == ItemKind::Property && item->Property().EditingReadCode;
  ItemDef fresh = *item;
  if (read_code) {
    generate::FillDefaultReadCode(fresh);
  } else {
    generate::FillDefaultCode(fresh, generate::DefaultCodeContextOf(def, settings_.full_comments));
  }
  const model::TextBlock& old_block = read_code ? item->Property().ReadCode : item->Code;
  const model::TextBlock& default_block = read_code ? fresh.Property().ReadCode : fresh.Code;
  const std::vector<std::string> no_lines;
  EditorRequest request{
      .kind = EditorKind::kCode,
      .caption = CodeEditorCaption(*item, def.MainInfo.NewClassName.str(), implementation),
      .header = CodeEditorHeader(*item),
      .block = old_block.value_or(default_block.value_or(no_lines)),
      .default_block = default_block.value_or(no_lines),
      .templates = CodeTemplates(def),
      .class_help = ClassHelp(),
      .using_delphi16 = settings_.using_delphi16,
      .source_dir = TargetDirectory(def.MainInfo, DefaultTargetDir()).string()};
  std::optional<std::vector<std::string>> edited = dialogs_.EditText(request);
  if (!edited) return;
  (read_code ? item->Property().ReadCode : item->Code) = std::move(*edited);
  host_.Modified();
  if (page != nullptr) page->ShowEntry();
}

void MainWindowModel::HelpTextBtnClick() {
  if (!definition_open()) return;
  model::ComponentDef& def = host_.def();
  ItemPageModel* page = ItemPage(this->page());
  ItemDef* item = page == nullptr ? &def.Global : page->Current();
  if (item == nullptr || (page != nullptr && !page->MayEditText(*item))) return;
  EditorRequest request{
      .kind = EditorKind::kHelpText,
      .caption = HelpTextCaption(*item, def.MainInfo.NewClassName.str()),
      .header = HelpTextHeader(*item),
      .block = item->Help.value_or(std::vector<std::string>{generate::DescriptionNotes(*item)}),
      .templates = HelpTextTemplates(def),
      .class_help = ClassHelp(),
      .using_delphi16 = settings_.using_delphi16,
      .source_dir = TargetDirectory(def.MainInfo, DefaultTargetDir()).string()};
  std::optional<std::vector<std::string>> edited = dialogs_.EditText(request);
  if (!edited) return;
  item->Help = std::move(*edited);
  host_.Modified();
  if (page != nullptr) page->ShowEntry();
}

}  // namespace kx::commands
