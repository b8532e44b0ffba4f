// How the store keeps its rows: rows that grow in place, memory reused under edits, only the
// rows concerned laid out again at the row limit, and a store where address space is scarce.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "IndexChecks.h"
#include "StoreChecks.h"
#include "textmodel/TextStore.h"

using namespace ql;
using ql::test::ExpectConsistent;
using ql::test::ExpectIndexAgrees;
using ql::test::StoredText;

TEST(RowStorage, TypingGrowsARowInPlace) {
  TTextStore store;
  store.InsertText(0, "ab\rcd\r");
  TTextRow* row = store.FirstRow;
  row->Attachment = std::make_unique<TRowAttachment>();
  row->Attachment->SetRow(row);
  std::string expected = "ab\r";
  for (int i = 0; i < 300; ++i) {
    const char c = static_cast<char>('a' + i % 26);
    store.InsertText(1 + i, std::string(1, c));
    expected.insert(static_cast<size_t>(1 + i), 1, c);
    ASSERT_EQ(store.FirstRow, row) << "the row stays where it is as it outgrows its block";
    ASSERT_EQ(std::string(row->All()), expected);
    ASSERT_EQ(row->Text[row->Length], '\0');
  }
  EXPECT_EQ(row->Attachment->Row(), row);
  EXPECT_EQ(store.FirstRow->Next->Content(), "cd");

  uint8_t* values = row->Styles.Ensure();
  EXPECT_EQ(std::count(values, values + row->Length, 0), row->Length) << "new values are 0";
  values[5] = 7;
  EXPECT_EQ(row->Styles[5], 7);
  EXPECT_EQ(row->Styles.Ensure(), values) << "values are kept once made";
  store.InsertText(2, "q");
  EXPECT_EQ(row->Styles, nullptr) << "typing drops the row's values";
  ExpectConsistent(store);
  std::mt19937 rng(1);
  ExpectIndexAgrees(store, rng);
}

// A character typed and deleted again, all over a text, leaves the text as it was: the blocks
// the edits free are reused, so the rows' memory stays level however long this goes on.
TEST(RowStorage, EditsReuseTheMemoryOfReplacedRows) {
  TTextStore store;
  std::string text;
  std::mt19937 rng(5);
  for (int i = 0; i < 3000; ++i) text += std::string(rng() % 70 + 1, 'x') + "\r";
  store.InsertText(0, text);
  const auto typeAndDelete = [&](int edits) {
    for (int i = 0; i < edits; ++i) {
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(store.TextLength));
      store.InsertText(at, rng() % 8 == 0 ? "\r" : "y");
      store.DeleteText(at, at + 1);
    }
  };
  typeAndDelete(20000);
  const int64_t warm = store.RowBytes();
  typeAndDelete(100000);
  EXPECT_LE(store.RowBytes(), warm + warm / 50);
  EXPECT_EQ(StoredText(store), text);
  ExpectIndexAgrees(store, rng);
}

// Typing into a full continuation row of a long line, or joining two long rows, lays out only
// the rows around the change, never the whole list.
TEST(RowStorage, OnlyTheRowsConcernedAreLaidOutAgain) {
  struct Host : TTextStoreHost {
    std::vector<std::pair<TTextRow*, TTextRow*>> calls;
    void LayoutRows(TTextStore& s, TTextRow* first, TTextRow* last) override {
      calls.emplace_back(first, last);
      s.SplitLongRows(first, last);
    }
  } host;
  TTextStore store(&host);
  store.InsertText(0, std::string(400, 'x') + "\r" + std::string(10000, 'a') + "\r" + std::string(400, 'y'));
  ASSERT_EQ(store.RowCount, 7);

  host.calls.clear();
  TTextRow* typed = store.RowByIndex(2).Row;
  store.InsertText(store.RowStart(2) + 10, "b");
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].first, typed);
  EXPECT_EQ(host.calls[0].second, typed);
  EXPECT_EQ(store.RowByIndex(2).Row->Length, 2047);
  EXPECT_EQ(store.RowByIndex(3).Row->Content(), "a");
  EXPECT_TRUE(store.RowByIndex(3).Row->MarkBits & mbContinuation);
  EXPECT_EQ(store.LongestRow, 2047);

  host.calls.clear();
  TTextRow* after = store.RowByIndex(2).Row;
  store.DeleteText(400, 401);  // the first line break: 400 + 2047 characters in one row
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_NE(host.calls[0].first, nullptr) << "the joined row, first of the text";
  EXPECT_EQ(host.calls[0].second, after);
  EXPECT_EQ(store.FirstRow->Length, 2047);
  ExpectConsistent(store);
  std::mt19937 rng(2);
  ExpectIndexAgrees(store, rng);
}

// With a limit on address space (as some sandboxes set), the rows get a smaller region.
TEST(RowStorage, WorksWithLittleAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer needs unlimited address space";
#endif
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    long long mappedKb = 0;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmSize:", 0) == 0) mappedKb = std::stoll(line.substr(7));
    }
    const rlim_t limit = static_cast<rlim_t>(mappedKb) * 1024 + (rlim_t{1} << 31);
    const rlimit rl{limit, limit};
    if (::setrlimit(RLIMIT_AS, &rl) != 0) ::_exit(2);
    try {
      TTextStore store;
      store.InsertText(0, std::string(5000, 'a') + "\rb\r");
      store.InsertText(3, "x");
      store.DeleteText(10, 4100);
      ::_exit(store.TextLength == 914 && ql::test::StoreDisagreement(store).empty() ? 0 : 1);
    } catch (...) {
      ::_exit(3);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
