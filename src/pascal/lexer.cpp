// SPDX-License-Identifier: GPL-3.0-or-later
#include "pascal/lexer.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace kx::pascal {

namespace {

struct KeywordEntry {
  std::string_view text;  // lower case, sorted
  Keyword word;
};

// clang-format off
constexpr KeywordEntry kKeywords[] = {
  {"absolute", Keyword::kAbsolute}, {"abstract", Keyword::kAbstract},
  {"and", Keyword::kAnd}, {"array", Keyword::kArray}, {"as", Keyword::kAs},
  {"asm", Keyword::kAsm}, {"assembler", Keyword::kAssembler},
  {"automated", Keyword::kAutomated}, {"begin", Keyword::kBegin}, {"case", Keyword::kCase},
  {"cdecl", Keyword::kCdecl}, {"class", Keyword::kClass}, {"const", Keyword::kConst},
  {"constref", Keyword::kConstref}, {"constructor", Keyword::kConstructor},
  {"default", Keyword::kDefault}, {"deprecated", Keyword::kDeprecated},
  {"destructor", Keyword::kDestructor}, {"dispid", Keyword::kDispid},
  {"dispinterface", Keyword::kDispinterface}, {"div", Keyword::kDiv}, {"do", Keyword::kDo},
  {"downto", Keyword::kDownto}, {"dynamic", Keyword::kDynamic}, {"else", Keyword::kElse},
  {"end", Keyword::kEnd}, {"except", Keyword::kExcept},
  {"experimental", Keyword::kExperimental}, {"export", Keyword::kExport},
  {"exports", Keyword::kExports}, {"external", Keyword::kExternal}, {"far", Keyword::kFar},
  {"file", Keyword::kFile}, {"final", Keyword::kFinal},
  {"finalization", Keyword::kFinalization}, {"finally", Keyword::kFinally},
  {"for", Keyword::kFor}, {"forward", Keyword::kForward}, {"function", Keyword::kFunction},
  {"generic", Keyword::kGeneric}, {"goto", Keyword::kGoto}, {"helper", Keyword::kHelper},
  {"if", Keyword::kIf}, {"implementation", Keyword::kImplementation},
  {"implements", Keyword::kImplements}, {"in", Keyword::kIn}, {"index", Keyword::kIndex},
  {"inherited", Keyword::kInherited}, {"initialization", Keyword::kInitialization},
  {"inline", Keyword::kInline}, {"interface", Keyword::kInterface}, {"is", Keyword::kIs},
  {"label", Keyword::kLabel}, {"library", Keyword::kLibrary}, {"message", Keyword::kMessage},
  {"mod", Keyword::kMod}, {"name", Keyword::kName}, {"near", Keyword::kNear},
  {"nil", Keyword::kNil}, {"nodefault", Keyword::kNodefault}, {"not", Keyword::kNot},
  {"object", Keyword::kObject}, {"of", Keyword::kOf}, {"on", Keyword::kOn},
  {"operator", Keyword::kOperator}, {"or", Keyword::kOr}, {"out", Keyword::kOut},
  {"overload", Keyword::kOverload}, {"override", Keyword::kOverride},
  {"package", Keyword::kPackage}, {"packed", Keyword::kPacked}, {"pascal", Keyword::kPascal},
  {"platform", Keyword::kPlatform}, {"private", Keyword::kPrivate},
  {"procedure", Keyword::kProcedure}, {"program", Keyword::kProgram},
  {"property", Keyword::kProperty}, {"protected", Keyword::kProtected},
  {"public", Keyword::kPublic}, {"published", Keyword::kPublished}, {"raise", Keyword::kRaise},
  {"read", Keyword::kRead}, {"readonly", Keyword::kReadonly}, {"record", Keyword::kRecord},
  {"reference", Keyword::kReference}, {"register", Keyword::kRegister},
  {"reintroduce", Keyword::kReintroduce}, {"repeat", Keyword::kRepeat},
  {"resourcestring", Keyword::kResourcestring}, {"safecall", Keyword::kSafecall},
  {"sealed", Keyword::kSealed}, {"set", Keyword::kSet}, {"shl", Keyword::kShl},
  {"shr", Keyword::kShr}, {"specialize", Keyword::kSpecialize}, {"static", Keyword::kStatic},
  {"stdcall", Keyword::kStdcall}, {"stored", Keyword::kStored}, {"strict", Keyword::kStrict},
  {"string", Keyword::kString}, {"then", Keyword::kThen}, {"threadvar", Keyword::kThreadvar},
  {"to", Keyword::kTo}, {"try", Keyword::kTry}, {"type", Keyword::kType},
  {"unit", Keyword::kUnit}, {"until", Keyword::kUntil}, {"uses", Keyword::kUses},
  {"var", Keyword::kVar}, {"varargs", Keyword::kVarargs}, {"virtual", Keyword::kVirtual},
  {"while", Keyword::kWhile}, {"winapi", Keyword::kWinapi}, {"with", Keyword::kWith},
  {"write", Keyword::kWrite}, {"writeonly", Keyword::kWriteonly}, {"xor", Keyword::kXor},
};
// clang-format on

constexpr std::size_t kLongestKeyword = 14;  // "implementation", "initialization", "resourcestring"

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

Keyword KeywordOf(std::string_view word) {
  if (word.size() > kLongestKeyword) return Keyword::kNone;
  std::array<char, kLongestKeyword> buffer{};
  for (std::size_t i = 0; i < word.size(); ++i) buffer[i] = Lower(word[i]);
  const std::string_view lower(buffer.data(), word.size());
  const auto found = std::lower_bound(
      std::begin(kKeywords), std::end(kKeywords), lower,
      [](const KeywordEntry& entry, std::string_view key) { return entry.text < key; });
  return (found != std::end(kKeywords) && found->text == lower) ? found->word : Keyword::kNone;
}

bool IsIdentifierStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  // Bytes of UTF-8 sequences count as letters: Delphi 2009 and later take Unicode identifiers.
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x80;
}
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
// Ctrl+Z ended a file under DOS; old units still carry one.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\x1A'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// One conditional group: whether its enclosing text is compiled, and whether its current
// branch is.
struct Conditional {
  bool outer_active;
  bool active;
  bool taken;  // a branch of the group has been taken
};

class Lexer {
 public:
  Lexer(const Source& source, const LexOptions& options)
      : source_(source), text_(source.text()), defines_(options.defines) {}

  LexResult Run() {
    result_.tokens.reserve(text_.size() / 5 + 16);
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;  // the UTF-8 byte-order mark
    while (true) {
      SkipBlanks();
      if (pos_ >= text_.size()) break;
      LexOne();
    }
    if (!conditionals_.empty()) {
      AddMessage(static_cast<std::uint32_t>(text_.size()),
                 "An {$IF} or {$IFDEF} has no {$ENDIF} before the end of the unit.");
    }
    return std::move(result_);
  }

 private:
  static std::string_view FirstWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && IsIdentifierChar(text[end])) ++end;
    return text.substr(0, end);
  }
  bool Defined(std::string_view argument) const {
    const std::string_view symbol = FirstWord(argument);
    return std::any_of(defines_.begin(), defines_.end(),
                       [&](const std::string& d) { return SameName(d, symbol); });
  }

  bool Active() const { return conditionals_.empty() || conditionals_.back().active; }
  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsLineEnd(c)) {
        line_start_ = true;
      } else if (!IsBlank(c)) {
        return;
      }
      ++pos_;
    }
  }

  void AddMessage(std::uint32_t offset, std::string text) {
    auto& messages = result_.messages;
    if (messages.size() > kMaxLexMessages) return;
    if (messages.size() == kMaxLexMessages) {
      text = "There are more errors; the rest are not reported.";
    }
    messages.push_back({Severity::kError, source_.Locate(offset).line, std::move(text)});
  }

  Token& Emit(std::size_t begin, TokenKind kind, Keyword keyword = Keyword::kNone,
              std::uint8_t flags = 0) {
    if (line_start_) flags |= kStartsLine;
    if (!Active()) flags |= kInactive;
    line_start_ = false;
    result_.tokens.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(pos_),
                              kind, keyword, flags});
    return result_.tokens.back();
  }

  void LexOne() {
    const std::size_t begin = pos_;
    const char c = text_[pos_];
    const char next = At(pos_ + 1);
    if (c == '{') {
      LexBraceComment(begin);
    } else if (c == '(' && next == '*') {
      LexParenComment(begin);
    } else if (c == '/' && next == '/') {
      while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
      Emit(begin, TokenKind::kComment);
    } else if (c == '\'' || c == '#') {
      LexString(begin);
    } else if (IsIdentifierStart(c)) {
      LexIdentifier(begin, 0);
    } else if (c == '&' && IsIdentifierStart(next)) {
      ++pos_;
      LexIdentifier(begin, kEscaped);
    } else if (IsDigit(c) || (c == '$' && IsHexDigit(next)) ||
               (c == '%' && (next == '0' || next == '1')) ||
               (c == '&' && next >= '0' && next <= '7')) {
      LexNumber(begin);
    } else {
      LexSymbol(begin);
    }
  }

  void LexIdentifier(std::size_t begin, std::uint8_t flags) {
    while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) ++pos_;
    const Keyword keyword =
        (flags & kEscaped) ? Keyword::kNone : KeywordOf(text_.substr(begin, pos_ - begin));
    Emit(begin, TokenKind::kIdentifier, keyword, flags);
    if (keyword == Keyword::kAsm) LexAsmText();
  }

  void LexNumber(std::size_t begin) {
    const char c = text_[pos_];
    auto digits = [&](auto accept) {
      while (pos_ < text_.size() && (accept(text_[pos_]) || text_[pos_] == '_')) ++pos_;
    };
    if (c == '$') {
      ++pos_;
      digits(IsHexDigit);
    } else if (c == '%') {
      ++pos_;
      digits([](char d) { return d == '0' || d == '1'; });
    } else if (c == '&') {
      ++pos_;
      digits([](char d) { return d >= '0' && d <= '7'; });
    } else {
      digits(IsDigit);
      // "1..9" is a range, "1.5" a real; a field after a number ("1.Foo") does not exist.
      if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
        ++pos_;
        digits(IsDigit);
      }
      const char e = At(pos_);
      if (e == 'e' || e == 'E') {
        std::size_t after = pos_ + 1;
        if (At(after) == '+' || At(after) == '-') ++after;
        if (IsDigit(At(after))) {
          pos_ = after;
          digits(IsDigit);
        }
      }
    }
    Emit(begin, TokenKind::kNumber);
  }

  // Quoted parts and #codes written without a blank between them are one string.
  void LexString(std::size_t begin) {
    bool bad = false;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\'') {
        if (MultiLineStringStarts()) {
          if (!LexMultiLineString()) bad = true;
          continue;
        }
        ++pos_;
        while (true) {
          if (pos_ >= text_.size() || IsLineEnd(text_[pos_])) {
            AddMessage(static_cast<std::uint32_t>(begin),
                       "The string is not terminated on its line.");
            bad = true;
            break;
          }
          if (text_[pos_] == '\'') {
            ++pos_;
            if (At(pos_) != '\'') break;
          }
          ++pos_;
        }
        if (bad) break;
      } else if (c == '#') {
        ++pos_;
        const char base = At(pos_);
        std::size_t digits_begin = pos_;
        if (base == '$') {
          digits_begin = ++pos_;
          while (pos_ < text_.size() && IsHexDigit(text_[pos_])) ++pos_;
        } else if (base == '%') {
          digits_begin = ++pos_;
          while (pos_ < text_.size() && (text_[pos_] == '0' || text_[pos_] == '1')) ++pos_;
        } else if (base == '&') {
          digits_begin = ++pos_;
          while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7') ++pos_;
        } else {
          while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        }
        if (pos_ == digits_begin) {
          AddMessage(static_cast<std::uint32_t>(begin), "A # character code has no number.");
          bad = true;
          break;
        }
      } else {
        break;
      }
    }
    Emit(begin, bad ? TokenKind::kInvalid : TokenKind::kString);
  }

  // Delphi 12: ''' followed by nothing but blanks up to the line end.
  bool MultiLineStringStarts() const {
    if (text_.compare(pos_, 3, "'''") != 0) return false;
    std::size_t i = pos_ + 3;
    while (i < text_.size() && IsBlank(text_[i])) ++i;
    return i < text_.size() && IsLineEnd(text_[i]);
  }

  // It ends at the first line whose first non-blank characters are the same run of quotes.
  bool LexMultiLineString() {
    const std::size_t begin = pos_;
    std::size_t quotes = 0;
    while (At(pos_ + quotes) == '\'') ++quotes;
    pos_ += quotes;
    while (pos_ < text_.size()) {
      while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
      while (pos_ < text_.size() && IsLineEnd(text_[pos_])) ++pos_;
      while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
      std::size_t run = 0;
      while (At(pos_ + run) == '\'') ++run;
      if (run == quotes) {
        pos_ += run;
        return true;
      }
    }
    AddMessage(static_cast<std::uint32_t>(begin),
               "The multi-line string is not terminated before the end of the unit.");
    return false;
  }

  bool NestedComments() const { return nested_comments_; }

  void LexBraceComment(std::size_t begin) {
    const bool directive = At(pos_ + 1) == '$';
    ++pos_;
    int depth = 1;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '}') {
        if (--depth == 0) break;
      } else if (c == '{' && !directive && NestedComments()) {
        ++depth;
      }
    }
    FinishComment(begin, depth == 0, directive);
  }

  void LexParenComment(std::size_t begin) {
    const bool directive = At(pos_ + 2) == '$';
    pos_ += 2;
    int depth = 1;
    while (pos_ < text_.size()) {
      if (text_[pos_] == '*' && At(pos_ + 1) == ')') {
        pos_ += 2;
        if (--depth == 0) break;
      } else if (text_[pos_] == '(' && At(pos_ + 1) == '*' && !directive && NestedComments()) {
        pos_ += 2;
        ++depth;
      } else {
        ++pos_;
      }
    }
    FinishComment(begin, depth == 0, directive);
  }

  void FinishComment(std::size_t begin, bool closed, bool directive) {
    if (!closed) {
      AddMessage(static_cast<std::uint32_t>(begin),
                 directive ? "The compiler directive is not terminated before the end of the unit."
                           : "The comment is not terminated before the end of the unit.");
    }
    if (!directive) {
      Emit(begin, TokenKind::kComment);
      return;
    }
    const std::string_view text = text_.substr(begin, pos_ - begin);
    const DirectiveText parts = SplitDirective(text);
    directive_active_ = Active();
    const std::uint8_t flags = Directive(begin, parts);
    Token& token = Emit(begin, TokenKind::kDirective, Keyword::kNone, flags);
    // A conditional directive belongs to the text around its group, not to a branch.
    token.flags =
        static_cast<std::uint8_t>((token.flags & ~kInactive) | (directive_active_ ? 0 : kInactive));
  }

  // Follows the directives that change what the lexer reads; returns the token's flags.
  std::uint8_t Directive(std::size_t begin, const DirectiveText& parts) {
    const std::string_view name = parts.name;
    if (SameName(name, "IF") || SameName(name, "IFDEF") || SameName(name, "IFNDEF") ||
        SameName(name, "IFOPT")) {
      if (conditionals_.size() >= kMaxConditionals) {
        AddMessage(static_cast<std::uint32_t>(begin), "Conditional directives nest too deeply.");
        return kConditional;
      }
      const bool outer = Active();
      bool taken = true;  // {$IF expression} and {$IFOPT}: the first branch
      if (SameName(name, "IFDEF")) taken = Defined(parts.argument);
      if (SameName(name, "IFNDEF")) taken = !Defined(parts.argument);
      conditionals_.push_back({outer, outer && taken, taken});
      return kConditional;
    }
    if (SameName(name, "ELSE") || SameName(name, "ELSEIF")) {
      if (conditionals_.empty()) {
        AddMessage(static_cast<std::uint32_t>(begin), "An {$ELSE} has no {$IF} or {$IFDEF}.");
        return kConditional;
      }
      Conditional& group = conditionals_.back();
      group.active = group.outer_active && !group.taken;
      group.taken = true;
      directive_active_ = group.outer_active;
      return kConditional;
    }
    if (SameName(name, "ENDIF") || SameName(name, "IFEND")) {
      if (conditionals_.empty()) {
        AddMessage(static_cast<std::uint32_t>(begin), "An {$ENDIF} has no {$IF} or {$IFDEF}.");
        return kConditional;
      }
      directive_active_ = conditionals_.back().outer_active;
      conditionals_.pop_back();
      return kConditional;
    }
    if (!Active()) return 0;
    if (SameName(name, "DEFINE") || SameName(name, "UNDEF")) {
      const std::string_view symbol = FirstWord(parts.argument);
      std::erase_if(defines_, [&](const std::string& d) { return SameName(d, symbol); });
      if (SameName(name, "DEFINE") && defines_.size() < kMaxDefines) defines_.emplace_back(symbol);
      return 0;
    }
    if (SameName(name, "MODE")) {
      const std::string_view mode = parts.argument;
      nested_comments_ = SameName(mode, "OBJFPC") || SameName(mode, "FPC") || SameName(mode, "TP");
      return 0;
    }
    if ((SameName(name, "I") || SameName(name, "INCLUDE")) && !parts.argument.empty() &&
        parts.argument[0] != '+' && parts.argument[0] != '-' && parts.argument[0] != '%') {
      return kInclude;
    }
    return 0;
  }

  // From just after asm up to (not including) the end that closes it. Comments and quoted
  // text inside are skipped so that an "end" in them does not close the block.
  void LexAsmText() {
    const std::size_t begin = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '{') {
        const std::size_t close = text_.find('}', pos_);
        pos_ = close == std::string_view::npos ? text_.size() : close + 1;
      } else if (c == '(' && At(pos_ + 1) == '*') {
        const std::size_t close = text_.find("*)", pos_ + 2);
        pos_ = close == std::string_view::npos ? text_.size() : close + 2;
      } else if (c == '/' && At(pos_ + 1) == '/') {
        while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
      } else if (c == '\'' || c == '"') {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != c && !IsLineEnd(text_[pos_])) ++pos_;
        if (pos_ < text_.size() && text_[pos_] == c) ++pos_;
      } else if (IsIdentifierStart(c) || c == '@') {
        const std::size_t word = pos_;
        while (pos_ < text_.size() && (IsIdentifierChar(text_[pos_]) || text_[pos_] == '@')) ++pos_;
        if (SameName(text_.substr(word, pos_ - word), "end")) {
          pos_ = word;
          break;
        }
      } else {
        ++pos_;
      }
    }
    if (pos_ >= text_.size()) {
      AddMessage(static_cast<std::uint32_t>(begin), "The asm block has no end.");
    }
    // The end keeps its own token; the text is trimmed of the blanks around it.
    std::size_t first = begin;
    while (first < pos_ && (IsBlank(text_[first]) || IsLineEnd(text_[first]))) ++first;
    std::size_t last = pos_;
    while (last > first && (IsBlank(text_[last - 1]) || IsLineEnd(text_[last - 1]))) --last;
    if (last > first) {
      const std::size_t end = pos_;
      pos_ = last;
      line_start_ = false;
      Emit(first, TokenKind::kAsmText);
      pos_ = end;
      line_start_ = text_.substr(last, end - last).find_first_of("\r\n") != std::string_view::npos;
    }
  }

  void LexSymbol(std::size_t begin) {
    static constexpr std::array<std::string_view, 12> kPairs = {
        ":=", "<=", ">=", "<>", "..", "+=", "-=", "*=", "/=", "**", "(.", ".)"};
    const std::string_view rest = text_.substr(pos_, 2);
    for (const std::string_view pair : kPairs) {
      if (rest == pair) {
        pos_ += 2;
        Emit(begin, TokenKind::kSymbol);
        return;
      }
    }
    const char c = text_[pos_++];
    static constexpr std::string_view kSingles = "+-*/=<>[].,():;^@&$%";
    if (kSingles.find(c) != std::string_view::npos) {
      Emit(begin, TokenKind::kSymbol);
      return;
    }
    // Anything else (a zero byte, a stray quote): one token per run, one message per run.
    while (pos_ < text_.size() && !IsBlank(text_[pos_]) && !IsLineEnd(text_[pos_]) &&
           !IsIdentifierStart(text_[pos_]) &&
           kSingles.find(text_[pos_]) == std::string_view::npos && text_[pos_] != '{' &&
           text_[pos_] != '\'' && text_[pos_] != '#' && !IsDigit(text_[pos_])) {
      ++pos_;
    }
    char code[5];
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    code[0] = '$';
    code[1] = kHex[byte >> 4];
    code[2] = kHex[byte & 15];
    code[3] = '\0';
    AddMessage(
        static_cast<std::uint32_t>(begin),
        std::string("The character ") +
            (byte >= 0x20 && byte < 0x7F ? std::string{'\'', c, '\''} : std::string("#") + code) +
            " is not Pascal.");
    Emit(begin, TokenKind::kInvalid);
  }

  static constexpr std::size_t kMaxConditionals = 256;
  static constexpr std::size_t kMaxDefines = 1024;

  const Source& source_;
  std::string_view text_;
  std::size_t pos_ = 0;
  bool line_start_ = true;
  bool nested_comments_ = false;
  bool directive_active_ = true;
  std::vector<Conditional> conditionals_;
  std::vector<std::string> defines_;
  LexResult result_;
};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    code = std::min<std::uint32_t>(code, 0x10FFFF);
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

LexResult Lex(const Source& source, const LexOptions& options) {
  return Lexer(source, options).Run();
}

DirectiveText SplitDirective(std::string_view text) {
  // "{$" ... "}" or "(*$" ... "*)"; an unterminated one has no closing part.
  std::size_t open = text.starts_with("(*$") ? 3 : 2;
  open = std::min(open, text.size());
  std::string_view body = text.substr(open);
  if (text.starts_with("(*") && body.ends_with("*)"))
    body.remove_suffix(2);
  else if (text.starts_with("{") && body.ends_with("}"))
    body.remove_suffix(1);
  std::size_t i = 0;
  while (i < body.size() && IsIdentifierChar(body[i])) ++i;
  const std::string_view name = body.substr(0, i);
  std::string_view argument = body.substr(i);
  while (!argument.empty() && (IsBlank(argument.front()) || IsLineEnd(argument.front())))
    argument.remove_prefix(1);
  while (!argument.empty() && (IsBlank(argument.back()) || IsLineEnd(argument.back())))
    argument.remove_suffix(1);
  return {name, argument};
}

std::string StringValue(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '#') {
      ++i;
      int base = 10;
      if (i < text.size() && text[i] == '$')
        base = 16, ++i;
      else if (i < text.size() && text[i] == '%')
        base = 2, ++i;
      else if (i < text.size() && text[i] == '&')
        base = 8, ++i;
      std::uint32_t code = 0;
      while (i < text.size() && DigitValue(text[i]) < base) {
        code = std::min<std::uint32_t>(code * static_cast<std::uint32_t>(base) +
                                           static_cast<std::uint32_t>(DigitValue(text[i])),
                                       0x10FFFF);
        ++i;
      }
      if (code < 0x100)
        out += static_cast<char>(code);
      else
        AppendUtf8(out, code);
    } else if (text[i] == '\'') {
      std::size_t quotes = 0;
      while (i + quotes < text.size() && text[i + quotes] == '\'') ++quotes;
      if (quotes >= 3 && quotes % 2 == 1) {
        std::size_t line = i + quotes;
        while (line < text.size() && !IsLineEnd(text[line])) ++line;
        if (line < text.size() &&
            text.substr(i + quotes, line - i - quotes).find_first_not_of(" \t") ==
                std::string_view::npos) {
          // A multi-line string: its lines, less the indentation of the closing quotes.
          const std::size_t close_begin = text.rfind('\n', text.size() - quotes) + 1;
          std::size_t indent = 0;
          while (close_begin + indent < text.size() && IsBlank(text[close_begin + indent]))
            ++indent;
          std::size_t p = line;
          if (p < text.size() && text[p] == '\r') ++p;
          if (p < text.size() && text[p] == '\n') ++p;
          bool first = true;
          while (p < close_begin) {
            std::size_t end = p;
            while (end < text.size() && !IsLineEnd(text[end])) ++end;
            if (end >= close_begin) break;
            if (!first) out += '\n';
            first = false;
            std::size_t skip = 0;
            while (skip < indent && p + skip < end && IsBlank(text[p + skip])) ++skip;
            out.append(text.substr(p + skip, end - p - skip));
            p = end;
            if (p < text.size() && text[p] == '\r') ++p;
            if (p < text.size() && text[p] == '\n') ++p;
          }
          return out;
        }
      }
      ++i;
      while (i < text.size()) {
        if (text[i] == '\'') {
          if (i + 1 < text.size() && text[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += text[i++];
      }
    } else {
      ++i;
    }
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace kx::pascal
