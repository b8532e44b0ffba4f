#include <gtest/gtest.h>

#include <string>

#include "services/CharGroupParser.h"
#include "services/SyntaxKeywords.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

TSM_CharGroup Group(const std::string& groupText) {
  int32_t pos = 1;
  return ParseCharGroup(groupText, pos);
}

std::string Int(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

// The three words of the shipped XML definition.
void AddXmlWords(TSyntaxKeywords& kw) {
  kw.Add("<", true, 1, TByteSet{0}, Group("[/a-zA-Z]"));
  kw.Add("<?", true, 2, TByteSet{0}, TSM_CharGroup());
  kw.Add("<!--", true, 4, TByteSet{0}, TSM_CharGroup());
}

}  // namespace

TEST(SyntaxKeywords, StreamFormIsByteExact) {
  TSyntaxKeywords kw;
  kw.Add("If", true, 0x1234, TByteSet{0, 9}, Group("[^a]"));
  std::string group(32, '\0');
  group[12] = 0x02;  // 'a' = 97: byte 12, bit 1
  group += Int(0) + "\x01";
  std::string states(32, '\0');
  states[0] = 0x01;
  states[1] = 0x02;
  const std::string want = Int(1) + Int(1) + "\x02" "If" + group + states + Int(0x1234) + std::string(1, '\0');
  EXPECT_EQ(StreamBytes(kw), want);

  TSyntaxKeywords empty;
  EXPECT_EQ(StreamBytes(empty), Int(0) + Int(0) + std::string(1, '\0'));
}

TEST(SyntaxKeywords, RoundTripKeepsWordsOrderAndMatching) {
  TSyntaxKeywords kw;
  AddXmlWords(kw);
  kw.Add("END", false, 9, TByteSet{1, 200}, TSM_CharGroup());  // the last word sets the case rule
  const std::string bytes = StreamBytes(kw);

  TSyntaxKeywords back;
  TMemoryStream in(bytes);
  back.LoadFromStream(in);
  EXPECT_EQ(in.Position(), in.Size()) << "read to the terminator, no further";
  EXPECT_EQ(StreamBytes(back), bytes);
  ASSERT_EQ(back.Words().size(), 4u);
  EXPECT_EQ(back.Words()[3].Word, "END");
  EXPECT_FALSE(back.CaseSensitive());

  TSyntaxKeywords copy;
  copy.Add("stale", false, 1, TByteSet{0}, TSM_CharGroup());
  copy.Assign(kw);
  EXPECT_EQ(StreamBytes(copy), bytes);
  EXPECT_EQ(copy.FindWord("stale", false), nullptr);

  TTextStore store;
  store.InsertText(0, "<!-- x");
  TEdStream s(&store);
  int32_t length = 0;
  const TKeywordEntry* e = back.Match(s, true, length);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Value, 4);
  EXPECT_EQ(length, 4);
}

TEST(SyntaxKeywords, OnlyAddedWordsAreListed) {
  TSyntaxKeywords kw;
  kw.Add("a", false, 1, TByteSet{0}, TSM_CharGroup());
  EXPECT_THROW(kw.Add("A", false, 2, TByteSet{0}, TSM_CharGroup()), EKeywords);
  kw.Add("", false, 3, TByteSet{0}, TSM_CharGroup());
  EXPECT_EQ(kw.Words().size(), 1u);
  kw.Clear();
  EXPECT_TRUE(kw.Words().empty());
  EXPECT_EQ(StreamBytes(kw), Int(0) + Int(0) + std::string(1, '\0'));
}

TEST(SyntaxKeywords, TruncatedAndCorruptStreamsRaiseStreamErrors) {
  TSyntaxKeywords kw;
  AddXmlWords(kw);
  const std::string good = StreamBytes(kw);
  for (size_t n = 0; n < good.size(); ++n) {
    TMemoryStream cut(good.substr(0, n));
    TSyntaxKeywords target;
    EXPECT_THROW(target.LoadFromStream(cut), EReadError) << n;
  }

  // A word stored twice for overlapping states.
  TSyntaxKeywords one;
  one.Add("w", false, 1, TByteSet{0}, TSM_CharGroup());
  std::string twice = StreamBytes(one);
  const std::string entry = twice.substr(8, twice.size() - 9);
  twice.insert(twice.size() - 1, entry);
  TMemoryStream dup(twice);
  TSyntaxKeywords target;
  try {
    target.LoadFromStream(dup);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message, "Duplicate keyword - 'w'");
  }

  // A group claiming more extra ranges than the stream holds.
  std::string ranges = StreamBytes(one);
  ranges.replace(8 + 2 + 32, 4, Int(0x40000000));
  TMemoryStream bad(ranges);
  EXPECT_THROW(target.LoadFromStream(bad), EReadError);
}
