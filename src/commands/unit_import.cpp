// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/unit_import.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "catalog/class_catalog.h"
#include "catalog/class_tables.h"
#include "generate/unit/class_declaration.h"
#include "model/name_rules.h"
#include "model/text.h"
#include "platform/windows1252.h"

namespace kx::commands {

using model::ItemDef;
using model::SameText;
using model::UpperCase;
using pascal::Member;
using pascal::MemberKind;
using pascal::Outline;
using pascal::Routine;
using pascal::Span;
using pascal::TypeDecl;
using pascal::Visibility;

std::vector<std::string> RegisteredClasses(const Outline& unit) {
  std::vector<std::string> names;
  for (const pascal::RegisterCall& call : unit.registrations) {
    for (const pascal::Name& name : call.classes) {
      if (std::none_of(names.begin(), names.end(),
                       [&](const std::string& n) { return SameText(n, name.text); })) {
        names.push_back(name.text);
      }
    }
  }
  return names;
}

namespace {

// The value of each attribute Value="..." of an element of this name, in order.
std::vector<std::string> ElementValues(std::string_view xml, std::string_view element) {
  std::vector<std::string> values;
  const std::string open = "<" + std::string(element) + " ";
  for (std::size_t at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
    const std::size_t close = xml.find('>', at);
    const std::size_t value = xml.find("Value=\"", at);
    if (value == std::string_view::npos || value > close) continue;
    const std::size_t end = xml.find('"', value + 7);
    if (end == std::string_view::npos || end > close) continue;
    values.emplace_back(xml.substr(value + 7, end - value - 7));
  }
  return values;
}

}  // namespace

std::string PackageModeOf(const std::filesystem::path& unit_file) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path unit = fs::weakly_canonical(fs::absolute(unit_file, error), error);
  if (error) return {};
  constexpr std::uintmax_t kMaxPackageSize = 4 << 20;
  for (const fs::path& dir : {unit.parent_path(), unit.parent_path().parent_path()}) {
    std::vector<fs::path> packages;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
      if (entry.path().extension() == ".lpk" && entry.is_regular_file(error) &&
          entry.file_size(error) <= kMaxPackageSize)
        packages.push_back(entry.path());
    }
    std::sort(packages.begin(), packages.end());
    for (const fs::path& package : packages) {
      std::ifstream in(package, std::ios::binary);
      const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      bool lists = false;
      for (std::string listed : ElementValues(xml, "Filename")) {
        std::replace(listed.begin(), listed.end(), '\\', '/');
        if (fs::weakly_canonical(dir / listed, error) == unit) lists = true;
      }
      if (!lists) continue;
      const std::vector<std::string> modes = ElementValues(xml, "SyntaxMode");
      return modes.empty() ? "objfpc" : model::LowerCase(modes.front());
    }
  }
  return {};
}

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool IsBlank(std::string_view line) { return model::TrimView(line).empty(); }

void TrimBlankLines(std::vector<std::string>& lines) {
  while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();
  std::size_t first = 0;
  while (first < lines.size() && IsBlank(lines[first])) ++first;
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
}

// The comments of a span, one entry per line of their text, delimiters removed.
std::vector<std::string> CommentLines(std::string_view text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  auto add = [&](std::string_view inner) {
    for (std::string& line : SplitLines(inner)) {
      std::string t = model::Trim(line);
      if (!t.empty()) out.push_back(std::move(t));
    }
  };
  while (i < text.size()) {
    if (text[i] == '{') {
      const std::size_t end = text.find('}', i);
      add(text.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else if (text.compare(i, 2, "(*") == 0) {
      const std::size_t end = text.find("*)", i + 2);
      add(text.substr(i + 2, end == std::string_view::npos ? end : end - i - 2));
      i = end == std::string_view::npos ? text.size() : end + 2;
    } else if (text.compare(i, 2, "//") == 0) {
      const std::size_t end = text.find_first_of("\r\n", i);
      add(text.substr(i + 2, end == std::string_view::npos ? end : end - i - 2));
      i = end == std::string_view::npos ? text.size() : end;
    } else {
      ++i;
    }
  }
  return out;
}

// Comments the unit writer puts above the members it derives: never a description.
bool IsWrittenComment(std::string_view line) {
  for (std::string_view start :
       {"Private fields of ", "Private methods of ", "Protected fields of ",
        "Protected methods of ", "Public fields and properties of ", "Public methods of ",
        "Published properties of ", "Storage for property ", "Read method for property ",
        "Write method for property ", "Overload inherited property ", "Pointer to application's ",
        "Method to generate ", "Method to set variable and property values",
        "Method to free any objects created by AutoInitialize",
        "Resets prop of component type if referenced"}) {
    if (line.starts_with(start)) return true;
  }
  return false;
}

std::uint8_t ScopeOf(Visibility visibility) {
  switch (visibility) {
    case Visibility::kPrivate:
    case Visibility::kStrictPrivate:
      return model::kScopePrivate;
    case Visibility::kProtected:
    case Visibility::kStrictProtected:
      return model::kScopeProtected;
    case Visibility::kPublic:
      return model::kScopePublic;
    default:
      return model::kScopePublished;
  }
}

// What AutoInitialize and AutoDestroy of a generated unit say of one field or property.
struct Initial {
  std::string value;        // "X := value;"
  std::string create_type;  // "X := T.Create...;"
  bool sub_component = false;
  model::TextBlock with_code;  // the "with X do" lines
  bool freed = false;
};

class Importer {
 public:
  Importer(const Outline& unit, const UnitImportOptions& options, UnitImport& result)
      : u_(unit), options_(options), r_(result) {}

  void Run() {
    if (!ChooseClass()) return;
    r_.generated = u_.source.text().substr(0, 2000).find("Code generated by Kestrix") !=
                   std::string_view::npos;
    MainInfo();
    IndexBodies();
    if (r_.generated) ReadAutoMethods();
    MapProperties();
    MapMethods();
    MapFields();
    ReadEditorRegistrations();
    ReadSwitches();
    CarryGlobalCode();
    NoteUnplaced();
  }

 private:
  std::string Line(std::uint32_t line, std::string_view text) {
    return "line " + std::to_string(line) + ": " + std::string(text);
  }
  void Note(std::uint32_t line, std::string_view text) { r_.messages.push_back(Line(line, text)); }

  bool ChooseClass() {
    if (!u_.complete || u_.HasErrors()) {
      for (const pascal::Message& m : u_.messages) {
        if (m.severity == pascal::Severity::kError) {
          r_.error = "The unit cannot be read: " + pascal::FormatMessage(m);
          return false;
        }
      }
      if (!u_.complete) {
        r_.error = "The unit cannot be read to its end.";
        return false;
      }
    }
    std::string name = options_.class_name;
    if (name.empty()) {
      const std::vector<std::string> registered = RegisteredClasses(u_);
      if (registered.empty()) {
        r_.error = "The unit registers no component class; name the class to import.";
        return false;
      }
      if (registered.size() > 1) {
        r_.candidates = registered;
        r_.error = "The unit registers several classes; name the one to import.";
        return false;
      }
      name = registered.front();
    }
    const std::optional<std::size_t> index = u_.FindTypeIndex(name);
    if (!index || u_.types[*index].outer) {
      r_.error = "The unit declares no class " + name + ".";
      return false;
    }
    const TypeDecl& type = u_.types[*index];
    if (type.kind != pascal::TypeKind::kClass || !type.followed || type.parent.text.empty()) {
      r_.error = name + " is not a class the import can read.";
      return false;
    }
    class_index_ = *index;
    cls_ = &type;
    return true;
  }

  void MainInfo() {
    model::MainInfoDef& m = r_.def.MainInfo;
    m.UnitName = u_.unit_name.text;
    m.NewClassName = cls_->name.text;
    m.ParentClassName = cls_->parent.text;
    if (catalog::IsCatalogueClass(cls_->parent.text)) {
      m.VCLAncestorName = cls_->parent.text;
    } else {
      r_.custom_parent = true;
      CustomParent();
    }
    m.Units.reset();
    if (u_.interface_uses) {
      m.Units.emplace();
      for (const pascal::UsedUnit& used : u_.interface_uses->units) {
        m.Units->push_back(used.name.text);
      }
    }
    for (const pascal::RegisterCall& call : u_.registrations) {
      for (const pascal::Name& name : call.classes) {
        if (SameText(name.text, cls_->name.text) && call.page_value) {
          m.DefaultPalette = *call.page_value;
        }
      }
    }
    if (r_.generated) {
      ReadHeaderComment();
    } else {
      // The comment above the class describes the component.
      Describe(r_.def.Global, cls_->comment);
    }
  }

  // A parent the catalogue does not know: its standard ancestor and unit as given, or, for a
  // parent the unit declares, the first standard class up its line of parents and this unit.
  void CustomParent() {
    model::MainInfoDef& m = r_.def.MainInfo;
    if (!options_.ancestor.empty()) {
      m.VCLAncestorName = options_.ancestor;
      r_.parent_unit = options_.ancestor_unit;
      return;
    }
    m.VCLAncestorName = "TComponent";
    const TypeDecl* type = u_.FindType(cls_->parent.text);
    if (!type) {
      Note(cls_->whole.begin.line,
           "The parent " + cls_->parent.text +
               " is declared in another unit; the definition takes TComponent as its standard "
               "ancestor.");
      return;
    }
    for (int depth = 0; type && depth < pascal::kMaxOutlineNesting; ++depth) {
      if (catalog::IsCatalogueClass(type->parent.text)) {
        m.VCLAncestorName = type->parent.text;
        r_.parent_unit = u_.unit_name.text;
        return;
      }
      type = u_.FindType(type->parent.text);
    }
    Note(cls_->whole.begin.line, "No standard class is among the parents of " + cls_->parent.text +
                                     " in the unit; the definition takes TComponent as its "
                                     "standard ancestor.");
  }

  // The header box of a generated unit: the component's description, its source file and
  // copyright line.
  void ReadHeaderComment() {
    const std::string_view text = u_.source.text();
    const std::size_t end = text.find("unit ");
    std::vector<std::string> lines = CommentLines(text.substr(0, end));
    model::MainInfoDef& m = r_.def.MainInfo;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.starts_with("VCL component ") && i + 1 < lines.size() &&
          !lines[i + 1].starts_with("Code generated by Kestrix")) {
        r_.def.Global.Descr = lines[i + 1];
      } else if (line.starts_with("Generated from source file ")) {
        m.FileName = line.substr(27);
      } else if (i + 1 < lines.size() && lines[i].starts_with("on ") &&
                 lines[i].find(" at ") != std::string::npos) {
        if (!lines[i + 1].starts_with("*****")) m.CopyrightLine = lines[i + 1];
      }
    }
  }

  void IndexBodies() {
    for (std::size_t i = 0; i < u_.routines.size(); ++i) {
      const Routine& routine = u_.routines[i];
      if (routine.type == class_index_ && routine.member && routine.has_body) {
        bodies_[*routine.member] = i;
      }
    }
  }

  // The members by upper-cased name (the first of a name: overloads are noted later).
  const Member* FindMember(std::string_view name, MemberKind kind) const {
    for (const Member& member : cls_->members) {
      if (member.kind == kind && SameText(member.name.text, name)) return &member;
    }
    return nullptr;
  }
  std::size_t IndexOf(const Member* member) const {
    return static_cast<std::size_t>(member - cls_->members.data());
  }
  const Routine* BodyOf(const Member* member) const {
    const auto it = bodies_.find(IndexOf(member));
    return it == bodies_.end() ? nullptr : &u_.routines[it->second];
  }
  void Use(const Member* member) {
    used_.insert(IndexOf(member));
    if (const Routine* body = BodyOf(member)) used_routines_.insert(body);
  }

  // A body's lines after its heading through its final "end;".
  std::vector<std::string> BodyLines(const Routine& routine) const {
    const std::uint32_t begin = routine.heading.whole.end.offset;
    return BodyLinesOf(u_.source.Text(begin, std::max(begin, routine.whole.end.offset)));
  }
  // The text after a heading, from the line after it.
  static std::vector<std::string> BodyLinesOf(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    if (begin < text.size() && text[begin] == '\r') ++begin;
    if (begin < text.size() && text[begin] == '\n') ++begin;
    return SplitLines(text.substr(begin));
  }

  // Description and help from the comments directly above a declaration.
  void Describe(ItemDef& item, const Span& comment) {
    if (comment.empty()) return;
    std::vector<std::string> lines = CommentLines(u_.Text(comment));
    std::erase_if(lines, [](const std::string& line) { return IsWrittenComment(line); });
    if (lines.empty()) return;
    // The unit writer puts a description into a brace comment, which a brace would end.
    if (lines.front().find_first_of("{}") != std::string::npos) {
      item.Help = lines;
      return;
    }
    item.Descr = lines.front();
    if (lines.size() > 1) item.Help = std::vector<std::string>(lines.begin() + 1, lines.end());
  }

  std::string HeaderText(const pascal::RoutineHeading& heading) const {
    std::uint32_t end = heading.name.span.end.offset;
    if (!heading.parameters.empty()) end = heading.parameters.end.offset;
    if (!heading.result.empty()) end = heading.result.end.offset;
    std::string text(u_.source.Text(heading.name.span.begin.offset, end));
    // A qualified body name keeps only the method's.
    if (const std::size_t dot = text.find('.'); dot != std::string::npos && dot < text.find('('))
      text.erase(0, dot + 1);
    return text;
  }

  void ReadAutoMethods() {
    auto body_of = [&](std::string_view name) -> const Routine* {
      const Member* member = FindMember(name, MemberKind::kMethod);
      if (!member) return nullptr;
      Use(member);
      return BodyOf(member);
    };
    if (const Routine* init = body_of("AutoInitialize")) {
      const std::vector<std::string> lines = BodyLines(*init);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.starts_with("     ") || line.size() < 6 || line[5] == ' ') continue;
        const std::string text = line.substr(5);
        const std::size_t assign = text.find(" := ");
        if (text.starts_with("with ") && text.ends_with(" do")) {
          Initial& initial = initials_[UpperCase(text.substr(5, text.size() - 8))];
          initial.with_code.emplace();
          while (i + 1 < lines.size() && lines[i + 1].starts_with("          ")) {
            initial.with_code->push_back(lines[++i].substr(10));
          }
          continue;
        }
        if (assign == std::string::npos) continue;
        const std::string target = text.substr(0, assign);
        std::string value = text.substr(assign + 4);
        Initial& initial = initials_[UpperCase(target)];
        const std::size_t create = value.find(".Create");
        if (create != std::string::npos && model::IsValidIdent(value.substr(0, create))) {
          initial.create_type = value.substr(0, create);
          initial.sub_component = value.find("(Self)") != std::string::npos ||
                                  value.find("{ within thread component }") != std::string::npos;
        } else if (value.ends_with(";")) {
          value.pop_back();
          initial.value = value;
        }
      }
    }
    if (const Routine* destroy = body_of("AutoDestroy")) {
      for (const std::string& line : BodyLines(*destroy)) {
        const std::string text = model::Trim(line);
        if (text.ends_with(".Free;"))
          initials_[UpperCase(text.substr(0, text.size() - 6))].freed = true;
      }
    }
    if (const Member* notification = FindMember("Notification", MemberKind::kMethod)) {
      if (const Routine* body = BodyOf(notification)) {
        for (const std::string& line : BodyLines(*body)) {
          const std::string text = model::Trim(line);
          if (text.starts_with("if AComponent = ") && text.ends_with(" then")) {
            links_.insert(UpperCase(text.substr(16, text.size() - 21)));
          }
        }
      }
      Use(notification);
    }
  }

  const Initial* InitialOf(std::string_view target) const {
    const auto it = initials_.find(UpperCase(target));
    return it == initials_.end() ? nullptr : &it->second;
  }

  // The argument list of an event type of the unit: "procedure (A : T) of object" gives "(A : T)".
  std::optional<std::string> EventArglist(std::string_view type) const {
    if (SameText(type, "TNotifyEvent")) return std::string(model::kNotifyArglist);
    const TypeDecl* decl = u_.FindType(type);
    if (!decl || decl->kind != pascal::TypeKind::kProcedural) return std::nullopt;
    std::string text(u_.Text(decl->definition));
    const std::string upper = UpperCase(text);
    if (!upper.starts_with("PROCEDURE") || !upper.ends_with("OF OBJECT")) return std::nullopt;
    return model::Trim(std::string_view(text).substr(9, text.size() - 18));
  }

  void MapProperties() {
    for (const Member& member : cls_->members) {
      if (member.kind != MemberKind::kProperty) continue;
      const pascal::PropertySpecifiers& s = member.property;
      const std::string name = member.name.text;
      const std::uint32_t line = member.whole.begin.line;
      if (member.class_member) continue;  // noted as unplaced
      if (s.type.empty()) {
        MapRedeclared(member);
        continue;
      }
      const std::string type(u_.Text(s.type));
      const std::string read(u_.Text(s.read));
      const std::string write(u_.Text(s.write));
      if (MapEvent(member, type, read, write)) continue;
      if (MapHiddenInherited(member, read)) continue;
      if (MapInheritedAccessors(member, read, write)) continue;
      if (s.read.empty()) {
        Note(line,
             "The property " + name + " has no read specifier; a definition has no place for it.");
        continue;
      }
      ItemDef item = model::NewPropertyItem(name);
      model::PropertyPart& p = item.Property();
      p.PropType = type;
      p.ReadOnly = s.write.empty();
      if (!s.parameters.empty()) {
        p.Special = ArrayKind(u_.Text(s.parameters));
        if (p.Special == model::PropSpecialType::psNone) {
          Note(line, "The array property " + name + " has index parameters " +
                         std::string(u_.Text(s.parameters)) +
                         " that a definition cannot hold; it is left out.");
          continue;
        }
        const std::string held = model::IndexDeclaration(p);
        std::string packed(u_.Text(s.parameters)), canonical = held;
        std::erase(packed, ' ');
        std::erase(canonical, ' ');
        if (!SameText(packed, canonical))
          Note(line, "The index parameters " + std::string(u_.Text(s.parameters)) +
                         " of property " + name + " become " + held + ".");
        if (s.default_array)
          Note(line, "The property " + name + " is no longer the default array property.");
      }
      const bool indexed = model::IsIndexedKind(p.Special);
      // Read: the storage field, the read method, or any other accessor through read code.
      const Member* field = FindMember(read, MemberKind::kField);
      const Member* reader = FindMember(read, MemberKind::kMethod);
      if (field && !indexed && SameText(read, "F" + name) && s.index.empty()) {
        Use(field);
      } else if (reader && SameText(read, "Get" + name) && s.index.empty() && BodyOf(reader) &&
                 CodeWithParameters(*reader, IndexNames(p.Special), p.ReadCode)) {
        Use(reader);
        p.UseReadMethod = true;
        NoteBinding(*reader, name);
        {
          // A generated array property's F field is the Boolean that hides it; a hand-written
          // one's is the getter's own, which stays a variable.
          const Member* storage = FindMember("F" + name, MemberKind::kField);
          const bool hiding = storage && r_.generated &&
                              u_.Text(storage->comment).find("Overload inherited property") !=
                                  std::string_view::npos;
          if (storage && hiding) Use(storage);
          if (storage && !hiding && (!indexed || r_.generated)) UseStorage(storage, p);
          if (!indexed && (!storage || hiding)) {
            // No storage field: the property stands for something else, which a link says.
            p.Link = LinkOf(*p.ReadCode);
            if (p.Link.empty()) p.Link = name;
            if (links_.contains(UpperCase(p.Link.str())))
              p.Special = model::PropSpecialType::psLinkComponent;
          }
        }
      } else {
        p.UseReadMethod = true;
        p.ReadCode = AccessorCode(true, read, std::string(u_.Text(s.index)), p);
        // A field named as the writer names the property's storage is that storage; without
        // one, what the property reads is its storage and the writer declares no field.
        if (const Member* storage = FindMember("F" + name, MemberKind::kField)) {
          if (!indexed) UseStorage(storage, p);
        } else if (!indexed) {
          p.Link = LinkOf(*p.ReadCode);
        }
      }
      // What AutoInitialize does with it: creates it, clears it or gives it its default.
      if (const Initial* initial =
              indexed ? nullptr : InitialOf(p.Link.empty() ? "F" + name : name)) {
        if (!initial->create_type.empty()) {
          p.Special = model::PropSpecialType::psObjectAutoCreate;
        } else if (initial->value == "nil" && p.Link.empty()) {
          p.Special = links_.contains(UpperCase("F" + name))
                          ? model::PropSpecialType::psLinkComponent
                          : model::PropSpecialType::psObjectManualCreate;
        } else {
          p.PropDefault = initial->value;
        }
      }
      if (!s.write.empty()) {
        const Member* setter = FindMember(write, MemberKind::kMethod);
        if (SameText(write, "F" + name) && !indexed && s.index.empty() &&
            FindMember(write, MemberKind::kField)) {
          Use(FindMember(write, MemberKind::kField));
        } else if (setter && SameText(write, "Set" + name) && s.index.empty() && BodyOf(setter) &&
                   setter->routine.kind == pascal::RoutineKind::kProcedure &&
                   CodeWithParameters(*setter, WriteParameterNames(p.Special), item.Code)) {
          Use(setter);
          p.UseWriteMethod = true;
          NoteBinding(*setter, name);
        } else {
          p.UseWriteMethod = true;
          item.Code = AccessorCode(false, write, std::string(u_.Text(s.index)), p);
        }
      }
      if (p.PropDefault.empty() && !s.default_value.empty())
        p.PropDefault = std::string(u_.Text(s.default_value));
      if (!s.stored.empty())
        Note(line, "The stored specifier of property " + name + " has no place in a definition.");
      const std::uint8_t scope = ScopeOf(member.visibility);
      if (scope == model::kScopeProtected || scope == model::kScopePrivate) p.Hide = true;
      if (scope == model::kScopePublic && !p.ReadOnly && !indexed &&
          p.Special != model::PropSpecialType::psObjectManualCreate) {
        Note(line, "The public property " + name + " becomes published.");
      }
      NoteTakenNames(member, p, read, write);
      Describe(item, member.comment);
      Add(std::move(item), member);
    }
  }

  // The unit writer declares a property's read and write methods private and static.
  void NoteBinding(const Member& method, const std::string& property) {
    for (std::string_view directive : {"override", "virtual", "dynamic"}) {
      if (!method.routine.Has(directive)) continue;
      Note(method.whole.begin.line, "The method " + method.name.text + " is declared " +
                                        std::string(directive) + "; as a method of property " +
                                        property + " it is declared without it.");
      return;
    }
  }

  // A field taken as a property's storage, which the unit writer declares of the property's
  // type.
  void UseStorage(const Member* storage, const model::PropertyPart& p) {
    Use(storage);
    const std::string type = model::Trim(u_.Text(storage->type));
    if (!SameText(type, p.PropType.str())) {
      Note(storage->whole.begin.line, "The field " + storage->name.text + " of type " + type +
                                          " becomes the storage of property " + p.Name.str() +
                                          ", declared of its type " + p.PropType.str() + ".");
    }
  }

  // The writer names a property's storage field and read and write methods after it; a member
  // of the class with such a name that is not the property's own would be declared twice.
  void NoteTakenNames(const Member& property, const model::PropertyPart& p, const std::string& read,
                      const std::string& write) {
    std::vector<std::string> names;
    if (model::HasStorageVariable(p)) names.push_back("F" + p.Name.str());
    if (generate::UsesReadMethod(p)) names.push_back(model::ReadMethodName(p.Name.str()));
    if (generate::UsesWriteMethod(p)) names.push_back(model::WriteMethodName(p.Name.str()));
    for (const std::string& name : names) {
      if (SameText(name, read) || SameText(name, write)) continue;
      for (const Member& other : cls_->members) {
        if (&other == &property || !SameText(other.name.text, name)) continue;
        if (used_.contains(IndexOf(&other))) continue;
        Note(property.whole.begin.line,
             "The property " + p.Name.str() + " needs a member named " + name +
                 ", which the class declares for another purpose; the unit compiles only when "
                 "one of them is renamed.");
        break;
      }
    }
  }

  // Whether an accessor is a method: of the class or of an ancestor the unit declares, or,
  // for an ancestor declared elsewhere, by the convention that fields are named F...
  bool IsMethodOfClassOrAncestor(const std::string& accessor) const {
    const TypeDecl* type = cls_;
    for (int depth = 0; type && depth < pascal::kMaxOutlineNesting; ++depth) {
      for (const Member& member : type->members) {
        if (!SameText(member.name.text, accessor)) continue;
        if (member.kind == MemberKind::kMethod) return true;
        if (member.kind == MemberKind::kField) return false;
      }
      type = u_.FindType(type->parent.text);
    }
    return !(accessor.size() > 1 && (accessor[0] == 'F' || accessor[0] == 'f') &&
             std::isupper(static_cast<unsigned char>(accessor[1])));
  }

  // "property Left: Integer read GetLeft write SetLeft;" in a class whose ancestor, declared in
  // the unit, has that property through the same accessors: the inherited property redeclared.
  bool MapInheritedAccessors(const Member& member, const std::string& read,
                             const std::string& write) {
    for (const std::string& accessor : {read, write}) {
      if (!accessor.empty() &&
          (FindMember(accessor, MemberKind::kField) || FindMember(accessor, MemberKind::kMethod)))
        return false;
    }
    const TypeDecl* ancestor = u_.FindType(cls_->parent.text);
    for (int depth = 0; ancestor && depth < pascal::kMaxOutlineNesting; ++depth) {
      for (const Member& other : ancestor->members) {
        if (other.kind != MemberKind::kProperty || !SameText(other.name.text, member.name.text))
          continue;
        const pascal::PropertySpecifiers& o = other.property;
        if (!SameText(u_.Text(o.read), read) || !SameText(u_.Text(o.write), write)) return false;
        MapRedeclared(member);
        return true;
      }
      ancestor = u_.FindType(ancestor->parent.text);
    }
    return false;
  }

  // The kind of array property index parameters make: one or two integers, or a string.
  static model::PropSpecialType ArrayKind(std::string_view parameters) {
    std::string text(parameters.substr(1, parameters.size() >= 2 ? parameters.size() - 2 : 0));
    int integers = 0, strings = 0, others = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find(';', start), text.size());
      const std::string group = model::Trim(text.substr(start, end - start));
      start = end + 1;
      const std::size_t colon = group.find(':');
      if (colon == std::string::npos) {
        ++others;
        continue;
      }
      std::string names = group.substr(0, colon);
      if (model::StartsWithText(names, "const ")) names.erase(0, 6);
      const int count = static_cast<int>(std::count(names.begin(), names.end(), ',')) + 1;
      const std::string type = UpperCase(model::Trim(group.substr(colon + 1)));
      if (type == "INTEGER" || type == "LONGINT")
        integers += count;
      else if (type == "STRING" || type == "ANSISTRING")
        strings += count;
      else
        ++others;
    }
    if (others == 0 && strings == 0 && integers == 1) return model::PropSpecialType::psIndexedI;
    if (others == 0 && strings == 0 && integers == 2) return model::PropSpecialType::psIndexedIJ;
    if (others == 0 && integers == 0 && strings == 1)
      return model::PropSpecialType::psIndexedString;
    return model::PropSpecialType::psNone;
  }

  // The parameter names the unit writer gives an array property's read and write methods.
  static std::vector<std::string> IndexNames(model::PropSpecialType special) {
    switch (special) {
      case model::PropSpecialType::psIndexedI:
        return {"I"};
      case model::PropSpecialType::psIndexedIJ:
        return {"I", "J"};
      case model::PropSpecialType::psIndexedString:
        return {"S"};
      default:
        return {};
    }
  }

  static std::vector<std::string> WriteParameterNames(model::PropSpecialType special) {
    std::vector<std::string> names = IndexNames(special);
    names.push_back("Value");
    return names;
  }

  // The body of a property's read or write method as the property's read or write code, which
  // the unit writer heads "GetX : T" and "SetX(Value : T)" (with the indexes I, J or S of an
  // array property first): a parameter named otherwise is renamed in it. A body that already
  // uses the new name for something else stays as written, with a note: renaming would change
  // what it does, and the compiler then points at it.
  bool CodeWithParameters(const Member& method, const std::vector<std::string>& wanted,
                          model::TextBlock& code) {
    const pascal::RoutineHeading& h = method.routine;
    const Routine& body = *BodyOf(&method);
    if (h.parameter_list.size() != wanted.size()) return false;
    std::map<std::string, std::string> renames;  // upper-cased parameter -> its new name
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      const pascal::Parameter& parameter = h.parameter_list[i];
      if (parameter.modifier == "var" || parameter.modifier == "out") return false;
      if (!SameText(parameter.name.text, wanted[i]))
        renames[UpperCase(parameter.name.text)] = wanted[i];
    }
    if (renames.empty()) {
      code = BodyLines(body);
      return true;
    }
    const std::uint32_t begin = body.heading.whole.end.offset;
    const std::uint32_t end = body.whole.end.offset;
    std::vector<std::pair<const pascal::Token*, std::string>> uses;
    const pascal::Token* previous = nullptr;
    for (const pascal::Token& token : u_.tokens) {
      if (token.begin < begin || token.end > end) continue;
      if (token.kind == pascal::TokenKind::kComment || token.kind == pascal::TokenKind::kDirective)
        continue;
      const bool member_name = previous && u_.source.Text(previous->begin, previous->end) == ".";
      previous = &token;
      if (token.kind != pascal::TokenKind::kIdentifier || token.Has(pascal::kEscaped) ||
          member_name)
        continue;
      const std::string word = UpperCase(u_.source.Text(token.begin, token.end));
      for (const auto& [from, to] : renames) {
        if (word != UpperCase(to)) continue;
        const std::string& parameter = from;  // a lambda cannot capture a structured binding
        const auto renamed = std::find_if(
            h.parameter_list.begin(), h.parameter_list.end(),
            [&](const pascal::Parameter& p) { return UpperCase(p.name.text) == parameter; });
        code = BodyLines(body);
        Note(method.whole.begin.line, "The body of " + h.name.text + " uses the name " + to +
                                          ", which its parameter " + renamed->name.text +
                                          " takes in the code of property " +
                                          h.name.text.substr(3) + "; the code is kept as written.");
        return true;
      }
      if (const auto it = renames.find(word); it != renames.end())
        uses.emplace_back(&token, it->second);
    }
    std::string text;
    std::uint32_t at = begin;
    for (const auto& [token, to] : uses) {
      text += u_.source.Text(at, token->begin);
      text += to;
      at = token->end;
    }
    text += u_.source.Text(at, end);
    code = BodyLinesOf(text);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      const std::string& name = h.parameter_list[i].name.text;
      if (SameText(name, wanted[i])) continue;
      Note(method.whole.begin.line, "The parameter " + name + " of " + h.name.text + " is named " +
                                        wanted[i] + " in the code of property " +
                                        h.name.text.substr(3) + ".");
    }
    return true;
  }

  // Read (or write) code that goes through an accessor the property names, for a property
  // whose read or write is not its own storage field or Get/Set method. A field is assigned
  // ("FText := Value"), a method called ("SetText(Value)"); an index specifier or the indexes
  // of an array property go first.
  std::vector<std::string> AccessorCode(bool read, const std::string& accessor,
                                        const std::string& index, const model::PropertyPart& p) {
    const model::PropSpecialType special = p.Special;
    std::string args = index;
    switch (special) {
      case model::PropSpecialType::psIndexedI:
        args = "I";
        break;
      case model::PropSpecialType::psIndexedIJ:
        args = "I, J";
        break;
      case model::PropSpecialType::psIndexedString:
        args = "S";
        break;
      default:
        break;
    }
    const bool own =
        FindMember(accessor, MemberKind::kMethod) || FindMember(accessor, MemberKind::kField);
    // An inherited accessor named as the writer names the property's own method: the method
    // would call itself.
    const std::string name = p.Name.str();
    const bool hidden = !own && SameText(accessor, read ? model::ReadMethodName(name)
                                                        : model::WriteMethodName(name));
    const std::string target = (hidden ? "inherited " : "") + accessor;
    const bool method = hidden || !args.empty() || IsMethodOfClassOrAncestor(accessor);
    std::string statement;
    if (read) {
      statement = "Result := " + target + (args.empty() ? "" : "(" + args + ")") + ";";
    } else if (method) {
      statement = target + "(" + (args.empty() ? "" : args + ", ") + "Value);";
    } else {
      statement = target + " := Value;";
    }
    return {"begin", "     " + statement, "end;"};
  }

  static std::string LinkOf(const std::vector<std::string>& code) {
    for (const std::string& line : code) {
      const std::string text = model::Trim(line);
      if (text.starts_with("Result := ") && text.ends_with(";") &&
          text.find('(') == std::string::npos)
        return text.substr(10, text.size() - 11);
    }
    return {};
  }

  void MapRedeclared(const Member& member) {
    const std::string& name = member.name.text;
    const pascal::PropertySpecifiers& s = member.property;
    if (model::StartsWithText(name, "On") && s.default_value.empty()) {
      ItemDef& item = ExistingEvent(name);
      item.ExistingEvent().Publish = true;
      Describe(item, member.comment);
      Use(&member);
      ++r_.mapped;
      return;
    }
    ItemDef item = model::NewPropertyItem(name);
    model::PropertyPart& p = item.Property();
    p.Inherited = true;
    p.PropType = "";
    if (!s.default_value.empty()) p.PropDefault = std::string(u_.Text(s.default_value));
    if (const Initial* initial = InitialOf(name)) p.PropDefault = initial->value;
    if (member.visibility == Visibility::kPublic) p.ReadOnly = true;
    Describe(item, member.comment);
    Add(std::move(item), member);
  }

  // An inherited property a generated unit hides behind a Boolean of its own.
  bool MapHiddenInherited(const Member& member, const std::string& read) {
    if (!r_.generated || !member.property.write.empty()) return false;
    const std::string& name = member.name.text;
    const Member* field = FindMember(read, MemberKind::kField);
    if (!field || !SameText(read, "F" + name)) return false;
    const std::string comment(u_.Text(field->comment));
    if (comment.find("Overload inherited property " + name) == std::string::npos) return false;
    ItemDef item = model::NewPropertyItem(name);
    model::PropertyPart& p = item.Property();
    p.Inherited = true;
    p.Hide = true;
    p.PropType = "";
    p.ReadOnly = member.visibility == Visibility::kPublic;
    if (const Initial* initial = InitialOf("inherited " + name)) p.PropDefault = initial->value;
    Use(field);
    Describe(item, member.comment);
    Add(std::move(item), member);
    return true;
  }

  // A property of a method type whose handler lives in its own field: a new event.
  bool MapEvent(const Member& member, const std::string& type, const std::string& read,
                const std::string& write) {
    const std::string& name = member.name.text;
    if (!model::StartsWithText(name, "On") || !member.property.parameters.empty()) return false;
    const std::optional<std::string> arglist = EventArglist(type);
    if (!arglist) return false;
    const std::string storage = "F" + name;
    const Member* field = FindMember(storage, MemberKind::kField);
    if (!field || !SameText(read, storage) || !SameText(write, storage)) return false;
    // The type the unit writer would declare for it must be this one (or TNotifyEvent).
    const bool notify = model::IsNotifyArglist(*arglist);
    if (!notify && !SameText(type, model::EventTypeName(name))) return false;
    if (notify && !SameText(type, "TNotifyEvent")) return false;
    const Member* dispatch = FindMember(model::DispatchMethodName(name), MemberKind::kMethod);
    const Routine* body = dispatch ? BodyOf(dispatch) : nullptr;
    std::string args = *arglist;
    if (dispatch) {
      // Only a dispatch method with the event's own arguments is the event's; a notify
      // event's may have none ("procedure Ping;").
      const std::string params(u_.Text(dispatch->routine.parameters));
      auto packed = [](std::string t) {
        std::erase(t, ' ');
        return UpperCase(t);
      };
      if (!body || dispatch->routine.kind != pascal::RoutineKind::kProcedure) return false;
      if (notify && model::IsNotifyArglist(params)) {
        args = params;
      } else if (packed(params) != packed(args)) {
        return false;
      }
    }
    ItemDef item = model::NewEventItem(name);
    model::NewEventPart& e = item.NewEvent();
    e.Arglist = args;
    e.Publish =
        member.visibility == Visibility::kPublished || member.visibility == Visibility::kDefault;
    if (dispatch) {
      Use(dispatch);
      item.Code = BodyLines(*body);
    }
    Use(field);
    if (!notify) excluded_types_.insert(UpperCase(type));
    Describe(item, member.comment);
    Add(std::move(item), member);
    return true;
  }

  ItemDef& ExistingEvent(const std::string& name) {
    for (ItemDef& item : pending_) {
      if (item.Kind() == model::ItemKind::ExistingEvent &&
          SameText(item.ExistingEvent().Name, name))
        return item;
    }
    ItemDef item = model::NewExistingEventItem(name);
    item.ExistingEvent().Publish = false;
    item.ExistingEvent().Override = false;
    item.ExistingEvent().HandlerDecl = catalog::LookupInheritedEvent(name).HandlerDecl;
    pending_.push_back(std::move(item));
    pending_lines_.push_back(0);
    return pending_.back();
  }

  void Add(ItemDef item, const Member& member) {
    Use(&member);
    ++r_.mapped;
    pending_.push_back(std::move(item));
    pending_lines_.push_back(member.whole.begin.line);
  }

  void MapMethods() {
    for (const Member& member : cls_->members) {
      if (member.kind != MemberKind::kMethod || used_.contains(IndexOf(&member))) continue;
      const pascal::RoutineHeading& h = member.routine;
      const std::uint32_t line = member.whole.begin.line;
      if (member.class_member || h.kind == pascal::RoutineKind::kOperator) continue;
      const Routine* body = BodyOf(&member);
      // An overridden handler of an inherited event.
      if (h.Has("override") && h.kind == pascal::RoutineKind::kProcedure) {
        bool handled = false;
        for (const catalog::tables::EventRow& row : catalog::tables::InheritedEventTable()) {
          if (!SameText(model::HandlerName(row.handler_decl), h.name.text)) continue;
          ItemDef& item = ExistingEvent(std::string(row.name));
          item.ExistingEvent().Override = true;
          item.ExistingEvent().HandlerDecl = HeaderText(h);
          if (body) item.Code = BodyLines(*body);
          if (item.Descr.empty()) Describe(item, member.comment);
          Use(&member);
          ++r_.mapped;
          handled = true;
          break;
        }
        // Or the handler of an inherited event the class publishes ("property OnTerminate;").
        for (ItemDef& item : pending_) {
          if (handled || item.Kind() != model::ItemKind::ExistingEvent ||
              item.ExistingEvent().Override ||
              !SameText(model::DispatchMethodName(item.ExistingEvent().Name), h.name.text))
            continue;
          item.ExistingEvent().Override = true;
          item.ExistingEvent().HandlerDecl = HeaderText(h);
          if (body) item.Code = BodyLines(*body);
          if (item.Descr.empty()) Describe(item, member.comment);
          Use(&member);
          ++r_.mapped;
          handled = true;
        }
        if (handled) continue;
      }
      ItemDef item = model::NewMethodItem(HeaderText(h));
      model::MethodPart& m = item.Method();
      switch (h.kind) {
        case pascal::RoutineKind::kFunction:
          m.MethodKind = model::kFunction;
          break;
        case pascal::RoutineKind::kConstructor:
          m.MethodKind = model::kConstructor;
          break;
        case pascal::RoutineKind::kDestructor:
          m.MethodKind = model::kDestructor;
          break;
        default:
          m.MethodKind = model::kProcedure;
      }
      m.Scope = ScopeOf(member.visibility);
      if (m.Scope == model::kScopePublished) m.Scope = model::kScopePublic;
      m.Override = h.Has("override");
      m.Mode = h.Has("virtual")   ? model::MethodMode::kCanBeOverriddenMaxSpeed
               : h.Has("dynamic") ? model::MethodMode::kCanBeOverriddenMinSize
                                  : model::MethodMode::kCannotBeOverridden;
      if (const pascal::RoutineDirective* message = h.Find("message"))
        m.WinMessage = std::string(u_.Text(message->argument));
      for (const pascal::RoutineDirective& d : h.directives) {
        if (d.word == "override" || d.word == "virtual" || d.word == "dynamic" ||
            d.word == "message")
          continue;
        Note(line, "The directive " + std::string(u_.Text(d.whole)) + " of method " + h.name.text +
                       " has no place in a definition and is left out.");
      }
      if (body) {
        item.Code = BodyLines(*body);
      } else if (!h.Has("abstract")) {
        Note(line, "The method " + h.name.text + " has no body in the unit.");
      }
      Describe(item, member.comment);
      if (item.Descr.empty() && body) Describe(item, body->comment);
      Add(std::move(item), member);
    }
  }

  void MapFields() {
    for (const Member& member : cls_->members) {
      if (member.kind != MemberKind::kField || used_.contains(IndexOf(&member))) continue;
      if (member.class_member) continue;
      ItemDef item = model::NewVariableItem(member.name.text);
      model::VariablePart& v = item.Variable();
      v.DataType = std::string(u_.Text(member.type));
      v.Scope = ScopeOf(member.visibility);
      if (const Initial* initial = InitialOf(member.name.text)) {
        if (!initial->create_type.empty()) {
          v.IsObject = true;
          v.IsSubComponent = initial->sub_component;
        } else {
          v.Default = initial->value;
        }
        item.Code = initial->with_code;
      }
      Describe(item, member.comment);
      Add(std::move(item), member);
    }
  }

  // RegisterPropertyEditor calls of a generated Register: the properties with their own editor.
  void ReadEditorRegistrations() {
    if (!u_.register_routine) return;
    const Routine& reg = u_.routines[*u_.register_routine];
    std::string text(u_.Text(reg.block));
    std::size_t at = 0;
    while ((at = text.find("RegisterPropertyEditor(TypeInfo(", at)) != std::string::npos) {
      const std::size_t end = text.find(");", at);
      if (end == std::string::npos) break;
      std::string call = text.substr(at + 32, end - at - 32);
      at = end;
      std::erase_if(call, [](char c) { return c == '\r' || c == '\n'; });
      std::vector<std::string> parts;
      std::size_t start = 0;
      const std::size_t close = call.find(')');
      if (close == std::string::npos) continue;
      parts.push_back(model::Trim(call.substr(0, close)));
      start = call.find(',', close);
      while (start != std::string::npos) {
        const std::size_t next = call.find(',', start + 1);
        parts.push_back(model::Trim(
            call.substr(start + 1, next == std::string::npos ? next : next - start - 1)));
        start = next;
      }
      if (parts.size() != 4 || !SameText(parts[1], cls_->name.text)) continue;
      const bool all = parts[2] == "''";
      const std::string prop = all ? "" : parts[2].substr(1, parts[2].size() - 2);
      for (ItemDef& item : pending_) {
        if (item.Kind() != model::ItemKind::Property) continue;
        model::PropertyPart& p = item.Property();
        if (!p.PropertyEditor.DefEdit) continue;
        if (all ? !SameText(p.PropType, parts[0]) : !SameText(p.Name, prop)) continue;
        p.PropertyEditor.DefEdit = false;
        p.PropertyEditor.ApplyToAll = all;
        p.PropertyEditor.EditorClass = parts[3];
        break;
      }
    }
  }

  // Cuts a span out of the carried text, with the rest of its lines when they hold nothing
  // else.
  void Exclude(const Span& span) {
    if (span.empty()) return;
    const std::string_view text = u_.source.text();
    std::size_t begin = span.begin.offset;
    std::size_t end = span.end.offset;
    std::size_t b = begin;
    while (b > 0 && (text[b - 1] == ' ' || text[b - 1] == '\t')) --b;
    if (b == 0 || text[b - 1] == '\n' || text[b - 1] == '\r') begin = b;
    std::size_t e = end;
    while (e < text.size() && (text[e] == ' ' || text[e] == '\t')) ++e;
    // A comment closing the line belongs to what it follows ("end; { of AutoInitialize }").
    if (e < text.size() && text[e] == '{') {
      const std::size_t close = text.find('}', e);
      const std::size_t eol = text.find_first_of("\r\n", e);
      if (close != std::string_view::npos && close < eol) {
        e = close + 1;
        while (e < text.size() && (text[e] == ' ' || text[e] == '\t')) ++e;
      }
    }
    if (e == text.size() || text[e] == '\r' || text[e] == '\n') {
      end = e;
      if (begin == b && end < text.size()) {
        if (text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
      }
    }
    cuts_.emplace_back(begin, end);
  }

  std::vector<std::string> Carry(const Span& part) {
    std::sort(cuts_.begin(), cuts_.end());
    std::string kept;
    std::uint32_t at = part.begin.offset;
    for (const auto& [b, e] : cuts_) {
      if (e <= at || b >= part.end.offset) continue;
      if (b > at) kept += u_.source.Text(at, static_cast<std::uint32_t>(b));
      at = std::max<std::uint32_t>(at, static_cast<std::uint32_t>(e));
    }
    if (at < part.end.offset) kept += u_.source.Text(at, part.end.offset);
    std::vector<std::string> lines = SplitLines(kept);
    TrimBlankLines(lines);
    return lines;
  }

  bool IsExcludedType(const TypeDecl& type) const {
    if (&type == cls_) return true;
    if (type.outer) return true;  // carried with its outer type
    if (&type == kept_forward_) return false;
    return excluded_types_.contains(UpperCase(type.name.text)) ||
           (type.kind == pascal::TypeKind::kClassForward &&
            SameText(type.name.text, cls_->name.text));
  }

  // The class's forward declaration stays where carried types between it and the class need
  // it ("TItems = class; TItem = class ... FOwner: TItems; end;").
  void KeepForwardDeclaration() {
    const TypeDecl* forward = nullptr;
    for (const pascal::Block& block : u_.blocks) {
      if (block.kind != pascal::BlockKind::kType) continue;
      for (std::size_t t : block.types) {
        const TypeDecl& type = u_.types[t];
        if (&type == cls_) {
          kept_forward_ = forward;
          return;
        }
        if (type.kind == pascal::TypeKind::kClassForward &&
            SameText(type.name.text, cls_->name.text)) {
          forward = &type;
        } else if (forward && !IsExcludedType(type)) {
          kept_forward_ = forward;
        }
      }
      if (!kept_forward_) forward = nullptr;  // a forward declaration serves its own section
    }
  }

  bool DeclaresModeOrIncludes(std::uint32_t begin, std::uint32_t end) const {
    return std::any_of(u_.directives.begin(), u_.directives.end(), [&](const pascal::Directive& d) {
      if (d.span.begin.offset < begin || d.span.end.offset > end) return false;
      if (SameText(d.name, "mode") || SameText(d.name, "include")) return true;
      return SameText(d.name, "I") && d.argument != "+" && d.argument != "-";
    });
  }
  bool HasDirective(std::uint32_t begin, std::uint32_t end) const {
    return std::any_of(u_.directives.begin(), u_.directives.end(), [&](const pascal::Directive& d) {
      return d.span.begin.offset >= begin && d.span.end.offset <= end;
    });
  }

  // The unit's compiler mode and switches: what stands between its heading and "interface",
  // and the directives between "interface" and its uses clause, which must precede the uses
  // clause the unit writer puts there.
  void ReadSwitches() {
    const std::uint32_t heading_end = u_.heading.end.offset;
    const std::uint32_t interface_begin = u_.interface_part.begin.offset;
    std::string text(u_.source.Text(heading_end, std::max(heading_end, interface_begin)));
    bool sets_mode = DeclaresModeOrIncludes(heading_end, interface_begin);
    if (u_.interface_uses) {
      const std::uint32_t after = interface_begin + 9;
      const std::uint32_t uses = u_.interface_uses->whole.begin.offset;
      if (uses > after && HasDirective(after, uses)) {
        text += "\n";
        text += u_.source.Text(after, uses);
        sets_mode = sets_mode || DeclaresModeOrIncludes(after, uses);
        Exclude(u_.source.MakeSpan(after, uses));
      }
    }
    std::vector<std::string> lines = SplitLines(text);
    TrimBlankLines(lines);
    if (!sets_mode && !options_.mode.empty()) {
      lines.insert(lines.begin(), "{$mode " + options_.mode + "}");
      Note(u_.heading.begin.line, "The unit sets no compiler mode; it keeps {$mode " +
                                      options_.mode + "}, the mode its package compiles it in.");
    }
    // What the Lazarus target writes when a definition has no switches of its own.
    if (lines.size() == 1 && SameText(model::Trim(lines.front()), "{$mode delphi}")) return;
    if (!lines.empty()) r_.def.MainInfo.Switches = std::move(lines);
  }

  // The class's nested types and constants, which a definition cannot hold inside the class,
  // declared at the unit's level just before it: the class's own code names them unqualified.
  void HoistNestedDeclarations(std::vector<std::string>& code) {
    for (const MemberKind kind : {MemberKind::kConstant, MemberKind::kType}) {
      bool first = true;
      for (const Member& member : cls_->members) {
        if (member.kind != kind || member.class_member || used_.contains(IndexOf(&member)))
          continue;
        Span whole = member.whole;
        if (kind == MemberKind::kType) {
          if (!member.nested) continue;
          whole = u_.types[*member.nested].whole;
        }
        if (first) {
          code.push_back(kind == MemberKind::kType ? "type" : "const");
          first = false;
        }
        std::vector<std::string> lines = SplitLines(u_.Text(whole));
        if (!lines.empty()) lines.front() = "  " + lines.front();
        code.insert(code.end(), lines.begin(), lines.end());
        used_.insert(IndexOf(&member));
        ++r_.carried;
        Note(member.whole.begin.line,
             std::string(kind == MemberKind::kType ? "The nested type " : "The constant ") +
                 member.name.text + " of the class is declared before it, outside it.");
      }
    }
  }

  void CarryGlobalCode() {
    // The interface: its keyword, its uses clause, the class and the event types the writer
    // declares again, and "procedure Register;" are the definition's; the rest is carried,
    // what precedes the class before it and what follows it after it.
    const Span& intf = u_.interface_part;
    const Span& impl = u_.implementation_part;
    Exclude(u_.source.MakeSpan(intf.begin.offset, intf.begin.offset + 9));
    Exclude(u_.source.MakeSpan(impl.begin.offset, impl.begin.offset + 14));
    if (u_.interface_uses) Exclude(u_.interface_uses->whole);
    KeepForwardDeclaration();
    for (const pascal::Block& block : u_.blocks) {
      if (block.kind != pascal::BlockKind::kType) continue;
      bool all = true;
      bool carried_before_class = false;
      for (std::size_t t : block.types) {
        const TypeDecl& type = u_.types[t];
        if (IsExcludedType(type)) {
          if (!type.outer) {
            Exclude(type.comment);
            Exclude(type.whole);
          }
        } else {
          all = false;
          ++r_.carried;
        }
        if (&type == cls_ && !carried_before_class) {
          // What follows the class continues the writer's own type section.
          Exclude(u_.source.MakeSpan(block.whole.begin.offset, block.whole.begin.offset + 4));
        }
        if (!IsExcludedType(type)) carried_before_class = true;
      }
      if (all) {
        Exclude(block.comment);
        Exclude(block.whole);
      }
    }
    for (const Routine& routine : u_.routines) {
      const bool reg = u_.register_routine && &routine == &u_.routines[*u_.register_routine];
      const bool reg_decl = !routine.has_body && routine.part == pascal::Part::kInterface &&
                            routine.class_name.empty() && SameText(routine.method_name, "Register");
      if (reg || reg_decl || (routine.type == class_index_)) {
        Exclude(routine.comment);
        Exclude(routine.whole);
      } else if (routine.class_name.empty() && routine.has_body) {
        ++r_.carried;
      }
      if (routine.type == class_index_ && !used_routines_.contains(&routine) && routine.has_body) {
        Note(routine.whole.begin.line,
             "The body of " + routine.heading.name.text + " belongs to no item and is left out.");
      }
    }
    if (u_.register_routine) {
      for (const std::string& other : RegisteredClasses(u_)) {
        if (!SameText(other, cls_->name.text)) {
          Note(u_.routines[*u_.register_routine].whole.begin.line,
               "The registration of " + other +
                   " is left out: a definition registers its own class only.");
        }
      }
    }
    // Each part runs to the keyword that ends it, so that the comments and directives after
    // its last declaration ("{$I bodies.inc}") go with it.
    const std::uint32_t unit_end = u_.end.empty() ? u_.source.size() : u_.end.begin.offset;
    const std::uint32_t interface_end = std::max(intf.end.offset, impl.begin.offset);
    std::uint32_t implementation_end = unit_end;
    for (const Span* part : {&u_.finalization, &u_.initialization}) {
      if (!part->empty()) implementation_end = part->begin.offset;
    }
    implementation_end = std::max(implementation_end, impl.end.offset);
    const std::uint32_t split =
        std::clamp(cls_->whole.end.offset, intf.begin.offset, interface_end);
    std::vector<std::string> interface_code = Carry(u_.source.MakeSpan(intf.begin.offset, split));
    HoistNestedDeclarations(interface_code);
    std::vector<std::string> after_class = Carry(u_.source.MakeSpan(split, interface_end));
    std::vector<std::string> implementation_code =
        Carry(u_.source.MakeSpan(impl.begin.offset, implementation_end));
    if (!interface_code.empty()) r_.def.Global.Code = std::move(interface_code);
    if (!after_class.empty()) r_.def.AfterClass = std::move(after_class);
    if (!implementation_code.empty()) r_.def.ImpGlobal.Code = std::move(implementation_code);
    // Initialization and finalization, with what stands between them and the unit's end.
    const Span& first = u_.initialization.empty() ? u_.finalization : u_.initialization;
    if (!first.empty()) {
      std::vector<std::string> lines =
          Carry(u_.source.MakeSpan(first.begin.offset, std::max(first.begin.offset, unit_end)));
      if (!lines.empty()) r_.def.Initialization = std::move(lines);
    }
  }

  void NoteUnplaced() {
    for (std::size_t i = 0; i < cls_->members.size(); ++i) {
      const Member& member = cls_->members[i];
      if (used_.contains(i)) continue;
      std::string what = member.kind == MemberKind::kType       ? "The nested type "
                         : member.kind == MemberKind::kConstant ? "The constant "
                         : member.class_member                  ? "The class member "
                                                                : "The member ";
      Note(member.whole.begin.line,
           what + member.name.text + " has no place in a definition and is left out.");
    }
    for (std::size_t i = 0; i < pending_.size(); ++i) {
      ItemDef& item = pending_[i];
      const std::string name = model::ItemName(item);
      const model::NameLookup conflict = model::FindNewItemConflict(r_.def, item);
      const model::AddResult added = model::AddItem(r_.def, std::move(item));
      if (added == model::AddResult::Added) continue;
      std::string text = "The item " + name + " could not be added to the definition: ";
      text += added == model::AddResult::Full ? "it is full." : conflict.message;
      if (pending_lines_[i] > 0) text = Line(pending_lines_[i], text);
      r_.messages.push_back(text);
    }
    std::stable_sort(r_.messages.begin(), r_.messages.end(),
                     [](const std::string& a, const std::string& b) {
                       auto number = [](const std::string& m) { return std::atoi(m.c_str() + 5); };
                       return number(a) < number(b);
                     });
  }

  const Outline& u_;
  const UnitImportOptions& options_;
  UnitImport& r_;
  const TypeDecl* cls_ = nullptr;
  const TypeDecl* kept_forward_ = nullptr;
  std::size_t class_index_ = 0;
  std::map<std::size_t, std::size_t> bodies_;
  std::set<std::size_t> used_;
  std::set<const Routine*> used_routines_;
  std::map<std::string, Initial> initials_;
  std::set<std::string> links_;
  std::set<std::string> excluded_types_;
  std::vector<ItemDef> pending_;
  std::vector<std::uint32_t> pending_lines_;  // the line of each, 0 when it has none
  std::vector<std::pair<std::size_t, std::size_t>> cuts_;
};

}  // namespace

namespace {

// The Windows-1252 text of a unit written in UTF-8, Lazarus's encoding (a byte-order mark
// dropped); the lines where a character the code page cannot hold became "?". Nothing for a
// unit that is not UTF-8 with characters beyond ASCII.
std::optional<std::string> Windows1252Text(std::string_view bytes,
                                           std::vector<std::uint32_t>& replaced_lines) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }) ||
      !platform::IsValidUtf8(bytes))
    return std::nullopt;
  std::string text;
  text.reserve(bytes.size());
  std::uint32_t line = 1;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (bytes[i + k] & 0x3F);
    if (c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) ++line;
    i += length;
    if (const std::optional<char> byte = platform::Windows1252Byte(c)) {
      text += *byte;
    } else {
      text += '?';
      if (replaced_lines.empty() || replaced_lines.back() != line) replaced_lines.push_back(line);
    }
  }
  return text;
}

}  // namespace

UnitImport ImportUnit(const Outline& unit, const UnitImportOptions& options) {
  UnitImport result;
  model::ClearDefinition(result.def);
  std::vector<std::uint32_t> replaced;
  if (std::optional<std::string> text = Windows1252Text(unit.source.text(), replaced)) {
    // A definition holds Windows-1252; the Lazarus target writes it back as UTF-8.
    const Outline converted = pascal::ParseUnit(std::move(*text));
    Importer(converted, options, result).Run();
    for (const std::uint32_t line : replaced) {
      result.messages.push_back("line " + std::to_string(line) +
                                ": A character Windows-1252 cannot hold is written ? in the "
                                "definition.");
    }
    std::stable_sort(result.messages.begin(), result.messages.end(),
                     [](const std::string& a, const std::string& b) {
                       return std::atoi(a.c_str() + 5) < std::atoi(b.c_str() + 5);
                     });
  } else {
    Importer(unit, options, result).Run();
  }
  if (!result.error.empty()) result.def = model::ComponentDef();
  return result;
}

}  // namespace kx::commands
