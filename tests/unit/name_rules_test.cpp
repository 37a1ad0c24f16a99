// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/name_rules.h"

#include <gtest/gtest.h>

namespace kx::model {
namespace {

TEST(FilterIdentifierTest, TextAndCaret) {
  const struct {
    const char* text;
    std::size_t caret;
    const char* prefix;
    const char* want_text;
    std::size_t want_caret;
  } cases[] = {
      // A blank typed into a name is removed and the caret stays where it was typed.
      {"My Prop", 3, "", "MyProp", 3},
      // Two adjacent invalid characters pasted at once both go.
      {"Ab-+cd", 4, "", "Abcd", 4},
      // The caret never lands beyond the end of the shortened text.
      {"abc%", 4, "", "Abc", 3},
      // Unchanged text keeps the caret wherever it is, even inside the prefix.
      {"OnClick", 1, "On", "OnClick", 1},
      // Deleting into the prefix brings it back, caret after it.
      {"O", 1, "On", "On", 2},
      {"", 0, "On", "On", 2},
      {"", 0, "T", "T", 1},
      // The character after the prefix is upper-cased.
      {"Onx", 3, "On", "OnX", 3},
      {"onclick", 7, "On", "OnClick", 7},
      {"tmybutton", 9, "T", "TMybutton", 9},
      // A lone digit is not a name.
      {"7", 1, "", "", 0},
      {"7a", 2, "", "7a", 2},
      // Without a prefix only the first character is upper-cased.
      {"color", 5, "", "Color", 5},
      // Windows-1252 letters are not identifier characters.
      {"Caf\xE9", 4, "", "Caf", 3},
      // What does not spell the prefix goes after it; its own spelling is restored.
      {"Blink", 5, "On", "OnBlink", 7},
      {"MyClock", 7, "T", "TMyClock", 8},
      {"oNclick", 7, "On", "OnClick", 7},
  };
  for (const auto& c : cases) {
    FilteredText result = FilterIdentifier(c.text, c.caret, c.prefix);
    EXPECT_EQ(result.text, c.want_text) << c.text;
    EXPECT_EQ(result.caret, c.want_caret) << c.text;
  }
}

// Keys typed into a name field one at a time, each edit run through the filter as the window
// does: the field keeps the prefix and ends on what the user meant.
TEST(NameFieldFilterTest, TypingOverAndAfterThePrefix) {
  const struct {
    const char* start;
    std::size_t select_from, select_to;  // the selection the keys replace, or the caret
    const char* keys;                    // '<' is Backspace
    const char* prefix;
    const char* want;
  } cases[] = {
      {"On", 0, 2, "OnBlink", "On", "OnBlink"},        {"On", 0, 2, "onblink", "On", "OnBlink"},
      {"On", 0, 2, "Blink", "On", "OnBlink"},          {"On", 2, 2, "Blink", "On", "OnBlink"},
      {"OnClick", 0, 7, "OnNotify", "On", "OnNotify"}, {"OnClick", 0, 7, "Nap", "On", "OnNap"},
      {"OnClick", 0, 2, "On", "On", "OnClick"},        {"OnClick", 2, 2, "<", "On", "OnClick"},
      {"OnClick", 1, 1, "<", "On", "OnClick"},         {"OnClick", 0, 7, "<x", "On", "OnX"},
      {"TAlarm", 0, 6, "my-clock", "T", "TMyclock"},   {"TAlarm", 0, 6, "TClock", "T", "TClock"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " + " + c.keys);
    NameFieldFilter filter(c.prefix);
    std::string field = c.start;
    std::size_t from = c.select_from, to = c.select_to;
    for (const char* key = c.keys; *key != 0; ++key) {
      std::string edited = field;
      std::size_t caret = from;
      if (*key == '<') {
        if (from == to && from > 0) --from;
        edited.erase(from, to - from);
        caret = from;
      } else {
        edited.replace(from, to - from, 1, *key);
        caret = from + 1;
      }
      const FilteredText shown = filter.Edit(field, edited, caret);
      field = shown.text;
      from = to = shown.caret;
    }
    EXPECT_EQ(field, c.want);
  }
}

class FindNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddItem(def_, NewPropertyItem("Color"));  // 1
    ItemDef inherited = NewPropertyItem("Font");
    inherited.Property().Inherited = true;
    AddItem(def_, inherited);  // 2
    ItemDef click = NewExistingEventItem("OnClick");
    click.ExistingEvent().HandlerDecl = "  Click (Button: Integer)";
    AddItem(def_, click);                                     // 3
    AddItem(def_, NewEventItem("OnChange"));                  // 4
    AddItem(def_, NewEventItem("OnEnter"));                   // 5
    AddItem(def_, NewMethodItem("Refresh(Full : Boolean)"));  // 6
    AddItem(def_, NewVariableItem("FCount"));                 // 7
  }
  ComponentDef def_;
};

TEST_F(FindNameTest, EverySourceOfAConflict) {
  const struct {
    const char* name;
    int index;
    const char* message;
  } cases[] = {
      {"autodestroy", 0, "autodestroy is the name of an automatically generated method."},
      {"AutoInitialize", 0, "AutoInitialize is the name of an automatically generated method."},
      {"NOTIFICATION", 0, "NOTIFICATION is the name of an automatically generated method."},
      {"color", 1, "color is already in the component definition."},
      {"refresh", 6, "refresh is already in the component definition."},
      {"FCOUNT", 7, "FCOUNT is already in the component definition."},
      {"fcolor", 1, "fcolor is the name of the storage variable for property Color."},
      {"GetColor", 1, "GetColor is reserved for the read method for property Color."},
      {"SETCOLOR", 1, "SETCOLOR is reserved for the write method for property Color."},
      {"click", 3, "click is the name of the handler for event OnClick."},
      {"FOnChange", 4, "FOnChange is the name of the storage variable for event OnChange."},
      {"Change", 4, "Change is the name of the event handler for event OnChange."},
      {"DoEnter", 5, "DoEnter is the name of the event handler for event OnEnter."},
      // Free names: inherited properties, plain "Enter", methods and variables derive nothing.
      {"FFont", -1, "FFont not found in the component definition."},
      {"GetFont", -1, "GetFont not found in the component definition."},
      {"Enter", -1, "Enter not found in the component definition."},
      {"FRefresh", -1, "FRefresh not found in the component definition."},
      {"FFCount", -1, "FFCount not found in the component definition."},
      {"Create", -1, "Create not found in the component definition."},
  };
  // The reader's index answers as the lookup does.
  NameIndex names;
  for (int i = 1; i <= def_.Count(); ++i) names.Add(def_.Item(i), i);
  for (const auto& c : cases) {
    NameLookup found = FindName(def_, c.name);
    EXPECT_EQ(found.index, c.index) << c.name;
    EXPECT_EQ(found.message, c.message);
    EXPECT_EQ(names.Find(c.name), c.index) << c.name;
  }
}

TEST_F(FindNameTest, AnItemsOwnNameIsFoundBeforeADerivedName) {
  // "FColor" is both a variable of its own and the storage of Color: the item wins.
  ComponentDef def;
  AddItem(def, NewPropertyItem("Color"));
  ASSERT_EQ(AddItem(def, NewVariableItem("FColor")), AddResult::Conflict);
  NameIndex names;
  names.Add(def.Item(1), 1);
  ASSERT_EQ(AddItem(def, NewVariableItem("FColor"), names), AddResult::Conflict);
  def = ComponentDef();
  names = NameIndex();
  AddItem(def, NewVariableItem("FColor"), names);
  ASSERT_EQ(AddItem(def, NewPropertyItem("Color"), names), AddResult::Added);
  EXPECT_EQ(names.Find("FColor"), 1);
  EXPECT_EQ(FindName(def, "FColor").index, 1);
  EXPECT_EQ(FindName(def, "FColor").message, "FColor is already in the component definition.");
}

// A renamed item is checked as Add checks a new one, against every item but itself.
TEST_F(FindNameTest, RenamedItemsAreCheckedAgainstTheOthers) {
  const struct {
    int number;
    const char* new_name;
    int index;
    const char* message;
  } cases[] = {
      // Its own name, unchanged or in another letter case, is no conflict.
      {1, "Color", -1, "Color not found in the component definition."},
      {1, "COLOR", -1, "COLOR not found in the component definition."},
      {7, "FCount", -1, "FCount not found in the component definition."},
      // Another item's name, or a name another item derives.
      {7, "Refresh", 6, "Refresh is already in the component definition."},
      {7, "GetColor", 1, "GetColor is reserved for the read method for property Color."},
      {6, "Change", 4, "Change is the name of the event handler for event OnChange."},
      // A name the renamed item derives that another item holds.
      {1, "Count", 7,
       "Count needs the name FCount, but FCount is already in the component "
       "definition."},
      {4, "OnRefresh", 6,
       "OnRefresh needs the name Refresh, but Refresh is already in the "
       "component definition."},
      // Reserved words, as its name or as a name it derives.
      {7, "Begin", 0, "Begin is a reserved word of Object Pascal and cannot be used as a name."},
      {6, "type", 0, "type is a reserved word of Object Pascal and cannot be used as a name."},
      {4, "OnEnd", 0,
       "OnEnd needs the name End, but End is a reserved word of Object Pascal "
       "and cannot be used as a name."},
  };
  for (const auto& c : cases) {
    ComponentDef def = def_;
    ItemDef& item = def.Item(c.number);
    switch (item.Kind()) {
      case ItemKind::Property:
        item.Property().Name = c.new_name;
        break;
      case ItemKind::NewEvent:
        item.NewEvent().Name = c.new_name;
        break;
      case ItemKind::Method:
        item.Method().Header = c.new_name;
        break;
      default:
        item.Variable().Name = c.new_name;
        break;
    }
    const NameLookup found = FindRenameConflict(def, c.number);
    EXPECT_EQ(found.index, c.index) << c.new_name;
    EXPECT_EQ(found.message, c.message);
  }
  // Add refuses a reserved word too.
  EXPECT_EQ(FindNewItemConflict(def_, NewVariableItem("Until")).index, 0);
  EXPECT_EQ(FindNewItemConflict(def_, NewVariableItem("Untill")).index, -1);
}

TEST(NewClassNameTest, ReservedParentAndCatalogueNamesAreRefused) {
  EXPECT_EQ(CheckNewClassName("TMyButton", "TButton", false), "");
  EXPECT_EQ(CheckNewClassName("Type", "TButton", false),
            "Type is a reserved word of Object Pascal and cannot be used as a name.");
  EXPECT_EQ(CheckNewClassName("TBUTTON", "TButton", true),
            "TBUTTON is the name of the parent class; the new class needs a name of its own.");
  EXPECT_EQ(CheckNewClassName("TEdit", "TButton", true),
            "TEdit is the name of a standard class; the new class needs a name of its own.");
  for (const char* word : {"begin", "END", "Threadvar", "resourcestring", "xor", "String"}) {
    EXPECT_TRUE(IsReservedWord(word)) << word;
  }
  for (const char* word : {"Read", "Default", "Override", "Beginning", "Name", "Private", ""}) {
    EXPECT_FALSE(IsReservedWord(word)) << word;
  }
}

TEST(DerivedNamesTest, EventNames) {
  const struct {
    const char* event;
    const char* dispatch;
    const char* type;
  } cases[] = {
      {"OnChange", "Change", "TChangeEvent"},
      {"OnStatusEvent", "StatusEvent", "TStatusEventType"},
      {"OnExit", "DoExit", "TDoExitEvent"},
      {"onENTER", "DoENTER", "TDoENTEREvent"},
      {"OnEntered", "Entered", "TEnteredEvent"},
      {"On", "", "TEvent"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DispatchMethodName(c.event), c.dispatch) << c.event;
    EXPECT_EQ(EventTypeName(c.event), c.type) << c.event;
  }
}

TEST(DerivedNamesTest, MethodHeadersOfProperties) {
  using enum PropSpecialType;
  const struct {
    PropSpecialType special;
    const char* read;
    const char* write;
    const char* index;
    bool storage;
  } cases[] = {
      {psNone, "GetItems : String", "SetItems(Value : String)", "", true},
      {psIndexedI, "GetItems(I : Longint) : String", "SetItems(I : Longint; Value : String)",
       "[I : Longint]", false},
      {psIndexedIJ, "GetItems(I, J : Longint) : String", "SetItems(I, J : Longint; Value : String)",
       "[I, J : Longint]", false},
      {psIndexedString, "GetItems(S : String) : String", "SetItems(S : String; Value : String)",
       "[S : String]", false},
      {psObjectAutoCreate, "GetItems : String", "SetItems(Value : String)", "", true},
  };
  for (const auto& c : cases) {
    PropertyPart p;
    p.Name = "Items";
    p.Special = c.special;
    EXPECT_EQ(ReadMethodHeader(p), c.read);
    EXPECT_EQ(WriteMethodHeader(p), c.write);
    EXPECT_EQ(IndexDeclaration(p), c.index);
    EXPECT_EQ(HasStorageVariable(p), c.storage);
  }
  PropertyPart linked;
  linked.Link = "Edit.Text";
  EXPECT_FALSE(HasStorageVariable(linked));
  PropertyPart inherited;
  inherited.Inherited = true;
  EXPECT_FALSE(HasStorageVariable(inherited));
}

TEST(DerivedNamesTest, ArgumentListsAndHandlers) {
  EXPECT_TRUE(IsNotifyArglist(""));
  EXPECT_TRUE(IsNotifyArglist("( sender : tobject )"));
  EXPECT_FALSE(IsNotifyArglist("(Sender : TObject; Key : Char)"));
  EXPECT_EQ(NormalizeArglist("  Sender : TObject "), "(Sender : TObject)");
  EXPECT_EQ(NormalizeArglist("(A : Integer"), "(A : Integer)");
  EXPECT_EQ(NormalizeArglist("   "), "");
  EXPECT_EQ(TidyNewEventArglist(" () "), "(Sender : TObject)");
  EXPECT_EQ(TidyNewEventArglist(""), "(Sender : TObject)");
  EXPECT_EQ(TidyNewEventArglist("X : Integer)"), "(X : Integer)");
  EXPECT_EQ(HandlerName(" KeyPress (var Key : Char)"), "KeyPress");
  EXPECT_EQ(HandlerName(" DoEnter "), "DoEnter");
}

TEST(DerivedNamesTest, FileNames) {
  const struct {
    const char* name;
    const char* file;  // empty: refused
  } cases[] = {
      {"MyButton", "mybutton.pas"},
      {"_x9", "_x9.pas"},
      {"../evil", ""},
      {"", ""},
      {"My Unit", ""},
      {"9lives", ""},
      {"a.b", ""},
      {"C:x", ""},
      {"Caf\xE9", ""},
  };
  for (const auto& c : cases) {
    const DerivedFileName file = FileNameOf(c.name, ".pas");
    EXPECT_EQ(file.name, c.file) << c.name;
    EXPECT_EQ(file.why_not,
              *c.file ? "" : "\"" + std::string(c.name) + "\" is not a valid Pascal identifier")
        << c.name;
  }
}

TEST(CheckMethodHeaderTest, Outcomes) {
  const struct {
    const char* header;
    std::uint8_t kind;
    const char* result;
  } cases[] = {
      {"Count : Integer", kProcedure, "\"Count : Integer\" is not a valid procedure header"},
      {"Count : Integer", kFunction, ""},
      {"(X : Integer)", kProcedure, "\"(X : Integer)\" is not a valid procedure header"},
      {"(X : Integer) : Boolean", kFunction, "\"(X : Integer)\" does not begin with a method name"},
      {"(Sender)", kProcedure, "\"(Sender)\" does not begin with a method name"},
      {"Paint(Canvas : TCanvas", kProcedure,
       "\"Paint(Canvas : TCanvas\" is not a valid method header"},
      {"Paint(Canvas : TCanvas : Boolean", kFunction,
       "\"Paint(Canvas\" is not a valid method header"},
      {"2Paint", kProcedure, "\"2Paint\" is not a valid method name"},
      {"My Paint", kProcedure, "\"My Paint\" is not a valid method name"},
      {"Paint)(", kProcedure, "\"Paint)\" is not a valid method name"},
      {"  Paint  ", kProcedure, ""},
      {"Create(AOwner: TComponent)", kConstructor, ""},
      {"Max(A, B : Integer) : Integer", kFunction, ""},
      {"", kProcedure, "\"\" is not a valid method name"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckMethodHeader(c.header, c.kind), c.result) << c.header;
  }
}

TEST(MessagesTest, SharedTexts) {
  EXPECT_EQ(MissingEntryMessage(missing::kEventName),
            "You have not entered a name for the selected event.");
  EXPECT_EQ(HeaderWarningMessage("x"), "Warning: x");
  EXPECT_EQ(DuplicateUnitMessage("Grids"),
            "Duplicate identifier:  \"Grids\" is already in the unit list.");
  EXPECT_EQ(AddConflictMessage("Color"), "Identifier Color is already in the component");
  EXPECT_TRUE(IsMissingEventName("oN"));
  EXPECT_FALSE(IsMissingEventName("OnX"));
}

}  // namespace
}  // namespace kx::model
