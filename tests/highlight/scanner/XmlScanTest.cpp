// The shipped XML definition cutting text into token values: single cases, and the fixture
// files checked three ways (whole text, line by line from restart points, and re-highlighting
// after random single-character edits), which must all agree.
#include "ScannerTesting.h"
#include "highlight/Rescan.h"

using namespace ql;
using namespace ql::test;

namespace {

// 0 text, 1 tag, 2 processing instruction, 3 entity, 4 comment.
TEST(XmlScan, TokenValuesOfTheDefinition) {
  TScriptParser xml(XmlScript());
  const struct {
    const char* text;
    const char* values;
  } cases[] = {
      {"<a>", "111"},
      {"</a>", "1111"},
      {"< a", "000"},                            // "<" needs a letter or "/" after it
      {"a < b", "00000"},
      {"a<b>c", "01110"},
      {"<a\rhref='x'>", "111111111111"},          // a tag across lines, its CR included
      {"<a title='x>y'>", "111111111111000"},      // the tag ends at the first ">"
      {"<?xml version=\"1.0\"?>", "222222222222222222222"},
      {"<!-- c > d -->x", "444444444444440"},
      {"<!--->-->", "444444444"},                  // "-->" needs its own two minus signs
      {"<!-- a\rb -->", "444444444444"},
      {"<!DOCTYPE x>", "000000000000"},
      {"&amp;", "33333"},
      {"&#160;&#x41;", "333333333333"},
      {"&amp x", "000000"},                        // without ";" the ampersand stands alone
      {"&amp", "3333"},                            // ... unless the text ends
      {"&;", "33"},
      {"& ;", "000"},
      {"<!-- open", "444444444"},
      {"<abc", "1111"},
  };
  for (const auto& c : cases) EXPECT_EQ(Values(xml, c.text), c.values) << c.text;
}

TEST(XmlScan, TagsAndEntitiesAreSinglePieces) {
  TScriptParser xml(XmlScript());
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Pieces(xml, "<a>"), (P{{1, 3}}));
  EXPECT_EQ(Pieces(xml, "&amp;<!--x-->"), (P{{3, 5}, {4, 8}}));
  EXPECT_EQ(Pieces(xml, "&amp x"), (P{{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}}));
}

std::vector<std::filesystem::path> Fixtures() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(DataDir() / "xml")) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Each row scanned on its own, from the nearest restart point at or before its start: the
// start of the run of anchor value there, with ResetContext of that value.
std::string LineByLine(TCustomInkMemoParser& parser, TTextStore& store, const std::vector<uint8_t>& whole) {
  std::string out;
  TEdStream stream(&store);
  std::vector<uint8_t> piece;
  int32_t rowStart = 0;
  for (const TTextRow* r = store.FirstRow; r != nullptr; rowStart += r->Length, r = r->Next) {
    int32_t restart = rowStart;
    while (restart > 0 && !parser.Anchor().Contains(whole[static_cast<size_t>(restart)])) --restart;
    while (restart > 0 && whole[static_cast<size_t>(restart - 1)] == whole[static_cast<size_t>(restart)]) --restart;
    if (!parser.Anchor().Contains(whole[static_cast<size_t>(restart)])) restart = 0;
    parser.ResetContext(restart == 0 ? 0 : whole[static_cast<size_t>(restart)]);
    stream.StartAt(restart);
    std::vector<uint8_t> values;
    while (stream.CharPos() < rowStart + r->Length) {
      ScanPiece(parser, nullptr, stream, piece);
      values.insert(values.end(), piece.begin(), piece.end());
    }
    const size_t from = static_cast<size_t>(rowStart - restart);
    for (size_t i = from; i < from + r->Length; ++i) out += ValueChar(values[i]);
  }
  return out;
}

TEST(XmlScan, FixturesAgreeThreeWays) {
  TScriptParser xml(XmlScript());
  const auto files = Fixtures();
  ASSERT_GE(files.size(), 3u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    auto store = StoreOf(ReadFile(file));
    const std::vector<uint8_t> whole = ScanText(xml, *store);
    ASSERT_EQ(whole.size(), static_cast<size_t>(store->TextLength));
    const std::string wholeText = ValueText(whole);

    EXPECT_EQ(LineByLine(xml, *store, whole), wholeText);

    TRescanner rescanner(*store, xml);
    rescanner.HighlightAll();
    EXPECT_EQ(RowValues(*store), wholeText);

    ExpectEditsAgree(xml, StoredText(*store), "<>&;!-?/ax \r#", 300);
  }
}

TEST(XmlScan, FixturesCoverEveryTokenValue) {
  TScriptParser xml(XmlScript());
  std::string seen;
  for (const auto& file : Fixtures()) {
    auto store = StoreOf(ReadFile(file));
    seen += ValueText(ScanText(xml, *store));
  }
  for (char v : std::string("01234")) EXPECT_NE(seen.find(v), std::string::npos) << v;
}

}  // namespace
