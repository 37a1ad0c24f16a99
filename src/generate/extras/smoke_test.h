// SPDX-License-Identifier: GPL-3.0-or-later
// The smoke test of a component: a console program that creates the component with an owner,
// checks each published property's initial value against the definition's default, writes
// and reads back each read-write property of a simple type, assigns and clears each link
// property and checks that freeing the linked component clears it, streams the component
// through a form file as the form designer does (every published property of a simple,
// string, set or enumerated type reads back equal, published sub-components come with it, a
// property holding its declared default is left out), and frees the component. It prints one
// line per check ("ok" or "FAIL" and what was checked; an exception a check raises is its
// FAIL line) and exits with 1 when a check failed. Written for Free Pascal and the LCL (the
// Lazarus target's unit).
//
//   PrepareForUnit(def, options);
//   std::string program = WriteSmokeProgram(def);
#pragma once

#include <string>
#include <string_view>

#include "model/component_def.h"

namespace kx::generate {

// "MyButtonSmoke": the program's name, and in lower case its file names.
std::string SmokeProgramName(const model::ComponentDef& def);

// The comment line of a program that needs a widget set with windows and timers; the others
// run on the LCL's nogui widget set too.
inline constexpr std::string_view kNeedsWindows =
    "Needs a widget set with windows and timers (gtk2, qt5, win32), not nogui";

// Whether the component needs such a widget set: a windowed control, a timer or a component
// that owns one.
bool SmokeNeedsWindows(const model::ComponentDef& def);

// The program's text, lines ended by "\n", of a definition PrepareForUnit prepared.
std::string WriteSmokeProgram(const model::ComponentDef& def);

// The Lazarus project file that builds the program (lines ended by "\n").
std::string WriteSmokeProject(const model::ComponentDef& def);

}  // namespace kx::generate
