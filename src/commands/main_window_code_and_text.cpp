// SPDX-License-Identifier: GPL-3.0-or-later
// The Code and Text buttons: which block of which item is edited, what refuses it, and what the
// editor hands back.
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

namespace {

std::string MustCorrect(std::string_view problem, std::string_view what) {
  return std::string(problem) + ".  You must correct it before editing " + std::string(what);
}

}  // namespace

bool MainWindowModel::InheritedEventShown(const ItemDef& item) const {
  return page_ == Page::kEvents && events_.mode == EventsMode::kInherited &&
         item.Kind() == ItemKind::ExistingEvent;
}

bool MainWindowModel::AskOverrideHandler(ItemDef& item, std::string_view question) {
  model::ExistingEventPart& event = item.ExistingEvent();
  if (event.Override) return true;
  switch (dialogs_.Confirm(Buttons::kYesNoCancel, question)) {
    case Answer::kCancel:
      return false;
    case Answer::kYes:
      // The check box refuses an override without a handler; so does this question.
      if (model::TrimView(event.HandlerDecl).empty()) {
        dialogs_.Information(kOverrideHandlerMessage);
        return true;
      }
      event.Override = true;
      events_.override_handler.checked = true;
      Modified();
      return true;
    default:
      return true;
  }
}

bool MainWindowModel::MayEditCode(ItemDef& item) {
  if (page_ == Page::kMethods) {
    const std::string problem =
        model::CheckMethodHeader(item.Method().Header, item.Method().MethodKind);
    if (!problem.empty()) {
      dialogs_.Information(MustCorrect(problem, "the method code."));
      return false;
    }
  }
  if (InheritedEventShown(item)) {
    const std::string_view handler = item.ExistingEvent().HandlerDecl;
    // An empty box fails the header check too; the message that says what to do comes first.
    if (model::TrimView(handler).empty()) {
      dialogs_.Information(kEmptyHandlerCodeMessage);
      return false;
    }
    const std::string problem = model::CheckMethodHeader(handler, model::kProcedure);
    if (!problem.empty()) {
      dialogs_.Information(MustCorrect(problem, "the handler code."));
      return false;
    }
  }
  if (page_ == Page::kVariables && !item.Variable().IsObject) {
    dialogs_.Information(kObjectVariablesOnlyMessage);
    return false;
  }
  if (InheritedEventShown(item) && !AskOverrideHandler(item, kOverrideBeforeCodeQuestion)) {
    return false;
  }
  if (page_ == Page::kProperties) {
    model::PropertyPart& p = item.Property();
    if (p.Inherited) {
      dialogs_.Information(kInheritedPropertyCodeMessage);
      return false;
    }
    if (!p.UseReadMethod && !p.UseWriteMethod) {
      dialogs_.Information(kNoAccessMethodMessage);
      return false;
    }
    if (p.UseReadMethod && p.UseWriteMethod) {
      const std::optional<int> choice =
          dialogs_.ChooseButton({.caption = "Property " + p.Name,
                                 .first = "Edit property's &read method",
                                 .second = "Edit property's &write method",
                                 .cancel_button = true});
      if (!choice) return false;
      p.EditingReadCode = *choice == 0;
    } else {
      p.EditingReadCode = p.UseReadMethod;
    }
  }
  return true;
}

void MainWindowModel::CodeBtnClick() {
  if (!definition_open()) return;
  model::ComponentDef& def = session_.def();
  ItemDef* item = nullptr;
  bool implementation = false;
  if (page_ == Page::kMain) {
    const std::optional<int> choice = dialogs_.ChooseButton({.caption = "Edit global declarations",
                                                             .first = "Top of interface",
                                                             .second = "Top of implementation"});
    if (!choice) return;
    implementation = *choice == 1;
    item = implementation ? &def.ImpGlobal : &def.Global;
  } else {
    item = Current(page_);
    if (item == nullptr || !MayEditCode(*item)) return;
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
  Modified();
  if (page_ != Page::kMain) ShowEntry(page_);
}

void MainWindowModel::HelpTextBtnClick() {
  if (!definition_open()) return;
  model::ComponentDef& def = session_.def();
  ItemDef* item = page_ == Page::kMain ? &def.Global : Current(page_);
  if (item == nullptr) return;
  if (InheritedEventShown(*item) && !AskOverrideHandler(*item, kOverrideBeforeTextQuestion)) {
    return;
  }
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
  Modified();
  if (page_ != Page::kMain) ShowEntry(page_);
}

}  // namespace kx::commands
