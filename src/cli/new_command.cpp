// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalog/custom_class_registry.h"
#include "catalog/parent_choices.h"
#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/parent_selection_flow.h"
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
  std::optional<std::string> ancestor;  // the registration of an unknown parent
  std::optional<std::string> unit;
};

// The parent selection answered from the command line: the parent of --parent typed into
// the List view (or the wrapper item for --wrap), each form file dialog with its flag's file,
// the question whether to import a form with whether the flag was given, and the save dialog
// with -o. Other questions take --yes or --no.
class NewAnswers : public CliDialogs {
 public:
  NewAnswers(Context& context, const NewOptions& options)
      : CliDialogs(context), options_(options) {}

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

  // An unknown parent is registered with --ancestor and --unit, once: a registration the
  // dialog refuses would only come back.
  std::optional<commands::ClassRegistration> RegisterClassDialog(
      const commands::ClassRegistrationRequest&) override {
    if (registered_ || !options_.ancestor || !options_.unit) return std::nullopt;
    registered_ = true;
    return commands::ClassRegistration{*options_.ancestor, *options_.unit, false};
  }

 protected:
  commands::Answer AnswerFor(const commands::MessageBox& box) override {
    if (options_.parent && box.text == catalog::UnregisteredClassQuestion(
                                           catalog::UpperCaseFirstTwo(*options_.parent))) {
      if (options_.ancestor && options_.unit) return commands::Answer::kYes;
      return Defaulted(
          box, commands::Answer::kCancel,
          "--ancestor CLASS --unit UNIT registers " + *options_.parent + " in the settings");
    }
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
  bool registered_ = false;
  bool form_used_ = false;
  std::optional<std::vector<std::string>> panel_missing_;
};

}  // namespace

int NewCommand(const Arguments& args, Context& context) {
  NewOptions options;
  options.parent = args.Value("--parent");
  options.ancestor = args.Value("--ancestor");
  options.unit = args.Value("--unit");
  options.panel = args.Value("--panel");
  options.output = args.Value("-o");
  for (auto [option, path] :
       {std::pair{"--wrap", &options.wrap}, std::pair{"--container", &options.container},
        std::pair{"--fields", &options.fields}}) {
    if (const std::optional<std::string> value = args.Value(option)) *path = *value;
  }
  const int forms = (options.wrap ? 1 : 0) + (options.container ? 1 : 0) + (options.fields ? 1 : 0);
  if (forms > 1) {
    return context.Usage("--wrap, --container and --fields exclude each other");
  }
  if (options.wrap && options.parent) {
    return context.Usage("a form wrapper's parent is TComponent; drop --parent");
  }
  if (!options.wrap && !options.parent) {
    return context.Usage("expected --parent NAME or --wrap FORM.dfm");
  }
  if (options.panel && !options.container) return context.Usage("--panel needs --container");
  if (options.ancestor.has_value() != options.unit.has_value()) {
    return context.Usage("--ancestor and --unit go together");
  }
  if (options.ancestor && !options.parent) return context.Usage("--ancestor needs --parent");

  std::optional<store::Settings> settings = LoadCliSettings(context);
  if (!settings) return kExitFailed;
  NewAnswers dialogs(context, options);
  commands::Session session(*settings, dialogs);
  catalog::CustomClassRegistry registry(settings->file);
  commands::ParentSelector selector(dialogs, registry);
  if (!session.New(selector)) {
    // A declined question says why by itself (see Run).
    return context.declined ? kExitFailed : context.Fail("no definition was made");
  }
  if (forms > 0 && !dialogs.form_used()) {
    return context.Usage(session.def().MainInfo.ParentClassName.str() +
                         " asks for no form file (--container needs a container class, "
                         "--fields TRzBusinessComponent)");
  }
  if (const auto& containers = dialogs.panel_missing()) {
    std::string listed;
    for (const std::string& name : *containers) listed += " " + name;
    return context.Fail("the form has no container " + *options.panel +
                        " (its containers:" + listed + ")");
  }
  if (!session.Save()) return kExitFailed;
  if (!context.quiet) context.out << session.file().string() << "\n";
  return kExitOk;
}

}  // namespace kx::cli
