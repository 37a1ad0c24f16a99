// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a form file: the conversion answers with text or a message, never both and
// never neither, and reading only the head agrees with the whole conversion's first line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/form_conversion.h"
#include "catalog/form_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kx::catalog::FormTextResult whole = kx::catalog::ConvertFormToText(bytes);
  if (whole.ok == !whole.error.empty()) __builtin_trap();
  if (!whole.ok && !whole.text.empty()) __builtin_trap();
  const kx::catalog::FormTextResult head = kx::catalog::ConvertFormHead(bytes);
  if (head.binary != whole.binary) __builtin_trap();
  // A stream that converts whole has a readable head, and the head is its first line.
  if (whole.ok && !head.ok) __builtin_trap();
  if (whole.ok && whole.binary && !whole.text.starts_with(head.text + "\r\n")) __builtin_trap();
  (void)kx::catalog::FirstObjectLine(bytes);
  return 0;
}
