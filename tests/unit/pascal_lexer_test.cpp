// SPDX-License-Identifier: GPL-3.0-or-later
// The lexer on the hard cases, one table: each row is a text and the tokens it gives,
// written kind:text (i: identifier, k: keyword, e: escaped identifier, n: number, s: string,
// y: symbol, c: comment, d: directive, a: asm text, x: invalid), "-" marking inactive tokens,
// and whether the lexer has something to say.
#include <gtest/gtest.h>

#include <string>

#include "pascal/lexer.h"

namespace kx::pascal {
namespace {

std::string Dump(const Source& source, const LexResult& lexed) {
  std::string out;
  for (const Token& token : lexed.tokens) {
    char kind = '?';
    switch (token.kind) {
      case TokenKind::kIdentifier:
        kind = token.Has(kEscaped) ? 'e' : token.keyword == Keyword::kNone ? 'i' : 'k';
        break;
      case TokenKind::kNumber:
        kind = 'n';
        break;
      case TokenKind::kString:
        kind = 's';
        break;
      case TokenKind::kSymbol:
        kind = 'y';
        break;
      case TokenKind::kComment:
        kind = 'c';
        break;
      case TokenKind::kDirective:
        kind = 'd';
        break;
      case TokenKind::kAsmText:
        kind = 'a';
        break;
      case TokenKind::kInvalid:
        kind = 'x';
        break;
    }
    if (!out.empty()) out += ' ';
    if (token.Has(kInactive)) out += '-';
    out += kind;
    out += ':';
    out += source.Text(token.begin, token.end);
  }
  return out;
}

struct LexCase {
  const char* name;
  const char* text;
  const char* tokens;
  bool messages;
};

const LexCase kLexCases[] = {
    {"comments", "{ a } (* b *) // c", "c:{ a } c:(* b *) c:// c", false},
    {"braces do not nest in Delphi", "{ a { b } c", "c:{ a { b } i:c", false},
    {"braces nest under objfpc", "{$mode objfpc}{ a { b } c } x",
     "d:{$mode objfpc} c:{ a { b } c } i:x", false},
    {"a directive in parens", "(*$H+*) x", "d:(*$H+*) i:x", false},
    {"quotes doubled and character codes", "s := 'it''s'#13#10'x';",
     "i:s y::= s:'it''s'#13#10'x' y:;", false},
    {"codes in every base", "#$0D#%101#&17#65", "s:#$0D#%101#&17#65", false},
    {"an escaped keyword", "&begin begin &End", "e:&begin k:begin e:&End", false},
    {"numbers in every base", "$FF %101 &17 1_000 1.5E3 2e-3",
     "n:$FF n:%101 n:&17 n:1_000 n:1.5E3 n:2e-3", false},
    {"a range is not a real", "1..2", "n:1 y:.. n:2", false},
    {"asm keeps its text, end in a comment does not close it", "asm mov eax, 1 {end} // end\n end;",
     "k:asm a:mov eax, 1 {end} // end k:end y:;", false},
    {"symbols of two characters", "a:=b<>c<=d>=e(.1.)",
     "i:a y::= i:b y:<> i:c y:<= i:d y:>= i:e y:(. n:1 y:.)", false},
    {"an unterminated string stops at its line", "'abc\nx", "x:'abc i:x", true},
    {"an unterminated comment runs to the end", "x { abc", "i:x c:{ abc", true},
    {"an unterminated directive", "{$IFDEF X", "d:{$IFDEF X", true},
    {"a code without a number", "#x", "x:# i:x", true},
    {"a byte that is not Pascal", "a ! b", "i:a x:! i:b", true},
    {"a multi-line string", "s := '''\n  a\n  b\n  ''';", "i:s y::= s:'''\n  a\n  b\n  ''' y:;",
     false},
    {"the branch the defines say", "{$IFDEF FPC}a{$ELSE}b{$ENDIF}c",
     "d:{$IFDEF FPC} i:a d:{$ELSE} -i:b d:{$ENDIF} i:c", false},
    {"IFNDEF of what the unit defines", "{$DEFINE X}{$IFNDEF X}a{$ENDIF}",
     "d:{$DEFINE X} d:{$IFNDEF X} -i:a d:{$ENDIF}", false},
    {"IF takes its first branch", "{$IF defined(Y)}a{$ELSEIF Z}b{$ELSE}c{$IFEND}",
     "d:{$IF defined(Y)} i:a d:{$ELSEIF Z} -i:b d:{$ELSE} -i:c d:{$IFEND}", false},
    {"a mode in a branch not taken is not followed", "{$IFDEF NONE}{$mode objfpc}{$ENDIF}{ { } x",
     "d:{$IFDEF NONE} -d:{$mode objfpc} d:{$ENDIF} c:{ { } i:x", false},
    {"an IFDEF without ENDIF", "{$IFDEF FPC} x", "d:{$IFDEF FPC} i:x", true},
    {"an ENDIF without IFDEF", "{$ENDIF} x", "d:{$ENDIF} i:x", true},
    {"a byte-order mark and Ctrl+Z", "\xEF\xBB\xBFunit\x1A", "k:unit", false},
    {"identifiers in UTF-8",
     "Gr\xC3\xB6\xC3\x9F"
     "e := 1",
     "i:Gr\xC3\xB6\xC3\x9F"
     "e y::= n:1",
     false},
};

class LexTest : public testing::TestWithParam<LexCase> {};

TEST_P(LexTest, GivesTheTokens) {
  const LexCase& c = GetParam();
  const Source source{std::string(c.text)};
  const LexResult lexed = Lex(source);
  EXPECT_EQ(Dump(source, lexed), c.tokens);
  EXPECT_EQ(!lexed.messages.empty(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(Table, LexTest, testing::ValuesIn(kLexCases),
                         [](const testing::TestParamInfo<LexCase>& param_info) {
                           std::string name;
                           for (const char* p = param_info.param.name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(LexTest, StringValuesUndoTheQuoting) {
  EXPECT_EQ(StringValue("'it''s'#13#10"), "it's\r\n");
  EXPECT_EQ(StringValue("#$41#%1000010#&103'D'"), "ABCD");
  EXPECT_EQ(StringValue("#$263A"), "\xE2\x98\xBA");
  EXPECT_EQ(StringValue("'''\n    a\n      b\n    '''"), "a\n  b");
}

TEST(LexTest, LinesEndInEveryWay) {
  const Source source("a\r\nb\rc\nd");
  EXPECT_EQ(source.line_count(), 4u);
  const Location d = source.Locate(7);
  EXPECT_EQ(d.line, 4u);
  EXPECT_EQ(d.column, 1u);
  const Location c = source.Locate(5);
  EXPECT_EQ(c.line, 3u);
  EXPECT_EQ(SplitDirective("{$mode objfpc}").argument, "objfpc");
  EXPECT_EQ(SplitDirective("(*$I file.inc*)").name, "I");
}

}  // namespace
}  // namespace kx::pascal
