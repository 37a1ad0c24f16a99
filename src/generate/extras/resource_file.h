// SPDX-License-Identifier: GPL-3.0-or-later
// What a compiled resource file must look like before it may replace a component's .dcr: a
// resource compiler that exits with 0 after writing garbage or nothing must not destroy a
// good palette bitmap.
//
//   if (auto why = ResourceFileError(bytes, delphi16)) report("... (" + *why + ")");
//
// A 32-bit file starts with the empty entry (type 0 and name 0 as numbers, no data) and holds
// at least one entry more; every entry's sizes, type and name must lie inside the file, up
// to its end. A 16-bit file is a sequence of at least one entry (type, name, flags, size,
// data) ending exactly at the end of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kx::generate {

// Nothing when bytes are a resource file of the kind asked for, else why they are not.
std::optional<std::string> ResourceFileError(std::string_view bytes, bool win16);

}  // namespace kx::generate
