// SPDX-License-Identifier: GPL-3.0-or-later
// The parts every generated Pascal unit shares: the boxed header comment with its date
// line and the uses clause.
#pragma once

#include <string>
#include <string_view>

#include "generate/printer.h"
#include "generate/target.h"
#include "model/component_def.h"
#include "platform/clock.h"

namespace kx::generate {

// "{ " + text, padded with blanks to 68 characters when shorter, then " }".
std::string BoxLine(std::string_view text);
// "{ " + 66 asterisks + " }".
std::string RuleLine();
// "on 3 March 1999 at 9:05".
std::string DateText(const platform::DateTime& at);

// "Generated from source file " + FileName, or the untitled text.
std::string SourceText(const model::ComponentDef& def);

// The boxed comment at the top of a generated unit: its title, the description when there is
// one, the tool chain it is written for, where it was generated from, when, and the copyright
// line.
void WriteHeaderBox(Printer& out, std::string_view title, std::string_view description,
                    const model::ComponentDef& def, const platform::DateTime& at,
                    const Target& target);
// The boxed comment at the top of the component unit, titled with the target's class library.
void WriteHeaderComment(Printer& out, const model::ComponentDef& def, const platform::DateTime& at,
                        const Target& target);
// "uses A, B, ...;" wrapped after 60 characters; nothing for no units.
void WriteUsesClause(Printer& out, const model::TextBlock& units);

}  // namespace kx::generate
