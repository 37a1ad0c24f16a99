// SPDX-License-Identifier: GPL-3.0-or-later
// The palette bitmap resource script: one bitmap resource named after the component class,
// holding a 24 by 24 placeholder picture inline as hexadecimal bytes, for a resource
// compiler (kxrc, or Delphi's brcc) to turn into the component's .dcr file. The user later
// paints over the placeholder in an image editor.
//
//   const std::string script = WriteResourceScript(def.MainInfo.NewClassName.str());
//   WriteFileAtomically(dir / "kx$$$.rc", WithCrlf(script));
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "generate/printer.h"

namespace kx::generate {

inline constexpr std::size_t kPlaceholderBitmapSize = 1654;
inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr int kPlaceholderSide = 24;
inline constexpr std::uint8_t kOutlineIndex = 74;
inline constexpr std::uint8_t kBackgroundIndex = 255;

// The placeholder as a bitmap file (file header included): white, with a dark blue square
// outline over columns and rows 4 to 19.
const std::string& PlaceholderBitmap();

// "BEGIN", the placeholder's bytes 16 to a line, "END".
void WriteBitmapScript(Printer& out);

// The whole script: the class name upper-cased + " BITMAP ", then WriteBitmapScript. Lines
// end in "\n" (WithCrlf before writing).
std::string WriteResourceScript(std::string_view class_name);

}  // namespace kx::generate
