// %%words, %%kwTables, %%effects and %%map.
#include <gtest/gtest.h>

#include "CompilerTesting.h"

using namespace ql;
using ql::test::At;
using ql::test::Compile;
using ql::test::ErrorOf;

namespace {

TEST(Words, EntriesFillTheKeywordTableAndStateRecords) {
  auto c = Compile(
      "%%words\r\n"
      "'Begin' '' 5\r\n"
      "'end' '[ ;]' 6 [1, 2]\r\n"
      "'<' '[/a-z]' 7 [ ]\r\n"
      "'\\101b' 'x' 6 [3]\r\n");
  const auto& words = c.Tables->Keywords.Words();
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[0].Word, "Begin");
  EXPECT_EQ(words[0].Style.Value, 5);
  EXPECT_EQ(words[0].Style.States, TByteSet{0});
  EXPECT_TRUE(words[0].Style.EndGroup.IsEmpty());
  EXPECT_EQ(words[1].Style.States, (TByteSet{1, 2}));
  EXPECT_TRUE(words[1].Style.EndGroup.Contains(';'));
  EXPECT_FALSE(words[1].Style.EndGroup.Contains('a'));
  EXPECT_TRUE(words[2].Style.States.Empty());
  EXPECT_EQ(words[3].Word, "Ab");  // decoded
  EXPECT_FALSE(c.Tables->Keywords.CaseSensitive());
  EXPECT_NE(c.Tables->Keywords.FindWord("begin", false), nullptr);

  const auto& records = c.Tables->StateRecords;
  ASSERT_TRUE(records[5] && records[6] && records[7]);
  EXPECT_EQ(records[5]->Valid, TByteSet{0});
  EXPECT_EQ(records[6]->Valid, (TByteSet{0, 1, 2, 3}));  // widened by the second word
  EXPECT_EQ(records[7]->Valid, TByteSet{0});
  EXPECT_TRUE(records[6]->NoChange);
  EXPECT_TRUE(records[6]->Entered.Empty() && records[6]->Left.Empty());
  EXPECT_FALSE(records[1]);
}

TEST(Words, CaseRuleAndDuplicates) {
  auto c = Compile("%%language case = __sensitive %%words 'end' '' 1 'END' '' 2");
  EXPECT_TRUE(c.Tables->Keywords.CaseSensitive());
  EXPECT_NE(c.Tables->Keywords.FindWord("END", true), nullptr);

  EXPECT_EQ(ErrorOf("%%words 'end' '' 1 'END' '' 2 [1] 'end' '' 3 [0 2]"), At(1, 35, "Duplicate entry in %%word table"));
  EXPECT_EQ(ErrorOf("%%words 'end' '' 1 [1] 'END' '' 2 [2]"), "");
}

TEST(Words, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%words 'a' 'ab' 1", At(1, 13, "Single character specifier expected")},
      {"%%words 'a' '[a-z]x' 1", At(1, 13, "Single character specifier expected")},
      {"%%words 'a' 5", At(1, 13, "String value expected")},
      {"%%words 'a' 'z-a' 1", At(1, 13, "Characters not in correct order for range specifier")},
      {"%%words 'a' '' 256", "bare: Range error, value outwith 0 .. 255"},
      {"%%words 'a' '' 1 [1", At(1, 20, "']' expected")},
      {"%%words 'a' '' 1 5", At(1, 18, "Script syntax error")},
      {"%%words '" + std::string(256, 'w') + "' '' 1", At(1, 9, "Keyword longer than 255 characters")},
      {"%%words '" + std::string(255, 'w') + "' '' 1", ""},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(KwTables, TablesReachTheSettingsWithTheCaseRule) {
  auto c = Compile(
      "%%language case = 1\r\n"
      "%%kwTables\r\n"
      "forstate [1, 2] endswith '[^a-z]' ( 10 is 'if', 'then' 11 is 'x\\41', 'y' )\r\n"
      "forstate [] endswith '' ( 12 is 'z' )\r\n");
  const TSM_Settings& s = *c.Settings;
  ASSERT_EQ(s.KeywordTableCount(), 2);
  const TKeywordDefinitions& first = s.KeywordTable(0);
  EXPECT_EQ(first.States, (TByteSet{1, 2}));
  EXPECT_EQ(first.WordChars, "[^a-z]");
  EXPECT_TRUE(first.CaseSensitive);
  const std::vector<TKeywordWord> words = {{"if", 10}, {"then", 10}, {"x\\41", 11}, {"y", 11}};
  EXPECT_EQ(first.Words, words);
  EXPECT_EQ(s.KeywordTable(1).States, TByteSet{0});
  EXPECT_EQ(s.KeywordTable(1).WordChars, "");
  EXPECT_NE(s.Keywords(), nullptr);
}

TEST(KwTables, EqualStateSetsReplaceOverlappingOnesFail) {
  auto c = Compile("%%kwTables forstate [3] endswith '' (1 is 'a') forstate [3] endswith '' (2 is 'b')");
  ASSERT_EQ(c.Settings->KeywordTableCount(), 1);
  EXPECT_EQ(c.Settings->KeywordTable(0).Words, (std::vector<TKeywordWord>{{"b", 2}}));

  EXPECT_EQ(ErrorOf("%%kwTables forstate [3 4] endswith '' (1 is 'a')\r\n forstate [4] endswith '' (2 is 'b')"),
            At(2, 2, "Ambigious key table state definition"));
  std::string many = "%%kwTables";
  int column22 = 0;
  for (int i = 0; i < 22; ++i) {
    column22 = static_cast<int>(many.size()) + 2;
    many += " forstate [" + std::to_string(i) + "] endswith '' (1 is 'a')";
  }
  EXPECT_EQ(ErrorOf(many), At(1, column22, "Too many keyword tables declared"));
}

TEST(KwTables, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%kwTables forstate 1", At(1, 21, "'[' expected")},
      {"%%kwTables forstate [1 endswith", At(1, 24, "']' expected")},
      {"%%kwTables forstate [1] '' (1 is 'a')", At(1, 25, "'endswith' expected")},
      {"%%kwTables forstate [1] endswith 5", At(1, 34, "String value expected")},
      {"%%kwTables forstate [1] endswith '' 1 is 'a'", At(1, 37, "'(' expected")},
      {"%%kwTables forstate [1] endswith '' (1 'a')", At(1, 40, "String value expected")},
      {"%%kwTables forstate [1] endswith '' (1 is 5)", At(1, 43, "String value expected")},
      {"%%kwTables forstate [1] endswith '' (1 is 'a'", At(1, 46, "')' expected")},
      {"%%kwTables forstate [1] endswith '' (1 is 'a', 'a')", At(1, 12, "Duplicate keyword - 'a'")},
      {"%%kwTables forstate [1] endswith 'z-a' (1 is 'a')",
       At(1, 12, "Characters not in correct order for range specifier")},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(Effects, EntriesDefineStyles) {
  auto c = Compile(
      "%%effects\r\n"
      "0 [] 0 16777215\r\n"
      "%%effects 0 [fsBold] 0 0\r\n"
      "2 [fsBold, fsItalic, fsUnderline, fsStrikeout, 200] clRed * clBlue * 'HotSpot'\r\n"
      "3 [] clGreen clWhite *\r\n");
  const TSM_Settings& s = *c.Settings;
  EXPECT_EQ(s.GetStyle(0).FontStyle, 1);
  EXPECT_EQ(s.GetStyle(0).BackColor, 0u);
  const TStyleEffect& two = s.GetStyle(2);
  EXPECT_EQ(two.FontStyle, 15);
  EXPECT_EQ(two.TextColor, 255u);
  EXPECT_EQ(two.BackColor, 16711680u);
  EXPECT_TRUE(two.DefaultText && two.DefaultBack && two.Hotspot);
  EXPECT_NE(two.Defined, 0);
  const TStyleEffect& three = s.GetStyle(3);
  EXPECT_FALSE(three.DefaultText || three.Hotspot);
  EXPECT_TRUE(three.DefaultBack);
  EXPECT_TRUE(s.AnyHotspot());
  EXPECT_EQ(s.GetStyle(4).Defined, 0);
}

TEST(EffectsAndMap, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%effects 1 [] 0 0\r\n%%effects 1 [] 0 0", At(2, 11, "Duplicate %%effect entry")},
      {"%%effects 3 [] 1 2 'other'", At(1, 20, "Script syntax error")},
      {"%%effects 1 0 0 0", At(1, 13, "'[' expected")},
      {"%%effects 1 [0 0 0", At(1, 16, "']' expected")},
      {"%%effects 1 [] 0", At(1, 17, "Expression expected")},
      {"%%effects 1 [0 - 1] 0 0", At(1, 14, "Bad font style specifier")},
      {"%%effects 256 [] 0 0", "bare: Range error, value outwith 0 .. 255"},
      {"%%map 1", At(1, 8, "Expression expected")},
      {"%%map 1 300", "bare: Range error, value outwith 0 .. 255"},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(Map, EntriesMapTokenValuesToStyles) {
  auto c = Compile("%%map 1 1 2 2 255 7 (1 + 2) 3 1 9");
  EXPECT_EQ(c.Settings->GetMap(1), 9);
  EXPECT_EQ(c.Settings->GetMap(2), 2);
  EXPECT_EQ(c.Settings->GetMap(3), 3);
  EXPECT_EQ(c.Settings->GetMap(255), 7);
  EXPECT_EQ(c.Settings->GetMap(0), 0);
}

TEST(Map, DefinedMacroStandsForItsValue) {
  auto c = Compile("#define X 5\r\n%%map X 1");
  EXPECT_EQ(c.Settings->GetMap(5), 1);
}

}  // namespace
