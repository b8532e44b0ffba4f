#include <gtest/gtest.h>

#include "ScriptReading.h"

using namespace ql;
using ql::test::Tokens;

namespace {

struct TCase {
  const char* what;
  std::string script;
  std::string tokens;
};

void RunTable(const std::vector<TCase>& cases) {
  for (const TCase& c : cases) EXPECT_EQ(Tokens(c.script), c.tokens) << c.what;
}

TEST(ScriptTokens, KeywordsNumbersStringsAndTheRest) {
  RunTable({
      {"keywords ignore case", "%%LANGUAGE Name = 'X' %%KwTables gutterfontstyle",
       "%%language name = 'X' %%kwTables GutterFontStyle"},
      {"%%handler is %%handlers", "%%handler %%handlers", "%%handlers %%handlers"},
      {"a keyword does not run on into a name", "names name_ name1 nameS", "?names ?name_ ?name1 ?nameS"},
      {"but stops at other characters", "name=push(pop)", "name = push ( pop )"},
      {"longest keyword wins", "guttercolor gutter GutterFontColor", "guttercolor gutter GutterFontColor"},
      {"every symbol", "=()[],+-?|*", "= ( ) [ ] , + - ? | *"},
      {"numbers are unsigned decimal, modulo 2^32", "0 007 4294967295 4294967296 4294967301", "0 7 4294967295 0 5"},
      {"no sign, no hexadecimal", "-5 0x1F", "- 5 0 ?x1F"},
      {"digits end a number, letters an identifier", "12ab x12 _a", "12 ?ab ?x12 ?_a"},
      {"other characters", "/x @ ~ %", "#$2f ?x #$40 #$7e #$25"},
      {"blanks: space, tab, 160", " \t\xa0" "1", "1"},
      {"a NUL byte is an ordinary character", std::string("1\0" "2", 3), "1 #$00 2"},
      {"comments", "1 /* 2 \r\n 3 */ 4 // 5 \r\n 6 /* 7", "1 4 6"},
      {"comments do not nest", "/* /* */ 1 */", "1 * #$2f"},
      {"unknown directives are characters", "#foo #Define #", "#$23 ?foo #$23 ?Define #$23"},
  });
}

TEST(ScriptTokens, StringLiteralsKeepTheirRawText) {
  RunTable({
      {"escaped quote does not end", R"('it\'s' 'a\\' 1)", R"('it\'s' 'a\\' 1)"},
      {"continuation drops the break and the indent", "'a\\\r\n   b'", "'ab'"},
      {"a backslash first on the new line keeps the indent", "'a\\\r\n   \\  b'", "'a  b'"},
      {"continuation skips blank lines", "'a\\\r\n\r\n\t\xa0" "b'", "'ab'"},
      {"an escaped backslash before a break is no continuation", "'a\\\\\r\nb'", "'a\\\\\r\nb'"},
      {"a line break without backslash stays", "'a\r\nb'", "'a\r\nb'"},
      {"the end of the text ends a literal", "'abc", "'abc'"},
      {"a backslash at the very end", "'abc\\", "'abc\\'"},
      {"empty", "'' 1", "'' 1"},
  });
}

TEST(ScriptTokens, LoneLineFeedsAreLineBreaks) {
  // A script saved with LF line ends reads exactly like the CR LF one.
  const std::string crlf = "#define X 5\r\n// note\r\n%%map X 1 'a\\\r\n  b'\r\n";
  const std::string lf = "#define X 5\n// note\n%%map X 1 'a\\\n  b'\n";
  EXPECT_EQ(Tokens(crlf), "%%map 5 1 'ab'");
  EXPECT_EQ(Tokens(lf), Tokens(crlf));
  EXPECT_EQ(Tokens("1 //x\n\n2"), "1 2");
}

TEST(ScriptTokens, MacrosExpandInPlace) {
  RunTable({
      {"a definition is read in place of its name", "#define X 5\r\n%%map X 1", "%%map 5 1"},
      {"names ignore case", "#define Xy 5\r\nxY XY", "5 5"},
      {"values may use macros", "#define A B ?\r\n#define B 1\r\nA", "1 ?"},
      {"a definition replaces a keyword", "#define name 7\r\nname", "7"},
      {"value is the rest of the line, trailing blanks cut", "#define V   2 +  \t\r\nV V", "2 + 2 +"},
      {"a comment on the line belongs to the value", "#define V 1 // x\r\nV 2", "1 2"},
      {"an empty value", "#define E\r\n1 E 2", "1 2"},
      {"operands may follow on later lines", "#define\r\n /* c */ Q 3\r\nQ", "3"},
      {"a value equal to the name is not stored", "#define X x\r\nX", "?X"},
      {"a later definition replaces an earlier one", "#define X 1\r\n#define X 2\r\nX", "2"},
      {"directives inside a value run", "#define D #define Y 4\r\nD Y", "4"},
      {"redefinition while the old value is read", "#define A #define A 2\r\nA A", "2"},
      {"no expansion inside strings", "#define X 5\r\n'X'", "'X'"},
      {"predefined symbols", "clRed fsBold caUNDO F12 __DEFAULT_OPTIONS None __opt_wordwrap _use_ __STD_C_STRING_SQ",
       "255 0 41 123 67099632 0 1024 1 20"},
  });
}

TEST(ScriptTokens, ConditionalsSkipFalseBranches) {
  RunTable({
      {"nested, outer false: everything up to the outer #endif",
       "#ifdef A\r\n#ifdef B\r\n1\r\n#else\r\n2\r\n#endif\r\n3\r\n#endif\r\n4", "4"},
      {"nested, outer true", "#define A\r\n#ifdef A\r\n#ifdef B\r\n1\r\n#else\r\n2\r\n#endif\r\n3\r\n#endif\r\n4",
       "2 3 4"},
      {"#ifndef", "#ifndef ver200 1 #else 2 #endif #ifndef nope 3 #endif", "2 3"},
      {"#ifndef in a false branch reads no name and keeps skipping",
       "#ifdef NOPE\r\n#ifndef\r\n1\r\n#endif\r\n2\r\n#else\r\n3\r\n#endif", "3"},
      {"#define in a false branch has no effect", "#ifdef NOPE\r\n#define Q 9\r\n#endif\r\nQ", "?Q"},
      {"#include in a false branch is ignored", "#ifdef NOPE #include \"/no/such/file\" #endif 1", "1"},
      {"no expansion while skipping", "#define M #endif\r\n#ifdef NOPE M 1 #endif 2", "2"},
      {"no string is formed while skipping", "#ifdef NOPE %%map 'x #endif 5", "5"},
      {"a macro opens a conditional", "#define IF #ifdef NOPE\r\nIF 1 #endif 2", "2"},
  });
}

TEST(ScriptTokens, TokenPositionsCountLinesAndColumns) {
  const std::string script = "%%map\r\n  /* a\r\n b\r\n */ 12 'x\\\r\n y' z";
  TMemoryView in(script);
  TSYM_Compiler r(in, "");
  ASSERT_EQ(r.GetToken(), tkSecMap);
  EXPECT_EQ(r.Token(), tkSecMap);
  EXPECT_EQ(r.TokenLine(), 0);
  EXPECT_EQ(r.TokenColumn(), 0);
  ASSERT_EQ(r.GetToken(), tkNumber);
  EXPECT_EQ(r.NumberValue(), 12u);
  EXPECT_EQ(r.TokenLine(), 3);  // the comment spanned three lines: two more
  EXPECT_EQ(r.TokenColumn(), 4);
  ASSERT_EQ(r.GetToken(), tkString);
  EXPECT_EQ(r.StringValue(), "xy");
  EXPECT_EQ(r.Line(), 4);  // the continuation's line break counts
  EXPECT_EQ(r.Column(), 3);
  EXPECT_EQ(r.NextToken(), tkUnknownIdentifier);
  EXPECT_EQ(r.UnknownIdentifier(), "z");
  EXPECT_EQ(r.NextToken(), tkEndOfInput);
  EXPECT_EQ(r.NextToken(), tkEndOfInput);
}

TEST(ScriptTokens, DecodeStringEscapes) {
  const struct {
    std::string raw;
    std::string value;
  } cases[] = {
      {R"(\x41\101\n)", "AA\r"},
      {R"(\b\e\n\r\s\t)", "\b\x1b\r\n \t"},
      {R"(\B\E\N\R\S\T\X41)", "\b\x1b\r\n \tA"},
      {R"(\q\\\')", "q\\'"},
      {R"(abc\)", "abc"},
      {R"(\x)", std::string(1, '\0')},
      {R"(\x4142)", "B"},                     // as many digits as follow; low 8 bits
      {R"(\777)", "\xff"},
      {R"(\0008)", std::string("\0" "8", 2)},  // octal stops at 8
      {R"(\xffffffffffffffff41)", "A"},      // long escapes wrap without overflow
      {R"(\7777777777777777777101)", "A"},
  };
  for (const auto& c : cases) EXPECT_EQ(TSYM_Compiler::DecodeString(c.raw), c.value) << c.raw;
}

}  // namespace
