// SPDX-License-Identifier: GPL-3.0-or-later
// The outline parser: one table of units and what the outline says of them (a summary that
// names every node with its lines, members with their kind, visibility and specifiers, bodies
// with the declaration they were matched to, and the messages), then the spans of one
// component unit to the byte, and the bad inputs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "pascal/outline.h"

namespace kx::pascal {
namespace {

std::string Lines(const Span& span) {
  return std::to_string(span.begin.line) + "-" + std::to_string(span.end.line);
}

std::string Summary(const Outline& unit) {
  std::string out = unit.kind + " " + unit.unit_name.text + (unit.complete ? "" : " (incomplete)");
  auto uses = [&](const char* part, const std::optional<UsesClause>& clause) {
    if (!clause) return;
    out += std::string("\n") + part + ":";
    for (const UsedUnit& used : clause->units) out += " " + used.name.text;
  };
  uses("uses", unit.interface_uses);
  uses("implementation uses", unit.implementation_uses);
  static const char* kKinds[] = {"class",      "class;",     "class of", "object", "record",
                                 "interface",  "interface;", "helper",   "enum",   "set",
                                 "procedural", "generic",    "other"};
  static const char* kVisibility[] = {"",          "private",          "strict private",
                                      "protected", "strict protected", "public",
                                      "published", "automated"};
  for (const TypeDecl& type : unit.types) {
    out += "\ntype " + type.name.text + " " + kKinds[static_cast<int>(type.kind)];
    if (!type.parent.text.empty()) out += "(" + type.parent.text + ")";
    if (type.outer) out += " in " + unit.types[*type.outer].name.text;
    out += " " + Lines(type.whole);
    if (!type.comment.empty()) out += " comment " + Lines(type.comment);
    if (!type.followed) out += " not followed";
    for (const Member& member : type.members) {
      out += "\n  ";
      if (member.visibility != Visibility::kDefault)
        out += std::string(kVisibility[static_cast<int>(member.visibility)]) + " ";
      if (member.class_member) out += "class ";
      static const char* kMember[] = {"field", "method", "property", "type", "const"};
      out += std::string(kMember[static_cast<int>(member.kind)]) + " " + member.name.text;
      if (member.kind == MemberKind::kField) out += ": " + std::string(unit.Text(member.type));
      if (member.kind == MemberKind::kMethod) {
        out += std::string(unit.Text(member.routine.parameters));
        for (const RoutineDirective& d : member.routine.directives) {
          out += " " + d.word;
          if (!d.argument.empty()) out += "(" + std::string(unit.Text(d.argument)) + ")";
        }
        if (member.body) out += " body " + Lines(unit.routines[*member.body].block);
      }
      if (member.kind == MemberKind::kProperty) {
        const PropertySpecifiers& p = member.property;
        out += std::string(unit.Text(p.parameters));
        if (!p.type.empty()) out += ": " + std::string(unit.Text(p.type));
        auto clause = [&](const char* word, const Span& value) {
          if (!value.empty()) out += std::string(" ") + word + " " + std::string(unit.Text(value));
        };
        clause("index", p.index);
        clause("read", p.read);
        clause("write", p.write);
        clause("stored", p.stored);
        clause("default", p.default_value);
        if (p.nodefault) out += " nodefault";
        if (p.default_array) out += "; default";
      }
      if (!member.comment.empty()) out += " comment " + Lines(member.comment);
    }
  }
  for (const Routine& routine : unit.routines) {
    if (!routine.has_body) continue;
    out += "\nbody " + routine.heading.name.text + " " + Lines(routine.block);
    if (routine.member) out += " matched";
  }
  for (const RegisterCall& call : unit.registrations) {
    out += "\nregister " + call.page_value.value_or("?") + ":";
    for (const Name& name : call.classes) out += " " + name.text;
  }
  if (!unit.initialization.empty()) out += "\ninitialization " + Lines(unit.initialization);
  if (!unit.finalization.empty()) out += "\nfinalization " + Lines(unit.finalization);
  for (const Message& message : unit.messages) {
    out += std::string(message.severity == Severity::kError ? "\nerror " : "\nnote ") +
           FormatMessage(message);
  }
  return out;
}

struct OutlineCase {
  const char* name;
  const char* text;
  const char* summary;
};

const OutlineCase kOutlineCases[] = {
    {"a component unit",
     R"(unit Clock;
{$mode objfpc}{$H+}
interface
uses Classes, Controls;
type
  { A clock
    that ticks }
  TClock = class(TGraphicControl)
  private
    FHour: Integer;
    procedure WMSize(var Message: TMessage); message WM_SIZE;
  protected
    procedure Paint; override;
    function Get(I: Integer): Integer; overload;
    function Get(const S: string): Integer; overload;
  public
    class function Make: TClock; static;
    property Items[I: Integer]: Integer read Get; default;
  published
    // The hour
    property Hour: Integer index 2 read FHour write FHour stored True default 12;
    property Align nodefault;
  end;

procedure Register;

implementation

uses SysUtils;

procedure TClock.WMSize(var Message: TMessage);
begin
  case Message.Msg of
    1: try Inc(FHour) finally end;
  end;
end;

procedure TClock.Paint;
const S = 'end;';
begin
end;

function TClock.Get(const S: string): Integer;
begin Result := 0 end;

function TClock.Get(I: Integer): Integer;
  function Inner: Integer; begin Result := I; end;
begin Result := Inner; end;

class function TClock.Make: TClock;
begin Result := nil; end;

procedure Register;
begin
  RegisterComponents('Sam''s', [TClock]);
end;

initialization
  if True then begin end;
finalization
end.
)",
     R"(unit Clock
uses: Classes Controls
implementation uses: SysUtils
type TClock class(TGraphicControl) 8-23 comment 6-7
  private field FHour: Integer
  private method WMSize(var Message: TMessage) message(WM_SIZE) body 32-36
  protected method Paint override body 40-41
  protected method Get(I: Integer) overload body 48-48
  protected method Get(const S: string) overload body 44-44
  public class method Make static body 51-51
  public property Items[I: Integer]: Integer read Get; default
  published property Hour: Integer index 2 read FHour write FHour stored True default 12 comment 20-20
  published property Align nodefault
body TClock.WMSize 32-36 matched
body TClock.Paint 40-41 matched
body TClock.Get 44-44 matched
body TClock.Get 48-48 matched
body TClock.Make 51-51 matched
body Register 54-56
register Sam's: TClock
initialization 58-59
finalization 60-60)"},
    {"nested types, records with variants, interfaces and forward classes",
     R"(unit N; interface type
  TFwd = class;
  TRef = class of TFwd;
  IThing = interface(IUnknown) ['{00000000-0000-0000-0000-000000000000}']
    procedure Go;
  end;
  TRec = packed record
    A: Integer;
    case Kind: Byte of
      0: (B: record X: Integer end);
      1: (C: Char);
  end;
  TFwd = class(TObject, IThing)
  public type
    TInner = class
      procedure Run; virtual; abstract;
    end;
  strict private const Max = 10;
  strict protected class var Count: Integer;
  end;
  TEvent = procedure(Sender: TObject) of object;
  TColors = (clRed, clBlue);
  EOops = class(Exception);
implementation
end.)",
     R"(unit N
type TFwd class; 2-2
type TRef class of 3-3
type IThing interface(IUnknown) 4-6
  method Go
type TRec record 7-12
  field A: Integer
type TFwd class(TObject) 13-20
  public type TInner
  strict private const Max
  strict protected class field Count: Integer
type TInner class in TFwd 15-17
  method Run virtual abstract
type TEvent procedural 21-21
type TColors enum 22-22
type EOops class(Exception) 23-23)"},
    {"a generic is carried",
     "unit G; interface type TList<T> = class(TObject) procedure Add(X: T); end;\n"
     "implementation procedure TList<T>.Add(X: T); begin end; end.",
     R"(unit G
type TList generic(TObject) 1-1 not followed
  method Add(X: T)
body TList<T>.Add 2-2
note line 1: The generic type TList is not followed; its text is carried as it is.
note line 2: The generic routine TList<T>.Add is not followed; its text is carried as it is.)"},
    {"a declaration split by IFDEF and an include file",
     "unit S; interface\n{$I defs.inc}\ntype TA = class\n{$IFDEF FPC} F: Integer; {$ELSE} G: Byte; "
     "{$ENDIF}\nend;\n"
     "implementation end.",
     R"(unit S
type TA class 3-5 not followed
  field F: Integer
note line 2: The include file defs.inc is not read; the text around it is carried as it is.
note line 3: The declaration of TA is split by conditional directives or an include file; its text is carried as it is.)"},
    {"asm bodies and a program",
     "program P; procedure X; assembler; asm mov eax, 1 { end } end; begin X; end.",
     "program P\nbody X 1-1"},
    {"CR-only line ends", "unit C;\rinterface\rtype\r  T = class\r  end;\rimplementation\rend.",
     "unit C\ntype T class 4-5"},
    {"a truncated unit", "unit T; interface type TA = class(TB) procedure X;",
     "unit T (incomplete)\ntype TA class(TB) 1-1\n  method X\nerror line 1: The declaration of TA "
     "has no end."},
    {"an unbalanced begin", "unit U; interface implementation procedure X; begin begin end; end.",
     "unit U (incomplete)\nerror line 1: The block that starts here has no end."},
    {"an unterminated string", "unit U; interface implementation const S = 'abc;\nend.",
     "unit U (incomplete)\nerror line 1: The string is not terminated on its line."},
    {"an unterminated comment", "unit U; interface { implementation end.",
     "unit U (incomplete)\nerror line 1: The comment is not terminated before the end of the "
     "unit.\n"
     "error line 1: Expected implementation but found the end of the unit."},
    {"not a unit", "hello world",
     "  (incomplete)\nerror line 1: Expected unit, program, library or package but found "
     "\"hello\"."},
    {"an empty file", "",
     "  (incomplete)\nerror line 1: Expected unit, program, library or package but found the end "
     "of the unit."},
};

class OutlineTest : public testing::TestWithParam<OutlineCase> {};

TEST_P(OutlineTest, FindsTheNodes) {
  const OutlineCase& c = GetParam();
  EXPECT_EQ(Summary(ParseUnit(c.text)), c.summary);
}

INSTANTIATE_TEST_SUITE_P(Table, OutlineTest, testing::ValuesIn(kOutlineCases),
                         [](const testing::TestParamInfo<OutlineCase>& param_info) {
                           std::string name;
                           for (const char* p = param_info.param.name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(OutlineSpansTest, KeepTheBytesOfEveryNode) {
  const std::string text =
      "unit U;\r\n{$mode objfpc}{$H+}\r\ninterface\r\ntype\r\n  // Ticks.\r\n"
      "  TA = class(TB)\r\n    procedure X(A: Integer); virtual;\r\n  end;\r\n"
      "implementation\r\nprocedure TA.X(A: Integer);\r\nbegin\r\n  A := 1;\r\nend;\r\nend.\r\n";
  const Outline unit = ParseUnit(text);
  ASSERT_TRUE(unit.complete) << Summary(unit);
  EXPECT_EQ(unit.DirectiveValue("MODE"), "objfpc");
  EXPECT_EQ(unit.DirectiveValue("H"), "+");
  const TypeDecl& type = *unit.FindType("ta");
  EXPECT_EQ(unit.Text(type.whole),
            "TA = class(TB)\r\n    procedure X(A: Integer); virtual;\r\n  end;");
  EXPECT_EQ(unit.Text(type.comment), "// Ticks.");
  EXPECT_EQ(type.name.span.begin.line, 6u);
  EXPECT_EQ(type.name.span.begin.column, 3u);
  EXPECT_EQ(unit.Text(type.parent.span), "TB");
  const Member& x = type.members.front();
  EXPECT_EQ(unit.Text(x.whole), "procedure X(A: Integer); virtual;");
  ASSERT_EQ(x.routine.parameter_list.size(), 1u);
  EXPECT_EQ(unit.Text(x.routine.parameter_list[0].type), "Integer");
  const Routine& body = unit.routines.at(*x.body);
  EXPECT_EQ(unit.Text(body.whole), "procedure TA.X(A: Integer);\r\nbegin\r\n  A := 1;\r\nend;");
  EXPECT_EQ(unit.Text(body.block), "begin\r\n  A := 1;\r\nend");
  EXPECT_EQ(body.block.begin.offset, text.find("begin"));
  // The blocks cover the declarations in order.
  ASSERT_EQ(unit.blocks.size(), 2u);
  EXPECT_EQ(unit.blocks[0].kind, BlockKind::kType);
  EXPECT_EQ(unit.blocks[1].kind, BlockKind::kRoutine);
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(OutlineBadInputTest, DeepNestingIsRefusedNotRecursed) {
  const Outline types = ParseUnit("unit D; interface type " + Repeat("T = class type ", 100000));
  EXPECT_TRUE(types.HasErrors());
  const Outline routines =
      ParseUnit("unit D; interface implementation " + Repeat("procedure P; ", 100000));
  EXPECT_TRUE(routines.HasErrors());
  const Outline blocks =
      ParseUnit("unit D; interface implementation procedure P; " + Repeat("begin ", 1000000));
  EXPECT_TRUE(blocks.HasErrors());
  const Outline records = ParseUnit("unit D; interface type T = " + Repeat("record a: ", 100000));
  EXPECT_TRUE(records.HasErrors());
}

TEST(OutlineBadInputTest, ZeroBytesAndGarbageGiveAMessage) {
  const Outline binary = ParseUnit(std::string("unit U;\0\xFF\xFE", 10));
  ASSERT_EQ(binary.messages.size(), 1u);
  EXPECT_EQ(binary.messages[0].text, "The file is not Pascal source: it holds zero bytes.");
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(1 + (i * 7919) % 255);
  const Outline noise = ParseUnit(garbage);
  EXPECT_TRUE(noise.HasErrors());
  EXPECT_LE(noise.messages.size(), 2 * kMaxLexMessages + 2);
}

TEST(OutlineBadInputTest, ATenMegabyteUnitIsRead) {
  std::string text = "unit Big; interface type\n";
  const std::string klass =
      "  TC = class(TObject)\n  private\n    FA: Integer;\n  published\n"
      "    property A: Integer read FA write FA default 0;\n  end;\n";
  std::size_t classes = 0;
  for (; text.size() < (std::size_t{10} << 20); ++classes) text += klass;
  text += "implementation\nend.\n";
  const Outline unit = ParseUnit(std::move(text));
  EXPECT_TRUE(unit.complete);
  EXPECT_EQ(unit.types.size(), classes);
}

TEST(OutlineBadInputTest, OnlyRegularFilesAreRead) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kx_pascal_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto fifo = dir / "unit.pas";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadUnitFile(fifo).messages.at(0).text, "The path is not a regular file.");
  EXPECT_EQ(ReadUnitFile(dir).messages.at(0).text, "The path is not a regular file.");
  EXPECT_EQ(ReadUnitFile(dir / "none.pas").messages.at(0).text, "The file does not exist.");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kx::pascal
