// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the core talks to a person. Command flows ask every question and show every
// message through a Dialogs; the desktop implements it with real dialogs, kestrix-cli from
// its flags, and tests with a script that checks each box to the character.
//
//   if (dialogs.Confirm(Buttons::kYesNo, "Save changes?") == Answer::kYes) { ... }
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/parent_choices.h"
#include "commands/code_editing.h"
#include "model/component_def.h"
#include "model/editor_options.h"

namespace kx::commands {

enum class BoxKind { kInformation, kWarning, kError, kConfirmation };
enum class Buttons { kOk, kYesNo, kYesCancel, kYesNoCancel, kYesNoHelp };
enum class Answer { kOk, kYes, kNo, kCancel };

std::string_view BoxKindName(BoxKind kind);
std::string_view ButtonsName(Buttons buttons);
std::string_view AnswerName(Answer answer);

struct MessageBox {
  BoxKind kind = BoxKind::kInformation;
  std::string caption;  // empty: the front end's default caption for the kind
  std::string text;
  Buttons buttons = Buttons::kOk;
  int help_context = 0;  // for kYesNoHelp
};

struct FileDialogRequest {
  std::string title;
  std::string filter;       // "Description (*.ext)|*.ext|..."
  std::string default_ext;  // without the dot
  std::filesystem::path initial_dir;
  std::string file_name;  // proposed name
  bool must_exist = false;
  bool overwrite_prompt = false;
};

// What a front end says of a fault in the program itself (a std::logic_error, such as an
// item number out of range): never a message that reads as if the user had done something
// wrong.
std::string InternalFaultMessage(std::string_view what);

// Where printing goes when no printer is set up: a PDF file the user names, proposed as
// the printed file's name with ".pdf" in folder.
FileDialogRequest PrintToPdfRequest(std::string title, const std::filesystem::path& folder,
                                    const std::filesystem::path& printed);

// Options > Other options: the default copyright line, what to do with generated code, and
// where keyword help looks words up.
struct OtherOptions {
  std::string copyright;
  int codeview = 1;      // 0 ask whether to display it, 1 always display, 2 never display
  std::string help_url;  // address template of the keyword help look-ups (commands/help.h)

  friend bool operator==(const OtherOptions&, const OtherOptions&) = default;
};

struct OtherOptionsRequest {
  std::vector<std::string> offered_copyrights;  // the choices of the editable list
  OtherOptions current;
};

// The registration dialog of a custom or third-party parent class: its VCL ancestor text,
// unit text and "don't know" check box.
struct ClassRegistration {
  std::string ancestor;
  std::string unit;
  bool dont_know = false;

  friend bool operator==(const ClassRegistration&, const ClassRegistration&) = default;
};

struct ClassRegistrationRequest {
  std::string class_name;
  ClassRegistration current;  // what the dialog shows
};

// Whom a documentation page is for, in the order of the dialog's radio buttons; texts:
// commands/documentation.h.
enum class Audience { kApplication, kDescendant, kComponent };

// The field import dialog: one field of the form, how to handle it.
enum class FieldHandling { kDataField = 0, kCalculatedField = 1, kSkip = 2 };
struct FieldImportChoice {
  std::string name;   // "Name in the component:"
  std::string label;  // "Display label for grids (if any):"
  FieldHandling handling = FieldHandling::kDataField;
};

// The data link dialog's four names.
struct DataLinkNames {
  std::string data_source;
  std::string data_field;
  std::string link;
  std::string data_change;
};

// The linked-property dialog's answer: sub-component and its property.
struct PropertyLink {
  std::string sub_component;
  std::string property;
};

// The name prompt of the main window's Add button and of its unit list's Insert key: a name
// field filtered as it is typed and, where the page needs it, a data-type entry or a method
// kind list. The flow refuses an empty entry and shows the prompt again with what was typed.
enum class NamePromptExtra { kNone, kPropertyType, kVariableType, kMethodKind };

struct NamePromptRequest {
  std::string caption;
  std::string label;
  std::string prefix;  // the name field's FilterIdentifier prefix ("On"); it starts with it
  bool filter = true;  // false: the field takes any text (a method header)
  NamePromptExtra extra = NamePromptExtra::kNone;
  std::string name;  // what the fields show when the prompt opens
  std::string type;
  int method_kind = 0;  // procedure, function, constructor, destructor
};

struct NamePromptAnswer {
  std::string name;
  std::string type;
  int method_kind = 0;
};

// "Property editor options" for one property: its list entry, a copy of its editor settings
// and the names the definition's other properties already use.
struct PropertyEditorRequest {
  std::string entry;
  model::PropertyEditorDef current;
  model::EditorNameChoices names;
};

// A small dialog of two buttons that each choose (the read or write method of a property, the
// interface or implementation declarations); with or without a Cancel button.
struct ChoiceRequest {
  std::string caption;
  std::string first;
  std::string second;
  bool cancel_button = false;
};

// One finding of the checks run before generation (commands/definition_checks.h): the check
// that found it, the item it concerns (empty: the component as a whole) and what is wrong, with
// how to fix it.
struct DefinitionFinding {
  std::string_view check;
  std::string item;
  std::string message;

  friend bool operator==(const DefinitionFinding&, const DefinitionFinding&) = default;
};

// A list of classes to choose one from (the classes of a unit to import), in the order given,
// the first selected.
struct ClassChoiceRequest {
  std::string caption;
  std::string prompt;
  std::vector<std::string> classes;
};

// Notes to read at leisure (what an import left out, each with its line): a heading above the
// lines.
struct NotesRequest {
  std::string caption;
  std::string heading;
  std::vector<std::string> lines;
};

class CustomClassPage;  // commands/parent_selection_flow.h

// The parent selection dialog ("Select parent class") opens with these.
struct ParentSelectionRequest {
  bool allow_forms = true;                  // false when an existing definition's parent is changed
  catalog::ParentChoice shown;              // the page and selections shown
  std::vector<std::string> custom_classes;  // the Custom view's list, sorted
  CustomClassPage* custom_page = nullptr;   // what its Add, "Edit..." and Delete buttons call
  // Where a front end puts the page and selections the dialog closed with, by OK or by Cancel,
  // so that it opens again as it was left.
  catalog::ParentChoice* left = nullptr;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Shows a box and returns the button pressed (kOk for a box with only OK).
  virtual Answer Show(const MessageBox& box) = 0;
  virtual std::optional<std::filesystem::path> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> SelectDirectory(
      std::string_view title, const std::filesystem::path& initial_dir) = 0;
  // The text entered, or nothing when cancelled.
  virtual std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view initial_text) = 0;
  // Shows a generated file in the file viewer.
  virtual void ViewFile(const std::filesystem::path& file) = 0;
  // The special dialogs; each returns nothing when cancelled.
  // "Generate container component": which container of the form to import (sorted names).
  virtual std::optional<std::string> SelectPanel(const std::vector<std::string>& containers) = 0;
  // "Import fields": the field text ("Name : TClass") and the suggested name and label.
  virtual std::optional<FieldImportChoice> ImportFieldDialog(std::string_view field,
                                                             const FieldImportChoice& proposed) = 0;
  // "Add read-only data link" / "Add read-write data link", with the proposed names.
  virtual std::optional<DataLinkNames> DataLinkDialog(std::string_view caption,
                                                      const DataLinkNames& proposed) = 0;
  // "Link new property with sub-component property": the explanation and the sub-components.
  virtual std::optional<PropertyLink> LinkPropertyDialog(
      std::string_view explanation, const std::vector<std::string>& sub_components) = 0;
  virtual std::optional<OtherOptions> OtherOptionsDialog(const OtherOptionsRequest& request) = 0;
  // "Generate property editors": which of several editor units to generate (sorted names).
  virtual std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>& units) = 0;
  // The editor type for one editor class, default_kind preselected (0..18).
  virtual std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) = 0;
  // Texts and rules: kx::catalog's registration functions; Browse: commands::BrowseUnitRequest.
  virtual std::optional<ClassRegistration> RegisterClassDialog(
      const ClassRegistrationRequest& request) = 0;
  // "Generate documentation": the audience chosen, preselected checked when it opens.
  virtual std::optional<Audience> DocumentationAudienceDialog(Audience preselected) = 0;
  // "Select parent class": the choice confirmed with OK (OK enabled as catalog::CanAccept
  // says). What OK then does is commands::ParentSelector's, which may show it again.
  virtual std::optional<catalog::ParentChoice> SelectParentDialog(
      const ParentSelectionRequest& request) = 0;
  // Opens a file with the desktop's default handler (a page in the browser), not waiting for
  // it to close; false when no program could be started to show it.
  virtual bool OpenDocument(const std::filesystem::path& file) = 0;
  // The findings of the definition checks, listed with the items they concern: true for
  // "Generate anyway", false for "Cancel".
  virtual bool DefinitionFindingsDialog(const std::vector<DefinitionFinding>& findings) = 0;
  // The main window's name prompt. Front ends without one answer from InputBox.
  virtual std::optional<NamePromptAnswer> NamePrompt(const NamePromptRequest& request);
  // "Property editor options": the new settings on OK (model::ApplyEditorOptions checked).
  // Front ends without the dialog answer nothing.
  virtual std::optional<model::PropertyEditorDef> PropertyEditorDialog(
      const PropertyEditorRequest& request);

  // The code editor or the help-text editor on a block: the lines to store after OK with a
  // change; nothing when cancelled or left unchanged. Front ends without editors answer
  // nothing.
  virtual std::optional<std::vector<std::string>> EditText(const EditorRequest& request);
  // 0 or 1 for the button chosen; nothing when cancelled or closed. Front ends without the
  // dialog answer nothing.
  virtual std::optional<int> ChooseButton(const ChoiceRequest& request);
  // The class chosen; nothing when cancelled. Front ends without the dialog answer nothing.
  virtual std::optional<std::string> ChooseClass(const ClassChoiceRequest& request);
  // Front ends without a list of their own show one information box with every line. The
  // desktop leaves its list open beside the window.
  virtual void ShowNotes(const NotesRequest& request);

  // Conveniences over Show.
  void Information(std::string_view text, std::string_view caption = {});
  void Warning(std::string_view text, std::string_view caption = {});
  void Error(std::string_view text, std::string_view caption = {});
  Answer Confirm(Buttons buttons, std::string_view text, std::string_view caption = {},
                 int help_context = 0);
};

}  // namespace kx::commands
