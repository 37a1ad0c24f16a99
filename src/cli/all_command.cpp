// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/documentation.h"
#include "commands/generate_unit.h"
#include "commands/palette_bitmap.h"
#include "commands/property_editors.h"
#include "model/name_rules.h"

namespace kx::cli {

namespace {

// Answers the unit choice of the editor command with one given unit.
class OneEditorUnit : public CliDialogs {
 public:
  OneEditorUnit(Context& context, std::string unit) : CliDialogs(context), unit_(std::move(unit)) {}
  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>&) override {
    return unit_;
  }

 private:
  std::string unit_;
};

}  // namespace

int AllCommand(const Arguments& args, Context& context) {
  const std::optional<std::filesystem::path> dir = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        model::ComponentDef& def = session.def();
        const platform::SystemClock clock;
        bool all_written = true;
        auto report = [&](const std::optional<std::filesystem::path>& written) {
          if (written) {
            if (!context.quiet) context.out << written->string() << "\n";
          } else {
            all_written = false;
          }
        };

        commands::GenerateUnitOptions unit = commands::GenerateUnitOptionsFrom(settings);
        unit.output_dir = dir;
        unit.target = TargetOf(args, settings.target);
        unit.edited = EditedUnitOf(args, args.operands[0]);
        const std::optional<std::filesystem::path> unit_path =
            commands::GenerateComponentCode(def, unit, dialogs, clock);
        report(unit_path);
        if (unit_path) {
          if (const auto registration =
                  commands::RegistrationUnitPath(def, *unit_path, unit.target)) {
            report(registration);
          }
        }

        // Every editor unit the properties ask for, each editor of its default kind.
        const commands::PropertyEditorOptions editors{settings.codeview, settings.pascal_code_dir,
                                                      dir, unit.target, unit.edited};
        for (const std::string& editor_unit : commands::RequestedEditorUnits(def)) {
          OneEditorUnit answers(context, editor_unit);
          report(commands::GeneratePropertyEditors(def, editors, answers, clock));
        }

        commands::Audience audience = commands::kDefaultAudience;
        if (const std::optional<std::filesystem::path> page =
                commands::DocumentationPathIn(def, *dir, dialogs)) {
          report(commands::WriteDocumentation(def, *page, audience, dialogs));
        } else {
          report(std::nullopt);
        }

        // The bitmap command says itself when the unit name makes no file name.
        commands::PaletteBitmapOptions bitmap = commands::PaletteBitmapOptionsFrom(settings);
        bitmap.output_path = *dir / model::FileNameOf(def.MainInfo.UnitName.str(), ".dcr").name;
        bitmap.default_target_dir = dir->string();  // where the resource script goes
        report(commands::GeneratePaletteBitmap(def, bitmap, dialogs));
        return all_written ? kExitOk : kExitFailed;
      });
}

}  // namespace kx::cli
