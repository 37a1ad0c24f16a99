// SPDX-License-Identifier: GPL-3.0-or-later
// What the code editor and the help-text editor show and do, without their widgets: the
// caption and header of the block being edited, the templates offered on completion, the word
// that help looks up, the help text's flowing paragraphs, and the editing session with its
// working and undo copies.
//
//   EditorSession session(request);          // request from the main window model
//   editor.setText(session.initial_text());
//   ...
//   if (session.Ok(editor.isModified(), text)) return session.result();
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_def.h"
#include "store/settings.h"

namespace kx::commands {

class Dialogs;
struct FileDialogRequest;

// A completion template: typing its key and asking for completion puts the body in its place.
// A bar in the body marks where the caret goes.
struct CodeTemplate {
  std::string key;
  std::string description;
  std::string body;

  friend bool operator==(const CodeTemplate&, const CodeTemplate&) = default;
};
inline constexpr char kCaretMark = '|';

// "begin...end", then one template per item in the definition's order.
std::vector<CodeTemplate> CodeTemplates(const model::ComponentDef& def);
// A link to each documented member: properties, methods, new events, existing events whose
// handler is overridden, variables.
std::vector<CodeTemplate> HelpTextTemplates(const model::ComponentDef& def);

// The templates whose key starts with the word typed (any letter case); all of them for an
// empty word.
std::vector<CodeTemplate> MatchingTemplates(const std::vector<CodeTemplate>& templates,
                                            std::string_view typed);
// What completion does with the word before the caret: the templates to offer, or the one to
// insert at once when the word starts the key of only that one. With no match, every template
// is offered.
struct TemplateOffer {
  std::vector<CodeTemplate> offered;
  bool insert_at_once = false;
};
TemplateOffer OfferTemplates(const std::vector<CodeTemplate>& templates, std::string_view typed);
// A template's body as inserted at a column: its later lines indented to that column, the
// caret mark removed. caret: where the mark stood (the end without one), also as the editor
// places it: lines below the one inserted on, and the column on that line.
struct TemplateText {
  std::string text;
  std::size_t caret = 0;
  std::size_t caret_row = 0;
  std::size_t caret_column = 0;
};
TemplateText ExpandTemplate(std::string_view body, std::size_t column);
// A completion list's entry for a template: its key and description.
std::string TemplateEntry(const CodeTemplate& t);

// Text pasted into an editor: its line ends as the editor's ("\n") and its tabs as blanks, as
// the stored code and help text never hold a tab.
std::string PastedText(std::string_view text);

// The identifier help looks up: the longest run of letters, digits and underscores on the
// line that holds the character before the caret (at column 0, the character at it). Empty
// after the end of the line or on any other character.
std::string IdentifierAtCaret(std::string_view line, std::size_t column);
// The start of the identifier that ends at the column (what a completion replaces).
std::size_t IdentifierStartBefore(std::string_view line, std::size_t column);

// Pascal indentation as code is typed. lines: the editor's lines, as far as they matter.
inline constexpr std::size_t kIndentWidth = 2;
// The indentation of the line that Enter starts after lines (the last one is the line Enter
// ended): one level in after begin, try, repeat, case ... of, record, except, finally, and
// after then, else or do whose statement is still to come; back to the start of the
// statement once it ends with ";"; otherwise as the line above.
std::size_t NewLineIndent(const std::vector<std::string>& lines, std::size_t width = kIndentWidth);
// For a line that starts with end, until, except or finally: the indentation of the line that
// holds its opener (begin, try, case, record or asm; repeat; try). Nothing for other lines or
// when no opener is found.
std::optional<std::size_t> CloserIndent(const std::vector<std::string>& lines, std::size_t row);
// Enter: the indentation of the line it started. lines: the editor's lines through that one,
// holding what Enter carried onto it; a closer carried there goes where its opener is.
std::size_t EnterIndent(std::vector<std::string> lines, std::size_t width = kIndentWidth);
// Whether a letter typed at column (the caret after it) ended the first word of a line indented
// by indentation: only then may a closer be aligned, so that a line the user indented after
// typing its closer stays as it is.
bool EndsFirstWord(std::string_view line, std::size_t column, std::size_t indentation);

// Help text: stored lines as the flowing paragraphs the editor shows (runs of lines joined
// with a blank, an empty line kept as the gap between paragraphs), and back.
std::string HelpLinesToText(const std::vector<std::string>& lines);
std::vector<std::string> HelpTextToLines(std::string_view text);
// Code: one editor line per stored line, and back (no text, no lines).
std::string CodeLinesToText(const std::vector<std::string>& lines);
std::vector<std::string> CodeTextToLines(std::string_view text);

enum class EditorKind { kCode, kHelpText };

// What the main window hands an editor. The block is what the editor opens with (default
// code or notes already filled in where the item had none).
struct EditorRequest {
  EditorKind kind = EditorKind::kCode;
  std::string caption;
  std::string header;  // the "Header" label
  std::vector<std::string> block;
  std::vector<std::string> default_block;  // what "Restore default" loads (code only)
  std::vector<CodeTemplate> templates;
  store::HelpTopic class_help;  // Help > Class help
  bool using_delphi16 = false;  // for Help > VCL help
  std::string source_dir;       // where the View menu's file dialogs start
};

// The captions and headers of the editors, by the page the item is on (the pseudo-items of
// the Main page: implementation selects ImpGlobal). The item is the dialog's copy, its
// EditingReadCode set as chosen.
std::string CodeEditorCaption(const model::ItemDef& item, std::string_view new_class_name,
                              bool implementation = false);
std::string CodeEditorHeader(const model::ItemDef& item);
std::string HelpTextCaption(const model::ItemDef& item, std::string_view new_class_name);
std::string HelpTextHeader(const model::ItemDef& item);

inline constexpr std::string_view kRetainCodeQuestion =
    "Do you want to retain the changes to the code since you entered the editor?";
inline constexpr std::string_view kRetainTextQuestion =
    "Do you want to retain the changes to the text since you entered the editor?";
inline constexpr std::string_view kRestoreDefaultCaption = "Restore default code";
inline constexpr std::string_view kRestoreDefaultQuestion =
    "Do you want to replace this code with default code?";

// The View menu's file dialogs.
FileDialogRequest PascalFileToView(std::string_view dir);
FileDialogRequest FormFileToView(std::string_view dir);
// Asks for a file and shows it in the file viewer.
void ViewChosenFile(Dialogs& dialogs, const FileDialogRequest& request);

// One use of an editor: the working copy handed back on OK, the undo copy, and the editing
// flag the close handler tests. The editor's text goes in as the widget holds it.
class EditorSession {
 public:
  explicit EditorSession(const EditorRequest& request);

  const EditorRequest& request() const { return request_; }
  bool editing() const { return editing_; }
  // What the editor shows on entry, and again after "Undo all changes".
  std::string initial_text() const;
  // "Restore default": the text to load after the user confirmed, else nothing.
  std::optional<std::string> RestoreDefault(Dialogs& dialogs) const;

  // OK: true when the dialog ends with OK (the text was modified); result() then holds the
  // block to store.
  bool Ok(bool modified, std::string_view text);
  void Cancel();
  // Closing the window: asks whether to keep a modified text (Yes, No, or Cancel to go on
  // editing). kKept: the dialog ends as OK; kDropped: as cancelled; kEditing: it stays open.
  enum class Closed { kKept, kDropped, kEditing };
  Closed Close(bool modified, std::string_view text, Dialogs& dialogs);
  const std::optional<std::vector<std::string>>& result() const { return result_; }

 private:
  EditorRequest request_;
  bool editing_ = true;
  std::optional<std::vector<std::string>> result_;
};

}  // namespace kx::commands
