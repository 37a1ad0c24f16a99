// SPDX-License-Identifier: GPL-3.0-or-later
// Text crosses between the desktop's Unicode widgets and the definition's Windows-1252 bytes
// here. Every byte has a character, so text read from a file always shows; a character the
// code page cannot hold has no byte, and the caller refuses it where it was typed.
//
//   std::optional<char> byte = Windows1252Byte(U'\u20AC');  // '\x80'
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kx::platform {

// The character of a byte. The five bytes the code page leaves unassigned map to the C1
// control characters of the same number, so that they survive a round trip.
char32_t Windows1252Char(unsigned char byte);
// The byte of a character, or nothing when Windows-1252 cannot hold it.
std::optional<char> Windows1252Byte(char32_t c);

// UTF-8 of Windows-1252 text, for what is handed to the system (printing, file names shown).
// The five bytes the code page leaves unassigned become the C1 controls of their number, so
// no byte is lost.
std::string Utf8FromWindows1252(std::string_view text);

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

}  // namespace kx::platform
