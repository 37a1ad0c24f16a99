// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop.h"

#include "commands/data_links.h"

namespace kx::ui {

namespace {

QtDialogs* MakeQtDialogs(commands::Dialogs* given, std::unique_ptr<QtDialogs>& owned) {
  if (given == nullptr) owned = std::make_unique<QtDialogs>(nullptr, nullptr);
  return owned.get();
}

}  // namespace

Desktop::Desktop(store::Settings settings, std::vector<std::string> palette_pages,
                 commands::Dialogs* dialogs, std::unique_ptr<platform::Clock> clock)
    : settings_(std::move(settings)),
      clock_(std::move(clock)),
      dialogs_(dialogs != nullptr ? *dialogs : *MakeQtDialogs(dialogs, qt_dialogs_)),
      session_(settings_, dialogs_),
      registry_(settings_.file),
      selector_(dialogs_, registry_),
      model_(session_, dialogs_, settings_, selector_, std::move(palette_pages), *clock_),
      window_(std::make_unique<MainWindow>(model_, dialogs_, settings_)) {
  if (qt_dialogs_) {
    qt_dialogs_->set_parent(window_.get());
    qt_dialogs_->set_help([this](int context) {
      window_->ShowHelp({store::HelpFile::kProduct, store::HelpAction::kContext, "", context});
    });
    qt_dialogs_->set_page_context([this] { return model_.help_context(); });
    qt_dialogs_->set_topic_help(
        [this](const store::HelpTopic& topic) { window_->ShowHelp(topic); });
    qt_dialogs_->set_class_help([this](const catalog::ParentChoice& choice) {
      if (auto topic = catalog::SelectedClassHelp(choice, settings_.using_delphi16)) {
        window_->ShowHelp(*topic);
      }
    });
    qt_dialogs_->set_sub_component_help([this](const std::string& name) {
      if (auto topic = commands::SubComponentHelp(session_.def(), name, settings_.using_delphi16)) {
        window_->ShowHelp(*topic);
      }
    });
  }
}

}  // namespace kx::ui
