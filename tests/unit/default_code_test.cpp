// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/unit/default_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/component_def.h"

namespace kx::generate {
namespace {

// The templates' texts at both levels are the golden units'; these tests cover what those do
// not reach: odd headers and argument lists, the form wrapper, kinds on unexpected items.

using model::DefaultCodeKind;
using enum model::DefaultCodeKind;
using model::ItemDef;
using model::PropSpecialType;

DefaultCodeContext Context(bool full_comments) {
  return {full_comments, "TEdit", "TEdit", "TPasswordDlg"};
}

std::string Joined(const model::TextBlock& block) {
  std::string text;
  for (const std::string& line : block.value()) text += line + "\n";
  return text;
}

std::string Filled(ItemDef item, DefaultCodeKind kind, const DefaultCodeContext& context) {
  item.DefaultCode = kind;
  FillDefaultCode(item, context);
  return Joined(item.Code);
}

ItemDef Handler(std::string_view decl) {
  ItemDef item = model::NewExistingEventItem("OnX");
  item.ExistingEvent().HandlerDecl = decl;
  return item;
}

TEST(HeaderToCallTest, Table) {
  const struct {
    const char* header;
    const char* call;
  } cases[] = {
      {"KeyDown(var Key: Word; Shift: TShiftState)", "KeyDown(Key, Shift)"},
      {"DrawCell(ACol, ARow: Longint; ARect: TRect; AState: TGridDrawState)",
       "DrawCell(ACol, ARow, ARect, AState)"},
      {"Resize", "Resize"},
      {"", ""},
      {"SetName(const AName: String)", "SetName(AName)"},
      // Every blank before a colon goes; modifiers after "(", blank, "," or ";" go.
      {"F(Sender  : TObject; var Allow : Boolean)", "F(Sender, Allow)"},
      {"F(x:Integer;var y:Char)", "F(x,y)"},
      {"F(A,VAR B: Integer; CONST C: Char)", "F(A,B, C)"},
      // Modifiers go only as words of their own; a parameter may be named Out.
      {"F(Covar : Integer; var B: Char)", "F(Covar, B)"},
      {"F(Aconst, Outer: Integer; out C: Char; const D: Byte)", "F(Aconst, Outer, C, D)"},
      {"F(Out : Integer; OUT Value: Word)", "F(Out, Value)"},
      {"var X: Integer", "var X: Integer"},
      // A colon followed by neither ";" nor ")" ends the work, leaving the rest as it is.
      {"Execute : Boolean", "Execute: Boolean"},
      {"GetItem(Index: Integer): String", "GetItem(Index): String"},
      {"F(a: Integer; b: Char", "F(a, b: Char"},
  };
  for (const auto& c : cases) EXPECT_EQ(HeaderToCall(c.header), c.call) << c.header;
}

TEST(HeaderToCallTest, FunctionHeaders) {
  const struct {
    const char* header;
    const char* call;
  } cases[] = {
      {"Execute : Boolean", "Execute"},
      {"GetItem(Index: Integer): String", "GetItem(Index)"},
      {"  Get(var A: Integer; B: Char) : Word ", "Get(A, B)"},
      {"Execute", ""},  // no result type, nothing left
      {": Integer", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FunctionHeaderToCall(c.header), c.call) << c.header;
}

TEST(DefaultCodeTest, OnlyTheCommentedTemplatesChangeWithTheLevel) {
  for (int number = 0; number <= 30; ++number) {
    const ItemDef item = Handler("Click");
    const auto kind = static_cast<DefaultCodeKind>(number);
    const bool differs = Filled(item, kind, Context(true)) != Filled(item, kind, Context(false));
    const bool expected = number == 0 || (number >= 2 && number <= 4) ||
                          (number >= 7 && number <= 11) || number == 23 || number > 24;
    EXPECT_EQ(differs, expected) << number;
  }
}

TEST(DefaultCodeTest, EventDispatchNormalizesAndChecksTheArglist) {
  const std::string head =
      "begin\n"
      "     { Has the application assigned a method to the event, whether\n"
      "       via the Object Inspector or a run-time assignment?  If so,\n"
      "       execute that method }\n"
      "     if Assigned(FOnChange) then\n";
  const std::string too_long = "Sender : TObject; A" + std::string(81, 'x');  // 100 characters
  const struct {
    std::string arglist;
    std::string stored;
    std::string call;
  } cases[] = {
      {"(Sender : TObject)", "(Sender : TObject)", "        FOnChange(Sender);"},
      {" Sender : TObject; var Allow : Boolean", "(Sender : TObject; var Allow : Boolean)",
       "        FOnChange(Sender, Allow);"},
      // An empty list stands for the notify list: the handler gets the sender.
      {"", "", "        FOnChange(Self);"},
      // Normalizing adds both parentheses; the cut to 100 drops the closing one again.
      {too_long, "(" + too_long.substr(0, 99),
       "        { \"(" + too_long.substr(0, 99) + "\" is not a valid argument list }"},
  };
  for (const auto& c : cases) {
    ItemDef event = model::NewEventItem("OnChange");
    event.NewEvent().Arglist = c.arglist;
    EXPECT_EQ(Filled(event, kEventDispatch, Context(false)), head + c.call + "\nend;\n")
        << c.arglist;
    FillDefaultCode(event, Context(true));
    EXPECT_EQ(event.NewEvent().Arglist, c.stored);
  }
}

TEST(DefaultCodeTest, FormWrapperAndSubComponentSettings) {
  const std::string form = Filled(model::NewMethodItem("Execute"), kFormWrapper, Context(true));
  EXPECT_EQ(form.substr(0, form.find("     try")),
            "var FormInstance : TPasswordDlg; { form object }\n\nbegin\n"
            "     FormInstance := TPasswordDlg.Create(Application);\n");
  EXPECT_TRUE(form.ends_with("     finally\n        FormInstance.Free;\n     end;\nend;\n"))
      << form;

  ItemDef variable = model::NewVariableItem("Edit1");
  variable.Variable().DataType = "TEdit";
  EXPECT_EQ(
      Filled(variable, kSubComponentSettings, Context(true)),
      "begin\n{ Left := }\n{ Top := }\n{ Width := }\n{ Height := }\n\nVisible := True\nend;\n");
  variable.Variable().DataType = "TTimer";
  EXPECT_EQ(Filled(variable, kSubComponentSettings, Context(true)), "begin\n\nend;\n");
}

TEST(DefaultCodeTest, InheritedCallsUseTheFieldThatPlaysTheHandlerRole) {
  const std::string header = "MouseDown(Button: TMouseButton; Shift: TShiftState; X, Y: Integer)";
  const std::string call = "begin\n     inherited MouseDown(Button, Shift, X, Y);\nend;\n";
  EXPECT_EQ(Filled(Handler(header), kInheritedHandlerCall, Context(false)), call);
  EXPECT_EQ(Filled(model::NewMethodItem(header), kInheritedHandlerCall, Context(true)), call);
  EXPECT_EQ(Filled(model::NewVariableItem("V"), kInheritedHandlerCall, Context(true)),
            "begin\n     inherited ;\nend;\n");
  // Any number on any kind of item gives a body.
  for (ItemDef item :
       {model::NewPropertyItem("P"), Handler(""), model::NewMethodItem(""),
        model::NewVariableItem("V"), model::NewEventItem("OnE"), model::NewMainItem()}) {
    for (int number = 0; number <= 255; ++number) {
      const auto kind = static_cast<DefaultCodeKind>(number);
      EXPECT_FALSE(Filled(item, kind, Context(number % 2 == 0)).empty()) << number;
    }
  }
}

TEST(DefaultCodeTest, FillReplacesAndInternalDeclarationsAppend) {
  ItemDef method = model::NewMethodItem("DoIt");
  method.Code = {{"old line"}};
  FillDefaultCode(method, Context(false));
  EXPECT_EQ(Joined(method.Code), "begin\n\nend;\n");
  InternalDeclarationsBlock(method, true);
  EXPECT_EQ(Joined(method.Code),
            "begin\n\nend;\n"
            "     { Internal declarations for method }\n     { type }\n     { . . . }\n"
            "     { var }\n     { . . . }\nbegin\n\nend;\n");
}

TEST(DefaultCodeTest, DefaultReadCodeReplacesTheOld) {
  const struct {
    PropSpecialType special;
    const char* type;
    const char* link;
    const char* code;
  } cases[] = {
      {PropSpecialType::psIndexedIJ, "TMyThing", "",
       "begin\n     { Return TMyThing value based on I and J }\n     \n"
       "     Result := { Provide default };\nend;\n"},
      {PropSpecialType::psNone, "Integer", "", "begin\n     Result := FItems;\nend;\n"},
  };
  for (const auto& c : cases) {
    ItemDef item = model::NewPropertyItem("Items");
    item.Property().Special = c.special;
    item.Property().PropType = c.type;
    item.Property().Link = c.link;
    item.Property().ReadCode = {{"old"}};
    FillDefaultReadCode(item);
    EXPECT_EQ(Joined(item.Property().ReadCode), c.code) << c.type;
  }
  ItemDef variable = model::NewVariableItem("V");
  FillDefaultReadCode(variable);
  EXPECT_FALSE(variable.Code.has_value());
}

}  // namespace
}  // namespace kx::generate
