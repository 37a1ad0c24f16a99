// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/form_conversion.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "platform/atomic_file.h"

namespace kx::cli {

namespace {

// Far beyond any real form; keeps a wrong file name from reading a disk image.
constexpr std::uintmax_t kMaxFormFileSize = 64u << 20;

}  // namespace

int Dfm2TextCommand(const Arguments& args, Context& context) {
  const std::string& file = args.operands[0];
  std::string bytes;
  if (const std::error_code error = platform::ReadWholeFile(file, bytes, kMaxFormFileSize)) {
    return context.Fail(file + ": " + error.message());
  }
  const catalog::FormTextResult form = catalog::ConvertFormToText(bytes);
  if (!form.ok) return context.Fail(file + ": " + form.error);
  context.out << form.text;
  return kExitOk;
}

}  // namespace kx::cli
