#include <gtest/gtest.h>

#include <string>

#include "services/AutoReplace.h"
#include "services/CodeTemplates.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

void Load(TCodeTemplates& t, const std::string& bytes) {
  TMemoryStream s(bytes);
  t.LoadFromStream(s);
}

std::string Int(int32_t v) {
  TMemoryStream s;
  WriteInteger(s, v);
  return s.Bytes();
}
std::string Str(const std::string& v) { return Int(static_cast<int32_t>(v.size())) + v; }
std::string Short(const std::string& v) { return std::string(1, static_cast<char>(v.size())) + v; }

std::string Names(const TMacroKeywords& t) {
  std::string out;
  for (int32_t i = 0; i < t.Count(); ++i) out += (i ? "," : "") + t.Name(i);
  return out;
}

}  // namespace

TEST(MacroTables, EntriesAreKeptSortedLowerCasedAndUniqueWithoutRegardToCase) {
  TCodeTemplates t;
  t.AddEntry("Zeta", "", false, "z");
  t.AddEntry("alpha", "first", false, "a");
  t.AddEntry("MiD", "", true, "m");  // case-sensitive names keep their case
  EXPECT_EQ(Names(t), "alpha,MiD,zeta");

  try {
    t.AddEntry("ALPHA", "", false, "other");
    FAIL() << "duplicate accepted";
  } catch (const EKeywords& e) {
    EXPECT_EQ(e.Message, "Duplicate keyword - 'ALPHA'");
  }
  EXPECT_THROW(t.AddEntry("mid", "", true, "x"), EKeywords);  // differs only in case
  std::string expansion;
  ASSERT_TRUE(t.LookupTemplate("Alpha", expansion));
  EXPECT_EQ(expansion, "a");  // the first entry stays
  EXPECT_EQ(t.Entry(t.IndexOf("ALPHA")).Description(), "first");
  EXPECT_FALSE(t.LookupTemplate("alp", expansion));
}

TEST(MacroTables, AddTemplateReplacesAndRemoveEntryDeletesFromListAndTrie) {
  TCodeTemplates t;
  t.AddTemplate("begin", "old", "x");
  t.AddTemplate("BEGIN", "new", "line1\r\nline2\nline3");
  ASSERT_EQ(t.Count(), 1);
  std::string expansion;
  ASSERT_TRUE(t.LookupTemplate("Begin", expansion));
  EXPECT_EQ(expansion, "line1\rline2\rline3");  // normalised on entry
  EXPECT_EQ(t.Entry(0).Description(), "new");
  EXPECT_NE(t.FindWord("nigeb", false), nullptr);  // names sit in the trie reversed

  t.RemoveEntry("nothing");  // no such entry: nothing happens
  t.RemoveEntry("BeGiN");
  EXPECT_EQ(t.Count(), 0);
  EXPECT_EQ(t.FindWord("nigeb", false), nullptr);
}

TEST(MacroTables, LengthsThatTheStreamFormCannotHold) {
  TCodeTemplates t;
  t.AddEntry(std::string(255, 'n'), std::string(300, 'd'), false, "e");
  EXPECT_EQ(t.Entry(0).Description().size(), 255u);  // cut to what can be stored
  EXPECT_THROW(t.AddEntry(std::string(256, 'm'), "", false, "e"), EKeywords);
  EXPECT_THROW(t.AddTemplate(std::string(256, 'n'), "", "e"), EKeywords);
  EXPECT_EQ(t.Count(), 1);

  TAutoReplace a;
  EXPECT_THROW(a.SetTriggers(std::string(256, ';')), EInkMemo);
  EXPECT_EQ(a.Triggers(), TAutoReplace::DefaultTriggers);
}

TEST(MacroTables, TemplateStreamFormIsByteExact) {
  TCodeTemplates t;
  t.AddTemplate("begin", "Block", "begin\r|\rend");
  t.AddTemplate("if", "", "if ");
  const std::string expected = Int(2) + Short("begin") + Short("Block") + Str("begin\r|\rend") +  //
                               Short("if") + Short("") + Str("if ") +                            //
                               Str("Ctrl+J") + Int(1);
  EXPECT_EQ(StreamBytes(t), expected);

  TAutoReplace a;
  a.AddReplacement("teh", "the");
  a.HotKey = 0;
  a.MacroEnabled = false;
  EXPECT_EQ(StreamBytes(a), Int(1) + Short("teh") + Short("") + Str("the") + Str("") + Int(0) +
                               Short(TAutoReplace::DefaultTriggers));

  TCodeTemplates empty;
  EXPECT_EQ(StreamBytes(empty), Int(0) + Str("Ctrl+J") + Int(1));
}

TEST(MacroTables, StreamFormReadsBackAndAssignCopies) {
  TAutoReplace a;
  a.AddReplacement("teh", "the");
  a.AddReplacement("Adn", "and");
  a.SetTriggers(";\\{Return}");
  a.HotKey = scAlt | scShift | VK_F5;

  TAutoReplace b;
  Load(b, StreamBytes(a));
  EXPECT_EQ(StreamBytes(b), StreamBytes(a));
  EXPECT_EQ(b.TriggerKeys(), a.TriggerKeys());
  EXPECT_EQ(b.HotKey, a.HotKey);

  TCodeTemplates c;
  c.Assign(a);  // an auto-replace table is a template table: its templates part is copied
  EXPECT_EQ(Names(c), "adn,teh");

  TKeywords other;
  try {
    c.Assign(other);
    FAIL() << "assigned from another class";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Cannot assign TKeywords to TCodeTemplates");
  }
  EXPECT_EQ(Names(c), "adn,teh");
}

TEST(MacroTables, TruncatedOrCorruptStreamsRaiseReadErrorsAndChangeNothing) {
  TAutoReplace source;
  source.AddReplacement("teh", "the");
  source.AddReplacement("wiht", "with");
  const std::string good = StreamBytes(source);

  TAutoReplace target;
  target.AddReplacement("keep", "me");
  target.SetTriggers(";");
  const std::string before = StreamBytes(target);

  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_THROW(Load(target, good.substr(0, n)), EReadError) << "prefix of " << n << " bytes";
    ASSERT_EQ(StreamBytes(target), before);
  }

  const std::string tail = Str("Ctrl+J") + Int(1);
  const struct {
    const char* what;
    std::string bytes;
  } corrupt[] = {
      {"negative count", Int(-1) + tail + Short(";")},
      {"count beyond the data", Int(0x10000000) + tail + Short(";")},
      {"expansion length beyond the data", Int(1) + Short("a") + Short("") + Int(1000) + "x"},
      {"hotkey that names no key", Int(0) + Str("Ctrl+Nothing") + Int(1) + Short(";")},
      {"unclosed key name in the triggers", Int(0) + tail + Short("\\{Return")},
  };
  for (const auto& c : corrupt) {
    EXPECT_THROW(Load(target, c.bytes), EReadError) << c.what;
    EXPECT_EQ(StreamBytes(target), before) << c.what;
  }

  // A name stored twice is refused as adding it twice would be, naming the entry as written.
  TCodeTemplates templates;
  templates.AddTemplate("keep", "", "me");
  const std::string kept = StreamBytes(templates);
  try {
    Load(templates, Int(3) + Short("b") + Short("") + Str("x") + Short("Ab") + Short("") + Str("y") + Short("aB") +
                        Short("") + Str("z") + tail);
    ADD_FAILURE() << "a duplicate name was accepted";
  } catch (const EKeywords& e) {
    EXPECT_EQ(e.Message, "Duplicate keyword - 'aB'");
  }
  EXPECT_EQ(StreamBytes(templates), kept);
  EXPECT_THROW(Load(target, Int(2) + Short("a") + Short("") + Str("x") + Short("A") + Short("") + Str("y") + tail + Short(";")),
               EKeywords);
  EXPECT_EQ(StreamBytes(target), before);
}
