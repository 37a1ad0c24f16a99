// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "catalog/type_classes.h"
#include "store/definition_file.h"
#include "support/temp_dir.h"

namespace kx::testing {

namespace fs = std::filesystem;

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

std::vector<std::string> GoldenCases(const fs::path& dir) {
  std::vector<std::string> cases;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (fs::exists(entry.path() / "input.cd")) cases.push_back(entry.path().filename().string());
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

model::ComponentDef ReadGoldenDefinition(const fs::path& dir, const std::string& name) {
  model::ComponentDef def;
  const store::ParseResult result = store::ParseDefinition(
      TempDir::Read(dir / name / "input.cd"), name + ".cd", def, catalog::StandardClassRules(), "");
  EXPECT_TRUE(result.ok) << name;
  EXPECT_TRUE(result.messages.empty()) << name;
  return def;
}

std::string UnifiedDiff(std::string_view expected, std::string_view actual,
                        const std::string& expected_name) {
  const std::vector<std::string_view> a = SplitLines(expected);
  const std::vector<std::string_view> b = SplitLines(actual);
  // Longest common subsequence, from the ends, then walked from the start.
  const std::size_t n = a.size(), m = b.size();
  std::vector<int> common((n + 1) * (m + 1), 0);
  auto at = [&](std::size_t i, std::size_t j) -> int& { return common[i * (m + 1) + j]; };
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  struct Edit {
    char mark;         // ' ', '-', '+'
    std::size_t i, j;  // line numbers before it, in a and b
    std::string_view line;
  };
  std::vector<Edit> edits;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      edits.push_back({' ', i, j, a[i]});
      ++i;
      ++j;
    } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
      edits.push_back({'-', i, j, a[i]});
      ++i;
    } else {
      edits.push_back({'+', i, j, b[j]});
      ++j;
    }
  }
  if (std::all_of(edits.begin(), edits.end(), [](const Edit& e) { return e.mark == ' '; })) {
    return "";
  }
  std::ostringstream out;
  out << "--- " << expected_name << "\n+++ " << expected_name << " (generated)\n";
  constexpr std::size_t kContext = 3;
  for (std::size_t k = 0; k < edits.size();) {
    if (edits[k].mark == ' ') {
      ++k;
      continue;
    }
    // A hunk: the changes no more than 2 * kContext unchanged lines apart, with kContext
    // lines around them.
    const std::size_t from = k >= kContext ? k - kContext : 0;
    std::size_t last = k;
    for (std::size_t e = k + 1; e < edits.size() && e - last <= 2 * kContext; ++e) {
      if (edits[e].mark != ' ') last = e;
    }
    const std::size_t to = std::min(edits.size(), last + 1 + kContext);
    std::size_t a_count = 0, b_count = 0;
    for (std::size_t e = from; e < to; ++e) {
      a_count += edits[e].mark != '+';
      b_count += edits[e].mark != '-';
    }
    out << "@@ -" << edits[from].i + (a_count ? 1 : 0) << "," << a_count << " +"
        << edits[from].j + (b_count ? 1 : 0) << "," << b_count << " @@\n";
    for (std::size_t e = from; e < to; ++e) out << edits[e].mark << edits[e].line << "\n";
    k = to;
  }
  return out.str();
}

std::string TargetDiff(std::string_view delphi, std::string_view other,
                       std::string_view other_name) {
  std::string diff = UnifiedDiff(delphi, other, "Delphi");
  constexpr std::string_view kGenerated = "+++ Delphi (generated)";
  if (const std::size_t at = diff.find(kGenerated); at != std::string::npos) {
    diff.replace(at, kGenerated.size(), "+++ " + std::string(other_name));
  }
  return diff;
}

void ExpectGoldenFile(const fs::path& expected_file, const std::string& actual,
                      std::string_view program) {
  const bool exists = fs::exists(expected_file);
  const std::string expected = exists ? TempDir::Read(expected_file) : "";
  if (exists && expected == actual) return;
  std::string diff = UnifiedDiff(expected, actual, expected_file.string());
  if (diff.empty()) diff = "(the texts differ only in their line ends)\n";
  if (Set("KX_UPDATE_GOLDEN")) {
    if (Set("CI")) {
      ADD_FAILURE() << "KX_UPDATE_GOLDEN is refused when CI is set: expected files are "
                       "rewritten by a person who has read the diff";
    } else {
      fs::create_directories(expected_file.parent_path());
      std::ofstream(expected_file, std::ios::binary) << actual;
      std::cout << diff << "rewrote " << expected_file.string() << "\n";
      return;
    }
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  ADD_FAILURE() << (exists ? "" : "missing: ") << expected_file.string() << "\n"
                << diff
                << "If the new text is right, regenerate with\n  KX_UPDATE_GOLDEN=1 build/tests/"
                << program << " --gtest_filter='" << test->test_suite_name() << "." << test->name()
                << "'\nand read the diff of the rewritten files before committing.";
}

}  // namespace kx::testing
