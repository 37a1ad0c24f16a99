// SPDX-License-Identifier: GPL-3.0-or-later
// The tokens of Object Pascal as Delphi 1–12 and Free Pascal write it: identifiers (also
// &-escaped ones), numbers in every base ($FF, %101, &17, 1_000, 1.5E3), string literals
// ('it''s', #13#10, #$0D, Delphi 12's ''' multi-line strings) as one token with their
// character codes, symbols, the three kinds of comment, compiler directives, and the text of an
// asm ... end block as one token.
//
//   LexResult lexed = Lex(source.text());
//   for (const Token& token : lexed.tokens)
//     if (token.kind == TokenKind::kIdentifier && token.keyword == Keyword::kClass) ...
//
// Comments and directives are tokens too, so the text between two tokens is only blanks and
// line ends: the tokens cover the unit. Nothing is skipped silently: what is not Pascal is a
// kInvalid token with a message. Braces nest in a comment only under {$mode objfpc}, {$mode
// fpc} or {$mode tp}, as in Free Pascal; Delphi's modes and units without a mode do not nest.
//
// Conditional compilation is followed as a compiler would with LexOptions::defines (by default
// FPC alone, so that "{$IFDEF FPC}{$mode objfpc}{$ENDIF}" counts) and the unit's own {$DEFINE}
// and {$UNDEF}: {$IFDEF} and {$IFNDEF} take the branch the defines say, {$IF expression} and
// {$IFOPT} their first branch. The tokens of a branch not taken carry kInactive. Each branch of
// well-formed code is balanced on its own, so the nesting of the unit stays intact.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pascal/source.h"

namespace kx::pascal {

enum class TokenKind : std::uint8_t {
  kIdentifier,  // also every reserved word: see keyword
  kNumber,
  kString,  // one or more quoted parts and #nn codes written without a blank between them
  kSymbol,
  kComment,
  kDirective,  // {$...} or (*$...*)
  kAsmText,    // what stands between asm and its end
  kInvalid,
};

// The words the reader looks at: reserved words and the directives that are only keywords in
// their place (read, write, virtual, ...). An &-escaped identifier is never a keyword.
enum class Keyword : std::uint8_t {
  kNone,
  kAbsolute,
  kAbstract,
  kAnd,
  kArray,
  kAs,
  kAsm,
  kAssembler,
  kAutomated,
  kBegin,
  kCase,
  kCdecl,
  kClass,
  kConst,
  kConstref,
  kConstructor,
  kDefault,
  kDeprecated,
  kDestructor,
  kDispid,
  kDispinterface,
  kDiv,
  kDo,
  kDownto,
  kDynamic,
  kElse,
  kEnd,
  kExcept,
  kExperimental,
  kExport,
  kExports,
  kExternal,
  kFar,
  kFile,
  kFinal,
  kFinalization,
  kFinally,
  kFor,
  kForward,
  kFunction,
  kGeneric,
  kGoto,
  kHelper,
  kIf,
  kImplementation,
  kImplements,
  kIn,
  kIndex,
  kInherited,
  kInitialization,
  kInline,
  kInterface,
  kIs,
  kLabel,
  kLibrary,
  kMessage,
  kMod,
  kName,
  kNear,
  kNil,
  kNodefault,
  kNot,
  kObject,
  kOf,
  kOn,
  kOperator,
  kOr,
  kOut,
  kOverload,
  kOverride,
  kPackage,
  kPacked,
  kPascal,
  kPlatform,
  kPrivate,
  kProcedure,
  kProgram,
  kProperty,
  kProtected,
  kPublic,
  kPublished,
  kRaise,
  kRead,
  kReadonly,
  kRecord,
  kReference,
  kRegister,
  kReintroduce,
  kRepeat,
  kResourcestring,
  kSafecall,
  kSealed,
  kSet,
  kShl,
  kShr,
  kSpecialize,
  kStatic,
  kStdcall,
  kStored,
  kStrict,
  kString,
  kThen,
  kThreadvar,
  kTo,
  kTry,
  kType,
  kUnit,
  kUntil,
  kUses,
  kVar,
  kVarargs,
  kVirtual,
  kWhile,
  kWinapi,
  kWith,
  kWrite,
  kWriteonly,
  kXor,
};

inline constexpr std::uint8_t kInactive = 1;     // in a branch of a conditional not taken
inline constexpr std::uint8_t kEscaped = 2;      // an &-escaped identifier
inline constexpr std::uint8_t kStartsLine = 4;   // only blanks before it on its line
inline constexpr std::uint8_t kConditional = 8;  // a directive of an {$IF...} group
inline constexpr std::uint8_t kInclude = 16;     // an include directive: {$I file}, {$INCLUDE}

struct Token {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  TokenKind kind = TokenKind::kInvalid;
  Keyword keyword = Keyword::kNone;
  std::uint8_t flags = 0;
  bool Is(Keyword word) const { return keyword == word; }
  bool Has(std::uint8_t flag) const { return (flags & flag) != 0; }
};

struct LexResult {
  std::vector<Token> tokens;
  std::vector<Message> messages;  // lexical errors, at most kMaxLexMessages and a last one
};

inline constexpr std::size_t kMaxLexMessages = 50;

struct LexOptions {
  std::vector<std::string> defines = {"FPC"};
};

// The source must not be larger than kMaxSourceSize (offsets are 32-bit).
LexResult Lex(const Source& source, const LexOptions& options = {});

// The name and argument of a directive token's text: "{$mode objfpc}" gives "mode" and
// "objfpc", "{$H+}" gives "H" and "+", "(*$I file.inc*)" gives "I" and "file.inc".
struct DirectiveText {
  std::string_view name;
  std::string_view argument;
};
DirectiveText SplitDirective(std::string_view text);

// The characters a string token stands for: quotes undone, '' as one quote, #nn and #$nn as
// the byte nn (codes above 255 as UTF-8). A multi-line string keeps its lines as written,
// less the common indentation of its closing quotes, with LF between them.
std::string StringValue(std::string_view token_text);

// ASCII case-insensitive equality, as Pascal compares identifiers.
bool SameName(std::string_view a, std::string_view b);

}  // namespace kx::pascal
