// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a resource compiler's output: the check must answer, in both layouts, and
// accept what kxrc writes from any resources it finds acceptable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "generate/extras/resource_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)kx::generate::ResourceFileError(bytes, false);
  (void)kx::generate::ResourceFileError(bytes, true);
  return 0;
}
