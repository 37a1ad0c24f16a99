// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/with_definition.h"
#include "commands/data_links.h"

namespace kx::cli {

namespace {

// The data link dialogs answered from the command line: read-write or not, the names given,
// and the proposed handler names; names of one's own are meant, so the question about them
// is answered Yes.
class DataLinkAnswers : public CliDialogs {
 public:
  DataLinkAnswers(Context& context, bool read_write, std::optional<commands::DataLinkNames> names)
      : CliDialogs(context), read_write_(read_write), names_(std::move(names)) {}

  std::optional<commands::DataLinkNames> DataLinkDialog(
      std::string_view, const commands::DataLinkNames& proposed) override {
    if (asked_) return std::nullopt;  // a refused name would only come back again
    asked_ = true;
    return names_.value_or(proposed);
  }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view proposed) override {
    return std::string(proposed);
  }

 protected:
  commands::Answer AnswerFor(const commands::MessageBox& box) override {
    if (box.text == "Should the new data link be a read-write data link?") {
      return read_write_ ? commands::Answer::kYes : commands::Answer::kNo;
    }
    if (box.text.starts_with("Because you are not using both")) return commands::Answer::kYes;
    return CliDialogs::AnswerFor(box);
  }

 private:
  bool read_write_;
  std::optional<commands::DataLinkNames> names_;
  bool asked_ = false;
};

// "SOURCE,FIELD,LINK,HANDLER".
std::optional<commands::DataLinkNames> ParseNames(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
    parts.push_back(text.substr(start, comma - start));
  }
  parts.push_back(text.substr(start));
  if (parts.size() != 4) return std::nullopt;
  return commands::DataLinkNames{parts[0], parts[1], parts[2], parts[3]};
}

}  // namespace

int DataLinkCommand(const Arguments& args, Context& context) {
  std::optional<commands::DataLinkNames> names;
  if (const std::optional<std::string> text = args.Value("--names")) {
    names = ParseNames(*text);
    if (!names) return context.Usage("--names: '" + *text + "' is not SOURCE,FIELD,LINK,HANDLER");
    // Each name becomes a Pascal name in the unit; nothing is saved with one that is not.
    if (const std::optional<std::string> invalid = commands::InvalidDataLinkName(*names)) {
      return context.Usage("--names: '" + *invalid + "' is not a Pascal identifier");
    }
  }
  return WithDefinition(args.operands[0], context,
                        [&](commands::Session& session, const store::Settings&, CliDialogs&) {
                          DataLinkAnswers dialogs(context, args.Has("--read-write"), names);
                          if (!commands::AddDataLinkCommand(session.def(), dialogs))
                            return kExitFailed;
                          session.MarkModified();
                          if (!session.Save()) return kExitFailed;
                          if (!context.quiet) context.out << session.file().string() << "\n";
                          return kExitOk;
                        });
}

}  // namespace kx::cli
