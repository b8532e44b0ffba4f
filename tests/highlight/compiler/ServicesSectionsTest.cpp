// %%keys, %%autoreplace and %%templates.
#include <gtest/gtest.h>

#include "CompilerTesting.h"

using namespace ql;
using ql::test::At;
using ql::test::Compile;
using ql::test::ErrorOf;

namespace {

std::vector<TKeySequence> Sequences(const TSM_Settings& s) { return s.KeyController().KeyStore().Sequences(); }

TEST(Keys, EntriesPassKeyPairsAndNamesToTheController) {
  auto c = Compile(
      "%%keys\r\n"
      "caUNDO ( [ctrl] 'z' ) 'Undo'\r\n"
      "20 ( [ctrl] 'K', 'b' )\r\n"
      "caDOWN ( DOWN | [alt, shift] 'x', F3 | [shift ctrl alt] (65 + 1) )\r\n"
      "caCOPY 'Copy'\r\n"
      "46 ( [ctrl] UP ) 'Scroll display up one line'\r\n");
  const TSM_Settings& s = *c.Settings;
  const std::vector<TKeySequence> expected = {
      {16474, 0, 41},  // Ctrl+Z
      {40, 0, 5},
      {0x2000 | 0x4000 | 0x8000 | 66, 0, 5},
      {16422, 0, 46},
      // Two-key sequences follow, by first key from the last added.
      {0x2000 | 0x8000 | 88, 114, 5},
      {16459, 66, 20},  // Ctrl+K, B
  };
  EXPECT_EQ(Sequences(s), expected);
  EXPECT_EQ(s.KeyController().GetActionName(41), "Undo");
  EXPECT_EQ(s.KeyController().GetActionName(13), "Copy");
  EXPECT_EQ(s.KeyController().GetActionName(46), "Scroll display up one line");
  // The section starts from an empty controller.
  EXPECT_EQ(s.KeyController().GetActionName(0), "");
  EXPECT_EQ(s.KeyController().ActionNames().size(), 3u);
}

TEST(Keys, EachSectionClearsWhatTheOneBeforeAssigned) {
  auto c = Compile("%%keys caUNDO ( [ctrl] 'Z' ) 'Undo' %%keys caREDO ( [ctrl] 'Y' ) 'Redo'");
  EXPECT_EQ(Sequences(*c.Settings), (std::vector<TKeySequence>{{16473, 0, 42}}));
  EXPECT_EQ(c.Settings->KeyController().GetActionName(41), "");
}

TEST(Keys, WithoutAKeysSectionTheDefaultTableStays) {
  auto c = Compile("%%language name = 'X'");
  EXPECT_EQ(c.Settings->KeyController().GetActionName(41), "Undo");
  EXPECT_EQ(Sequences(*c.Settings).size(), 48u);
}

TEST(Keys, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%keys 1 ( )", At(1, 12, "Key specification required")},
      {"%%keys 1 ( 'a', [ctrl] 'b' )", At(1, 17, "Key specification required")},
      {"%%keys 1 ( 'ab' )", At(1, 12, "Single character specifier expected")},
      {"%%keys 1 ( '' )", At(1, 12, "Single character specifier expected")},
      {"%%keys 1 ( 256 )", "bare: Range error, value outwith 0 .. 255"},
      {"%%keys 1 ( LEFT", At(1, 16, "')' expected")},
      {"%%keys 1 ( LEFT, RIGHT, UP )", At(1, 23, "')' expected")},
      {"%%keys 1 ( [ctrl 'a' )", At(1, 18, "']' expected")},
      {"%%keys 1 ''", At(1, 10, "Key function name cannot be blank")},
      {"%%keys 1 'one' 'two'", At(1, 16, "Script syntax error")},
      {"%%keys caLEFT (LEFT) 'Left'\r\ncaRIGHT (LEFT) 'Right'",
       // A macro's token is placed after the macro's name.
       At(2, 14, "Duplicate key sequence definition for\r\n\"\" and \"Left\"")},
      {"%%keys 1 ([ctrl] 'K') 17 ([ctrl] 'K', 'I')", At(1, 27, "Duplicate key sequence definition for\r\n\"\" and \"\"")},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(AutoReplace, EntriesAndTriggers) {
  auto c = Compile("%%autoreplace 'teh' = 'the' 'Adn' = 'and\\n' actionkeys = '.\\{Return}'");
  const TAutoReplace& a = c.Settings->AutoReplace();
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(a.Name(0), "adn");
  EXPECT_EQ(a.Entry(0).Expansion(), "and\r");
  EXPECT_EQ(a.Name(1), "teh");
  EXPECT_EQ(a.Triggers(), ".\\{Return}");
  EXPECT_EQ(a.TriggerKeys().size(), 2u);

  auto again = Compile("%%autoreplace 'teh' = 'the' actionkeys = '.' %%autoreplace 'x' = 'y'");
  EXPECT_EQ(again.Settings->AutoReplace().Count(), 1);
  EXPECT_EQ(again.Settings->AutoReplace().Triggers(), TAutoReplace::DefaultTriggers);
}

TEST(Templates, EntriesAndHotkey) {
  auto c = Compile(
      "%%templates\r\n"
      "'begin' ('Block') = 'begin\\n  |\\nend'\r\n"
      "'if' = 'if ()'\r\n"
      "hotkey = ( [ctrl] 'j' )\r\n");
  const TCodeTemplates& t = c.Settings->Templates();
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t.Name(0), "begin");
  EXPECT_EQ(t.Entry(0).Description(), "Block");
  EXPECT_EQ(t.Entry(0).Expansion(), "begin\r  |\rend");
  EXPECT_EQ(t.Entry(1).Description(), "");
  EXPECT_EQ(t.HotKey, 16458);

  auto f2 = Compile("%%templates 'a' = 'b' hotkey = ( F2 ) %%templates 'c' = 'd'");
  EXPECT_EQ(f2.Settings->Templates().Count(), 1);
  EXPECT_EQ(f2.Settings->Templates().Name(0), "c");
  EXPECT_EQ(f2.Settings->Templates().HotKey, 113);
}

TEST(AutoReplaceAndTemplates, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%autoreplace 'teh' 'the'", At(1, 21, "'=' expected")},
      {"%%autoreplace 'teh' = 5", At(1, 23, "String value expected")},
      {"%%autoreplace actionkeys 'x'", At(1, 26, "'=' expected")},
      {"%%autoreplace actionkeys = '\\{Return'", At(1, 15, "Bad key specifier")},
      {"%%autoreplace 'a' = 'b'\r\n'A' = 'c'", At(2, 1, "Duplicate keyword - 'A'")},
      {"%%templates 'x' ('d') 'y'", At(1, 23, "'=' expected")},
      {"%%templates 'x' ('d' = 'y'", At(1, 22, "')' expected")},
      {"%%templates 'x' (5) = 'y'", At(1, 18, "String value expected")},
      {"%%templates 'x' = 'y' 'X' = 'z'", At(1, 23, "Duplicate keyword - 'X'")},
      {"%%templates hotkey ( F2 )", At(1, 20, "'=' expected")},
      {"%%templates hotkey = F2", At(1, 24, "'(' expected")},
      {"%%templates hotkey = ( F2", At(1, 26, "')' expected")},
      {"%%templates hotkey = ( 'ab' )", At(1, 24, "Single character specifier expected")},
      {"%%templates hotkey = ( )", At(1, 24, "Key specification required")},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

}  // namespace
