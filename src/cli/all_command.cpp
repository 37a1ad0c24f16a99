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
#include "model/text.h"

namespace kx::cli {

namespace {

// Answers the unit choice of the editor command with one given unit.
class OneEditorUnit : public CliDialogs {
 public:
  OneEditorUnit(std::ostream& out, commands::Answer answer, std::string unit)
      : CliDialogs(out, answer), unit_(std::move(unit)) {}
  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>&) override {
    return unit_;
  }

 private:
  std::string unit_;
};

}  // namespace

int AllCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<std::filesystem::path> dir;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      dir = args[++i];
    } else if (!args[i].starts_with("-") && !file) {
      file = args[i];
    } else {
      return UsageError(context.err, "all: unexpected argument '" + args[i] + "'");
    }
  }
  if (!file || !dir) return UsageError(context.err, "all: expected a definition file and -o DIR");
  std::error_code error;
  std::filesystem::create_directories(*dir, error);  // a folder that cannot be made is reported per file
  return WithDefinition(*file, context, [&](commands::Session& session,
                                            const store::Settings& settings,
                                            CliDialogs& dialogs) {
    model::ComponentDef& def = session.def();
    const platform::SystemClock clock;
    bool all_written = true;
    auto report = [&](const std::optional<std::filesystem::path>& written) {
      if (written) {
        context.out << written->string() << "\n";
      } else {
        all_written = false;
      }
    };

    commands::GenerateUnitOptions unit = commands::GenerateUnitOptionsFrom(settings);
    unit.output_dir = dir;
    report(commands::GenerateComponentCode(def, unit, dialogs, clock));

    // Every editor unit the properties ask for, each editor of its default kind.
    const commands::PropertyEditorOptions editors{settings.codeview, settings.pascal_code_dir, dir};
    for (const std::string& editor_unit : commands::RequestedEditorUnits(def)) {
      OneEditorUnit answers(context.out, context.answer, editor_unit);
      report(commands::GeneratePropertyEditors(def, editors, answers, clock));
    }

    commands::Audience audience = commands::kDefaultAudience;
    const std::optional<std::string> page = commands::DocumentationFileName(def);
    report(page ? commands::WriteDocumentation(def, *dir / *page, audience, dialogs)
                : std::nullopt);

    commands::PaletteBitmapOptions bitmap = commands::PaletteBitmapOptionsFrom(settings);
    bitmap.output_path = *dir / (model::LowerCase(def.MainInfo.UnitName.str()) + ".dcr");
    report(commands::GeneratePaletteBitmap(def, bitmap, dialogs));
    return all_written ? kExitOk : kExitFailed;
  });
}

}  // namespace kx::cli
