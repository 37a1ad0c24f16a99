// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <string>

#include "catalog/custom_class_registry.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/unit_import.h"
#include "pascal/outline.h"
#include "platform/atomic_file.h"
#include "store/definition_file.h"

namespace kx::cli {

namespace fs = std::filesystem;

int ImportCommand(const Arguments& args, Context& context) {
  const std::string& file = args.operands[0];
  const std::optional<std::string> output = args.Value("-o");
  if (!output) return context.Usage("expected -o FILE.cd");
  commands::UnitImportOptions options;
  options.class_name = args.Value("--class").value_or("");
  options.ancestor = args.Value("--ancestor").value_or("");
  options.ancestor_unit = args.Value("--unit").value_or("");
  if (options.ancestor.empty() != options.ancestor_unit.empty()) {
    return context.Usage("--ancestor and --unit go together");
  }
  options.mode = commands::PackageModeOf(file);
  const pascal::Outline unit = pascal::ReadUnitFile(file);
  commands::UnitImport result = commands::ImportUnit(unit, options);
  if (!result.candidates.empty()) {
    std::string listed;
    for (const std::string& name : result.candidates) listed += " " + name;
    return context.Usage(file + " registers several classes; choose one with --class:" + listed);
  }
  if (!result.error.empty()) return context.Fail(file + ": " + result.error);
  const fs::path target(*output);
  std::error_code error;
  if (fs::exists(target, error) && context.answer != commands::Answer::kYes) {
    return context.Fail(target.string() + " exists; --yes replaces it");
  }
  // A parent the catalogue does not know is registered as File > New registers one, once the
  // definition is written, unless the settings know it already: then their ancestor is the
  // definition's.
  std::optional<store::Settings> settings;
  std::optional<catalog::CustomClassRegistry> registry;
  bool to_register = false;
  if (result.custom_parent) {
    settings = LoadCliSettings(context);
    if (!settings) return kExitFailed;
    registry.emplace(settings->file);
    if (const store::ProfileStatus loaded = registry->Load(); !loaded.ok()) {
      return context.Fail(loaded.message);
    }
    const auto known = registry->FindCustomClass(result.def.MainInfo.ParentClassName.str());
    if (known && options.ancestor.empty()) {
      result.def.MainInfo.VCLAncestorName = known->ancestor;
    } else {
      to_register = !result.parent_unit.empty();
    }
  }
  if (!context.quiet) {
    for (const std::string& message : result.messages) {
      context.err << "kestrix-cli: import: note: " << file << ": " << message << "\n";
    }
  }
  result.def.MainInfo.FileName = target.filename().string();
  std::string text;
  try {
    text = store::WriteDefinition(result.def, target.filename());
  } catch (const std::exception& e) {
    return context.Fail(e.what());
  }
  if (const std::error_code write_error = platform::WriteFileAtomically(target, text)) {
    return context.Fail(target.string() + ": " + write_error.message());
  }
  if (to_register) {
    const model::MainInfoDef& main = result.def.MainInfo;
    registry->SetCustomClass(main.ParentClassName.str(), main.VCLAncestorName.str(),
                             result.parent_unit);
    // The definition is written; only its parent's registration is not.
    if (const store::ProfileStatus saved = registry->Save(); !saved.ok()) {
      return context.Fail(saved.message);
    }
    if (!context.quiet) {
      context.err << "kestrix-cli: import: note: " << main.ParentClassName.str()
                  << " is registered in the settings with ancestor " << main.VCLAncestorName.str()
                  << " and unit " << result.parent_unit << ".\n";
    }
  }
  if (!context.quiet) context.out << target.string() << "\n";
  return kExitOk;
}

}  // namespace kx::cli
