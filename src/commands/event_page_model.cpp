// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/event_page_model.h"

#include "catalog/class_catalog.h"
#include "model/text.h"

namespace kx::commands {

using model::FilteredText;
using model::ItemDef;
using model::ItemKind;

bool EventPageModel::Lists(const ItemDef& item) const {
  return item.Kind() ==
         (state_.mode == EventsMode::kInherited ? ItemKind::ExistingEvent : ItemKind::NewEvent);
}

void EventPageModel::ClearFields() {
  const TextControl off{"", false};
  const CheckControl unchecked{false, false, true};
  const EventsMode mode = state_.mode;
  state_ = State{.mode = mode};
  state_.name = state_.description = state_.handler = off;
  state_.publish = state_.override_handler = unchecked;
  if (mode == EventsMode::kNew) {
    state_.handler_caption = "Arguments:";
    state_.group_caption = " For new events ";
    state_.publish_caption = "Publish event";
    state_.override_handler.visible = false;
  }
}

void EventPageModel::ShowItem(const ItemDef& item) {
  state_.description = {item.Descr.str(), true};
  if (item.Kind() == ItemKind::ExistingEvent) {
    const model::ExistingEventPart& e = item.ExistingEvent();
    state_.name = {e.Name.str(), true};
    state_.handler = {e.HandlerDecl.str(), true};
    state_.override_handler = {e.Override, true, true};
    state_.publish = {e.Publish, true, true};
  } else {
    const model::NewEventPart& e = item.NewEvent();
    state_.name = {e.Name.str(), true};
    state_.publish = {e.Publish, true, true};
    state_.handler = {e.Arglist.str(), true};
  }
}

void EventPageModel::EventsModeClick(EventsMode mode) {
  if (state_.mode == mode) return;
  state_.mode = mode;
  if (host_.definition_open()) {
    Fill();
  } else {
    ClearFields();
  }
}

FilteredText EventPageModel::EventNameChange(std::string_view text, std::size_t caret) {
  if (!Editing()) return {std::string(text), caret};
  FilteredText filtered = name_filter_.Edit(state_.name.text, text, caret);
  state_.name.text = filtered.text;
  ItemDef& item = *Current();
  if (item.Kind() == ItemKind::ExistingEvent) {
    item.ExistingEvent().Name = filtered.text;
  } else {
    item.NewEvent().Name = filtered.text;
  }
  host_.Modified();
  return filtered;
}

bool EventPageModel::EventNameExit() {
  return NameExit(model::missing::kEventName, model::IsMissingEventName);
}

void EventPageModel::EventDescriptionChange(std::string_view text) {
  DescriptionChange(state_.description, text);
}

void EventPageModel::HandlerDeclChange(std::string_view text) {
  if (!Editing()) return;
  ItemDef& item = *Current();
  if (item.Kind() == ItemKind::ExistingEvent) {
    item.ExistingEvent().HandlerDecl = text;
    state_.handler.text = item.ExistingEvent().HandlerDecl.str();
  } else {
    item.NewEvent().Arglist = text;
    state_.handler.text = item.NewEvent().Arglist.str();
  }
  host_.Modified();
}

bool EventPageModel::HandlerDeclExit() {
  ItemDef* item = Current();
  if (item == nullptr) return true;
  if (item->Kind() == ItemKind::NewEvent) {
    const std::string tidy = model::TidyNewEventArglist(item->NewEvent().Arglist);
    if (tidy != item->NewEvent().Arglist.str()) {
      item->NewEvent().Arglist = tidy;
      host_.Modified();
    }
    state_.handler.text = item->NewEvent().Arglist.str();
    return true;
  }
  const std::string_view decl = item->ExistingEvent().HandlerDecl;
  if (!host_.RequireText(model::TrimView(decl).empty(), model::missing::kHandlerHeader)) {
    return false;
  }
  const std::string problem = model::CheckMethodHeader(decl, model::kProcedure);
  if (!problem.empty()) host_.dialogs().Information(model::HeaderWarningMessage(problem));
  return true;
}

void EventPageModel::PublishClick(bool checked) {
  if (!Editing()) return;
  ItemDef& item = *Current();
  if (item.Kind() == ItemKind::ExistingEvent) {
    item.ExistingEvent().Publish = checked;
  } else {
    item.NewEvent().Publish = checked;
  }
  state_.publish.checked = checked;
  host_.Modified();
}

void EventPageModel::OverrideHandlerClick(bool checked) {
  if (!Editing()) return;
  ItemDef& item = *Current();
  if (item.Kind() != ItemKind::ExistingEvent) return;
  if (checked && item.ExistingEvent().HandlerDecl.empty()) {
    host_.dialogs().Information(kOverrideHandlerMessage);
    state_.override_handler.checked = false;
    return;
  }
  item.ExistingEvent().Override = checked;
  state_.override_handler.checked = checked;
  host_.Modified();
}

NamePromptRequest EventPageModel::AddPrompt() const {
  return {.caption = state_.mode == EventsMode::kNew ? "Add new event" : "Add inherited event",
          .label = "Enter the name of the event:",
          .prefix = "On",
          .name = "On"};
}

ItemDef EventPageModel::NewItem(const std::string& name, const NamePromptAnswer& /*answer*/,
                                model::TextBlock& /*units*/) const {
  if (state_.mode == EventsMode::kNew) return model::NewEventItem(name);
  ItemDef item = model::NewExistingEventItem(name);
  const catalog::InheritedEventRow row = catalog::LookupInheritedEvent(name);
  item.ExistingEvent().HandlerDecl = row.HandlerDecl;
  item.DefaultCode = row.DefaultCode;
  item.ExistingEvent().Override = item.ExistingEvent().Publish = true;
  return item;
}

bool EventPageModel::AskOverrideHandler(ItemDef& item, std::string_view question) {
  model::ExistingEventPart& event = item.ExistingEvent();
  if (event.Override) return true;
  switch (host_.dialogs().Confirm(Buttons::kYesNoCancel, question)) {
    case Answer::kCancel:
      return false;
    case Answer::kYes:
      // The check box refuses an override without a handler; so does this question.
      if (model::TrimView(event.HandlerDecl).empty()) {
        host_.dialogs().Information(kOverrideHandlerMessage);
        return true;
      }
      event.Override = true;
      state_.override_handler.checked = true;
      host_.Modified();
      return true;
    default:
      return true;
  }
}

bool EventPageModel::MayEditCode(ItemDef& item) {
  if (!InheritedEvent(item)) return true;
  const std::string_view handler = item.ExistingEvent().HandlerDecl;
  // An empty box fails the header check too; the message that says what to do comes first.
  if (model::TrimView(handler).empty()) {
    host_.dialogs().Information(kEmptyHandlerCodeMessage);
    return false;
  }
  const std::string problem = model::CheckMethodHeader(handler, model::kProcedure);
  if (!problem.empty()) {
    host_.dialogs().Information(MustCorrectMessage(problem, "the handler code."));
    return false;
  }
  return AskOverrideHandler(item, kOverrideBeforeCodeQuestion);
}

bool EventPageModel::MayEditText(ItemDef& item) {
  return !InheritedEvent(item) || AskOverrideHandler(item, kOverrideBeforeTextQuestion);
}

}  // namespace kx::commands
