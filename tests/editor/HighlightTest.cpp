// Re-highlighting as the text changes, checked against a scan of the whole text; editors that
// share one parser; scanner errors; parsers that go away.
#include <random>

#include "EditorTesting.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "highlight/ScanText.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

// The token values the rows hold, one digit per character.
std::string StoredValues(TCustomInkMemo& memo) {
  std::vector<uint8_t> values(static_cast<size_t>(memo.Store().TextLength));
  TByteBuffer buffer{values.data(), static_cast<int32_t>(values.size())};
  memo.Perform(SMM_GETSTYLES, 0, reinterpret_cast<LPARAM>(&buffer));
  std::string out;
  for (const uint8_t v : values) out += static_cast<char>('0' + v);
  return out;
}

std::string ScannedValues(TCustomInkMemo& memo) {
  std::string out;
  for (const uint8_t v : ScanText(*memo.ActiveParserObject(), memo.Store())) out += static_cast<char>('0' + v);
  return out;
}

class Highlight : public EditorTest {
protected:
  Highlight() : parser(XmlParser()) { memo.SetParser1(parser.get()); }
  std::unique_ptr<TInkMemoParser> parser;
};

TEST_F(Highlight, ALoadedTextIsHighlightedWhole) {
  Load("<a href='x'>text &amp; <!-- note\rstill note --></a>\r");
  EXPECT_EQ(StoredValues(memo), "1111111111110000033333044444444444444444444444411110");
  EXPECT_EQ(StoredValues(memo), ScannedValues(memo));
}

TEST_F(Highlight, EditsAgreeWithAWholeTextScan) {
  Load("<root>\r  <item id='1'>one</item>\r  <item id='2'>two</item>\r</root>\r");
  const struct {
    int32_t at;
    int32_t remove;
    const char* insert;
  } edits[] = {
      {9, 0, "<!--"},                // opens a comment that runs to the end
      {40, 0, "-->"},                // and closes it again
      {0, 0, "<?xml version=\"1.0\"?>\r"},
      {30, 4, ""},                   // breaks a tag
      {20, 0, "&lt;"},
      {5, 30, "\r\r"},
  };
  for (const auto& e : edits) {
    memo.SetSelection(e.at, e.at + e.remove);
    memo.SetSelText(e.insert);
    ASSERT_EQ(StoredValues(memo), ScannedValues(memo)) << e.insert;
  }
  while (memo.CanUndo()) {
    memo.Undo();
    ASSERT_EQ(StoredValues(memo), ScannedValues(memo));
  }
}

TEST_F(Highlight, RandomTypingAndDeletingAgreeWithAWholeTextScan) {
  Load("<doc>\r  <p class='a'>Some &amp; text</p>\r  <!-- a comment -->\r  <p>more</p>\r</doc>\r");
  std::mt19937 random(12);
  const std::u32string typed = U"<>/!-&;'= a\r";
  for (int step = 0; step < 400; ++step) {
    const int32_t length = memo.Store().TextLength;
    const int32_t at = static_cast<int32_t>(random() % static_cast<uint32_t>(length + 1));
    memo.SetSelection(at, at);
    if (random() % 3 == 0) {
      Key(VK_BACK);
    } else {
      Type(std::u32string(1, typed[random() % typed.size()]));
    }
    ASSERT_EQ(StoredValues(memo), ScannedValues(memo)) << "step " << step;
  }
}

TEST_F(Highlight, TypingInATextRowRepaintsThatRowOnly) {
  Load("<a>\rplain text\r<b/>\r");
  memo.SetSelection(8, 8);
  host.ForgetRepaints();
  Type(U"x");
  ASSERT_EQ(host.Invalidated.size(), 1u);
  EXPECT_EQ(host.Invalidated[0].Top, LH);
  EXPECT_FALSE(host.InvalidatedAll);
}

TEST_F(Highlight, ThreeEditorsShareOneParser) {
  TInkMemo second, third;
  second.SetParser1(parser.get());
  third.SetParser1(parser.get());
  Load("<a/>");
  second.SetText("<!-- b");
  third.SetText("&c;");
  second.SetSelection(6, 6);
  second.Perform(WM_CHAR, '-');
  second.Perform(WM_CHAR, '-');
  second.Perform(WM_CHAR, '>');
  memo.SetSelection(0, 0);
  Type(U"x");
  EXPECT_EQ(StoredValues(memo), "01111");
  EXPECT_EQ(StoredValues(second), "444444444");
  EXPECT_EQ(StoredValues(third), "333");
  EXPECT_EQ(parser->ScanOwner, nullptr);
  EXPECT_EQ(&second.Settings(), &parser->Settings());
}

TEST_F(Highlight, AParserThatGoesAwayLeavesTheEditorOnItsOwnSettings) {
  Load("<a/>");
  ASSERT_EQ(&memo.Settings(), &parser->Settings());
  parser.reset();
  EXPECT_EQ(memo.GetParser1(), nullptr);
  EXPECT_EQ(memo.ActiveParserObject(), nullptr);
  Type(U"x");
  Paint();
  EXPECT_EQ(DrawnRow(0), "x<a/>");
}

class TScriptParser : public TCustomInkMemoParser {
public:
  explicit TScriptParser(const std::string& script) {
    TMemoryView in(script);
    CompileScript(in, "", Tables(), Settings());
    TablesChanged();
  }
};

TEST(HighlightErrors, AStackUnderflowEndsTheScanAndTypingGoesOn) {
  TScriptParser parser("%%words\r\n'(' '' 1 [0, 1]\r\n')' '' 2 [0, 1]\r\n%%states\r\n1 push ( +1 )\r\n2 pop ( )\r\n");
  TTestHost host;
  TInkMemo memo(&host);
  memo.Perform(WM_SIZE, 0, MAKELPARAM(800, 340));
  memo.SetParser1(&parser);
  EXPECT_NO_THROW(memo.SetText("ab)cd"));
  EXPECT_NO_THROW(memo.Perform(WM_CHAR, 'x'));
  EXPECT_EQ(memo.GetText(), "xab)cd");
  memo.SetParser1(nullptr);
}

}  // namespace
}  // namespace ql::test
