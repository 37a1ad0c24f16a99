// SPDX-License-Identifier: GPL-3.0-or-later
// The main definition window without its widgets: which page is shown, what every control
// shows and whether it is enabled, and what each user action does to the definition. The
// desktop binds one widget to each field of the page states below and forwards each user
// action to the one handler named after the control and the event (PropNameChange,
// InheritedClick, AddBtnClick, ...); after a handler it draws the states again.
//
//   MainWindowModel window(session, dialogs, settings, selector, palette_pages, clock);
//   window.Start("examples/mybutton.cd");
//   window.PageChange(Page::kProperties);
//   window.AddBtnClick();  // asks for the name and type through dialogs
//
// Every change handler does nothing while the window fills its controls (updating()), and
// every real change marks the definition modified. Texts are Windows-1252, as stored.
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
#include "commands/lazarus_output.h"
#include "commands/session.h"
#include "model/name_rules.h"
#include "model/types.h"
#include "platform/clock.h"
#include "platform/run_program.h"
#include "store/settings.h"

namespace kx::commands {

class ParentSelector;

enum class Page : std::uint8_t { kMain, kProperties, kMethods, kEvents, kVariables };
inline constexpr int kPageCount = 5;
inline constexpr int kFirstHelpContext = 100;  // a page's help context is 100 + page

enum class EventsMode : std::uint8_t { kInherited, kNew };

// A text control (edit field or entry box).
struct TextControl {
  std::string text;
  bool enabled = true;
};

struct CheckControl {
  bool checked = false;
  bool enabled = true;
  bool visible = true;
};

// A list box of item entries.
struct EntryList {
  std::vector<std::string> entries;
  int selected = -1;  // list position
};

struct MainPageState {
  std::string parent_class;
  TextControl new_class_name;
  TextControl unit_name;
  // 8 while "Limit to 8 chars" is checked, else the capacity.
  std::size_t unit_name_max = decltype(model::MainInfoDef::UnitName)::kCapacity;
  CheckControl limit_name;
  TextControl description;
  std::vector<std::string> units;
  TextControl default_palette;
  std::vector<std::string> palette_pages;
  TextControl copyright_line;
  std::vector<std::string> copyright_lines;
  std::string target_dir;
};

struct PropertyPageState {
  EntryList list;
  TextControl name, description, type, default_value;
  model::ValueSuggestions values;
  model::SpecialKindChoice special;
  bool special_enabled = true;
  CheckControl read_only, use_read, use_write, inherited, unpublish;
  std::string variable_caption = "Variable:";  // or "Links with:"
  std::string variable_name;
  std::string scope;
  bool editor_enabled = true;  // ">>>..."
};

struct MethodPageState {
  EntryList list;
  int kind = 0;  // procedure, function, constructor, destructor
  TextControl header, description, win_message;
  int scope = 0;         // "Public", "Protected (...)", "Private (...)"
  int override = 0;      // first choice override, then Mode 0..2
  bool enabled = false;  // kind, scope and override choices
};

struct EventPageState {
  EventsMode mode = EventsMode::kInherited;
  EntryList list;
  TextControl name, description, handler;
  std::string handler_caption = "Handler:";  // or "Arguments:"
  std::string group_caption = " For inherited events ";
  CheckControl publish, override_handler;
  std::string publish_caption = "Publish event, if not already published";
};

struct VariablePageState {
  EntryList list;
  TextControl name, description, type, default_value;
  model::ValueSuggestions values;
  bool object_note_visible = false;  // "(Create and Free calls generated)"
  int scope = 0;                     // "Public", "Protected", "Private"
  bool scope_enabled = false;
  CheckControl is_object, is_subcomponent;
};

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

// Texts of the window.
inline constexpr std::string_view kHiddenScope = "hidden";
inline constexpr std::string_view kVariableCaption = "Variable:";
inline constexpr std::string_view kLinksWithCaption = "Links with:";
inline constexpr std::string_view kHiddenEditorMessage =
    "You cannot select a custom property editor for a hidden property.";
inline constexpr std::string_view kOverrideHandlerMessage =
    "You may override the handling of this event after putting the header for its handler "
    "method in the \"Handler\" box on this page.";
inline constexpr std::string_view kEmptyHandlerCodeMessage =
    "You may edit code for this handler after putting the header for its declaration in the "
    "\"Handler\" box on this page.";
inline constexpr std::string_view kObjectVariablesOnlyMessage =
    "You may edit initialization code only for object variables.";
inline constexpr std::string_view kOverrideBeforeCodeQuestion =
    "The \"Override Handler\" box for this event is not checked.  Check it before editing the "
    "handler code?";
inline constexpr std::string_view kOverrideBeforeTextQuestion =
    "The \"Override Handler\" box for this event is not checked.  Check it before editing the "
    "text?";
inline constexpr std::string_view kInheritedPropertyCodeMessage =
    "You cannot edit code for a property inherited from the parent class.  You can only set its "
    "default value.";
inline constexpr std::string_view kNoAccessMethodMessage =
    "You have not checked the \"Use read method\" or \"Use write method\" check boxes for this "
    "property, so there is no code to edit for it.";
inline constexpr std::string_view kTargetDirTitle = "Select new target directory";
inline constexpr std::string_view kProgramTitle = "Kestrix";
// The messages the method page's message box offers; the user may type any other.
inline constexpr std::array<std::string_view, 21> kWindowsMessages = {"",
                                                                      "CM_ENABLEDCHANGED",
                                                                      "CM_FONTCHANGED",
                                                                      "CM_COLORCHANGED",
                                                                      "CM_TEXTCHANGED",
                                                                      "CM_MOUSEENTER",
                                                                      "CM_MOUSELEAVE",
                                                                      "CM_ENTER",
                                                                      "CM_EXIT",
                                                                      "CN_COMMAND",
                                                                      "WM_CHAR",
                                                                      "WM_KEYDOWN",
                                                                      "WM_KEYUP",
                                                                      "WM_KILLFOCUS",
                                                                      "WM_LBUTTONDOWN",
                                                                      "WM_LBUTTONUP",
                                                                      "WM_MOUSEMOVE",
                                                                      "WM_PAINT",
                                                                      "WM_SETFOCUS",
                                                                      "WM_SIZE",
                                                                      "WM_TIMER"};
inline constexpr std::array<std::string_view, 3> kMethodScopes = {
    "Public", "Protected (component and its descendants)", "Private (component only)"};
// The method binding list: Override, then Mode 0, 1, 2.
inline constexpr std::array<std::string_view, 4> kOverrideChoices = {
    "Overrides an inherited method", "New method, can be overridden (max. speed)",
    "New method, can be overridden (min. size)", "New method, cannot be overridden"};
inline constexpr std::array<std::string_view, 3> kVariableScopes = {"Public", "Protected",
                                                                    "Private"};
inline constexpr std::string_view kObjectNote = "(Create and Free calls generated)";

// The text of an item's list entry: "Name : Type" for properties and variables, the header
// for methods, the name for events.
std::string EntryText(const model::ItemDef& item);
// Whether a page lists the item.
bool PageShows(Page page, EventsMode mode, const model::ItemDef& item);

class MainWindowModel {
 public:
  MainWindowModel(Session& session, Dialogs& dialogs, store::Settings& settings,
                  ParentSelector& selector, std::vector<std::string> palette_pages,
                  const platform::Clock& clock);

  // --- Start-up and definition switching ---
  // The no-definition state, then the definition named on the command line, if any.
  void Start(const std::optional<std::filesystem::path>& definition_file);
  void ShowDefinition();
  void ShowNoDefinition();
  void FillPage(Page page);
  // Fills the page's item controls from its selected entry. False after the internal error
  // for an entry that matches no item; the page is then left as it was.
  bool ShowEntry(Page page);

  // --- State the window draws ---
  std::string Title() const { return session_.Title(); }
  bool definition_open() const { return session_.definition_open(); }
  bool updating() const { return updating_ > 0; }
  Page page() const { return page_; }
  int help_context() const { return help_context_; }
  int selected_item(Page page) const { return selected_item_[static_cast<int>(page)]; }
  const MainPageState& main() const { return main_; }
  const PropertyPageState& properties() const { return props_; }
  const MethodPageState& methods() const { return methods_; }
  const EventPageState& events() const { return events_; }
  const VariablePageState& variables() const { return vars_; }
  const ButtonStates& buttons() const { return buttons_; }
  bool MenuEnabled(MenuItem item) const;
  Session& session() { return session_; }

  // While the window fills widgets from the states it holds an UpdateScope, so that the
  // change signals the filling raises are ignored.
  class UpdateScope {
   public:
    explicit UpdateScope(MainWindowModel& model) : model_(model) { ++model_.updating_; }
    ~UpdateScope() { --model_.updating_; }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

   private:
    MainWindowModel& model_;
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

  // --- Main page. The name handlers return the filtered text and caret to show. Leaving a
  // field returns false when the focus must go back to it. ---
  model::FilteredText NewClassNameChange(std::string_view text, std::size_t caret);
  bool NewClassNameExit();
  model::FilteredText UnitNameChange(std::string_view text, std::size_t caret);
  bool UnitNameExit();
  void UnitNameLimitedClick(bool checked);
  void DescriptionChange(std::string_view text);
  void DefaultPaletteChange(std::string_view text);
  bool DefaultPaletteExit();
  void CopyrightLineChange(std::string_view text);
  void CopyrightLineEnterOrExit();
  void UnitListInsert();
  void UnitListDelete(int position);
  void NewTargetClick();
  void ChangeParentClassClick();

  // --- Properties page ---
  model::FilteredText PropNameChange(std::string_view text, std::size_t caret);
  bool PropNameExit();
  void PropDescriptionChange(std::string_view text);
  void PropTypeChange(std::string_view text);
  bool PropTypeExit();
  void PropDefaultChange(std::string_view text);
  void PropDefaultExit();
  void PropSpecialChange(int position);
  void ReadOnlyClick(bool checked);
  void UseReadClick(bool checked);
  void UseWriteClick(bool checked);
  void InheritedClick(bool checked);
  void UnpublishClick(bool checked);
  void PropEditorBtnClick();

  // --- Methods page ---
  void MethodKindChange(int kind);
  void MethodHeaderChange(std::string_view text);
  bool MethodHeaderExit();
  void MethodDescriptionChange(std::string_view text);
  void MethodScopeChange(int scope);
  void DoOverrideChange(int choice);
  void WinMessageChange(std::string_view text);

  // --- Events page ---
  void EventsModeClick(EventsMode mode);
  model::FilteredText EventNameChange(std::string_view text, std::size_t caret);
  bool EventNameExit();
  void EventDescriptionChange(std::string_view text);
  void HandlerDeclChange(std::string_view text);
  bool HandlerDeclExit();
  void PublishClick(bool checked);
  void OverrideHandlerClick(bool checked);

  // --- Variables page ---
  model::FilteredText VariableNameChange(std::string_view text, std::size_t caret);
  bool VariableNameExit();
  void VariableDescriptionChange(std::string_view text);
  void VariableDataTypeChange(std::string_view text);
  bool VariableDataTypeExit();
  void VariableDefaultChange(std::string_view text);
  void VariableDefaultExit();
  void VariableScopeChange(int scope);
  void IsObjectClick(bool checked);
  void IsSubComponentClick(bool checked);

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
  int& Selected(Page page) { return selected_item_[static_cast<int>(page)]; }
  EntryList& ListOf(Page page);
  model::ItemDef* Current(Page page);
  void Modified() { session_.MarkModified(); }
  bool Editing(Page page);  // not updating, and the page has a selected item
  void FillMain();
  void FillList(Page page);
  void ClearEntry(Page page);
  void ShowProperty(const model::ItemDef& item);
  void ShowMethod(const model::ItemDef& item);
  void ShowEvent(const model::ItemDef& item);
  void ShowVariable(const model::ItemDef& item);
  void RefreshVariableLabel();
  void RefreshEntry(Page page);
  void SetButtons();
  void SelectEntry(Page page, int position);
  bool RequireText(bool missing, std::string_view what);
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
  void AddItemOfPage();
  bool InheritedEventShown(const model::ItemDef& item) const;
  // Leaving an item's name field (a method's header): a name Add would refuse is refused with
  // Add's message and the name the item had before is put back.
  void RefuseTakenName(Page page);
  // What the item pages share: the description stored as typed, and leaving the name field
  // (a missing name keeps the focus there with the message about what).
  void ItemDescriptionChange(Page page, TextControl& field, std::string_view text);
  bool ItemNameExit(Page page, std::string_view what, bool (*missing)(std::string_view name));
  // The "Override Handler" question before editing; false when cancelled.
  bool AskOverrideHandler(model::ItemDef& item, std::string_view question);
  // The Code button's refusals, in order; sets which method of a property is edited.
  bool MayEditCode(model::ItemDef& item);

  Session& session_;
  Dialogs& dialogs_;
  store::Settings& settings_;
  ParentSelector& selector_;
  const platform::Clock& clock_;
  Audience audience_ = kDefaultAudience;

  Page page_ = Page::kMain;
  int help_context_ = kFirstHelpContext;
  int updating_ = 0;
  std::array<int, kPageCount> selected_item_{-1, -1, -1, -1, -1};
  std::array<bool, kPageCount> shown_{};
  // The names (a method's header) that stand checked, put back when a new one is refused: each
  // item page's selected item, the new class and the unit.
  std::array<std::string, kPageCount> accepted_names_;
  std::string accepted_class_name_, accepted_unit_name_;
  MainPageState main_;
  PropertyPageState props_;
  MethodPageState methods_;
  EventPageState events_;
  VariablePageState vars_;
  ButtonStates buttons_;
  model::NameFieldFilter class_name_filter_{"T"};
  model::NameFieldFilter event_name_filter_{"On"};
};

}  // namespace kx::commands
