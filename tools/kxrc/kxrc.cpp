// SPDX-License-Identifier: GPL-3.0-or-later
#include "kxrc/kxrc.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "kxrc/resource_file.h"
#include "kxrc/resource_script.h"
#include "platform/atomic_file.h"

namespace kx::kxrc {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "Usage: kxrc [-31] [-fo<output>] <script>\n"
    "  -31          write a 16-bit resource file (default: 32-bit)\n"
    "  -fo<output>  the resource file to write, glued to the option\n"
    "               (default: the script's name with .res)\n";

int UsageError(std::ostream& err, std::string_view message) {
  err << "kxrc: " << message << "\n" << kUsage;
  return kExitUsage;
}

bool StartsWithFo(std::string_view arg) {
  return arg.size() >= 3 && arg[0] == '-' && (arg[1] == 'f' || arg[1] == 'F') &&
         (arg[2] == 'o' || arg[2] == 'O');
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool win16 = false;
  std::optional<fs::path> output;
  std::optional<fs::path> script;
  for (const std::string& arg : args) {
    if (arg == "-h" || arg == "--help" || arg == "-?") {
      out << kUsage;
      return kExitOk;
    }
    if (arg == "-31") {
      win16 = true;
    } else if (StartsWithFo(arg)) {
      if (arg.size() == 3) return UsageError(err, "-fo needs the output file glued to it");
      if (output) return UsageError(err, "-fo given twice");
      output = arg.substr(3);
    } else if (arg.starts_with("-")) {
      return UsageError(err, "unknown option '" + arg + "'");
    } else if (script) {
      return UsageError(err, "more than one script given");
    } else {
      script = arg;
    }
  }
  if (!script) return UsageError(err, "no script given");
  if (!output) output = fs::path(*script).replace_extension(".res");

  std::string text;
  if (std::error_code error = platform::ReadWholeFile(*script, text, kMaxScriptBytes)) {
    err << "kxrc: cannot read " << script->string() << ": " << error.message() << "\n";
    return kExitFailed;
  }
  const ParsedScript parsed = ParseResourceScript(text);
  if (parsed.error) {
    err << script->string() << ":" << parsed.error->line << ": error: " << parsed.error->message
        << "\n";
    return kExitFailed;
  }
  const std::string res = win16 ? WriteWin16Res(parsed.resources) : WriteWin32Res(parsed.resources);
  if (std::error_code error = platform::WriteFileAtomically(*output, res)) {
    err << "kxrc: cannot write " << output->string() << ": " << error.message() << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace kx::kxrc
