// Re-highlighting after edits: how many rows a change costs, the bound states that keep it
// going, and agreement with a whole-text scan for scripts with states and containers.
#include "ScannerTesting.h"

using namespace ql;
using namespace ql::test;

namespace {

// <catalog>, 20 rows of items, </catalog>.
std::string Catalog() {
  std::string text = "<catalog>\r";
  for (int i = 0; i < 20; ++i) text += "  <item>row " + std::to_string(i) + "</item>\r";
  return text + "</catalog>";
}

void ClearRepaint(TTextStore& store) {
  for (TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) r->Flags &= ~rfRepaint;
}

std::vector<int> RepaintedRows(const TTextStore& store) {
  std::vector<int> rows;
  int i = 0;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next, ++i)
    if (r->Flags & rfRepaint) rows.push_back(i);
  return rows;
}

struct TEditor {
  explicit TEditor(TCustomInkMemoParser& parser, const std::string& text)
      : Parser(parser), Store(StoreOf(text)), Rescanner(*Store, parser) {
    Rescanner.HighlightAll();
    ClearRepaint(*Store);
  }
  void Insert(int32_t at, const std::string& text) {
    Store->InsertText(at, text);
    Rescanner.TextChanged(at, static_cast<int32_t>(text.size()));
    Rescanner.Rescan();
  }
  void Delete(int32_t at, int32_t count) {
    Store->DeleteText(at, at + count);
    Rescanner.TextChanged(at, -count);
    Rescanner.Rescan();
  }
  // The rows hold what a scan of the whole text gives.
  bool Agrees() {
    auto fresh = StoreOf(StoredText(*Store));
    return RowValues(*Store) == ValueText(ScanText(Parser, *fresh));
  }

  TCustomInkMemoParser& Parser;
  std::unique_ptr<TTextStore> Store;
  TRescanner Rescanner;
};

TEST(Rescan, TypingInARowThatNeedsNoRestylingScansThreeRows) {
  TScriptParser xml(XmlScript());
  TEditor ed(xml, Catalog());
  const int32_t row5 = ed.Store->RowStart(5);
  ed.Insert(row5 + 13, "x");  // inside the text of the item
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 3);  // the row before, the row, and the next row found equal
  EXPECT_EQ(RepaintedRows(*ed.Store), (std::vector<int>{5}));  // row 4 kept its values
  EXPECT_TRUE(ed.Agrees());

  ClearRepaint(*ed.Store);
  ed.Insert(row5 + 3, "\r");  // a new row: two rows without values
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 4);
  EXPECT_TRUE(ed.Agrees());
}

TEST(Rescan, AnOpenCommentRestylesToTheEndAndItsCloseAgain) {
  TScriptParser xml(XmlScript());
  TEditor ed(xml, Catalog());
  const int32_t rows = ed.Store->RowCount;
  ed.Insert(ed.Store->RowStart(3) + 2, "<!--");
  EXPECT_EQ(ed.Rescanner.RowsScanned(), rows - 2);  // from the row before to the last row
  EXPECT_TRUE(ed.Agrees());

  // An unterminated comment is one piece to the end of the text: an edit inside it restyles
  // from before the comment to the end.
  ed.Insert(ed.Store->RowStart(10) + 4, "y");
  EXPECT_EQ(ed.Rescanner.RowsScanned(), rows - 2);
  EXPECT_TRUE(ed.Agrees());

  ed.Insert(ed.Store->RowStart(6), "-->");
  EXPECT_EQ(ed.Rescanner.RowsScanned(), rows - 2);
  EXPECT_TRUE(ed.Agrees());

  // Closed, the comment is a piece from row 3 to row 6: an edit inside it restyles rows 3 (which
  // starts with a value-0 blank, a restart point) to 6.
  ed.Insert(ed.Store->RowStart(4) + 4, "y");
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 4);
  EXPECT_TRUE(ed.Agrees());

  // Deleting the opener again: restyled up to the first row after the comment's old end.
  ed.Delete(ed.Store->RowStart(3) + 2, 4);
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 6);
  EXPECT_TRUE(ed.Agrees());
}

// Block comments; "if" is a word outside blocks only. Restarts go back to a block opener (the
// only anchor value). With distinct, what a block holds has a value of its own; otherwise it
// is 0 and only the states tell it from the text outside.
std::string BlockScript(bool bound, bool distinct) {
  return std::string("%%language anchor = [5] contextstates = (5 [0])") + (bound ? " boundstates = [1]" : "") +
         "\r\n"
         "%%words '/*' '' 5  '*/' '' 6 [1]  'if' '[^a-z]' 8\r\n"
         "%%states 5 ( +1 -0 )  6 ( +0 -1 )\r\n" +
         (distinct ? "%%tokens InState 1 ( 7 '[^*]' 'x' * '[\\000-\\377]' _discard_"
                     "  7 '*' 'x' * '[\\000-\\377]' _discard_ )\r\n"
                   : "");
}

TEST(Rescan, WhileABoundStateIsActiveEqualRowsDoNotStopTheRun) {
  const std::string text = "x\ry\rif\rz\rif\r";
  TScriptParser bound(BlockScript(true, false));
  TEditor withBound(bound, text);
  withBound.Insert(0, "/*");
  EXPECT_EQ(withBound.Rescanner.RowsScanned(), 5);
  EXPECT_TRUE(withBound.Agrees());

  // Without the bound state the run stops at the first equal row, and the "if" after it keeps
  // its stale value: what the bound set is for.
  TScriptParser unbound(BlockScript(false, false));
  TEditor withoutBound(unbound, text);
  withoutBound.Insert(0, "/*");
  EXPECT_EQ(withoutBound.Rescanner.RowsScanned(), 2);
  EXPECT_FALSE(withoutBound.Agrees());
}

TEST(Rescan, ScriptsWithStatesAndContainersAgreeAfterRandomEdits) {
  TScriptParser containers(
      "%%words '<' '[a-zA-Z]' 1\r\n"
      "%%handlers 1 '[\\000-\\377]' * '>' _use_\r\n"
      "%%containers 1 ( +1 -0 )\r\n"
      "%%tokens InState 1 ( 2 '\\x22' '[^\\x22]' * '\\x22' _use_ )\r\n");
  ExpectEditsAgree(containers, "<a href=\"x\">t</a>\r<b c=\"d\re\">\r\"q\"<c\rd=\"1\"\r>x", "<>\"a \r", 300);

  TScriptParser blocks(BlockScript(true, true));
  ExpectEditsAgree(blocks, "if /* if\r x */ if\r/*\rif\r*/\rif x\r", "/*if \rx", 300);
}

TEST(Rescan, TokenSeenReportsEachPieceAndMayChangeItsValue) {
  TScriptParser xml(XmlScript());
  auto store = StoreOf("a<b>\rc");
  TRescanner rescanner(*store, xml);
  std::vector<std::tuple<int, int, int>> seen;
  rescanner.OnTokenSeen = [&](int32_t& value, int32_t start, int32_t end) {
    seen.emplace_back(value, start, end);
    if (value == 1) value = 9;
  };
  rescanner.HighlightAll();
  EXPECT_EQ(seen, (std::vector<std::tuple<int, int, int>>{
                      {-1, -1, -1}, {0, 0, 1}, {1, 1, 4}, {0, 4, 5}, {0, 5, 6}, {-2, -2, -2}}));
  EXPECT_EQ(RowValues(*store), "099900");
}

TEST(Rescan, AForcedRowIsRecomputedEvenWhenUnchanged) {
  TScriptParser xml(XmlScript());
  TEditor ed(xml, Catalog());
  ed.Store->RowByIndex(7).Row->Styles[3] = 4;  // a stale value
  ed.Rescanner.RescanVisible(ed.Store->RowStart(7) + 5);
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 3);
  EXPECT_TRUE(ed.Agrees());
  EXPECT_EQ(ed.Store->RowByIndex(7).Row->Flags & rfForceScan, 0u);

  // Without rfRescan or rfForceScan on the pending row nothing happens.
  ed.Rescanner.TextChanged(ed.Store->RowStart(9));
  ed.Rescanner.Rescan();
  EXPECT_EQ(ed.Rescanner.RowsScanned(), 0);
  EXPECT_FALSE(ed.Rescanner.HasPending());
}

TEST(Rescan, AParserThatCannotScanLeavesTheRowsAlone) {
  TScriptParser p("%%words 'x' '' 1 %%handlers 1 match (1)");
  auto store = StoreOf("x\ry");
  TRescanner rescanner(*store, p);
  rescanner.HighlightAll();
  EXPECT_EQ(RowValues(*store), "---");
  p.OnCustomParse = [](TCustomInkMemoParser&, int32_t, TEdStream&, int32_t&, int32_t&) { return false; };
  rescanner.HighlightAll();
  EXPECT_EQ(RowValues(*store), "000");
}

}  // namespace
