#include "commands/code_editing.h"

#include <gtest/gtest.h>

#include "model/name_rules.h"

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
