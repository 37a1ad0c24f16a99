#include "store/definition_file.h"

#include <algorithm>
#include <array>
#include <set>
#include <system_error>
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

bool IsQuotedLiteral(std::string_view value) {
  return !value.empty() && value.front() == '\'' && value.back() == '\'';
}

void WriteItemEntries(TExtIniFile& ini, std::string_view section, const ItemDef& item) {
  ini.WriteString(section, "Descr", item.Descr);
  ini.WriteInteger(section, "DefaultCode", item.DefaultCode);
  ini.WriteString(section, "Keywords", item.Keywords);
  switch (item.Kind()) {
    case ItemKind::Property: {
      const model::PropertyPart& p = item.Property();
      ini.WriteBool(section, "IN", p.Inherited);
      ini.WriteBool(section, "RO", p.ReadOnly);
      ini.WriteString(section, "PropType", p.PropType);
      ini.WriteString(section, "PropDefault", p.PropDefault);
      ini.WriteBool(section, "Quote", IsQuotedLiteral(p.PropDefault));
      ini.WriteBool(section, "RM", p.UseReadMethod);
      ini.WriteBool(section, "WM", p.UseWriteMethod);
      ini.WriteBool(section, "VIRT", p.VIRT);
      ini.WriteBool(section, "Hide", p.Hide);
      ini.WriteInteger(section, "SP", static_cast<int>(p.Special));
      ini.WriteBool(section, "DefEdit", p.PropertyEditor.DefEdit);
      ini.WriteBool(section, "All", p.PropertyEditor.ApplyToAll);
      ini.WriteString(section, "EC", p.PropertyEditor.EditorUnit);
      ini.WriteString(section, "EU", p.PropertyEditor.EditorClass);
      ini.WriteString(section, "Link", p.Link);
      break;
    }
    case ItemKind::ExistingEvent: {
      const model::ExistingEventPart& e = item.ExistingEvent();
      ini.WriteBool(section, "Ov", e.Override);
      ini.WriteBool(section, "P", e.Publish);
      ini.WriteString(section, "HandlerDecl", e.HandlerDecl);
      break;
    }
    case ItemKind::Method: {
      const model::MethodPart& m = item.Method();
      ini.WriteInteger(section, "Kind", m.MethodKind);
      ini.WriteString(section, "Header", m.Header);
      ini.WriteInteger(section, "S", m.Scope);
      ini.WriteBool(section, "Ov", m.Override);
      ini.WriteInteger(section, "Mode", m.Mode);
      ini.WriteString(section, "WinMessage", m.WinMessage);
      break;
    }
    case ItemKind::Variable: {
      const model::VariablePart& v = item.Variable();
      ini.WriteString(section, "DataType", v.DataType);
      ini.WriteString(section, "Default", v.Default);
      ini.WriteBool(section, "Quote", IsQuotedLiteral(v.Default));
      ini.WriteInteger(section, "Sc", v.Scope + 8);
      ini.WriteBool(section, "IsObject", v.IsObject);
      ini.WriteBool(section, "IsSubComponent", v.IsSubComponent);
      break;
    }
    case ItemKind::NewEvent: {
      const model::NewEventPart& e = item.NewEvent();
      ini.WriteString(section, "Arglist", e.Arglist);
      ini.WriteBool(section, "P", e.Publish);
      break;
    }
    case ItemKind::Main:
      break;
  }
}

// Booleans are true only when written as "1"; integers keep their low byte, as the
// byte-sized fields of the record always did.
bool AsBool(const std::string& value) { return value == "1"; }
std::uint8_t AsByte(const std::string& value, long long default_value) {
  return static_cast<std::uint8_t>(model::ParsePascalInteger(value, default_value));
}

void ApplyItemEntry(ItemDef& item, const Entry& e, const ClassRules& rules) {
  const std::string_view k = e.key;
  const std::string& v = e.value;
  if (k == "DESCR") {
    item.Descr = v;
  } else if (k == "DEFAULTCODE") {
    item.DefaultCode = AsByte(v, 0);
  } else if (k == "KEYWORDS") {
    item.Keywords = v;
  }
  switch (item.Kind()) {
    case ItemKind::Property: {
      model::PropertyPart& p = item.Property();
      if (k == "IN")
        p.Inherited = AsBool(v);
      else if (k == "RO")
        p.ReadOnly = AsBool(v);
      else if (k == "PROPTYPE")
        p.PropType = v;
      else if (k == "PROPDEFAULT")
        p.PropDefault = v;
      else if (k == "RM")
        p.UseReadMethod = AsBool(v);
      else if (k == "WM")
        p.UseWriteMethod = AsBool(v);
      else if (k == "VIRT")
        p.VIRT = AsBool(v);
      else if (k == "HIDE")
        p.Hide = AsBool(v);
      else if (k == "DEFEDIT")
        p.PropertyEditor.DefEdit = AsBool(v);
      else if (k == "ALL")
        p.PropertyEditor.ApplyToAll = AsBool(v);
      else if (k == "EC")
        p.PropertyEditor.EditorUnit = v;
      else if (k == "EU")
        p.PropertyEditor.EditorClass = v;
      else if (k == "LINK")
        p.Link = v;
      else if (k == "SP") {
        const long long special = model::ParsePascalInteger(v, -1);
        p.Special = (special < 0 || special >= model::kPropSpecialTypeCount)
                        ? rules.default_special_kind(p)
                        : static_cast<model::PropSpecialType>(special);
      }
      break;
    }
    case ItemKind::ExistingEvent: {
      model::ExistingEventPart& ev = item.ExistingEvent();
      if (k == "OV")
        ev.Override = AsBool(v);
      else if (k == "P")
        ev.Publish = AsBool(v);
      else if (k == "HANDLERDECL")
        ev.HandlerDecl = v;
      break;
    }
    case ItemKind::Method: {
      model::MethodPart& m = item.Method();
      if (k == "KIND")
        m.MethodKind = AsByte(v, 0);
      else if (k == "HEADER" && !v.empty())
        m.Header = v;
      else if (k == "S")
        m.Scope = AsByte(v, 0);
      else if (k == "OV")
        m.Override = AsBool(v);
      else if (k == "MODE")
        m.Mode = AsByte(v, 2);
      else if (k == "WINMESSAGE")
        m.WinMessage = v;
      break;
    }
    case ItemKind::Variable: {
      model::VariablePart& var = item.Variable();
      if (k == "DATATYPE")
        var.DataType = v;
      else if (k == "DEFAULT")
        var.Default = v;
      // Stored as scope + 8; an unreadable value means the first scope, not 248.
      else if (k == "SC")
        var.Scope = static_cast<std::uint8_t>(model::ParsePascalInteger(v, 8) - 8);
      else if (k == "ISOBJECT")
        var.IsObject = AsBool(v);
      else if (k == "ISSUBCOMPONENT")
        var.IsSubComponent = AsBool(v);
      break;
    }
    case ItemKind::NewEvent: {
      model::NewEventPart& ev = item.NewEvent();
      if (k == "ARGLIST")
        ev.Arglist = v;
      else if (k == "P")
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
  SecondPass(ComponentDef& def, const ClassRules& rules, ParseResult& result)
      : def_(def), rules_(rules), result_(result) {}

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
    if (name == "UNITS$") {
      ChangeSection(name);
      def_.MainInfo.Units = ReadLines(reader);
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
    } else if (next != "UNITS$") {
      index_ = model::FindName(def_, next).index;
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
    const std::string& v = e.value;
    if (k == "KXVER") {
      result_.version = v;
    } else if (k == "COMPATIBLE40") {
      if (v != "1")
        result_.messages.push_back(
            {ReaderMessage::Kind::kWarning, std::string(kLaterVersionWarning)});
    } else if (k == "LANG") {
      const std::string lang = model::UpperCase(v);
      if (lang != "PASC" && lang != "PASCAL") {
        result_.messages.push_back(
            {ReaderMessage::Kind::kWarning, std::string(kOtherLanguageWarning)});
      }
    } else if (k == "UNITNAME") {
      m.UnitName = v;
    } else if (k == "LIMITNAME") {
      m.LimitName = AsBool(v);
    } else if (k == "NEWCLASSNAME") {
      m.NewClassName = v;
    } else if (k == "PARENTCLASSNAME") {
      m.ParentClassName = v;
    } else if (k == "VCLANCESTORNAME") {
      m.VCLAncestorName = v;
    } else if (k == "DEFAULTPALETTE") {
      m.DefaultPalette = v;
    } else if (k == "COPYRIGHTLINE") {
      m.CopyrightLine = v;
    } else if (k == "TARGETDIR") {
      std::error_code error;
      if (!v.empty() && std::filesystem::is_directory(v, error)) m.TargetDir = v;
    } else if (k == "FORMMODE") {
      m.Form.FormMode = AsByte(v, 0);
    } else if (k == "FORMFILE") {
      if (m.Form.FormMode == 1) {
        m.Form.FormFile = v;
        result_.form_file_to_load = v;
      }
    } else if (k == "UNITS") {
      old_units_ = v;
    }
  }

  ComponentDef& def_;
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
      item.DefaultCode = 17;
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

std::string WriteDefinition(const ComponentDef& def, const std::filesystem::path& file_name) {
  TExtIniFile ini(file_name);
  ini.Reserve(EstimatedSize(def));
  const model::MainInfoDef& m = def.MainInfo;
  ini.WriteString(kMainInfo, "KXVer", "4.0");
  for (std::string_view key :
       {"Compatible20", "Compatible21", "Compatible22", "Compatible25", "Compatible30"}) {
    ini.WriteString(kMainInfo, key, "0");
  }
  ini.WriteString(kMainInfo, "Compatible40", "1");
  ini.WriteString(kMainInfo, "Lang", "Pasc");
  ini.WriteString(kMainInfo, "UnitName", m.UnitName);
  ini.WriteBool(kMainInfo, "LimitName", m.LimitName);
  ini.WriteString(kMainInfo, "NewClassName", m.NewClassName);
  ini.WriteString(kMainInfo, "ParentClassName", m.ParentClassName);
  ini.WriteString(kMainInfo, "VCLAncestorName", m.VCLAncestorName);
  ini.WriteString(kMainInfo, "DefaultPalette", m.DefaultPalette);
  ini.WriteString(kMainInfo, "CopyrightLine", m.CopyrightLine);
  ini.WriteString(kMainInfo, "TargetDir", m.TargetDir);
  ini.WriteInteger(kMainInfo, "FormMode", m.Form.FormMode);
  ini.WriteString(kMainInfo, "FormFile", m.Form.FormFile);
  ini.WriteLines("UNITS$", m.Units);
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

// The sections the writer opens whatever the items are.
constexpr std::array<std::string_view, 9> kFileSections = {
    "MAININFO$", "UNITS$",     "ITEMLIST$",       "GLOBAL$",        "CODE$",
    "HELP$",     "IMPGLOBAL$", "IMPGLOBAL$CODE$", "IMPGLOBAL$HELP$"};

// The sections the writer opens for an item, upper-cased as the reader matches them.
std::vector<std::string> ItemSections(const ItemDef& item) {
  const std::string name = model::UpperCase(model::ItemName(item));
  std::vector<std::string> sections = {name, name + "CODE$", name + "HELP$"};
  if (item.Kind() == ItemKind::Property) sections.push_back(name + "READCODE$");
  return sections;
}

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
  std::set<std::string> sections(kFileSections.begin(), kFileSections.end());
  for (int i = 1; i <= def.Count();) {
    const ItemDef& item = def.Item(i);
    const std::string name = model::ItemName(item);
    const std::vector<std::string> own = ItemSections(item);
    if (!name.empty() && model::Trim(name) == name &&
        std::none_of(own.begin(), own.end(),
                     [&](const std::string& section) { return sections.contains(section); })) {
      sections.insert(own.begin(), own.end());
      ++i;
      continue;
    }
    result.messages.push_back(DroppedItem(name, display_path));
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
  std::vector<std::string> listed;
  while (listed.size() <= static_cast<std::size_t>(model::kMaxItems) && reader.Next(raw)) {
    std::string line = model::Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') break;
    listed.push_back(std::move(line));
  }
  // A file of ours with all items deleted still has its main information: it is a
  // definition, only an empty one.
  if (listed.empty() && !has_main_info) {
    return fail(display_path + " is empty or " + "is not a component definition file.");
  }
  if (listed.size() > static_cast<std::size_t>(model::kMaxItems)) {
    return fail(display_path + " contains too many items.");
  }
  for (const std::string& line : listed) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = model::Trim(std::string_view(line).substr(0, equals));
    const std::string kind =
        model::UpperCase(model::Trim(std::string_view(line).substr(equals + 1))).substr(0, 4);
    ItemDef item;
    if (kind == "PROP")
      item = model::NewPropertyItem(name);
    else if (kind == "EXIS")
      item = model::NewExistingEventItem(name);
    else if (kind == "NEWE")
      item = model::NewEventItem(name);
    else if (kind == "METH")
      item = model::NewMethodItem(name);
    else if (kind == "VARI")
      item = model::NewVariableItem(name);
    else
      continue;
    // The file's own sections would be read into the item.
    const std::string upper = model::UpperCase(model::ItemName(item));
    if (std::find(kFileSections.begin(), kFileSections.end(), upper) != kFileSections.end()) {
      result.messages.push_back(DroppedItem(model::ItemName(item), display_path));
      continue;
    }
    model::AddItem(def, std::move(item));  // a taken name is dropped
  }

  SecondPass second(def, rules, result);
  second.Run(text);
  DropItemsThatCannotBeSaved(def, display_path, result);
  ApplyVersionUpdates(def, result.version, second.old_units(), rules);
  result.ok = true;
  return result;
}

}  // namespace kx::store
