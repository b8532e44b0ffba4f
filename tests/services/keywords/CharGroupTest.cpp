#include <gtest/gtest.h>

#include <string>

#include "services/CharGroup.h"
#include "services/CharGroupManager.h"
#include "services/CharGroupParser.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

// The members of a group as a string of characters, in ascending order.
std::string MembersOf(const TSM_CharGroup& g) {
  std::string out;
  for (int c = 0; c < 256; ++c)
    if (g.Members.Contains(static_cast<uint8_t>(c))) out.push_back(static_cast<char>(c));
  return out;
}

std::string Span(int first, int last) {
  std::string out;
  for (int c = first; c <= last; ++c) out.push_back(static_cast<char>(c));
  return out;
}

}  // namespace

TEST(CharGroupParser, ReadsCharactersRangesSetsAndEscapes) {
  struct Case {
    std::string groupText;
    std::string members;
    bool negated;
    int32_t end;  // 1-based position after the first group
  };
  const Case cases[] = {
      {"[a-z_]", "_" + Span('a', 'z'), false, 7},
      {"[^>]", ">", true, 5},
      {"a-f", "abcdef", false, 4},
      {"\\[", "[", false, 3},
      {"\\101", "A", false, 5},
      {"[\\x41-\\x43]", "ABC", false, 12},
      {"[\\000-\\377]", Span(0, 255), false, 12},
      {"[/a-zA-Z]", "/" + Span('A', 'Z') + Span('a', 'z'), false, 10},
      {"[#0-9a-zA-Z]", "#" + Span('0', '9') + Span('A', 'Z') + Span('a', 'z'), false, 13},
      {"]", "]", false, 2},
      {"", "", false, 1},
      {"[]", "", false, 3},
      {"[a-]", "-a", false, 5},
      {"[-a]", "-a", false, 5},
      {"[\\]\\-]", "-]", false, 7},
      {"[\\^a]", "^a", false, 6},
      {"[a", "a", false, 3},  // the text ends the set
      {"ab", "a", false, 2},  // one group; the caller sees what is left
      {"a-", "a", false, 2},
      {"-->", Span('-', '>'), false, 4},
      {"\\-\\->", "-", false, 3},
      {"\\n", "\r", false, 3},
      {"\\r", "\n", false, 3},
      {"\\b\\e", "\b", false, 3},
      {"\\E", "\x1b", false, 3},
      {"\\s", " ", false, 3},
      {"\\T", "\t", false, 3},
      {"\\X4a", "J", false, 5},
      {"\\u20", " ", false, 5},
      {"\\x", std::string(1, '\0'), false, 3},
      {"\\777", "\xff", false, 5},  // kept to 8 bits
      {"\\q", "q", false, 3},
      {"\\", "\\", false, 2},
      {"\\[a-c", "[", false, 3},  // an escaped "[" opens no set
  };
  for (const Case& c : cases) {
    int32_t pos = 1;
    const TSM_CharGroup g = ParseCharGroup(c.groupText, pos);
    EXPECT_EQ(MembersOf(g), c.members) << c.groupText;
    EXPECT_EQ(g.Negated, c.negated) << c.groupText;
    EXPECT_EQ(pos, c.end) << c.groupText;
  }
}

TEST(CharGroupParser, ReadsSeveralSpecificationsInARow) {
  const std::string groupText = "\\-\\->[^a]x-z";
  int32_t pos = 1;
  std::string seen;
  while (pos <= static_cast<int32_t>(groupText.size())) {
    const TSM_CharGroup g = ParseCharGroup(groupText, pos);
    seen += (g.Negated ? "^" : "") + MembersOf(g) + "|";
  }
  EXPECT_EQ(seen, "-|-|>|^a|xyz|");
}

TEST(CharGroupParser, RangesMustAscend) {
  for (const char* groupText : {"z-a", "[z-a]", "[ab\\x43-\\x41]", "\\177-\\176"}) {
    int32_t pos = 1;
    try {
      ParseCharGroup(groupText, pos);
      ADD_FAILURE() << groupText << ": no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Characters not in correct order for range specifier") << groupText;
    }
  }
}

TEST(CharGroup, MembershipEmptinessAndEquality) {
  int32_t pos = 1;
  const TSM_CharGroup notGt = ParseCharGroup("[^>]", pos);
  EXPECT_FALSE(notGt.Contains('>'));
  EXPECT_TRUE(notGt.Contains('a'));
  EXPECT_TRUE(notGt.Contains(0));

  TSM_CharGroup negatedEmpty;
  negatedEmpty.Negated = true;
  EXPECT_TRUE(negatedEmpty.IsEmpty()) << "the negated flag does not count";
  EXPECT_FALSE(negatedEmpty.Equals(TSM_CharGroup()));

  TSM_CharGroup g;
  EXPECT_EQ(g.Lowest, 255);
  EXPECT_EQ(g.Highest, 0);
  g.AddRange('c', 'e');
  g.AddChar('a');
  g.AddRange('z', 'y');  // reversed: nothing
  EXPECT_EQ(MembersOf(g), "acde");
  EXPECT_EQ(g.Lowest, 'a');
  EXPECT_EQ(g.Highest, 'e');
  g.AddSet(TByteSet{'q'});
  EXPECT_EQ(g.Lowest, 0);
  EXPECT_EQ(g.Highest, 255);
  EXPECT_TRUE(g.Contains('q'));

  TSM_CharGroup same;
  same.AddRange('a', 'a');
  same.AddRange('c', 'e');
  same.AddChar('q');
  EXPECT_TRUE(g.Equals(same)) << "Lowest and Highest are not compared";
  same.ExtraRanges.push_back({300, 400});
  EXPECT_FALSE(g.Equals(same));
  EXPECT_FALSE(same.IsEmpty());
}

TEST(CharGroup, StreamFormIsThirtySevenBytes) {
  TSM_CharGroup g;
  g.AddChar(0);
  g.AddChar('A');
  g.AddChar(255);
  g.Negated = true;
  TMemoryStream s;
  g.SaveToStream(s);
  std::string want(32, '\0');
  want[0] = 0x01;
  want[8] = 0x02;  // 'A' = 65: byte 8, bit 1
  want[31] = static_cast<char>(0x80);
  want += std::string("\0\0\0\0\x01", 5);
  EXPECT_EQ(s.Bytes(), want);

  TSM_CharGroup back;
  s.SetPosition(0);
  back.LoadFromStream(s);
  EXPECT_TRUE(back.Equals(g));
  EXPECT_EQ(back.Lowest, 0);
  EXPECT_EQ(back.Highest, 255);

  TSM_CharGroup copy;
  copy.Assign(g);
  EXPECT_TRUE(copy.Equals(g));
}

TEST(CharGroup, CorruptStreamsRaiseAndLeaveTheGroup) {
  TSM_CharGroup g;
  g.AddChar('x');
  TMemoryStream s;
  g.SaveToStream(s);
  const std::string good = s.Bytes();
  for (size_t n = 0; n < good.size(); ++n) {
    TMemoryStream cut(good.substr(0, n));
    TSM_CharGroup target;
    target.AddChar('k');
    EXPECT_THROW(target.LoadFromStream(cut), EReadError) << n;
    EXPECT_EQ(MembersOf(target), "k") << n;
  }
  // A range count far beyond the data, and a negative one.
  for (const std::string& count : {std::string("\xff\xff\xff\x7f", 4), std::string("\xff\xff\xff\xff", 4)}) {
    TMemoryStream bad(std::string(32, '\0') + count + std::string(1, '\0'));
    TSM_CharGroup target;
    EXPECT_THROW(target.LoadFromStream(bad), EReadError);
  }
  // Extra ranges, which scripts never make, survive a round trip.
  g.ExtraRanges.push_back({256, 1000});
  TMemoryStream withRanges;
  g.SaveToStream(withRanges);
  EXPECT_EQ(withRanges.Size(), 41);
  withRanges.SetPosition(0);
  TSM_CharGroup back;
  back.LoadFromStream(withRanges);
  EXPECT_TRUE(back.Equals(g));
}

TEST(CharGroupManager, KeepsEachGroupOnceAndChecksIndexes) {
  TSM_CharGroupManager m;
  int32_t pos = 1;
  const TSM_CharGroup letters = ParseCharGroup("[a-z]", pos);
  pos = 1;
  const TSM_CharGroup notLetters = ParseCharGroup("[^a-z]", pos);
  EXPECT_EQ(m.Add(TSM_CharGroup()), 0);
  EXPECT_EQ(m.Add(letters), 1);
  EXPECT_EQ(m.Add(notLetters), 2);
  pos = 1;
  EXPECT_EQ(m.Add(ParseCharGroup("[a-mn-z]", pos)), 1);
  EXPECT_EQ(m.Count(), 3);
  EXPECT_TRUE(m.Get(2).Equals(notLetters));
  for (int32_t bad : {3, -1, 1000}) {
    try {
      m.Get(bad);
      ADD_FAILURE() << bad;
    } catch (const EInkMemo& e) {
      EXPECT_EQ(e.Message, "Invalid Set ID (" + std::to_string(bad) + ")");
    }
  }
  m.Clear();
  EXPECT_EQ(m.Add(letters), 0);
}
