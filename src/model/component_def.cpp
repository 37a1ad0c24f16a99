// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/component_def.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "model/name_rules.h"
#include "model/text.h"

namespace kx::model {

std::string_view KindName(ItemKind kind) {
  static constexpr std::array<std::string_view, 6> kNames = {"Property", "ExistingEvent", "Method",
                                                             "Variable", "NewEvent",      "Main"};
  return kNames.at(static_cast<std::size_t>(kind));
}

bool IsIndexedKind(PropSpecialType kind) {
  return kind == PropSpecialType::psIndexedI || kind == PropSpecialType::psIndexedIJ ||
         kind == PropSpecialType::psIndexedString;
}

std::string_view ScopeName(std::uint8_t scope) {
  static constexpr std::array<std::string_view, 4> kNames = {"public", "protected", "private",
                                                             "published"};
  return scope < kNames.size() ? kNames[scope] : std::string_view();
}

ComponentDef::ComponentDef() { ClearDefinition(*this); }

ItemDef& ComponentDef::Item(int number) {
  if (number < 1 || number > Count()) throw std::out_of_range("item number out of range");
  return items_[static_cast<std::size_t>(number - 1)];
}

const ItemDef& ComponentDef::Item(int number) const {
  return const_cast<ComponentDef*>(this)->Item(number);
}

namespace {

ItemDef NewItem(DefaultCodeKind default_code, ItemPart part) {
  ItemDef item;
  item.DefaultCode = default_code;
  item.Part = std::move(part);
  return item;
}

}  // namespace

ItemDef NewPropertyItem(std::string_view name) {
  PropertyPart part;
  part.Name = name;
  return NewItem(DefaultCodeKind::kPropertyWriteMethod, std::move(part));
}

ItemDef NewExistingEventItem(std::string_view name) {
  ExistingEventPart part;
  part.Name = name;
  return NewItem(DefaultCodeKind::kInheritedHandlerCall, std::move(part));
}

ItemDef NewMethodItem(std::string_view header) {
  MethodPart part;
  part.Header = header;
  return NewItem(DefaultCodeKind::kInternalDeclarationsBlock, std::move(part));
}

ItemDef NewVariableItem(std::string_view name) {
  VariablePart part;
  part.Name = name;
  return NewItem(DefaultCodeKind::kSubComponentSettings, std::move(part));
}

ItemDef NewEventItem(std::string_view name) {
  NewEventPart part;
  part.Name = name;
  return NewItem(DefaultCodeKind::kEventDispatch, std::move(part));
}

ItemDef NewMainItem() { return NewItem(DefaultCodeKind::kUnitWideDeclarations, MainPart{}); }

void ClearDefinition(ComponentDef& def, std::string_view default_target_dir) {
  def.MainInfo = MainInfoDef{};
  def.MainInfo.TargetDir = default_target_dir;
  def.Global = NewMainItem();
  def.ImpGlobal = NewMainItem();
  def.AfterClass.reset();
  def.Initialization.reset();
  def.items_.clear();
}

void ReleaseDefinitionTexts(ComponentDef& def) {
  def.MainInfo.Units.reset();
  def.MainInfo.Switches.reset();
  def.AfterClass.reset();
  def.Initialization.reset();
  auto release = [](ItemDef& item) {
    item.Code.reset();
    item.Help.reset();
    if (item.Kind() == ItemKind::Property) item.Property().ReadCode.reset();
  };
  release(def.Global);
  release(def.ImpGlobal);
  for (int n = 1; n <= def.Count(); ++n) release(def.Item(n));
}

AddResult AddItem(ComponentDef& def, ItemDef item) {
  if (def.Count() >= kMaxItems) return AddResult::Full;
  if (FindName(def, ItemName(item)).index != -1) return AddResult::Conflict;
  def.items_.push_back(std::move(item));
  return AddResult::Added;
}

AddResult AddItem(ComponentDef& def, ItemDef item, NameIndex& names) {
  if (def.Count() >= kMaxItems) return AddResult::Full;
  if (names.Find(ItemNameView(item)) != -1) return AddResult::Conflict;
  names.Add(item, def.Count() + 1);
  def.items_.push_back(std::move(item));
  return AddResult::Added;
}

void ReserveItems(ComponentDef& def, int count) {
  def.items_.reserve(static_cast<std::size_t>(std::clamp(count, 0, kMaxItems)));
}

void DeleteItem(ComponentDef& def, int number) {
  def.Item(number);  // range check
  def.items_.erase(def.items_.begin() + (number - 1));
}

std::string ItemName(const ItemDef& item) { return std::string(ItemNameView(item)); }

std::string_view ItemNameView(const ItemDef& item) {
  switch (item.Kind()) {
    case ItemKind::Property:
      return item.Property().Name;
    case ItemKind::ExistingEvent:
      return item.ExistingEvent().Name;
    case ItemKind::Variable:
      return item.Variable().Name;
    case ItemKind::NewEvent:
      return item.NewEvent().Name;
    case ItemKind::Method: {
      const std::string_view header = item.Method().Header;
      std::size_t end = 0;
      while (end < header.size() && header[end] != ' ' && header[end] != '(') ++end;
      return header.substr(0, end);
    }
    case ItemKind::Main:
      break;
  }
  return {};
}

int RoomLeft(const ComponentDef& def) { return kMaxItems - def.Count(); }

void SortItemsByName(ComponentDef& def) {
  auto& items = def.items_;
  std::vector<std::string> names;
  names.reserve(items.size());
  for (const ItemDef& item : items) names.push_back(ItemName(item));
  // The exact selection sort, not std::sort: equal names keep the order this produces,
  // which decides the order of the generated unit and the saved file.
  for (std::size_t p = 0; p < items.size(); ++p) {
    std::size_t smallest = p;
    for (std::size_t i = p + 1; i < items.size(); ++i) {
      if (names[i] < names[smallest]) smallest = i;
    }
    if (smallest != p) {
      std::swap(items[p], items[smallest]);
      std::swap(names[p], names[smallest]);
    }
  }
}

bool AnySubComponentVariable(const ComponentDef& def) {
  return std::any_of(def.Items().begin(), def.Items().end(), [](const ItemDef& item) {
    return item.Kind() == ItemKind::Variable && item.Variable().IsSubComponent;
  });
}

void AddUnit(TextBlock& units, std::string_view name) {
  if (!units) units.emplace();
  std::string unit(name);
  std::erase(unit, ' ');
  std::size_t open = unit.find('{');
  std::size_t close = unit.find('}');
  if (open != std::string::npos && close != std::string::npos) {
    // A "}" before the "{" leaves nothing between them to cut: Delete with a negative count.
    if (close >= open) unit.erase(open, close - open + 1);
  }
  if (unit.empty()) return;
  bool listed = std::any_of(units->begin(), units->end(),
                            [&](const std::string& line) { return SameText(line, unit); });
  if (!listed) units->push_back(std::move(unit));
}

void ResetUnits(TextBlock& units) {
  units.reset();
  for (std::string_view unit : {"WinTypes", "WinProcs", "Messages", "SysUtils", "Classes",
                                "Controls", "Forms", "Graphics"}) {
    AddUnit(units, unit);
  }
}

void ConvertOldUnitList(TextBlock& units, std::string_view comma_list) {
  ResetUnits(units);
  std::size_t start = 0;
  while (start <= comma_list.size()) {
    std::size_t comma = comma_list.find(',', start);
    if (comma == std::string_view::npos) comma = comma_list.size();
    AddUnit(units, comma_list.substr(start, comma - start));
    start = comma + 1;
  }
}

std::uint8_t PropertyScope(const PropertyPart& property) {
  if (IsIndexedKind(property.Special)) return property.Hide ? kScopeProtected : kScopePublic;
  if (property.Hide && !property.Inherited) return kScopeProtected;
  if (property.ReadOnly) return kScopePublic;
  if (property.Special == PropSpecialType::psObjectManualCreate) return kScopePublic;
  return kScopePublished;
}

}  // namespace kx::model
