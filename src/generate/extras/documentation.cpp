// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/extras/documentation.h"

#include <array>
#include <stdexcept>

#include "model/name_rules.h"
#include "model/text.h"

namespace kx::generate {

using model::ItemDef;
using model::ItemKind;

namespace {

// The model's text is Windows-1252 bytes and goes onto the page unconverted; without this
// line a browser guesses the encoding and shows every character above 127 wrongly.
constexpr std::string_view kCharsetLine =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">";

constexpr unsigned KindBit(ItemKind kind) { return 1u << static_cast<unsigned>(kind); }

struct Section {
  std::string_view anchor;
  std::string_view title;
  unsigned kinds;  // KindBit of each kind it lists
};

// In page order. New and existing events share one section, interleaved in item order.
constexpr std::array<Section, 4> kSections = {{
    {"_Properties", "Properties", KindBit(ItemKind::Property)},
    {"_Methods", "Methods", KindBit(ItemKind::Method)},
    {"_Events", "Events", KindBit(ItemKind::NewEvent) | KindBit(ItemKind::ExistingEvent)},
    {"_Variables", "Variables", KindBit(ItemKind::Variable)},
}};

bool Holds(const Section& section, ItemKind kind) { return (section.kinds & KindBit(kind)) != 0; }

std::string_view MethodDirective(const model::MethodPart& method) {
  if (method.Override) return "; override";
  switch (method.Mode) {
    case model::MethodMode::kCanBeOverriddenMaxSpeed:
      return "; virtual";
    case model::MethodMode::kCanBeOverriddenMinSize:
      return "; dynamic";
    default:
      return {};
  }
}

}  // namespace

void PageWriter::Write(std::string_view text) { open_line_.append(text); }

void PageWriter::Line(std::string_view text) {
  open_line_.append(text);
  printer_.Line(open_line_);
  open_line_.clear();
}

void PageWriter::Block(std::string_view block, const Vars& vars) {
  for (const std::string& line : ExpandBlock(block, vars)) Line(line);
}

std::string PageWriter::text() const { return printer_.text() + open_line_; }

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsDocumented(const ItemDef& item, ScopeSet scopes) {
  switch (item.Kind()) {
    case ItemKind::Property:
      return scopes.Contains(model::PropertyScope(item.Property()));
    case ItemKind::Method:
      return scopes.Contains(item.Method().Scope);
    case ItemKind::Variable:
      return scopes.Contains(item.Variable().Scope);
    case ItemKind::NewEvent:
      return scopes.Contains(item.NewEvent().Publish ? model::kScopePublished
                                                     : model::kScopeProtected);
    case ItemKind::ExistingEvent: {
      // An inherited event that the component neither overrides nor publishes is not part
      // of what this component adds.
      const model::ExistingEventPart& event = item.ExistingEvent();
      if (!event.Override && !event.Publish) return false;
      return scopes.Contains(event.Publish ? model::kScopePublished : model::kScopeProtected);
    }
    case ItemKind::Main:
      break;
  }
  return false;
}

std::string DeclarationText(const ItemDef& item) {
  switch (item.Kind()) {
    case ItemKind::Property: {
      const model::PropertyPart& p = item.Property();
      return "property " + p.Name + model::IndexDeclaration(p) + " : " + p.PropType;
    }
    case ItemKind::Method: {
      const model::MethodPart& m = item.Method();
      return std::string(model::MethodKeyword(m.MethodKind)) + " " + m.Header +
             std::string(MethodDirective(m));
    }
    case ItemKind::NewEvent: {
      // The handler's arguments as the unit declares them: an empty list is TNotifyEvent's.
      const std::string arglist = model::NormalizeArglist(item.NewEvent().Arglist);
      return "event " + item.NewEvent().Name +
             (arglist.empty() ? std::string(model::kNotifyArglist) : arglist);
    }
    case ItemKind::ExistingEvent: {
      const std::string_view handler = item.ExistingEvent().HandlerDecl;
      const std::size_t open = handler.find('(');
      return "event " + item.ExistingEvent().Name +
             std::string(open == std::string_view::npos ? std::string_view()
                                                        : handler.substr(open));
    }
    case ItemKind::Variable:
      return "variable " + item.Variable().Name + " : " + item.Variable().DataType;
    case ItemKind::Main:
      break;
  }
  return {};
}

std::string DescriptionNotes(const ItemDef& item) {
  std::string notes = model::Trim(item.Descr);
  if (!notes.empty()) {
    const char last = notes.back();
    if (last != '!' && last != '.' && last != '?') notes += '.';
    notes += "  ";
  }
  if (item.Kind() == ItemKind::Property) {
    const model::PropertyPart& p = item.Property();
    if (!p.PropDefault.empty()) notes += "Default is " + p.PropDefault + ".  ";
    if (p.ReadOnly) notes += "Read-only.  ";
  } else if (item.Kind() == ItemKind::Variable) {
    const model::VariablePart& v = item.Variable();
    if (!v.Default.empty()) notes += "Initial value is " + v.Default + ".  ";
  }
  return notes;
}

void WriteHelp(PageWriter& out, const ItemDef& item) {
  if (!item.Help) {
    const std::string notes = DescriptionNotes(item);
    out.Line(notes.empty() ? std::string("<BR>")
                           : Substitute("<P>$notes$</P>", {{"notes", EscapeHtml(notes)}}));
    return;
  }
  // A blank line closes a paragraph without ending the line, so the next paragraph's "<P>"
  // and first line follow its "</P>" on the same line.
  bool paragraph_open = false;
  for (const std::string& line : *item.Help) {
    if (model::TrimView(line).empty()) {
      if (paragraph_open) out.Write("</P>");
      paragraph_open = false;
      continue;
    }
    if (!paragraph_open) out.Write("<P>");
    paragraph_open = true;
    out.Line(line);
  }
  if (paragraph_open) out.Line("</P>");
  out.Line("<BR>");
}

std::string WriteText(const model::ComponentDef& def, int format, ScopeSet scopes) {
  if (format != kHtmlFormat) throw std::invalid_argument(std::string(kNotHtmlMessage));
  std::array<bool, kSections.size()> present{};
  for (const ItemDef& item : def.Items()) {
    if (!IsDocumented(item, scopes)) continue;
    for (std::size_t s = 0; s < kSections.size(); ++s) {
      if (Holds(kSections[s], item.Kind())) present[s] = true;
    }
  }

  PageWriter out;
  const std::string title = EscapeHtml(def.MainInfo.NewClassName + " component");
  out.Block(R"(
      <HTML>
      <HEAD>
      $charset$
      <TITLE>$title$</TITLE>
      </HEAD>
      <BODY BGCOLOR="#f7f7f7">
      <H1>$title$</H1>
      )",
            {{"charset", std::string(kCharsetLine)}, {"title", title}});
  WriteHelp(out, def.Global);

  for (std::size_t s = 0; s < kSections.size(); ++s) {
    if (!present[s]) continue;
    out.Line(Substitute(R"(<A HREF="#$anchor$">$title$</A><BR>)",
                        {{"anchor", std::string(kSections[s].anchor)},
                         {"title", std::string(kSections[s].title)}}));
  }
  out.Line("<BR>");
  if (!def.MainInfo.CopyrightLine.empty()) {
    out.Write("<P><I>" + EscapeHtml(def.MainInfo.CopyrightLine) + "</I></P>");
  }

  for (std::size_t s = 0; s < kSections.size(); ++s) {
    if (!present[s]) continue;
    const Section& section = kSections[s];
    // The anchor is left open, as the page has always had it; browsers close it.
    out.Line(Substitute(
        R"(<HR><A NAME="$anchor$"><H2>$title$</H2>)",
        {{"anchor", std::string(section.anchor)}, {"title", std::string(section.title)}}));
    for (const ItemDef& item : def.Items()) {
      if (!Holds(section, item.Kind()) || !IsDocumented(item, scopes)) continue;
      out.Line(Substitute(R"(<A NAME="$name$"><H3>$declaration$</H3>)",
                          {{"name", EscapeHtml(model::ItemNameView(item))},
                           {"declaration", EscapeHtml(DeclarationText(item))}}));
      WriteHelp(out, item);
    }
  }
  out.Line("</BODY></HTML>");
  return out.text();
}

}  // namespace kx::generate
