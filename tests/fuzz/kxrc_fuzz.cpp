// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a resource script: the reader must answer with resources or an error on a
// line of the input, and whatever it read must make both resource file layouts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kxrc/resource_file.h"
#include "kxrc/resource_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kx::kxrc::ParsedScript parsed = kx::kxrc::ParseResourceScript(text);
  if (parsed.error) {
    // Line numbers count line ends, so none can pass the input's size.
    if (parsed.error->line < 1 || static_cast<std::size_t>(parsed.error->line) > size + 1) {
      std::abort();
    }
    return 0;
  }
  std::size_t data_bytes = 0;
  for (const kx::kxrc::BitmapResource& resource : parsed.resources) {
    data_bytes += resource.data.size();
  }
  // Each byte of data takes at least two characters of script.
  if (data_bytes > size / 2) std::abort();
  (void)kx::kxrc::WriteWin32Res(parsed.resources);
  (void)kx::kxrc::WriteWin16Res(parsed.resources);
  return 0;
}
