// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a Pascal unit: the lexer's tokens lie inside the text, in order, without
// overlap; every span of the outline lies inside the text with its lines and columns agreeing
// with its offsets; an outline that says it is complete has no error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pascal/outline.h"

namespace {

using kx::pascal::Span;

void CheckSpan(const kx::pascal::Outline& unit, const Span& span) {
  if (span.empty() && span.begin.offset == 0) return;
  if (span.end.offset < span.begin.offset || span.end.offset > unit.source.size()) __builtin_trap();
  const kx::pascal::Location again = unit.source.Locate(span.begin.offset);
  if (again.line != span.begin.line || again.column != span.begin.column) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  const kx::pascal::Outline unit = kx::pascal::ParseUnit(bytes);
  if (unit.complete && unit.HasErrors()) __builtin_trap();
  std::uint32_t previous_end = 0;
  for (const kx::pascal::Token& token : unit.tokens) {
    if (token.begin < previous_end || token.end < token.begin || token.end > unit.source.size())
      __builtin_trap();
    previous_end = token.end;
  }
  for (const auto& type : unit.types) {
    CheckSpan(unit, type.whole);
    CheckSpan(unit, type.comment);
    for (const auto& member : type.members) {
      CheckSpan(unit, member.whole);
      if (member.body && *member.body >= unit.routines.size()) __builtin_trap();
      if (member.nested && *member.nested >= unit.types.size()) __builtin_trap();
    }
  }
  for (const auto& routine : unit.routines) {
    CheckSpan(unit, routine.whole);
    CheckSpan(unit, routine.block);
    for (const auto& parameter : routine.heading.parameter_list) CheckSpan(unit, parameter.type);
  }
  for (const auto& block : unit.blocks) CheckSpan(unit, block.whole);
  for (const auto& call : unit.registrations) CheckSpan(unit, call.whole);
  (void)kx::pascal::StringValue(bytes);
  return 0;
}
