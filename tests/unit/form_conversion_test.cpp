// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/form_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "catalog/form_names.h"
#include "support/nested_form.h"

namespace kx::catalog {
namespace {

std::string Short(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

std::string Le(std::uint64_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Byte(int value) { return std::string(1, static_cast<char>(value)); }

std::string Extended(std::uint64_t mantissa, int sign_exponent) {
  return Byte(5) + Le(mantissa, 8) + Le(static_cast<std::uint64_t>(sign_exponent), 2);
}

// The stream as far as the root's names: the value type of a first property "P" comes at
// offset 19.
std::string Head() { return "TPF0" + Short("TForm1") + Short("Form1"); }

// A form Form1: TForm1 with the given property bytes and child objects.
std::string Form(std::string_view properties, std::string_view children = "") {
  return Head() + std::string(properties) + Byte(0) + std::string(children) + Byte(0);
}

std::string Property(std::string_view name, std::string_view value) {
  return Short(name) + std::string(value);
}

// Lines joined with CRLF, each ended by one.
std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// The text of Form1 with one property line (which may run over several lines).
std::string FormText(std::string_view property_text) {
  return Lines({"object Form1: TForm1", std::string("  P = ") + std::string(property_text), "end"});
}

TEST(FormConversionTest, EveryValueType) {
  const std::string wide = Le(2, 4) + std::string("\x22\x04", 2) + std::string("A\0", 2);
  const std::string utf8 = "Din\xC3\xA2mico";
  const std::string a64(64, 'a');
  const std::string a63(63, 'a');
  std::string data;
  std::string hex;
  for (int i = 0; i < 70; ++i) {
    data += static_cast<char>(i);
    hex += "0123456789ABCDEF"[i >> 4];
    hex += "0123456789ABCDEF"[i & 15];
  }
  std::string wide_e9;
  for (int i = 0; i < 65; ++i) wide_e9 += std::string("\xE9\x00", 2);
  std::string escapes;
  for (int i = 0; i < 64; ++i) escapes += "#233";
  const struct {
    std::string value;
    std::string text;
  } cases[] = {
      {Byte(0), "Null"},
      {Byte(1) + Byte(2) + Byte(1) + Byte(2) + Byte(2) + Byte(0), "(\r\n    1\r\n    2)"},
      {Byte(1) + Byte(0), "()"},
      {Byte(1) + Byte(1) + Byte(2) + Byte(7) + Byte(0) + Byte(8) + Byte(0),
       "(\r\n    (\r\n      7)\r\n    False)"},
      {Byte(2) + Byte(0x80), "-128"},
      {Byte(2) + Byte(0x7F), "127"},
      {Byte(3) + Le(0x8000, 2), "-32768"},
      {Byte(3) + Le(0x1234, 2), "4660"},
      {Byte(4) + Le(0x80000000, 4), "-2147483648"},
      {Byte(4) + Le(100000, 4), "100000"},
      {Byte(19) + Le(0x8000000000000000, 8), "-9223372036854775808"},
      {Byte(19) + Le(5000000000, 8), "5000000000"},
      {Extended(0xC000000000000000, 0x3FFF), "1.5"},
      {Extended(0xCCCCCCCCCCCCCCCD, 0x3FFB), "0.1"},
      {Extended(0xA000000000000000, 0xC000), "-2.5"},
      {Extended(0xAD78EBC5AC620000, 0x4041), "1E20"},
      {Extended(0xB3EAAAAAAAAAAAAB, 0x4004), "44.9791666666667"},
      {Extended(0, 0), "0"},
      {Extended(0x8000000000000000, 0x7FFF), "INF"},
      {Extended(0xC000000000000000, 0xFFFF), "NAN"},
      {Byte(15) + Le(0x3FC00000, 4), "1.5s"},
      {Byte(15) + Le(0x3DCCCCCD, 4), "0.100000001490116s"},
      {Byte(16) + Le(15000, 8), "15000c"},
      {Byte(17) + Le(0x40E1D5D000000000, 8), "36526.5d"},
      {Byte(21) + Le(0x3FE0000000000000, 8), "0.5"},
      {Byte(6) + Short("It's"), "'It'#39's'"},
      {Byte(6) + Short(""), "''"},
      {Byte(6) + Short("a\r\nb\t"), "'a'#13#10'b'#9"},
      {Byte(6) + Short("\xA9 1998"), "'\xA9 1998'"},
      {Byte(12) + Le(5, 4) + "hello", "'hello'"},
      {Byte(18) + wide, "#1058'A'"},
      {Byte(18) + Le(0, 4), "''"},
      {Byte(20) + Le(utf8.size(), 4) + utf8, "'Din'#226'mico'"},
      {Byte(20) + Le(4, 4) + "\xF0\x9F\x98\x80", "#55357#56832"},
      {Byte(20) + Le(3, 4) +
           "a\xFF"
           "b",
       "'a'#255'b'"},
      // Up to 64 characters a string stays on the property's line, longer ones are cut into
      // pieces of 64; an escape counts as one character and the cut may fall between escapes.
      {Byte(6) + Short(a64), "'" + a64 + "'"},
      {Byte(6) + Short(a64 + "b"), "\r\n    '" + a64 + "' +\r\n    'b'"},
      {Byte(6) + Short(a64 + a64 + "c"),
       "\r\n    '" + a64 + "' +\r\n    '" + a64 + "' +\r\n    'c'"},
      {Byte(6) + Short(a63 + "\r\nb"), "\r\n    '" + a63 + "'#13 +\r\n    #10'b'"},
      {Byte(6) + Short(a63 + "'b" + "cd"), "\r\n    '" + a63 + "'#39 +\r\n    'bcd'"},
      {Byte(12) + Le(128, 4) + a64 + a64, "\r\n    '" + a64 + "' +\r\n    '" + a64 + "'"},
      {Byte(18) + Le(65, 4) + wide_e9, "\r\n    " + escapes + " +\r\n    #233"},
      // In a list the string starts one level deeper than its item.
      {Byte(1) + Byte(6) + Short(a64 + "b") + Byte(0),
       "(\r\n    \r\n      '" + a64 + "' +\r\n      'b')"},
      {Byte(7) + Short("clRed"), "clRed"},
      {Byte(8), "False"},
      {Byte(9), "True"},
      {Byte(13), "nil"},
      {Byte(10) + Le(3, 4) + "\x0A\x0B\xFC", "{0A0BFC}"},
      {Byte(10) + Le(0, 4), "{}"},
      {Byte(10) + Le(0xFFFFFFFF, 4), "{}"},
      // From 32 bytes on, binary data goes on lines of its own, 32 bytes to a line.
      {Byte(10) + Le(32, 4) + data.substr(0, 32), "{\r\n    " + hex.substr(0, 64) + "}"},
      {Byte(10) + Le(70, 4) + data, "{\r\n    " + hex.substr(0, 64) + "\r\n    " +
                                        hex.substr(64, 64) + "\r\n    " + hex.substr(128) + "}"},
      {Byte(11) + Short("fsBold") + Short("fsItalic") + Byte(0), "[fsBold, fsItalic]"},
      {Byte(11) + Byte(0), "[]"},
      {Byte(14) + Byte(0), "<>"},
      {Byte(14) + Byte(1) + Property("Width", Byte(2) + Byte(10)) + Byte(0) + Byte(1) + Byte(0) +
           Byte(0),
       "<\r\n    item\r\n      Width = 10\r\n    end\r\n    item\r\n    end>"},
      {Byte(14) + Byte(2) + Byte(3) + Byte(1) + Property("X", Byte(8)) + Byte(0) + Byte(0),
       "<\r\n    item [3]\r\n      X = False\r\n    end>"},
  };
  for (const auto& c : cases) {
    const FormTextResult result = ConvertFormToText(Form(Property("P", c.value)));
    EXPECT_TRUE(result.ok) << c.text << ": " << result.error;
    EXPECT_TRUE(result.binary);
    EXPECT_EQ(result.text, FormText(c.text));
  }
}

TEST(FormConversionTest, ObjectPrefixesAndChildren) {
  const std::string child_body = Byte(0) + Byte(0);
  const struct {
    std::string child;
    std::string line;
  } cases[] = {
      {Short("TPanel") + Short("P"), "  object P: TPanel"},
      {Byte(0xF1) + Short("TPanel") + Short("P"), "  inherited P: TPanel"},
      {Byte(0xF4) + Short("TFrame1") + Short("F"), "  inline F: TFrame1"},
      {Byte(0xF2) + Byte(2) + Byte(3) + Short("TPanel") + Short("P"), "  object P: TPanel [3]"},
      {Byte(0xF3) + Byte(3) + Le(300, 2) + Short("TPanel") + Short("P"),
       "  inherited P: TPanel [300]"},
      {Byte(0xF6) + Byte(2) + Byte(0) + Short("TFrame1") + Short("F"), "  inline F: TFrame1 [0]"},
      // Delphi's order: inherited before inline.
      {Byte(0xF5) + Short("TFrame1") + Short("F"), "  inherited F: TFrame1"},
      {Byte(0xF0) + Short("TPanel") + Short("P"), "  object P: TPanel"},
      {Short("TTimer") + Short(""), "  object TTimer"},
  };
  for (const auto& c : cases) {
    const FormTextResult result = ConvertFormToText(Form("", c.child + child_body));
    ASSERT_TRUE(result.ok) << c.line << ": " << result.error;
    EXPECT_EQ(result.text, Lines({"object Form1: TForm1", c.line, "  end", "end"}));
  }
  // Properties come before children; children nest.
  const std::string grandchild =
      Short("TEdit") + Short("E") + Property("Text", Byte(6) + Short("x")) + Byte(0) + Byte(0);
  const std::string child = Short("TPanel") + Short("P") + Byte(0) + grandchild + Byte(0);
  EXPECT_EQ(ConvertFormToText(Form(Property("Left", Byte(2) + Byte(1)), child)).text,
            Lines({"object Form1: TForm1", "  Left = 1", "  object P: TPanel",
                   "    object E: TEdit", "      Text = 'x'", "    end", "  end", "end"}));
}

TEST(FormConversionTest, ResourceHeaders) {
  const std::string stream = Form(Property("Tag", Byte(2) + Byte(5)));
  const std::string expected = Lines({"object Form1: TForm1", "  Tag = 5", "end"});
  const std::string size = Le(stream.size(), 4);
  const std::string headers[] = {
      "",
      std::string("\xFF\x0A\x00", 3) + "TFORM1" + Byte(0) + Le(0x1030, 2) + size,
      std::string("\xFF\x0A\x00\xFF\x01\x00", 6) + Le(0x1030, 2) + size,
      std::string("\xFF\x0A\x00", 3) + Byte(0) + Le(0, 2) + Le(0, 4),
  };
  for (const std::string& header : headers) {
    const FormTextResult result = ConvertFormToText(header + stream + "trailing bytes");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.text, expected);
  }
}

TEST(FormConversionTest, TextFormsPassThrough) {
  const std::string text = "object Form1: TForm1\r\n  Left = 1\nend\r\n";
  FormTextResult result = ConvertFormToText(text);
  EXPECT_TRUE(result.ok);
  EXPECT_FALSE(result.binary);
  EXPECT_EQ(result.text, text);
  result = ConvertFormToText("\xEF\xBB\xBF" + text);
  EXPECT_EQ(result.text, text);
  EXPECT_TRUE(ConvertFormToText("  Inline Frame1: TFrame1\nend\n").ok);
  EXPECT_TRUE(ConvertFormToText("inherited Form2: TForm2\rend").ok);
}

TEST(FormConversionTest, Errors) {
  const struct {
    std::string bytes;
    std::string error;
  } cases[] = {
      {"", "not a form file"},
      {"hello", "not a form file"},
      {"\n\nobject Form1: TForm1", "not a form file"},
      {"objectives", "not a form file"},
      {std::string("MZ\x90\x00", 4), "not a form file"},
      {"TPF", "not a form file"},
      {Form(Property("P", Byte(22))), "unknown value type 22 at offset 19"},
      {Form(Property("P", Byte(0xFF))), "unknown value type 255 at offset 19"},
      {"TPF0\xF2\x08" + Short("TPanel") + Short("P"), "bad child position at offset 5"},
      {Form(Property("P", Byte(14) + Byte(2) + Byte(1) + Byte(2))),
       "bad collection item at offset 22"},
      {Form(Property("P", Byte(6) + Byte(10) + "abc")), "truncated at offset 20"},
      {Form(Property("P", Byte(12) + Le(0xFFFFFFFF, 4) + "abc")), "truncated at offset 20"},
      {Form(Property("P", Byte(18) + Le(0x80000000, 4) + "abcd")), "truncated at offset 20"},
      {Form(Property("P", Byte(20) + Le(0x7FFFFFFF, 4) + "abcd")), "truncated at offset 20"},
      {Form(Property("P", Byte(10) + Le(0x7FFFFFFF, 4) + "abcd")), "truncated at offset 20"},
      {Head() + Property("P", Byte(5) + "123456789"), "truncated at offset 20"},
      {Head() + Property("P", Byte(17) + "1234567"), "truncated at offset 20"},
      {Head() + "\x05Pr", "truncated at offset 17"},
      {Head() + Property("Pr", ""), "truncated at offset 20"},
      {std::string("\xFF\x0A\x00TFORM1", 9), "truncated at offset 3"},
      {std::string("\xFF\x0A\x00TFORM1\x00\x30\x10", 12), "truncated at offset 10"},
      {std::string("\xFF\x0A\x00TFORM1\x00", 10) + Le(0, 6) + "PK\x03\x04",
       "not a form file: no TPF0 stream after the resource header"},
  };
  for (const auto& c : cases) {
    const FormTextResult result = ConvertFormToText(c.bytes);
    EXPECT_FALSE(result.ok) << c.error;
    EXPECT_EQ(result.error, c.error);
    EXPECT_TRUE(result.text.empty());
  }
}

// A form with a value of every type, two levels of children and a collection.
std::string EveryKindOfForm() {
  const std::string values =
      Property("A", Byte(1) + Byte(2) + Byte(1) + Byte(3) + Le(300, 2) + Byte(0)) +
      Property("B", Byte(4) + Le(70000, 4)) + Property("C", Extended(0xC000000000000000, 0x3FFF)) +
      Property("D", Byte(6) + Short("text")) + Property("E", Byte(7) + Short("clRed")) +
      Property("F", Byte(8)) + Property("G", Byte(9)) + Property("H", Byte(10) + Le(2, 4) + "ab") +
      Property("I", Byte(11) + Short("x") + Byte(0)) + Property("J", Byte(12) + Le(2, 4) + "ok") +
      Property("K", Byte(13)) +
      Property("L", Byte(14) + Byte(1) + Property("M", Byte(2) + Byte(1)) + Byte(0) + Byte(0)) +
      Property("N", Byte(15) + Le(0x3FC00000, 4)) + Property("O", Byte(16) + Le(1, 8)) +
      Property("Q", Byte(17) + Le(0x40E1D5D000000000, 8)) +
      Property("R", Byte(18) + Le(1, 4) + std::string("A\0", 2)) +
      Property("S", Byte(19) + Le(1, 8)) + Property("T", Byte(20) + Le(1, 4) + "u") +
      Property("U", Byte(21) + Le(0x3FE0000000000000, 8));
  const std::string grandchild = Byte(0xF1) + Short("TEdit") + Short("E") + Byte(0) + Byte(0);
  const std::string child = Byte(0xF2) + Byte(2) + Byte(1) + Short("TPanel") + Short("P") +
                            Byte(0) + grandchild + Byte(0);
  return Form(values, child);
}

TEST(FormConversionTest, EveryTruncationIsAnErrorNeverACrash) {
  const std::string stream = EveryKindOfForm();
  ASSERT_TRUE(ConvertFormToText(stream).ok) << ConvertFormToText(stream).error;
  const std::string resource = std::string("\xFF\x0A\x00", 3) + "TFORM1" + Byte(0) + Le(0x1030, 2) +
                               Le(stream.size(), 4) + stream;
  for (const std::string& whole : {stream, resource}) {
    for (std::size_t size = 0; size < whole.size(); ++size) {
      const FormTextResult result = ConvertFormToText(whole.substr(0, size));
      EXPECT_FALSE(result.ok) << size;
      EXPECT_TRUE(result.error.starts_with("truncated at offset ") ||
                  result.error.starts_with("not a form file"))
          << size << ": " << result.error;
    }
  }
}

TEST(FormConversionTest, TheTextOfASmallDeeplyNestedFormIsBounded) {
  EXPECT_TRUE(ConvertFormToText(testing::NestedForm(1000)).ok);
  const std::string big = testing::NestedForm(140000);
  ASSERT_LT(big.size(), 600000u);
  const FormTextResult result = ConvertFormToText(big);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, kFormTextTooLarge);
}

TEST(FormConversionTest, NestingIsBounded) {
  // kMaxFormNesting objects (the root and its descendants) are fine; one more is not.
  const auto nested_objects = [](int depth) {
    std::string bytes = "TPF0";
    for (int i = 0; i < depth; ++i) bytes += Short("TPanel") + Short("P") + Byte(0);
    for (int i = 0; i < depth; ++i) bytes += Byte(0);
    return bytes;
  };
  EXPECT_TRUE(ConvertFormToText(nested_objects(kMaxFormNesting)).ok);
  FormTextResult result = ConvertFormToText(nested_objects(kMaxFormNesting + 1));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.error.starts_with("nesting too deep at offset ")) << result.error;
  EXPECT_FALSE(ConvertFormToText(nested_objects(100000)).ok);

  const auto nested_lists = [](int depth) {
    return Form(Property("P", std::string(static_cast<std::size_t>(depth), '\x01') +
                                  std::string(static_cast<std::size_t>(depth), '\0')));
  };
  EXPECT_TRUE(ConvertFormToText(nested_lists(kMaxFormNesting - 1)).ok);
  EXPECT_FALSE(ConvertFormToText(nested_lists(kMaxFormNesting)).ok);
  result = ConvertFormToText(nested_lists(100000));
  EXPECT_TRUE(result.error.starts_with("nesting too deep")) << result.error;
  // Collections nest through their items' properties.
  std::string collections;
  for (int i = 0; i < 1000; ++i) collections += Byte(14) + Byte(1) + Short("C");
  result = ConvertFormToText(Form(Property("P", collections)));
  EXPECT_TRUE(result.error.starts_with("nesting too deep")) << result.error;
}

TEST(FormConversionTest, LongRunsOfValuesStayLinear) {
  // Many values in one list: the text grows with the input, nothing else does.
  std::string items;
  for (int i = 0; i < 100000; ++i) items += Byte(8);
  const FormTextResult result = ConvertFormToText(Form(Property("P", Byte(1) + items + Byte(0))));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.text.size(),
            FormText("()").size() + 100000 * std::string("\r\n    False").size());
}

// More of FloatToStr's layout than the extended values above show.
TEST(DelphiFloatTextTest, FloatToStrLayout) {
  const struct {
    long double value;
    std::string text;
  } cases[] = {
      {100, "100"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {9.9999999999999999L, "10"},
      {999999999999999.0L, "999999999999999"},
      {1e15L, "1E15"},
      {123456789012345678.0L, "1.23456789012346E17"},
      {12345678901.2345L, "12345678901.2345"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {0.0000442615029219009L, "4.42615029219009E-5"},
      {0.000442615029219009L, "0.000442615029219009"},
      {1.5e-300L, "1.5E-300"},
      {-1e100L, "-1E100"},
      {-std::numeric_limits<long double>::infinity(), "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(DelphiFloatText(c.value), c.text) << c.text;
}

TEST(FormConversionTest, EveryBinaryCorpusFileConverts) {
  const std::filesystem::path corpus = KX_CORPUS_DIR "/dfm/binary";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no form corpus at " << corpus;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const FormTextResult result = ConvertFormToText(bytes);
    ASSERT_TRUE(result.ok) << entry.path() << ": " << result.error;
    EXPECT_TRUE(result.text.starts_with("object ") || result.text.starts_with("inherited "));
    EXPECT_TRUE(result.text.ends_with("\r\nend\r\n"));
    EXPECT_EQ(FirstObjectLine(bytes) + "\r\n", result.text.substr(0, result.text.find('\n') + 1));
    // Every truncation of a real form is refused.
    for (std::size_t size = 0; size < bytes.size(); size += 97) {
      EXPECT_FALSE(ConvertFormToText(std::string_view(bytes).substr(0, size)).ok) << size;
    }
    ++files;
  }
  EXPECT_GT(files, 10);
}

}  // namespace
}  // namespace kx::catalog
