#include "cli/cli.h"

#include <map>
#include <new>
#include <string_view>

#include "cli/commands.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace kx::cli {

namespace {

constexpr std::string_view kUsage =
    "Usage: kestrix-cli [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  class NAME       what the class catalogue knows of a class: family, unit, palette\n"
    "                   page, predicates, and the inherited members a new definition with\n"
    "                   that VCL ancestor receives\n"
    "  check FILE.cd    read a definition, print every message the reader shows, then a\n"
    "                   summary; exit status 1 when the file is refused\n"
    "  show FILE.cd     list the whole definition, items in file order with every field\n"
    "  resave FILE.cd   read a definition and save it again, keeping the old file as .bak\n"
    "  unit FILE.cd [-o DIR] [--comments full|normal] [--date \"YYYY-MM-DD HH:MM\"] [--update]\n"
    "                   write the component unit (into the definition's target directory\n"
    "                   unless -o names one) and print its path; --update saves the\n"
    "                   definition as generation changed it\n"
    "  interface FILE.cd  print the component's interface part, as printing does\n"
    "  docs FILE.cd [--audience application|descendant|component] [-o FILE.html]\n"
    "                   write the HTML page documenting the component for that audience\n"
    "                   (default: component, every item) and print its path; without -o,\n"
    "                   <unit>.html in the definition's target directory\n"
    "  bitmap FILE.cd [-o FILE.dcr]\n"
    "                   compile a placeholder palette bitmap into <unit>.dcr in the\n"
    "                   definition's target directory (asked first) or into -o's file\n"
    "  editors FILE.cd [--unit NAME] [--kind EDITORCLASS=N ...] [--form EDITORCLASS=FORM.dfm ...]\n"
    "          [-o DIR]  write the unit of custom property editors; each editor gets its\n"
    "                   default kind unless --kind names one, forms come from --form\n"
    "  all FILE.cd -o DIR  unit, property editor units, documentation page and palette\n"
    "                   bitmap in one go, every question answered with its default\n"
    "  dfm2text FORM.dfm  print the text form of a form file (a binary form converted as\n"
    "                   Delphi converts it, CRLF line ends; a text form as it is)\n"
    "  datalink FILE.cd [--read-write] [--names SOURCE,FIELD,LINK,HANDLER]\n"
    "                   add a data link to the definition and save it\n"
    "  new (--parent NAME [--container FORM.dfm [--panel NAME] | --fields FORM.dfm]\n"
    "       | --wrap FORM.dfm) -o FILE.cd\n"
    "                   make a new definition from the template of its parent class, with a\n"
    "                   form to wrap or a form to import a container or dataset fields from,\n"
    "                   and save it\n"
    "\n"
    "Options:\n"
    "  --settings FILE  the settings file to use instead of Kestrix.ini\n"
    "  --yes, --no      the answer to every question a command asks (default: --no)\n"
    "  --help           show this text\n"
    "  --version        show the version\n";

}  // namespace

int UsageError(std::ostream& err, std::string_view message) {
  err << "kestrix-cli: " << message << "\nTry 'kestrix-cli --help'.\n";
  return kExitUsage;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Context context{out, err};
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << kUsage;
      return kExitOk;
    }
    if (arg == "--version") {
      out << "kestrix-cli " << KX_VERSION << "\n";
      return kExitOk;
    }
    if (arg == "--settings") {
      if (i + 1 >= args.size()) return UsageError(err, "--settings needs a file name");
      context.settings_file = args[++i];
    } else if (arg == "--yes") {
      context.answer = commands::Answer::kYes;
    } else if (arg == "--no") {
      context.answer = commands::Answer::kNo;
    } else {
      words.push_back(arg);  // the command and its own arguments and options
    }
  }
  if (words.empty()) return UsageError(err, "no command given");
  if (words[0].starts_with("-")) return UsageError(err, "unknown option '" + words[0] + "'");

  using Command = int (*)(const std::vector<std::string>&, Context&);
  static const std::map<std::string, Command, std::less<>> kCommands = {
      {"class", ClassCommand},
      {"check", CheckCommand},
      {"show", ShowCommand},
      {"resave", ResaveCommand},
      {"unit", UnitCommand},
      {"interface", InterfaceCommand},
      {"docs", DocsCommand},
      {"bitmap", BitmapCommand},
      {"editors", EditorsCommand},
      {"all", AllCommand},
      {"dfm2text", Dfm2TextCommand},
      {"datalink", DataLinkCommand},
      {"new", NewCommand},
  };
  const auto command = kCommands.find(words[0]);
  if (command == kCommands.end()) return UsageError(err, "unknown command '" + words[0] + "'");
  try {
    return command->second({words.begin() + 1, words.end()}, context);
  } catch (const std::bad_alloc&) {
    // Every reader bounds what it builds; should memory still run out, the command ends
    // with a message rather than the process with an abort.
    err << "kestrix-cli: " << words[0] << ": out of memory\n";
    return kExitFailed;
  }
}

}  // namespace kx::cli
