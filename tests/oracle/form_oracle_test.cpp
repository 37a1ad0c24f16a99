// SPDX-License-Identifier: GPL-3.0-or-later
// Our conversion of binary forms to text against Free Pascal's (ObjectResourceToText /
// ObjectBinaryToText of its Classes unit, run by form_oracle), over every binary form of the
// corpus and over binary forms that Free Pascal's ObjectTextToResource makes from the text
// forms of the corpus and from the fixtures beside this file. The comparison normalises
// exactly the known differences of Free Pascal's layout (listed below) and nothing else.
// Where the binary was made from a text form Delphi wrote, our conversion must also give
// back that text itself, to the byte apart from its line ends (DelphiTextTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "catalog/form_conversion.h"
#include "platform/run_program.h"
#include "support/temp_dir.h"

namespace kx::catalog {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

const fs::path kOracle = KX_FORM_ORACLE;
const fs::path kCorpus = KX_CORPUS_DIR;
const fs::path kFixtures = KX_ORACLE_FIXTURES;

// Free Pascal 3.2.2's text layout against Delphi's, each difference normalised below:
//
// 1. Line ends: LF (the platform's LineEnding) where Delphi writes CRLF. Both sides are cut
//    into lines; ours must use CRLF throughout.
// 2. Trailing blanks: after the "<" of a collection and after each item's "end" Free Pascal
//    writes the indentation of the line that follows (OutLn(Indent)). Stripped from its lines.
// 3. Lists: the closing ")" stands on a line of its own; Delphi puts it after the last item,
//    and writes an empty list as "()" where Free Pascal writes "(" + indentation + ")".
// 4. Binary data: "{" and "}" on lines of their own, however short the data; Delphi writes
//    fewer than 32 bytes on the property's line ("{0A0B}") and otherwise puts "}" after the
//    last line of hex.
// 5. Child positions and item indexes: "TPanel[2]" and "item[2]" without Delphi's blank.
// 6. Floats: Str's layout with 20 decimals and a 4-digit exponent (" 1.5000...E+0000", a
//    blank for the sign of a positive number) where Delphi writes FloatToStr's 15
//    significant digits ("1.5"). The numbers must agree to 15 significant digits (one unit
//    of the 15th digit apart at most, for the different rounding).
// 7. Strings: every character from 127 up as #nnn (Delphi writes an 8-bit string's
//    characters as they are), a quote doubled inside quotes (Delphi: #39), no cutting into
//    64-character pieces joined by "+". On both sides every string is read back into its
//    characters and compared by those; how we spell strings is checked by
//    DelphiTextTest and the unit tests.
// 8. Value types Free Pascal 3.2.2 cannot write as text (single 15, currency 16, date 17)
//    end its conversion with "Invalid property type from streamed property: N". For dates
//    (the corpus has them) it is given a copy of the form in which each date value of the
//    property it stopped at is an extended float (type 5), until it converts the whole
//    copy; on those lines our "d" suffix is then the only difference. For the other two
//    types what it wrote until it stopped is compared.
//
// Not normalised because the corpus does not need it: Free Pascal writes a UTF-8 string's
// characters beyond U+FFFF as one #nnnnnn, Delphi as two UTF-16 units; and its value type
// 21 is a UTF-16 string where Delphi's 21 is a double, so forms with doubles cannot be
// compared at all (the unit tests cover them).

std::string ReadFile(const fs::path& path) { return TempDir::Read(path); }

struct OracleRun {
  bool ok = false;       // converted whole
  bool failed = false;   // ran, but stopped with an error (its output is partial)
  std::string output;    // what it wrote
  std::string messages;  // what it printed
};

OracleRun RunOracle(std::string_view mode, const fs::path& in, const fs::path& out) {
  const platform::RunResult run = platform::RunAndWait(
      kOracle, {std::string(mode), in.string(), out.string()}, std::chrono::seconds(60));
  OracleRun result;
  result.messages = run.output;
  if (run.ResultCode < platform::kStarted || run.timed_out) {
    result.messages = "form_oracle did not run: " + kOracle.string() + " " + run.output;
    return result;
  }
  result.ok = run.exit_status == 0;
  result.failed = run.exit_status == 3;
  if (result.ok || result.failed) result.output = ReadFile(out);
  return result;
}

std::string TrimRight(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

std::string TrimLeft(const std::string& line) {
  const std::size_t start = line.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : line.substr(start);
}

// Cuts text into lines at LF; with crlf every line must end with CRLF (and no CR stands
// elsewhere). A last line without its line end is returned in tail.
std::vector<std::string> SplitLines(const std::string& text, bool crlf, std::string* tail) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      if (tail != nullptr)
        *tail = text.substr(start);
      else
        ADD_FAILURE() << "text does not end with a line end";
      break;
    }
    std::string line = text.substr(start, end - start);
    if (crlf) {
      if (!line.ends_with('\r'))
        ADD_FAILURE() << "line without CRLF: " << line;
      else
        line.pop_back();
    }
    if (line.find('\r') != std::string::npos) ADD_FAILURE() << "stray CR in: " << line;
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// A string expression (quoted pieces, #nnn, "+" between pieces) as its characters, spelled
// one way: printable ASCII in quotes, everything else #nnn. Empty when text is not one.
std::string CanonicalString(std::string_view text) {
  std::vector<unsigned long> codes;
  std::size_t i = 0;
  bool any = false;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '+') {
      ++i;
    } else if (c == '\'') {
      ++i;
      while (true) {
        if (i >= text.size()) return {};
        if (text[i] == '\'') {
          if (i + 1 < text.size() && text[i + 1] == '\'') {
            codes.push_back('\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        codes.push_back(static_cast<unsigned char>(text[i++]));
      }
      any = true;
    } else if (c == '#') {
      ++i;
      const std::size_t digits = i;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
      if (i == digits) return {};
      codes.push_back(std::stoul(std::string(text.substr(digits, i - digits))));
      any = true;
    } else {
      return {};
    }
  }
  if (!any) return {};
  std::string canonical;
  bool quoted = false;
  for (const unsigned long code : codes) {
    const bool plain = code >= 32 && code < 127 && code != '\'';
    if (plain != quoted) {
      canonical += '\'';
      quoted = plain;
    }
    if (plain)
      canonical += static_cast<char>(code);
    else
      canonical += "#" + std::to_string(code);
  }
  if (quoted) canonical += '\'';
  return canonical;
}

// Where a line's value starts: after "Name = ", or after the indentation of a list item.
std::size_t ValueStart(const std::string& line) {
  const std::size_t equals = line.find(" = ");
  if (equals != std::string::npos && line.find_first_of("'#") > equals) return equals + 3;
  return line.size() - TrimLeft(line).size();
}

std::string WithCanonicalString(const std::string& line) {
  const std::size_t start = ValueStart(line);
  if (start >= line.size() || (line[start] != '\'' && line[start] != '#')) return line;
  const std::string canonical = CanonicalString(std::string_view(line).substr(start));
  return canonical.empty() ? line : line.substr(0, start) + canonical;
}

// Our text: strings joined into one line each (a long string starts on the line after its
// "Name = " or after its list item's indentation, and continues after " +").
std::vector<std::string> NormaliseOurs(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    const bool opens_string = line.ends_with("= ") || (!line.empty() && TrimLeft(line).empty());
    if (opens_string && i + 1 < lines.size()) line += TrimLeft(lines[++i]);
    while (line.ends_with(" +") && i + 1 < lines.size()) line += " " + TrimLeft(lines[++i]);
    result.push_back(WithCanonicalString(line));
  }
  return result;
}

// Free Pascal's text in Delphi's layout (differences 2 to 5 and 7).
std::vector<std::string> NormaliseOracle(const std::vector<std::string>& raw) {
  static const std::regex kEmptyList(R"(\(\s*\)$)");
  static const std::regex kObjectPosition(R"(^(\s*(object|inherited|inline) .*\S)\[(-?\d+)\]$)");
  static const std::regex kItemIndex(R"(^(\s*item)\[(-?\d+)\]$)");
  static const std::regex kHex(R"(^\s*[0-9A-F]+$)");
  std::vector<std::string> result;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    std::string line = TrimRight(raw[i]);
    if (TrimLeft(line) == ")" && !result.empty()) {
      result.back() += ")";
      continue;
    }
    line = std::regex_replace(line, kEmptyList, "()");
    if (line.find(" = ") == std::string::npos) {
      line = std::regex_replace(line, kObjectPosition, "$1 [$3]");
      line = std::regex_replace(line, kItemIndex, "$1 [$2]");
    }
    if (line.ends_with("= {")) {
      std::vector<std::string> hex;
      std::size_t j = i + 1;
      while (j < raw.size() && std::regex_match(raw[j], kHex)) hex.push_back(TrimRight(raw[j++]));
      if (j < raw.size() && TrimLeft(TrimRight(raw[j])) == "}") {
        if (hex.empty()) {
          result.push_back(line + "}");
        } else if (hex.size() == 1 && TrimLeft(hex[0]).size() < 64) {
          result.push_back(line + TrimLeft(hex[0]) + "}");
        } else {
          result.push_back(line);
          hex.back() += "}";
          result.insert(result.end(), hex.begin(), hex.end());
        }
        i = j;
        continue;
      }
    }
    result.push_back(WithCanonicalString(line));
  }
  return result;
}

bool SameNumber(const std::string& ours, const std::string& other) {
  static const std::regex kDelphiFloat(R"(^-?\d+(\.\d+)?(E-?\d+)?$)");
  if (!std::regex_match(ours, kDelphiFloat)) return false;
  const long double a = std::strtold(ours.c_str(), nullptr);
  const long double b = std::strtold(other.c_str(), nullptr);
  if (a == b) return true;
  return std::fabs(a - b) <= 1e-14L * std::fmax(std::fabs(a), std::fabs(b));
}

// Difference 6: Free Pascal's float against ours, on lines otherwise the same. Str writes a
// blank where a negative number has its sign.
// The last item of a list carries the list's ")" (one per list it closes).
bool SameFloat(std::string ours, std::string oracle) {
  while (ours.ends_with(')') && oracle.ends_with(')')) {
    ours.pop_back();
    oracle.pop_back();
  }
  static const std::regex kOracleFloat(
      R"(^(\s*?|.* = )(?: (\d\.\d+E[+-]\d+)|(-\d\.\d+E[+-]\d+))$)");
  std::smatch match;
  if (!std::regex_match(oracle, match, kOracleFloat)) return false;
  const std::string prefix = match[1].str();
  return ours.starts_with(prefix) &&
         SameNumber(ours.substr(prefix.size()), match[2].matched ? match[2].str() : match[3].str());
}

// Delphi XE2 and later write floats with 18 decimals (kLaterDelphi).
bool SameLaterFloat(const std::string& ours, const std::string& delphi) {
  static const std::regex kLaterFloat(R"(^(.* = )(-?\d+\.\d{18})$)");
  std::smatch match;
  return std::regex_match(delphi, match, kLaterFloat) && ours.starts_with(match[1].str()) &&
         SameNumber(ours.substr(match[1].length()), match[2].str());
}

// The first ten of count lines that differ, unless same excuses them.
void ExpectSameLines(const std::vector<std::string>& ours, const std::vector<std::string>& theirs,
                     std::size_t count, std::string_view who,
                     const std::function<bool(const std::string&, const std::string&)>& same) {
  int shown = 0;
  for (std::size_t i = 0; i < count && shown < 10; ++i) {
    const std::string& a = i < ours.size() ? ours[i] : "<end of our text>";
    const std::string& b = i < theirs.size() ? theirs[i] : "<end of their text>";
    if (a == b || same(a, b)) continue;
    ADD_FAILURE() << "line " << i + 1 << "\n  ours: " << a << "\n  " << who << ": " << b;
    ++shown;
  }
}

// Difference 8: a date (a double, never a denormal, infinite or NaN) as the 10 bytes of the
// extended float of the same value.
std::string ExtendedBytes(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t mantissa = exponent == 0 ? 0 : (std::uint64_t{1} << 63) | (fraction << 11);
  const int biased = exponent == 0 ? 0 : exponent - 1023 + 16383;
  const auto sign_exponent = static_cast<std::uint64_t>(biased) | ((bits >> 63) << 15);
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((mantissa >> (8 * i)) & 0xFF);
  for (int i = 0; i < 2; ++i) bytes += static_cast<char>((sign_exponent >> (8 * i)) & 0xFF);
  return bytes;
}

// Rewrites each date value of the property name (its name, type 17, a double) as an
// extended float (type 5); returns how many.
int RewriteDates(std::string& bytes, const std::string& name) {
  const std::string pattern = static_cast<char>(name.size()) + name + '\x11';
  int count = 0;
  for (std::size_t at = bytes.find(pattern); at != std::string::npos;
       at = bytes.find(pattern, at + 1)) {
    const std::size_t value = at + pattern.size();
    if (value + 8 > bytes.size()) break;
    double date;
    std::memcpy(&date, bytes.data() + value, sizeof date);
    bytes.replace(value - 1, 1 + 8, '\x05' + ExtendedBytes(date));
    ++count;
  }
  return count;
}

// The property a line gives a value to.
std::string PropertyOf(const std::string& line) {
  const std::size_t equals = line.find(" = ");
  return equals == std::string::npos ? std::string() : TrimLeft(line.substr(0, equals));
}

// Our conversion of binary against Free Pascal's.
void CompareWithOracle(const fs::path& binary, const TempDir& work) {
  const catalog::FormTextResult ours = ConvertFormToText(ReadFile(binary));
  ASSERT_TRUE(ours.ok) << ours.error;
  ASSERT_TRUE(ours.binary);
  const std::vector<std::string> our_lines = NormaliseOurs(SplitLines(ours.text, true, nullptr));

  static const std::regex kUnsupported(R"(Invalid property type from streamed property: (\d+))");
  std::string input = ReadFile(binary);
  std::set<std::string> date_properties;
  int dates = 0;
  OracleRun oracle;
  std::string tail;
  std::vector<std::string> oracle_lines;
  int type = 0;
  for (int round = 0; round < 16; ++round) {
    const fs::path copy = work / "oracle_input.dfm";
    std::ofstream(copy, std::ios::binary) << input;
    oracle = RunOracle("to-text", copy, work / "oracle.txt");
    ASSERT_TRUE(oracle.ok || oracle.failed) << oracle.messages;
    tail.clear();
    oracle_lines = NormaliseOracle(SplitLines(oracle.output, false, &tail));
    if (oracle.ok) break;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(oracle.messages, match, kUnsupported)) << oracle.messages;
    type = std::stoi(match[1].str());
    ASSERT_TRUE(type == 15 || type == 16 || type == 17) << oracle.messages;
    const std::string property = PropertyOf(tail);
    if (type != 17 || !date_properties.insert(property).second) break;
    const int rewritten = RewriteDates(input, property);
    if (rewritten == 0) break;
    dates += rewritten;
  }

  if (oracle.ok) {
    EXPECT_TRUE(tail.empty());
    EXPECT_EQ(our_lines.size(), oracle_lines.size());
    // Our lines of the rewritten dates, without their suffix.
    std::vector<std::string> compared = our_lines;
    int suffixes = 0;
    for (std::size_t i = 0; i < compared.size() && i < oracle_lines.size(); ++i) {
      if (date_properties.contains(PropertyOf(oracle_lines[i])) && compared[i].ends_with('d') &&
          PropertyOf(compared[i]) == PropertyOf(oracle_lines[i])) {
        compared[i].pop_back();
        ++suffixes;
      }
    }
    EXPECT_EQ(suffixes, dates);
    ExpectSameLines(compared, oracle_lines, std::max(compared.size(), oracle_lines.size()),
                    "Free Pascal (normalised)", SameFloat);
    if (dates > 0) {
      std::cout << binary.filename().string() << ": " << dates
                << " dates given to Free Pascal as extended floats\n";
    }
    return;
  }
  // Free Pascal stopped at a value it cannot write; it had written the property's name,
  // which must be the start of our line there, and our value must be of that type.
  const std::size_t compared = oracle_lines.size();
  ASSERT_LT(compared, our_lines.size());
  ExpectSameLines(our_lines, oracle_lines, compared, "Free Pascal (normalised)", SameFloat);
  const std::string& stopped_at = our_lines[compared];
  EXPECT_TRUE(stopped_at.starts_with(tail)) << stopped_at << " / " << tail;
  EXPECT_TRUE(stopped_at.ends_with(std::string(1, "scd"[type - 15]))) << stopped_at;
  std::cout << binary.filename().string() << ": Free Pascal stops at value type " << type << "; "
            << compared << " of " << our_lines.size() << " lines compared\n";
}

// A text form with a component name in UTF-8 ("ButtonDinâmico"): Free Pascal's
// ObjectTextToResource takes only ASCII identifiers.
const fs::path kUnreadable = "diondcm__exemplos-delphi__4.2.Package-Client-Form.Principal.dfm";
// Delphi XE2 and later write floats with FloatToStrF(ffFixed, 16, 18):
// "43106.420867476850000000", where the older FloatToStr gives "43106.4208674768".
const fs::path kLaterDelphi =
    "diondcm__exemplos-delphi__4.3.Panel.Obrigatorio-Teste-Form.Principal.dfm";
// Free Pascal's ObjectTextToBinary writes "1.5s", "15000c" and "36526.5d" as plain extended
// floats, which come back without the suffix.
const fs::path kSuffixesLost = "suffixed_floats.dfm";

struct FormCase {
  std::string name;
  fs::path path;
  bool text = false;    // a text form: Free Pascal makes the binary first
  bool stream = false;  // the binary without the resource header
};

std::string TestName(const fs::path& path, std::string_view prefix) {
  std::string name(prefix);
  for (const char c : path.stem().string())
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

std::vector<FormCase> Cases() {
  std::vector<FormCase> cases;
  const auto add = [&](const fs::path& dir, std::string_view prefix, bool text) {
    std::error_code error;
    if (!fs::is_directory(dir, error)) return;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".dfm") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      cases.push_back({TestName(file, prefix), file, text,
                       text && file.filename().string().starts_with("stream_")});
    }
  };
  add(kCorpus / "dfm" / "binary", "corpus_binary_", false);
  add(kCorpus / "dfm" / "text", "corpus_text_", true);
  add(kFixtures, "fixture_", true);
  return cases;
}

std::vector<FormCase> TextCases() {
  std::vector<FormCase> cases = Cases();
  std::erase_if(cases, [](const FormCase& form) { return !form.text; });
  return cases;
}

void PrintTo(const FormCase& form, std::ostream* out) { *out << form.path; }

class FormOracleTest : public ::testing::TestWithParam<FormCase> {};
class DelphiTextTest : public ::testing::TestWithParam<FormCase> {};

// The binary the case stands for: the form itself, or the one Free Pascal makes of its text.
fs::path BinaryOf(const FormCase& form, const TempDir& work) {
  if (!form.text) return form.path;
  const fs::path binary = work / "form.bin";
  const OracleRun made = RunOracle(form.stream ? "to-stream" : "to-resource", form.path, binary);
  EXPECT_TRUE(made.ok) << made.messages;
  return binary;
}

TEST_P(FormOracleTest, SameTextAsFreePascal) {
  const FormCase& form = GetParam();
  if (form.path.filename() == kUnreadable) GTEST_SKIP() << "Free Pascal cannot read it";
  TempDir work;
  const fs::path binary = BinaryOf(form, work);
  if (::testing::Test::HasFailure()) return;
  if (form.stream) {
    ASSERT_TRUE(ReadFile(binary).starts_with("TPF0"));
  }
  CompareWithOracle(binary, work);
}

TEST_P(DelphiTextTest, DelphiWrittenText) {
  const FormCase& form = GetParam();
  if (form.path.filename() == kUnreadable) GTEST_SKIP() << "Free Pascal cannot read it";
  if (form.path.filename() == kSuffixesLost) GTEST_SKIP() << "Free Pascal drops the suffixes";
  TempDir work;
  const fs::path binary = BinaryOf(form, work);
  if (::testing::Test::HasFailure()) return;
  const FormTextResult ours = ConvertFormToText(ReadFile(binary));
  ASSERT_TRUE(ours.ok) << ours.error;

  std::string original = ReadFile(form.path);
  if (original.starts_with("\xEF\xBB\xBF")) original.erase(0, 3);
  std::vector<std::string> expected;
  for (std::string& line : SplitLines(original, false, nullptr)) {
    if (line.ends_with('\r')) line.pop_back();
    expected.push_back(std::move(line));
  }
  const std::vector<std::string> lines = SplitLines(ours.text, true, nullptr);
  EXPECT_EQ(lines.size(), expected.size());
  const bool later = form.path.filename() == kLaterDelphi;
  ExpectSameLines(lines, expected, std::min(lines.size(), expected.size()), "Delphi",
                  [later](const std::string& a, const std::string& b) {
                    return later && SameLaterFloat(a, b);
                  });
}

std::string CaseName(const ::testing::TestParamInfo<FormCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Forms, FormOracleTest, ::testing::ValuesIn(Cases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Forms, DelphiTextTest, ::testing::ValuesIn(TextCases()), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FormOracleTest);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DelphiTextTest);

}  // namespace
}  // namespace kx::catalog
