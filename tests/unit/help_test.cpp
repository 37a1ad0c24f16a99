// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/help.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "support/temp_dir.h"

namespace kx::commands {
namespace {

namespace fs = std::filesystem;
using kx::testing::TempDir;
using store::HelpAction;
using store::HelpFile;

const fs::path kManual = KX_HELP_DIR;

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    found.insert((*it)[1]);
  }
  return found;
}

std::ptrdiff_t Count(const std::string& text, const std::regex& pattern) {
  return std::distance(std::sregex_iterator(text.begin(), text.end(), pattern),
                       std::sregex_iterator());
}

std::set<std::string> Anchors(const fs::path& page) {
  return Matches(TempDir::Read(page), std::regex(R"re(\sid="([^"]+)")re"));
}

TEST(ManualTest, EveryHelpContextHasItsPageAndAnchor) {
  std::set<int> contexts;
  for (const HelpPlace& place : HelpPlaces()) {
    EXPECT_TRUE(contexts.insert(place.context).second) << "twice: " << place.context;
    const fs::path page = kManual / place.page;
    ASSERT_TRUE(fs::is_regular_file(page)) << page;
    EXPECT_TRUE(Anchors(page).contains(std::string(place.anchor))) << page << "#" << place.anchor;
  }
  // The pages of the main window, the two editors, the publish question of a container import
  // and the business component.
  for (int context : {100, 101, 102, 103, 104, 200, 230, 511, 514}) {
    EXPECT_TRUE(contexts.contains(context)) << context;
  }
  EXPECT_TRUE(fs::is_regular_file(kManual / kManualContentsPage));
  EXPECT_TRUE(fs::is_regular_file(kManual / kThreadHelpPage));
}

TEST(ManualTest, EveryLinkAndPictureResolvesAndEveryPageIsInTheContents) {
  const std::regex link(R"re(href="([^":]*)")re");
  const std::regex picture(R"re(<img src="([^"]+)" alt="[^"]+")re");
  std::set<std::string> pages;
  for (const auto& entry : fs::directory_iterator(kManual)) {
    if (entry.path().extension() == ".html") pages.insert(entry.path().filename().string());
  }
  std::set<std::string> listed =
      Matches(TempDir::Read(kManual / "index.html"), std::regex(R"re(href="([^"#]+)[#"])re"));
  listed.insert("index.html");
  listed.erase("manual.css");
  EXPECT_EQ(listed, pages);
  for (const std::string& name : pages) {
    const std::string text = TempDir::Read(kManual / name);
    EXPECT_NE(text.find(R"(<html lang="en">)"), std::string::npos) << name;
    EXPECT_NE(text.find(R"(<link rel="stylesheet" href="manual.css">)"), std::string::npos) << name;
    for (const std::string& target : Matches(text, link)) {
      const std::size_t hash = target.find('#');
      const std::string file = hash == 0 ? name : target.substr(0, hash);
      ASSERT_TRUE(fs::is_regular_file(kManual / file)) << name << ": " << target;
      if (hash != std::string::npos) {
        EXPECT_TRUE(Anchors(kManual / file).contains(target.substr(hash + 1)))
            << name << ": " << target;
      }
    }
    // Every picture exists and has a text alternative.
    EXPECT_EQ(Count(text, picture), Count(text, std::regex("<img "))) << name;
    for (const std::string& source : Matches(text, picture)) {
      EXPECT_TRUE(fs::is_regular_file(kManual / source)) << name << ": " << source;
    }
  }
}

TEST(ResolveHelpTest, ProductHelpOpensTheManualAndKeywordsTheTemplate) {
  const fs::path manual = "/usr/share/doc/kestrix/help";
  const std::string search = "https://example.org/search?site=lcl&q={keyword}";
  const struct {
    store::HelpTopic topic;
    std::string_view url_template;
    HelpTarget expected;
  } cases[] = {
      {{}, "", {"file:///usr/share/doc/kestrix/help/index.html", ""}},
      {{HelpFile::kProduct, HelpAction::kContext, "", 102},
       "",
       {"file:///usr/share/doc/kestrix/help/methods.html#methods-page", ""}},
      {{HelpFile::kProduct, HelpAction::kContext, "", 230},
       "",
       {"file:///usr/share/doc/kestrix/help/text-editor.html#text-editor", ""}},
      // A context the manual does not know opens the contents rather than nothing.
      {{HelpFile::kProduct, HelpAction::kContext, "", 999},
       "",
       {"file:///usr/share/doc/kestrix/help/index.html", ""}},
      {{HelpFile::kThreads, HelpAction::kContents, "", 0},
       search,
       {"file:///usr/share/doc/kestrix/help/threads.html", ""}},
      {{HelpFile::kVcl, HelpAction::kKeyword, "TList", 0},
       search,
       {"https://example.org/search?site=lcl&q=TList", ""}},
      {{HelpFile::kDelphi, HelpAction::kKeyword, "", 0},
       search,
       {"https://example.org/search?site=lcl&q=", ""}},
      {{HelpFile::kCwg, HelpAction::kKeyword, "TCustomEdit component", 0},
       "",
       {"",
        "To look up TCustomEdit component in the component writer's guide, give the address of "
        "a reference under Options > Other options, with {keyword} where the word goes."}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveHelp(c.topic, manual, c.url_template), c.expected) << c.topic.context;
  }
}

TEST(ResolveHelpTest, ClassHelpUnderBothDelphiVersions) {
  const std::string local = "file:///srv/delphi-help/{keyword}.html";
  const struct {
    std::string_view name;
    bool delphi16;
    std::string url;
  } cases[] = {
      {"TNewThread", false, "file:///m/threads.html"},
      {"TSharingThread", true, "file:///m/threads.html"},
      {"TResourceFlag", false, "file:///m/threads.html"},
      {"TRzBusinessComponent", false, "file:///m/new-definition.html#business-component"},
      {"TCustomEdit", false, "file:///srv/delphi-help/TCustomEdit%20component.html"},
      {"TCustomEdit", true, "file:///srv/delphi-help/TCustomEdit.html"},
      {"TButton", false, "file:///srv/delphi-help/TButton%20component.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveHelp(store::ClassHelpTopic(c.name, c.delphi16), "/m", local).url, c.url)
        << c.name << " " << c.delphi16;
  }
}

TEST(KeywordUrlTest, TheKeywordIsEncodedAsOneValue) {
  const struct {
    std::string_view url_template;
    std::string_view keyword;
    std::string url;
  } cases[] = {
      {"https://x.org/?q={keyword}", "TButton component", "https://x.org/?q=TButton%20component"},
      // Characters that would end the value, start another or a fragment.
      {"https://x.org/?q={keyword}", "a&b=c/d?e#f+g%",
       "https://x.org/?q=a%26b%3Dc%2Fd%3Fe%23f%2Bg%25"},
      // Windows-1252 text goes out as UTF-8.
      {"https://x.org/?q={keyword}",
       "Gr\xF6\xDF"
       "e \x80",
       "https://x.org/?q=Gr%C3%B6%C3%9Fe%20%E2%82%AC"},
      {"https://x.org/{keyword}/{keyword}.html", "T_1-a.b~",
       "https://x.org/T_1-a.b~/T_1-a.b~.html"},
      {"https://x.org/?q=", "TEdit", "https://x.org/?q=TEdit"},
      {"https://x.org/?q=%7B{keyword}", "{keyword}", "https://x.org/?q=%7B%7Bkeyword%7D"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeywordUrl(c.url_template, c.keyword), c.url) << c.keyword;
  }
  EXPECT_EQ(FileUrl("/home/me/My Help/index.html", "a b"),
            "file:///home/me/My%20Help/index.html#a%20b");
}

}  // namespace
}  // namespace kx::commands
