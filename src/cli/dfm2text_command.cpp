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

int Dfm2TextCommand(const std::vector<std::string>& args, Context& context) {
  if (args.size() != 1 || args[0].starts_with("-")) {
    return UsageError(context.err, "dfm2text: expected one form file");
  }
  const std::string& file = args[0];
  std::string bytes;
  if (const std::error_code error = platform::ReadWholeFile(file, bytes, kMaxFormFileSize)) {
    context.err << "kestrix-cli: dfm2text: " << file << ": " << error.message() << "\n";
    return kExitFailed;
  }
  const catalog::FormTextResult form = catalog::ConvertFormToText(bytes);
  if (!form.ok) {
    context.err << "kestrix-cli: dfm2text: " << file << ": " << form.error << "\n";
    return kExitFailed;
  }
  context.out << form.text;
  return kExitOk;
}

}  // namespace kx::cli
