// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of kestrix-cli, each given its checked arguments, and what they share: the
// streams, the global options and how a message is printed.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/syntax.h"
#include "commands/dialogs.h"
#include "commands/generated_file.h"
#include "model/code_target.h"

namespace kx::cli {

struct Context {
  std::ostream& out;
  std::ostream& err;
  std::string command;                                 // its name, for messages
  std::optional<std::filesystem::path> settings_file;  // --settings
  std::optional<commands::Answer> answer;              // --yes / --no
  bool quiet = false;                                  // --quiet
  TerminalEncoding encoding = TerminalEncoding::kUtf8;

  // The last box was a question answered by default (not from a flag) with an answer that may
  // have ended the command: its text, the answer, and the flags that answer it otherwise.
  struct Declined {
    std::string question;
    commands::Answer answer;
    std::string hint;
  };
  std::optional<Declined> declined;

  // Definition text (Windows-1252) as the terminal shows it.
  std::string Text(std::string_view windows1252) const;
  // A message, which may hold definition text and file names (the system's bytes): converted
  // only when it is not valid UTF-8 already.
  std::string MessageText(std::string_view text) const;
  // "kestrix-cli: COMMAND: message" on standard error; returns kExitFailed.
  int Fail(std::string_view message);
  // The usage error of the command; returns kExitUsage.
  int Usage(std::string_view message);
};

// --target when given, else the settings' target.
model::CodeTarget TargetOf(const Arguments& args, model::CodeTarget settings_target);

// The unit commands' handling of a unit changed outside Kestrix: replaced with --overwrite,
// else refused with a message naming the sync command for the definition file.
commands::EditedUnitHandling EditedUnitOf(const Arguments& args, std::string_view definition);

int ClassCommand(const Arguments& args, Context& context);
int CheckCommand(const Arguments& args, Context& context);
int ShowCommand(const Arguments& args, Context& context);
int ResaveCommand(const Arguments& args, Context& context);
int UnitCommand(const Arguments& args, Context& context);
int InterfaceCommand(const Arguments& args, Context& context);
int DocsCommand(const Arguments& args, Context& context);
int BitmapCommand(const Arguments& args, Context& context);
int EditorsCommand(const Arguments& args, Context& context);
int AllCommand(const Arguments& args, Context& context);
int Dfm2TextCommand(const Arguments& args, Context& context);
int DataLinkCommand(const Arguments& args, Context& context);
int NewCommand(const Arguments& args, Context& context);
int SmokeCommand(const Arguments& args, Context& context);
int PackageCommand(const Arguments& args, Context& context);
int ImportCommand(const Arguments& args, Context& context);
int SyncCommand(const Arguments& args, Context& context);

}  // namespace kx::cli
