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
  DataLinkAnswers(std::ostream& out, commands::Answer answer, bool read_write,
                  std::optional<commands::DataLinkNames> names)
      : CliDialogs(out, answer), read_write_(read_write), names_(std::move(names)) {}

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
  for (const std::string& part : parts) {
    if (part.empty()) return std::nullopt;
  }
  return commands::DataLinkNames{parts[0], parts[1], parts[2], parts[3]};
}

}  // namespace

int DataLinkCommand(const std::vector<std::string>& args, Context& context) {
  std::optional<std::string> file;
  std::optional<commands::DataLinkNames> names;
  bool read_write = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--read-write") {
      read_write = true;
    } else if (args[i] == "--names" && i + 1 < args.size()) {
      names = ParseNames(args[++i]);
      if (!names) return UsageError(context.err, "datalink: --names wants SOURCE,FIELD,LINK,HANDLER");
    } else if (!args[i].starts_with("-") && !file) {
      file = args[i];
    } else {
      return UsageError(context.err, "datalink: unexpected argument '" + args[i] + "'");
    }
  }
  if (!file) return UsageError(context.err, "datalink: expected a definition file");
  return WithDefinition(*file, context, [&](commands::Session& session, const store::Settings&,
                                            CliDialogs&) {
    DataLinkAnswers dialogs(context.out, context.answer, read_write, names);
    if (!commands::AddDataLinkCommand(session.def(), dialogs)) return kExitFailed;
    session.MarkModified();
    return session.Save() ? kExitOk : kExitFailed;
  });
}

}  // namespace kx::cli
