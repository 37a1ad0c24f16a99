// SPDX-License-Identifier: GPL-3.0-or-later
// The Events page without its widgets: inherited or new events, the fields of the selected one,
// and the "Override Handler" box that editing an inherited event's code or text asks about.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "commands/item_page_model.h"
#include "model/name_rules.h"

namespace kx::commands {

enum class EventsMode : std::uint8_t { kInherited, kNew };

inline constexpr std::string_view kOverrideHandlerMessage =
    "You may override the handling of this event after putting the header for its handler "
    "method in the \"Handler\" box on this page.";
inline constexpr std::string_view kEmptyHandlerCodeMessage =
    "You may edit code for this handler after putting the header for its declaration in the "
    "\"Handler\" box on this page.";
inline constexpr std::string_view kOverrideBeforeCodeQuestion =
    "The \"Override Handler\" box for this event is not checked.  Check it before editing the "
    "handler code?";
inline constexpr std::string_view kOverrideBeforeTextQuestion =
    "The \"Override Handler\" box for this event is not checked.  Check it before editing the "
    "text?";

struct EventPageState {
  EventsMode mode = EventsMode::kInherited;
  TextControl name, description, handler;
  std::string handler_caption = "Handler:";  // or "Arguments:"
  std::string group_caption = " For inherited events ";
  CheckControl publish, override_handler;
  std::string publish_caption = "Publish event, if not already published";
};

class EventPageModel : public ItemPageModel {
 public:
  using State = EventPageState;
  explicit EventPageModel(PageHost& host) : ItemPageModel(Page::kEvents, host) {}
  const State& state() const { return state_; }

  void EventsModeClick(EventsMode mode);
  model::FilteredText EventNameChange(std::string_view text, std::size_t caret);
  bool EventNameExit();
  void EventDescriptionChange(std::string_view text);
  void HandlerDeclChange(std::string_view text);
  bool HandlerDeclExit();
  void PublishClick(bool checked);
  void OverrideHandlerClick(bool checked);

  NamePromptRequest AddPrompt() const override;
  model::ItemDef NewItem(const std::string& name, const NamePromptAnswer& answer,
                         model::TextBlock& units) const override;
  bool MayEditCode(model::ItemDef& item) override;
  bool MayEditText(model::ItemDef& item) override;

 private:
  bool Lists(const model::ItemDef& item) const override;
  void ClearFields() override;
  void ShowItem(const model::ItemDef& item) override;
  void ShowName(const model::ItemDef& item) override { state_.name.text = model::ItemName(item); }
  bool InheritedEvent(const model::ItemDef& item) const {
    return state_.mode == EventsMode::kInherited && item.Kind() == model::ItemKind::ExistingEvent;
  }
  // The "Override Handler" question before editing; false when cancelled.
  bool AskOverrideHandler(model::ItemDef& item, std::string_view question);

  State state_;
  model::NameFieldFilter name_filter_{"On"};
};

}  // namespace kx::commands
