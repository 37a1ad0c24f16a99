// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/item_page_model.h"

#include <utility>

#include "model/name_rules.h"
#include "model/types.h"

namespace kx::commands {

using model::ItemDef;
using model::ItemKind;

namespace {

// The name a rename is checked by: a method's header, any other item's name.
std::string CheckedName(const ItemDef& item) {
  return item.Kind() == ItemKind::Method ? item.Method().Header.str() : model::ItemName(item);
}

void PutBackName(ItemDef& item, const std::string& name) {
  switch (item.Kind()) {
    case ItemKind::Property:
      item.Property().Name = name;
      break;
    case ItemKind::Method:
      item.Method().Header = name;
      break;
    case ItemKind::ExistingEvent:
      item.ExistingEvent().Name = name;
      break;
    case ItemKind::NewEvent:
      item.NewEvent().Name = name;
      break;
    case ItemKind::Variable:
      item.Variable().Name = name;
      break;
    case ItemKind::Main:
      break;
  }
}

}  // namespace

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

std::string MustCorrectMessage(std::string_view problem, std::string_view what) {
  return std::string(problem) + ".  You must correct it before editing " + std::string(what);
}

ItemDef* ItemPageModel::Current() { return const_cast<ItemDef*>(std::as_const(*this).Current()); }

const ItemDef* ItemPageModel::Current() const {
  const model::ComponentDef& def = host_.session().def();
  if (selected_ < 1 || selected_ > def.Count()) return nullptr;
  return &def.Item(selected_);
}

void ItemPageModel::Fill() {
  PageHost::UpdateScope updating(host_);
  shown_ = true;
  selected_ = -1;
  list_.entries.clear();
  for (const ItemDef& item : host_.def().Items()) {
    if (Lists(item)) list_.entries.push_back(EntryText(item));
  }
  list_.selected = -1;
  ShowEntry();
}

bool ItemPageModel::ShowEntry() {
  if (list_.selected < 0 || list_.selected >= static_cast<int>(list_.entries.size())) {
    selected_ = -1;
    ClearFields();
    return true;
  }
  const std::string& text = list_.entries[list_.selected];
  int found = -1;
  for (int n = 1; n <= host_.def().Count(); ++n) {
    const ItemDef& item = host_.def().Item(n);
    if (Lists(item) && EntryText(item) == text) {
      found = n;
      break;
    }
  }
  if (found == -1) {
    host_.dialogs().Error("Item \"" + text + "\" could not be found after listbox click on tab " +
                          std::to_string(static_cast<int>(page_)));
    return false;
  }
  PageHost::UpdateScope updating(host_);
  selected_ = found;
  const ItemDef& item = host_.def().Item(found);
  accepted_name_ = CheckedName(item);
  ClearFields();
  ShowItem(item);
  return true;
}

void ItemPageModel::Select(int position) {
  list_.selected = position;
  ShowEntry();
}

void ItemPageModel::ListClick(int position) {
  if (host_.updating()) return;
  const int previous = list_.selected;
  list_.selected = position;
  if (!ShowEntry()) list_.selected = previous;
}

void ItemPageModel::Reset() {
  list_ = {};
  selected_ = -1;
  shown_ = false;
  accepted_name_.clear();
  ClearFields();
}

void ItemPageModel::ItemDeleted(int number) {
  if (selected_ > number) --selected_;
}

void ItemPageModel::RefreshEntry() {
  const ItemDef* item = Current();
  if (item == nullptr || list_.selected < 0 ||
      list_.selected >= static_cast<int>(list_.entries.size())) {
    return;
  }
  list_.entries[list_.selected] = EntryText(*item);
}

void ItemPageModel::DescriptionChange(TextControl& field, std::string_view text) {
  if (!Editing()) return;
  Current()->Descr = text;
  field.text = Current()->Descr.str();
  host_.Modified();
}

bool ItemPageModel::NameExit(std::string_view what, bool (*missing)(std::string_view name)) {
  const ItemDef* item = Current();
  if (item == nullptr) return true;
  RefreshEntry();
  const std::string_view name = model::ItemNameView(*item);
  if (!host_.RequireText(missing == nullptr ? name.empty() : missing(name), what)) return false;
  RefuseTakenName();
  return true;
}

bool ItemPageModel::TypeExit(std::string_view type, std::string_view what) {
  RefreshEntry();
  return host_.RequireText(type.empty(), what);
}

void ItemPageModel::DefaultExit(TextControl& field, std::string_view type,
                                model::ShortString<128>& value) {
  const std::string tidy = model::TidyStringDefault(type, value);
  if (tidy != value.str()) {
    value = tidy;
    field.text = value.str();
    host_.Modified();
  }
  RefreshEntry();
  const std::string problem = model::CheckValueOfType(type, value);
  if (!problem.empty()) host_.dialogs().Information(model::HeaderWarningMessage(problem));
}

void ItemPageModel::RefuseTakenName() {
  ItemDef& item = *Current();
  if (CheckedName(item) == accepted_name_) return;
  const model::NameLookup taken = model::FindRenameConflict(host_.def(), selected_);
  if (taken.index == -1) {
    accepted_name_ = CheckedName(item);
    return;
  }
  host_.dialogs().Information(taken.message);
  PutBackName(item, accepted_name_);
  ShowName(item);
  RefreshEntry();
}

}  // namespace kx::commands
