// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/main_window_model.h"

#include <algorithm>

#include "catalog/class_catalog.h"
#include "catalog/type_classes.h"
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

std::string EntryText(const ItemDef& item) {
  switch (item.Kind()) {
    case ItemKind::Property:
      return item.Property().Name + " : " + item.Property().PropType;
    case ItemKind::Variable:
      return item.Variable().Name + " : " + item.Variable().DataType;
    case ItemKind::Method:
      return item.Method().Header.str();
    case ItemKind::ExistingEvent:
      return item.ExistingEvent().Name.str();
    case ItemKind::NewEvent:
      return item.NewEvent().Name.str();
    case ItemKind::Main:
      break;
  }
  return {};
}

bool PageShows(Page page, EventsMode mode, const ItemDef& item) {
  switch (page) {
    case Page::kProperties:
      return item.Kind() == ItemKind::Property;
    case Page::kMethods:
      return item.Kind() == ItemKind::Method;
    case Page::kEvents:
      return item.Kind() ==
             (mode == EventsMode::kInherited ? ItemKind::ExistingEvent : ItemKind::NewEvent);
    case Page::kVariables:
      return item.Kind() == ItemKind::Variable;
    case Page::kMain:
      break;
  }
  return false;
}

MainWindowModel::MainWindowModel(Session& session, Dialogs& dialogs, store::Settings& settings,
                                 ParentSelector& selector, std::vector<std::string> palette_pages,
                                 const platform::Clock& clock)
    : session_(session),
      dialogs_(dialogs),
      settings_(settings),
      selector_(selector),
      clock_(clock) {
  main_.palette_pages = std::move(palette_pages);
}

// --- Start-up and definition switching ------------------------------------------------

void MainWindowModel::Start(const std::optional<std::filesystem::path>& definition_file) {
  ShowNoDefinition();
  if (definition_file && session_.Load(*definition_file)) ShowDefinition();
}

void MainWindowModel::ShowDefinition() {
  page_ = Page::kMain;
  help_context_ = kFirstHelpContext;
  selected_item_.fill(-1);
  main_.copyright_lines = model::CopyrightLines(clock_.Now().year);
  for (int page = 0; page < kPageCount; ++page) FillPage(static_cast<Page>(page));
  // Each item page opens on its first entry, so that its fields are live at once.
  for (const Page page : {Page::kProperties, Page::kMethods, Page::kEvents, Page::kVariables}) {
    if (!ListOf(page).entries.empty()) SelectEntry(page, 0);
  }
  SetButtons();
}

void MainWindowModel::ShowNoDefinition() {
  // The session forgets the definition's modified mark with the definition.
  selected_item_.fill(-1);
  shown_.fill(false);
  page_ = Page::kMain;
  help_context_ = kFirstHelpContext;
  main_ = MainPageState{.palette_pages = std::move(main_.palette_pages)};
  props_ = {};
  methods_ = {};
  events_ = EventPageState{.mode = events_.mode};
  vars_ = {};
  for (Page page : {Page::kProperties, Page::kMethods, Page::kEvents, Page::kVariables}) {
    ClearEntry(page);
  }
  SetButtons();
}

void MainWindowModel::FillPage(Page page) {
  UpdateScope updating(*this);
  shown_[static_cast<int>(page)] = true;
  if (page == Page::kMain) {
    FillMain();
    return;
  }
  Selected(page) = -1;
  FillList(page);
  ListOf(page).selected = -1;
  ShowEntry(page);
}

void MainWindowModel::FillMain() {
  const model::MainInfoDef& info = session_.def().MainInfo;
  main_.parent_class = info.ParentClassName.str();
  main_.new_class_name.text = accepted_class_name_ = info.NewClassName.str();
  main_.unit_name.text = accepted_unit_name_ = info.UnitName.str();
  main_.limit_name.checked = info.LimitName;
  main_.unit_name_max = info.LimitName ? 8 : decltype(info.UnitName)::kCapacity;
  main_.description.text = session_.def().Global.Descr.str();
  main_.units = info.Units.value_or(std::vector<std::string>{});
  main_.default_palette.text = info.DefaultPalette.str();
  main_.copyright_line.text = info.CopyrightLine;
  main_.target_dir = info.TargetDir.str();
}

void MainWindowModel::FillList(Page page) {
  EntryList& list = ListOf(page);
  list.entries.clear();
  for (const ItemDef& item : session_.def().Items()) {
    if (PageShows(page, events_.mode, item)) list.entries.push_back(EntryText(item));
  }
}

EntryList& MainWindowModel::ListOf(Page page) {
  switch (page) {
    case Page::kProperties:
      return props_.list;
    case Page::kMethods:
      return methods_.list;
    case Page::kEvents:
      return events_.list;
    default:
      return vars_.list;
  }
}

ItemDef* MainWindowModel::Current(Page page) {
  const int number = Selected(page);
  if (number < 1 || number > session_.def().Count()) return nullptr;
  return &session_.def().Item(number);
}

bool MainWindowModel::Editing(Page page) { return !updating() && Current(page) != nullptr; }

bool MainWindowModel::ShowEntry(Page page) {
  EntryList& list = ListOf(page);
  if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) {
    Selected(page) = -1;
    ClearEntry(page);
    SetButtons();
    return true;
  }
  const std::string& text = list.entries[list.selected];
  int found = -1;
  for (int n = 1; n <= session_.def().Count(); ++n) {
    const ItemDef& item = session_.def().Item(n);
    if (PageShows(page, events_.mode, item) && EntryText(item) == text) {
      found = n;
      break;
    }
  }
  if (found == -1) {
    dialogs_.Error("Item \"" + text + "\" could not be found after listbox click on tab " +
                   std::to_string(static_cast<int>(page)));
    return false;
  }
  UpdateScope updating(*this);
  Selected(page) = found;
  const ItemDef& item = session_.def().Item(found);
  accepted_names_[static_cast<int>(page)] =
      item.Kind() == ItemKind::Method ? item.Method().Header.str() : model::ItemName(item);
  switch (page) {
    case Page::kProperties:
      ShowProperty(item);
      break;
    case Page::kMethods:
      ShowMethod(item);
      break;
    case Page::kEvents:
      ShowEvent(item);
      break;
    default:
      ShowVariable(item);
      break;
  }
  SetButtons();
  return true;
}

void MainWindowModel::ClearEntry(Page page) {
  const TextControl off{"", false};
  const CheckControl unchecked{false, false, true};
  switch (page) {
    case Page::kProperties: {
      EntryList list = std::move(props_.list);
      props_ = PropertyPageState{.list = std::move(list)};
      props_.name = props_.description = props_.type = props_.default_value = off;
      props_.special.SetDataType("", {});
      props_.special_enabled = false;
      props_.read_only = props_.use_read = props_.use_write = props_.inherited = props_.unpublish =
          unchecked;
      props_.editor_enabled = false;
      break;
    }
    case Page::kMethods: {
      EntryList list = std::move(methods_.list);
      methods_ = MethodPageState{.list = std::move(list)};
      methods_.header = methods_.description = methods_.win_message = off;
      methods_.enabled = false;
      break;
    }
    case Page::kEvents: {
      EntryList list = std::move(events_.list);
      const EventsMode mode = events_.mode;
      events_ = EventPageState{.mode = mode, .list = std::move(list)};
      events_.name = events_.description = events_.handler = off;
      events_.publish = events_.override_handler = unchecked;
      if (mode == EventsMode::kNew) {
        events_.handler_caption = "Arguments:";
        events_.group_caption = " For new events ";
        events_.publish_caption = "Publish event";
        events_.override_handler.visible = false;
      }
      break;
    }
    default: {
      EntryList list = std::move(vars_.list);
      vars_ = VariablePageState{.list = std::move(list)};
      vars_.name = vars_.description = vars_.type = vars_.default_value = off;
      vars_.is_object = vars_.is_subcomponent = unchecked;
      break;
    }
  }
}

void MainWindowModel::ShowProperty(const ItemDef& item) {
  const model::PropertyPart& p = item.Property();
  ClearEntry(Page::kProperties);
  props_.name = {p.Name.str(), true};
  props_.description = {item.Descr.str(), true};
  props_.type = {p.PropType.str(), true};
  props_.values.FollowType(p.PropType);
  props_.special_enabled = true;
  props_.read_only = {p.ReadOnly, true};
  props_.inherited = {p.Inherited, true};
  props_.use_read = props_.use_write = props_.unpublish = {false, true};
  const bool indexed = model::IsIndexedKind(p.Special);
  const bool object_kind = p.Special >= model::PropSpecialType::psLinkComponent &&
                           p.Special <= model::PropSpecialType::psObjectManualCreate;
  if (indexed) props_.use_read.enabled = props_.use_write.enabled = false;
  if (!p.Link.empty()) {
    props_.variable_caption = kLinksWithCaption;
    props_.use_read.enabled = props_.use_write.enabled = false;
    props_.inherited.enabled = false;
    props_.special_enabled = false;
    if (object_kind) props_.read_only.enabled = false;
  }
  if (object_kind && !p.Inherited) {
    props_.default_value = {"", false};
  } else {
    props_.default_value = {p.PropDefault.str(), true};
  }
  props_.special.SetDataType(p.PropType, catalog::ClassifyType(p.PropType));
  props_.special.SetSelection(p.Special);
  props_.use_read.checked = p.UseReadMethod;
  props_.unpublish.checked = p.Hide;
  props_.editor_enabled = !p.ReadOnly;
  if (!p.Inherited) {
    if (!p.ReadOnly) {
      props_.use_write.checked = p.UseWriteMethod;
      props_.use_write.enabled = p.Link.empty() && !indexed;
    } else {
      props_.use_write = {false, false};
    }
  } else {
    props_.use_read = props_.use_write = {false, false};
    props_.special.SetDataType("", {});
  }
  RefreshVariableLabel();
}

void MainWindowModel::RefreshVariableLabel() {
  const ItemDef* item = Current(Page::kProperties);
  if (item == nullptr) return;
  const model::PropertyPart& p = item->Property();
  if (p.Name.empty() || p.Inherited || model::IsIndexedKind(p.Special)) {
    props_.variable_name.clear();
  } else if (!p.Link.empty()) {
    props_.variable_name = p.Link.str();
  } else {
    props_.variable_name = model::StorageVariableName(p.Name);
  }
  props_.scope = p.Hide && p.Inherited ? std::string(kHiddenScope)
                                       : std::string(model::ScopeName(model::PropertyScope(p)));
}

void MainWindowModel::ShowMethod(const ItemDef& item) {
  const model::MethodPart& m = item.Method();
  methods_.kind = m.MethodKind;
  methods_.header = {m.Header.str(), true};
  methods_.scope = m.Scope;
  methods_.override = m.Override ? 0 : static_cast<int>(m.Mode) + 1;
  methods_.win_message = {m.WinMessage.str(), true};
  methods_.description = {item.Descr.str(), true};
  methods_.enabled = true;
}

void MainWindowModel::ShowEvent(const ItemDef& item) {
  ClearEntry(Page::kEvents);
  events_.description = {item.Descr.str(), true};
  if (item.Kind() == ItemKind::ExistingEvent) {
    const model::ExistingEventPart& e = item.ExistingEvent();
    events_.name = {e.Name.str(), true};
    events_.handler = {e.HandlerDecl.str(), true};
    events_.override_handler = {e.Override, true, true};
    events_.publish = {e.Publish, true, true};
  } else {
    const model::NewEventPart& e = item.NewEvent();
    events_.name = {e.Name.str(), true};
    events_.override_handler.checked = false;
    events_.publish = {e.Publish, true, true};
    events_.handler = {e.Arglist.str(), true};
  }
}

void MainWindowModel::ShowVariable(const ItemDef& item) {
  const model::VariablePart& v = item.Variable();
  vars_.type = {v.DataType.str(), true};
  vars_.values.FollowType(v.DataType);
  vars_.default_value = v.IsObject ? TextControl{"", false} : TextControl{v.Default.str(), true};
  vars_.object_note_visible = v.IsObject;
  vars_.name = {v.Name.str(), true};
  vars_.scope = v.Scope;
  vars_.scope_enabled = true;
  vars_.description = {item.Descr.str(), true};
  vars_.is_object = {v.IsObject, true, true};
  vars_.is_subcomponent = {v.IsSubComponent, true, true};
}

void MainWindowModel::RefreshEntry(Page page) {
  const ItemDef* item = Current(page);
  EntryList& list = ListOf(page);
  if (item == nullptr || list.selected < 0 ||
      list.selected >= static_cast<int>(list.entries.size())) {
    return;
  }
  list.entries[list.selected] = EntryText(*item);
}

void MainWindowModel::SetButtons() {
  const bool open = session_.definition_open();
  if (page_ == Page::kMain) {
    buttons_ = {.add = false, .del = false, .code = open, .text = open, .code_is_default = true};
    return;
  }
  const bool selected = open && Selected(page_) != -1;
  buttons_ = {.add = open, .del = selected, .code = selected, .text = selected};
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
      return session_.definition_open();
  }
}

// --- Page, buttons and lists -------------------------------------------------------------

void MainWindowModel::PageChange(Page page) {
  page_ = page;
  help_context_ = kFirstHelpContext + static_cast<int>(page);
  if (!shown_[static_cast<int>(page)] && session_.definition_open()) FillPage(page);
  SetButtons();
}

void MainWindowModel::SelectEntry(Page page, int position) {
  ListOf(page).selected = position;
  ShowEntry(page);
}

void MainWindowModel::ListClick(int position) {
  if (page_ == Page::kMain || updating()) return;
  EntryList& list = ListOf(page_);
  const int previous = list.selected;
  list.selected = position;
  if (!ShowEntry(page_)) list.selected = previous;
}

void MainWindowModel::RefillShownPages() {
  for (int page = 0; page < kPageCount; ++page) {
    if (shown_[page]) FillPage(static_cast<Page>(page));
  }
  SetButtons();
}

bool MainWindowModel::RequireText(bool missing, std::string_view what) {
  if (missing) dialogs_.Information(model::MissingEntryMessage(what));
  return !missing;
}

void MainWindowModel::AddBtnClick() {
  if (page_ == Page::kMain || !session_.definition_open()) return;
  AddItemOfPage();
}

void MainWindowModel::AddItemOfPage() {
  NamePromptRequest request;
  switch (page_) {
    case Page::kProperties:
      request = {.caption = "Add property",
                 .label = "Enter the name of the property:",
                 .extra = NamePromptExtra::kPropertyType};
      break;
    case Page::kMethods:
      request = {.caption = "Add method",
                 .label = "Enter the header for the method:",
                 .filter = false,
                 .extra = NamePromptExtra::kMethodKind};
      break;
    case Page::kEvents:
      request = {
          .caption = events_.mode == EventsMode::kNew ? "Add new event" : "Add inherited event",
          .label = "Enter the name of the event:",
          .prefix = "On",
          .name = "On"};
      break;
    default:
      request = {.caption = "Add variable",
                 .label = "Enter the name of the variable:",
                 .extra = NamePromptExtra::kVariableType};
      break;
  }
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
  const std::string type = model::Trim(answer->type);
  model::ComponentDef& def = session_.def();
  model::TextBlock units = def.MainInfo.Units;
  ItemDef item;
  switch (page_) {
    case Page::kProperties: {
      item = model::NewPropertyItem(name);
      model::PropertyPart& p = item.Property();
      p.PropType = type;
      p.Special = catalog::DefaultSpecialKind(p);
      p.ReadOnly = catalog::IsDatasetFieldClass(type);
      break;
    }
    case Page::kMethods:
      item = model::NewMethodItem(name);
      item.Method().MethodKind = static_cast<std::uint8_t>(std::clamp(answer->method_kind, 0, 3));
      break;
    case Page::kEvents:
      if (events_.mode == EventsMode::kNew) {
        item = model::NewEventItem(name);
      } else {
        item = model::NewExistingEventItem(name);
        const catalog::InheritedEventRow row = catalog::LookupInheritedEvent(name);
        item.ExistingEvent().HandlerDecl = row.HandlerDecl;
        item.DefaultCode = row.DefaultCode;
        item.ExistingEvent().Override = item.ExistingEvent().Publish = true;
      }
      break;
    default:
      item = model::NewVariableItem(name);
      item.Variable().DataType = type;
      break;
  }
  const model::NameLookup taken = model::FindNewItemConflict(def, item);
  if (taken.index != -1) {
    dialogs_.Information(taken.message, model::kAddCaption);
    return;
  }
  if (item.Kind() == ItemKind::Variable) {
    model::VariablePart& v = item.Variable();
    if (catalog::IsCatalogueClass(v.DataType)) {
      v.IsObject = true;
      v.IsSubComponent = catalog::IsStandardClass(v.DataType);
      v.Scope = model::kScopePrivate;
      model::AddUnit(units, catalog::UnitOfClass(v.DataType));
    } else {
      v.IsObject = v.IsSubComponent = false;
      v.Scope = model::kScopeProtected;
    }
  }
  if (item.Kind() == ItemKind::Property) {
    using enum model::PropSpecialType;
    model::PropertyPart& p = item.Property();
    if (p.Special == psLinkComponent || p.Special == psObjectAutoCreate ||
        p.Special == psObjectManualCreate) {
      model::AddUnit(units, catalog::UnitOfClass(p.PropType));
    }
    if (p.Special == psObjectAutoCreate) p.UseWriteMethod = true;
    std::optional<ItemDef> linked = LinkNewProperty(def, std::move(item), dialogs_);
    if (!linked) return;
    item = std::move(*linked);
  }
  switch (model::AddItem(def, std::move(item))) {
    case model::AddResult::Added: {
      // The units the new item needs join only with the item.
      def.MainInfo.Units = std::move(units);
      Modified();
      FillPage(page_);
      if (shown_[0]) FillPage(Page::kMain);
      SelectEntry(page_, static_cast<int>(ListOf(page_).entries.size()) - 1);
      break;
    }
    case model::AddResult::Full:
      dialogs_.Error(model::kStorageFullMessage);
      break;
    case model::AddResult::Conflict:
      dialogs_.Information(model::AddConflictMessage(name));
      break;
  }
  SetButtons();
}

void MainWindowModel::DeleteBtnClick() {
  ItemDef* item = page_ == Page::kMain ? nullptr : Current(page_);
  if (item == nullptr) return;
  if (dialogs_.Confirm(Buttons::kYesNo, "Delete " + model::ItemName(*item) + "?") != Answer::kYes) {
    return;
  }
  model::DeleteItem(session_.def(), Selected(page_));
  Modified();
  FillPage(page_);
  SetButtons();
}

// --- Menu commands -------------------------------------------------------------------------

void MainWindowModel::NewDefinition() {
  if (session_.New(selector_)) ShowDefinition();
}

void MainWindowModel::OpenDefinition() {
  const bool read = session_.Open();
  if (read) {
    ShowDefinition();
  } else if (!session_.definition_open()) {
    ShowNoDefinition();
  }
}

void MainWindowModel::ImportComponentUnit() {
  std::optional<std::vector<std::string>> notes = session_.ImportUnit(selector_.registry());
  if (!notes) return;
  ShowDefinition();
  if (!notes->empty()) dialogs_.ShowNotes(ImportNotes(session_.imported_unit(), std::move(*notes)));
}

void MainWindowModel::SaveDefinition() { session_.Save(); }
void MainWindowModel::SaveDefinitionAs() { session_.SaveAs(); }
bool MainWindowModel::ExitProgram() { return session_.Exit(); }

std::array<std::string, kPageCount> MainWindowModel::RememberSelections() const {
  std::array<std::string, kPageCount> remembered;
  for (int page = 1; page < kPageCount; ++page) {
    const int number = selected_item_[page];
    if (number >= 1 && number <= session_.def().Count()) {
      remembered[page] = EntryText(session_.def().Item(number));
    }
  }
  return remembered;
}

void MainWindowModel::Reselect(const std::array<std::string, kPageCount>& remembered) {
  for (int page = 1; page < kPageCount; ++page) {
    const Page p = static_cast<Page>(page);
    FillPage(p);
    if (remembered[page].empty()) continue;
    const std::vector<std::string>& entries = ListOf(p).entries;
    const auto at = std::find(entries.begin(), entries.end(), remembered[page]);
    if (at == entries.end()) {
      dialogs_.Error("Item \"" + remembered[page] + "\" could not be found on tab " +
                     std::to_string(page) + " after code generation");
      continue;
    }
    SelectEntry(p, static_cast<int>(at - entries.begin()));
  }
  SetButtons();
}

std::string MainWindowModel::PrintInterface(std::string& job_title) {
  const auto remembered = RememberSelections();
  ComponentInterface printed =
      PrepareComponentInterface(session_.def(), GenerateUnitOptionsFrom(settings_), clock_);
  Reselect(remembered);
  job_title = std::move(printed.job_title);
  return std::move(printed.text);
}

void MainWindowModel::AddDataLinkClick() {
  if (!AddDataLinkCommand(session_.def(), dialogs_)) return;
  Modified();
  RefillShownPages();
}

std::string MainWindowModel::DefaultTargetDir() const {
  return DefaultTargetDirectory(settings_, session_.file());
}

void MainWindowModel::GenerateComponentCodeClick() {
  if (!ConfirmDefinitionChecks(session_.def(), dialogs_)) return;
  const auto remembered = RememberSelections();
  GenerateUnitOptions options = GenerateUnitOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  bool took_edits = false;
  GenerateComponentCode(session_.def(), options, dialogs_, clock_, &took_edits);
  if (took_edits) Modified();
  Reselect(remembered);
  FillPage(Page::kMain);
}

void MainWindowModel::TakeUnitEditsClick() {
  GenerateUnitOptions options = GenerateUnitOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  if (!TakeUnitEdits(session_.def(), options, dialogs_)) return;
  Modified();
  RefillShownPages();
}

void MainWindowModel::GeneratePropertyEditorsClick() {
  const auto remembered = RememberSelections();
  GeneratePropertyEditors(session_.def(),
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
  GeneratePaletteBitmap(session_.def(), options, dialogs_);
}

void MainWindowModel::GenerateDocumentationClick() {
  const auto remembered = RememberSelections();
  GenerateDocumentation(session_.def(), audience_, dialogs_, DefaultTargetDir());
  Reselect(remembered);
}

void MainWindowModel::GenerateSmokeTestClick() {
  const auto remembered = RememberSelections();
  LazarusOutputOptions options = LazarusOutputOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  GenerateSmokeTest(session_.def(), options, dialogs_, clock_);
  Reselect(remembered);
}

void MainWindowModel::GeneratePackages(PackageWriter generate) {
  const auto remembered = RememberSelections();
  LazarusOutputOptions options = LazarusOutputOptionsFrom(settings_);
  options.default_target_dir = DefaultTargetDir();
  bool took_edits = false;
  generate(session_.def(), options, dialogs_, clock_, &took_edits);
  if (took_edits) Modified();
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
  return store::ClassHelpTopic(session_.def().MainInfo.ParentClassName.str(),
                               settings_.using_delphi16);
}

}  // namespace kx::commands
