// %%handlers, %%tokens, %%states and %%containers.
#include <gtest/gtest.h>

#include "CompilerTesting.h"
#include "highlight/HandlerCodes.h"

using namespace ql;
using ql::test::At;
using ql::test::Compile;
using ql::test::ErrorOf;

namespace {

// The members of a group as a string of characters (for printable groups).
std::string Members(const TCompiledTables& t, int32_t group) {
  std::string s;
  for (int c = 0; c < 256; ++c)
    if (t.Group(group).Contains(static_cast<uint8_t>(c))) s += static_cast<char>(c);
  return s;
}

TEST(Handlers, EntriesOfEveryForm) {
  auto c = Compile(
      "%%handlers\r\n"
      "1 '[\\000-\\377]' * '>' _use_\r\n"
      "4 '[\\000-\\377]' * '\\-\\->' _use_\r\n"
      "5 __STD_IDENTIFIER\r\n"
      "8 'x' 'y[a-c]' _discard_\r\n"
      "9 _WEB_CHAR\r\n"
      "10 'a' '' 1\r\n");
  const TCompiledTables& t = *c.Tables;
  ASSERT_TRUE(t.Handlers[1] && t.Handlers[4] && t.Handlers[5] && t.Handlers[8] && t.Handlers[9] && t.Handlers[10]);
  const THandlerEntry& tag = *t.Handlers[1];
  EXPECT_TRUE(tag.Repeat);
  EXPECT_EQ(tag.Start.Kind, ukGroup);
  EXPECT_EQ(t.Group(tag.Start.Group).Members, TByteSet::All());
  EXPECT_EQ(tag.End.Kind, ekGroups);
  ASSERT_EQ(tag.End.GroupCount, 1);
  EXPECT_EQ(Members(t, tag.End.Groups[0]), ">");
  EXPECT_TRUE(tag.End.Use);

  const THandlerEntry& comment = *t.Handlers[4];
  EXPECT_EQ(comment.Start.Group, tag.Start.Group);  // one group, kept once
  ASSERT_EQ(comment.End.GroupCount, 3);
  EXPECT_EQ(Members(t, comment.End.Groups[0]), "-");
  EXPECT_EQ(Members(t, comment.End.Groups[1]), "-");
  EXPECT_EQ(Members(t, comment.End.Groups[2]), ">");

  EXPECT_EQ(t.Handlers[5]->Start.Kind, ukHandler);
  EXPECT_EQ(t.Handlers[5]->Start.Code, hcStdIdentifier);
  EXPECT_EQ(t.Handlers[5]->End.Kind, ekNone);
  EXPECT_FALSE(t.Handlers[5]->Repeat);

  const THandlerEntry& two = *t.Handlers[8];
  ASSERT_EQ(two.End.GroupCount, 2);
  EXPECT_EQ(Members(t, two.End.Groups[1]), "abc");
  EXPECT_FALSE(two.End.Use);

  EXPECT_EQ(t.Handlers[9]->Start.Code, hcWebChar);
  EXPECT_EQ(t.Handlers[10]->End.Kind, ekNone);  // an empty end string is no end sequence
  EXPECT_TRUE(t.Handlers[10]->End.Use);
  EXPECT_FALSE(t.Handlers[0]);
  EXPECT_FALSE(t.UsesMatch);
}

TEST(Handlers, MatchUnitsSetTheUsesMatchFlag) {
  auto c = Compile("%%handlers 6 match (7) * 7 'a' match (1 + 2) _discard_");
  const TCompiledTables& t = *c.Tables;
  EXPECT_TRUE(t.UsesMatch);
  EXPECT_EQ(t.Handlers[6]->Start.Kind, ukMatch);
  EXPECT_EQ(t.Handlers[6]->Start.Code, 7);
  EXPECT_EQ(t.Handlers[6]->End.Kind, ekNone);
  EXPECT_EQ(t.Handlers[7]->End.Kind, ekMatch);
  EXPECT_EQ(t.Handlers[7]->End.Code, 3);
  EXPECT_FALSE(t.Handlers[7]->End.Use);
}

TEST(Tokens, DefaultTableEntries) {
  auto c = Compile(
      "%%tokens\r\n"
      "3 '&' '[#0-9a-zA-Z]' * ';' _use_\r\n"
      "5 __STD_IDENTIFIER [2]\r\n"
      "6 '[0-9]' 16 __STD_NUMBER 0\r\n"
      "7 '@' match (2) [3]\r\n"
      "8 '$' 'x' match (4) _use_\r\n"
      "9 '[^\\000-~]' '' '' 1\r\n");
  const TCompiledTables& t = *c.Tables;
  const TTokenTable& table = t.DefaultTokens;
  ASSERT_TRUE(table.Entries['&']);
  const TTokenEntry& amp = *table.Entries['&'];
  EXPECT_EQ(amp.Value, 3);
  EXPECT_EQ(amp.Start.Kind, ukGroup);
  EXPECT_EQ(Members(t, amp.Start.Group), "&");
  EXPECT_EQ(amp.Continuation.Kind, ukGroup);
  EXPECT_TRUE(t.Group(amp.Continuation.Group).Contains('#'));
  EXPECT_TRUE(amp.Repeat);
  EXPECT_EQ(amp.End.Kind, ekGroups);
  EXPECT_EQ(Members(t, amp.End.Groups[0]), ";");
  EXPECT_TRUE(amp.End.Use);
  EXPECT_EQ(amp.States, TByteSet{0});

  // A standard handler starts on its start set.
  for (uint8_t ch : {'a', 'Z', '_'}) {
    ASSERT_TRUE(table.Entries[ch]) << ch;
    EXPECT_EQ(table.Entries[ch]->Start.Kind, ukHandler);
    EXPECT_EQ(table.Entries[ch]->Start.Code, hcStdIdentifier);
    EXPECT_EQ(table.Entries[ch]->States, (TByteSet{0, 2}));
  }
  EXPECT_EQ(Members(t, table.Entries['a']->Start.Group), "ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");

  EXPECT_EQ(table.Entries['0']->Continuation.Kind, ukHandler);
  EXPECT_EQ(table.Entries['0']->Continuation.Code, hcStdNumber);
  EXPECT_EQ(table.Entries['0']->End.Kind, ekHandler);
  EXPECT_EQ(table.Entries['0']->End.Code, hcStdNumber);
  EXPECT_EQ(table.Entries['@']->Continuation.Kind, ukMatch);
  EXPECT_EQ(table.Entries['@']->End.Kind, ekNone);
  EXPECT_EQ(table.Entries['@']->States, (TByteSet{0, 3}));
  EXPECT_EQ(table.Entries['$']->End.Kind, ekMatch);
  EXPECT_TRUE(t.UsesMatch);
  // A negated start group covers everything outside it.
  EXPECT_EQ(table.Entries[200]->Value, 9);
  EXPECT_EQ(table.Entries[0x7F]->Value, 9);
  EXPECT_FALSE(table.Entries['~']);

  ASSERT_TRUE(t.StateRecords[3] && t.StateRecords[5]);
  EXPECT_EQ(t.StateRecords[3]->Valid, TByteSet{0});
  EXPECT_EQ(t.StateRecords[5]->Valid, (TByteSet{0, 2}));
  EXPECT_FALSE(t.HasStateTables());
}

TEST(Tokens, InStateBlocksFillPerStateTables) {
  auto c = Compile(
      "%%tokens\r\n"
      "2 '\\x22' 'a' * '\\x22' _use_\r\n"
      "InState 1 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ )\r\n"
      "InState 4 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ [5]  7 '!' 'x' 'y' 1 )\r\n"
      "InState 6 ( )\r\n");
  const TCompiledTables& t = *c.Tables;
  EXPECT_EQ(t.StatesWithTables, (TByteSet{1, 4}));
  EXPECT_TRUE(t.HasStateTables());
  ASSERT_TRUE(t.StateTokens[1] && t.StateTokens[4]);
  EXPECT_FALSE(t.StateTokens[6]);
  EXPECT_EQ(t.StateTokens[1]->Entries['"']->States, TByteSet{1});
  EXPECT_EQ(t.StateTokens[4]->Entries['"']->States, (TByteSet{4, 5}));
  EXPECT_EQ(t.StateTokens[4]->Entries['!']->Value, 7);
  EXPECT_FALSE(t.StateTokens[1]->Entries['!']);
  EXPECT_EQ(t.DefaultTokens.Entries['"']->States, TByteSet{0});
  EXPECT_EQ(t.StateRecords[2]->Valid, (TByteSet{0, 1, 4, 5}));
  EXPECT_EQ(t.StateRecords[7]->Valid, TByteSet{4});
}

TEST(Tokens, StartSetsMayNotShareACharacterWithinATable) {
  EXPECT_EQ(ErrorOf("%%tokens 1 'a' 'b' 'c' 1 [1]\r\n2 '[a-c]' 'b' 'c' 1 [2]"),
            At(2, 1, "Ambigious start set in %%token table"));
  EXPECT_EQ(ErrorOf("%%tokens 1 'a' 'b' 'c' 1\r\n2 __STD_MAIL_URL"), At(2, 1, "Ambigious start set in %%token table"));
  EXPECT_EQ(ErrorOf("%%tokens InState 1 ( 1 'a' 'b' 'c' 1 ) InState 1 ( 2 'a' 'b' 'c' 1 )"),
            At(1, 52, "Ambigious start set in %%token table"));
  EXPECT_EQ(ErrorOf("%%tokens InState 1 ( 1 'a' 'b' 'c' 1 ) InState 2 ( 2 'a' 'b' 'c' 1 ) 3 'a' 'b' 'c' 1"), "");
}

TEST(ScannerRules, HandlerCodesTheScannerLacksAreRefused) {
  for (const char* code : {"3", "9", "21", "0 - 1", "4294967295"}) {
    EXPECT_EQ(ErrorOf(std::string("%%handlers 1 ") + code), At(1, 14, "Script syntax error")) << code;
    EXPECT_EQ(ErrorOf(std::string("%%tokens 1 'a' ") + code + " 'b' 1"), At(1, 16, "Script syntax error")) << code;
    EXPECT_EQ(ErrorOf(std::string("%%tokens 1 'a' 'b' ") + code + " 1"), At(1, 20, "Script syntax error")) << code;
  }
  // A token entry's own start handler must be a standard handler, 10 to 20.
  for (const char* code : {"0", "2", "9", "21"})
    EXPECT_EQ(ErrorOf(std::string("%%tokens 1 ") + code), At(1, 12, "Script syntax error")) << code;
  for (const char* code : {"0", "1", "2", "10", "20"}) {
    EXPECT_EQ(ErrorOf(std::string("%%handlers 1 ") + code), "") << code;
    EXPECT_EQ(ErrorOf(std::string("%%tokens 1 'a' ") + code + " 'b' 1"), "") << code;
  }
}

TEST(ScannerRules, Errors) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"%%handlers 1 'a'\r\n1 'b'", At(2, 1, "Duplicate entry in %%handler table")},
      {"%%handlers 1 'a' 'bcdef' 1", At(1, 18, "Maximum of 4 character specifier allowed")},
      {"%%handlers 1 'a' '[a-z]bcd' 1", ""},
      {"%%handlers 1 'ab'", At(1, 14, "Single character specifier expected")},
      {"%%handlers 1 'a' 'b'", At(1, 21, "Expression expected")},
      {"%%handlers 1 'a' 'z-a' 1", At(1, 18, "Characters not in correct order for range specifier")},
      {"%%handlers 1 match 5", At(1, 20, "'(' expected")},
      {"%%handlers 1 match (5", At(1, 22, "')' expected")},
      {"%%handlers 1 =", At(1, 14, "Expression expected")},
      {"%%tokens 1 match (1)", At(1, 12, "Script syntax error")},
      {"%%tokens 1 'a' 'b'", At(1, 19, "Expression expected")},
      {"%%tokens 1 'a' 'b' * 'cdefg' 1", At(1, 22, "Maximum of 4 character specifier allowed")},
      {"%%tokens 1 'a' 'b' 'c' 1 [1", At(1, 28, "']' expected")},
      {"%%tokens InState 1 2 'a' 'b' 'c' 1", At(1, 20, "'(' expected")},
      {"%%tokens InState 1 ( 2 '&' 'a' ';' 1", At(1, 37, "')' expected")},
      {"%%tokens InState 256 ( )", "bare: Range error, value outwith 0 .. 255"},
      {"%%states 1 [1]", At(1, 12, "'(' expected")},
      {"%%states 1 +1", At(1, 14, "'(' expected")},  // 1 + 1 is the token value
      {"%%states 1 (+1", At(1, 15, "')' expected")},
      {"%%states 1 (+ )", At(1, 15, "Expression expected")},
      {"%%states 1 (+[1 )", At(1, 17, "']' expected")},
      {"%%states 1 (+256)", "bare: Range error, value outwith 0 .. 255"},
      {"%%states 1 (*1)", At(1, 13, "')' expected")},
      {"%%containers 1 push (+1)", At(1, 16, "'(' expected")},
      {"%%containers 1 (+1) pop", At(1, 21, "Script syntax error")},
  };
  for (const auto& t : cases) EXPECT_EQ(ErrorOf(t.script), t.message) << t.script;
}

TEST(States, EntriesSetEnteredLeftAndPushPopCodes) {
  auto c = Compile(
      "%%states\r\n"
      "1 ( +1 -0 )\r\n"
      "2 push ( +[3, 4] ) pop\r\n"
      "3 push ( +5 )\r\n"
      "4 pop ( -[1] )\r\n"
      "5 ( ) push\r\n"
      "6 ( +(1 + 2) -[] )\r\n");
  const auto& r = c.Tables->StateRecords;
  ASSERT_TRUE(r[1] && r[2] && r[3] && r[4] && r[5] && r[6]);
  EXPECT_EQ(r[1]->Entered, TByteSet{1});
  EXPECT_EQ(r[1]->Left, TByteSet{0});
  EXPECT_FALSE(r[1]->NoChange);
  EXPECT_EQ(r[1]->PushPop, 0);
  EXPECT_EQ(r[1]->Valid, TByteSet{0});
  EXPECT_FALSE(r[1]->Container);

  EXPECT_EQ(r[2]->PushPop, TStateRecord::PopAfter);  // the trailing word replaces the leading one
  EXPECT_TRUE(r[2]->Entered.Empty() && r[2]->Left.Empty());
  EXPECT_TRUE(r[2]->NoChange);

  EXPECT_EQ(r[3]->PushPop, TStateRecord::PushBefore);
  EXPECT_EQ(r[3]->Entered, TByteSet{5});
  EXPECT_EQ(r[4]->PushPop, TStateRecord::PopBefore);
  EXPECT_EQ(r[4]->Left, TByteSet{1});
  EXPECT_EQ(r[5]->PushPop, TStateRecord::PushAfter);
  EXPECT_TRUE(r[5]->NoChange);
  EXPECT_EQ(r[6]->Entered, TByteSet{3});
}

TEST(States, EntriesAddToRecordsMadeBySectionsBefore) {
  auto c = Compile("%%words 'x' '' 6 [2] %%states 6 (+1) 6 (-2) %%containers 6 (+7)");
  const TStateRecord& r = *c.Tables->StateRecords[6];
  EXPECT_EQ(r.Valid, (TByteSet{0, 2}));
  EXPECT_EQ(r.Entered, (TByteSet{1, 7}));
  EXPECT_EQ(r.Left, TByteSet{2});
  EXPECT_TRUE(r.Container);
  EXPECT_FALSE(r.NoChange);
}

// Tags coloured as a whole, quoted attribute values inside them coloured separately.
TEST(ScannerRules, ContainerExampleCompiles) {
  auto c = Compile(
      "%%words\r\n"
      "'<' '[a-zA-Z]' 1\r\n"
      "%%handlers\r\n"
      "1 '[\\000-\\377]' * '>' _use_\r\n"
      "%%containers\r\n"
      "1 ( +1 -0 )\r\n"
      "%%tokens\r\n"
      "InState 1 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ )\r\n"
      "%%map\r\n"
      "1 1 2 2\r\n");
  const TCompiledTables& t = *c.Tables;
  const TStateRecord& tag = *t.StateRecords[1];
  EXPECT_TRUE(tag.Container);
  EXPECT_EQ(tag.Entered, TByteSet{1});
  EXPECT_EQ(tag.Left, TByteSet{0});
  EXPECT_EQ(tag.Valid, TByteSet{0});
  EXPECT_EQ(t.StatesWithTables, TByteSet{1});
  EXPECT_EQ(t.StateRecords[2]->Valid, TByteSet{1});
  EXPECT_EQ(c.Settings->GetMap(2), 2);
}

}  // namespace
