// SPDX-License-Identifier: GPL-3.0-or-later
// What each kestrix-cli command accepts, in one table: the parser checks arguments against it
// and the help texts are made from it, so the two cannot disagree.
//
//   const CommandSyntax* unit = FindCommand("unit");
//   if (std::optional<Arguments> args = ParseArguments(*unit, words, err)) { ... }
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::cli {

struct OptionSyntax {
  std::string_view name;   // "-o", "--comments"
  std::string_view value;  // what its value is ("DIR", "full|normal"); empty for a switch
  std::string_view help;
  std::vector<std::string_view> choices = {};  // the values allowed; empty: any
  bool repeatable = false;
  bool required = false;
};

struct CommandSyntax {
  std::string_view name;
  std::string_view synopsis;  // everything after the name; "\n" continues on an indented line
  std::string_view summary;   // for the list of commands; may span lines
  std::string_view details;   // added by the command's own --help
  std::vector<OptionSyntax> options;
  std::string_view operand;  // "FILE.cd", for the message when one is missing
  std::size_t min_operands = 1;
  std::size_t max_operands = 1;
  void (*more_help)(std::ostream&) = nullptr;  // what its --help adds after the options
};

// The arguments of one command, checked against its syntax.
class Arguments {
 public:
  std::vector<std::string> operands;

  bool Has(std::string_view option) const;
  // The value given last.
  std::optional<std::string> Value(std::string_view option) const;
  std::vector<std::string> Values(std::string_view option) const;
  void Add(std::string_view option, std::string value) { options_.emplace_back(option, value); }

 private:
  std::vector<std::pair<std::string, std::string>> options_;
};

std::span<const CommandSyntax> AllCommands();
const CommandSyntax* FindCommand(std::string_view name);

// Nothing after printing the usage error to err ("kestrix-cli: unit: --comments: 'bogus' is
// not one of full, normal"). Accepts "--option value" and "--option=value".
std::optional<Arguments> ParseArguments(const CommandSyntax& command,
                                        const std::vector<std::string>& args, std::ostream& err);

// "kestrix-cli: MESSAGE" (or "kestrix-cli: COMMAND: MESSAGE") and where to find help; returns
// the exit status of wrong usage.
int UsageError(std::ostream& err, std::string_view command, std::string_view message);

void PrintHelp(std::ostream& out);
void PrintCommandHelp(std::ostream& out, const CommandSyntax& command);

}  // namespace kx::cli
