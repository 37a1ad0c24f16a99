// SPDX-License-Identifier: GPL-3.0-or-later
// The outline of a Pascal unit: its name, compiler directives, uses clauses, every type
// declaration (classes with their parent, visibility sections and members), every routine
// and method body with the declaration it implements, the Register procedure with its
// RegisterComponents calls, and the initialization and finalization parts. Every node keeps
// the exact Span of its text (and of its name, body and the comments directly above it), and
// the outline keeps the unit's bytes, so a later step can take text out verbatim or replace a
// range of it and leave the rest of the user's unit byte for byte.
//
//   Outline unit = ParseUnit(bytes);             // or ReadUnitFile(path)
//   for (const Message& m : unit.messages) report(FormatMessage(m));
//   for (const RegisterCall& call : unit.registrations)
//     for (const Name& cls : call.classes)
//       if (const TypeDecl* type = unit.FindType(cls.text))
//         type->parent.text, type->members, unit.Text(type->whole) ...
//
// Bodies are found by the nesting of begin/case/try/asm ... end and of the record, class,
// object and interface blocks of declarations, never by layout. What the outline cannot
// follow (a generic type, a declaration split by {$IFDEF}, an include file) is reported as a
// kCannotFollow message with its line; the declaration keeps its whole Span and is marked
// followed = false, so its text can be carried through untouched. Any bytes are safe: the
// result is an outline as far as it could be read, with an error message where it stopped.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pascal/lexer.h"
#include "pascal/source.h"

namespace kx::pascal {

// Nesting deeper than this (types in types, routines in routines) is refused with an error.
inline constexpr int kMaxOutlineNesting = 64;

// A name as written (dots included in a qualified one) and where.
struct Name {
  std::string text;
  Span span;
};

// A compiler directive: {$mode objfpc} is name "mode", argument "objfpc"; {$H+} is "H", "+".
struct Directive {
  std::string name;
  std::string argument;
  Span span;
  bool active = true;  // false in a branch of {$IFDEF} the reader did not take
};

enum class Part { kInterface, kImplementation };

struct UsedUnit {
  Name name;
  Span in_file;  // the 'file.pas' of "Unit in 'file.pas'", empty when absent
  Span whole;
};

struct UsesClause {
  Span whole;  // "uses" through ";"
  std::vector<UsedUnit> units;
};

enum class RoutineKind { kProcedure, kFunction, kConstructor, kDestructor, kOperator };

struct Parameter {
  Name name;
  std::string modifier;  // "const", "var", "out", "constref" or empty, lower case
  Span type;             // empty for an untyped parameter
  Span default_value;
};

// A directive after a routine heading: "virtual", "message WM_PAINT", "overload", ...
struct RoutineDirective {
  std::string word;  // lower case
  Span argument;     // "WM_PAINT" of "message WM_PAINT", empty when there is none
  Span whole;        // the word through its argument (the ";" not included)
};

struct RoutineHeading {
  RoutineKind kind = RoutineKind::kProcedure;
  bool class_method = false;  // class procedure, class function, class constructor, ...
  Name name;                  // in a method body the qualified name, "TClock.Paint"
  Span parameters;            // "(...)" with its parentheses; empty when there are none
  std::vector<Parameter> parameter_list;
  Span result;  // a function's result type
  std::vector<RoutineDirective> directives;
  Span whole;  // "class procedure" through the last directive's ";"
  bool Has(std::string_view directive) const;
  const RoutineDirective* Find(std::string_view directive) const;
};

enum class Visibility {
  kDefault,  // before the first visibility word: published under {$M+}, else public
  kPrivate,
  kStrictPrivate,
  kProtected,
  kStrictProtected,
  kPublic,
  kPublished,
  kAutomated,
};

struct VisibilitySection {
  Visibility visibility = Visibility::kDefault;
  Span keyword;  // empty for the default section
  Span whole;    // the keyword through the section's last member
};

struct PropertySpecifiers {
  Span parameters;  // "[Index: Integer]" of an array property
  Span type;        // empty when a property is only redeclared ("property Align;")
  Span index, read, write, stored, default_value, implements;  // their values; empty when absent
  bool nodefault = false;
  bool default_array = false;  // "; default;" after an array property
};

enum class MemberKind { kField, kMethod, kProperty, kType, kConstant };

struct Member {
  MemberKind kind = MemberKind::kField;
  Visibility visibility = Visibility::kDefault;
  bool class_member = false;  // class var, class procedure, class property
  Name name;
  Span whole;              // its declaration through its ";" (a field list "A, B: T;" is one whole)
  Span comment;            // the comments directly above it; empty when there are none
  Span type;               // a field's or constant's type
  Span value;              // a constant's value
  RoutineHeading routine;  // kMethod
  std::optional<std::size_t> body;    // kMethod: its body in Outline::routines
  PropertySpecifiers property;        // kProperty
  std::optional<std::size_t> nested;  // kType: the type in Outline::types
};

enum class TypeKind {
  kClass,
  kClassForward,    // TFoo = class;
  kClassReference,  // TFooClass = class of TFoo;
  kObject,
  kRecord,
  kInterface,
  kInterfaceForward,
  kHelper,  // class helper for / record helper for / type helper for
  kEnumeration,
  kSet,
  kProcedural,  // procedure/function types, "of object" and "reference to" among them
  kGeneric,     // a generic type: not followed
  kOther,       // aliases, arrays, pointers, subranges, ...
};

struct TypeDecl {
  TypeKind kind = TypeKind::kOther;
  Part part = Part::kInterface;
  Name name;
  Span whole;       // the name through the closing ";"
  Span definition;  // what follows "=", the ";" not included
  Span comment;
  std::optional<std::size_t> outer;  // the type it is nested in
  Name parent;                       // the first name in the parentheses (or after "for")
  std::vector<Name> ancestors;       // every name in the parentheses
  std::vector<VisibilitySection> sections;
  std::vector<Member> members;
  bool followed = true;  // false: see the kCannotFollow message of its line

  // A class, object, record, interface or helper with a member list.
  bool IsClassLike() const;
  const Member* FindMember(std::string_view name) const;
};

struct Routine {
  RoutineHeading heading;
  Part part = Part::kImplementation;
  std::string class_name;   // "TClock" of "TClock.Paint" ("TOuter.TInner" when nested)
  std::string method_name;  // "Paint"; the routine's name for a plain routine
  Span whole;               // the heading through the ";" after its end
  Span comment;
  Span declarations;                // local labels, constants, types, variables and routines
  Span block;                       // "begin" (or "asm") through its "end"
  bool has_body = false;            // false for a declaration in the interface, forward or external
  std::optional<std::size_t> type;  // the class it belongs to, in Outline::types
  std::optional<std::size_t> member;  // the declaration it implements, in that type's members
};

struct RegisterCall {
  std::size_t routine = 0;  // the routine it is in: Register, or one Register hands on
  Span whole;               // "RegisterComponents(...)"
  Span page;                // the page argument as written
  std::optional<std::string> page_value;  // its value when it is a string literal
  std::vector<Name> classes;
};

enum class BlockKind {
  kUses,
  kType,
  kConst,
  kResourcestring,
  kVar,
  kThreadvar,
  kLabel,
  kRoutine,
  kExports,
  kDirective,  // the only thing that stands between two other blocks is a directive
  kOther,
};

// The unit's parts in source order: one block per section (type, const, var, ...), per
// routine and per uses clause, so what no other node describes can be carried verbatim.
struct Block {
  BlockKind kind = BlockKind::kOther;
  Part part = Part::kInterface;
  Span whole;
  Span comment;
  std::vector<Name> names;         // the names it declares
  std::vector<std::size_t> types;  // its types, in Outline::types
  std::optional<std::size_t> routine;
};

struct Outline {
  Source source;
  std::vector<Token> tokens;
  std::vector<Message> messages;
  bool complete = false;  // read through "end." without an error

  std::string kind;  // "unit", "program", "library" or "package", as written
  Name unit_name;
  Span heading;  // "unit Name;"
  std::vector<Directive> directives;
  Span interface_part;       // "interface" up to "implementation"
  Span implementation_part;  // "implementation" up to initialization, finalization or "end."
  std::optional<UsesClause> interface_uses;
  std::optional<UsesClause> implementation_uses;
  std::vector<TypeDecl> types;
  std::vector<Routine> routines;
  std::vector<Block> blocks;
  std::optional<std::size_t> register_routine;  // the procedure Register, in routines
  std::vector<RegisterCall> registrations;
  Span initialization;  // "initialization" through its last statement
  Span finalization;
  Span main_block;  // "begin ... " of a unit written the old way, or of a program
  Span end;         // the final "end."

  std::string_view Text(const Span& span) const { return source.Text(span); }
  // A top-level type by name ("TClock"), or a nested one by its qualified name.
  const TypeDecl* FindType(std::string_view name) const;
  std::optional<std::size_t> FindTypeIndex(std::string_view name) const;
  // The directive's argument when the unit sets it (the last one active), e.g. "mode".
  std::optional<std::string> DirectiveValue(std::string_view name) const;
  bool HasErrors() const;
};

Outline ParseUnit(std::string bytes, const LexOptions& options = {});

// Reads a file and parses it. A path that is not a regular file, a file that cannot be read
// and one larger than kMaxSourceSize give an outline with only an error message.
Outline ReadUnitFile(const std::filesystem::path& path, const LexOptions& options = {});

}  // namespace kx::pascal
