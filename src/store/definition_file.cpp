// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/definition_file.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory_resource>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "model/name_rules.h"
#include "model/text.h"
#include "store/ext_ini_file.h"

namespace kx::store {

using model::ComponentDef;
using model::ItemDef;
using model::ItemKind;
using model::TextBlock;

namespace {

constexpr std::string_view kMainInfo = "MAININFO$";
constexpr std::string_view kItemList = "ITEMLIST$";
constexpr std::string_view kNoSection = "$$$";
// Blocks that later versions added: a reader that does not know them skips them as the
// sections of no item, so a file that holds them still opens there.
constexpr std::string_view kSwitches = "SWITCHES$";
constexpr std::string_view kAfterClass = "AFTERCLASS$";
constexpr std::string_view kInitialization = "INITIALIZATION$";

// The keys of a definition file's entries, as the writer spells them; the reader matches
// them in any letter case.
namespace keys {
// Main information.
constexpr std::string_view kVersion = "KXVer";
constexpr std::string_view kCompatible20 = "Compatible20";
constexpr std::string_view kCompatible21 = "Compatible21";
constexpr std::string_view kCompatible22 = "Compatible22";
constexpr std::string_view kCompatible25 = "Compatible25";
constexpr std::string_view kCompatible30 = "Compatible30";
constexpr std::string_view kCompatible40 = "Compatible40";
constexpr std::string_view kLanguage = "Lang";
constexpr std::string_view kUnitName = "UnitName";
constexpr std::string_view kLimitName = "LimitName";
constexpr std::string_view kNewClassName = "NewClassName";
constexpr std::string_view kParentClassName = "ParentClassName";
constexpr std::string_view kVCLAncestorName = "VCLAncestorName";
constexpr std::string_view kDefaultPalette = "DefaultPalette";
constexpr std::string_view kCopyrightLine = "CopyrightLine";
constexpr std::string_view kTargetDir = "TargetDir";
constexpr std::string_view kFormMode = "FormMode";
constexpr std::string_view kFormFile = "FormFile";
constexpr std::string_view kOldUnits = "Units";  // read only: the first version's unit list
// Every item.
constexpr std::string_view kDescr = "Descr";
constexpr std::string_view kDefaultCode = "DefaultCode";
constexpr std::string_view kKeywords = "Keywords";
// Properties.
constexpr std::string_view kInherited = "IN";
constexpr std::string_view kReadOnly = "RO";
constexpr std::string_view kPropType = "PropType";
constexpr std::string_view kPropDefault = "PropDefault";
constexpr std::string_view kQuote = "Quote";  // written only: whether the default is quoted
constexpr std::string_view kReadMethod = "RM";
constexpr std::string_view kWriteMethod = "WM";
constexpr std::string_view kVirt = "VIRT";
constexpr std::string_view kHide = "Hide";
constexpr std::string_view kSpecial = "SP";
constexpr std::string_view kDefEdit = "DefEdit";
constexpr std::string_view kApplyToAll = "All";
// The letters look swapped, "EC" holding the editor unit and "EU" the editor class, but every
// definition file ever written has them so: reading them the other way round would swap the
// unit and the class of every custom editor in existing files.
constexpr std::string_view kEditorUnit = "EC";
constexpr std::string_view kEditorClass = "EU";
constexpr std::string_view kLink = "Link";
// Events (Ov: existing events only).
constexpr std::string_view kOverride = "Ov";
constexpr std::string_view kPublish = "P";
constexpr std::string_view kHandlerDecl = "HandlerDecl";
constexpr std::string_view kArglist = "Arglist";
// Methods (and kOverride).
constexpr std::string_view kMethodKind = "Kind";
constexpr std::string_view kHeader = "Header";
constexpr std::string_view kMethodScope = "S";
constexpr std::string_view kMode = "Mode";
constexpr std::string_view kWinMessage = "WinMessage";
// Variables.
constexpr std::string_view kDataType = "DataType";
constexpr std::string_view kDefault = "Default";
constexpr std::string_view kVariableScope = "Sc";  // the scope + 8
constexpr std::string_view kIsObject = "IsObject";
constexpr std::string_view kIsSubComponent = "IsSubComponent";
}  // namespace keys

// Whether an entry's key is this one, in any letter case.
// Inline, lengths first: an entry is matched against up to twenty keys.
inline bool Is(std::string_view entry_key, std::string_view key) {
  if (entry_key.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (model::UpCase(entry_key[i]) != model::UpCase(key[i])) return false;
  }
  return true;
}

bool IsQuotedLiteral(std::string_view value) {
  return !value.empty() && value.front() == '\'' && value.back() == '\'';
}

void WriteItemEntries(TExtIniFile& ini, std::string_view section, const ItemDef& item) {
  ini.WriteString(section, keys::kDescr, item.Descr);
  ini.WriteInteger(section, keys::kDefaultCode, static_cast<int>(item.DefaultCode));
  ini.WriteString(section, keys::kKeywords, item.Keywords);
  switch (item.Kind()) {
    case ItemKind::Property: {
      const model::PropertyPart& p = item.Property();
      ini.WriteBool(section, keys::kInherited, p.Inherited);
      ini.WriteBool(section, keys::kReadOnly, p.ReadOnly);
      ini.WriteString(section, keys::kPropType, p.PropType);
      ini.WriteString(section, keys::kPropDefault, p.PropDefault);
      ini.WriteBool(section, keys::kQuote, IsQuotedLiteral(p.PropDefault));
      ini.WriteBool(section, keys::kReadMethod, p.UseReadMethod);
      ini.WriteBool(section, keys::kWriteMethod, p.UseWriteMethod);
      ini.WriteBool(section, keys::kVirt, p.VIRT);
      ini.WriteBool(section, keys::kHide, p.Hide);
      ini.WriteInteger(section, keys::kSpecial, static_cast<int>(p.Special));
      ini.WriteBool(section, keys::kDefEdit, p.PropertyEditor.DefEdit);
      ini.WriteBool(section, keys::kApplyToAll, p.PropertyEditor.ApplyToAll);
      ini.WriteString(section, keys::kEditorUnit, p.PropertyEditor.EditorUnit);
      ini.WriteString(section, keys::kEditorClass, p.PropertyEditor.EditorClass);
      ini.WriteString(section, keys::kLink, p.Link);
      break;
    }
    case ItemKind::ExistingEvent: {
      const model::ExistingEventPart& e = item.ExistingEvent();
      ini.WriteBool(section, keys::kOverride, e.Override);
      ini.WriteBool(section, keys::kPublish, e.Publish);
      ini.WriteString(section, keys::kHandlerDecl, e.HandlerDecl);
      break;
    }
    case ItemKind::Method: {
      const model::MethodPart& m = item.Method();
      ini.WriteInteger(section, keys::kMethodKind, m.MethodKind);
      ini.WriteString(section, keys::kHeader, m.Header);
      ini.WriteInteger(section, keys::kMethodScope, m.Scope);
      ini.WriteBool(section, keys::kOverride, m.Override);
      ini.WriteInteger(section, keys::kMode, static_cast<int>(m.Mode));
      ini.WriteString(section, keys::kWinMessage, m.WinMessage);
      break;
    }
    case ItemKind::Variable: {
      const model::VariablePart& v = item.Variable();
      ini.WriteString(section, keys::kDataType, v.DataType);
      ini.WriteString(section, keys::kDefault, v.Default);
      ini.WriteBool(section, keys::kQuote, IsQuotedLiteral(v.Default));
      ini.WriteInteger(section, keys::kVariableScope, v.Scope + 8);
      ini.WriteBool(section, keys::kIsObject, v.IsObject);
      ini.WriteBool(section, keys::kIsSubComponent, v.IsSubComponent);
      break;
    }
    case ItemKind::NewEvent: {
      const model::NewEventPart& e = item.NewEvent();
      ini.WriteString(section, keys::kArglist, e.Arglist);
      ini.WriteBool(section, keys::kPublish, e.Publish);
      break;
    }
    case ItemKind::Main:
      break;
  }
}

// Booleans are true only when written as "1"; integers keep their low byte, as the
// byte-sized fields of the record always did.
bool AsBool(std::string_view value) { return value == "1"; }
std::uint8_t AsByte(std::string_view value, long long default_value) {
  return static_cast<std::uint8_t>(model::ParsePascalInteger(value, default_value));
}

void ApplyItemEntry(ItemDef& item, const Entry& e, const ClassRules& rules) {
  const std::string_view k = e.key;
  const std::string_view v = e.value;
  if (Is(k, keys::kDescr)) {
    item.Descr = v;
    return;
  }
  if (Is(k, keys::kDefaultCode)) {
    item.DefaultCode = static_cast<model::DefaultCodeKind>(AsByte(v, 0));
    return;
  }
  if (Is(k, keys::kKeywords)) {
    item.Keywords = v;
    return;
  }
  switch (item.Kind()) {
    case ItemKind::Property: {
      model::PropertyPart& p = item.Property();
      if (Is(k, keys::kInherited))
        p.Inherited = AsBool(v);
      else if (Is(k, keys::kReadOnly))
        p.ReadOnly = AsBool(v);
      else if (Is(k, keys::kPropType))
        p.PropType = v;
      else if (Is(k, keys::kPropDefault))
        p.PropDefault = v;
      else if (Is(k, keys::kReadMethod))
        p.UseReadMethod = AsBool(v);
      else if (Is(k, keys::kWriteMethod))
        p.UseWriteMethod = AsBool(v);
      else if (Is(k, keys::kVirt))
        p.VIRT = AsBool(v);
      else if (Is(k, keys::kHide))
        p.Hide = AsBool(v);
      else if (Is(k, keys::kDefEdit))
        p.PropertyEditor.DefEdit = AsBool(v);
      else if (Is(k, keys::kApplyToAll))
        p.PropertyEditor.ApplyToAll = AsBool(v);
      else if (Is(k, keys::kEditorUnit))
        p.PropertyEditor.EditorUnit = v;
      else if (Is(k, keys::kEditorClass))
        p.PropertyEditor.EditorClass = v;
      else if (Is(k, keys::kLink))
        p.Link = v;
      else if (Is(k, keys::kSpecial)) {
        const long long special = model::ParsePascalInteger(v, -1);
        p.Special = (special < 0 || special >= model::kPropSpecialTypeCount)
                        ? rules.default_special_kind(p)
                        : static_cast<model::PropSpecialType>(special);
      }
      break;
    }
    case ItemKind::ExistingEvent: {
      model::ExistingEventPart& ev = item.ExistingEvent();
      if (Is(k, keys::kOverride))
        ev.Override = AsBool(v);
      else if (Is(k, keys::kPublish))
        ev.Publish = AsBool(v);
      else if (Is(k, keys::kHandlerDecl))
        ev.HandlerDecl = v;
      break;
    }
    case ItemKind::Method: {
      model::MethodPart& m = item.Method();
      if (Is(k, keys::kMethodKind))
        m.MethodKind = AsByte(v, 0);
      else if (Is(k, keys::kHeader) && !v.empty())
        m.Header = v;
      else if (Is(k, keys::kMethodScope))
        m.Scope = AsByte(v, 0);
      else if (Is(k, keys::kOverride))
        m.Override = AsBool(v);
      else if (Is(k, keys::kMode))
        m.Mode = static_cast<model::MethodMode>(
            AsByte(v, static_cast<int>(model::MethodMode::kCannotBeOverridden)));
      else if (Is(k, keys::kWinMessage))
        m.WinMessage = v;
      break;
    }
    case ItemKind::Variable: {
      model::VariablePart& var = item.Variable();
      if (Is(k, keys::kDataType))
        var.DataType = v;
      else if (Is(k, keys::kDefault))
        var.Default = v;
      // Stored as scope + 8; an unreadable value means the first scope, not 248.
      else if (Is(k, keys::kVariableScope))
        var.Scope = static_cast<std::uint8_t>(model::ParsePascalInteger(v, 8) - 8);
      else if (Is(k, keys::kIsObject))
        var.IsObject = AsBool(v);
      else if (Is(k, keys::kIsSubComponent))
        var.IsSubComponent = AsBool(v);
      break;
    }
    case ItemKind::NewEvent: {
      model::NewEventPart& ev = item.NewEvent();
      if (Is(k, keys::kArglist))
        ev.Arglist = v;
      else if (Is(k, keys::kPublish))
        ev.Publish = AsBool(v);
      break;
    }
    case ItemKind::Main:
      break;
  }
}

// The second pass, which fills in the items the first pass created.
class SecondPass {
 public:
  SecondPass(ComponentDef& def, const model::NameIndex& names, const ClassRules& rules,
             ParseResult& result)
      : def_(def), names_(names), rules_(rules), result_(result) {}

  void Run(std::string_view text) {
    LineReader reader(text);
    Entry e;
    while (ReadEntry(reader, e)) {
      TextBlock block;
      if (e.is_header && !OpenHeader(e.section, reader, block)) continue;
      Apply(e, block);
    }
    StoreBack();
  }

  const std::string& old_units() const { return old_units_; }

 private:
  // Returns false when the header's line needs no applying.
  bool OpenHeader(const std::string& name, LineReader& reader, TextBlock& block) {
    if (model::TextBlock* lines = BlockOfSection(name)) {
      ChangeSection(name);
      *lines = ReadLines(reader);
      section_ = kNoSection;
      subsection_.clear();
      return false;
    }
    if (name == "CODE$" || name == "HELP$") {
      ChangeSection("GLOBAL$");
      subsection_ = name;
    } else if (name == "IMPGLOBAL$") {
      // Older files kept the implementation code right here; in current files the first
      // entry is not a block, and the pseudo-item's own entries are not applied.
      ChangeSection(name);
      subsection_ = "CODE$";
    } else if (IsSubsectionOfCurrent(name)) {
      subsection_ = name.substr(section_.size());
    } else {
      ChangeSection(name);
      subsection_.clear();
      return true;
    }
    block = ReadLines(reader);
    return true;
  }

  // The sections that hold nothing but one block of lines.
  model::TextBlock* BlockOfSection(std::string_view name) {
    if (name == "UNITS$") return &def_.MainInfo.Units;
    if (name == kSwitches) return &def_.MainInfo.Switches;
    if (name == kAfterClass) return &def_.AfterClass;
    if (name == kInitialization) return &def_.Initialization;
    return nullptr;
  }

  // The current section's name followed by "READCODE$", "CODE$" or "HELP$".
  bool IsSubsectionOfCurrent(std::string_view name) const {
    if (!name.starts_with(section_)) return false;
    const std::string_view suffix = name.substr(section_.size());
    return suffix == "READCODE$" || suffix == "CODE$" || suffix == "HELP$";
  }

  // The working copy is moved out of the definition and back, not copied: while a section
  // is read its item is away, and it is back before anything else looks at the items.
  void ChangeSection(const std::string& next) {
    if (next == section_) return;
    StoreBack();
    section_ = next;
    index_ = -1;
    if (next == "GLOBAL$") {
      work_ = std::move(def_.Global);
    } else if (next == "IMPGLOBAL$") {
      work_ = std::move(def_.ImpGlobal);
    } else if (!BlockOfSection(next)) {
      // Only the section named after an item fills it: one named after a name the item
      // derives (FColor for Color) is no part of it and is skipped with the other strays.
      index_ = names_.Find(next);
      if (index_ >= 1 && !model::SameText(model::ItemNameView(def_.Item(index_)), next)) {
        index_ = -1;
      }
      // Any other section leaves the working copy as it was; it is never stored.
      if (index_ >= 1 && index_ <= def_.Count()) work_ = std::move(def_.Item(index_));
    }
  }

  void StoreBack() {
    if (section_ == kNoSection || section_ == kMainInfo) return;
    if (section_ == "GLOBAL$") {
      def_.Global = std::move(work_);
    } else if (section_ == "IMPGLOBAL$") {
      def_.ImpGlobal = std::move(work_);
    } else if (index_ >= 1 && index_ <= def_.Count()) {
      def_.Item(index_) = std::move(work_);
    }
  }

  void Apply(const Entry& e, TextBlock& block) {
    if (section_ == kItemList) return;
    if (subsection_ == "CODE$") {
      work_.Code = std::move(block);
    } else if (subsection_ == "READCODE$") {
      if (work_.Kind() == ItemKind::Property) work_.Property().ReadCode = std::move(block);
    } else if (subsection_ == "HELP$") {
      work_.Help = std::move(block);
    } else if (section_ == kMainInfo) {
      ApplyMainInfo(e);
    } else {
      ApplyItemEntry(work_, e, rules_);
    }
  }

  void ApplyMainInfo(const Entry& e) {
    model::MainInfoDef& m = def_.MainInfo;
    const std::string_view k = e.key;
    const std::string_view v = e.value;
    if (Is(k, keys::kVersion)) {
      result_.version = v;
    } else if (Is(k, keys::kCompatible40)) {
      if (v != "1")
        result_.messages.push_back(
            {ReaderMessage::Kind::kWarning, std::string(kLaterVersionWarning)});
    } else if (Is(k, keys::kLanguage)) {
      const std::string lang = model::UpperCase(v);
      if (lang != "PASC" && lang != "PASCAL") {
        result_.messages.push_back(
            {ReaderMessage::Kind::kWarning, std::string(kOtherLanguageWarning)});
      }
    } else if (Is(k, keys::kUnitName)) {
      m.UnitName = v;
    } else if (Is(k, keys::kLimitName)) {
      m.LimitName = AsBool(v);
    } else if (Is(k, keys::kNewClassName)) {
      m.NewClassName = v;
    } else if (Is(k, keys::kParentClassName)) {
      m.ParentClassName = v;
    } else if (Is(k, keys::kVCLAncestorName)) {
      m.VCLAncestorName = v;
    } else if (Is(k, keys::kDefaultPalette)) {
      m.DefaultPalette = v;
    } else if (Is(k, keys::kCopyrightLine)) {
      m.CopyrightLine = v;
    } else if (Is(k, keys::kTargetDir)) {
      std::error_code error;
      if (!v.empty() && std::filesystem::is_directory(v, error)) m.TargetDir = v;
    } else if (Is(k, keys::kFormMode)) {
      m.Form.FormMode = static_cast<model::FormModeKind>(AsByte(v, 0));
    } else if (Is(k, keys::kFormFile)) {
      if (m.Form.FormMode == model::FormModeKind::kWrapsForm) {
        m.Form.FormFile = v;
        result_.form_file_to_load = v;
      }
    } else if (Is(k, keys::kOldUnits)) {
      old_units_ = v;
    }
  }

  ComponentDef& def_;
  const model::NameIndex& names_;
  const ClassRules& rules_;
  ParseResult& result_;
  std::string section_{kNoSection};
  std::string subsection_;
  int index_ = -1;
  ItemDef work_ = model::NewMainItem();
  std::string old_units_;
};

void ApplyVersionUpdates(ComponentDef& def, const std::string& version,
                         const std::string& old_units, const ClassRules& rules) {
  const bool first_version = version == "1.0";
  if (first_version) model::ConvertOldUnitList(def.MainInfo.Units, old_units);
  if (!first_version && !version.starts_with('2')) return;
  for (int n = 1; n <= def.Count(); ++n) {
    ItemDef& item = def.Item(n);
    if (first_version && item.Kind() == ItemKind::Variable) {
      model::VariablePart& v = item.Variable();
      v.IsObject = rules.is_catalogue_class(v.DataType);
      v.IsSubComponent = rules.is_standard_class(v.DataType);
      item.DefaultCode = model::DefaultCodeKind::kSubComponentSettings;
    } else if (item.Kind() == ItemKind::Property &&
               rules.is_catalogue_class(item.Property().PropType)) {
      item.Property().Special = rules.default_special_kind(item.Property());
    }
  }
}

std::size_t EstimatedSize(const ComponentDef& def) {
  auto block_size = [](const TextBlock& block) {
    std::size_t size = 16;
    if (block) {
      for (const std::string& line : *block) size += line.size() + 8;
    }
    return size;
  };
  std::size_t size = 2048 + block_size(def.MainInfo.Units);
  for (const ItemDef& item : def.Items()) {
    size += 512 + block_size(item.Code) + block_size(item.Help);
    if (item.Kind() == ItemKind::Property) size += block_size(item.Property().ReadCode);
  }
  return size;
}

}  // namespace

namespace {

// The sections the writer opens whatever the items are.
constexpr std::array<std::string_view, 12> kFileSections = {
    "MAININFO$",  "UNITS$",          "ITEMLIST$",       "GLOBAL$", "CODE$",     "HELP$",
    "IMPGLOBAL$", "IMPGLOBAL$CODE$", "IMPGLOBAL$HELP$", kSwitches, kAfterClass, kInitialization};

// The sections the writer opens for an item, upper-cased as the reader matches them: the first
// count of sections, whose strings are reused from item to item.
std::size_t ItemSections(const ItemDef& item, std::array<std::string, 4>& sections) {
  static constexpr std::array<std::string_view, 4> kSuffixes = {"", "CODE$", "HELP$", "READCODE$"};
  const std::size_t count = item.Kind() == ItemKind::Property ? 4 : 3;
  for (std::size_t i = 0; i < count; ++i) {
    sections[i].assign(model::ItemNameView(item));
    model::UpperCaseInPlace(sections[i]);
    sections[i] += kSuffixes[i];
  }
  return count;
}

// "the property Color", "the method without a name".
std::string Described(const ItemDef& item) {
  std::string_view kind = "event";
  if (item.Kind() == ItemKind::Property) kind = "property";
  if (item.Kind() == ItemKind::Method) kind = "method";
  if (item.Kind() == ItemKind::Variable) kind = "variable";
  const std::string name = model::ItemName(item);
  return "the " + std::string(kind) + " " + (name.empty() ? "without a name" : name);
}

// The writer would refuse to open a section twice, in the middle of the file, with a message
// that names a section; a definition that holds two items of one name (the name rules make
// none, a file made by hand or another program can) is refused before anything is written,
// with the two items named.
void RefuseItemsThatCannotBeSaved(const ComponentDef& def) {
  std::map<std::string, int> owner;  // section -> item number, 0 for the file's own
  for (std::string_view section : kFileSections) owner.emplace(section, 0);
  std::array<std::string, 4> sections;
  for (int i = 1; i <= def.Count(); ++i) {
    const ItemDef& item = def.Item(i);
    const std::string described = Described(item);
    const std::size_t count = ItemSections(item, sections);
    for (std::size_t s = 0; s < count; ++s) {
      const auto [at, added] = owner.emplace(sections[s], i);
      if (added || at->second == i) continue;
      if (at->second == 0) {
        throw TIniFileException("The definition cannot be saved: a definition file cannot hold " +
                                described + ".  Rename or delete it, then save again.");
      }
      throw TIniFileException("The definition cannot be saved: " + Described(def.Item(at->second)) +
                              " and " + described +
                              " have the same name in a definition file.  Rename or delete one "
                              "of them, then save again.");
    }
  }
}

}  // namespace

std::string WriteDefinition(const ComponentDef& def, const std::filesystem::path& file_name) {
  RefuseItemsThatCannotBeSaved(def);
  TExtIniFile ini(file_name);
  ini.Reserve(EstimatedSize(def));
  const model::MainInfoDef& m = def.MainInfo;
  ini.WriteString(kMainInfo, keys::kVersion, "4.0");
  for (std::string_view key : {keys::kCompatible20, keys::kCompatible21, keys::kCompatible22,
                               keys::kCompatible25, keys::kCompatible30}) {
    ini.WriteString(kMainInfo, key, "0");
  }
  ini.WriteString(kMainInfo, keys::kCompatible40, "1");
  ini.WriteString(kMainInfo, keys::kLanguage, "Pasc");
  ini.WriteString(kMainInfo, keys::kUnitName, m.UnitName);
  ini.WriteBool(kMainInfo, keys::kLimitName, m.LimitName);
  ini.WriteString(kMainInfo, keys::kNewClassName, m.NewClassName);
  ini.WriteString(kMainInfo, keys::kParentClassName, m.ParentClassName);
  ini.WriteString(kMainInfo, keys::kVCLAncestorName, m.VCLAncestorName);
  ini.WriteString(kMainInfo, keys::kDefaultPalette, m.DefaultPalette);
  ini.WriteString(kMainInfo, keys::kCopyrightLine, m.CopyrightLine);
  ini.WriteString(kMainInfo, keys::kTargetDir, m.TargetDir);
  ini.WriteInteger(kMainInfo, keys::kFormMode, static_cast<int>(m.Form.FormMode));
  ini.WriteString(kMainInfo, keys::kFormFile, m.Form.FormFile);
  ini.WriteLines("UNITS$", m.Units);
  // Written only when there is one, so that every definition without them keeps the layout it
  // always had.
  if (m.Switches) ini.WriteLines(kSwitches, m.Switches);
  // The header is written even without items, so that a definition whose items were all
  // deleted can be opened again.
  ini.WriteSection(kItemList);
  for (const ItemDef& item : def.Items()) {
    ini.WriteString(kItemList, model::ItemName(item), model::KindName(item.Kind()));
  }
  WriteItemEntries(ini, "GLOBAL$", def.Global);
  ini.WriteLines("CODE$", def.Global.Code);
  ini.WriteLines("HELP$", def.Global.Help);
  WriteItemEntries(ini, "IMPGLOBAL$", def.ImpGlobal);
  ini.WriteLines("IMPGLOBAL$CODE$", def.ImpGlobal.Code);
  ini.WriteLines("IMPGLOBAL$HELP$", def.ImpGlobal.Help);
  if (def.AfterClass) ini.WriteLines(kAfterClass, def.AfterClass);
  if (def.Initialization) ini.WriteLines(kInitialization, def.Initialization);
  for (const ItemDef& item : def.Items()) {
    const std::string name = model::ItemName(item);
    WriteItemEntries(ini, name, item);
    ini.WriteLines(name + "CODE$", item.Code);
    if (item.Kind() == ItemKind::Property && item.Property().ReadCode) {
      ini.WriteLines(name + "READCODE$", item.Property().ReadCode);
    }
    ini.WriteLines(name + "HELP$", item.Help);
  }
  return std::move(ini).TakeText();
}

namespace {

ReaderMessage DroppedItem(const std::string& name, const std::string& display_path) {
  return {ReaderMessage::Kind::kWarning,
          name.empty() ? "An item without a name in " + display_path + " was dropped."
                       : "The item " + name + " in " + display_path +
                             " was dropped: a definition file cannot hold its name."};
}

// Every definition that reads must save again: the writer refuses to reopen a section, and
// a name must read back as it was written (the reader trims it). Such names come only from
// files made by hand or by other programs, since the name rules allow none of them.
void DropItemsThatCannotBeSaved(ComponentDef& def, const std::string& display_path,
                                ParseResult& result) {
  // Every section of a large file is looked up here: the names taken and the set's nodes live
  // in one arena that is dropped whole at the end.
  std::pmr::monotonic_buffer_resource arena(16384);
  std::pmr::unordered_set<std::string_view> sections(&arena);
  sections.reserve(kFileSections.size() + 4 * static_cast<std::size_t>(def.Count()));
  for (std::string_view section : kFileSections) sections.emplace(section);
  std::array<std::string, 4> own;
  for (int i = 1; i <= def.Count();) {
    const ItemDef& item = def.Item(i);
    const std::string_view name = model::ItemNameView(item);
    if (!name.empty() && model::TrimView(name) == name) {
      const std::size_t count = ItemSections(item, own);
      if (std::none_of(own.begin(), own.begin() + count,
                       [&](const std::string& section) { return sections.contains(section); })) {
        for (std::size_t s = 0; s < count; ++s) {
          char* kept = static_cast<char*>(arena.allocate(own[s].size(), 1));
          std::copy(own[s].begin(), own[s].end(), kept);
          sections.emplace(kept, own[s].size());
        }
        ++i;
        continue;
      }
    }
    result.messages.push_back(DroppedItem(std::string(name), display_path));
    model::DeleteItem(def, i);
  }
}

}  // namespace

ParseResult ParseDefinition(std::string_view text, const std::string& display_path,
                            ComponentDef& def, const ClassRules& rules,
                            std::string_view default_target_dir) {
  ParseResult result;
  auto fail = [&](std::string message) {
    result.messages.push_back({ReaderMessage::Kind::kError, std::move(message)});
    return result;
  };
  model::ClearDefinition(def, default_target_dir);
  def.MainInfo.FileName = display_path;

  // First pass: the item list.
  LineReader reader(text);
  std::string_view raw;
  bool found_list = false;
  bool has_main_info = false;
  while (!found_list && reader.Next(raw)) {
    const std::string upper = model::UpperCase(raw);
    has_main_info = has_main_info || upper == "[MAININFO$]";
    found_list = upper == "[ITEMLIST$]";
  }
  if (!found_list || reader.AtEnd()) {
    return fail(display_path + " is not a component definition file.");
  }
  std::vector<std::string_view> listed;
  while (listed.size() <= static_cast<std::size_t>(model::kMaxItems) && reader.Next(raw)) {
    const std::string_view line = model::TrimView(raw);
    if (line.empty()) continue;
    if (line.front() == '[') break;
    listed.push_back(line);
  }
  // A file of ours with all items deleted still has its main information: it is a
  // definition, only an empty one.
  if (listed.empty() && !has_main_info) {
    return fail(display_path + " is empty or " + "is not a component definition file.");
  }
  if (listed.size() > static_cast<std::size_t>(model::kMaxItems)) {
    return fail(display_path + " contains too many items.");
  }
  model::NameIndex names(listed.size());
  model::ReserveItems(def, static_cast<int>(listed.size()));
  for (const std::string_view line : listed) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = model::TrimView(line.substr(0, equals));
    const std::string_view kind = model::TrimView(line.substr(equals + 1)).substr(0, 4);
    ItemDef (*make)(std::string_view) = nullptr;
    if (model::SameText(kind, "PROP"))
      make = model::NewPropertyItem;
    else if (model::SameText(kind, "EXIS"))
      make = model::NewExistingEventItem;
    else if (model::SameText(kind, "NEWE"))
      make = model::NewEventItem;
    else if (model::SameText(kind, "METH"))
      make = model::NewMethodItem;
    else if (model::SameText(kind, "VARI"))
      make = model::NewVariableItem;
    else
      continue;
    ItemDef item = make(name);
    // The file's own sections would be read into the item.
    const std::string_view item_name = model::ItemNameView(item);
    if (std::any_of(kFileSections.begin(), kFileSections.end(), [&](std::string_view section) {
          return model::SameText(section, item_name);
        })) {
      result.messages.push_back(DroppedItem(std::string(item_name), display_path));
      continue;
    }
    model::AddItem(def, std::move(item), names);  // a taken name is dropped
  }

  SecondPass second(def, names, rules, result);
  second.Run(text);
  DropItemsThatCannotBeSaved(def, display_path, result);
  ApplyVersionUpdates(def, result.version, second.old_units(), rules);
  result.ok = true;
  return result;
}

}  // namespace kx::store
