#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/property_editors.h"
#include "model/text.h"

namespace kx::cli {

namespace {

// The answers of the editor dialogs, taken from the command line: the unit, each editor's
// kind (else its default) and the form of each editor that needs one.
class EditorAnswers : public CliDialogs {
 public:
  EditorAnswers(std::ostream& out, commands::Answer answer, std::optional<std::string> unit,
                std::map<std::string, int> kinds, std::map<std::string, std::string> forms)
      : CliDialogs(out, answer),
        unit_(std::move(unit)),
        kinds_(std::move(kinds)),
        forms_(std::move(forms)) {}

  std::optional<std::string> ChooseEditorUnit(const std::vector<std::string>& units) override {
    if (!unit_) return CliDialogs::ChooseEditorUnit(units);
    for (const std::string& unit : units) {
      if (model::SameText(unit, *unit_)) return unit;
    }
    return std::nullopt;
  }

  std::optional<int> ChooseEditorKind(std::string_view editor_class, int default_kind) override {
    const auto kind = Find(kinds_, editor_class);
    return kind ? *kind : default_kind;
  }

  std::optional<std::filesystem::path> OpenFile(const commands::FileDialogRequest& request) override {
    constexpr std::string_view kPrefix = "Select form for editor ";
    if (!request.title.starts_with(kPrefix)) return CliDialogs::OpenFile(request);
    const auto form = Find(forms_, std::string_view(request.title).substr(kPrefix.size()));
    if (!form) return std::nullopt;
    return std::filesystem::path(*form);
  }

 private:
  template <typename T>
  static std::optional<T> Find(const std::map<std::string, T>& answers, std::string_view key) {
    for (const auto& [name, value] : answers) {
      if (model::SameText(name, key)) return value;
    }
    return std::nullopt;
  }

  std::optional<std::string> unit_;
  std::map<std::string, int> kinds_;
  std::map<std::string, std::string> forms_;
};

// "NAME=VALUE".
bool SplitAssignment(const std::string& text, std::string& name, std::string& value) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  name = text.substr(0, equals);
  value = text.substr(equals + 1);
  return true;
}

}  // namespace

int EditorsCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<std::string> unit;
  std::optional<std::filesystem::path> output_dir;
  std::map<std::string, int> kinds;
  std::map<std::string, std::string> forms;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    std::string name;
    std::string value;
    if (arg == "-o" && has_value) {
      output_dir = args[++i];
    } else if (arg == "--unit" && has_value) {
      unit = args[++i];
    } else if (arg == "--kind" && has_value && SplitAssignment(args[++i], name, value)) {
      const long long kind = model::ParsePascalInteger(value, -1);
      if (kind < 0 || kind >= generate::kEditorKindCount) {
        return UsageError(context.err, "editors: --kind wants EDITORCLASS=0..18");
      }
      kinds[name] = static_cast<int>(kind);
    } else if (arg == "--form" && has_value && SplitAssignment(args[++i], name, value)) {
      forms[name] = value;
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return UsageError(context.err, "editors: unexpected argument '" + arg + "'");
    }
  }
  if (!file) return UsageError(context.err, "editors: expected a definition file");
  return WithDefinition(*file, context, [&](commands::Session& session,
                                            const store::Settings& settings, CliDialogs&) {
    EditorAnswers dialogs(context.out, context.answer, unit, kinds, forms);
    const commands::PropertyEditorOptions options{settings.codeview, settings.pascal_code_dir,
                                                  output_dir};
    const std::optional<std::filesystem::path> written = commands::GeneratePropertyEditors(
        session.def(), options, dialogs, platform::SystemClock());
    if (!written) return kExitFailed;
    context.out << written->string() << "\n";
    return kExitOk;
  });
}

}  // namespace kx::cli
