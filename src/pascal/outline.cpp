// SPDX-License-Identifier: GPL-3.0-or-later
#include "pascal/outline.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>
#include <utility>

namespace kx::pascal {

namespace {

using K = Keyword;

// Words that may follow a routine heading after its ";". Free Pascal adds many that are not
// keywords; "public" and "name" are left out (visibility in a class; external's argument).
constexpr std::array<std::string_view, 40> kRoutineDirectives = {
    "abstract",     "assembler",  "cdecl",        "compilerproc", "cppdecl",   "deprecated",
    "dispid",       "dynamic",    "experimental", "export",       "external",  "far",
    "final",        "forward",    "hardfloat",    "inline",       "interrupt", "iocheck",
    "library",      "local",      "message",      "mwpascal",     "near",      "noreturn",
    "nostackframe", "overload",   "override",     "pascal",       "platform",  "register",
    "reintroduce",  "safecall",   "softfloat",    "static",       "stdcall",   "unimplemented",
    "varargs",      "vectorcall", "virtual",      "winapi"};

// The words that end a property's type or a specifier's value.
bool IsPropertySpecifier(K word) {
  switch (word) {
    case K::kIndex:
    case K::kRead:
    case K::kWrite:
    case K::kStored:
    case K::kDefault:
    case K::kNodefault:
    case K::kImplements:
    case K::kReadonly:
    case K::kWriteonly:
    case K::kDispid:
      return true;
    default:
      return false;
  }
}

bool StartsRoutine(K word) {
  return word == K::kProcedure || word == K::kFunction || word == K::kConstructor ||
         word == K::kDestructor || word == K::kOperator;
}

RoutineKind KindOf(K word) {
  switch (word) {
    case K::kFunction:
      return RoutineKind::kFunction;
    case K::kConstructor:
      return RoutineKind::kConstructor;
    case K::kDestructor:
      return RoutineKind::kDestructor;
    case K::kOperator:
      return RoutineKind::kOperator;
    default:
      return RoutineKind::kProcedure;
  }
}

std::string LowerCopy(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// A type as written, without blanks and in lower case, for comparing parameter lists.
std::string Normalised(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

class Parser {
 public:
  Parser(Outline& out, const LexOptions& options)
      : out_(out), options_(options), text_(out.source.text()) {}

  void Run() {
    if (text_.find('\0') != std::string_view::npos) {
      out_.messages.push_back(
          {Severity::kError, 0, "The file is not Pascal source: it holds zero bytes."});
      return;
    }
    LexResult lexed = Lex(out_.source, options_);
    out_.tokens = std::move(lexed.tokens);
    out_.messages = std::move(lexed.messages);
    for (std::uint32_t t = 0; t < out_.tokens.size(); ++t) {
      const Token& token = out_.tokens[t];
      if (token.kind == TokenKind::kDirective) {
        NoteDirective(token);
      } else if (token.kind != TokenKind::kComment && !token.Has(kInactive)) {
        sig_.push_back(t);
      }
    }
    out_.complete = ParseUnitText() && !stopped_ && !out_.HasErrors();
    MatchBodies();
    FindRegistrations();
  }

 private:
  // --- tokens ---------------------------------------------------------------------------

  bool AtEnd(std::size_t k) const { return k >= sig_.size(); }
  bool AtEnd() const { return AtEnd(i_); }
  const Token& Tok(std::size_t k) const { return out_.tokens[sig_[k]]; }
  K Word(std::size_t k) const { return AtEnd(k) ? K::kNone : Tok(k).keyword; }
  K Word() const { return Word(i_); }
  std::string_view TextAt(std::size_t k) const {
    if (AtEnd(k)) return {};
    return text_.substr(Tok(k).begin, Tok(k).end - Tok(k).begin);
  }
  bool Sym(std::size_t k, std::string_view symbol) const {
    return !AtEnd(k) && Tok(k).kind == TokenKind::kSymbol && TextAt(k) == symbol;
  }
  bool Sym(std::string_view symbol) const { return Sym(i_, symbol); }
  bool IsIdent(std::size_t k) const { return !AtEnd(k) && Tok(k).kind == TokenKind::kIdentifier; }
  std::uint32_t BeginOf(std::size_t k) const {
    return AtEnd(k) ? out_.source.size() : Tok(k).begin;
  }
  std::uint32_t EndOf(std::size_t k) const { return AtEnd(k) ? out_.source.size() : Tok(k).end; }
  // From the start of token first to the end of token last (both significant indices).
  Span SpanOf(std::size_t first, std::size_t last) const {
    if (AtEnd(first)) return out_.source.MakeSpan(out_.source.size(), out_.source.size());
    return out_.source.MakeSpan(BeginOf(first), EndOf(std::min(last, sig_.size() - 1)));
  }
  // The tokens [first, next) where next is one past the last.
  Span SpanUntil(std::size_t first, std::size_t next) const {
    if (next <= first) return out_.source.MakeSpan(BeginOf(first), BeginOf(first));
    return SpanOf(first, next - 1);
  }
  Name NameAt(std::size_t k) const { return {std::string(TextAt(k)), SpanOf(k, k)}; }
  std::uint32_t LineOf(std::size_t k) const { return out_.source.Locate(BeginOf(k)).line; }

  // --- messages --------------------------------------------------------------------------

  void Error(std::size_t k, std::string text) {
    if (errors_ >= kMaxErrors || stopped_) return;
    // A routine nested in routines reports a missing part once, not at every level.
    if (!out_.messages.empty() && out_.messages.back().line == LineOf(k) &&
        out_.messages.back().text == text) {
      return;
    }
    if (++errors_ == kMaxErrors) text = "There are more errors; the rest are not reported.";
    out_.messages.push_back({Severity::kError, LineOf(k), std::move(text)});
  }
  void CannotFollow(std::uint32_t offset, std::string text) {
    out_.messages.push_back(
        {Severity::kCannotFollow, out_.source.Locate(offset).line, std::move(text)});
  }
  std::string Shown(std::size_t k) const {
    if (AtEnd(k)) return "the end of the unit";
    std::string_view text = TextAt(k);
    if (text.size() > 40) return "\"" + std::string(text.substr(0, 40)) + "...\"";
    return "\"" + std::string(text) + "\"";
  }
  void Expected(std::string_view what) {
    Error(i_, "Expected " + std::string(what) + " but found " + Shown(i_) + ".");
  }
  bool Expect(std::string_view symbol) {
    if (Sym(symbol)) {
      ++i_;
      return true;
    }
    Expected("\"" + std::string(symbol) + "\"");
    return false;
  }

  void NoteDirective(const Token& token) {
    const std::string_view text = text_.substr(token.begin, token.end - token.begin);
    const DirectiveText parts = SplitDirective(text);
    out_.directives.push_back({std::string(parts.name), std::string(parts.argument),
                               out_.source.MakeSpan(token.begin, token.end),
                               !token.Has(kInactive)});
    if (token.Has(kConditional)) conditionals_.push_back(token.begin);
    if (token.Has(kInclude) && !token.Has(kInactive)) {
      conditionals_.push_back(token.begin);
      CannotFollow(token.begin, "The include file " + std::string(parts.argument) +
                                    " is not read; the text around it is carried as it is.");
    }
  }

  bool HasConditionalIn(const Span& span) const {
    const auto it = std::lower_bound(conditionals_.begin(), conditionals_.end(), span.begin.offset);
    return it != conditionals_.end() && *it < span.end.offset;
  }

  // The comments directly above the token: each starts its line and no blank line
  // separates them from each other or from the token.
  Span CommentAbove(std::size_t k) const {
    if (AtEnd(k)) return {};
    std::uint32_t t = sig_[k];
    std::uint32_t first = t;
    std::uint32_t next_begin = out_.tokens[t].begin;
    while (t > 0) {
      const Token& prev = out_.tokens[t - 1];
      if (prev.kind != TokenKind::kComment || !prev.Has(kStartsLine)) break;
      const std::string_view gap = text_.substr(prev.end, next_begin - prev.end);
      int line_ends = 0;
      for (std::size_t g = 0; g < gap.size(); ++g) {
        if (gap[g] == '\n' || (gap[g] == '\r' && (g + 1 >= gap.size() || gap[g + 1] != '\n')))
          ++line_ends;
      }
      if (line_ends > 1) break;
      --t;
      first = t;
      next_begin = prev.begin;
    }
    if (first == sig_[k]) return {};
    std::uint32_t last = sig_[k] - 1;
    return out_.source.MakeSpan(out_.tokens[first].begin, out_.tokens[last].end);
  }

  // --- skipping ------------------------------------------------------------------------

  // Up to (not past) the ";" that ends the current declaration: parentheses, brackets and
  // the record/class/object/interface ... end blocks of a type nest.
  void SkipToSemicolon() {
    int parens = 0;
    int blocks = 0;
    while (!AtEnd()) {
      const K word = Word();
      if (Sym("(") || Sym("[") || Sym("(.")) {
        ++parens;
      } else if (Sym(")") || Sym("]") || Sym(".)")) {
        if (parens > 0) --parens;
      } else if (parens == 0 && Sym(";") && blocks == 0) {
        return;
      } else if (word == K::kRecord || word == K::kInterface || word == K::kDispinterface) {
        if (!Sym(i_ + 1, ";")) ++blocks;
      } else if (word == K::kObject && Word(i_ - 1) != K::kOf) {
        ++blocks;
      } else if (word == K::kClass && !Sym(i_ + 1, ";") && Word(i_ + 1) != K::kOf &&
                 !StartsRoutine(Word(i_ + 1)) && Word(i_ + 1) != K::kProperty &&
                 Word(i_ + 1) != K::kVar) {
        ++blocks;
      } else if (word == K::kEnd) {
        if (blocks == 0) return;
        --blocks;
      } else if (parens == 0 && blocks == 0 && IsSectionEnd(word)) {
        return;
      }
      ++i_;
    }
  }

  static bool IsSectionEnd(K word) {
    return word == K::kImplementation || word == K::kInitialization || word == K::kFinalization ||
           word == K::kBegin;
  }

  // From begin/asm/try/case: past the end that closes it. Returns the index of that end.
  std::optional<std::size_t> SkipBlock() {
    const std::size_t start = i_;
    std::size_t depth = 0;
    while (!AtEnd()) {
      const K word = Word();
      if (word == K::kBegin || word == K::kCase || word == K::kTry || word == K::kAsm) {
        ++depth;
      } else if (word == K::kRecord && depth > 0) {
        ++depth;  // a record type in an inline declaration
      } else if (word == K::kEnd) {
        if (--depth == 0) return i_++;
      }
      ++i_;
    }
    Error(start, "The block that starts here has no end.");
    stopped_ = true;
    return std::nullopt;
  }

  // Past a balanced (...) or [...] starting at the current token.
  void SkipBalanced() {
    int depth = 0;
    while (!AtEnd()) {
      if (Sym("(") || Sym("[") || Sym("(."))
        ++depth;
      else if (Sym(")") || Sym("]") || Sym(".)"))
        --depth;
      ++i_;
      if (depth <= 0) return;
    }
  }

  void SkipGenericParameters() {
    int depth = 0;
    while (!AtEnd()) {
      if (Sym("<"))
        ++depth;
      else if (Sym(">"))
        --depth;
      else if (Sym(";") && depth == 0)
        return;
      ++i_;
      if (depth <= 0) return;
    }
  }

  // --- unit --------------------------------------------------------------------------------

  bool ParseUnitText() {
    const K word = Word();
    if (word != K::kUnit && word != K::kProgram && word != K::kLibrary && word != K::kPackage) {
      Expected("unit, program, library or package");
      return false;
    }
    const std::size_t start = i_++;
    out_.kind = LowerCopy(TextAt(start));
    const std::size_t name_first = i_;
    while (IsIdent(i_) && (Sym(i_ + 1, ".") && IsIdent(i_ + 2))) i_ += 2;
    if (!IsIdent(i_)) {
      Expected("the unit's name");
      return false;
    }
    out_.unit_name = {
        std::string(text_.substr(BeginOf(name_first), EndOf(i_) - BeginOf(name_first))),
        SpanOf(name_first, i_)};
    ++i_;
    if (Sym("(")) SkipBalanced();  // program Name(Input, Output);
    SkipToSemicolon();             // portability hints: unit Foo platform;
    if (!Expect(";")) return false;
    out_.heading = SpanOf(start, i_ - 1);

    if (word == K::kUnit) {
      if (Word() != K::kInterface) {
        Expected("interface");
        return false;
      }
      const std::size_t interface_start = i_++;
      ParseDeclarations(Part::kInterface, 0);
      out_.interface_part = SpanUntil(interface_start, i_);
      if (Word() != K::kImplementation) {
        Expected("implementation");
        return false;
      }
      const std::size_t implementation_start = i_++;
      ParseDeclarations(Part::kImplementation, 0);
      out_.implementation_part = SpanUntil(implementation_start, i_);
    } else {
      ParseDeclarations(Part::kImplementation, 0);
    }
    if (stopped_) return false;
    return ParseUnitEnd();
  }

  bool ParseUnitEnd() {
    if (Word() == K::kInitialization || Word() == K::kFinalization) {
      if (Word() == K::kInitialization) out_.initialization = ParseStatementsPart();
      if (Word() == K::kFinalization) out_.finalization = ParseStatementsPart();
    } else if (Word() == K::kBegin) {
      const std::size_t start = i_;
      if (!SkipBlock()) return false;
      out_.main_block = SpanUntil(start, i_);
      --i_;  // the end of "end."
    }
    if (Word() != K::kEnd) {
      Expected("\"end.\"");
      return false;
    }
    const std::size_t end = i_++;
    if (!Sym(".")) {
      Expected("\".\"");
      return false;
    }
    out_.end = SpanOf(end, i_);
    return true;
  }

  // initialization or finalization: its statements up to the next part or the unit's end.
  Span ParseStatementsPart() {
    const std::size_t start = i_++;
    std::size_t depth = 0;
    while (!AtEnd()) {
      const K word = Word();
      if (depth == 0 && (word == K::kFinalization || (word == K::kEnd && Sym(i_ + 1, ".")))) break;
      if (word == K::kBegin || word == K::kCase || word == K::kTry || word == K::kAsm)
        ++depth;
      else if (word == K::kEnd && depth > 0)
        --depth;
      ++i_;
    }
    return SpanUntil(start, i_);
  }

  // --- declarations ----------------------------------------------------------------------

  Block& AddBlock(BlockKind kind, Part part, std::size_t start) {
    Block block;
    block.kind = kind;
    block.part = part;
    block.comment = CommentAbove(start);
    out_.blocks.push_back(std::move(block));
    return out_.blocks.back();
  }

  // Declarations at unit level (depth 0, recorded as blocks) or local to a routine.
  void ParseDeclarations(Part part, int depth) {
    const bool unit_level = depth == 0;
    while (!AtEnd() && !stopped_) {
      const std::size_t start = i_;
      const K word = Word();
      if (word == K::kImplementation || word == K::kInitialization || word == K::kFinalization ||
          word == K::kBegin || word == K::kEnd || word == K::kAsm) {
        return;
      }
      if (Tok(i_).Has(kEscaped)) {
        Expected("a declaration");
        SkipToSemicolon();
        ++i_;
        continue;
      }
      BlockKind kind = BlockKind::kOther;
      std::vector<Name> names;
      const std::size_t types_before = out_.types.size();
      std::optional<std::size_t> routine;
      switch (word) {
        case K::kUses:
          kind = BlockKind::kUses;
          ParseUses(part);
          break;
        case K::kType:
          kind = BlockKind::kType;
          ++i_;
          ParseTypeSection(part, std::nullopt, depth);
          break;
        case K::kConst:
        case K::kResourcestring:
          kind = word == K::kConst ? BlockKind::kConst : BlockKind::kResourcestring;
          ++i_;
          ParseValueSection(names, nullptr);
          break;
        case K::kVar:
        case K::kThreadvar:
          kind = word == K::kVar ? BlockKind::kVar : BlockKind::kThreadvar;
          ++i_;
          ParseValueSection(names, nullptr);
          break;
        case K::kProperty:  // Free Pascal's global properties
        case K::kLabel:
        case K::kExports:
          kind = word == K::kLabel ? BlockKind::kLabel : BlockKind::kExports;
          SkipToSemicolon();
          if (Sym(";")) ++i_;
          break;
        case K::kClass:
        case K::kGeneric:
        case K::kProcedure:
        case K::kFunction:
        case K::kConstructor:
        case K::kDestructor:
        case K::kOperator:
          if (word == K::kClass || word == K::kGeneric) {
            if (!StartsRoutine(Word(i_ + 1))) {
              Expected("a declaration");
              SkipToSemicolon();
              if (Sym(";")) ++i_;
              break;
            }
          }
          kind = BlockKind::kRoutine;
          routine = ParseRoutine(part, depth);
          break;
        default:
          if (Sym("[")) {  // an attribute before a routine
            SkipBalanced();
            continue;
          }
          Expected("a declaration");
          SkipToSemicolon();
          if (Sym(";")) ++i_;
          if (i_ == start) ++i_;
          break;
      }
      if (i_ == start) ++i_;  // never stand still
      if (!unit_level) {
        if (depth > 0) out_.types.resize(types_before);  // local types are not the unit's
        continue;
      }
      Block& block = AddBlock(kind, part, start);
      block.whole = SpanUntil(start, i_);
      block.names = std::move(names);
      for (std::size_t t = types_before; t < out_.types.size(); ++t) {
        if (!out_.types[t].outer) {
          block.types.push_back(t);
          block.names.push_back(out_.types[t].name);
        }
      }
      block.routine = routine;
      if (routine) block.names.push_back(out_.routines[*routine].heading.name);
    }
  }

  void ParseUses(Part part) {
    const std::size_t start = i_++;
    UsesClause uses;
    while (!AtEnd() && !Sym(";")) {
      const std::size_t first = i_;
      if (!IsIdent(i_)) {
        Expected("a unit name");
        SkipToSemicolon();
        break;
      }
      while (IsIdent(i_) && Sym(i_ + 1, ".") && IsIdent(i_ + 2)) i_ += 2;
      UsedUnit used;
      used.name = {std::string(text_.substr(BeginOf(first), EndOf(i_) - BeginOf(first))),
                   SpanOf(first, i_)};
      ++i_;
      if (Word() == K::kIn && !AtEnd(i_ + 1)) {
        used.in_file = SpanOf(i_ + 1, i_ + 1);
        i_ += 2;
      }
      used.whole = SpanUntil(first, i_);
      uses.units.push_back(std::move(used));
      if (Sym(",")) {
        ++i_;
      } else if (!Sym(";")) {
        Expected("\",\" or \";\"");
        SkipToSemicolon();
        break;
      }
    }
    if (Sym(";")) ++i_;
    uses.whole = SpanUntil(start, i_);
    auto& slot = part == Part::kInterface ? out_.interface_uses : out_.implementation_uses;
    if (!slot) slot = std::move(uses);
  }

  // "Name [: Type] [= value];" lists of const, var and class var sections. With a type, the
  // names become its members.
  void ParseValueSection(std::vector<Name>& names, TypeDecl* type, bool constants = false,
                         Visibility visibility = Visibility::kDefault, bool class_member = false) {
    while (IsIdent(i_) && !IsMemberStart(i_)) {
      const std::size_t start = i_;
      std::vector<std::size_t> name_tokens;
      while (IsIdent(i_)) {
        name_tokens.push_back(i_++);
        if (!Sym(",")) break;
        ++i_;
      }
      if (!Sym(":") && !Sym("=")) {
        Expected("\":\" or \"=\"");
        SkipToSemicolon();
        if (Sym(";")) ++i_;
        return;
      }
      Span type_span, value_span;
      if (Sym(":")) {
        const std::size_t type_start = ++i_;
        SkipTypeUntil("=");
        type_span = SpanUntil(type_start, i_);
      }
      if (Sym("=")) {
        const std::size_t value_start = ++i_;
        SkipToSemicolon();
        value_span = SpanUntil(value_start, i_);
      } else {
        SkipToSemicolon();  // absolute X, hint directives
      }
      if (Sym(";")) {
        ++i_;
      } else if (Word() != K::kEnd) {  // the last field of a record may go without ";"
        Expected("\";\"");
        return;
      }
      // A procedural type's calling convention, an external variable's name.
      while (IsRoutineDirective(i_)) {
        SkipToSemicolon();
        if (Sym(";")) ++i_;
      }
      SkipHints();
      for (const std::size_t k : name_tokens) {
        names.push_back(NameAt(k));
        if (!type) continue;
        Member member;
        member.kind = constants ? MemberKind::kConstant : MemberKind::kField;
        member.visibility = visibility;
        member.class_member = class_member;
        member.name = NameAt(k);
        member.whole = SpanUntil(start, i_);
        member.comment = CommentAbove(start);
        member.type = type_span;
        member.value = value_span;
        AddMember(*type, std::move(member));
      }
    }
  }

  // Up to a ";" or the given symbol at the outer level (a field's type stops at "=").
  void SkipTypeUntil(std::string_view symbol) {
    const std::size_t start = i_;
    int parens = 0;
    while (!AtEnd()) {
      if (parens == 0 && (Sym(symbol) || Sym(";"))) return;
      const K word = Word();
      if (Sym("(") || Sym("[")) {
        ++parens;
      } else if (Sym(")") || Sym("]")) {
        --parens;
      } else if (word == K::kRecord || word == K::kObject || word == K::kClass ||
                 word == K::kInterface) {
        // An anonymous structured type: its own end nests.
        if (!(word == K::kObject && Word(i_ - 1) == K::kOf) && Word(i_ + 1) != K::kOf) {
          i_ = start;
          SkipToSemicolon();
          return;
        }
      } else if (parens == 0 && (word == K::kEnd || IsSectionEnd(word))) {
        return;
      }
      ++i_;
    }
  }

  // deprecated 'text'; platform; experimental; library; after a declaration's ";".
  void SkipHints() {
    while ((Word() == K::kDeprecated || Word() == K::kPlatform || Word() == K::kExperimental) &&
           !Sym(i_ + 1, ":") && !Sym(i_ + 1, "=") && !Sym(i_ + 1, ",")) {
      SkipToSemicolon();
      if (Sym(";")) ++i_;
    }
  }

  // --- types -------------------------------------------------------------------------------

  bool StartsTypeDecl(std::size_t k) const {
    if (Word(k) == K::kGeneric) return IsIdent(k + 1);
    return IsIdent(k) && (Sym(k + 1, "=") || Sym(k + 1, "<")) &&
           (Word(k) == K::kNone || !IsReserved(Word(k)));
  }

  static bool IsReserved(K word) {
    switch (word) {
      case K::kBegin:
      case K::kEnd:
      case K::kType:
      case K::kVar:
      case K::kConst:
      case K::kProcedure:
      case K::kFunction:
      case K::kClass:
      case K::kProperty:
      case K::kImplementation:
      case K::kInitialization:
      case K::kFinalization:
      case K::kPrivate:
      case K::kProtected:
      case K::kPublic:
      case K::kPublished:
      case K::kStrict:
      case K::kCase:
      case K::kOperator:
      case K::kConstructor:
      case K::kDestructor:
      case K::kLabel:
      case K::kResourcestring:
      case K::kThreadvar:
      case K::kUses:
      case K::kExports:
        return true;
      default:
        return false;
    }
  }

  void ParseTypeSection(Part part, std::optional<std::size_t> outer, int depth,
                        Visibility visibility = Visibility::kDefault) {
    while (StartsTypeDecl(i_) && !stopped_) {
      const std::size_t index = ParseTypeDecl(part, outer, depth);
      if (outer) {
        Member member;
        member.kind = MemberKind::kType;
        member.visibility = visibility;
        member.name = out_.types[index].name;
        member.whole = out_.types[index].whole;
        member.comment = out_.types[index].comment;
        member.nested = index;
        AddMember(out_.types[*outer], std::move(member));
      }
    }
  }

  std::size_t ParseTypeDecl(Part part, std::optional<std::size_t> outer, int depth) {
    const std::size_t start = i_;
    const std::size_t index = out_.types.size();
    out_.types.emplace_back();
    {
      TypeDecl& type = out_.types[index];
      type.part = part;
      type.outer = outer;
      type.comment = CommentAbove(start);
    }
    bool generic = false;
    if (Word() == K::kGeneric) {
      generic = true;
      ++i_;
    }
    out_.types[index].name = NameAt(i_++);
    if (Sym("<")) {
      generic = true;
      SkipGenericParameters();
    }
    if (!Sym("=")) {
      Expected("\"=\"");
      SkipToSemicolon();
    } else {
      ++i_;
      const std::size_t definition = i_;
      if (depth >= kMaxOutlineNesting) {
        Error(start, "Types nest too deeply here.");
        stopped_ = true;
        return index;
      }
      ParseTypeDefinition(index, depth);
      // Hints after a class's end ("end platform;") stand before the ";".
      SkipToSemicolon();
      out_.types[index].definition = SpanUntil(definition, i_);
    }
    if (Sym(";"))
      ++i_;
    else
      Expected("\";\"");
    TypeDecl& type = out_.types[index];
    type.whole = SpanUntil(start, i_);
    if (generic) {
      type.kind = TypeKind::kGeneric;
      type.followed = false;
      CannotFollow(type.whole.begin.offset, "The generic type " + type.name.text +
                                                " is not followed; its text is carried as it is.");
    } else if (!outer && HasConditionalIn(type.whole) && type.IsClassLike()) {
      type.followed = false;
      CannotFollow(
          type.whole.begin.offset,
          "The declaration of " + type.name.text +
              " is split by conditional directives or an include file; its text is carried "
              "as it is.");
    }
    return index;
  }

  void ParseTypeDefinition(std::size_t index, int depth) {
    // A distinct type: TFoo = type Integer.
    if (Word() == K::kType && !Sym(i_ + 1, ";") && Word(i_ + 1) != K::kHelper) ++i_;
    if (Word() == K::kPacked) ++i_;
    const K word = Word();
    auto kind = [&](TypeKind k) { out_.types[index].kind = k; };
    if (word == K::kClass && Sym(i_ + 1, ";")) {
      kind(TypeKind::kClassForward);
      ++i_;
    } else if (word == K::kClass && Word(i_ + 1) == K::kOf) {
      kind(TypeKind::kClassReference);
    } else if (word == K::kClass) {
      ++i_;
      if (Word() == K::kHelper) return ParseHelper(index, depth);
      kind(TypeKind::kClass);
      while (Word() == K::kAbstract || Word() == K::kSealed) ++i_;
      ParseStructure(index, depth, true);
    } else if (word == K::kObject) {
      kind(TypeKind::kObject);
      ++i_;
      ParseStructure(index, depth, true);
    } else if (word == K::kRecord) {
      ++i_;
      if (Word() == K::kHelper) return ParseHelper(index, depth);
      kind(TypeKind::kRecord);
      ParseStructure(index, depth, false);
    } else if ((word == K::kInterface || word == K::kDispinterface) && Sym(i_ + 1, ";")) {
      kind(TypeKind::kInterfaceForward);
      ++i_;
    } else if (word == K::kInterface || word == K::kDispinterface) {
      kind(TypeKind::kInterface);
      ++i_;
      ParseStructure(index, depth, true);
    } else if (word == K::kType && Word(i_ + 1) == K::kHelper) {
      ++i_;
      ParseHelper(index, depth);
    } else if (Sym("(")) {
      kind(TypeKind::kEnumeration);
    } else if (word == K::kSet) {
      kind(TypeKind::kSet);
    } else if (StartsRoutine(word) || word == K::kReference) {
      kind(TypeKind::kProcedural);
      SkipToSemicolon();
      // Calling conventions may follow the ";": TCallback = procedure; stdcall;
      while (Sym(";") && IsRoutineDirective(i_ + 1) && !Sym(i_ + 2, "=")) {
        ++i_;
        SkipToSemicolon();
      }
    } else {
      kind(TypeKind::kOther);
    }
  }

  void ParseHelper(std::size_t index, int depth) {
    out_.types[index].kind = TypeKind::kHelper;
    ++i_;  // helper
    if (Sym("(")) ParseAncestors(index);
    if (Word() == K::kFor && IsIdent(i_ + 1)) {
      ++i_;
      out_.types[index].parent = ParseQualifiedName();
    }
    ParseMembers(index, depth);
  }

  Name ParseQualifiedName() {
    const std::size_t first = i_;
    while (IsIdent(i_) && Sym(i_ + 1, ".") && IsIdent(i_ + 2)) i_ += 2;
    const std::size_t last = i_++;
    return {std::string(text_.substr(BeginOf(first), EndOf(last) - BeginOf(first))),
            SpanOf(first, last)};
  }

  void ParseAncestors(std::size_t index) {
    ++i_;  // (
    while (!AtEnd() && !Sym(")")) {
      if (IsIdent(i_)) {
        const std::size_t first = i_;
        if (Word() == K::kSpecialize) ++i_;
        Name name = ParseQualifiedName();
        if (Sym("<")) {
          SkipGenericParameters();
          name = {std::string(text_.substr(BeginOf(first), EndOf(i_ - 1) - BeginOf(first))),
                  SpanUntil(first, i_)};
        }
        out_.types[index].ancestors.push_back(std::move(name));
      } else if (Sym(";") || IsSectionEnd(Word())) {
        Expected("\")\"");
        return;
      } else {
        ++i_;
      }
    }
    if (Sym(")")) ++i_;
    if (!out_.types[index].ancestors.empty())
      out_.types[index].parent = out_.types[index].ancestors.front();
  }

  // After class/object/interface/record: [(ancestors)] [GUID] members end, or a class with
  // no body: "EMine = class(Exception);".
  void ParseStructure(std::size_t index, int depth, bool has_ancestors) {
    if (has_ancestors && Sym("(")) ParseAncestors(index);
    if (Sym(";")) return;
    ParseMembers(index, depth);
  }

  bool IsMemberStart(std::size_t k) const {
    const K word = Word(k);
    if (AtEnd(k) || Tok(k).Has(kEscaped)) return false;
    switch (word) {
      case K::kPrivate:
      case K::kProtected:
      case K::kPublic:
      case K::kPublished:
      case K::kAutomated:
        return !Sym(k + 1, ":") && !Sym(k + 1, ",") && !Sym(k + 1, "=");
      case K::kStrict:
      case K::kProperty:
      case K::kProcedure:
      case K::kFunction:
      case K::kConstructor:
      case K::kDestructor:
      case K::kOperator:
      case K::kClass:
      case K::kType:
      case K::kConst:
      case K::kVar:
      case K::kEnd:
      case K::kCase:
      case K::kGeneric:
      case K::kLabel:
      case K::kResourcestring:
      case K::kThreadvar:
      case K::kExports:
      case K::kUses:
        return true;
      default:
        return IsSectionEnd(word);
    }
  }

  void AddMember(TypeDecl& type, Member member) {
    if (type.sections.empty()) {
      VisibilitySection section;
      section.whole = out_.source.MakeSpan(member.whole.begin.offset, member.whole.begin.offset);
      type.sections.push_back(section);
    }
    type.sections.back().whole.end = member.whole.end;
    type.members.push_back(std::move(member));
  }

  void ParseMembers(std::size_t index, int depth) {
    Visibility visibility = Visibility::kDefault;
    while (!stopped_) {
      if (AtEnd()) {
        Error(i_, "The declaration of " + out_.types[index].name.text + " has no end.");
        stopped_ = true;
        return;
      }
      const std::size_t start = i_;
      const K word = Tok(i_).Has(kEscaped) ? K::kNone : Word();
      if (word == K::kEnd) {
        ++i_;
        return;
      }
      if (IsSectionEnd(word)) {
        Expected("\"end\"");
        return;
      }
      if (Sym("[")) {  // a GUID or an attribute
        SkipBalanced();
        continue;
      }
      if (IsMemberStart(i_) &&
          (word == K::kStrict || word == K::kPrivate || word == K::kProtected ||
           word == K::kPublic || word == K::kPublished || word == K::kAutomated)) {
        visibility = ParseVisibility();
        VisibilitySection section;
        section.visibility = visibility;
        section.keyword = SpanUntil(start, i_);
        section.whole = section.keyword;
        out_.types[index].sections.push_back(section);
        continue;
      }
      bool class_member = false;
      if (word == K::kClass && !Sym(i_ + 1, ";")) {
        class_member = true;
        ++i_;
      }
      const K what = Word();
      if (StartsRoutine(what) || what == K::kGeneric) {
        ParseMethod(index, start, visibility, class_member);
      } else if (what == K::kProperty) {
        ParseProperty(index, start, visibility, class_member);
      } else if (what == K::kType) {
        ++i_;
        ParseTypeSection(out_.types[index].part, index, depth + 1, visibility);
      } else if (what == K::kConst) {
        ++i_;
        std::vector<Name> names;
        ParseValueSection(names, &out_.types[index], true, visibility, class_member);
      } else if (what == K::kVar || what == K::kThreadvar) {
        ++i_;
        std::vector<Name> names;
        ParseValueSection(names, &out_.types[index], false, visibility, class_member);
      } else if (what == K::kCase) {
        SkipVariantPart();
      } else if (IsIdent(i_)) {
        std::vector<Name> names;
        ParseValueSection(names, &out_.types[index], false, visibility, class_member);
      } else {
        Expected("a member");
        SkipToSemicolon();
        if (Sym(";")) ++i_;
      }
      if (i_ == start) ++i_;
    }
  }

  Visibility ParseVisibility() {
    const bool strict = Word() == K::kStrict;
    if (strict) ++i_;
    const K word = Word();
    ++i_;
    switch (word) {
      case K::kPrivate:
        return strict ? Visibility::kStrictPrivate : Visibility::kPrivate;
      case K::kProtected:
        return strict ? Visibility::kStrictProtected : Visibility::kProtected;
      case K::kPublic:
        return Visibility::kPublic;
      case K::kPublished:
        return Visibility::kPublished;
      case K::kAutomated:
        return Visibility::kAutomated;
      default:
        Expected("private or protected");
        return Visibility::kDefault;
    }
  }

  // case Tag: Integer of 0: (...); 1: (...); up to the record's end.
  void SkipVariantPart() {
    while (!AtEnd() && Word() != K::kEnd) {
      if (Sym("("))
        SkipBalanced();
      else
        ++i_;
    }
  }

  void ParseMethod(std::size_t index, std::size_t start, Visibility visibility, bool class_member) {
    Member member;
    member.kind = MemberKind::kMethod;
    member.visibility = visibility;
    member.class_member = class_member;
    member.comment = CommentAbove(start);
    const bool generic = ParseHeading(member.routine, start, /*in_class=*/true);
    member.routine.class_method = class_member;
    member.name = member.routine.name;
    member.whole = member.routine.whole;
    if (generic) {
      CannotFollow(member.whole.begin.offset,
                   "The generic method " + member.name.text +
                       " is not followed; its text is carried as it is.");
    }
    AddMember(out_.types[index], std::move(member));
  }

  bool IsRoutineDirective(std::size_t k) const {
    if (!IsIdent(k) || Tok(k).Has(kEscaped)) return false;
    if (Sym(k + 1, ":") || Sym(k + 1, ",") || Sym(k + 1, "=")) return false;
    const std::string word = LowerCopy(TextAt(k));
    return std::find(kRoutineDirectives.begin(), kRoutineDirectives.end(), word) !=
           kRoutineDirectives.end();
  }

  // [class] procedure|function|... Name[.Name][<T>] [(params)] [: Result] ; directives.
  // Returns whether it is generic.
  bool ParseHeading(RoutineHeading& heading, std::size_t start, bool in_class) {
    bool generic = false;
    if (Word() == K::kClass) {
      heading.class_method = true;
      ++i_;
    }
    if (Word() == K::kGeneric) {
      generic = true;
      ++i_;
    }
    heading.kind = KindOf(Word());
    ++i_;
    // The name: dotted, and for an operator perhaps a symbol ("operator +(...)").
    const std::size_t name_first = i_;
    if (!AtEnd() && (IsIdent(i_) || Tok(i_).kind == TokenKind::kSymbol) && !Sym("(") && !Sym(";")) {
      ++i_;
      while (true) {
        if (Sym("<")) {
          generic = true;
          SkipGenericParameters();
        }
        // class operator TPoint.= (A, B: TPoint): Boolean;
        const bool symbol_name = heading.kind == RoutineKind::kOperator && !AtEnd(i_ + 1) &&
                                 Tok(i_ + 1).kind == TokenKind::kSymbol && !Sym(i_ + 1, "(");
        if (Sym(".") && (IsIdent(i_ + 1) || symbol_name)) {
          i_ += 2;
          continue;
        }
        break;
      }
    } else {
      Expected("a name");
    }
    heading.name.span = SpanUntil(name_first, i_);
    heading.name.text = std::string(out_.Text(heading.name.span));
    if (Sym("(")) {
      const std::size_t params = i_;
      ParseParameters(heading);
      heading.parameters = SpanUntil(params, i_);
    }
    // Free Pascal names an operator's result: operator := (A: Smallint) B: TBytes;
    if (heading.kind == RoutineKind::kOperator && IsIdent(i_) && Sym(i_ + 1, ":")) ++i_;
    if (Sym(":")) {
      const std::size_t result = ++i_;
      SkipTypeUntil(";");
      heading.result = SpanUntil(result, i_);
    }
    if (Sym("=")) {  // method resolution: procedure IFoo.Bar = Baz;
      ++i_;
      SkipToSemicolon();
    }
    if (Sym(";")) {
      ++i_;
    } else if (!IsRoutineDirective(i_)) {  // Free Pascal takes "...) virtual;" too
      Expected("\";\"");
      SkipToSemicolon();
      if (Sym(";")) ++i_;
    }
    ParseRoutineDirectives(heading, in_class);
    heading.whole = SpanUntil(start, i_);
    return generic;
  }

  void ParseRoutineDirectives(RoutineHeading& heading, bool in_class) {
    while (!AtEnd()) {
      if (Sym("[")) {  // Free Pascal's [public, alias: 'x'];
        if (in_class) return;
        SkipBalanced();
        if (Sym(";")) ++i_;
        continue;
      }
      // A word that is no directive, alone before ";": a macro ({$DEFINE extdecl:=cdecl}).
      const bool macro =
          IsIdent(i_) && Word() == K::kNone && Sym(i_ + 1, ";") && !IsRoutineDirective(i_);
      if (!IsRoutineDirective(i_) && !macro && !(!in_class && Word() == K::kPublic)) return;
      if (macro) {
        CannotFollow(BeginOf(i_), "The directive " + std::string(TextAt(i_)) +
                                      " is not known (a macro?); it is carried as it is.");
      }
      RoutineDirective directive;
      const std::size_t first = i_++;
      directive.word = LowerCopy(TextAt(first));
      const std::size_t argument = i_;
      // "name" and "index" of external, "message WM_X", "deprecated 'why'", "dispid 3".
      while (!AtEnd() && !Sym(";") && !IsSectionEnd(Word()) && Word() != K::kEnd &&
             !(in_class && IsMemberStart(i_))) {
        if (Sym("(") || Sym("["))
          SkipBalanced();
        else
          ++i_;
      }
      directive.argument = SpanUntil(argument, i_);
      directive.whole = SpanUntil(first, i_);
      heading.directives.push_back(std::move(directive));
      if (Sym(";"))
        ++i_;
      else
        break;
    }
  }

  void ParseParameters(RoutineHeading& heading) {
    ++i_;  // (
    while (!AtEnd() && !Sym(")")) {
      std::string modifier;
      const K word = Word();
      if ((word == K::kConst || word == K::kVar || word == K::kOut || word == K::kConstref) &&
          !Sym(i_ + 1, ":") && !Sym(i_ + 1, ",")) {
        modifier = LowerCopy(TextAt(i_));
        ++i_;
      }
      if (Sym("[")) SkipBalanced();  // const [Ref] X
      std::vector<std::size_t> names;
      while (IsIdent(i_)) {
        names.push_back(i_++);
        if (!Sym(",")) break;
        ++i_;
      }
      Span type, value;
      if (Sym(":")) {
        const std::size_t first = ++i_;
        SkipParameterPart(true);
        type = SpanUntil(first, i_);
      }
      if (Sym("=")) {
        const std::size_t first = ++i_;
        SkipParameterPart(false);
        value = SpanUntil(first, i_);
      }
      for (const std::size_t k : names) {
        heading.parameter_list.push_back({NameAt(k), modifier, type, value});
      }
      if (Sym(";")) {
        ++i_;
      } else if (!Sym(")")) {
        Expected("\";\" or \")\"");
        while (!AtEnd() && !Sym(")") && !Sym(";") && !IsSectionEnd(Word())) ++i_;
        if (!Sym(")")) return;
      }
    }
    if (Sym(")")) ++i_;
  }

  // A parameter's type or default value: up to ";" or ")" at its level (or "=" for a type).
  void SkipParameterPart(bool type) {
    int depth = 0;
    while (!AtEnd()) {
      if (depth == 0 && (Sym(";") || Sym(")") || (type && Sym("=")))) return;
      if (IsSectionEnd(Word()) || Word() == K::kEnd) return;
      if (Sym("(") || Sym("["))
        ++depth;
      else if (Sym(")") || Sym("]"))
        --depth;
      ++i_;
    }
  }

  void ParseProperty(std::size_t index, std::size_t start, Visibility visibility,
                     bool class_member) {
    Member member;
    member.kind = MemberKind::kProperty;
    member.visibility = visibility;
    member.class_member = class_member;
    member.comment = CommentAbove(start);
    ++i_;  // property
    if (!IsIdent(i_)) {
      Expected("a property name");
      SkipToSemicolon();
      if (Sym(";")) ++i_;
      return;
    }
    member.name = NameAt(i_++);
    PropertySpecifiers& p = member.property;
    if (Sym("[")) {
      const std::size_t first = i_;
      SkipBalanced();
      p.parameters = SpanUntil(first, i_);
    }
    if (Sym(":")) {
      const std::size_t first = ++i_;
      SkipPropertyValue();
      p.type = SpanUntil(first, i_);
    }
    while (!AtEnd() && !Sym(";")) {
      const K word = Word();
      if (!IsPropertySpecifier(word) || Tok(i_).Has(kEscaped)) {
        Expected("a property specifier or \";\"");
        SkipToSemicolon();
        break;
      }
      ++i_;
      const std::size_t first = i_;
      if (word != K::kNodefault && word != K::kReadonly && word != K::kWriteonly) {
        SkipPropertyValue();
      }
      const Span value = SpanUntil(first, i_);
      switch (word) {
        case K::kIndex:
          p.index = value;
          break;
        case K::kRead:
          p.read = value;
          break;
        case K::kWrite:
          p.write = value;
          break;
        case K::kStored:
          p.stored = value;
          break;
        case K::kDefault:
          p.default_value = value;
          break;
        case K::kImplements:
          p.implements = value;
          break;
        case K::kNodefault:
          p.nodefault = true;
          break;
        default:
          break;
      }
    }
    if (Sym(";"))
      ++i_;
    else
      Expected("\";\"");
    if (Word() == K::kDefault && Sym(i_ + 1, ";")) {
      p.default_array = true;
      i_ += 2;
    }
    SkipHints();
    member.whole = SpanUntil(start, i_);
    AddMember(out_.types[index], std::move(member));
  }

  // A property's type or a specifier's value: up to the next specifier or ";".
  void SkipPropertyValue() {
    int depth = 0;
    while (!AtEnd()) {
      if (depth == 0 && (Sym(";") || (IsPropertySpecifier(Word()) && !Tok(i_).Has(kEscaped))))
        return;
      if (IsSectionEnd(Word()) || Word() == K::kEnd) return;
      if (Sym("(") || Sym("["))
        ++depth;
      else if (Sym(")") || Sym("]"))
        --depth;
      ++i_;
    }
  }

  // --- routines --------------------------------------------------------------------------

  std::optional<std::size_t> ParseRoutine(Part part, int depth) {
    const std::size_t start = i_;
    Routine routine;
    routine.part = part;
    routine.comment = CommentAbove(start);
    const bool generic = ParseHeading(routine.heading, start, false);
    const std::string& name = routine.heading.name.text;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
      routine.class_name = name.substr(0, dot);
      routine.method_name = name.substr(dot + 1);
    } else {
      routine.method_name = name;
    }
    const bool no_body = part == Part::kInterface || routine.heading.Has("forward") ||
                         routine.heading.Has("external");
    if (!no_body) {
      if (depth >= kMaxOutlineNesting) {
        Error(start, "Routines nest too deeply here.");
        stopped_ = true;
        return std::nullopt;
      }
      const std::size_t declarations = i_;
      ParseDeclarations(part, depth + 1);
      routine.declarations = SpanUntil(declarations, i_);
      if (Word() == K::kBegin || Word() == K::kAsm) {
        const std::size_t block = i_;
        const std::optional<std::size_t> end = SkipBlock();
        if (!end) return std::nullopt;
        routine.block = SpanOf(block, *end);
        routine.has_body = true;
        if (Sym(";")) {
          ++i_;
        } else if (Sym(".")) {  // its begin and end do not balance: it took the unit's end
          Error(block, "The block that starts here has no end.");
          routine.has_body = false;
          stopped_ = true;
        } else {
          Expected("\";\"");
        }
      } else if (!stopped_) {
        Expected("begin");
      }
    }
    routine.whole = SpanUntil(start, i_);
    if (generic) {
      CannotFollow(
          routine.whole.begin.offset,
          "The generic routine " + name + " is not followed; its text is carried as it is.");
    } else if (routine.has_body && HasConditionalIn(out_.source.MakeSpan(
                                       routine.whole.begin.offset, routine.block.begin.offset))) {
      CannotFollow(routine.whole.begin.offset,
                   "The heading of " + name +
                       " is split by conditional directives; its text is carried as it is.");
    }
    if (depth > 0) return std::nullopt;  // a nested routine stays in its parent's text
    out_.routines.push_back(std::move(routine));
    return out_.routines.size() - 1;
  }

  // --- after the parse ---------------------------------------------------------------------

  std::vector<std::string> Signature(const RoutineHeading& heading) const {
    std::vector<std::string> types;
    for (const Parameter& parameter : heading.parameter_list) {
      types.push_back(parameter.modifier + ":" + Normalised(out_.Text(parameter.type)));
    }
    return types;
  }

  void MatchBodies() {
    for (std::size_t r = 0; r < out_.routines.size(); ++r) {
      Routine& routine = out_.routines[r];
      if (routine.class_name.empty() || !routine.has_body) continue;
      const std::optional<std::size_t> type = out_.FindTypeIndex(routine.class_name);
      if (!type) continue;
      routine.type = type;
      std::vector<std::size_t> candidates;
      auto& members = out_.types[*type].members;
      for (std::size_t m = 0; m < members.size(); ++m) {
        if (members[m].kind == MemberKind::kMethod &&
            SameName(members[m].name.text, routine.method_name) &&
            members[m].routine.class_method == routine.heading.class_method) {
          candidates.push_back(m);
        }
      }
      std::optional<std::size_t> chosen;
      if (candidates.size() == 1) {
        chosen = candidates.front();
      } else {
        const std::vector<std::string> wanted = Signature(routine.heading);
        for (const std::size_t m : candidates) {
          if (Signature(members[m].routine) == wanted && !members[m].body) {
            chosen = m;
            break;
          }
        }
      }
      if (chosen) {
        routine.member = chosen;
        if (!members[*chosen].body) members[*chosen].body = r;
      }
    }
  }

  // In Register, or in a routine that Register hands to RegisterUnit as Lazarus packages do.
  void FindRegistrations() {
    for (std::size_t r = 0; r < out_.routines.size(); ++r) {
      const Routine& routine = out_.routines[r];
      if (!routine.class_name.empty() || !routine.has_body ||
          routine.part != Part::kImplementation) {
        continue;
      }
      if (SameName(routine.method_name, "Register")) out_.register_routine = r;
      auto first = std::lower_bound(
          sig_.begin(), sig_.end(), routine.block.begin.offset,
          [&](std::uint32_t t, std::uint32_t offset) { return out_.tokens[t].begin < offset; });
      for (i_ = static_cast<std::size_t>(first - sig_.begin());
           !AtEnd() && BeginOf(i_) < routine.block.end.offset; ++i_) {
        if (IsIdent(i_) && SameName(TextAt(i_), "RegisterComponents") && Sym(i_ + 1, "(")) {
          ParseRegisterCall(routine.block.end.offset);
          out_.registrations.back().routine = r;
        }
      }
    }
  }

  void ParseRegisterCall(std::uint32_t limit) {
    RegisterCall call;
    const std::size_t start = i_;
    i_ += 2;
    const std::size_t page = i_;
    int depth = 0;
    while (!AtEnd() && BeginOf(i_) < limit && !(depth == 0 && (Sym(",") || Sym(")")))) {
      if (Sym("(") || Sym("["))
        ++depth;
      else if (Sym(")") || Sym("]"))
        --depth;
      ++i_;
    }
    call.page = SpanUntil(page, i_);
    if (i_ == page + 1 && Tok(page).kind == TokenKind::kString) {
      call.page_value = StringValue(TextAt(page));
    }
    if (Sym(",")) ++i_;
    if (Sym("[")) {
      ++i_;
      while (!AtEnd() && BeginOf(i_) < limit && !Sym("]")) {
        if (IsIdent(i_))
          call.classes.push_back(ParseQualifiedName());
        else
          ++i_;
      }
    }
    while (!AtEnd() && BeginOf(i_) < limit && !Sym(")") && !Sym(";")) ++i_;
    call.whole = SpanOf(start, Sym(")") ? i_ : i_ - 1);
    out_.registrations.push_back(std::move(call));
  }

  static constexpr int kMaxErrors = 50;

  Outline& out_;
  const LexOptions& options_;
  std::string_view text_;
  std::vector<std::uint32_t> sig_;  // indices of the tokens the parser reads
  // Offsets of the conditional and include directives: they split what they stand in.
  std::vector<std::uint32_t> conditionals_;
  std::size_t i_ = 0;
  int errors_ = 0;
  bool stopped_ = false;
};

}  // namespace

bool RoutineHeading::Has(std::string_view directive) const { return Find(directive) != nullptr; }

const RoutineDirective* RoutineHeading::Find(std::string_view directive) const {
  for (const RoutineDirective& d : directives) {
    if (SameName(d.word, directive)) return &d;
  }
  return nullptr;
}

bool TypeDecl::IsClassLike() const {
  return kind == TypeKind::kClass || kind == TypeKind::kObject || kind == TypeKind::kRecord ||
         kind == TypeKind::kInterface || kind == TypeKind::kHelper;
}

const Member* TypeDecl::FindMember(std::string_view member_name) const {
  for (const Member& member : members) {
    if (SameName(member.name.text, member_name)) return &member;
  }
  return nullptr;
}

std::optional<std::size_t> Outline::FindTypeIndex(std::string_view name) const {
  std::optional<std::size_t> outer;
  while (true) {
    const std::size_t dot = name.find('.');
    const std::string_view part = name.substr(0, dot);
    std::optional<std::size_t> found;
    for (std::size_t t = 0; t < types.size(); ++t) {
      if (types[t].outer == outer && types[t].kind != TypeKind::kClassForward &&
          types[t].kind != TypeKind::kInterfaceForward && SameName(types[t].name.text, part)) {
        found = t;
        break;
      }
    }
    if (!found || dot == std::string_view::npos) return found;
    outer = found;
    name.remove_prefix(dot + 1);
  }
}

const TypeDecl* Outline::FindType(std::string_view name) const {
  const std::optional<std::size_t> index = FindTypeIndex(name);
  return index ? &types[*index] : nullptr;
}

std::optional<std::string> Outline::DirectiveValue(std::string_view name) const {
  std::optional<std::string> value;
  for (const Directive& directive : directives) {
    if (directive.active && SameName(directive.name, name)) value = directive.argument;
  }
  return value;
}

bool Outline::HasErrors() const {
  return std::any_of(messages.begin(), messages.end(),
                     [](const Message& m) { return m.severity == Severity::kError; });
}

Outline ParseUnit(std::string bytes, const LexOptions& options) {
  Outline outline;
  if (bytes.size() > kMaxSourceSize) {
    outline.messages.push_back({Severity::kError, 0, std::string(kSourceTooLarge)});
    return outline;
  }
  outline.source = Source(std::move(bytes));
  Parser(outline, options).Run();
  return outline;
}

Outline ReadUnitFile(const std::filesystem::path& path, const LexOptions& options) {
  Outline outline;
  auto fail = [&](std::string text) {
    outline.messages.push_back({Severity::kError, 0, std::move(text)});
    return std::move(outline);
  };
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return fail("The file does not exist.");
  if (!std::filesystem::is_regular_file(status)) return fail("The path is not a regular file.");
  const auto size = std::filesystem::file_size(path, error);
  if (error) return fail("The file cannot be read: " + error.message() + ".");
  if (size > kMaxSourceSize) return fail(std::string(kSourceTooLarge));
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("The file cannot be opened.");
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return fail("The file cannot be read.");
  return ParseUnit(std::move(bytes), options);
}

}  // namespace kx::pascal
