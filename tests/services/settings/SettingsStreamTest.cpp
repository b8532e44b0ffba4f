#include <gtest/gtest.h>

#include <string>

#include "SettingsFixtures.h"
#include "services/KeyDefaults.h"
#include "services/KeyErrors.h"
#include "toolkit/StreamCopy.h"

using namespace ql;
using namespace ql::test;

namespace {

// The stream form of a fresh settings object, in the pieces the tests splice.
struct FreshForm {
  std::string head;  // strings, integers, style records and map, up to the editable-style count
  std::string editableCount = Int(0);
  std::string middle;  // tab columns, font and the four flags
  std::string tableCount = Int(0);
  std::string tables;  // auto-replace, templates and key controller
  std::string gutterFont;

  FreshForm() {
    head = Str("") + Str("<Custom language>") + Str(">|:") +                           //
           Int(0x03FFDBF0) + Int(2) + Int(80) + Int(0) + Int(34) + Int(1) +          //
           Int(clWhite) + Int(clBtnFace) + Int(clHighlightText) + Int(clHighlight) +  //
           Int(4) +                                                                  // tab default
           Int(1) + Byte(0) + Byte(0) + Int(clBlack) + Int(clWhite) + Byte(0) + Byte(0) + Byte(0) + Int(1) +  // style 0
           Int(0);                                                                   // no map entries
    for (int i = 0; i < 32; ++i) middle += Int(-1);
    middle += Str("Courier New") + Int(10) + Byte(1) + std::string(4, '\0');
    const std::string templatePart = Int(0) + Str("Ctrl+J") + Int(1);
    const std::string triggers = TAutoReplace::DefaultTriggers;
    tables = templatePart + Byte(static_cast<uint8_t>(triggers.size())) + triggers + templatePart + StreamBytes(DefaultKeyTable());
    gutterFont = Str("MS Sans Serif") + Int(8) + Byte(1) + Int(clWindowText) + Byte(0);
  }
  std::string V51() const { return head + editableCount + middle + tableCount + tables + gutterFont; }
};

}  // namespace

TEST(SettingsStream, FreshObjectIsByteExact) {
  TSM_Settings s;
  const FreshForm fresh;
  EXPECT_EQ(StreamBytes(s), fresh.V51());
  s.StreamVersion = 50;
  EXPECT_EQ(StreamBytes(s), fresh.head + fresh.editableCount + fresh.middle + fresh.tableCount + fresh.tables);
}

TEST(SettingsStream, PopulatedObjectRoundTripsAtEachVersionOnly) {
  for (const int32_t version : {50, 51}) {
    TSM_Settings a;
    Populate(a);
    a.StreamVersion = version;
    const std::string bytes = StreamBytes(a);

    TSM_Settings b;
    b.StreamVersion = version;
    Load(b, bytes);
    EXPECT_EQ(StreamBytes(b), bytes) << version;
    EXPECT_EQ(b.TabColumnsText(), "5 9 13");
    EXPECT_EQ(b.KeywordTableCount(), 2);
    EXPECT_NE(b.Keywords()->FindWord("xsl:template", false), nullptr);
    std::string expansion;
    EXPECT_TRUE(b.Templates().LookupTemplate("TPL", expansion));
    EXPECT_TRUE(b.AnyHotspot());
    EXPECT_EQ(b.GutterFont().Name, version == 51 ? "Tahoma" : TFontSpec().Name);
  }

  TSM_Settings a;
  Populate(a);
  a.StreamVersion = 50;
  const std::string v50 = StreamBytes(a);
  a.StreamVersion = 51;
  const std::string v51 = StreamBytes(a);
  ASSERT_EQ(v51.substr(0, v50.size()), v50);
  EXPECT_EQ(v51.substr(v50.size()), Str("Tahoma") + Int(7) + Byte(0) + Int(clGray) + Byte(fsBold | fsItalic));

  TSM_Settings reader;
  reader.StreamVersion = 51;
  EXPECT_THROW(Load(reader, v50), EReadError);  // the gutter font is missing
  reader.StreamVersion = 50;
  TMemoryStream s(v51);
  reader.LoadFromStream(s);
  EXPECT_EQ(s.Position(), static_cast<int64_t>(v50.size()));  // the gutter font is left unread
}

TEST(SettingsStream, AssignCopiesTheWholeLanguageWhateverTheVersions) {
  TSM_Settings a;
  Populate(a);
  a.StreamVersion = 50;
  TSM_Settings b;
  b.StreamVersion = 50;
  b.Assign(a);
  a.StreamVersion = b.StreamVersion = 51;
  EXPECT_EQ(StreamBytes(b), StreamBytes(a));
}

TEST(SettingsStream, TruncatedStreamsRaiseReadErrorsAndChangeNothing) {
  TSM_Settings source;
  Populate(source);
  const std::string good = StreamBytes(source);

  TSM_Settings target;
  target.LanguageName = "Kept";
  target.AddKeywordTable(TByteSet{2}, "", false, {{"kept", 1}});
  const std::string before = StreamBytes(target);
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_THROW(Load(target, good.substr(0, n)), EReadError) << "prefix of " << n << " bytes";
    ASSERT_EQ(StreamBytes(target), before) << "prefix of " << n << " bytes";
  }
}

TEST(SettingsStream, CorruptOrConflictingDataRaisesAndChangesNothing) {
  const FreshForm f;
  auto withTables = [&f](const std::string& count, const std::string& tables) {
    return f.head + f.editableCount + f.middle + count + tables + f.tables + f.gutterFont;
  };
  const std::string set01(1, '\x03');  // states 0 and 1
  const std::string set1(1, '\x02');   // state 1
  auto table = [](const std::string& firstByte, const std::string& words) {
    return firstByte + std::string(31, '\0') + Str("") + Int(0) + words;
  };
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"overlapping keyword tables",
       withTables(Int(2), table(set01, Int(1) + Str("a") + Int(1)) + table(set1, Int(1) + Str("b") + Int(2))),
       "Ambigious key table state definition"},
      {"a duplicate word", withTables(Int(1), table(set1, Int(2) + Str("a") + Int(1) + Str("A") + Int(2))),
       "Duplicate keyword - 'A'"},
      {"a word count beyond the data", withTables(Int(1), table(set1, Int(1000000) + Str("a") + Int(1))), nullptr},
      {"a negative style count", Str("") + Str("") + Str("") + std::string(44, '\0') + Int(-1), nullptr},
      {"a style count beyond the data", Str("") + Str("") + Str("") + std::string(44, '\0') + Int(0x7FFFFFFF), nullptr},
      {"a string length beyond the data", Int(0x7FFFFFF0) + "abc", nullptr},
  };
  TSM_Settings target;
  Populate(target);
  const std::string before = StreamBytes(target);
  for (const auto& c : cases) {
    // Conflicting keyword tables raise what adding them would; broken bytes a read error.
    try {
      Load(target, c.bytes);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const EKeywords& e) {
      EXPECT_NE(c.message, nullptr) << c.what << ": " << e.Message;
      if (c.message != nullptr) {
        EXPECT_EQ(e.Message, c.message) << c.what;
      }
    } catch (const EReadError& e) {
      EXPECT_EQ(c.message, nullptr) << c.what << ": " << e.Message;
    }
    EXPECT_EQ(StreamBytes(target), before) << c.what;
  }
}

TEST(SettingsStream, ConflictingKeySequencesRaiseAmbiguousKeyPair) {
  const FreshForm f;
  const std::string templatePart = Int(0) + Str("Ctrl+J") + Int(1);
  const std::string triggers = TAutoReplace::DefaultTriggers;
  const std::string ctrlY("\x59\x40", 2);  // Ctrl+Y as a 16-bit key code
  const std::string keys = Int(0) + Int(2) + ctrlY + std::string(2, '\0') + Int(40) + ctrlY + std::string(2, '\0') + Int(41);
  const std::string tables = templatePart + Byte(static_cast<uint8_t>(triggers.size())) + triggers + templatePart + keys;
  TSM_Settings target;
  Populate(target);
  const std::string before = StreamBytes(target);
  EXPECT_THROW(Load(target, f.head + f.editableCount + f.middle + f.tableCount + tables + f.gutterFont), EAmbigiousKeyPair);
  EXPECT_EQ(StreamBytes(target), before);
}

TEST(SettingsStream, MoreThanFiftyEditableStylesKeepTheFirstFifty) {
  const FreshForm f;
  std::string editable = Int(60);
  for (int i = 1; i <= 60; ++i) editable += Str("Style " + std::to_string(i) + std::string(30, '.')) + Byte(static_cast<uint8_t>(i));
  TSM_Settings s;
  Load(s, f.head + editable + f.middle + f.tableCount + f.tables + f.gutterFont);
  EXPECT_EQ(s.GetEditableStyle(50).Name, "Style 50" + std::string(17, '.'));  // cut to 25 characters
  EXPECT_EQ(s.GetEditableStyle(50).Style, 50);
  const std::string again = StreamBytes(s);
  EXPECT_EQ(again.substr(f.head.size(), 4), Int(50));
}

TEST(SettingsStream, UndefinedStyleRecordsAreIgnored) {
  const FreshForm f;
  std::string head = f.head;
  // Style 0 as written, but undefined, and with other colours.
  const std::string style0 = Byte(0) + Byte(0) + Int(clBlack) + Int(clWhite) + Byte(0) + Byte(0) + Byte(0) + Int(1);
  const size_t at = head.find(style0);
  ASSERT_NE(at, std::string::npos);
  head.replace(at, style0.size(), Byte(0) + Byte(fsBold) + Int(clRed) + Int(clRed) + Byte(0) + Byte(0) + Byte(0) + Int(0));
  TSM_Settings s;
  Load(s, head + f.editableCount + f.middle + f.tableCount + f.tables + f.gutterFont);
  EXPECT_EQ(s.GetStyle(0), TSM_Settings().GetStyle(0));  // the default style stays defined
  EXPECT_EQ(StreamBytes(s), f.V51());
}
