// SPDX-License-Identifier: GPL-3.0-or-later
// One item page of the definition window (properties, methods, events or variables) without its
// widgets: its list of entries, the item the selected entry stands for, and what every item page
// does with a name and a description. Each page's model derives from it and owns the state its
// page draws; the window model composes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/dialogs.h"
#include "commands/page_host.h"
#include "model/component_def.h"

namespace kx::commands {

// The text of an item's list entry: "Name : Type" for properties and variables, the header
// for methods, the name for events.
std::string EntryText(const model::ItemDef& item);
// The refusal to edit code until the problem with the item's header is corrected.
std::string MustCorrectMessage(std::string_view problem, std::string_view what);

class ItemPageModel {
 public:
  virtual ~ItemPageModel() = default;
  ItemPageModel(const ItemPageModel&) = delete;
  ItemPageModel& operator=(const ItemPageModel&) = delete;

  Page page() const { return page_; }
  // The selected item's number in the definition, -1 for none.
  int selected_item() const { return selected_; }
  const EntryList& list() const { return list_; }
  model::ItemDef* Current();
  const model::ItemDef* Current() const;
  // Whether the page was filled since the definition was shown.
  bool shown() const { return shown_; }

  // The list from the definition, with nothing selected.
  void Fill();
  // Fills the item controls from the selected entry. False after the internal error for an
  // entry that matches no item; the page is then left as it was.
  bool ShowEntry();
  void Select(int position);
  // A click on an entry; the selection stays when the entry matches no item.
  void ListClick(int position);
  // No definition: nothing listed and every field off.
  void Reset();
  // Another page deleted item number: the items after it moved up by one.
  void ItemDeleted(int number);

  // --- The Add button ---
  // The question for the new item's name (and type or kind).
  virtual NamePromptRequest AddPrompt() const = 0;
  // The item the answer makes, with the units it needs added to units. No question is asked.
  virtual model::ItemDef NewItem(const std::string& name, const NamePromptAnswer& answer,
                                 model::TextBlock& units) const = 0;
  // What the new item still needs from the user once its name is free; none when cancelled.
  virtual std::optional<model::ItemDef> CompleteNewItem(model::ItemDef item) { return item; }

  // --- The Code and Text buttons' refusals for the selected item, in order; false when refused
  // or cancelled. ---
  virtual bool MayEditCode(model::ItemDef& /*item*/) { return true; }
  virtual bool MayEditText(model::ItemDef& /*item*/) { return true; }

 protected:
  ItemPageModel(Page page, PageHost& host) : host_(host), page_(page) {}

  virtual bool Lists(const model::ItemDef& item) const = 0;
  // Every field of the page off.
  virtual void ClearFields() = 0;
  virtual void ShowItem(const model::ItemDef& item) = 0;
  // A refused rename put the item's name back; the page shows it.
  virtual void ShowName(const model::ItemDef& item) = 0;

  // Not updating, and an item is selected.
  bool Editing() const { return !host_.updating() && Current() != nullptr; }
  // The selected entry follows its item's name or type.
  void RefreshEntry();
  // The description, stored as typed.
  void DescriptionChange(TextControl& field, std::string_view text);
  // Leaving the name field: a missing name (an empty one unless missing says otherwise) keeps the
  // focus there with the message about what; a name Add would refuse is refused with Add's
  // message and the name before is put back.
  bool NameExit(std::string_view what, bool (*missing)(std::string_view name) = nullptr);
  void RefuseTakenName();
  // Leaving a type field: its entry shows the type too, and a click finds the item by its entry.
  bool TypeExit(std::string_view type, std::string_view what);
  // Leaving a default value field: a string's quotes are tidied, and a value the type cannot hold
  // is warned about.
  void DefaultExit(TextControl& field, std::string_view type,
                   decltype(model::PropertyPart::PropDefault)& value);

  PageHost& host_;

 private:
  Page page_;
  EntryList list_;
  int selected_ = -1;
  bool shown_ = false;
  // The name (a method's header) that stands checked, put back when a new one is refused.
  std::string accepted_name_;
};

}  // namespace kx::commands
