// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/printer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kx::generate {
namespace {

TEST(PrinterTest, BlockStripsSharedIndentationAndSubstitutes) {
  const Vars vars = {{"class", "TMyButton"}, {"value", "$FF $x$ $$"}};
  const struct {
    const char* name;
    std::string_view block;
    std::string text;
  } cases[] = {
      {"indentation shared by all lines goes, the rest stays", R"(
          begin
            Inc(X);
          end;)",
       "begin\n  Inc(X);\nend;\n"},
      {"blank lines come out empty and do not count for the indentation",
       "\n    begin\n\n  \n      Inc(X);\n    end;", "begin\n\n\n  Inc(X);\nend;\n"},
      {"a value is spliced in as it is, a \"$\" in it too", R"(
          procedure $class$.Paint;
          Color := $value$;)",
       "procedure TMyButton.Paint;\nColor := $FF $x$ $$;\n"},
      {"\"$$\" in the template is one \"$\"", "{$$R *.res}", "{$R *.res}\n"},
      {"\" |\" keeps the blanks before it, other trailing blanks go", R"(
          if Ready then |
                |
          a|b
          end; )",
       "if Ready then \n      \na|b\nend;\n"},
      {"one line without breaks", "end.", "end.\n"},
      {"the closing quote on its own line sets the indentation to drop", R"(
            public
              procedure Paint;
          end;
          )",
       "  public\n    procedure Paint;\nend;\n"},
  };
  for (const auto& c : cases) {
    Printer out;
    out.Block(c.block, vars);
    EXPECT_EQ(out.text(), c.text) << c.name;
  }
}

TEST(PrinterTest, UnknownOrUnclosedNameIsAProgrammingError) {
  Printer out;
  EXPECT_THROW(out.Block("x := $missing$;"), std::logic_error);
  EXPECT_THROW(out.Block("x := $open;"), std::logic_error);
  EXPECT_THROW(out.Block("\n      begin\n    end;\n      "), std::logic_error);
}

}  // namespace
}  // namespace kx::generate
