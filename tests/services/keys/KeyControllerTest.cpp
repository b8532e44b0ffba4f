#include <gtest/gtest.h>

#include "KeyTestSupport.h"
#include "services/KeyActions.h"
#include "services/KeyDefaults.h"
#include "services/KeyErrors.h"
#include "services/KeyNames.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/Strings.h"
#include "toolkit/StreamCopy.h"

using namespace ql;
using namespace ql::test;

namespace {

void Load(TKeyboardActionContoller& c, const std::string& bytes) {
  TMemoryStream s(bytes);
  c.LoadFromStream(s);
}

}  // namespace

TEST(KeyController, SetActionNameReplacesTheLastEntryOfTheCodeAtTheEnd) {
  TKeyboardActionContoller c;
  c.SetActionName(5, "five");
  c.SetActionName(6, "six");
  c.SetActionName(5, "FIVE");
  EXPECT_EQ(c.ActionNames(), (std::vector<TActionName>{{"six", 6}, {"FIVE", 5}}));
  EXPECT_EQ(c.GetActionName(5), "FIVE");
  EXPECT_EQ(c.GetActionName(7), "");

  c.SetActionName(1, std::string(255, 'n'));  // the longest name a stream can hold
  EXPECT_THROW(c.SetActionName(2, std::string(256, 'n')), EKeyControllerException);
  EXPECT_EQ(c.GetActionName(2), "");

  c.ClearKeys();
  EXPECT_TRUE(c.ActionNames().empty());
}

TEST(KeyController, StreamFormIsByteExact) {
  TKeyboardActionContoller c;
  c.SetActionName(17, "Indent");
  c.SetActionName(0, "");
  c.AddKeySequence(Ctrl('K'), Shift('I'), 17);
  c.AddKeySequence(VK_LEFT, 0, 0);
  const std::string expected = std::string("\x02\0\0\0", 4) +         // two names
                               std::string("\x11\0\0\0\x06Indent", 11) +  // code 17, "Indent"
                               std::string("\0\0\0\0\x00", 5) +           // code 0, ""
                               std::string("\x02\0\0\0", 4) +             // two sequences
                               std::string("\x25\0\0\0\0\0\0\0", 8) +     // Left, -, 0
                               std::string("\x4B\x40\x49\0\x11\0\0\0", 8);  // Ctrl+K, I (no Shift), 17
  EXPECT_EQ(StreamBytes(c), expected);
}

TEST(KeyController, AssignCopiesNamesAndSequencesThroughTheStreamForm) {
  TKeyboardActionContoller c;
  c.SetActionName(99, "stale");
  c.AddKeySequence(VK_F1, 0, 99);
  c.Assign(DefaultKeyTable());
  EXPECT_EQ(c.ActionNames(), DefaultKeyTable().ActionNames());
  EXPECT_EQ(c.KeyStore().Sequences(), DefaultKeyTable().KeyStore().Sequences());
  EXPECT_EQ(StreamBytes(c), StreamBytes(DefaultKeyTable()));

  TStringList other;
  try {
    c.Assign(other);
    ADD_FAILURE() << "assigned a string list";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Cannot assign a TStringList to a TKeyboardActionContoller");
  }
  EXPECT_EQ(StreamBytes(c), StreamBytes(DefaultKeyTable()));
}

TEST(KeyController, TruncatedStreamRaisesAReadErrorAndChangesNothing) {
  const std::string full = StreamBytes(DefaultKeyTable());
  TKeyboardActionContoller c;
  c.SetActionName(3, "mine");
  c.AddKeySequence(Ctrl('W'), 'X', 3);
  const std::string before = StreamBytes(c);
  for (size_t length = 0; length < full.size(); ++length) {
    EXPECT_THROW(Load(c, full.substr(0, length)), EReadError) << length;
    ASSERT_EQ(StreamBytes(c), before) << length;
  }
  Load(c, full);
  EXPECT_EQ(StreamBytes(c), full);
}

TEST(KeyController, CorruptCountsAreRefusedBeforeAllocating) {
  TKeyboardActionContoller c;
  for (int32_t count : {-1, 0x7FFFFFFF, 2}) {
    TMemoryStream s;
    WriteInteger(s, count);  // names claimed
    WriteInteger(s, 7);
    WriteShortName(s, "only one");
    EXPECT_THROW(Load(c, s.Bytes()), EReadError) << count;
  }
  TMemoryStream s;
  WriteInteger(s, 0);
  WriteInteger(s, 0x10000000);  // sequences claimed, none there
  EXPECT_THROW(Load(c, s.Bytes()), EReadError);
  EXPECT_EQ(c.KeyStore().Count(), 0);
}

TEST(KeyController, ConflictingStreamRaisesWithTheStreamsNamesAndChangesNothing) {
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  TMemoryStream s;
  WriteInteger(s, 2);
  WriteInteger(s, 1);
  WriteShortName(s, "one");
  WriteInteger(s, 2);
  WriteShortName(s, "two");
  WriteInteger(s, 2);
  for (int32_t action : {1, 2}) {
    WriteWord(s, VK_F5);
    WriteWord(s, 0);
    WriteInteger(s, action);
  }
  try {
    Load(c, s.Bytes());
    ADD_FAILURE() << "conflict not found";
  } catch (const EAmbigiousKeyPair& e) {
    EXPECT_EQ(e.Message, "Duplicate key sequence definition for\r\n\"two\" and \"one\"");
  }
  EXPECT_EQ(StreamBytes(c), StreamBytes(DefaultKeyTable()));
}

TEST(KeyController, LoadingForgetsAPartlyTypedSequence) {
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  EXPECT_EQ(Type(c, {{'K', ssCtrl}}).handled, std::vector<bool>{true});
  Load(c, StreamBytes(DefaultKeyTable()));
  EXPECT_FALSE(c.KeyStore().Pending());
  EXPECT_EQ(Type(c, {{'I'}}).handled, std::vector<bool>{false});
  // The loaded table is the controller's own: its errors name its actions.
  EXPECT_THROW(c.AddKeySequence(Ctrl('K'), 0, caCUT), EAmbigiousKeyPair);
}

TEST(KeyNames, SortedNamesOfTriggerKeys) {
  const auto& names = KeyNames();
  EXPECT_EQ(names.size(), 26u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; }));
  const struct {
    const char* name;
    uint16_t key;
  } cases[] = {{"backspace", 8}, {"delete", 46}, {"return", 13}, {"tab", 9},   {"space", 32},
               {"f1", 112},      {"f12", 123},   {"PageUp", 33},  {"pagedown", 34}, {"up", 38},
               {"enter", 0},     {"", 0},        {"f13", 0}};
  for (const auto& k : cases) EXPECT_EQ(KeyNameToVirtualKey(k.name), k.key) << k.name;
}
