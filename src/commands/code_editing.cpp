// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/code_editing.h"

#include <algorithm>

#include "commands/dialogs.h"
#include "generate/extras/documentation.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

using model::ItemDef;
using model::ItemKind;

namespace {

// A method's header as its template describes it: cut back to the closing parenthesis or the
// colon of its result, without that colon. A header with neither stays whole.
std::string TemplateHeader(std::string_view header) {
  std::string text = model::Trim(header);
  const std::size_t end = text.find_last_of("):");
  if (end == std::string::npos) {
    while (!text.empty() && text.back() == ';') text.pop_back();
    return model::Trim(text);
  }
  text.resize(end + 1);
  if (text.back() == ':') text.pop_back();
  return model::Trim(text);
}

std::string ExistingHandlerKey(const model::ExistingEventPart& event) {
  return model::Trim(model::HandlerName(event.HandlerDecl));
}

}  // namespace

std::vector<CodeTemplate> CodeTemplates(const model::ComponentDef& def) {
  std::vector<CodeTemplate> templates = {{"begin", "begin...end", "begin\n|\nend;"}};
  for (const ItemDef& item : def.Items()) {
    CodeTemplate t;
    switch (item.Kind()) {
      case ItemKind::Property: {
        const model::PropertyPart& p = item.Property();
        t = {p.Name.str(), "property " + p.Name + model::IndexDeclaration(p) + ": " + p.PropType,
             p.Name.str()};
        break;
      }
      case ItemKind::Method: {
        const std::string name = model::ItemName(item);
        t = {name,
             std::string(model::MethodKeyword(item.Method().MethodKind)) + " " +
                 TemplateHeader(item.Method().Header) + ";",
             name};
        break;
      }
      case ItemKind::NewEvent: {
        const std::string name = model::DispatchMethodName(item.NewEvent().Name);
        t = {name, "event handler " + name + item.NewEvent().Arglist, name};
        break;
      }
      case ItemKind::ExistingEvent: {
        const model::ExistingEventPart& e = item.ExistingEvent();
        if (!e.Override) continue;
        const std::string key = ExistingHandlerKey(e);
        t = {key, "inherited event handler " + e.HandlerDecl, key};
        break;
      }
      case ItemKind::Variable: {
        const model::VariablePart& v = item.Variable();
        t = {v.Name.str(), "variable " + v.Name + ": " + v.DataType, v.Name.str()};
        break;
      }
      case ItemKind::Main:
        continue;
    }
    // A template without a key could never be chosen by typing it.
    if (!t.key.empty()) templates.push_back(std::move(t));
  }
  return templates;
}

std::vector<CodeTemplate> HelpTextTemplates(const model::ComponentDef& def) {
  std::vector<CodeTemplate> templates;
  for (const ItemKind kind : {ItemKind::Property, ItemKind::Method, ItemKind::NewEvent,
                              ItemKind::ExistingEvent, ItemKind::Variable}) {
    for (const ItemDef& item : def.Items()) {
      if (item.Kind() != kind) continue;
      if (kind == ItemKind::ExistingEvent && !item.ExistingEvent().Override) continue;
      const std::string name = model::ItemName(item);
      const std::string key =
          kind == ItemKind::ExistingEvent ? ExistingHandlerKey(item.ExistingEvent()) : name;
      if (key.empty()) continue;
      templates.push_back({key, "Link with " + generate::DeclarationText(item),
                           "<A HREF=\"#" + name + "\">" + name + "</A>"});
    }
  }
  return templates;
}

std::vector<CodeTemplate> MatchingTemplates(const std::vector<CodeTemplate>& templates,
                                            std::string_view typed) {
  std::vector<CodeTemplate> matching;
  for (const CodeTemplate& t : templates) {
    if (t.key.size() >= typed.size() && model::SameText(t.key.substr(0, typed.size()), typed)) {
      matching.push_back(t);
    }
  }
  return matching;
}

TemplateOffer OfferTemplates(const std::vector<CodeTemplate>& templates, std::string_view typed) {
  TemplateOffer offer{MatchingTemplates(templates, typed)};
  if (offer.offered.empty()) {
    offer.offered = templates;
  } else {
    offer.insert_at_once = offer.offered.size() == 1 && !typed.empty();
  }
  return offer;
}

TemplateText ExpandTemplate(std::string_view body, std::size_t column) {
  TemplateText result;
  bool marked = false;
  for (const char c : body) {
    if (c == kCaretMark && !marked) {
      result.caret = result.text.size();
      marked = true;
      continue;
    }
    result.text += c;
    if (c == '\n') result.text.append(column, ' ');
  }
  if (!marked) result.caret = result.text.size();
  const std::string_view before = std::string_view(result.text).substr(0, result.caret);
  const std::size_t last_break = before.rfind('\n');
  result.caret_row = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  result.caret_column = last_break == std::string_view::npos ? column + before.size()
                                                             : before.size() - last_break - 1;
  return result;
}

std::string TemplateEntry(const CodeTemplate& t) { return t.key + " \x97 " + t.description; }

std::string PastedText(std::string_view text) {
  std::string pasted;
  pasted.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      pasted += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      pasted += c == '\t' ? ' ' : c;
    }
  }
  return pasted;
}

std::string IdentifierAtCaret(std::string_view line, std::size_t column) {
  if (column > line.size()) return {};
  const std::size_t at = column > 0 ? column - 1 : 0;
  if (at >= line.size() || !model::IsIdentChar(line[at])) return {};
  std::size_t begin = at;
  while (begin > 0 && model::IsIdentChar(line[begin - 1])) --begin;
  std::size_t end = at + 1;
  while (end < line.size() && model::IsIdentChar(line[end])) ++end;
  return std::string(line.substr(begin, end - begin));
}

std::size_t IdentifierStartBefore(std::string_view line, std::size_t column) {
  column = std::min(column, line.size());
  while (column > 0 && model::IsIdentChar(line[column - 1])) --column;
  return column;
}

std::size_t EnterIndent(std::vector<std::string> lines, std::size_t width) {
  if (lines.empty()) return 0;
  const std::optional<std::size_t> closer = CloserIndent(lines, lines.size() - 1);
  if (closer) return *closer;
  lines.pop_back();
  return NewLineIndent(lines, width);
}

bool EndsFirstWord(std::string_view line, std::size_t column, std::size_t indentation) {
  return IdentifierStartBefore(line, column) == indentation &&
         (column >= line.size() || !model::IsIdentChar(line[column]));
}

namespace {

// A word (lower-cased) or a punctuation character of Pascal code, outside comments and strings.
struct CodeToken {
  std::string text;
  std::size_t line = 0;
};

std::vector<CodeToken> Tokens(const std::vector<std::string>& lines, std::size_t count) {
  std::vector<CodeToken> tokens;
  char comment = 0;  // '{' or '*' while inside a comment of that kind
  for (std::size_t row = 0; row < count && row < lines.size(); ++row) {
    const std::string& line = lines[row];
    std::size_t i = 0;
    while (i < line.size()) {
      const char c = line[i];
      if (comment == '{') {
        if (c == '}') comment = 0;
        ++i;
      } else if (comment == '*') {
        if (c == '*' && i + 1 < line.size() && line[i + 1] == ')') {
          comment = 0;
          ++i;
        }
        ++i;
      } else if (c == '{') {
        comment = '{';
        ++i;
      } else if (c == '(' && i + 1 < line.size() && line[i + 1] == '*') {
        comment = '*';
        i += 2;
      } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
        break;
      } else if (c == '\'') {
        const std::size_t close = line.find('\'', i + 1);
        i = close == std::string::npos ? line.size() : close + 1;
      } else if (model::IsIdentChar(c)) {
        std::size_t end = i;
        while (end < line.size() && model::IsIdentChar(line[end])) ++end;
        tokens.push_back({model::LowerCase(line.substr(i, end - i)), row});
        i = end;
      } else {
        if (c != ' ' && c != '\t') tokens.push_back({std::string(1, c), row});
        ++i;
      }
    }
  }
  return tokens;
}

std::size_t IndentOf(std::string_view line) {
  std::size_t n = 0;
  while (n < line.size() && (line[n] == ' ' || line[n] == '\t')) ++n;
  return n;
}

bool IsOneOf(const std::string& word, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// The openers a closer pairs with, from the inside out.
bool Opens(const std::string& closer, const std::string& word) {
  if (closer == "end") return IsOneOf(word, {"begin", "try", "case", "record", "asm"});
  if (closer == "until") return word == "repeat";
  return word == "try";  // except, finally
}

// The opener of the closer at tokens[at] (or of the closer word, looking back from at), with
// the blocks closed in between skipped; npos when there is none.
std::size_t OpenerBefore(const std::vector<CodeToken>& tokens, std::size_t at,
                         const std::string& closer) {
  std::size_t i = at;
  while (i > 0) {
    --i;
    const std::string& word = tokens[i].text;
    if (Opens(closer, word)) return i;
    if (word == "end" || word == "until") {
      i = OpenerBefore(tokens, i, word);
      if (i == std::string::npos) return i;
    }
  }
  return std::string::npos;
}

}  // namespace

std::size_t NewLineIndent(const std::vector<std::string>& lines, std::size_t width) {
  if (lines.empty()) return 0;
  const std::size_t last_row = lines.size() - 1;
  const std::vector<CodeToken> tokens = Tokens(lines, lines.size());
  // A blank or comment line keeps its indentation, as plain auto-indent would.
  if (tokens.empty() || tokens.back().line != last_row) return IndentOf(lines[last_row]);
  const std::string& last = tokens.back().text;
  const bool case_of =
      last == "of" && std::any_of(tokens.begin(), tokens.end(), [&](const CodeToken& t) {
        return t.line == last_row && t.text == "case";
      });
  if (case_of || IsOneOf(last, {"begin", "try", "repeat", "record", "asm", "then", "else", "do",
                                "except", "finally"})) {
    return IndentOf(lines[last_row]) + width;
  }
  if (last != ";") return IndentOf(lines[last_row]);
  // The statement just ended: back to where it starts, past the then, else or do whose
  // statement it was and past the blocks it holds.
  std::size_t i = tokens.size() - 1;
  std::size_t start = i;
  while (i > 0) {
    --i;
    const std::string& word = tokens[i].text;
    if (word == ";" ||
        IsOneOf(word, {"begin", "try", "repeat", "of", "record", "asm", "except", "finally"})) {
      break;
    }
    if (word == "end" || word == "until") {
      i = OpenerBefore(tokens, i, word);
      if (i == std::string::npos) return IndentOf(lines[last_row]);
    }
    start = i;
  }
  return IndentOf(lines[tokens[start].line]);
}

std::optional<std::size_t> CloserIndent(const std::vector<std::string>& lines, std::size_t row) {
  if (row >= lines.size()) return std::nullopt;
  const std::string& line = lines[row];
  const std::size_t begin = IndentOf(line);
  std::size_t end = begin;
  while (end < line.size() && model::IsIdentChar(line[end])) ++end;
  const std::string word = model::LowerCase(line.substr(begin, end - begin));
  if (!IsOneOf(word, {"end", "until", "except", "finally"})) return std::nullopt;
  const std::vector<CodeToken> tokens = Tokens(lines, row);
  const std::size_t opener = OpenerBefore(tokens, tokens.size(), word);
  if (opener == std::string::npos) return std::nullopt;
  return IndentOf(lines[tokens[opener].line]);
}

std::string HelpLinesToText(const std::vector<std::string>& lines) {
  std::string text;
  bool in_paragraph = false;
  bool first = true;
  for (const std::string& line : lines) {
    const std::string_view trimmed = model::TrimView(line);
    if (trimmed.empty()) {
      if (!first) text += '\n';
      first = false;
      in_paragraph = false;
      continue;
    }
    if (in_paragraph) {
      text += ' ';
    } else if (!first) {
      text += '\n';
    }
    text += trimmed;
    first = false;
    in_paragraph = true;
  }
  return text;
}

std::vector<std::string> HelpTextToLines(std::string_view text) {
  std::vector<std::string> lines = CodeTextToLines(text);
  for (std::string& line : lines) line = model::Trim(line);
  return lines;
}

std::string CodeLinesToText(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

std::vector<std::string> CodeTextToLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!text.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string CodeEditorCaption(const ItemDef& item, std::string_view new_class_name,
                              bool implementation) {
  switch (item.Kind()) {
    case ItemKind::Main:
      return std::string(new_class_name) + (implementation
                                                ? " - Global declarations (implementation)"
                                                : " - Global declarations (interface)");
    case ItemKind::Property:
      return (item.Property().EditingReadCode ? "Read method for property "
                                              : "Write method for property ") +
             item.Property().Name;
    case ItemKind::Method:
      return model::ItemName(item) + " method";
    case ItemKind::NewEvent:
      return model::DispatchMethodName(item.NewEvent().Name) + " - Event trigger";
    case ItemKind::ExistingEvent:
      return item.ExistingEvent().Name + " - Handler";
    case ItemKind::Variable:
      return (item.Variable().IsSubComponent ? "Initialize properties of subcomponent "
                                             : "Initialize fields of object ") +
             item.Variable().Name;
  }
  return {};
}

std::string CodeEditorHeader(const ItemDef& item) {
  switch (item.Kind()) {
    case ItemKind::Method:
      return std::string(model::MethodKeyword(item.Method().MethodKind)) + " " +
             item.Method().Header + ";";
    case ItemKind::ExistingEvent:
      return "procedure " + item.ExistingEvent().HandlerDecl + ";";
    case ItemKind::NewEvent:
      return "procedure " + model::DispatchMethodName(item.NewEvent().Name) +
             item.NewEvent().Arglist + ";";
    case ItemKind::Property:
      return item.Property().EditingReadCode
                 ? "function " + model::ReadMethodHeader(item.Property()) + ";"
                 : "procedure " + model::WriteMethodHeader(item.Property()) + ";";
    case ItemKind::Variable:
      return "with " + item.Variable().Name + " do";
    case ItemKind::Main:
      break;
  }
  return {};
}

std::string HelpTextCaption(const ItemDef& item, std::string_view new_class_name) {
  switch (item.Kind()) {
    case ItemKind::Main:
      return std::string(new_class_name) + " - overview";
    case ItemKind::Property:
      return "Text for " + item.Property().Name + " property";
    case ItemKind::Method:
      return "Text for " + model::ItemName(item) + " method";
    case ItemKind::NewEvent:
      return "Text for " + item.NewEvent().Name + " event";
    case ItemKind::ExistingEvent:
      return "Text for " + item.ExistingEvent().Name + " inherited event";
    case ItemKind::Variable:
      return "Text for " + item.Variable().Name + " variable";
  }
  return {};
}

std::string HelpTextHeader(const ItemDef& item) {
  return item.Kind() == ItemKind::Main ? std::string() : generate::DeclarationText(item);
}

FileDialogRequest PascalFileToView(std::string_view dir) {
  return {.title = "Select Pascal file to view",
          .filter = "Pascal files (*.pas)|*.pas|All files (*.*)|*.*",
          .default_ext = "pas",
          .initial_dir = std::string(dir),
          .must_exist = true};
}

FileDialogRequest FormFileToView(std::string_view dir) {
  return {.title = "Select form file to view",
          .filter = "Form files (*.dfm)|*.dfm|All files (*.*)|*.*",
          .default_ext = "dfm",
          .initial_dir = std::string(dir),
          .must_exist = true};
}

void ViewChosenFile(Dialogs& dialogs, const FileDialogRequest& request) {
  if (const std::optional<std::filesystem::path> file = dialogs.OpenFile(request)) {
    dialogs.ViewFile(*file);
  }
}

EditorSession::EditorSession(const EditorRequest& request) : request_(request) {}

std::string EditorSession::initial_text() const {
  return request_.kind == EditorKind::kCode ? CodeLinesToText(request_.block)
                                            : HelpLinesToText(request_.block);
}

std::optional<std::string> EditorSession::RestoreDefault(Dialogs& dialogs) const {
  if (request_.kind != EditorKind::kCode) return std::nullopt;
  if (dialogs.Confirm(Buttons::kYesCancel, kRestoreDefaultQuestion, kRestoreDefaultCaption) !=
      Answer::kYes) {
    return std::nullopt;
  }
  return CodeLinesToText(request_.default_block);
}

bool EditorSession::Ok(bool modified, std::string_view text) {
  editing_ = false;
  if (!modified) return false;
  result_ = request_.kind == EditorKind::kCode ? CodeTextToLines(text) : HelpTextToLines(text);
  return true;
}

void EditorSession::Cancel() {
  editing_ = false;
  result_.reset();
}

EditorSession::Closed EditorSession::Close(bool modified, std::string_view text, Dialogs& dialogs) {
  if (!editing_) return result_ ? Closed::kKept : Closed::kDropped;
  if (modified) {
    // Closing by mistake (Esc) must not lose the code typed: Cancel goes back to it.
    switch (dialogs.Confirm(Buttons::kYesNoCancel, request_.kind == EditorKind::kCode
                                                       ? kRetainCodeQuestion
                                                       : kRetainTextQuestion)) {
      case Answer::kYes:
        return Ok(true, text) ? Closed::kKept : Closed::kDropped;
      case Answer::kNo:
        break;
      default:
        return Closed::kEditing;
    }
  }
  Cancel();
  return Closed::kDropped;
}

}  // namespace kx::commands
