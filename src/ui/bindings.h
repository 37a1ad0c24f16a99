// SPDX-License-Identifier: GPL-3.0-or-later
// How the window's widgets reach the model: each user action runs one handler and then the
// whole window is drawn again from the model's states. Text is converted at this boundary;
// a character Windows-1252 cannot hold is refused with a message and the field keeps what
// it held.
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "commands/dialogs.h"
#include "commands/main_window_model.h"

class QGridLayout;
class QLabel;

namespace kx::ui {

// What a page needs from its window: run a handler (then everything is drawn again), and the
// dialogs that show the refusal of a character.
struct PageContext {
  commands::MainWindowModel& model;
  commands::Dialogs& dialogs;
  std::function<void(const std::function<void()>&)> run;
};

// A field takes no more characters than the definition's field stores:
//   LimitLength(name, &model::PropertyPart::Name);
template <class Part, std::size_t N>
void LimitLength(QLineEdit* edit, model::ShortString<N> Part::*) {
  edit->setMaxLength(static_cast<int>(N));
}

// Fills a list widget with entries only when they changed, and selects the entry.
void ShowList(QListWidget* list, const commands::EntryList& entries);

// A field whose text the model stores as typed.
void BindText(PageContext& context, QLineEdit* edit, std::function<void(std::string_view)> handler);
// A name field the model filters: the field shows the filtered text and caret.
void BindName(PageContext& context, QLineEdit* edit,
              std::function<model::FilteredText(std::string_view, std::size_t)> handler);
// An editable combo box (entry box).
void BindEntry(PageContext& context, QComboBox* box, std::function<void(std::string_view)> handler);
// Leaving the widget by keyboard or mouse runs the check; false puts the focus back.
void OnLeave(PageContext& context, QWidget* widget, std::function<bool()> check);
// Enter in a text field or entry box: runs the checks of leaving it, the focus staying there.
// False when the widget is no such field.
bool CommitField(QWidget* focus);
// A page's list of entries: choosing one (by mouse or keys) runs click with its row.
void BindEntryList(PageContext& context, QListWidget* list, std::function<void(int)> click);

// An item page's layout: its list of entries on the left, under the widgets given, and beside it
// the grid the page puts its fields in.
QGridLayout* ItemPageLayout(QWidget* page, QListWidget* list,
                            std::initializer_list<QWidget*> above = {});

// The caption of a field, whose mnemonic moves the focus to it.
QLabel* Buddy(const QString& text, QWidget* buddy);

// Drawing without disturbing the user: a text is set (and the caret moved) only when it
// differs.
void ShowText(QLineEdit* edit, std::string_view text);
void ShowEntryText(QComboBox* box, std::string_view text);
void ShowState(QWidget* widget, bool enabled, bool visible = true);

// A page's controls, each bound once: the line that connects a control to its page model's
// handler also names the state the control shows, and Render draws every bound control from the
// page model's state.
//
//   PageBinder<commands::MethodPageModel> bind(context, context.model.methods());
//   bind.Text(description, &commands::MethodPageState::description,
//             &commands::MethodPageModel::MethodDescriptionChange);
//   void MethodsPage::Render() { bind_.Render(); }
template <class Model>
class PageBinder {
 public:
  using State = typename Model::State;
  using Flag = std::function<bool(const State&)>;

  PageBinder(PageContext& context, Model& model) : context_(context), model_(model) {}

  void Render() const {
    const State& state = model_.state();
    for (const auto& draw : draws_) draw(state);
  }

  // What a page draws beyond its bound controls: captions, lists offered.
  void Draw(std::function<void(const State&)> draw) { draws_.push_back(std::move(draw)); }

  // The controls bound after this are enabled by flag, not by their own state.
  void EnableBy(Flag flag) { enabled_by_ = std::move(flag); }

  // The item page's list of entries.
  void List(QListWidget* list) {
    BindEntryList(context_, list, [&m = model_](int row) { m.ListClick(row); });
    Draw([list, &m = model_](const State&) { ShowList(list, m.list()); });
  }

  // A field the model stores as typed; leave, when given, is the check of leaving it.
  template <class Leave = std::nullptr_t>
  void Text(QLineEdit* edit, commands::TextControl State::*field,
            void (Model::*change)(std::string_view), Leave leave = nullptr) {
    Model& m = model_;
    BindText(context_, edit, [&m, change](std::string_view text) { (m.*change)(text); });
    OnLeaveOf(edit, leave);
    DrawText(edit, field);
  }

  // A name field the model filters as it is typed.
  template <class Leave>
  void Name(QLineEdit* edit, commands::TextControl State::*field,
            model::FilteredText (Model::*change)(std::string_view, std::size_t), Leave leave) {
    Model& m = model_;
    BindName(context_, edit, [&m, change](std::string_view text, std::size_t caret) {
      return (m.*change)(text, caret);
    });
    OnLeaveOf(edit, leave);
    DrawText(edit, field);
  }

  // An editable combo box (entry box).
  template <class Leave = std::nullptr_t>
  void Entry(QComboBox* box, commands::TextControl State::*field,
             void (Model::*change)(std::string_view), Leave leave = nullptr) {
    Model& m = model_;
    BindEntry(context_, box, [&m, change](std::string_view text) { (m.*change)(text); });
    OnLeaveOf(box, leave);
    Draw([box, field, enabled = EnabledOf(field)](const State& s) {
      ShowEntryText(box, (s.*field).text);
      box->setEnabled(enabled(s));
    });
  }

  void Check(QCheckBox* box, commands::CheckControl State::*field, void (Model::*click)(bool)) {
    Model& m = model_;
    QObject::connect(box, &QCheckBox::clicked, box,
                     [this, &m, click](bool on) { context_.run([&] { (m.*click)(on); }); });
    Draw([box, field, enabled_by = enabled_by_](const State& s) {
      const commands::CheckControl& check = s.*field;
      box->setChecked(check.checked);
      ShowState(box, enabled_by ? enabled_by(s) : check.enabled, check.visible);
    });
  }

  // A choice among fixed entries, by index.
  void Choice(QComboBox* box, int State::*index, void (Model::*change)(int)) {
    Model& m = model_;
    QObject::connect(box, &QComboBox::activated, box,
                     [this, &m, change](int i) { context_.run([&] { (m.*change)(i); }); });
    Draw([box, index, enabled_by = enabled_by_](const State& s) {
      box->setCurrentIndex(s.*index);
      if (enabled_by) box->setEnabled(enabled_by(s));
    });
  }

  // Radio buttons, by index, in the frame that holds them.
  void Choice(QButtonGroup* group, QWidget* frame, int State::*index, void (Model::*change)(int),
              bool State::*enabled) {
    Model& m = model_;
    QObject::connect(group, &QButtonGroup::idClicked, group,
                     [this, &m, change](int id) { context_.run([&] { (m.*change)(id); }); });
    Draw([group, frame, index, enabled](const State& s) {
      if (QAbstractButton* button = group->button(s.*index)) button->setChecked(true);
      frame->setEnabled(s.*enabled);
    });
  }

  void Button(QAbstractButton* button, void (Model::*click)()) {
    Model& m = model_;
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [this, &m, click] { context_.run([&] { (m.*click)(); }); });
    if (enabled_by_) {
      Draw([button, enabled_by = enabled_by_](const State& s) {
        button->setEnabled(enabled_by(s));
      });
    }
  }

 private:
  Flag EnabledOf(commands::TextControl State::*field) const {
    if (enabled_by_) return enabled_by_;
    return [field](const State& s) { return (s.*field).enabled; };
  }

  void DrawText(QLineEdit* edit, commands::TextControl State::*field) {
    Draw([edit, field, enabled = EnabledOf(field)](const State& s) {
      ShowText(edit, (s.*field).text);
      edit->setEnabled(enabled(s));
    });
  }

  // The check of leaving a field: a model handler that says whether the focus may go, or one
  // that lets it go always.
  template <class Leave>
  void OnLeaveOf(QWidget* widget, Leave leave) {
    if constexpr (!std::is_same_v<Leave, std::nullptr_t>) {
      Model& m = model_;
      OnLeave(context_, widget, [&m, leave] {
        if constexpr (std::is_void_v<std::invoke_result_t<Leave, Model&>>) {
          (m.*leave)();
          return true;
        } else {
          return (m.*leave)();
        }
      });
    }
  }

  PageContext& context_;
  Model& model_;
  Flag enabled_by_;
  std::vector<std::function<void(const State&)>> draws_;
};

}  // namespace kx::ui
