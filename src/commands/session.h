// SPDX-License-Identifier: GPL-3.0-or-later
// The open definition and what the file commands do with it: Open, Save, Save as and Exit,
// with the question whether to save a modified definition first. The desktop window and
// kestrix-cli both drive one Session; it keeps the modified mark, whether a definition is
// open, and the file the definition belongs to.
//
//   Session session(settings, dialogs);
//   if (session.Load("mybutton.cd")) { ...edit session.def()...; session.MarkModified(); }
//   session.Save();
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/definition_io.h"
#include "commands/dialogs.h"
#include "model/component_def.h"
#include "store/settings.h"

namespace kx::catalog {
class CustomClassRegistry;
struct NewDefinitionImports;
}  // namespace kx::catalog

namespace kx::commands {

class ParentSelector;  // commands/parent_selection_flow.h

inline constexpr std::string_view kDefinitionFilter =
    "Component defs (*.cd)|*.cd|All files (*.*)|*.*";

class Session {
 public:
  Session(const store::Settings& settings, Dialogs& dialogs);

  model::ComponentDef& def() { return def_; }
  const model::ComponentDef& def() const { return def_; }
  bool modified() const { return modified_; }
  void MarkModified() { modified_ = true; }
  bool definition_open() const { return open_; }
  const std::filesystem::path& file() const { return file_; }
  // The main window's title.
  std::string Title() const;

  // Yes, No or Cancel; No without asking when nothing changed.
  Answer AskSave(std::string_view caption);

  // Reads a definition file (the command line's, or the one Open chose). Success opens it
  // unmodified; failure leaves no definition open.
  bool Load(const std::filesystem::path& path);
  // File > Open. True when a definition was read.
  bool Open();
  // File > Save. True when the definition was written; a cancelled or failed save keeps
  // the modified mark. When another program has changed the file since it was read or
  // saved here, asks before overwriting it.
  bool Save();
  // File > Save as.
  bool SaveAs();
  // File > Exit: true when the program may close.
  bool Exit();
  // File > New: after the question whether to save, the parent selection in its
  // new-definition mode and the template of the parent; the imports from a form run with
  // this session's dialogs unless imports are given. True when the new, unsaved definition
  // is open; it has no file yet.
  bool New(ParentSelector& selector);
  bool New(ParentSelector& selector, const catalog::NewDefinitionImports& imports);
  // File > Import component unit: after the question whether to save, the unit to import
  // (commands/component_unit_import.h). Like New, the imported definition opens unsaved and
  // without a file, so that Save asks for its name. The import's notes when it opened; nothing
  // when the user cancelled or nothing could be imported, the open definition then unchanged.
  std::optional<std::vector<std::string>> ImportUnit(catalog::CustomClassRegistry& registry);
  // The unit ImportUnit was last given, whether it was imported or not.
  const std::filesystem::path& imported_unit() const { return imported_unit_; }
  // The main window's "New parent...": true when the parent was changed.
  bool ChangeParent(ParentSelector& selector);

 private:
  // Asks whether to save a modified definition and saves it when the user wants that;
  // false when the command must stop (cancelled, or the save did not happen).
  bool SaveIfWanted(std::string_view caption);
  bool WriteTo(const std::filesystem::path& path);
  std::string ProposedFileName() const;
  // Where Open and Save as start: the folder of the file last read or written, else the
  // default source directory.
  std::filesystem::path DialogFolder() const;
  void RememberFolder(const std::filesystem::path& file);

  const store::Settings& settings_;
  Dialogs& dialogs_;
  model::ComponentDef def_;
  bool modified_ = false;
  bool open_ = false;
  // The whole path: FileName holds only 127 characters, too few for a path that must be
  // written again.
  std::filesystem::path file_;
  // The folder of the file last read or written; kept when the definition is closed or new.
  std::filesystem::path last_folder_;
  // The unit last chosen to import; its folder is where the next import starts.
  std::filesystem::path imported_unit_;
  // What file_ was when this session last read or wrote it.
  std::optional<platform::FileStamp> stamp_;
};

}  // namespace kx::commands
