// The stored form of compiled tables and settings: byte-exact round trips, the older version,
// and refusal of damaged input without leaving half-read tables or changed settings.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

#include "ParserTesting.h"
#include "highlight/Compressor.h"
#include "highlight/HandlerCodes.h"
#include "toolkit/StreamEncoding.h"

using namespace ql;
using namespace ql::test;

namespace {

// Every kind of record the stored form carries: state tables with ranges of entries, match
// units, handler codes, containers, push and pop, context, anchor, bound and start sets, a
// keyword list, auto-replace and templates.
const char kRichScript[] =
    "%%language\r\n"
    "name = 'Rich'\r\n"
    "startstate = [0, 3]\r\n"
    "anchor = [0, 1]\r\n"
    "boundstates = [2]\r\n"
    "contextstates = (1, 2 [2]), (5 [0, 3])\r\n"
    "GutterFontName = 'Arial'\r\n"
    "%%words\r\n"
    "'<' '[a-z]' 1\r\n"
    "'x' '' 6 [2]\r\n"
    "%%handlers\r\n"
    "1 '[\\000-\\377]' * '>' _use_\r\n"
    "5 __STD_IDENTIFIER\r\n"
    "6 match (7) *\r\n"
    "7 'a' match (3) _discard_\r\n"
    "8 'x' 'y[a-c]' _discard_\r\n"
    "9 _WEB_CHAR\r\n"
    "%%tokens\r\n"
    "3 '&' '[#0-9a-zA-Z]' * ';' _use_\r\n"
    "10 __STD_IDENTIFIER [2]\r\n"
    "11 '[0-9]' 16 __STD_NUMBER 0\r\n"
    "InState 1 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ )\r\n"
    "InState 4 ( 12 '!' 'x' 'y' 1  13 '?' match (4) )\r\n"
    "%%states\r\n"
    "2 push ( +5 )\r\n"
    "4 pop ( -[1] )\r\n"
    "12 ( ) push\r\n"
    "%%containers\r\n"
    "1 ( +1 -0 )\r\n"
    "%%kwTables\r\n"
    "forstate [1, 2] endswith '[^a-z]' ( 10 is 'if', 'then' )\r\n"
    "%%autoreplace 'teh' = 'the'\r\n"
    "%%templates 'if' = 'if ()'\r\n";

struct TRead {
  std::unique_ptr<TCompiledTables> Tables = std::make_unique<TCompiledTables>();
  std::unique_ptr<TSM_Settings> Settings = std::make_unique<TSM_Settings>();
};

TRead ReadInner(const std::string& inner, int32_t version = ParserStreamVersion) {
  TRead r;
  TMemoryView in(inner);
  ReadParserInner(in, *r.Tables, *r.Settings, version);
  EXPECT_EQ(in.Position(), in.Size()) << "the inner stream is read exactly";
  return r;
}

// Where the scanner tables start in an inner stream: after the settings and the keyword table.
size_t TablesOffset(TCompiled& c) {
  TMemoryStream keywords;
  c.Tables->Keywords.SaveToStream(keywords);
  c.Settings->StreamVersion = ParserStreamVersion;
  const size_t settings = SettingsBytes(*c.Settings).size();
  c.Settings->StreamVersion = INT32_MAX;
  return settings + keywords.Bytes().size();
}

void PutInteger(std::string& bytes, size_t at, int32_t value) { std::memcpy(&bytes[at], &value, 4); }

bool TablesAreClear(const TCompiledTables& t) {
  for (const auto& h : t.Handlers)
    if (h) return false;
  for (const auto& e : t.DefaultTokens.Entries)
    if (e) return false;
  return t.Keywords.Words().empty() && !t.HasStateTables() && t.Groups.Count() == 1;
}

TEST(StoredForm, XmlDefinitionRoundTripsByteForByte) {
  TCompiled xml = CompileXmlScript();
  const std::string inner = InnerBytes(xml);
  const std::string form = StoredForm(xml);

  TMemoryView header(form);
  EXPECT_EQ(ReadWord(header), 51);
  EXPECT_EQ(ReadInteger(header), static_cast<int32_t>(inner.size()));
  EXPECT_EQ(form.substr(6, 4), "WRZL");
  std::cout << "XML definition: inner stream " << inner.size() << " bytes, compressed stream " << form.size() - 6
            << " bytes\n";

  TRead back;
  TMemoryView in(form);
  const uint16_t version = ReadParserFormVersion(in);
  ReadParserFormBody(in, version, *back.Tables, *back.Settings);
  EXPECT_EQ(in.Position(), in.Size());
  EXPECT_EQ(InnerBytes(*back.Tables, *back.Settings), inner);
  TCompiled again{std::move(back.Tables), std::move(back.Settings)};
  EXPECT_EQ(StoredForm(again), form);

  // The tables as the scanner sees them.
  const TCompiledTables& t = *again.Tables;
  EXPECT_EQ(t.Handlers, xml.Tables->Handlers);  // groups come back in the same order
  EXPECT_EQ(t.DefaultTokens, xml.Tables->DefaultTokens);
  EXPECT_EQ(t.StateRecords, xml.Tables->StateRecords);
  EXPECT_EQ(t.ContextSets, xml.Tables->ContextSets);
  EXPECT_EQ(again.Settings->LanguageName, "XML");
  EXPECT_EQ(again.Settings->KeyController().ActionNames(), xml.Settings->KeyController().ActionNames());
}

TEST(StoredForm, EveryKindOfRecordRoundTrips) {
  TCompiled rich = Compile(kRichScript);
  ASSERT_TRUE(rich.Tables->HasStateTables());
  ASSERT_TRUE(rich.Tables->UsesMatch);
  // A range entry, which no script produces, travels with its state table.
  TTokenRange range;
  range.Low = 300;
  range.High = 400;
  range.Entry = *rich.Tables->StateTable(4).Entries['!'];
  rich.Tables->StateTable(4).Ranges.push_back(range);

  const std::string inner = InnerBytes(rich);
  TRead back = ReadInner(inner);
  const TCompiledTables& t = *back.Tables;
  EXPECT_EQ(InnerBytes(t, *back.Settings), inner);

  EXPECT_EQ(t.StatesWithTables, (TByteSet{1, 4}));
  EXPECT_EQ(t.StateTokens[4]->Ranges.size(), 1u);
  EXPECT_TRUE(t.UsesMatch);
  EXPECT_EQ(t.StartStates, (TByteSet{0, 3}));
  EXPECT_EQ(t.Anchor, (TByteSet{0, 1}));
  EXPECT_EQ(t.Bound, TByteSet{2});
  for (int v = 0; v < 256; ++v) EXPECT_EQ(t.ContextOf(static_cast<uint8_t>(v)), rich.Tables->ContextOf(static_cast<uint8_t>(v))) << v;
  EXPECT_EQ(t.StateRecords, rich.Tables->StateRecords);
  EXPECT_EQ(t.Handlers[5]->Start.Code, hcStdIdentifier);
  EXPECT_EQ(t.Handlers[7]->End.Kind, ekMatch);
  EXPECT_EQ(back.Settings->KeywordTableCount(), 1);
  EXPECT_EQ(back.Settings->AutoReplace().Count(), 1);
  EXPECT_EQ(back.Settings->Templates().Count(), 1);
  EXPECT_EQ(back.Settings->GutterFont().Name, "Arial");
}

TEST(StoredForm, VersionFiftyHasNoGutterFont) {
  TCompiled rich = Compile(kRichScript);
  const std::string inner50 = InnerBytes(rich, 50);
  EXPECT_LT(inner50.size(), InnerBytes(rich).size());

  // A whole version-50 form, as older windows stored it.
  TMemoryStream form;
  WriteWord(form, 50);
  WriteInteger(form, static_cast<int32_t>(inner50.size()));
  TMemoryView innerStream(inner50);
  CompressStream(innerStream, form, cmCompressorKH);

  TRead back;
  form.SetPosition(0);
  const uint16_t version = ReadParserFormVersion(form);
  ASSERT_EQ(version, 50);
  ReadParserFormBody(form, version, *back.Tables, *back.Settings);
  EXPECT_EQ(back.Settings->GutterFont(), TFontSpec{});
  EXPECT_EQ(back.Settings->LanguageName, "Rich");
  EXPECT_EQ(InnerBytes(*back.Tables, *back.Settings, 50), inner50);
}

// A failed read leaves the tables empty and the settings as they were.
void ExpectRefused(const std::string& inner, const char* what) {
  static TCompiled xml = CompileXmlScript();
  TRead target;
  target.Settings->Assign(*xml.Settings);
  target.Tables->Handlers[9] = THandlerEntry{};
  const std::string before = SettingsBytes(*target.Settings);
  TMemoryView in(inner);
  EXPECT_THROW(ReadParserInner(in, *target.Tables, *target.Settings, ParserStreamVersion), Exception) << what;
  EXPECT_TRUE(TablesAreClear(*target.Tables)) << what;
  EXPECT_EQ(SettingsBytes(*target.Settings), before) << what;
}

TEST(StoredForm, TruncatedInnerStreamsAreRefused) {
  TCompiled rich = Compile(kRichScript);
  const std::string inner = InnerBytes(rich);
  // Coarsely through the settings (whose reader has its own tests), closely through the tables.
  for (size_t cut = 0; cut < inner.size(); cut += (cut < TablesOffset(rich) ? 97 : 3)) {
    ExpectRefused(inner.substr(0, cut), ("cut at " + std::to_string(cut)).c_str());
  }
}

TEST(StoredForm, ValuesTheScannerCannotRunAreRefused) {
  // Each script's scanner tables begin with the handler count, the default table count, the
  // context count and the state record count, each 4 bytes.
  struct TCase {
    const char* script;
    size_t offset;  // from the start of the tables
    bool byte;      // a byte, else a 32-bit integer
    int32_t value;
    const char* what;
  };
  const size_t handler = 4 + 1;                    // after the count and the token value
  const size_t handlerEnd = handler + 1 + 37 + 1;  // after the group start unit
  const size_t record = 4 + 4 + 4 + 4 + 1;         // the first state record
  const TCase cases[] = {
      {"%%handlers 1 'a' 'b' 1", handlerEnd + 2, true, 5, "five end groups"},
      {"%%handlers 1 'a' 'b' 1", 0, false, 0x7FFFFFFF, "a handler count beyond the data"},
      {"%%handlers 1 'a' 'b' 1", 0, false, -1, "a negative count"},
      {"%%states 2 push ( +5 )", record + 96 + 2, true, 3, "push/pop code 3"},
      {"%%tokens 3 '&' 'a' ';' 1", 4, false, 0x10000000, "a token count beyond the data"},
  };
  for (const TCase& c : cases) {
    TCompiled compiled = Compile(c.script);
    std::string inner = InnerBytes(compiled);
    const size_t at = TablesOffset(compiled) + c.offset;
    if (c.byte) inner[at] = static_cast<char>(c.value);
    else PutInteger(inner, at, c.value);
    ExpectRefused(inner, c.what);
  }

  // A keyword value outside 0..255: the value is the last integer before the closing empty name.
  TCompiled words = Compile("%%words 'x' '' 6");
  std::string inner = InnerBytes(words);
  PutInteger(inner, TablesOffset(words) - 5, 300);
  ExpectRefused(inner, "keyword value 300");
}

TEST(StoredForm, UnknownHandlerCodesBecomeUnitsThatFail) {
  for (const int32_t code : {3, 9, 21, -1, 1000000}) {
    SCOPED_TRACE(code);
    // Tables as a damaged stored form would hold them (the compiler refuses such codes).
    TCompiled damaged = Compile("%%handlers 6 'a' 'b' 1 %%tokens 7 '[0-9]' 16 __STD_NUMBER 0");
    TCompiledTables& d = *damaged.Tables;
    d.Handlers[5] = THandlerEntry{false, TScanUnit{ukHandler, 0, code}, TEndSequence{}};
    d.Handlers[6]->End = TEndSequence{ekHandler, true, 0, {}, code};
    d.DefaultTokens.Entries['0']->Continuation.Code = code;
    d.DefaultTokens.Entries['0']->End.Code = code;
    TTokenEntry standard;
    standard.Start = TScanUnit{ukHandler, 0, code};
    standard.States = TByteSet{0};
    standard.Value = 8;
    d.DefaultTokens.Entries['x'] = standard;

    TRead back = ReadInner(InnerBytes(damaged));
    const TCompiledTables& t = *back.Tables;
    const TScanUnit& failing = t.Handlers[5]->Start;
    EXPECT_EQ(failing.Kind, ukGroup);
    EXPECT_FALSE(t.Group(failing.Group).IsEmpty());  // not the empty group, which means "no condition"
    for (int ch = 0; ch < 256; ++ch) ASSERT_FALSE(t.Group(failing.Group).Contains(static_cast<uint8_t>(ch)));

    const TEndSequence& end = t.Handlers[6]->End;
    EXPECT_EQ(end.Kind, ekGroups);
    EXPECT_EQ(end.GroupCount, 1);
    EXPECT_EQ(end.Groups[0], failing.Group);

    const TTokenEntry& digit = *t.DefaultTokens.Entries['0'];
    EXPECT_EQ(digit.Continuation, failing);
    EXPECT_EQ(digit.End.Groups[0], failing.Group);
    EXPECT_EQ(*t.DefaultTokens.Entries['1'], *d.DefaultTokens.Entries['1']);  // the valid entries stay

    // A standard-handler entry whose handler does not exist yields its first character alone.
    const TTokenEntry& x = *t.DefaultTokens.Entries['x'];
    EXPECT_EQ(x.Start, failing);
    EXPECT_EQ(x.Continuation, failing);
    EXPECT_EQ(x.End.Kind, ekNone);
    EXPECT_EQ(x.Value, 8);
  }
}

TEST(StoredForm, DamagedOuterFormsAreRefused) {
  TCompiled xml = CompileXmlScript();
  const std::string form = StoredForm(xml);
  struct TCase {
    size_t at;
    char byte;
    const char* what;
  };
  const TCase cases[] = {
      {2, '\x01', "inner size one too large"},
      {6, 'X', "no compressed header"},
      {10, '\x7F', "original size changed"},
      {form.size() / 2, '\xFF', "a damaged chunk"},
  };
  for (const TCase& c : cases) {
    std::string damaged = form;
    damaged[c.at] = static_cast<char>(damaged[c.at] + c.byte);
    SCOPED_TRACE(c.what);
    TRead target;
    TMemoryView in(damaged);
    const uint16_t version = ReadParserFormVersion(in);
    try {
      ReadParserFormBody(in, version, *target.Tables, *target.Settings);
      // A damaged chunk may still decode; then it decoded to something the reader took or refused.
      EXPECT_EQ(c.at, form.size() / 2) << c.what;
    } catch (const Exception&) {
      EXPECT_TRUE(TablesAreClear(*target.Tables)) << c.what;
    }
  }
  // A huge size in both places is refused before anything is unpacked.
  std::string huge = form;
  for (const size_t at : {size_t{2}, size_t{10}}) {
    huge[at + 2] = '\x00';
    huge[at + 3] = '\x7F';
  }
  {
    TRead target;
    TMemoryView in(huge);
    const uint16_t version = ReadParserFormVersion(in);
    EXPECT_THROW(ReadParserFormBody(in, version, *target.Tables, *target.Settings), EReadError);
  }
  for (size_t cut : {size_t{0}, size_t{1}, size_t{5}, size_t{9}, form.size() - 1}) {
    TRead target;
    TMemoryView in(form.data(), static_cast<int64_t>(cut));
    EXPECT_THROW({
      const uint16_t version = ReadParserFormVersion(in);
      ReadParserFormBody(in, version, *target.Tables, *target.Settings);
    }, Exception) << cut;
  }
}

}  // namespace
