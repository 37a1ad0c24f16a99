// The commands of kestrix-cli, each given its arguments (without the command's name).
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "commands/dialogs.h"

namespace kx::cli {

struct Context {
  std::ostream& out;
  std::ostream& err;
  std::optional<std::filesystem::path> settings_file;  // --settings
  commands::Answer answer = commands::Answer::kNo;     // --yes / --no
};

int UsageError(std::ostream& err, std::string_view message);

int ClassCommand(const std::vector<std::string>& args, Context& context);
int CheckCommand(const std::vector<std::string>& args, Context& context);
int ShowCommand(const std::vector<std::string>& args, Context& context);
int ResaveCommand(const std::vector<std::string>& args, Context& context);
int UnitCommand(const std::vector<std::string>& args, Context& context);
int InterfaceCommand(const std::vector<std::string>& args, Context& context);
int DocsCommand(const std::vector<std::string>& args, Context& context);
int BitmapCommand(const std::vector<std::string>& args, Context& context);
int EditorsCommand(const std::vector<std::string>& args, Context& context);
int AllCommand(const std::vector<std::string>& args, Context& context);
int Dfm2TextCommand(const std::vector<std::string>& args, Context& context);
int DataLinkCommand(const std::vector<std::string>& args, Context& context);
int NewCommand(const std::vector<std::string>& args, Context& context);

}  // namespace kx::cli
