// The smoke test of a component: a console program that creates the component with an owner,
// checks each published property's initial value against the definition's default, writes
// and reads back each read-write property of a simple type, assigns and clears each link
// property and checks that freeing the linked component clears it, and frees the component.
// It prints one line per check ("ok" or "FAIL" and what was checked) and exits with 1 when a
// check failed. Written for Free Pascal and the LCL (the Lazarus target's unit).
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

// The program's text, lines ended by "\n", of a definition PrepareForUnit prepared.
std::string WriteSmokeProgram(const model::ComponentDef& def);

// The Lazarus project file that builds the program (lines ended by "\n").
std::string WriteSmokeProject(const model::ComponentDef& def);

}  // namespace kx::generate
