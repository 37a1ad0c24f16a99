// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/main_window_model.h"

#include <algorithm>
#include <utility>

#include "commands/component_unit_import.h"
#include "commands/data_links.h"
#include "commands/definition_checks.h"
#include "commands/delphi_output.h"
#include "commands/generate_unit.h"
#include "commands/lazarus_output.h"
#include "commands/options.h"
#include "commands/palette_bitmap.h"
#include "commands/parent_selection_flow.h"
#include "commands/property_editors.h"
#include "commands/target_directory.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"

namespace kx::commands {

using model::ItemDef;
using model::ItemKind;

bool ClipboardCommandsEnabled(FocusKind focus) {
  return focus == FocusKind::kEditField || focus == FocusKind::kEntryBox;
}

MainWindowModel::MainWindowModel(Session& session, Dialogs& dialogs, store::Settings& settings,
                                 ParentSelector& selector, std::vector<std::string> palette_pages,
                                 const platform::Clock& clock)
    : host_(session, dialogs),
      dialogs_(dialogs),
      settings_(settings),
      selector_(selector),
      clock_(clock),
      main_(host_, selector, clock, std::move(palette_pages)),
      properties_(host_, main_),
      methods_(host_),
      events_(host_),
      variables_(host_) {}

ItemPageModel* MainWindowModel::ItemPage(Page page) {
  return const_cast<ItemPageModel*>(std::as_const(*this).ItemPage(page));
}

const ItemPageModel* MainWindowModel::ItemPage(Page page) const {
  switch (page) {
    case Page::kProperties:
      return &properties_;
    case Page::kMethods:
      return &methods_;
    case Page::kEvents:
      return &events_;
    case Page::kVariables:
      return &variables_;
    case Page::kMain:
      break;
  }
  return nullptr;
}

int MainWindowModel::selected_item(Page page) const {
  const ItemPageModel* item_page = ItemPage(page);
  return item_page == nullptr ? -1 : item_page->selected_item();
}

// --- Start-up and definition switching ------------------------------------------------

void MainWindowModel::Start(const std::optional<std::filesystem::path>& definition_file) {
  ShowNoDefinition();
  if (definition_file && host_.session().Load(*definition_file)) ShowDefinition();
}

void MainWindowModel::ShowDefinition() {
  host_.set_shown_page(Page::kMain);
  main_.Show();
  // Each item page opens on its first entry, so that its fields are live at once.
  for (ItemPageModel* page : ItemPages()) {
    page->Fill();
    if (!page->list().entries.empty()) page->Select(0);
  }
}

void MainWindowModel::ShowNoDefinition() {
  // The session forgets the definition's modified mark with the definition.
  host_.set_shown_page(Page::kMain);
  main_.Reset();
  for (ItemPageModel* page : ItemPages()) page->Reset();
}

ButtonStates MainWindowModel::buttons() const {
  const bool open = definition_open();
  if (page() == Page::kMain) {
    return {.add = false, .del = false, .code = open, .text = open, .code_is_default = true};
  }
  const bool selected = open && selected_item(page()) != -1;
  return {.add = open, .del = selected, .code = selected, .text = selected};
}

bool MainWindowModel::MenuEnabled(MenuItem item) const {
  switch (item) {
    case MenuItem::kNew:
    case MenuItem::kOpen:
    case MenuItem::kImportUnit:
    case MenuItem::kPrinterSetup:
    case MenuItem::kExit:
      return true;
    default:
      return definition_open();
  }
}

// --- Page, buttons and lists -------------------------------------------------------------

void MainWindowModel::PageChange(Page page) {
  host_.set_shown_page(page);
  if (!definition_open()) return;
  if (ItemPageModel* item_page = ItemPage(page)) {
    if (!item_page->shown()) item_page->Fill();
  } else if (!main_.shown()) {
    main_.Fill();
  }
}

void MainWindowModel::ListClick(int position) {
  if (ItemPageModel* item_page = ItemPage(page())) item_page->ListClick(position);
}

void MainWindowModel::RefillShownPages() {
  if (main_.shown()) main_.Fill();
  for (ItemPageModel* page : ItemPages()) {
    if (page->shown()) page->Fill();
  }
}

void MainWindowModel::AddBtnClick() {
  ItemPageModel* item_page = ItemPage(page());
  if (item_page == nullptr || !definition_open()) return;
  AddItemOfPage(*item_page);
}

void MainWindowModel::AddItemOfPage(ItemPageModel& page) {
  NamePromptRequest request = page.AddPrompt();
  const bool needs_type = request.extra == NamePromptExtra::kPropertyType ||
                          request.extra == NamePromptExtra::kVariableType;
  std::optional<NamePromptAnswer> answer;
  std::string name;
  for (;;) {
    answer = dialogs_.NamePrompt(request);
    if (!answer) return;
    name = request.filter ? model::FilterIdentifier(answer->name, 0, request.prefix).text
                          : model::Trim(answer->name);
    // Nothing beyond the prefix counts as no name.
    if (name.size() <= request.prefix.size()) {
      dialogs_.Information(model::MissingEntryMessage(model::missing::kName));
    } else if (needs_type && model::Trim(answer->type).empty()) {
      dialogs_.Information(model::MissingEntryMessage(model::missing::kDataType));
    } else {
      break;
    }
    request.name = answer->name;
    request.type = answer->type;
    request.method_kind = answer->method_kind;
  }
  model::ComponentDef& def = host_.def();
  // The units the new item needs join only with the item.
  model::TextBlock units = def.MainInfo.Units;
  ItemDef item = page.NewItem(name, *answer, units);
  const model::NameLookup taken = model::FindNewItemConflict(def, item);
  if (taken.index != -1) {
    dialogs_.Information(taken.message, model::kAddCaption);
    return;
  }
  std::optional<ItemDef> completed = page.CompleteNewItem(std::move(item));
  if (!completed) return;
  switch (model::AddItem(def, std::move(*completed))) {
    case model::AddResult::Added:
      def.MainInfo.Units = std::move(units);
      host_.Modified();
      page.Fill();
      if (main_.shown()) main_.Fill();
      page.Select(static_cast<int>(page.list().entries.size()) - 1);
      break;
    case model::AddResult::Full:
      dialogs_.Error(model::kStorageFullMessage);
      break;
    case model::AddResult::Conflict:
      dialogs_.Information(model::AddConflictMessage(name));
      break;
  }
}

void MainWindowModel::DeleteBtnClick() {
  ItemPageModel* page = ItemPage(this->page());
  ItemDef* item = page == nullptr ? nullptr : page->Current();
  if (item == nullptr) return;
  if (dialogs_.Confirm(Buttons::kYesNo, "Delete " + model::ItemName(*item) + "?") != Answer::kYes) {
    return;
  }
  const int number = page->selected_item();
  model::DeleteItem(host_.def(), number);
  host_.Modified();
  page->Fill();
  // The other pages keep their selections, whose numbers moved.
  for (ItemPageModel* other : ItemPages()) {
    if (other != page) other->ItemDeleted(number);
  }
}

// --- Menu commands -------------------------------------------------------------------------

void MainWindowModel::NewDefinition() {
  if (host_.session().New(selector_)) ShowDefinition();
}

void MainWindowModel::OpenDefinition() {
  const bool read = host_.session().Open();
  if (read) {
    ShowDefinition();
  } else if (!host_.session().definition_open()) {
    ShowNoDefinition();
  }
}

void MainWindowModel::ImportComponentUnit() {
  std::optional<std::vector<std::string>> notes = host_.session().ImportUnit(selector_.registry());
  if (!notes) return;
  ShowDefinition();
  if (!notes->empty())
    dialogs_.ShowNotes(ImportNotes(host_.session().imported_unit(), std::move(*notes)));
}

void MainWindowModel::SaveDefinition() { host_.session().Save(); }
void MainWindowModel::SaveDefinitionAs() { host_.session().SaveAs(); }
bool MainWindowModel::ExitProgram() { return host_.session().Exit(); }

std::array<std::string, kPageCount> MainWindowModel::RememberSelections() const {
  std::array<std::string, kPageCount> remembered;
  for (int page = 1; page < kPageCount; ++page) {
    if (const ItemDef* item = ItemPage(static_cast<Page>(page))->Current()) {
      remembered[page] = EntryText(*item);
    }
  }
  return remembered;
}

void MainWindowModel::Reselect(const std::array<std::string, kPageCount>& remembered) {
  for (ItemPageModel* page : ItemPages()) {
    page->Fill();
    const std::string& entry = remembered[static_cast<int>(page->page())];
    if (entry.empty()) continue;
    const std::vector<std::string>& entries = page->list().entries;
    const auto at = std::find(entries.begin(), entries.end(), entry);
    if (at == entries.end()) {
      dialogs_.Error("Item \"" + entry + "\" could not be found on tab " +
                     std::to_string(static_cast<int>(page->page())) + " after code generation");
      continue;
    }
    page->Select(static_cast<int>(at - entries.begin()));
  }
}

std::string MainWindowModel::PrintInterface(std::string& job_title) {
  const auto remembered = RememberSelections();
  ComponentInterface printed =
      PrepareComponentInterface(host_.def(), GenerateUnitOptionsFrom(settings_), clock_);
  Reselect(remembered);
  job_title = std::move(printed.job_title);
  return std::move(printed.text);
}

void MainWindowModel::AddDataLinkClick() {
  if (!AddDataLinkCommand(host_.def(), dialogs_)) return;
  host_.Modified();
  RefillShownPages();
}

std::string MainWindowModel::DefaultTargetDir() const {
  return DefaultTargetDirectory(settings_, host_.session().file());
}

void MainWindowModel::GenerateComponentCodeClick() {
  if (!ConfirmDefinitionChecks(host_.def(), dialogs_)) return;
  const auto remembered = RememberSelections();
  GenerateUnitOptions options = GenerateUnitOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  bool took_edits = false;
  GenerateComponentCode(host_.def(), options, dialogs_, clock_, &took_edits);
  if (took_edits) host_.Modified();
  Reselect(remembered);
  main_.Fill();
}

void MainWindowModel::TakeUnitEditsClick() {
  GenerateUnitOptions options = GenerateUnitOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  if (!TakeUnitEdits(host_.def(), options, dialogs_)) return;
  host_.Modified();
  RefillShownPages();
}

void MainWindowModel::GeneratePropertyEditorsClick() {
  const auto remembered = RememberSelections();
  GeneratePropertyEditors(host_.def(),
                          {.codeview = settings_.codeview,
                           .default_target_dir = DefaultTargetDir(),
                           .target = settings_.target},
                          dialogs_, clock_);
  Reselect(remembered);
}

void MainWindowModel::GeneratePaletteBitmapClick(platform::BusyHook busy) {
  PaletteBitmapOptions options = PaletteBitmapOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  options.busy = std::move(busy);
  GeneratePaletteBitmap(host_.def(), options, dialogs_);
}

void MainWindowModel::GenerateDocumentationClick() {
  const auto remembered = RememberSelections();
  GenerateDocumentation(host_.def(), audience_, dialogs_, DefaultTargetDir());
  Reselect(remembered);
}

void MainWindowModel::GenerateSmokeTestClick() {
  const auto remembered = RememberSelections();
  LazarusOutputOptions options = LazarusOutputOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  GenerateSmokeTest(host_.def(), options, dialogs_, clock_);
  Reselect(remembered);
}

void MainWindowModel::GeneratePackages(PackageWriter generate) {
  const auto remembered = RememberSelections();
  LazarusOutputOptions options = LazarusOutputOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  bool took_edits = false;
  generate(host_.def(), options, dialogs_, clock_, &took_edits);
  if (took_edits) host_.Modified();
  Reselect(remembered);
}

void MainWindowModel::GenerateLazarusPackagesClick() { GeneratePackages(GenerateLazarusPackages); }

void MainWindowModel::GenerateDelphiPackagesClick() { GeneratePackages(GenerateDelphiPackages); }

void MainWindowModel::DefaultSourceDirectoryClick() {
  ChangeDefaultSourceDirectory(dialogs_, settings_);
}
void MainWindowModel::DefaultTargetDirectoryClick() {
  ChangeDefaultTargetDirectory(dialogs_, settings_);
}
void MainWindowModel::CommentingLevelClick() { ChangeCommentingLevel(dialogs_, settings_); }
void MainWindowModel::CodeTargetClick() { ChangeCodeTarget(dialogs_, settings_); }
void MainWindowModel::ResourceCompilerPathClick() {
  ChangeResourceCompilerPath(dialogs_, settings_);
}
void MainWindowModel::DelphiVersionClick(const std::filesystem::path& wine_prefix) {
  ChangeDelphiVersion(dialogs_, settings_, wine_prefix);
}
void MainWindowModel::OtherOptionsClick() { ChangeOtherOptions(dialogs_, settings_, clock_); }

store::HelpTopic MainWindowModel::ClassHelp() const {
  return store::ClassHelpTopic(host_.session().def().MainInfo.ParentClassName.str(),
                               settings_.using_delphi16);
}

}  // namespace kx::commands
