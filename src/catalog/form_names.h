// SPDX-License-Identifier: GPL-3.0-or-later
// The names a form file gives its form: the first object line of its text form
// ("object Form1: TForm1"), read from a text form file as it is or decoded from the head of
// a binary one ("TPF0" stream, with or without its resource header) by the form conversion
// (form_conversion.h), which reads a binary form only as far as that line here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::catalog {

// The first line of the form's text form, trimmed; empty when the bytes hold no form (a
// text file counts as a form only when its first line is an object line).
std::string FirstObjectLine(std::string_view bytes);

// From an object line: the run before the first ":" back to the preceding blank, and the
// run at the end of the line back to the preceding blank or ":".
std::string ObjectNameOf(std::string_view object_line);
std::string ClassNameOf(std::string_view object_line);

// The form's unit: the file's base name, lower-cased with its first letter upper-cased.
std::string FormUnitNameOf(const std::filesystem::path& form_file);

}  // namespace kx::catalog
