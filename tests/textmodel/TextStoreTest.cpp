#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "IndexChecks.h"
#include "StoreChecks.h"
#include "textmodel/InkMemoStrings.h"
#include "textmodel/TextControl.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"

using namespace ql;
using ql::test::ExpectConsistent;
using ql::test::ExpectIndexAgrees;
using ql::test::ReferenceNormalise;
using ql::test::StoredText;

namespace {

std::string Written(TTextStore& store, TLineBreakForm form) {
  TMemoryStream s;
  store.WritePlainText(0, store.TextLength, form, s);
  EXPECT_EQ(store.PlainTextLength(0, store.TextLength, form), s.Size());
  return s.Bytes();
}

}  // namespace

TEST(TextStore, NewStoreIsEmpty) {
  TTextStore store;
  EXPECT_EQ(store.FirstRow, nullptr);
  EXPECT_EQ(store.RowCount, 0);
  EXPECT_EQ(store.TextLength, 0);
  EXPECT_EQ(store.LongestRow, 1);
  EXPECT_EQ(store.LineCount(), 1);
  EXPECT_EQ(store.RowText(0), "");
  const TRowPos pos = store.LocateRow(0);
  EXPECT_EQ(pos.Row, nullptr);
  EXPECT_EQ(pos.Index, 0);
}

TEST(TextStore, NormalisesIncomingText) {
  struct Case {
    std::string in;
    std::string stored;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", "a\rb\r"},
      {"x\ny\n\rz\r", "x\ry\rz\r"},
      {"a\n\nb", "a\r\rb"},
      {"a\r\rb", "a\r\rb"},
      {"\n\r\r\n", "\r\r"},
      {std::string("a\x01\x1b\tb\x80\xff", 7), std::string("a..\tb\x80\xff", 7)},
      {std::string("a\0b", 3), "a.b"},
      {"\n", "\r"},
      {std::string("\x07", 1), "."},
      {std::string("\0", 1), "."},
  };
  for (const auto& c : cases) {
    TTextStore store;
    store.InsertText(0, c.in);
    EXPECT_EQ(StoredText(store), c.stored) << c.in;
    ExpectConsistent(store);
  }
}

// Runs of ordinary characters and TABs are normalised eight bytes at a time; a control
// character or line break anywhere in such a run must still be caught.
TEST(TextStore, NormalisesControlsAmongTabs) {
  const std::string in = std::string("\t\t\tab\t\tc\x01\t\tdefgh\t\n\t\t\t\t\t\t\t\t\x1f", 27) + "\x7f\x80\x89\x9f\xa0xyz";
  const std::string stored = std::string("\t\t\tab\t\tc.\t\tdefgh\t\r\t\t\t\t\t\t\t\t.") + "\x7f\x80\x89\x9f\xa0xyz";
  for (size_t shift = 0; shift < 8; ++shift) {
    TTextStore store;
    store.InsertText(0, std::string(shift, 'q') + in);
    EXPECT_EQ(StoredText(store), std::string(shift, 'q') + stored) << shift;
  }
}

TEST(TextStore, SingleCharacterInsertsGoIntoTheirRow) {
  TTextStore store;
  store.InsertText(0, "ac\r");
  TTextRow* row = store.FirstRow;
  store.InsertText(1, "b");
  EXPECT_EQ(store.FirstRow, row) << "no row is rebuilt for one typed character";
  EXPECT_EQ(StoredText(store), "abc\r");
  store.InsertText(1, "\t");
  EXPECT_TRUE(store.FirstRow->Flags & rfHasTab);
  store.InsertText(2, "\n");
  EXPECT_EQ(StoredText(store), "a\t\rbc\r");
  EXPECT_EQ(store.RowCount, 2);
  ExpectConsistent(store);
}

TEST(TextStore, LocatesRowsAndTheVirtualLine) {
  TTextStore store;
  store.InsertText(0, "a\r\nb\r\n");
  EXPECT_EQ(StoredText(store), "a\rb\r");
  EXPECT_EQ(store.TextLength, 4);
  EXPECT_EQ(store.RowCount, 2);
  struct Case {
    int32_t offset, index, start;
  };
  for (const Case c : {Case{0, 0, 0}, Case{1, 0, 0}, Case{2, 1, 2}, Case{3, 1, 2}, Case{4, 2, 2}}) {
    const TRowPos pos = store.LocateRow(c.offset);
    EXPECT_EQ(pos.Index, c.index) << c.offset;
    EXPECT_EQ(pos.Start, c.start) << c.offset;
  }
  EXPECT_EQ(store.RowStart(1), 2);
  EXPECT_EQ(store.RowStart(2), 4);
  EXPECT_EQ(store.RowStart(99), 4);
  EXPECT_EQ(store.RowLengthAt(3), 1);
  EXPECT_EQ(store.RowText(1), "b");

  TTextStore noBreak;
  noBreak.InsertText(0, "ab");
  EXPECT_EQ(noBreak.LocateRow(2).Index, 0) << "the end of a text without final CR is on the last row";
}

TEST(TextStore, LocateRowAgreesFromAnyTopRow) {
  TTextStore store;
  std::string text;
  for (int i = 0; i < 200; ++i) text += std::string(i % 7, 'x') + "\r";
  store.InsertText(0, text);
  for (int top : {0, 50, 120, 199}) {
    store.SetTopRowIndex(top);
    int32_t start = 0;
    int32_t index = 0;
    for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next, ++index) {
      for (int32_t k = 0; k < r->Length; ++k) {
        const TRowPos pos = store.LocateRow(start + k);
        ASSERT_EQ(pos.Row, r);
        ASSERT_EQ(pos.Index, index);
        ASSERT_EQ(pos.Start, start);
      }
      start += r->Length;
    }
  }
}

TEST(TextStore, SplitsLongLinesIntoContinuationRows) {
  TTextStore store;
  store.InsertText(0, std::string(5000, 'q'));
  ASSERT_EQ(store.RowCount, 3);
  EXPECT_EQ(store.FirstRow->Length, 2047);
  EXPECT_EQ(store.FirstRow->Next->Length, 2047);
  EXPECT_EQ(store.FirstRow->Next->Next->Length, 906);
  EXPECT_FALSE(store.FirstRow->MarkBits & mbContinuation);
  EXPECT_TRUE(store.FirstRow->Next->MarkBits & mbContinuation);
  EXPECT_TRUE(store.FirstRow->Next->Next->MarkBits & mbContinuation);
  ExpectConsistent(store);
}

TEST(TextStore, TypingIntoAFullRowKeepsTheRowLimit) {
  TTextStore store;
  store.InsertText(0, std::string(2046, 'a') + "\r");
  store.InsertText(5, "b");
  ExpectConsistent(store);
  EXPECT_EQ(store.RowCount, 2);
  EXPECT_EQ(store.TextLength, 2048);
  EXPECT_EQ(store.LongestRow, 2047);
}

TEST(TextStore, JoiningDeletionKeepsTheRowLimit) {
  TTextStore store;
  store.InsertText(0, std::string(2000, 'a') + "\r" + std::string(2000, 'b'));
  store.DeleteText(2000, 2001);
  ExpectConsistent(store);
  EXPECT_EQ(StoredText(store), std::string(2000, 'a') + std::string(2000, 'b'));
}

TEST(TextStore, WritesThreeLineBreakForms) {
  TTextStore store;
  store.InsertText(0, "a\rb");
  EXPECT_EQ(Written(store, TLineBreakForm::CRLF), "a\r\nb");
  EXPECT_EQ(Written(store, TLineBreakForm::CR), "a\rb");
  EXPECT_EQ(Written(store, TLineBreakForm::LF), "a\nb");
  TMemoryStream part;
  store.WritePlainText(3, 1, TLineBreakForm::CRLF, part);
  EXPECT_EQ(part.Bytes(), "\r\nb");
}

TEST(TextStore, DeletingEverythingEmptiesTheStore) {
  struct Host : TTextStoreHost {
    std::vector<std::pair<int32_t, int32_t>> changes;
    bool emptied = false;
    void TextChanged(int32_t o, int32_t d) override { changes.emplace_back(o, d); }
    void TextEmptied() override { emptied = true; }
  } host;
  TTextStore store(&host);
  store.InsertText(0, "ab\rcd");
  store.DeleteText(1, 4);
  EXPECT_EQ(StoredText(store), "ad");
  store.DeleteText(0, 2);
  EXPECT_EQ(store.FirstRow, nullptr);
  EXPECT_EQ(store.RowCount, 0);
  EXPECT_EQ(store.LongestRow, 0);
  EXPECT_TRUE(host.emptied);
  const std::vector<std::pair<int32_t, int32_t>> expected{{0, 5}, {1, -3}, {0, 0}};
  EXPECT_EQ(host.changes, expected);
}

TEST(TextStore, AttachmentsMoveWithTheirRow) {
  struct Tag : TRowAttachment {
    int* freed;
    explicit Tag(int* f) : freed(f) {}
    ~Tag() override { ++*freed; }
  };
  int freed = 0;
  TTextStore store;
  store.InsertText(0, "one\rtwo\rthree\r");
  TTextRow* two = store.FirstRow->Next;
  two->Attachment = std::make_unique<Tag>(&freed);
  two->Attachment->SetRow(two);
  two->MarkBits = 0x0004;
  store.InsertText(5, "XX\rYY");
  TTextRow* first = store.FirstRow->Next;
  ASSERT_NE(first->Attachment, nullptr);
  EXPECT_EQ(first->Attachment->Row(), first);
  EXPECT_EQ(first->MarkBits, 0x0004);
  EXPECT_EQ(first->Next->MarkBits, 0);
  store.DeleteText(5, 8);
  EXPECT_EQ(freed, 0);
  EXPECT_EQ(store.FirstRow->Next->Attachment->Row(), store.FirstRow->Next);
  store.DeleteText(0, store.TextLength);
  EXPECT_EQ(freed, 1);
}

// Random edits checked against a plain string: the stored text, the counters, the row
// invariants, Lines, row lookups and the row index must all agree after every step. Pieces
// range from single characters to more than two chunks, with every kind of line break, and
// lines grow past the row limit; characters are typed into full rows (which split), line breaks
// between long rows are deleted (which join them), the whole text is deleted, and texts are
// loaded and appended through the bulk path.
TEST(TextStore, RandomEditsMatchAPlainStringModel) {
  std::mt19937 rng(1234);
  const std::string breaks[] = {"\r", "\n", "\r\n", "\n\r", "\t", std::string(1, '\0'), "\x1b"};
  const auto randomText = [&](size_t n, unsigned density) {
    std::string piece;
    while (piece.size() < n) piece += rng() % density == 0 ? breaks[rng() % 7] : std::string(1, 'a' + rng() % 3);
    return piece;
  };
  for (int round = 0; round < 12; ++round) {
    TTextControl control;
    TTextStore& store = control.Store();
    std::string model;
    store.SetTopRowIndex(static_cast<int32_t>(rng() % 5));
    for (int step = 0; step < 120; ++step) {
      const int32_t len = static_cast<int32_t>(model.size());
      const unsigned op = rng() % 40;
      if (op == 0 && len > 0) {
        store.DeleteText(0, len);
        model.clear();
      } else if (op == 1) {
        const std::string text = randomText(rng() % 30000, rng() % 2 == 0 ? 12 : 3000);
        control.SetText(text);
        model = ReferenceNormalise(text);
      } else if (op == 2) {
        const std::string text = randomText(rng() % 20000, 40);
        store.AppendText(text);
        model += ReferenceNormalise(text);
      } else if (op < 6) {
        // A character typed into a full row, or the line break after a long row deleted.
        const bool join = op == 5;
        int32_t start = 0;
        std::vector<std::pair<int32_t, const TTextRow*>> candidates;
        for (const TTextRow* row = store.FirstRow; row != nullptr; start += row->Length, row = row->Next) {
          if (join ? row->EndsWithCR() && row->Length > 1000 : row->Length == MaxRowLength) candidates.emplace_back(start, row);
        }
        if (candidates.empty()) continue;
        const auto [rowStart, row] = candidates[rng() % candidates.size()];
        if (join) {
          const int32_t at = rowStart + row->Length - 1;
          store.DeleteText(at, at + 1);
          model.erase(static_cast<size_t>(at), 1);
        } else {
          const int32_t at = rowStart + static_cast<int32_t>(rng() % MaxRowLength);
          store.InsertText(at, "z");
          model.insert(static_cast<size_t>(at), "z");
        }
      } else if (rng() % 3 != 0 || len == 0) {
        const unsigned kind = rng() % 10;
        const size_t n = kind == 0 ? 8000 + rng() % 12000 : kind == 1 ? 2000 + rng() % 3000 : rng() % 4 + 1;
        const std::string piece = randomText(n, kind == 1 ? 4000 : 12);  // some pieces are one long line
        const int32_t at = static_cast<int32_t>(rng() % (len + 1));
        store.InsertText(at, piece);
        model.insert(static_cast<size_t>(at), ReferenceNormalise(piece));
      } else {
        const int32_t a = static_cast<int32_t>(rng() % (len + 1));
        const int32_t b = rng() % 4 == 0 ? static_cast<int32_t>(rng() % (len + 1)) : std::min(len, a + 1);
        store.DeleteText(a, b);
        model.erase(static_cast<size_t>(std::min(a, b)), static_cast<size_t>(std::abs(a - b)));
      }
      ASSERT_EQ(StoredText(store), model) << "round " << round << " step " << step;
      ExpectConsistent(store);
      ASSERT_NO_FATAL_FAILURE(ExpectIndexAgrees(store, rng)) << "round " << round << " step " << step;
      ASSERT_EQ(control.Lines().Count(), store.RowCount);
      std::string joined;
      std::vector<std::string> rows;
      for (const TTextRow* row = store.FirstRow; row != nullptr; row = row->Next) {
        rows.emplace_back(row->Content());
        joined += rows.back() + (row->EndsWithCR() ? "\r" : "");
      }
      for (int probes = 0; probes < 3 && !rows.empty(); ++probes) {
        const int32_t i = static_cast<int32_t>(rng() % rows.size());
        ASSERT_EQ(control.Lines().Get(i), rows[static_cast<size_t>(i)]);
      }
      ASSERT_EQ(joined, model);
      if (rng() % 10 == 0) store.SetTopRowIndex(static_cast<int32_t>(rng() % (store.RowCount + 1)));
      const int32_t probe = static_cast<int32_t>(rng() % (model.size() + 1));
      const TRowPos pos = store.LocateRow(probe);
      if (pos.Row != nullptr) {
        EXPECT_EQ(store.GetRange(pos.Start, pos.Start + pos.Row->Length), std::string(pos.Row->All()));
        EXPECT_LE(pos.Start, probe);
      }
    }
  }
}
