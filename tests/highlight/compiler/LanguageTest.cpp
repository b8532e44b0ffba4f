// The compile driver, expressions and sets, and the %%language section.
#include <gtest/gtest.h>

#include "CompilerTesting.h"

using namespace ql;
using ql::test::At;
using ql::test::Compile;
using ql::test::ErrorOf;

namespace {

TEST(Language, NameAloneCompilesWithStartStatesAsContext) {
  auto c = Compile("%%language\r\nname = 'X'");
  EXPECT_EQ(c.Settings->LanguageName, "X");
  for (int v = 0; v < 256; ++v) EXPECT_EQ(c.Tables->ContextSets[v], TByteSet{0}) << v;
  EXPECT_EQ(c.Tables->Anchor, TByteSet{0});
  EXPECT_EQ(c.Tables->StartStates, TByteSet{0});
  EXPECT_TRUE(c.Tables->Bound.Empty());
  EXPECT_FALSE(c.Tables->HasStateTables());
  EXPECT_EQ(c.Line, 1);
  EXPECT_EQ(c.Column, 10);
}

TEST(Language, ExpressionsEvaluateLeftToRightWithWrapping) {
  const struct {
    const char* expression;
    uint32_t value;
  } cases[] = {
      {"__DEFAULT_OPTIONS + __OPT_WORDWRAP - __OPT_SMART_FILL", 67099632u + 1024u - 16777216u},
      {"2 + 3 or 4", 5},
      {"(1 + (2 or 8)) - 20", static_cast<uint32_t>(-9)},
      {"4294967295 + 2", 1},
      {"2147483647 + 1", 0x80000000u},
      {"0 - 2147483647 - 5", 0x7FFFFFFCu},
      {"99999999999", static_cast<uint32_t>(99999999999ull)},
      {"((((7))))", 7},
  };
  for (const auto& t : cases) {
    auto c = Compile(std::string("%%language options = ") + t.expression);
    EXPECT_EQ(c.Settings->Options, t.value) << t.expression;
  }
}

TEST(Language, EveryDirectiveReachesTheSettings) {
  auto c = Compile(
      "%%language\r\n"
      "name = 'A language whose name runs past thirty-five characters'\r\n"
      "case = __sensitive\r\n"
      "options = __OPT_LINE_NUMBERS\r\n"
      "exampletext = 'one\\ntwo'\r\n"
      "wordwrapcolumn = 72  gutter = _default_gutter + 1  indentstep = 20\r\n"
      "wrapoverride = '#;'  rightmargin = 100  fontname = 'Mono'  fontsize = 12\r\n"
      "fontcharset = RUSSIAN_CHARSET  tabcolumns = ' ;5;9  17 '  tabdefault = 8\r\n"
      "seltextcolor = [*] clRed  seltextback = [] clBlue  guttercolor = [*] clGray\r\n"
      "margincolor = clLime  marginwidth = 6\r\n"
      "GutterFontName = 'Tahoma'  GutterFontSize = 7  GutterFontColor = clNavy\r\n"
      "GutterFontStyle [fsBold, fsUnderline, 9]\r\n");
  const TSM_Settings& s = *c.Settings;
  EXPECT_EQ(s.LanguageName, "A language whose name runs past thi");
  EXPECT_TRUE(c.Tables->Keywords.CaseSensitive());
  EXPECT_EQ(s.Options, 1u);
  EXPECT_EQ(s.ExampleText, "one\rtwo");
  EXPECT_EQ(s.WrapAtColumn, 72);
  EXPECT_EQ(s.Gutter, 35);
  EXPECT_EQ(s.IndentStep, 20);
  EXPECT_EQ(s.WrapOverride, "#;");
  EXPECT_EQ(s.RightMargin, 100);
  EXPECT_EQ(s.FontName, "Mono");
  EXPECT_EQ(s.FontSize, 12);
  EXPECT_EQ(s.FontCharSet, 204);
  EXPECT_EQ(s.TabColumnsText(), "5 9 17");
  EXPECT_EQ(s.GetTabColumn(0), 4);
  EXPECT_EQ(s.TabDefault, 8);
  EXPECT_EQ(s.SelTextColor, 255u);
  EXPECT_TRUE(s.UseDefSelTextColor);
  EXPECT_EQ(s.SelTextBack, 16711680u);
  EXPECT_FALSE(s.UseDefSelTextBack);
  EXPECT_EQ(s.GutterColor, 8421504u);
  EXPECT_TRUE(s.UseDefGutterColor);
  EXPECT_EQ(s.MarginColor, 65280u);
  EXPECT_FALSE(s.UseDefMarginColor);
  EXPECT_EQ(s.Margin, 6);
  EXPECT_EQ(s.GutterFont().Name, "Tahoma");
  EXPECT_EQ(s.GutterFont().Size, 7);
  EXPECT_EQ(s.GutterFont().Color, 8388608u);
  EXPECT_EQ(s.GutterFont().Style, 0x05);  // bits 0 and 2; 9 is ignored
}

TEST(Language, StateSetDirectives) {
  const struct {
    const char* directives;
    TByteSet anchor, start, bound;
  } cases[] = {
      {"", {0}, {0}, {}},
      {"anchor = [ ]", {0}, {0}, {}},
      {"anchor = [3, 4]  anchor = 5", {5}, {0}, {}},
      {"startstate = [5]", {0}, {5}, {}},
      {"startstate = 5", {0}, {0, 5}, {}},
      {"startstate = []", {0}, {}, {}},
      {"startstate = [1] startstate = 2", {0}, {1, 2}, {}},
      {"boundstates = 3  boundstates = 4", {0}, {0}, {3, 4}},
      {"boundstates = 3  boundstates = [1 2]", {0}, {0}, {1, 2}},
  };
  for (const auto& t : cases) {
    auto c = Compile(std::string("%%language ") + t.directives);
    EXPECT_EQ(c.Tables->Anchor, t.anchor) << t.directives;
    EXPECT_EQ(c.Tables->StartStates, t.start) << t.directives;
    EXPECT_EQ(c.Tables->Bound, t.bound) << t.directives;
  }
}

TEST(Language, ContextStatesGiveEachGroupItsSetAndTheRestTheStartStates) {
  auto c = Compile("%%language startstate = [7]\r\ncontextstates = (1, 2 [3, 4]), (5 6), (9 [])");
  const TCompiledTables& t = *c.Tables;
  EXPECT_EQ(t.ContextSets[1], (TByteSet{3, 4}));
  EXPECT_EQ(t.ContextSets[2], (TByteSet{3, 4}));
  EXPECT_EQ(t.ContextSets[5], TByteSet{7});
  EXPECT_EQ(t.ContextSets[9], TByteSet{7});
  EXPECT_EQ(t.ContextSets[0], TByteSet{7});
  EXPECT_EQ(t.ContextSets[255], TByteSet{7});
}

TEST(Language, EditableStylesFillFreeSlotsUpToFifty) {
  auto c = Compile(
      "%%language editablestyles ('Plain', 0), ('A name of more than twenty-five', 255)\r\n"
      "editablestyles ('Third', 2 + 1)");
  EXPECT_EQ(c.Settings->GetEditableStyle(1).Name, "Plain");
  EXPECT_EQ(c.Settings->GetEditableStyle(2).Name, "A name of more than twent");
  EXPECT_EQ(c.Settings->GetEditableStyle(2).Style, 255);
  EXPECT_EQ(c.Settings->GetEditableStyle(3).Name, "Third");
  EXPECT_EQ(c.Settings->GetEditableStyle(3).Style, 3);
  EXPECT_TRUE(c.Settings->GetEditableStyle(4).Name.empty());

  std::string fifty = "%%language editablestyles ('s', 1)";
  for (int i = 2; i <= 50; ++i) fifty += ", ('s', 1)";
  EXPECT_EQ(ErrorOf(fifty), "");
  EXPECT_EQ(ErrorOf(fifty + ", ('t', 1)"), At(1, static_cast<int>(fifty.size()) + 3, "Too many editable styles"));
  EXPECT_EQ(ErrorOf(fifty + " editablestyles ('t', 1)"), At(1, static_cast<int>(fifty.size()) + 17, "Too many editable styles"));
}

TEST(Language, SectionsEndAtAnyHeaderAndMayRepeat) {
  auto c = Compile("%%map 1 2 %%map 3 4 %%language %%language name = 'Y' %%map 5 6 %%language");
  EXPECT_EQ(c.Settings->GetMap(1), 2);
  EXPECT_EQ(c.Settings->GetMap(3), 4);
  EXPECT_EQ(c.Settings->GetMap(5), 6);
  EXPECT_EQ(c.Settings->LanguageName, "Y");
}

TEST(Language, CompileStartsFromClearedTablesAndResetSettings) {
  ql::test::TCompiled c = Compile("%%language name = 'First' startstate = [4] %%map 1 1");
  const std::string second = "%%language fontsize = 9";
  TMemoryView in(second);
  CompileScript(in, "", *c.Tables, *c.Settings);
  EXPECT_EQ(c.Settings->LanguageName, "<Custom language>");
  EXPECT_EQ(c.Settings->GetMap(1), 0);
  EXPECT_EQ(c.Settings->FontSize, 9);
  EXPECT_EQ(c.Tables->StartStates, TByteSet{0});
}

TEST(Language, Errors) {
  std::string deep = "%%language options = ";
  for (int i = 0; i < 300; ++i) deep += "(";
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"name = 'X'", At(1, 1, "Script syntax error")},
      {"%%language name = 'X' 5", At(1, 23, "Script syntax error")},
      {"%%language name 'X'", At(1, 17, "'=' expected")},
      {"%%language name = 5", At(1, 19, "String value expected")},
      {"%%language options = ", At(1, 22, "Expression expected")},
      {"%%language options = )", At(1, 22, "Expression expected")},
      {"%%language options = (1 + 2", At(1, 28, "Expression expected")},
      {"%%language options = 1 +", At(1, 25, "Expression expected")},
      {"%%language options = 'x'", At(1, 22, "Expression expected")},
      {deep, At(1, 22 + 256, "Expression nested too deeply")},
      {"%%language fontcharset = 256", "bare: Range error, value outwith 0 .. 255"},
      {"%%language fontcharset = 0 - 1", "bare: Range error, value outwith 0 .. 255"},
      {"%%language indentstep = 21", "bare: Range error, value outwith 0 .. 20"},
      {"%%language anchor = [1 2", At(1, 25, "']' expected")},
      {"%%language seltextcolor = [* 5", At(1, 30, "']' expected")},
      {"%%language margincolor = [5] 1", At(1, 27, "']' expected")},
      {"%%language GutterFontStyle 1", At(1, 28, "'[' expected")},
      {"%%language GutterFontStyle [1 2]", At(1, 31, "']' expected")},
      {"%%language GutterFontStyle [1, =]", At(1, 32, "Bad font style specifier")},
      {"%%language GutterFontStyle [300]", At(1, 29, "Bad font style specifier")},
      {"%%language tabcolumns = '5 3'", "bare: Tab columns must be in order and unique"},
      {"%%language tabcolumns = '1'", "bare: Tab column must be > 1"},
      {"%%language tabcolumns = 5", At(1, 25, "String value expected")},
      {"%%language contextstates = (1, 2 [3]), (2 [4])", "bare: Token value 2 re-specified in ContextState"},
      {"%%language contextstates = (1) contextstates = (1 [2])", "bare: Token value 1 re-specified in ContextState"},
      {"%%language contextstates = 1", At(1, 28, "'(' expected")},
      {"%%language contextstates = ([1])", At(1, 29, "Expression expected")},
      {"%%language contextstates = (1 [1]", At(1, 34, "')' expected")},
      {"%%language editablestyles 'a', 1", At(1, 27, "'(' expected")},
      {"%%language editablestyles ('a' 1)", At(1, 32, "',' expected")},
      {"%%language editablestyles (5, 1)", At(1, 28, "String value expected")},
      {"%%language editablestyles ('a', 256)", At(1, 33, "Value must be 0..255")},
      {"%%language editablestyles ('a', 0 - 1)", At(1, 33, "Value must be 0..255")},
      {"%%language editablestyles ('a', 1", At(1, 34, "')' expected")},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(Language, ErrorsLeaveWhatWasFilledAndTheEndPosition) {
  ql::test::TCompiled c;
  EXPECT_EQ(ErrorOf("%%language name = 'Kept'\r\n  %%map 1 2 3", &c), At(2, 14, "Expression expected"));
  EXPECT_EQ(c.Settings->LanguageName, "Kept");
  EXPECT_EQ(c.Settings->GetMap(1), 2);
  EXPECT_EQ(c.Line, 1);
  EXPECT_EQ(c.Column, 13);
}

}  // namespace
