// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/palette_bitmap.h"

#include <fstream>
#include <random>

#include "commands/target_directory.h"
#include "generate/extras/palette_bitmap.h"
#include "generate/extras/resource_file.h"
#include "generate/printer.h"
#include "model/name_rules.h"
#include "platform/atomic_file.h"

namespace kx::commands {

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

void Inform(Dialogs& dialogs, std::string_view text) {
  dialogs.Information(text, kPaletteBitmapCaption);
}

// An unused name beside output for the compiler to write, after checking that a file can be
// created there. Nothing when the folder takes no new file.
std::optional<fs::path> TemporaryOutput(const fs::path& output) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    // Hidden, and on the same file system as output, so that the rename cannot fail for that.
    const fs::path temp = output.parent_path() /
                          (".kx" + std::to_string(random()) + "-" + output.filename().string());
    std::error_code error;
    if (fs::exists(temp, error) || error) continue;
    if (!std::ofstream(temp, std::ios::binary)) return std::nullopt;
    // Removed again: that the compiler made the file is part of its success.
    fs::remove(temp, error);
    return temp;
  }
  return std::nullopt;
}

std::string DurationText(milliseconds duration) {
  const long long count = duration.count();
  if (count % 1000 != 0) return std::to_string(count) + " milliseconds";
  return std::to_string(count / 1000) + (count == 1000 ? " second" : " seconds");
}

// A .dcr holds one small bitmap; anything this large is not what we asked for.
constexpr std::uintmax_t kMaxResourceFileSize = 16u << 20;

// Why the compiler did not give us a resource file, or nothing when it did.
std::optional<std::string> CompilerFailure(const platform::RunResult& run, const fs::path& temp,
                                           milliseconds timeout, bool delphi16) {
  if (run.timed_out) {
    return "the resource compiler did not finish within " + DurationText(timeout);
  }
  if (run.term_signal != 0) {
    return "the resource compiler was ended by signal " + std::to_string(run.term_signal);
  }
  if (run.exit_status != 0) {
    return "the resource compiler ended with exit status " + std::to_string(run.exit_status);
  }
  std::error_code error;
  if (!fs::is_regular_file(temp, error)) return std::string("the resource compiler wrote no file");
  std::string bytes;
  if ((error = platform::ReadWholeFile(temp, bytes, kMaxResourceFileSize))) {
    return "the resource compiler's file could not be read: " + error.message();
  }
  if (std::optional<std::string> why = generate::ResourceFileError(bytes, delphi16)) {
    return "the resource compiler wrote no resource file: " + *why;
  }
  return std::nullopt;
}

std::string WithoutTrailingSpace(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                           text.back() == '\t')) {
    text.pop_back();
  }
  return text;
}

// The compiler's file becomes output; an existing output keeps its permissions.
std::error_code ReplaceOutput(const fs::path& temp, const fs::path& output) {
  std::error_code error;
  if (fs::exists(output, error)) {
    std::error_code ignored;
    fs::permissions(temp, fs::status(output, ignored).permissions(), ignored);
  }
  fs::rename(temp, output, error);
  return error;
}

}  // namespace

PaletteBitmapOptions PaletteBitmapOptionsFrom(const store::Settings& settings) {
  PaletteBitmapOptions options;
  options.delphi16 = settings.using_delphi16;
  options.compiler = settings.using_delphi16 ? settings.compiler16 : settings.compiler32;
  options.default_target_dir = settings.pascal_code_dir;
  return options;
}

std::vector<std::string> CompilerArguments(const fs::path& output, const fs::path& script,
                                           bool delphi16) {
  std::vector<std::string> args = {"-fo" + output.string()};
  if (delphi16) args.push_back("-31");
  args.push_back(script.string());
  return args;
}

FileDialogRequest PaletteBitmapSaveRequest(std::string_view file_name,
                                           std::string_view default_target_dir) {
  return {.title = "Name of resource file to generate",
          .filter = "Resource files (*.dcr)|*.dcr|All files (*.*)|*.*",
          .default_ext = "dcr",
          .initial_dir = fs::path(default_target_dir),
          .file_name = std::string(file_name)};
}

std::optional<fs::path> GeneratePaletteBitmap(const model::ComponentDef& def,
                                              const PaletteBitmapOptions& options,
                                              Dialogs& dialogs) {
  const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".dcr");
  if (file.name.empty()) {
    dialogs.Error("The unit name " + file.why_not + ", so no component bitmap was written.",
                  kPaletteBitmapCaption);
    return std::nullopt;
  }
  const fs::path dir = TargetDirectory(def.MainInfo, options.default_target_dir);
  const std::string& file_name = file.name;

  fs::path output;
  if (options.output_path) {
    output = *options.output_path;
  } else {
    const fs::path proposed = dir / file_name;
    std::string question = "Place blank component bitmap in " + proposed.string() + "?";
    std::error_code error;
    if (fs::exists(proposed, error)) question += "\r\rThe file already exists.";
    if (question.size() > kMaxPlaceQuestionLength) question.resize(kMaxPlaceQuestionLength);
    switch (dialogs.Confirm(Buttons::kYesNoCancel, question, kPaletteBitmapCaption)) {
      case Answer::kYes:
        output = proposed;
        break;
      case Answer::kNo: {
        const std::optional<fs::path> chosen =
            dialogs.SaveFile(PaletteBitmapSaveRequest(file_name, options.default_target_dir));
        if (!chosen || chosen->empty()) return std::nullopt;
        output = *chosen;
        break;
      }
      default:
        return std::nullopt;
    }
  }

  const std::optional<fs::path> temp = TemporaryOutput(output);
  if (!temp) {
    Inform(dialogs, "Could not open " + output.string());
    return std::nullopt;
  }

  std::error_code error;
  if (!fs::exists(options.compiler, error)) {
    Inform(dialogs, "Resource compiler " + options.compiler +
                        " not found.  Use Options|Resource compiler path to locate it.");
    return std::nullopt;
  }

  // Beside the output: the definition's directory may be any folder a file names.
  const fs::path script = output.parent_path() / kResourceScriptName;
  if (platform::WriteFileAtomically(script, generate::WithCrlf(generate::WriteResourceScript(
                                                def.MainInfo.NewClassName.str())))) {
    Inform(dialogs, "Could not open " + script.string());
    Inform(dialogs, "Could not write temporary resource file " + script.string() + ".");
    return std::nullopt;
  }

  if (options.busy) options.busy(true);
  const platform::RunResult run = platform::RunAndWait(
      options.compiler, CompilerArguments(*temp, script, options.delphi16), options.timeout);
  if (options.busy) options.busy(false);

  std::string failure;
  if (run.ResultCode < platform::kStarted) {
    failure = "WinExec error " + std::to_string(run.ResultCode);
  } else if (std::optional<std::string> why =
                 CompilerFailure(run, *temp, options.timeout, options.delphi16)) {
    failure = *why;
  } else if (std::error_code replace_error = ReplaceOutput(*temp, output)) {
    failure = "the file could not be replaced: " + replace_error.message();
  }
  if (!failure.empty()) {
    fs::remove(*temp, error);
    std::string text =
        "Error while writing component resource to " + output.string() + " (" + failure + ")";
    const std::string compiler_output = WithoutTrailingSpace(run.output);
    if (!compiler_output.empty()) {
      text += "\r\r" + compiler_output;
      if (run.output_truncated) text += "\r...";
    }
    Inform(dialogs, text);
    return std::nullopt;
  }
  fs::remove(script, error);
  Inform(dialogs, "Component resource written to " + output.string() + ".");
  return output;
}

}  // namespace kx::commands
