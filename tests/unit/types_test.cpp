// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/types.h"

#include <gtest/gtest.h>

#include "catalog/type_classes.h"

namespace kx::model {
namespace {

TEST(TypeClassesTest, SimpleAndStringTypes) {
  using S = SuggestionKind;
  const struct {
    const char* type;
    bool simple, string;
    SuggestionKind suggestion;
  } cases[] = {
      {"Integer", true, false, S::kInteger},
      {"longint", true, false, S::kInteger},
      {"WORD", false, false, S::kInteger},
      {"String", true, true, S::kString},
      {"string[20]", true, true, S::kNone},
      {"ShortString", true, false, S::kNone},
      {"TColor", true, false, S::kColor},
      {"Extended", false, false, S::kReal},
      {"Real", true, false, S::kReal},
      {"TAlign", false, false, S::kAlign},
      {"TAlignment", false, false, S::kAlignment},
      {"Boolean", true, false, S::kBoolean},
      {"Str", false, false, S::kNone},
      {"", false, false, S::kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSimpleType(c.type), c.simple) << c.type;
    EXPECT_EQ(IsStringType(c.type), c.string) << c.type;
    EXPECT_EQ(ValueSuggestionKind(c.type), c.suggestion) << c.type;
  }
}

TEST(TypeEntryKeyTest, FirstKeyMustBeALetter) {
  EXPECT_EQ(TypeEntryKey("", '1'), std::nullopt);
  EXPECT_EQ(TypeEntryKey("", '_'), std::nullopt);
  EXPECT_EQ(TypeEntryKey("", 's'), 'S');
  EXPECT_EQ(TypeEntryKey("S", 't'), 't');
  EXPECT_EQ(TypeEntryKey("S", '1'), '1');
  EXPECT_EQ(TypeEntryKey("S", '_'), '_');
  EXPECT_EQ(TypeEntryKey("S", '['), std::nullopt);
  EXPECT_EQ(TypeEntryKey("", '\b'), '\b');
  EXPECT_EQ(TypeEntryKey("", '\xE9'), std::nullopt);
}

TEST(ValueKeysTest, NumbersAcceptExponentsAndRealsAPoint) {
  for (char key : std::string("1E3e+-\b")) {
    EXPECT_TRUE(AcceptsValueKey(SuggestionKind::kInteger, key)) << key;
    EXPECT_TRUE(AcceptsValueKey(SuggestionKind::kReal, key)) << key;
  }
  EXPECT_FALSE(AcceptsValueKey(SuggestionKind::kInteger, '.'));
  EXPECT_TRUE(AcceptsValueKey(SuggestionKind::kReal, '.'));
  EXPECT_FALSE(AcceptsValueKey(SuggestionKind::kInteger, 'x'));
  EXPECT_FALSE(AcceptsValueKey(SuggestionKind::kReal, ' '));
  EXPECT_TRUE(AcceptsValueKey(SuggestionKind::kColor, 'x'));
  EXPECT_TRUE(AcceptsValueKey(SuggestionKind::kNone, '.'));
}

TEST(ValueSuggestionsTest, TheListChangesOnlyWithTheKind) {
  ValueSuggestions values;
  EXPECT_TRUE(values.FollowType("Integer"));
  EXPECT_EQ(values.values(), std::vector<std::string>{"0"});
  EXPECT_FALSE(values.FollowType("LONGINT")) << "same kind keeps the list";
  EXPECT_FALSE(values.FollowType("longint"));
  EXPECT_TRUE(values.FollowType("TAlign"));
  EXPECT_EQ(values.values().front(), "alBottom") << "the offered list is sorted";
  EXPECT_TRUE(values.FollowType("string[10]"));
  EXPECT_TRUE(values.values().empty());
  EXPECT_FALSE(values.FollowType("MyType"));
}

TEST(TidyStringDefaultTest, QuotesOnlyUnquotedStringDefaults) {
  const struct {
    const char* type;
    const char* value;
    const char* stored;
  } cases[] = {
      {"String", "Hello", "'Hello'"},
      {"string[8]", "abc", "'abc'"},
      {"String", "'half", "'half"},
      {"String", "half'", "half'"},
      {"String", "", ""},
      {"Integer", "Hello", "Hello"},
      {"ShortString", "Hello", "Hello"},
  };
  for (const auto& c : cases) EXPECT_EQ(TidyStringDefault(c.type, c.value), c.stored) << c.value;
}

TEST(CheckValueOfTypeTest, RefusesOnlyWhatTheTypeCannotHold) {
  const struct {
    const char* type;
    const char* value;
    bool fits;
  } cases[] = {
      {"Integer", "500e", false},
      {"Integer", "500", true},
      {"integer", " -5 ", true},
      {"Integer", "$7FFFFFFF", true},
      {"Integer", "2147483648", false},
      {"Integer", "1.5", false},
      {"Integer", "'5'", false},
      {"Integer", "[1]", false},
      {"Integer", "True", false},
      {"Integer", "MaxInt", true},  // a constant
      {"Integer", "-MaxInt div 2", true},
      {"Word", "65535", true},
      {"Word", "-1", false},
      {"Byte", "256", false},
      {"Boolean", "True", true},
      {"Boolean", "1", false},
      {"Boolean", "'True'", false},
      {"Double", "1.5E-3", true},
      {"Real", "2", true},
      {"Real", "500e", false},
      {"Real", "1.2.3", false},
      {"TColor", "clRed", true},
      {"TColor", "$00FF00", true},
      {"TColor", "'red'", false},
      {"TAlign", "alClient", true},
      {"TAlign", "2", false},
      {"String", "'text'", true},
      {"TMyRecord", "500e", true},  // a type the system does not know
      {"Integer", "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckValueOfType(c.type, c.value).empty(), c.fits) << c.type << " " << c.value;
  }
  EXPECT_EQ(CheckValueOfType("Integer", "500e"), "\"500e\" is not a value of type Integer");
}

TEST(InitialValueTest, ByTypeAndCatalogue) {
  const struct {
    const char* type;
    const char* value;
  } cases[] = {
      {"boolean", "False"}, {"Byte", "0"},       {"DOUBLE", "0"},      {"TColor", "clWhite"},
      {"Char", "#0"},       {"String[5]", "''"}, {"AnsiString", "''"}, {"TStringList", "nil"},
      {"TEdit", "nil"},     {"Word", ""},        {"TMyThing", ""},     {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(catalog::InitialValueOfType(c.type), c.value) << c.type;
}

std::vector<std::string> Texts(const std::vector<PropSpecialType>& kinds) {
  std::vector<std::string> texts;
  for (PropSpecialType kind : kinds) texts.emplace_back(SpecialKindText(kind));
  return texts;
}

TEST(SpecialKindsTest, OfferedForKnownAndUnknownTypes) {
  const std::vector<std::string> index = {"Index with [I : Longint]", "Index with [I, J : Longint]",
                                          "Index with [S : String]"};
  auto with_index = [&](std::vector<std::string> head) {
    head.insert(head.end(), index.begin(), index.end());
    return head;
  };
  const struct {
    const char* type;
    std::vector<std::string> offered;
  } cases[] = {
      {"", {"None"}},
      {"Integer", with_index({"None"})},
      {"TEdit",
       with_index({"Object type (value to be assigned)", "Component type (component link)"})},
      {"tfont",
       with_index({"Object type (auto create and free)", "Object type (value to be assigned)"})},
      {"TUnknown",
       with_index({"None", "Object type (auto create and free)",
                   "Object type (value to be assigned)", "Component type (component link)"})},
      {"Word",
       with_index({"None", "Object type (auto create and free)",
                   "Object type (value to be assigned)", "Component type (component link)"})},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts(catalog::OfferedSpecialKinds(c.type)), c.offered) << c.type;
}

TEST(SpecialKindsTest, ReselectsThePreviousChoiceWhileOffered) {
  using enum PropSpecialType;
  SpecialKindChoice choice;
  choice.SetDataType("TFont", catalog::ClassifyType("TFont"));
  choice.SetSelection(psObjectAutoCreate);
  choice.SetDataType("TBitmap", catalog::ClassifyType("TBitmap"));
  EXPECT_EQ(choice.selection(), psObjectAutoCreate);
  choice.SetDataType("Integer", catalog::ClassifyType("Integer"));
  EXPECT_EQ(choice.selection(), std::nullopt);
  // A stored kind the type would not offer is still shown, added to the list.
  choice.SetSelection(psLinkComponent);
  EXPECT_EQ(choice.offered().back(), psLinkComponent);
  EXPECT_EQ(choice.selection(), psLinkComponent);
  choice.SetDataType("", {});
  EXPECT_EQ(choice.selection(), psNone);
  EXPECT_EQ(SpecialKindFromText("Index with [S : String]"), psIndexedString);
  EXPECT_EQ(SpecialKindFromText("none"), std::nullopt);
}

TEST(DefaultSpecialKindTest, FollowsTheCatalogue) {
  using enum PropSpecialType;
  const struct {
    const char* type;
    bool inherited;
    PropSpecialType kind;
  } cases[] = {
      {"tstringfield", false, psObjectManualCreate},
      {"TStringField", true, psNone},
      {"TWordField", false, psObjectManualCreate},
      {"TEdit", false, psLinkComponent},
      {"TTimer", false, psLinkComponent},
      {"TFont", false, psObjectAutoCreate},
      {"TStringList", false, psObjectAutoCreate},
      {"Integer", false, psNone},
      {"TFont", true, psNone},
  };
  for (const auto& c : cases) {
    PropertyPart p;
    p.PropType = c.type;
    p.Inherited = c.inherited;
    EXPECT_EQ(catalog::DefaultSpecialKind(p), c.kind) << c.type;
  }
}

TEST(CopyrightTest, LinesAndTidying) {
  std::vector<std::string> offered = CopyrightLines(2026);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0], "Copyright \xA9 2026 by ...");
  EXPECT_EQ(offered[1], "A public domain component by ...");
  EXPECT_EQ(TidyCopyrightEntry(offered, "  (c) Me  "), "(c) Me");
  EXPECT_EQ(TidyCopyrightEntry(offered, "(c) Me"), "(c) Me");
  EXPECT_EQ(TidyCopyrightEntry(offered, "   "), "");
  EXPECT_EQ(offered.size(), 3u);
  EXPECT_EQ(offered.back(), "(c) Me");
}

TEST(OfferedDataTypesTest, ListsDifferForPropertiesAndVariables) {
  const auto& for_properties = OfferedDataTypes(true);
  const auto& elsewhere = OfferedDataTypes(false);
  EXPECT_TRUE(std::is_sorted(for_properties.begin(), for_properties.end()));
  EXPECT_TRUE(std::is_sorted(elsewhere.begin(), elsewhere.end()));
  EXPECT_NE(std::find(for_properties.begin(), for_properties.end(), "TStrings"),
            for_properties.end());
  EXPECT_EQ(std::find(for_properties.begin(), for_properties.end(), "TTimer"),
            for_properties.end());
  EXPECT_NE(std::find(elsewhere.begin(), elsewhere.end(), "TTimer"), elsewhere.end());
}

}  // namespace
}  // namespace kx::model
