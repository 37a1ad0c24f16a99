// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/property_editors.h"
#include "commands/target_directory.h"
#include "model/name_rules.h"
#include "model/text.h"

namespace kx::cli {

namespace {

template <typename T>
std::optional<T> FindNamed(const std::map<std::string, T>& answers, std::string_view key) {
  for (const auto& [name, value] : answers) {
    if (model::SameText(name, key)) return value;
  }
  return std::nullopt;
}

// The answers of the editor dialogs, taken from the command line: the unit, each editor's
// kind (else its default) and the form of each editor that needs one.
class EditorAnswers : public CliDialogs {
 public:
  EditorAnswers(Context& context, std::string unit, std::map<std::string, int> kinds,
                std::map<std::string, std::string> forms)
      : CliDialogs(context),
        unit_(std::move(unit)),
        kinds_(std::move(kinds)),
        forms_(std::move(forms)) {}

  // The editor whose kind edits its value in a form that no --form named.
  const std::optional<std::string>& missing_form() const { return missing_form_; }

  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>&) override {
    return unit_;
  }

  std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) override {
    return FindNamed(kinds_, editor_class).value_or(default_kind);
  }

  std::optional<std::filesystem::path> OpenFile(
      const commands::FileDialogRequest& request) override {
    constexpr std::string_view kPrefix = "Select form for editor ";
    if (!request.title.starts_with(kPrefix)) return CliDialogs::OpenFile(request);
    const std::string editor = request.title.substr(kPrefix.size());
    const auto form = FindNamed(forms_, editor);
    if (!form) {
      missing_form_ = editor;
      return std::nullopt;
    }
    return std::filesystem::path(*form);
  }

 private:
  std::string unit_;
  std::map<std::string, int> kinds_;
  std::map<std::string, std::string> forms_;
  std::optional<std::string> missing_form_;
};

// "NAME=VALUE".
bool SplitAssignment(const std::string& text, std::string& name, std::string& value) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  name = text.substr(0, equals);
  value = text.substr(equals + 1);
  return true;
}

std::string Listed(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

// The editor classes the properties ask for in one unit, each once.
std::vector<std::string> RequestedEditorClasses(const model::ComponentDef& def,
                                                std::string_view unit) {
  std::vector<std::string> classes;
  for (const model::ItemDef& item : def.Items()) {
    if (item.Kind() != model::ItemKind::Property) continue;
    const model::PropertyEditorDef& editor = item.Property().PropertyEditor;
    if (editor.EditorClass.empty() || !model::SameText(editor.EditorUnit.str(), unit)) continue;
    const std::string name = editor.EditorClass.str();
    if (std::none_of(classes.begin(), classes.end(),
                     [&](const std::string& c) { return model::SameText(c, name); })) {
      classes.push_back(name);
    }
  }
  return classes;
}

}  // namespace

int EditorsCommand(const Arguments& args, Context& context) {
  std::map<std::string, int> kinds;
  std::map<std::string, std::string> forms;
  for (const std::string& given : args.Values("--kind")) {
    std::string name;
    std::string value;
    if (!SplitAssignment(given, name, value)) {
      return context.Usage("--kind: '" + given + "' is not EDITORCLASS=N");
    }
    const long long kind = model::ParsePascalInteger(value, -1);
    if (kind < 0 || kind >= generate::kEditorKindCount) {
      return context.Usage("--kind: '" + value + "' is not one of 0 to " +
                           std::to_string(generate::kEditorKindCount - 1));
    }
    kinds[name] = static_cast<int>(kind);
  }
  for (const std::string& given : args.Values("--form")) {
    std::string name;
    std::string value;
    if (!SplitAssignment(given, name, value)) {
      return context.Usage("--form: '" + given + "' is not EDITORCLASS=FORM.dfm");
    }
    forms[name] = value;
  }
  const std::optional<std::string> output_dir = args.Value("-o");
  return WithDefinition(
      args.operands[0], context,
      [&](commands::Session& session, const store::Settings& settings, CliDialogs& dialogs) {
        model::ComponentDef& def = session.def();
        const std::vector<std::string> units = commands::RequestedEditorUnits(def);
        if (units.empty()) {
          dialogs.Information(commands::kNoEditorsRequestedMessage);
          return kExitFailed;
        }
        std::string unit = units.front();
        if (const std::optional<std::string> named = args.Value("--unit")) {
          const auto found = std::find_if(units.begin(), units.end(), [&](const std::string& u) {
            return model::SameText(u, *named);
          });
          if (found == units.end()) {
            return context.Usage("--unit: the properties ask for no editor unit " + *named +
                                 " (they ask for " + Listed(units) + ")");
          }
          unit = *found;
        }
        const std::vector<std::string> classes = RequestedEditorClasses(def, unit);
        auto check_named = [&](std::string_view option, const std::string& name) {
          if (std::any_of(classes.begin(), classes.end(),
                          [&](const std::string& c) { return model::SameText(c, name); })) {
            return true;
          }
          context.Usage(std::string(option) + ": unit " + unit + " has no editor " + name +
                        " (its editors: " + Listed(classes) + ")");
          return false;
        };
        for (const auto& [name, kind] : kinds) {
          if (!check_named("--kind", name)) return kExitUsage;
        }
        for (const auto& [name, form] : forms) {
          if (!check_named("--form", name)) return kExitUsage;
        }

        EditorAnswers answers(context, unit, kinds, forms);
        commands::PropertyEditorOptions options{settings.codeview, settings.pascal_code_dir,
                                                std::nullopt, TargetOf(args, settings.target),
                                                EditedUnitOf(args, args.operands[0])};
        if (output_dir) {
          options.output_dir = *output_dir;
        } else {
          // Only replacing an existing unit is asked.
          const std::filesystem::path dir =
              commands::TargetDirectory(def.MainInfo, settings.pascal_code_dir);
          std::error_code error;
          if (!std::filesystem::exists(dir / model::FileNameOf(unit, ".pas").name, error)) {
            options.output_dir = dir;
          }
        }
        const std::optional<std::filesystem::path> written =
            commands::GeneratePropertyEditors(def, options, answers, platform::SystemClock());
        if (answers.missing_form()) {
          return context.Usage(*answers.missing_form() + " edits its value in a form: --form " +
                               *answers.missing_form() + "=FORM.dfm names it");
        }
        if (!written) return kExitFailed;
        if (!context.quiet) context.out << written->string() << "\n";
        return kExitOk;
      });
}

}  // namespace kx::cli
