// SPDX-License-Identifier: GPL-3.0-or-later
// What the pages of the definition window share: the open definition, the dialogs, the page
// shown, and whether the window is filling its controls; and the controls every page's state is
// made of.
//
// While the window fills widgets from the page states it holds an UpdateScope, so that the
// change signals the filling raises are ignored: every change handler does nothing while
// updating(), and every real change marks the definition modified.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs.h"
#include "commands/session.h"
#include "model/name_rules.h"

namespace kx::commands {

enum class Page : std::uint8_t { kMain, kProperties, kMethods, kEvents, kVariables };
inline constexpr int kPageCount = 5;
inline constexpr int kFirstHelpContext = 100;  // a page's help context is 100 + page

// A text control (edit field or entry box).
struct TextControl {
  std::string text;
  bool enabled = true;
};

struct CheckControl {
  bool checked = false;
  bool enabled = true;
  bool visible = true;
};

// A list box of item entries.
struct EntryList {
  std::vector<std::string> entries;
  int selected = -1;  // list position
};

class PageHost {
 public:
  PageHost(Session& session, Dialogs& dialogs) : session_(session), dialogs_(dialogs) {}
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  Session& session() { return session_; }
  const Session& session() const { return session_; }
  model::ComponentDef& def() { return session_.def(); }
  Dialogs& dialogs() { return dialogs_; }
  bool definition_open() const { return session_.definition_open(); }
  bool updating() const { return updating_ > 0; }
  Page shown_page() const { return shown_page_; }
  void set_shown_page(Page page) { shown_page_ = page; }
  void Modified() { session_.MarkModified(); }
  // A field that must not be left empty: says what is missing; false when it is.
  bool RequireText(bool missing, std::string_view what) {
    if (missing) dialogs_.Information(model::MissingEntryMessage(what));
    return !missing;
  }

  class UpdateScope {
   public:
    explicit UpdateScope(PageHost& host) : host_(host) { ++host_.updating_; }
    ~UpdateScope() { --host_.updating_; }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

   private:
    PageHost& host_;
  };

 private:
  Session& session_;
  Dialogs& dialogs_;
  Page shown_page_ = Page::kMain;
  int updating_ = 0;
};

}  // namespace kx::commands
