// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/form_text_copy.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "platform/temporary_file.h"
#include "support/nested_form.h"
#include "support/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string Short(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

// Form1: TForm1 with Caption = 'Hi', as a bare binary stream.
const std::string kBinaryForm = "TPF0" + Short("TForm1") + Short("Form1") + Short("Caption") +
                                "\x06" + Short("Hi") + std::string(2, '\0');
const std::string kFormText = "object Form1: TForm1\r\n  Caption = 'Hi'\r\nend\r\n";

TEST(TemporaryFileTest, UniqueFileDeletedWithTheObject) {
  std::error_code error;
  fs::path first_path;
  {
    std::optional<platform::TemporaryFile> first =
        platform::TemporaryFile::Create("kxtest", ".txt", "bytes", error);
    ASSERT_TRUE(first) << error.message();
    std::optional<platform::TemporaryFile> second =
        platform::TemporaryFile::Create("kxtest", ".txt", "", error);
    ASSERT_TRUE(second) << error.message();
    first_path = first->path();
    EXPECT_NE(first_path, second->path());
    EXPECT_EQ(first_path.parent_path(), fs::temp_directory_path());
    EXPECT_TRUE(first_path.filename().string().starts_with("kxtest"));
    EXPECT_EQ(first_path.extension(), ".txt");
    EXPECT_EQ(TempDir::Read(first_path), "bytes");
    // Moving hands the file on; the emptied object deletes nothing.
    platform::TemporaryFile moved = std::move(*first);
    first.reset();
    EXPECT_TRUE(fs::exists(first_path));
    moved = std::move(*second);
    EXPECT_FALSE(fs::exists(first_path));  // replaced: its old file is gone
    first_path = moved.path();
  }
  EXPECT_FALSE(fs::exists(first_path));
}

TEST(TemporaryTextCopyTest, ConvertsAndDeletes) {
  std::string error;
  fs::path path;
  {
    std::optional<commands::TemporaryTextCopy> copy =
        commands::TemporaryTextCopy::Make(kBinaryForm, error);
    ASSERT_TRUE(copy) << error;
    path = copy->path();
    EXPECT_EQ(TempDir::Read(path), kFormText);
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(commands::TemporaryTextCopy::Make(kBinaryForm.substr(0, 20), error));
  EXPECT_EQ(error, "truncated at offset 17");
  EXPECT_FALSE(commands::TemporaryTextCopy::Make("plain text", error));
  EXPECT_EQ(error, "not a form file");
}

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Dfm2TextCommandTest, PrintsTheTextForm) {
  TempDir dir;
  const fs::path binary = dir.Write("Form1.dfm", kBinaryForm);
  CliResult r = RunCli({"dfm2text", binary.string()});
  EXPECT_EQ(r.status, cli::kExitOk);
  EXPECT_EQ(r.out, kFormText);
  EXPECT_EQ(r.err, "");

  const fs::path text = dir.Write("Text.dfm", "\xEF\xBB\xBFobject F: TF\nend\n");
  r = RunCli({"dfm2text", text.string()});
  EXPECT_EQ(r.status, cli::kExitOk);
  EXPECT_EQ(r.out, "object F: TF\nend\n");

  const fs::path broken = dir.Write("Broken.dfm", kBinaryForm.substr(0, 30));
  r = RunCli({"dfm2text", broken.string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kestrix-cli: dfm2text: " + broken.string() + ": truncated at offset 30\n");

  r = RunCli({"dfm2text", (dir / "missing.dfm").string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_TRUE(r.err.starts_with("kestrix-cli: dfm2text: ")) << r.err;

  ASSERT_EQ(::mkfifo((dir / "fifo.dfm").c_str(), 0600), 0);
  r = RunCli({"dfm2text", (dir / "fifo.dfm").string()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_EQ(r.err,
            "kestrix-cli: dfm2text: " + (dir / "fifo.dfm").string() + ": not a regular file\n");
}

// Memory that runs out anyway ends the command with a message, not the process with an abort.
TEST(Dfm2TextCommandTest, OutOfMemoryIsAFailureNotACrash) {
  TempDir dir;
  const fs::path form = dir.Write("Nested.dfm", testing::NestedForm(140000));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Room for the program as it is and the form, not for its text.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t room = static_cast<rlim_t>(pages) * 4096 + (48u << 20);
    const rlimit limit{room, room};
    ::setrlimit(RLIMIT_AS, &limit);
    const CliResult r = RunCli({"dfm2text", form.string()});
    ::_exit(r.status == cli::kExitFailed && r.err == "kestrix-cli: dfm2text: out of memory\n" ? 0
                                                                                              : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace kx
