// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled resource files (.res, and Delphi's .dcr, which is one) holding bitmap resources.
//
// Win32 layout: an empty entry of 32 bytes first, which marks the file as 32-bit; then per
// resource a header (data size, header size, type, name, data version, memory flags,
// language, version, characteristics) and the data, each padded to a multiple of four bytes.
// The type is the number RT_BITMAP, the name a zero-ended UTF-16 string or a number.
//
// Win16 layout (brcc -31): per resource the type (0xFF and RT_BITMAP as a word), the name
// (zero-ended ASCII, or 0xFF and a number), the memory flags, the data size, the data;
// nothing is padded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kxrc/resource_script.h"

namespace kx::kxrc {

inline constexpr std::uint16_t kRtBitmap = 2;
// MOVEABLE | PURE | DISCARDABLE: what resource compilers give a bitmap when the script
// names no flags.
inline constexpr std::uint16_t kBitmapMemoryFlags = 0x1030;
// Language neutral: Windows' resource look-up tries it first, so the palette finds the
// bitmap whatever the user's language.
inline constexpr std::uint16_t kLanguageNeutral = 0;

std::string WriteWin32Res(const std::vector<BitmapResource>& resources);
std::string WriteWin16Res(const std::vector<BitmapResource>& resources);

}  // namespace kx::kxrc
