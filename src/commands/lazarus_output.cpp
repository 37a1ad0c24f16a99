#include "commands/lazarus_output.h"

#include "commands/generated_file.h"
#include "commands/target_directory.h"
#include "generate/extras/smoke_test.h"
#include "generate/unit/unit_writer.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::commands {

namespace fs = std::filesystem;

namespace {

// The folder written into and the run-time unit written there; nothing after the message.
std::optional<fs::path> WriteRuntimeUnit(model::ComponentDef& def,
                                         const LazarusOutputOptions& options,
                                         std::string_view folder, Dialogs& dialogs,
                                         const platform::Clock& clock) {
  const model::DerivedFileName file = model::FileNameOf(def.MainInfo.UnitName.str(), ".pas");
  if (file.name.empty()) {
    dialogs.Error("The unit name " + file.why_not + ", so nothing was written.");
    return std::nullopt;
  }
  const fs::path dir = options.output_dir
                           ? *options.output_dir
                           : TargetDirectory(def.MainInfo, options.default_target_dir) / folder;
  std::error_code error;
  fs::create_directories(dir, error);
  const generate::UnitOptions unit_options{.full_comments = options.full_comments,
                                           .target = model::CodeTarget::kLazarus,
                                           .runtime_only = true};
  generate::PrepareForUnit(def, unit_options);
  if (!WriteGeneratedFile(dir / file.name,
                          generate::WriteComponentUnit(def, unit_options, clock.Now()), dialogs)) {
    return std::nullopt;
  }
  return dir;
}

}  // namespace

LazarusOutputOptions LazarusOutputOptionsFrom(const store::Settings& settings) {
  return {.full_comments = settings.full_comments, .default_target_dir = settings.pascal_code_dir};
}

std::optional<fs::path> GenerateSmokeTest(model::ComponentDef& def,
                                          const LazarusOutputOptions& options, Dialogs& dialogs,
                                          const platform::Clock& clock) {
  const std::optional<fs::path> dir = WriteRuntimeUnit(def, options, "smoke", dialogs, clock);
  if (!dir) return std::nullopt;
  const std::string file = model::LowerCase(generate::SmokeProgramName(def));
  const fs::path program = *dir / (file + ".lpr");
  if (!WriteGeneratedFile(program, generate::WriteSmokeProgram(def), dialogs) ||
      !WriteGeneratedFile(*dir / (file + ".lpi"), generate::WriteSmokeProject(def), dialogs)) {
    return std::nullopt;
  }
  dialogs.Information("Smoke test written to " + program.string() + ".");
  return program;
}

}  // namespace kx::commands
