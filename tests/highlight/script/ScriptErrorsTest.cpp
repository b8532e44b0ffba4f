#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "ScriptReading.h"

using namespace ql;
using ql::test::FirstError;

namespace {

TEST(ScriptErrors, MessagesCarryLineAndColumn) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%language\r\n  foo", "** ERROR near line 2, Column 3: Identifier \"foo\" Unknown"},
      {"%%map 1 1\r\n#foo", "** ERROR near line 2, Column 1: Unknown character in input stream: #$23"},
      {"name`", "** ERROR near line 1, Column 5: Unknown character in input stream: #$60"},
      {"1 /*\r\n\r\n*/ ^", "** ERROR near line 3, Column 4: Unknown character in input stream: #$5e"},
      {"1\n2\n  $", "** ERROR near line 3, Column 3: Unknown character in input stream: #$24"},
      {"'abc\\\r\n   d' @", "** ERROR near line 2, Column 7: Unknown character in input stream: #$40"},
      // Characters of a macro's value do not move the column.
      {"#define X 5\r\nX X ~", "** ERROR near line 2, Column 5: Unknown character in input stream: #$7e"},
      {"#define M 1 ~\r\nM", "** ERROR near line 2, Column 2: Unknown character in input stream: #$7e"},
      {"#define A B\r\n#define B A\r\nA", "** ERROR near line 3, Column 2: Recursive expansion of macro 'a'"},
      {"#define Self self 1\r\nSELF", "** ERROR near line 2, Column 5: Recursive expansion of macro 'self'"},
      {"ver200", "** ERROR near line 1, Column 7: Recursive expansion of macro 'ver200'"},
      {"#define 5", "** ERROR near line 1, Column 9: Macro name expected"},
      {"#define", "** ERROR near line 1, Column 8: Macro name expected"},
      {"#ifdef\r\n\r\n 'x'", "** ERROR near line 3, Column 2: Macro name expected after #ifdef"},
      {"#ifndef 1", "** ERROR near line 1, Column 9: Macro name expected after #ifdef"},
      {"#include x", "** ERROR near line 1, Column 10: #include filename not enclosed in \"...\" or <...>"},
      {"#include", "** ERROR near line 1, Column 9: #include filename not enclosed in \"...\" or <...>"},
      {"#include \"abc\r\n", "** ERROR near line 1, Column 14: #include filename missing terminating \""},
      {"#include <abc", "** ERROR near line 1, Column 14: #include filename missing terminating >"},
      {"#include \"/no/such/file.inc\"",
       "** ERROR near line 1, Column 10: Unable to open #include file \"/no/such/file.inc\""},
      {"#include \"/dev/zero\"", "** ERROR near line 1, Column 10: Unable to open #include file \"/dev/zero\""},
      {"%%map 1 1\r\n#else", "** ERROR near line 2, Column 1: #else without matching #ifdef or #ifndef"},
      {"#endif", "** ERROR near line 1, Column 1: #endif without matching #ifdef or #ifndef"},
      {"#ifdef A #endif #endif", "** ERROR near line 1, Column 17: #endif without matching #ifdef or #ifndef"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstError(c.script), c.message) << c.script;
}

TEST(ScriptErrors, AnErrorNamesItsPartsSeparately) {
  const std::string script = "1\r\n  ;";
  TMemoryView in(script);
  TSYM_Compiler r(in, "");
  EXPECT_EQ(r.GetToken(), tkNumber);
  try {
    r.GetToken();
    FAIL() << "no error";
  } catch (const EInkMemo& e) {
    const auto* error = dynamic_cast<const ESYM_COMP_ERROR*>(&e);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Line, 2);
    EXPECT_EQ(error->Column, 3);
    EXPECT_EQ(error->Reason, "Unknown character in input stream: #$3b");
  }
  EXPECT_THROW(r.CompileError("Script syntax error"), ESYM_COMP_ERROR);
  EXPECT_EQ(FirstError("%%language name = 'x' /* all well */"), "");
}

// Reads every token of script and returns the bare reason of the error it ends in.
std::string FailureReason(const std::string& script) {
  TMemoryView in(script);
  TSYM_Compiler reader(in, "");
  try {
    while (reader.NextToken() != tkEndOfInput) {
    }
  } catch (const ESYM_COMP_ERROR& e) {
    return e.Reason;
  }
  return "";
}

TEST(ScriptErrors, NestingAndExpansionAreBounded) {
  // Each level doubles the text: unbounded, this would expand to 2^24 copies of A0.
  std::string bomb = "#define A0 /*" + std::string(1 << 16, 'x') + "*/ 1\r\n";
  for (int i = 1; i <= 24; ++i) bomb += Format("#define A%d A%d A%d\r\n", i, i - 1, i - 1);
  EXPECT_EQ(FailureReason(bomb + "A24"), msgExpansionTooLarge);

  std::string chain = "#define M0 1\r\n";
  for (int i = 1; i <= 100; ++i) chain += Format("#define M%d M%d\r\n", i, i - 1);
  EXPECT_EQ(FailureReason(chain + "M50"), "");
  EXPECT_EQ(FailureReason(chain + "M100"), msgExpansionTooDeep);

  std::string conditions;
  for (int i = 0; i < 1000; ++i) conditions += "#ifdef ver200 ";
  EXPECT_EQ(FailureReason(conditions), msgConditionsTooDeep);
  EXPECT_EQ(FailureReason(conditions.substr(0, 14 * 200)), "");  // left open: not an error

  const std::string parens = "(((";
  TMemoryView in(parens);
  TSYM_Compiler reader(in, "");
  std::function<void()> nested = [&] {
    TSYM_Compiler::TNestingGuard guard(reader, "Expression nested too deeply");
    nested();
  };
  try {
    nested();
    FAIL() << "no error";
  } catch (const ESYM_COMP_ERROR& e) {
    EXPECT_EQ(e.Reason, "Expression nested too deeply");
  }
  TSYM_Compiler::TNestingGuard again(reader, "unused");  // levels were released on the way out
}

// Scripts made of the reader's syntax cut into random pieces: each one reads to its end or to a
// compile error, whatever the order of the pieces.
TEST(ScriptErrors, RandomScriptsEndInTokensOrAnError) {
  const std::string pieces[] = {
      "#define ", "#ifdef ", "#ifndef ", "#else", "#endif", "#include ", "#", "A", "B", "A B",
      "x",        "1",       " ",       "\r",    "\n",     "\r\n",      "'", "\\", "/*", "*/",
      "//",       "/",       "\"",      "<",     ">",      "%%map",     "name", "\xa0", std::string(1, '\0'),
      "\\x4",     "\\7",     "#define A A B\r\n", "#define B #ifdef A\r\n", "#include <.>", "ver200"};
  std::mt19937 random(1234);
  for (int n = 0; n < 3000; ++n) {
    std::string script;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) script += pieces[random() % std::size(pieces)];
    TMemoryView in(script);
    try {
      TSYM_Compiler reader(in, "/nonexistent");
      int tokens = 0;
      for (TTokenCode t; (t = reader.NextToken()) != tkEndOfInput; ++tokens) {
        if (t == tkString) reader.StringValue();
        ASSERT_LT(tokens, 1 << 20) << script;
      }
    } catch (const ESYM_COMP_ERROR&) {
    }
  }
}

}  // namespace
