// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/syntax.h"

#include <algorithm>
#include <limits>

#include "generate/extras/editor_unit.h"

namespace kx::cli {

namespace {

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

const OptionSyntax kTargetOption = {"--target",
                                    "delphi|lazarus|delphi-xe",
                                    "what the code is written for (default: settings)",
                                    {"delphi", "lazarus", "delphi-xe"}};

void ListEditorKinds(std::ostream& out) {
  out << "\nEditor kinds (N of --kind; * edits the value in a form of --form):\n";
  for (int kind = 0; kind < generate::kEditorKindCount; ++kind) {
    out << (kind < 10 ? "   " : "  ") << kind << (generate::EditorKindNeedsForm(kind) ? "* " : "  ")
        << generate::EditorKindText(kind) << "\n";
  }
}

const OptionSyntax kOverwriteOption = {
    "--overwrite", "", "replace a unit changed outside Kestrix (the old one kept as .bak)"};

const std::vector<CommandSyntax>& Table() {
  static const std::vector<CommandSyntax> table = {
      {.name = "class",
       .synopsis = "NAME",
       .summary = "what the catalogue knows of a standard class (family, unit, palette page,\n"
                  "predicates, the inherited members of a new definition), or how a class\n"
                  "is registered in the settings",
       .details = "A class that is neither standard nor registered ends the command with exit\n"
                  "status 1; `new --parent NAME --ancestor CLASS --unit UNIT` registers one.",
       .operand = "NAME"},
      {.name = "check",
       .synopsis = "FILE.cd...",
       .summary = "read definitions and print every message the reader shows, a line for\n"
                  "each file, a line for each finding of the definition checks and a\n"
                  "summary; exit status 1 when any file is refused",
       .details = "A quoted pattern ('lib/*.cd') is expanded as the shell would. The definition\n"
                  "checks are those the desktop runs before generating (see the manual's\n"
                  "\"Definition checks\"); a finding is printed as FILE: ITEM: MESSAGE and\n"
                  "does not change the exit status.",
       .operand = "FILE.cd",
       .max_operands = kAny},
      {.name = "show",
       .synopsis = "FILE.cd [--raw]",
       .summary = "list the whole definition, items in file order with every field",
       .options = {{"--raw", "", "print the text as stored (Windows-1252), not converted"}},
       .operand = "FILE.cd"},
      {.name = "resave",
       .synopsis = "FILE.cd",
       .summary = "read a definition and save it again as the desktop's Save does (the old\n"
                  "file kept as .bak) and print its path",
       .operand = "FILE.cd"},
      {.name = "unit",
       .synopsis = "FILE.cd [-o DIR] [--comments full|normal] [--date \"YYYY-MM-DD HH:MM\"]\n"
                   "[--update] [--overwrite] [--target delphi|lazarus|delphi-xe]",
       .summary = "write the component unit and print its path",
       .details = "Generation sorts the items by name and stores default code in items that had\n"
                  "none; --update saves those changes back into the definition. A unit changed\n"
                  "outside Kestrix with edits the definition lacks is not replaced (exit status\n"
                  "1): take them with `sync` first, or replace it with --overwrite. For\n"
                  "delphi-xe the registration unit (UNITReg) is written beside it and its path\n"
                  "printed too. delphi-xe is today's Delphi (XE2 and later); its code is checked\n"
                  "with Free Pascal here, never with Delphi.",
       .options = {{"-o", "DIR", "the folder to write into, made when missing"},
                   {"--comments",
                    "full|normal",
                    "how much the code explains (default: settings)",
                    {"full", "normal"}},
                   {"--date", "\"YYYY-MM-DD HH:MM\"",
                    "the time in the unit's header (default: now)"},
                   {"--update", "", "save the definition as generation changed it"},
                   kOverwriteOption,
                   kTargetOption},
       .operand = "FILE.cd"},
      {.name = "interface",
       .synopsis = "FILE.cd [--raw] [--target delphi|lazarus|delphi-xe]",
       .summary = "print the interface part, as File > Print component interface does",
       .options = {{"--raw", "", "print the text as generated (Windows-1252), not converted"},
                   kTargetOption},
       .operand = "FILE.cd"},
      {.name = "docs",
       .synopsis = "FILE.cd [--audience application|descendant|component] [-o FILE.html]",
       .summary = "write the HTML page documenting the component and print its path",
       .details = "Audiences: application (published and public items), descendant (and\n"
                  "protected ones), component (every item).",
       .options = {{"--audience",
                    "application|descendant|component",
                    "whom the page is for (default: component)",
                    {"application", "descendant", "component"}},
                   {"-o", "FILE.html", "the page to write (its folder is made when missing)"}},
       .operand = "FILE.cd"},
      {.name = "bitmap",
       .synopsis = "FILE.cd [-o FILE.dcr]",
       .summary = "compile a placeholder palette bitmap into the component's .dcr and print\n"
                  "its path",
       .details = "Without -o an existing <unit>.dcr is replaced only with --yes. The resource\n"
                  "compiler is the settings' (the bundled kxrc by default).",
       .options = {{"-o", "FILE.dcr",
                    "the resource file to write (its folder is made when missing)"}},
       .operand = "FILE.cd"},
      {.name = "editors",
       .synopsis = "FILE.cd [--unit NAME] [--kind EDITORCLASS=N]...\n"
                   "[--form EDITORCLASS=FORM.dfm]... [-o DIR] [--overwrite]\n"
                   "[--target delphi|lazarus|delphi-xe]",
       .summary = "write the unit of custom property editors the properties ask for and\n"
                  "print its path",
       .details = "Every editor gets its default kind unless --kind names another. Without -o an\n"
                  "existing unit is replaced only with --yes. An editor class or unit that\n"
                  "the definition does not ask for is refused with the list of those it does.\n"
                  "A unit changed outside Kestrix since it was written is replaced only with\n"
                  "--overwrite.",
       .options = {{"--unit", "NAME", "the editor unit, when the properties name several"},
                   {"--kind", "EDITORCLASS=N", "the kind of an editor (below)", {}, true},
                   {"--form", "EDITORCLASS=FORM.dfm", "the form an editor (*) edits in", {}, true},
                   {"-o", "DIR", "the folder to write into, made when missing"},
                   kOverwriteOption,
                   kTargetOption},
       .operand = "FILE.cd",
       .more_help = ListEditorKinds},
      {.name = "all",
       .synopsis = "FILE.cd -o DIR [--overwrite] [--target delphi|lazarus|delphi-xe]",
       .summary = "unit, editor units, page and bitmap in one go, every question answered\n"
                  "with its default; prints each path",
       .options = {{"-o", "DIR", "the folder to write into, made when missing", {}, false, true},
                   kOverwriteOption,
                   kTargetOption},
       .operand = "FILE.cd"},
      {.name = "sync",
       .synopsis = "FILE.cd [UNIT.pas] [--remove] [--comments full|normal]\n"
                   "[--target delphi|lazarus|delphi-xe]",
       .summary = "take the edits made to the generated unit back into the definition, save\n"
                  "it (the old file kept as .bak) and print what was taken",
       .details = "UNIT.pas defaults to the unit `unit` writes. Bodies, the code before and\n"
                  "after the class and the units used are taken where the unit differs from\n"
                  "what generation last wrote; members added to the class become items.\n"
                  "Code changed on both sides since then keeps the definition's version with\n"
                  "the unit's beside it in a comment marked as a conflict. Members removed\n"
                  "from the unit are listed and kept unless --remove is given; what Kestrix\n"
                  "composes from many items (AutoInitialize, AutoDestroy, Notification,\n"
                  "Register, the header comment) is listed with its line as not placed. A\n"
                  "unit that matches the definition changes nothing.",
       .options = {{"--remove", "", "delete the items whose members were removed"},
                   {"--comments",
                    "full|normal",
                    "how much the code explains (default: settings)",
                    {"full", "normal"}},
                   kTargetOption},
       .operand = "FILE.cd",
       .max_operands = 2},
      {.name = "package",
       .synopsis = "FILE.cd [--icon IMAGE] [-o DIR] [--overwrite]",
       .summary = "write the component's Lazarus packages: DIR/runtime with the unit,\n"
                  "DIR/designtime with its registration, property editors and palette\n"
                  "icon; prints the design-time package's path",
       .details = "Without -o they go into lazarus/ in the target directory. Build and install\n"
                  "with `lazbuild --add-package DIR/designtime/<unit>_dsgn.lpk\n"
                  "--build-ide=`. The icon is the placeholder bitmap unless --icon names a\n"
                  "PNG file (used as it is) or a bitmap (scaled to 24, 36 and 48 pixels).\n"
                  "The run-time unit and the property editor units, which the IDE lets you\n"
                  "edit, are replaced only with --overwrite once changed (the old ones kept\n"
                  "as .bak); `sync FILE.cd DIR/runtime/UNIT.pas` takes such edits back.",
       .options = {{"--icon", "IMAGE", "the palette icon, a PNG or BMP file"},
                   {"-o", "DIR", "the folder to write into, made when missing"},
                   kOverwriteOption},
       .operand = "FILE.cd"},
      {.name = "smoke",
       .synopsis = "FILE.cd [-o DIR]",
       .summary = "write a console program for Lazarus that checks the component (creation,\n"
                  "defaults, properties read back, links cleared, freeing), its project and\n"
                  "the unit; prints the program's path",
       .details = "Build it with `lazbuild -d --ws=nogui DIR/<unit>smoke.lpi` (or fpc with the\n"
                  "LCL's nogui units and -gh) and run it: a line per check, exit status 1\n"
                  "when one fails.",
       .options = {{"-o", "DIR", "the folder to write into, made when missing"}},
       .operand = "FILE.cd"},
      {.name = "dfm2text",
       .synopsis = "FORM.dfm",
       .summary = "print the text form of a form file: a binary form converted as Delphi\n"
                  "converts it (CRLF line ends), a text form as it is",
       .operand = "FORM.dfm"},
      {.name = "import",
       .synopsis = "UNIT.pas [--class TNAME] [--ancestor CLASS --unit UNIT] -o FILE.cd",
       .summary = "make a definition from a component class of a Pascal unit and save it;\n"
                  "prints its path, and as notes what had no place in the definition",
       .details = "Without --class, the class the unit registers; a unit that registers\n"
                  "several names them and exits with status 2. A unit Kestrix generated\n"
                  "gives back its definition. The unit's compiler mode is kept (its Lazarus\n"
                  "package's when it sets none). A parent the catalogue does not know is\n"
                  "registered in the settings with the ancestor and unit given, or those the\n"
                  "unit declares. Each note names the line of the unit it concerns; --quiet\n"
                  "leaves the notes out. An existing FILE.cd is replaced only with --yes.",
       .options = {{"--class", "TNAME", "the class to import"},
                   {"--ancestor", "CLASS", "the standard class an unknown parent descends from"},
                   {"--unit", "UNIT", "the unit that declares an unknown parent"},
                   {"-o", "FILE.cd", "the definition to write", {}, false, true}},
       .operand = "UNIT.pas"},
      {.name = "new",
       .synopsis = "(--parent NAME [--ancestor CLASS --unit UNIT]\n"
                   " [--container FORM.dfm [--panel NAME] | --fields FORM.dfm]\n"
                   " | --wrap FORM.dfm) -o FILE.cd",
       .summary = "make a new definition from the template of its parent class, optionally\n"
                  "wrapping a form or importing a container or dataset fields from one, save\n"
                  "it and print its path",
       .details = "The parent is a standard class or one registered in the settings; an\n"
                  "unknown one needs --ancestor and --unit, which register it there.",
       .options = {{"--parent", "NAME", "the parent class"},
                   {"--ancestor", "CLASS", "the standard class an unknown parent descends from"},
                   {"--unit", "UNIT", "the unit that declares an unknown parent"},
                   {"--container", "FORM.dfm", "import a container of the form"},
                   {"--panel", "NAME", "which container (default: the first)"},
                   {"--fields", "FORM.dfm", "import the dataset fields of the form"},
                   {"--wrap", "FORM.dfm", "a component that wraps the form"},
                   {"-o", "FILE.cd", "the definition to write", {}, false, true}},
       .min_operands = 0,
       .max_operands = 0},
      {.name = "datalink",
       .synopsis = "FILE.cd [--read-write] [--names SOURCE,FIELD,LINK,HANDLER]",
       .summary = "add a data link (data source and field properties, a field data link,\n"
                  "its handlers) and save the definition",
       .details = "The names are those of the data source property, the field name property,\n"
                  "the link variable and the OnDataChange handler, each a Pascal identifier\n"
                  "(default: DataSource,DataField,FDataLink,DataChange; with 2 appended when\n"
                  "the component has a data link already).",
       .options = {{"--read-write", "", "a read-write link, with three more handlers"},
                   {"--names", "SOURCE,FIELD,LINK,HANDLER", "the four names"}},
       .operand = "FILE.cd"},
  };
  return table;
}

constexpr std::string_view kGlobalOptions =
    "Options (before or after the command):\n"
    "  --settings FILE  the settings file instead of Kestrix.ini\n"
    "  --yes, --no      the answer to every question a command asks (default: No)\n"
    "  --quiet          print only errors, warnings and what show, interface, class\n"
    "                   and dfm2text list\n"
    "  --help           this text; after a command, that command's\n"
    "  --version        the version\n";

constexpr std::string_view kConventions =
    "Without -o, files go into the definition's target directory, else into the\n"
    "current directory. Listings and the paths written go to standard output;\n"
    "errors, warnings, notes and the questions asked go to standard error.\n"
    "Definition text is printed in the terminal's encoding.\n"
    "\n"
    "Exit status: 0 done, 1 the command failed, 2 wrong usage.\n";

void PrintIndented(std::ostream& out, std::string_view text, std::string_view indent) {
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out << indent << text.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

std::string OptionLabel(const OptionSyntax& option) {
  std::string label(option.name);
  if (!option.value.empty()) label += " " + std::string(option.value);
  return label;
}

}  // namespace

bool Arguments::Has(std::string_view option) const {
  return std::any_of(options_.begin(), options_.end(),
                     [&](const auto& given) { return given.first == option; });
}

std::optional<std::string> Arguments::Value(std::string_view option) const {
  for (auto given = options_.rbegin(); given != options_.rend(); ++given) {
    if (given->first == option) return given->second;
  }
  return std::nullopt;
}

std::vector<std::string> Arguments::Values(std::string_view option) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : options_) {
    if (name == option) values.push_back(value);
  }
  return values;
}

std::span<const CommandSyntax> AllCommands() { return Table(); }

const CommandSyntax* FindCommand(std::string_view name) {
  for (const CommandSyntax& command : Table()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

int UsageError(std::ostream& err, std::string_view command, std::string_view message) {
  err << "kestrix-cli: ";
  if (!command.empty()) err << command << ": ";
  err << message << "\nTry 'kestrix-cli " << command << (command.empty() ? "" : " ")
      << "--help'.\n";
  return 2;
}

std::optional<Arguments> ParseArguments(const CommandSyntax& command,
                                        const std::vector<std::string>& args, std::ostream& err) {
  auto fail = [&](std::string_view message) -> std::optional<Arguments> {
    UsageError(err, command.name, message);
    return std::nullopt;
  };
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (parsed.operands.size() == command.max_operands) {
        return fail("unexpected argument '" + arg + "'");
      }
      parsed.operands.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const std::string name = arg.substr(0, equals);
    const auto option = std::find_if(command.options.begin(), command.options.end(),
                                     [&](const OptionSyntax& o) { return o.name == name; });
    if (option == command.options.end()) return fail("unknown option '" + name + "'");
    if (!option->repeatable && parsed.Has(name)) return fail(name + " is given twice");
    if (option->value.empty()) {
      if (equals != std::string::npos) return fail(name + " takes no value");
      parsed.Add(name, "");
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return fail(name + " needs a value: " + std::string(option->value));
    }
    if (!option->choices.empty() &&
        std::find(option->choices.begin(), option->choices.end(), value) == option->choices.end()) {
      std::string allowed;
      for (std::string_view choice : option->choices) {
        allowed += (allowed.empty() ? "" : ", ") + std::string(choice);
      }
      return fail(name + ": '" + value + "' is not one of " + allowed);
    }
    parsed.Add(name, std::move(value));
  }
  for (const OptionSyntax& option : command.options) {
    if (option.required && !parsed.Has(option.name)) {
      return fail("expected " + OptionLabel(option));
    }
  }
  if (parsed.operands.size() < command.min_operands) {
    return fail("expected " + std::string(command.operand));
  }
  return parsed;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: kestrix-cli [OPTIONS] COMMAND [ARGS]\n"
         "       kestrix-cli COMMAND --help   what one command does, with its options\n"
         "\n"
         "Commands:\n";
  for (const CommandSyntax& command : Table()) {
    out << "  " << command.name << " ";
    const std::string indent(command.name.size() + 3, ' ');
    const std::string_view synopsis = command.synopsis;
    const std::size_t first_end = std::min(synopsis.find('\n'), synopsis.size());
    out << synopsis.substr(0, first_end) << "\n";
    if (first_end < synopsis.size()) PrintIndented(out, synopsis.substr(first_end + 1), indent);
    PrintIndented(out, command.summary, "      ");
  }
  out << "\n" << kGlobalOptions << "\n" << kConventions;
}

void PrintCommandHelp(std::ostream& out, const CommandSyntax& command) {
  const std::string usage = "Usage: kestrix-cli [OPTIONS] " + std::string(command.name) + " ";
  const std::string_view synopsis = command.synopsis;
  const std::size_t first_end = std::min(synopsis.find('\n'), synopsis.size());
  out << usage << synopsis.substr(0, first_end) << "\n";
  if (first_end < synopsis.size()) {
    PrintIndented(out, synopsis.substr(first_end + 1), std::string(usage.size(), ' '));
  }
  out << "\n";
  std::string summary(command.summary);
  if (summary[0] >= 'a' && summary[0] <= 'z') summary[0] = static_cast<char>(summary[0] - 32);
  PrintIndented(out, summary + ".", "");
  if (!command.details.empty()) {
    out << "\n";
    PrintIndented(out, command.details, "");
  }
  if (!command.options.empty()) {
    std::size_t width = 0;
    for (const OptionSyntax& option : command.options) {
      width = std::max(width, OptionLabel(option).size());
    }
    out << "\nOptions:\n";
    for (const OptionSyntax& option : command.options) {
      const std::string label = OptionLabel(option);
      out << "  " << label << std::string(width - label.size() + 2, ' ') << option.help << "\n";
    }
  }
  if (command.more_help) command.more_help(out);
  out << "\n" << kGlobalOptions << "\n" << kConventions;
}

}  // namespace kx::cli
