// SPDX-License-Identifier: GPL-3.0-or-later
// The main definition window without its widgets: which page is shown, the Add, Delete, Code and
// Text buttons, the menus, and a model of each page (main_page_model.h and the item pages) that
// says what every control shows and what each user action does to the definition. The desktop
// binds one widget to each field of the page states and forwards each user action to the one
// handler named after the control and the event (PropNameChange, InheritedClick,
// AddBtnClick, ...); after a handler it draws the states again.
//
//   MainWindowModel window(session, dialogs, settings, selector, palette_pages, clock);
//   window.Start("examples/mybutton.cd");
//   window.PageChange(Page::kProperties);
//   window.AddBtnClick();  // asks for the name and type through dialogs
//   window.properties().InheritedClick(true);
//
// Texts are Windows-1252, as stored.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "commands/documentation.h"
#include "commands/event_page_model.h"
#include "commands/lazarus_output.h"
#include "commands/main_page_model.h"
#include "commands/method_page_model.h"
#include "commands/page_host.h"
#include "commands/property_page_model.h"
#include "commands/session.h"
#include "commands/variable_page_model.h"
#include "platform/clock.h"
#include "platform/run_program.h"
#include "store/settings.h"

namespace kx::commands {

class ParentSelector;

struct ButtonStates {
  bool add = false, del = false, code = false, text = false;
  bool code_is_default = false;  // else "&Add" is the default button
};

// The menu items whose state depends on the definition.
enum class MenuItem : std::uint8_t {
  kNew,
  kOpen,
  kImportUnit,
  kSave,
  kSaveAs,
  kPrintInterface,
  kPrinterSetup,
  kExit,
  kAddDataLink,
  kPageMain,
  kPageProperties,
  kPageMethods,
  kPageEvents,
  kPageVariables,
  kGenerateCode,
  kTakeUnitEdits,
  kGeneratePropertyEditors,
  kGeneratePaletteBitmap,
  kGenerateDocumentation,
  kGenerateSmokeTest,
  kGenerateLazarusPackage,
  kGenerateDelphiPackages,
  kClassHelp,
};

// The kind of control that has the focus, for Edit > Cut, Copy and Paste.
enum class FocusKind : std::uint8_t { kOther, kEditField, kEntryBox, kDropDownList };
bool ClipboardCommandsEnabled(FocusKind focus);

class MainWindowModel {
 public:
  MainWindowModel(Session& session, Dialogs& dialogs, store::Settings& settings,
                  ParentSelector& selector, std::vector<std::string> palette_pages,
                  const platform::Clock& clock);

  // The no-definition state, then the definition named on the command line, if any.
  void Start(const std::optional<std::filesystem::path>& definition_file);

  // --- State the window draws ---
  std::string Title() const { return host_.session().Title(); }
  bool definition_open() const { return host_.definition_open(); }
  bool updating() const { return host_.updating(); }
  Page page() const { return host_.shown_page(); }
  int help_context() const { return kFirstHelpContext + static_cast<int>(page()); }
  // The item selected on an item page, -1 for none.
  int selected_item(Page page) const;
  MainPageModel& main() { return main_; }
  const MainPageModel& main() const { return main_; }
  PropertyPageModel& properties() { return properties_; }
  const PropertyPageModel& properties() const { return properties_; }
  MethodPageModel& methods() { return methods_; }
  const MethodPageModel& methods() const { return methods_; }
  EventPageModel& events() { return events_; }
  const EventPageModel& events() const { return events_; }
  VariablePageModel& variables() { return variables_; }
  const VariablePageModel& variables() const { return variables_; }
  ButtonStates buttons() const;
  bool MenuEnabled(MenuItem item) const;
  Session& session() { return host_.session(); }

  // Held while the window fills its widgets from the states.
  class UpdateScope : public PageHost::UpdateScope {
   public:
    explicit UpdateScope(MainWindowModel& model) : PageHost::UpdateScope(model.host_) {}
  };

  // --- Page, buttons and lists ---
  void PageChange(Page page);
  void AddBtnClick();
  void DeleteBtnClick();
  // A click on an entry of the current item page.
  void ListClick(int position);

  // --- Code and Text buttons; a double click on an entry is the Code button ---
  void CodeBtnClick();
  void HelpTextBtnClick();

  // --- Menu commands ---
  void NewDefinition();
  void OpenDefinition();
  // File > Import component unit: the imported definition opens like a new one, then the
  // import's notes are shown.
  void ImportComponentUnit();
  void SaveDefinition();
  void SaveDefinitionAs();
  // File > Exit and closing the window: true when the window may close.
  bool ExitProgram();
  // File > Print component interface: sorts the items as generation does, refreshes the
  // lists, and returns the interface text (lines ended by "\n") to print under job_title.
  std::string PrintInterface(std::string& job_title);
  // Where generated files go when the definition names no target directory.
  std::string DefaultTargetDir() const;
  void AddDataLinkClick();
  void GenerateComponentCodeClick();
  void TakeUnitEditsClick();
  void GeneratePropertyEditorsClick();
  void GeneratePaletteBitmapClick(platform::BusyHook busy);
  void GenerateDocumentationClick();
  void GenerateSmokeTestClick();
  void GenerateLazarusPackagesClick();
  void GenerateDelphiPackagesClick();
  void DefaultSourceDirectoryClick();
  void DefaultTargetDirectoryClick();
  void CommentingLevelClick();
  void CodeTargetClick();
  void ResourceCompilerPathClick();
  void DelphiVersionClick(const std::filesystem::path& wine_prefix);
  void OtherOptionsClick();
  // Help > Class help: the topic for the parent class.
  store::HelpTopic ClassHelp() const;

 private:
  // The model of an item page; none for the main page.
  ItemPageModel* ItemPage(Page page);
  const ItemPageModel* ItemPage(Page page) const;
  std::array<ItemPageModel*, 4> ItemPages() {
    return {&properties_, &methods_, &events_, &variables_};
  }
  void ShowDefinition();
  void ShowNoDefinition();
  void AddItemOfPage(ItemPageModel& page);
  // The entry texts of each item page's selection, and their selection again after the
  // items were sorted (with the internal error for an entry gone).
  std::array<std::string, kPageCount> RememberSelections() const;
  void Reselect(const std::array<std::string, kPageCount>& remembered);
  void RefillShownPages();
  // Generate > Lazarus package and Delphi packages: the packages that generate writes.
  using PackageWriter = std::optional<std::filesystem::path> (*)(model::ComponentDef&,
                                                                 const LazarusOutputOptions&,
                                                                 Dialogs&, const platform::Clock&,
                                                                 bool*);
  void GeneratePackages(PackageWriter generate);

  PageHost host_;
  Dialogs& dialogs_;
  store::Settings& settings_;
  ParentSelector& selector_;
  const platform::Clock& clock_;
  Audience audience_ = kDefaultAudience;

  MainPageModel main_;
  PropertyPageModel properties_;
  MethodPageModel methods_;
  EventPageModel events_;
  VariablePageModel variables_;
};

}  // namespace kx::commands
