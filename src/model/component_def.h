// SPDX-License-Identifier: GPL-3.0-or-later
// The component definition: the one document the user edits, saves as a *.cd file and
// generates code from. Records are plain values: copying an item copies its text blocks,
// and a definition owns everything in it.
//
//   ComponentDef def;
//   ClearDefinition(def);
//   ItemDef item = NewPropertyItem("Caption");
//   if (AddItem(def, std::move(item)) == AddResult::Added) { ... }
//
// Item numbers are 1-based, as in the name lookup's answers: Item(1) .. Item(Count()).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/short_string.h"

namespace kx::model {

class NameIndex;

// An ordered list of lines, or absent. Absent (no text) and empty (no lines) differ:
// absent code gets default code, empty code stays empty.
using TextBlock = std::optional<std::vector<std::string>>;

inline constexpr int kMaxItems = 230;

enum class ItemKind : std::uint8_t { Property, ExistingEvent, Method, Variable, NewEvent, Main };

// The name the definition file uses for the kind.
std::string_view KindName(ItemKind kind);

// The template an item's default code comes from. Definition files store the number; a
// number without a name here (25 to 255) gives the internal declarations block.
enum class DefaultCodeKind : std::uint8_t {
  kInternalDeclarationsBlock,
  kUnitWideDeclarations,
  kConstructor,
  kContainerConstructor,
  kDestructor,
  kPaint,
  kPropertyWriteMethod,
  kClick,
  kDoubleClick,
  kKeyPress,
  kKeyDown,
  kResize,
  kSizeMessage,
  kInheritedHandlerCall,
  kEventDispatch,
  kOperation,
  kFormWrapper,
  kSubComponentSettings,
  kDrawCell,
  kDrawDataCell,
  kLoaded,
  kInheritedProcedureCall,
  kInheritedFunctionCall,
  kThreadExecute,
  kThreadStart,
};

// What a definition does with a form (FormDef::FormMode).
enum class FormModeKind : std::uint8_t {
  kOrdinaryComponent,  // no form
  kWrapsForm,          // the component wraps a form
  kImported,           // a container or the fields of a form were imported
};

// How a method that overrides nothing is bound (MethodPart::Mode).
enum class MethodMode : std::uint8_t {
  kCanBeOverriddenMaxSpeed,  // virtual
  kCanBeOverriddenMinSize,   // dynamic
  kCannotBeOverridden,       // static
};

enum class PropSpecialType : std::uint8_t {
  psNone,
  psLinkComponent,
  psObjectAutoCreate,
  psObjectManualCreate,
  psIndexedI,
  psIndexedIJ,
  psIndexedString,
};
inline constexpr int kPropSpecialTypeCount = 7;

bool IsIndexedKind(PropSpecialType kind);

// Scope numbers of methods and variables, and of properties through PropertyScope.
inline constexpr std::uint8_t kScopePublic = 0;
inline constexpr std::uint8_t kScopeProtected = 1;
inline constexpr std::uint8_t kScopePrivate = 2;
inline constexpr std::uint8_t kScopePublished = 3;
std::string_view ScopeName(std::uint8_t scope);

// Method kinds, as MethodKeyword spells them.
inline constexpr std::uint8_t kProcedure = 0;
inline constexpr std::uint8_t kFunction = 1;
inline constexpr std::uint8_t kConstructor = 2;
inline constexpr std::uint8_t kDestructor = 3;
// Each kind's keyword, in the order of the kinds: the method kind lists show them so.
inline constexpr std::array<std::string_view, 4> kMethodKeywords = {"procedure", "function",
                                                                    "constructor", "destructor"};

struct PropertyEditorDef {
  bool DefEdit = true;
  bool ApplyToAll = false;
  ShortString<32> EditorUnit;
  ShortString<32> EditorClass;
  std::uint8_t EditorBase = 0;

  friend bool operator==(const PropertyEditorDef&, const PropertyEditorDef&) = default;
};

struct PropertyPart {
  bool Inherited = false;
  bool ReadOnly = false;
  ShortString<32> Name;
  ShortString<32> PropType{"String"};
  ShortString<128> PropDefault;
  bool Hide = false;
  PropSpecialType Special = PropSpecialType::psNone;
  bool UseReadMethod = false;
  bool UseWriteMethod = false;
  bool VIRT = false;  // carried through load and save; nothing sets it
  TextBlock ReadCode;
  bool EditingReadCode = false;  // transient: the code editor works on ReadCode; never saved
  PropertyEditorDef PropertyEditor;
  ShortString<90> Link;

  friend bool operator==(const PropertyPart&, const PropertyPart&) = default;
};

struct ExistingEventPart {
  ShortString<32> Name;
  bool Override = false;
  bool Publish = false;
  ShortString<100> HandlerDecl;

  friend bool operator==(const ExistingEventPart&, const ExistingEventPart&) = default;
};

struct MethodPart {
  std::uint8_t MethodKind = kProcedure;
  ShortString<255> Header;
  std::uint8_t Scope = kScopePublic;
  bool Override = false;
  MethodMode Mode = MethodMode::kCannotBeOverridden;  // only without Override
  ShortString<32> WinMessage;

  friend bool operator==(const MethodPart&, const MethodPart&) = default;
};

struct VariablePart {
  ShortString<32> Name;
  ShortString<32> DataType{"String"};
  std::uint8_t Scope = kScopePrivate;
  ShortString<128> Default;
  bool IsObject = false;
  bool IsSubComponent = false;

  friend bool operator==(const VariablePart&, const VariablePart&) = default;
};

struct NewEventPart {
  ShortString<32> Name;  // with its "On"
  ShortString<100> Arglist{"(Sender : TObject)"};
  bool Publish = true;

  friend bool operator==(const NewEventPart&, const NewEventPart&) = default;
};

struct MainPart {
  friend bool operator==(const MainPart&, const MainPart&) = default;
};

// The variant's alternatives follow ItemKind's order, so the kind is the variant's index.
using ItemPart =
    std::variant<PropertyPart, ExistingEventPart, MethodPart, VariablePart, NewEventPart, MainPart>;

struct ItemDef {
  TextBlock Code;
  DefaultCodeKind DefaultCode = DefaultCodeKind::kInternalDeclarationsBlock;
  ShortString<127> Keywords;
  TextBlock Help;
  ShortString<65> Descr;
  ItemPart Part{MainPart{}};

  ItemKind Kind() const { return static_cast<ItemKind>(Part.index()); }
  // Access to the kind's part; asking for another kind's part is a programming error
  // (std::bad_variant_access).
  PropertyPart& Property() { return std::get<PropertyPart>(Part); }
  const PropertyPart& Property() const { return std::get<PropertyPart>(Part); }
  ExistingEventPart& ExistingEvent() { return std::get<ExistingEventPart>(Part); }
  const ExistingEventPart& ExistingEvent() const { return std::get<ExistingEventPart>(Part); }
  MethodPart& Method() { return std::get<MethodPart>(Part); }
  const MethodPart& Method() const { return std::get<MethodPart>(Part); }
  VariablePart& Variable() { return std::get<VariablePart>(Part); }
  const VariablePart& Variable() const { return std::get<VariablePart>(Part); }
  NewEventPart& NewEvent() { return std::get<NewEventPart>(Part); }
  const NewEventPart& NewEvent() const { return std::get<NewEventPart>(Part); }

  friend bool operator==(const ItemDef&, const ItemDef&) = default;
};

struct FormDef {
  FormModeKind FormMode = FormModeKind::kOrdinaryComponent;
  ShortString<32> FormClassName;
  ShortString<32> FormName;
  ShortString<32> FormUnitName;
  std::string FormFile;

  friend bool operator==(const FormDef&, const FormDef&) = default;
};

struct MainInfoDef {
  ShortString<127> UnitName;
  ShortString<127> NewClassName;
  ShortString<127> ParentClassName;
  ShortString<127> VCLAncestorName;
  ShortString<127> DefaultPalette;
  TextBlock Units;
  // The unit's own compiler mode and switches ("{$mode objfpc}{$H+}"), written after the unit
  // line by the Lazarus target in place of its "{$mode delphi}"; absent for a new definition.
  TextBlock Switches;
  std::string CopyrightLine;
  ShortString<127> FileName;
  ShortString<127> TargetDir;
  bool LimitName = true;
  FormDef Form;

  friend bool operator==(const MainInfoDef&, const MainInfoDef&) = default;
};

enum class AddResult { Added, Full, Conflict };

class ComponentDef {
 public:
  MainInfoDef MainInfo;
  ItemDef Global;     // interface declarations, the component's help and description
  ItemDef ImpGlobal;  // implementation declarations
  // Interface declarations that must follow the class (a descendant of it, a routine or
  // constant that names it), written right after the class declaration.
  TextBlock AfterClass;
  // The unit's initialization and finalization parts, keywords included, written before its
  // final "end.".
  TextBlock Initialization;

  ComponentDef();

  int Count() const { return static_cast<int>(items_.size()); }
  // number: 1..Count().
  ItemDef& Item(int number);
  const ItemDef& Item(int number) const;
  const std::vector<ItemDef>& Items() const { return items_; }

  friend bool operator==(const ComponentDef&, const ComponentDef&) = default;

 private:
  friend AddResult AddItem(ComponentDef& def, ItemDef item);
  friend AddResult AddItem(ComponentDef& def, ItemDef item, NameIndex& names);
  friend void DeleteItem(ComponentDef& def, int number);
  friend void SortItemsByName(ComponentDef& def);
  friend void ClearDefinition(ComponentDef& def, std::string_view default_target_dir);
  friend void ReserveItems(ComponentDef& def, int count);

  std::vector<ItemDef> items_;
};

// Item constructors, each with the defaults a new item of its kind receives.
ItemDef NewPropertyItem(std::string_view name);
ItemDef NewExistingEventItem(std::string_view name);
ItemDef NewMethodItem(std::string_view header);
ItemDef NewVariableItem(std::string_view name);
ItemDef NewEventItem(std::string_view name);
ItemDef NewMainItem();

// Resets every field; TargetDir becomes the settings' default target directory.
void ClearDefinition(ComponentDef& def, std::string_view default_target_dir = {});
// Drops the unit list and every code and help block, leaving them absent.
void ReleaseDefinitionTexts(ComponentDef& def);

// Full at kMaxItems items; Conflict when FindName finds the item's name taken.
// Nothing changes unless the result is Added.
AddResult AddItem(ComponentDef& def, ItemDef item);
// The same, for a reader adding many items: names, filled by these calls only, answers the
// lookup instead of a pass over every item (model/name_rules.h).
AddResult AddItem(ComponentDef& def, ItemDef item, NameIndex& names);
// Room for count items (at most kMaxItems), so that a reader's additions move no item.
void ReserveItems(ComponentDef& def, int count);
void DeleteItem(ComponentDef& def, int number);
std::string ItemName(const ItemDef& item);
// The same name without a copy; valid while the item lives unchanged.
std::string_view ItemNameView(const ItemDef& item);
int RoomLeft(const ComponentDef& def);
// Selection sort by ItemName, comparing character codes (case-sensitive).
void SortItemsByName(ComponentDef& def);
bool AnySubComponentVariable(const ComponentDef& def);

// Adds one unit name (blanks and a brace comment removed) unless it is empty or already
// listed in any letter case.
void AddUnit(TextBlock& units, std::string_view name);
// The units every new definition starts with.
void ResetUnits(TextBlock& units);
// The unit list of old definition files: one comma-separated line.
void ConvertOldUnitList(TextBlock& units, std::string_view comma_list);

std::uint8_t PropertyScope(const PropertyPart& property);

}  // namespace kx::model
