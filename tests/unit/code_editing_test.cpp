// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/code_editing.h"

#include <gtest/gtest.h>

#include "commands/dialogs.h"
#include "model/name_rules.h"
#include "support/scripted_dialogs.h"

namespace kx::commands {
namespace {

using model::ItemDef;
using Lines = std::vector<std::string>;

TEST(IdentifierAtCaretTest, Table) {
  struct Case {
    std::string_view line;
    std::size_t column;
    std::string_view expected;
  };
  const Case cases[] = {
      {"Caption := Value;", 0, "Caption"},    // start: the character at the caret
      {"Caption := Value;", 3, "Caption"},    // middle
      {"Caption := Value;", 7, "Caption"},    // just after it
      {"  x := Font_2.Size;", 9, "Font_2"},   // underscores and digits
      {"  x := Font_2.Size;", 13, "Font_2"},  // before the dot
      {"  x := Font_2.Size;", 14, ""},        // after the dot
      {"  x := 1;", 1, ""},                   // on a blank
      {"Caption := Value;", 8, ""},           // after a blank
      {"Caption", 9, ""},                     // after the end of the line
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdentifierAtCaret(c.line, c.column), c.expected) << c.line << " @" << c.column;
  }
}

TEST(TemplateTest, ExpandIndentsLaterLinesAndPlacesTheCaret) {
  const TemplateText t = ExpandTemplate("begin\n|\nend;", 4);
  EXPECT_EQ(t.text, "begin\n    \n    end;");
  EXPECT_EQ(t.caret, 10u);
  EXPECT_EQ(ExpandTemplate("Color", 2).caret, 5u);
  const std::vector<CodeTemplate> all = {{"Color", "", ""}, {"ColorChanged", "", ""}, {"Size"}};
  EXPECT_EQ(MatchingTemplates(all, "col").size(), 2u);
  EXPECT_EQ(MatchingTemplates(all, "").size(), 3u);
  EXPECT_EQ(MatchingTemplates(all, "Colour").size(), 0u);
}

// Where the caret lands after a template is inserted at a column: rows below the line it was
// inserted on, and the column there.
TEST(TemplateTest, CaretAfterInsertion) {
  const struct {
    std::string_view body;
    std::size_t column;
    std::size_t row;
    std::size_t caret_column;
  } cases[] = {
      {"begin\n|\nend;", 4, 1, 4},      // on the indented empty line
      {"begin\n  |\nend;", 4, 1, 6},    // the body's own indent counts on top
      {"Color", 2, 0, 7},               // no mark: after the text, on the same line
      {"Ring(|)", 6, 0, 11},            // mark on the first line
      {"a\nb", 3, 1, 4},                // no mark, two lines: the end of the last
      {"if | then\n  x;\n|", 0, 0, 3},  // only the first mark counts
      {"|", 5, 0, 5},
  };
  for (const auto& c : cases) {
    const TemplateText t = ExpandTemplate(c.body, c.column);
    EXPECT_EQ(t.caret_row, c.row) << c.body << " @" << c.column;
    EXPECT_EQ(t.caret_column, c.caret_column) << c.body << " @" << c.column;
  }
}

TEST(PasteTest, LineEndsAndTabs) {
  const struct {
    std::string_view clipboard;
    std::string_view pasted;
  } cases[] = {
      {"a\r\nb", "a\nb"},
      {"a\rb\r", "a\nb\n"},  // old Mac line ends
      {"a\r\r\nb", "a\n\nb"},
      {"a\n\rb", "a\n\nb"},  // not a line end pair
      {"\tif A then\tB;", " if A then B;"},
      {"\t\t", "  "},
      {"", ""},
      {"caf\xe9", "caf\xe9"},  // Windows-1252 kept as is
  };
  for (const auto& c : cases) EXPECT_EQ(PastedText(c.clipboard), c.pasted) << c.clipboard;
}

model::ComponentDef DefinitionOfEveryKind() {
  model::ComponentDef def;
  model::ClearDefinition(def);
  def.MainInfo.NewClassName = "TAlarm";
  ItemDef color = model::NewPropertyItem("Color");
  color.Property().PropType = "TColor";
  ItemDef cells = model::NewPropertyItem("Cells");
  cells.Property().Special = model::PropSpecialType::psIndexedIJ;
  ItemDef ring = model::NewMethodItem("Ring(Times: Integer): Boolean");
  ring.Method().MethodKind = model::kFunction;
  ItemDef reset = model::NewMethodItem("Reset");
  ItemDef count = model::NewMethodItem("Count : Integer");
  ItemDef on_alarm = model::NewEventItem("OnAlarm");
  ItemDef on_click = model::NewExistingEventItem("OnClick");
  on_click.ExistingEvent().HandlerDecl = "Click(Sender: TObject)";
  on_click.ExistingEvent().Override = true;
  ItemDef on_resize = model::NewExistingEventItem("OnResize");  // not overridden
  ItemDef timer = model::NewVariableItem("FTimer");
  timer.Variable().DataType = "TTimer";
  for (ItemDef* item :
       {&color, &ring, &on_alarm, &on_click, &on_resize, &timer, &cells, &reset, &count}) {
    model::AddItem(def, *item);
  }
  return def;
}

TEST(TemplateTest, OneMatchIsInsertedAtOnce) {
  const std::vector<CodeTemplate> templates = {
      {"begin", "", ""}, {"Color", "", ""}, {"Count", "", ""}};
  const struct {
    std::string_view typed;
    std::size_t offered;
    bool at_once;
  } cases[] = {
      {"col", 1, true},                      // a prefix of one key
      {"Color", 1, true}, {"co", 2, false},  // two keys
      {"", 3, false},                        // no word: everything, to choose from
      {"xyz", 3, false},  // no match: everything, never one inserted over the word
  };
  for (const auto& c : cases) {
    const TemplateOffer offer = OfferTemplates(templates, c.typed);
    EXPECT_EQ(offer.offered.size(), c.offered) << c.typed;
    EXPECT_EQ(offer.insert_at_once, c.at_once) << c.typed;
  }
  EXPECT_FALSE(OfferTemplates({{"begin", "", ""}}, "x").insert_at_once);
}

// Each case: the lines up to the caret when Enter is pressed, and the new line's indentation.
TEST(PascalIndentTest, NewLineFollowsTheBlockStructure) {
  const struct {
    Lines above;
    std::size_t want;
  } cases[] = {
      {{"begin"}, 2},
      {{"  if A then begin"}, 4},
      {{"begin", "  try"}, 4},
      {{"begin", "  repeat"}, 4},
      {{"  case Kind of"}, 4},
      {{"  TPoint = record"}, 4},
      {{"  A: array of"}, 2},  // of without case
      {{"  if A then"}, 4},
      {{"  if A then", "    B", "  else"}, 4},
      {{"  while A do"}, 4},
      {{"  except"}, 4},
      {{"  finally"}, 4},
      {{"  X := 1;"}, 2},
      {{"  X := Y +"}, 2},
      {{"     "}, 5},                           // a blank line keeps its blanks
      {{"begin", "  if A then", "    B;"}, 2},  // the statement of then ended
      {{"begin", "  if A then", "    if B then", "      C;"}, 2},
      {{"begin", "  if A then", "    B", "  else", "    C;"}, 2},
      {{"begin", "  for I := 0 to 9 do", "    begin", "      A;", "    end;"}, 2},
      {{"begin", "  if A then begin", "    B;", "  end;"}, 2},
      {{"begin", "  case K of", "    1: A;"}, 4},
      {{"begin", "  repeat", "    A;", "  until B;"}, 2},
      {{"begin", "  { then }", "  A; // do"}, 2},  // words in comments do not count
      {{"begin", "  S := 'begin';"}, 2},
      {{"begin", "  (* try", "  *) A;"}, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NewLineIndent(c.above), c.want) << c.above.back();
  }
}

// Each case: the lines through the one Enter started, as the editor holds them then.
TEST(PascalIndentTest, EnterIndentsTheNewLine) {
  const struct {
    Lines lines;
    std::size_t want;
  } cases[] = {
      {{"begin", ""}, 2},
      {{"begin", "  A;", "end"}, 0},    // Enter before end: where its opener is
      {{"begin", "  A;", "B;"}, 2},     // text carried along is no closer
      {{"  if A then begin", "x"}, 4},  // the line above decides, not what was carried
      {{"begin", "ending"}, 2},         // a word that only starts like end
      {{""}, 0},
      {{}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EnterIndent(c.lines), c.want) << (c.lines.empty() ? "" : c.lines.back());
  }
}

// A closer is aligned only as the last letter of the line's first word is typed.
TEST(PascalIndentTest, TypingEndsTheFirstWord) {
  const struct {
    std::string_view line;
    std::size_t column;  // the caret, after the letter typed
    std::size_t indentation;
    bool ends;
  } cases[] = {
      {"    end", 7, 4, true},    {"    end;", 7, 4, true},  // punctuation after it
      {"    en", 6, 4, true},      // any first word; the closer check comes after
      {"    ed", 5, 4, false},     // a letter typed inside the word
      {"  x end", 7, 2, false},    // not the first word
      {"      end", 9, 4, false},  // the line's indentation is not where the word starts
      {"end", 3, 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EndsFirstWord(c.line, c.column, c.indentation), c.ends) << c.line << " @" << c.column;
  }
}

TEST(PascalIndentTest, ClosersAlignWithTheirOpeners) {
  const struct {
    Lines lines;  // the last line holds the closer
    std::optional<std::size_t> want;
  } cases[] = {
      {{"begin", "  A;", "  end"}, 0},
      {{"begin", "  if A then begin", "    B;", "    end;"}, 2},
      {{"begin", "  try", "    A;", "    except"}, 2},
      {{"begin", "  try", "    A;", "    finally"}, 2},
      {{"begin", "  try", "    A;", "  except", "    B;", "    end"}, 2},
      {{"begin", "  repeat", "    A;", "    until"}, 2},
      {{"begin", "  case K of", "    1: begin", "      end;", "    end"}, 2},
      {{"begin", "  try", "    try", "      A;", "    finally", "    end;", "    except"}, 2},
      {{"  P = record", "    X: Integer;", "    end;"}, 2},
      {{"begin", "  A;", "  ending := 1;"}, std::nullopt},  // not the word end
      {{"  A;", "  end"}, std::nullopt},                    // no opener
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CloserIndent(c.lines, c.lines.size() - 1), c.want) << c.lines.back();
  }
}

// Closing the editor with changes asks Yes, No or Cancel; Cancel (Esc in the box) goes on
// editing, so a slip of Esc loses no code.
TEST(EditorSessionTest, ClosingWithChangesAsksYesNoCancel) {
  using Closed = EditorSession::Closed;
  const struct {
    bool modified;
    std::optional<Answer> answer;  // nothing: no question
    Closed closed;
    bool editing;
    std::optional<Lines> result;
  } cases[] = {
      {true, Answer::kYes, Closed::kKept, false, Lines{"begin", "end;"}},
      {true, Answer::kNo, Closed::kDropped, false, std::nullopt},
      {true, Answer::kCancel, Closed::kEditing, true, std::nullopt},
      {false, std::nullopt, Closed::kDropped, false, std::nullopt},
  };
  for (const auto& c : cases) {
    testing::ScriptedDialogs dialogs;
    if (c.answer) {
      dialogs.ExpectBox(BoxKind::kConfirmation, std::string(kRetainCodeQuestion), *c.answer,
                        std::nullopt, Buttons::kYesNoCancel);
    }
    EditorSession session({.block = {"end;"}});
    EXPECT_EQ(session.Close(c.modified, "begin\nend;", dialogs), c.closed);
    EXPECT_EQ(session.editing(), c.editing);
    EXPECT_EQ(session.result(), c.result);
    EXPECT_TRUE(dialogs.done());
  }
}

TEST(TemplateTest, CodeTemplatesOfEveryKindInItemOrder) {
  const std::vector<CodeTemplate> expected = {
      {"begin", "begin...end", "begin\n|\nend;"},
      {"Color", "property Color: TColor", "Color"},
      {"Ring", "function Ring(Times: Integer);", "Ring"},
      {"Alarm", "event handler Alarm(Sender : TObject)", "Alarm"},
      {"Click", "inherited event handler Click(Sender: TObject)", "Click"},
      {"FTimer", "variable FTimer: TTimer", "FTimer"},
      {"Cells", "property Cells[I, J : Longint]: String", "Cells"},
      {"Reset", "procedure Reset;", "Reset"},
      {"Count", "procedure Count;", "Count"},
  };
  EXPECT_EQ(CodeTemplates(DefinitionOfEveryKind()), expected);
}

TEST(TemplateTest, HelpTextTemplatesByKind) {
  std::vector<std::string> keys;
  for (const CodeTemplate& t : HelpTextTemplates(DefinitionOfEveryKind())) keys.push_back(t.key);
  EXPECT_EQ(keys,
            (Lines{"Color", "Cells", "Ring", "Reset", "Count", "OnAlarm", "Click", "FTimer"}));
  const CodeTemplate click = HelpTextTemplates(DefinitionOfEveryKind())[6];
  EXPECT_EQ(click.body, "<A HREF=\"#OnClick\">OnClick</A>");
  EXPECT_EQ(click.description, "Link with event OnClick(Sender: TObject)");
}

TEST(HelpTextTest, LinesAndParagraphsRoundTrip) {
  // Stored lines flow into paragraphs; an empty line keeps them apart.
  EXPECT_EQ(HelpLinesToText({"The alarm rings", "  at <B>AlarmTime</B>. ", "", "Then it stops."}),
            "The alarm rings at <B>AlarmTime</B>.\n\nThen it stops.");
  for (const std::string_view text :
       {"One paragraph.\n\nAnother one.", "", "Only one.", "\nAfter a gap.\n\n\nTwo gaps."}) {
    const Lines lines = HelpTextToLines(text);
    EXPECT_EQ(HelpLinesToText(lines), text);
    EXPECT_EQ(HelpTextToLines(HelpLinesToText(lines)), lines);
  }
  EXPECT_EQ(HelpTextToLines("First.\r\n\r\nSecond."), (Lines{"First.", "", "Second."}));
}

TEST(CodeTextTest, LinesAsTyped) {
  for (const Lines& lines :
       {Lines{}, Lines{"begin", "  x := 1;", "end;"}, Lines{"a", ""}, Lines{"", "b"}}) {
    EXPECT_EQ(CodeTextToLines(CodeLinesToText(lines)), lines);
  }
  EXPECT_EQ(CodeTextToLines("a\r\nb\rc\n"), (Lines{"a", "b", "c", ""}));
}

TEST(EditorTextsTest, CaptionsAndHeadersByKind) {
  const model::ComponentDef def = DefinitionOfEveryKind();
  ItemDef read = def.Item(1);
  read.Property().EditingReadCode = true;
  ItemDef object = def.Item(6);
  ItemDef sub = object;
  sub.Variable().IsSubComponent = true;
  struct Case {
    ItemDef item;
    std::string caption, header, text_caption;
  };
  const Case cases[] = {
      {def.Item(1), "Write method for property Color", "procedure SetColor(Value : TColor);",
       "Text for Color property"},
      {read, "Read method for property Color", "function GetColor : TColor;",
       "Text for Color property"},
      {def.Item(2), "Ring method", "function Ring(Times: Integer): Boolean;",
       "Text for Ring method"},
      {def.Item(3), "Alarm - Event trigger", "procedure Alarm(Sender : TObject);",
       "Text for OnAlarm event"},
      {def.Item(4), "OnClick - Handler", "procedure Click(Sender: TObject);",
       "Text for OnClick inherited event"},
      {object, "Initialize fields of object FTimer", "with FTimer do", "Text for FTimer variable"},
      {sub, "Initialize properties of subcomponent FTimer", "with FTimer do",
       "Text for FTimer variable"},
      {def.Global, "TAlarm - Global declarations (interface)", "", "TAlarm - overview"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodeEditorCaption(c.item, "TAlarm"), c.caption);
    EXPECT_EQ(CodeEditorHeader(c.item), c.header);
    EXPECT_EQ(HelpTextCaption(c.item, "TAlarm"), c.text_caption);
  }
  EXPECT_EQ(CodeEditorCaption(def.ImpGlobal, "TAlarm", true),
            "TAlarm - Global declarations (implementation)");
  EXPECT_EQ(HelpTextHeader(def.Item(1)), "property Color : TColor");
  EXPECT_EQ(HelpTextHeader(def.Global), "");
}

}  // namespace
}  // namespace kx::commands
