// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <map>
#include <new>
#include <stdexcept>
#include <string_view>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/syntax.h"
#include "commands/about.h"
#include "model/text.h"
#include "platform/windows1252.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace kx::cli {

namespace {

using CommandFunction = int (*)(const Arguments&, Context&);

CommandFunction FunctionOf(std::string_view name) {
  static const std::map<std::string_view, CommandFunction> kFunctions = {
      {"class", ClassCommand},       {"check", CheckCommand},       {"show", ShowCommand},
      {"resave", ResaveCommand},     {"unit", UnitCommand},         {"interface", InterfaceCommand},
      {"docs", DocsCommand},         {"bitmap", BitmapCommand},     {"editors", EditorsCommand},
      {"all", AllCommand},           {"dfm2text", Dfm2TextCommand}, {"import", ImportCommand},
      {"datalink", DataLinkCommand}, {"new", NewCommand},           {"smoke", SmokeCommand},
      {"package", PackageCommand},   {"sync", SyncCommand},
  };
  return kFunctions.at(name);
}

// The folders that -o needs, whether it names a folder or a file to write, made before the
// command runs; false after saying why they could not be made.
bool MakeOutputFolder(const CommandSyntax& command, const Arguments& args, Context& context) {
  const std::optional<std::string> output = args.Value("-o");
  if (!output) return true;
  const bool names_folder = std::any_of(
      command.options.begin(), command.options.end(),
      [](const OptionSyntax& option) { return option.name == "-o" && option.value == "DIR"; });
  const std::filesystem::path folder =
      names_folder ? std::filesystem::path(*output) : std::filesystem::path(*output).parent_path();
  if (folder.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error) return true;
  context.Fail("cannot make the folder " + folder.string() + ": " + error.message());
  return false;
}

}  // namespace

TerminalEncoding LocaleEncoding() {
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  TerminalEncoding encoding = TerminalEncoding::kUtf8;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const std::string codeset = model::UpperCase(nl_langinfo(CODESET));
    if (codeset == "ISO-8859-1" || codeset == "ISO-8859-15" || codeset == "CP1252" ||
        codeset == "WINDOWS-1252") {
      encoding = TerminalEncoding::kWindows1252;
    }
  }
  std::setlocale(LC_CTYPE, previous.c_str());
  return encoding;
}

std::string Context::Text(std::string_view windows1252) const {
  if (encoding == TerminalEncoding::kWindows1252) return std::string(windows1252);
  return platform::Utf8FromWindows1252(windows1252);
}

std::string Context::MessageText(std::string_view text) const {
  if (platform::IsValidUtf8(text)) return std::string(text);
  return Text(text);
}

int Context::Fail(std::string_view message) {
  err << "kestrix-cli: " << command << ": " << MessageText(message) << "\n";
  return kExitFailed;
}

int Context::Usage(std::string_view message) { return UsageError(err, command, message); }

model::CodeTarget TargetOf(const Arguments& args, model::CodeTarget settings_target) {
  const std::optional<std::string> name = args.Value("--target");
  return name ? model::ParseCodeTarget(*name).value_or(settings_target) : settings_target;
}

commands::EditedUnitHandling EditedUnitOf(const Arguments& args, std::string_view definition) {
  return {args.Has("--overwrite") ? commands::EditedUnit::kReplace : commands::EditedUnit::kRefuse,
          "kestrix-cli sync " + std::string(definition), "--overwrite"};
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        TerminalEncoding encoding) {
  Context context{.out = out, .err = err};
  context.encoding = encoding;
  std::vector<std::string> words;  // the command and its own arguments
  bool help = false;
  bool version = false;
  bool yes = false;
  bool no = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (arg == "--settings" || arg.starts_with("--settings=")) {
      if (arg.size() > 10) {
        context.settings_file = arg.substr(11);
      } else if (i + 1 < args.size()) {
        context.settings_file = args[++i];
      } else {
        return UsageError(err, "", "--settings needs a value: FILE");
      }
    } else if (arg == "--yes") {
      yes = true;
    } else if (arg == "--no") {
      no = true;
    } else if (arg == "--quiet") {
      context.quiet = true;
    } else {
      words.push_back(arg);
    }
  }
  if (yes && no) return UsageError(err, "", "--yes and --no exclude each other");
  if (yes || no) context.answer = yes ? commands::Answer::kYes : commands::Answer::kNo;
  if (words.empty()) {
    if (help) {
      PrintHelp(out);
    } else if (version) {
      out << "kestrix-cli " << KX_VERSION << "\n" << commands::kLicenceNotice << "\n";
    } else {
      return UsageError(err, "", "no command given");
    }
    return kExitOk;
  }
  const CommandSyntax* command = FindCommand(words[0]);
  if (!command) {
    if (words[0].starts_with("-")) return UsageError(err, "", "unknown option '" + words[0] + "'");
    return UsageError(err, "", "unknown command '" + words[0] + "'");
  }
  if (help) {
    PrintCommandHelp(out, *command);
    return kExitOk;
  }
  context.command = command->name;
  const std::optional<Arguments> parsed =
      ParseArguments(*command, {words.begin() + 1, words.end()}, err);
  if (!parsed) return kExitUsage;
  if (!MakeOutputFolder(*command, *parsed, context)) return kExitFailed;
  int status = kExitFailed;
  try {
    status = FunctionOf(command->name)(*parsed, context);
  } catch (const std::bad_alloc&) {
    return context.Fail("out of memory");
  } catch (const std::logic_error& e) {
    return context.Fail(commands::InternalFaultMessage(e.what()));
  } catch (const std::exception& e) {
    return context.Fail(e.what());
  }
  if (status == kExitFailed && context.declined) {
    // Nothing was said about why the command stopped: a question answered by default did it.
    const Context::Declined& declined = *context.declined;
    if (context.quiet) {
      err << "kestrix-cli: " << FlattenMessage(context.MessageText(declined.question)) << " -> "
          << commands::AnswerName(declined.answer) << "\n";
    }
    context.Fail("stopped by the answer " + std::string(commands::AnswerName(declined.answer)) +
                 "; " + declined.hint);
  }
  return status;
}

}  // namespace kx::cli
