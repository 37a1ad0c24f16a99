#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalog/custom_class_registry.h"
#include "catalog/parent_selection.h"
#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/parent_selection.h"
#include "commands/session.h"
#include "model/text.h"
#include "store/profile_store.h"

namespace kx::cli {

namespace {

namespace fs = std::filesystem;

struct NewOptions {
  std::optional<std::string> parent;
  std::optional<fs::path> wrap;       // a form to wrap
  std::optional<fs::path> container;  // a form to import a container from
  std::optional<std::string> panel;   // which container
  std::optional<fs::path> fields;     // a form to import dataset fields from
  std::optional<fs::path> output;
};

// The parent selection answered from the command line: the parent of --parent typed into
// the List view (or the wrapper item for --wrap), each form file dialog with its flag's file,
// the question whether to import a form with whether the flag was given, and the save dialog
// with -o. Other questions take --yes or --no.
class NewAnswers : public CliDialogs {
 public:
  NewAnswers(std::ostream& out, commands::Answer answer, const NewOptions& options)
      : CliDialogs(out, answer), options_(options) {}

  // Whether the flow asked for the form of --wrap, --container or --fields.
  bool form_used() const { return form_used_; }
  // The containers of the form when none of them was the one --panel names.
  const std::optional<std::vector<std::string>>& panel_missing() const { return panel_missing_; }

  std::optional<catalog::ParentChoice> SelectParentDialog(
      const commands::ParentSelectionRequest&) override {
    // Shown again, the dialog would get the same answer: the flow refused it, so cancel.
    if (shown_) return std::nullopt;
    shown_ = true;
    if (options_.wrap) {
      return catalog::ParentChoice{.view = catalog::ParentView::kExpress,
                                   .express_item = catalog::kExpressWrapperItem};
    }
    return catalog::ParentChoice{.view = catalog::ParentView::kList,
                                 .list_text = options_.parent.value_or("")};
  }

  std::optional<fs::path> OpenFile(const commands::FileDialogRequest& request) override {
    std::optional<fs::path> form;
    if (request.title == commands::kWrapFormTitle) {
      form = options_.wrap;
    } else if (request.title == commands::ImportFormTitle("container")) {
      form = options_.container;
    } else if (request.title == commands::ImportFormTitle("fields")) {
      form = options_.fields;
    }
    if (form) form_used_ = true;
    return form;
  }

  std::optional<fs::path> SaveFile(const commands::FileDialogRequest&) override {
    return options_.output;
  }

  std::optional<std::string> SelectPanel(const std::vector<std::string>& containers) override {
    if (!options_.panel) return CliDialogs::SelectPanel(containers);
    for (const std::string& name : containers) {
      if (model::SameText(name, *options_.panel)) return name;
    }
    panel_missing_ = containers;
    return std::nullopt;
  }

 protected:
  commands::Answer AnswerFor(const commands::MessageBox& box) override {
    if (box.text == commands::kContainerQuestion) {
      return options_.container ? commands::Answer::kYes : commands::Answer::kNo;
    }
    if (box.text == commands::kFieldsQuestion) {
      return options_.fields ? commands::Answer::kYes : commands::Answer::kNo;
    }
    return CliDialogs::AnswerFor(box);
  }

 private:
  const NewOptions& options_;
  bool shown_ = false;
  bool form_used_ = false;
  std::optional<std::vector<std::string>> panel_missing_;
};

}  // namespace

int NewCommand(const std::vector<std::string>& args, Context& context) {
  NewOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--parent" && has_value) {
      options.parent = args[++i];
    } else if (arg == "--wrap" && has_value) {
      options.wrap = args[++i];
    } else if (arg == "--container" && has_value) {
      options.container = args[++i];
    } else if (arg == "--panel" && has_value) {
      options.panel = args[++i];
    } else if (arg == "--fields" && has_value) {
      options.fields = args[++i];
    } else if (arg == "-o" && has_value) {
      options.output = args[++i];
    } else {
      return UsageError(context.err, "new: unexpected argument '" + arg + "'");
    }
  }
  const int forms = (options.wrap ? 1 : 0) + (options.container ? 1 : 0) + (options.fields ? 1 : 0);
  if (forms > 1) {
    return UsageError(context.err, "new: --wrap, --container and --fields exclude each other");
  }
  if (options.wrap && options.parent) {
    return UsageError(context.err, "new: a form wrapper's parent is TComponent; drop --parent");
  }
  if (!options.wrap && !options.parent) {
    return UsageError(context.err, "new: expected --parent NAME or --wrap FORM.dfm");
  }
  if (options.panel && !options.container) {
    return UsageError(context.err, "new: --panel needs --container");
  }
  if (!options.output) return UsageError(context.err, "new: expected -o FILE.cd");

  std::optional<store::Settings> settings = LoadCliSettings(context);
  if (!settings) return kExitFailed;
  NewAnswers dialogs(context.out, context.answer, options);
  commands::Session session(*settings, dialogs);
  try {
    catalog::CustomClassRegistry registry(settings->file);
    commands::ParentSelector selector(dialogs, registry);
    if (!session.New(selector)) {
      context.err << "kestrix-cli: new: no definition was made\n";
      return kExitFailed;
    }
  } catch (const store::ProfileError& error) {
    context.err << "kestrix-cli: " << error.what() << "\n";
    return kExitFailed;
  }
  if (forms > 0 && !dialogs.form_used()) {
    context.err << "kestrix-cli: new: " << session.def().MainInfo.ParentClassName
                << " asks for no form file (--container needs a container class, --fields "
                   "TRzBusinessComponent)\n";
    return kExitUsage;
  }
  if (const auto& containers = dialogs.panel_missing()) {
    context.err << "kestrix-cli: new: the form has no container " << *options.panel
                << " (its containers:";
    for (const std::string& name : *containers) context.err << " " << name;
    context.err << ")\n";
    return kExitFailed;
  }
  if (!session.Save()) return kExitFailed;
  context.out << session.file().string() << "\n";
  return kExitOk;
}

}  // namespace kx::cli
