// SPDX-License-Identifier: GPL-3.0-or-later
// What every kestrix-cli command on a definition file does first: load the settings, read
// the definition, and hand both to the command's body with the CLI's dialogs.
//
//   return WithDefinition(file, context, [&](commands::Session& session,
//                                            const store::Settings& settings,
//                                            CliDialogs& dialogs) { ...; return kExitOk; });
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "commands/session.h"
#include "store/settings.h"

namespace kx::cli {

// The settings of --settings, or of Kestrix.ini where the desktop program finds it; nothing
// after printing why they could not be read. Their default target directory is none: what
// the CLI writes goes into the current directory unless told otherwise.
std::optional<store::Settings> LoadCliSettings(Context& context);

// Reads the definition with the messages prefixed by its name; false when it was refused.
bool LoadDefinition(commands::Session& session, const std::string& file, CliDialogs& dialogs);

// Runs body(session, settings, dialogs) on the definition read from file; kExitFailed when
// the settings or the definition could not be read.
template <typename Body>
int WithDefinition(const std::string& file, Context& context, Body body) {
  std::optional<store::Settings> settings = LoadCliSettings(context);
  if (!settings) return kExitFailed;
  CliDialogs dialogs(context);
  commands::Session session(*settings, dialogs);
  if (!LoadDefinition(session, file, dialogs)) return kExitFailed;
  return body(session, *settings, dialogs);
}

}  // namespace kx::cli
