#pragma once
// Checks of the row store's invariants, shared by the text-model tests.
#include <gtest/gtest.h>

#include <string>

#include "textmodel/TextStore.h"

namespace ql::test {

// The stored characters, rows concatenated.
inline std::string StoredText(const TTextStore& store) {
  std::string out;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) out.append(r->All());
  return out;
}

// Every counter agrees with the rows, and the rows keep their invariants.
inline void ExpectConsistent(const TTextStore& store) {
  int32_t rows = 0;
  int32_t length = 0;
  int32_t longest = 0;
  const TTextRow* prev = nullptr;
  for (const TTextRow* r = store.FirstRow; r != nullptr; prev = r, r = r->Next) {
    ++rows;
    length += r->Length;
    longest = std::max<int32_t>(longest, r->Length);
    ASSERT_GE(r->Length, 1);
    ASSERT_LE(r->Length, MaxRowLength);
    ASSERT_EQ(r->Prev, prev);
    ASSERT_EQ(r->Text[r->Length], '\0');
    for (int i = 0; i < r->Length; ++i) {
      ASSERT_NE(r->Text[i], '\n');
      ASSERT_NE(r->Text[i], '\0');
      if (r->Text[i] == '\r') {
        ASSERT_EQ(i, r->Length - 1) << "a CR ends its row";
      }
    }
    if (r->Next != nullptr) {
      ASSERT_EQ(!r->EndsWithCR(), (r->Next->MarkBits & mbContinuation) != 0) << "continuation follows a row without CR";
    }
  }
  EXPECT_EQ(rows, store.RowCount);
  EXPECT_EQ(length, store.TextLength);
  if (rows > 0) {
    EXPECT_EQ(longest, store.LongestRow);
  }
}

}  // namespace ql::test
