#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "textmodel/EdStream.h"
#include "textmodel/StoreChecks.h"
#include "textmodel/TextStore.h"

using namespace ql;
using ql::test::StoredText;

namespace {

struct Text {
  explicit Text(const std::string& text) { store.InsertText(0, text); }
  TTextStore store;
};

// Where the stream claims to be must be where its row and offset really are.
void ExpectAt(const TEdStream& s, const std::string& model, int32_t pos) {
  ASSERT_EQ(s.CharPos(), pos);
  const uint8_t want = pos < static_cast<int32_t>(model.size()) ? static_cast<uint8_t>(model[pos]) : 0;
  ASSERT_EQ(s.PeekChar(), want) << "at " << pos;
  ASSERT_EQ(s.AtEnd(), pos >= static_cast<int32_t>(model.size()));
}

}  // namespace

TEST(EdStream, WalksForwardAcrossRowsAndStopsOnceAtTheEnd) {
  Text t("ab\rc");
  TEdStream s(&t.store);
  s.StartAt(0);
  EXPECT_EQ(s.PeekChar(), 'a');
  s.NextChar();
  s.NextChar();
  EXPECT_EQ(s.PeekChar(), '\r');
  EXPECT_FALSE(s.AtEnd());
  s.NextChar();
  EXPECT_EQ(s.CharPos(), 3);
  EXPECT_EQ(s.PeekChar(), 'c');
  EXPECT_FALSE(s.AtEnd());
  s.NextChar();
  EXPECT_EQ(s.CharPos(), 4);
  EXPECT_EQ(s.PeekChar(), 0);
  EXPECT_TRUE(s.AtEnd());
  s.NextChar();
  EXPECT_EQ(s.CharPos(), 4);
  EXPECT_TRUE(s.AtEnd());

  s.SetCharPos(2);
  EXPECT_EQ(s.PeekChar(), '\r');
  s.SetCharPos(0);
  s.PrevChar();
  EXPECT_EQ(s.CharPos(), 0);
  EXPECT_EQ(s.PeekChar(), 'a');
}

TEST(EdStream, SeekAndSizeCountFromTheEnd) {
  Text t("ab\rc");
  TEdStream s(&t.store);
  EXPECT_EQ(s.Seek(0, soFromEnd), 4);
  EXPECT_EQ(s.Seek(1, soFromEnd), 3);
  EXPECT_EQ(s.PeekChar(), 'c');
  EXPECT_EQ(s.Seek(-2, soFromCurrent), 1);
  EXPECT_EQ(s.Seek(0, soFromCurrent), 1);
  EXPECT_EQ(s.Seek(5, 7), 1) << "an unknown origin leaves the position";
  EXPECT_EQ(s.Size(), 4);
  EXPECT_EQ(s.CharPos(), 1) << "Size restores the position";

  TEdStream none(nullptr);
  EXPECT_EQ(none.Seek(0, soFromEnd), 0);
  EXPECT_EQ(none.Seek(3, soFromBeginning), 0);
  EXPECT_TRUE(none.AtEnd());
}

TEST(EdStream, ReadCopiesAcrossRowsUpToTheEnd) {
  Text t("ab\rc");
  TEdStream s(&t.store);
  s.StartAt(1);
  char buf[10] = {};
  EXPECT_EQ(s.Read(buf, 10), 3);
  EXPECT_EQ(std::string(buf, 3), "b\rc");
  EXPECT_EQ(s.CharPos(), 4);
  EXPECT_EQ(s.Read(buf, 10), 0);

  // Reading exactly to a row's end leaves the stream on the next row's first character.
  s.StartAt(0);
  EXPECT_EQ(s.Read(buf, 3), 3);
  EXPECT_EQ(s.PeekChar(), 'c');
  s.NextChar();
  EXPECT_EQ(s.CharPos(), 4);

  std::string all(4, '\0');
  s.SetPosition(0);
  s.ReadBuffer(all.data(), 4);
  EXPECT_EQ(all, "ab\rc");
  EXPECT_THROW(s.ReadBuffer(all.data(), 1), EReadError);
}

TEST(EdStream, WritingRaisesTheStreamError) {
  Text t("abc");
  TEdStream s(&t.store);
  try {
    s.Write("x", 1);
    FAIL() << "no exception";
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message, "Cannot write to a read-only stream");
  }
}

TEST(EdStream, EmptyTextIsAtItsEndAndNeverMoves) {
  TTextStore store;
  TEdStream s(&store);
  s.StartAt(0);
  EXPECT_TRUE(s.AtEnd());
  EXPECT_EQ(s.PeekChar(), 0);
  s.NextChar();
  s.PrevChar();
  s.SetCharPos(5);
  EXPECT_EQ(s.CharPos(), 0);
  char c;
  EXPECT_EQ(s.Read(&c, 1), 0);
  EXPECT_EQ(s.Size(), 0);
}

TEST(EdStream, TargetsOutsideTheTextStopAtItsEnds) {
  Text t("ab\rc");
  TEdStream s(&t.store);
  s.SetCharPos(100);
  EXPECT_EQ(s.CharPos(), 4);
  s.PrevChar();
  EXPECT_EQ(s.CharPos(), 3);
  EXPECT_EQ(s.PeekChar(), 'c');
  s.SetCharPos(-7);
  EXPECT_EQ(s.CharPos(), 0);
  EXPECT_EQ(s.PeekChar(), 'a');
  EXPECT_EQ(s.Seek(-3, soFromEnd), 4);
  EXPECT_EQ(s.Seek(INT64_MIN, soFromEnd), 4);
  EXPECT_EQ(s.Seek(INT64_MAX, soFromCurrent), 4);
  EXPECT_EQ(s.Seek(INT64_MIN, soFromBeginning), 0);
}

TEST(EdStream, TakesTheTextLengthAgainWhenPlaced) {
  Text t("ab");
  TEdStream s(&t.store);
  t.store.InsertText(2, "cd");
  s.StartAt(0);
  EXPECT_EQ(s.TextLength(), 4);
  char buf[8];
  EXPECT_EQ(s.Read(buf, 8), 4);
}

// Every operation, on random texts (short rows, empty lines and rows split at the row limit),
// against a plain string.
TEST(EdStream, AgreesWithAStringModelOnRandomWalks) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 60; ++round) {
    std::string source;
    const int pieces = std::uniform_int_distribution<int>(0, 12)(rng);
    for (int p = 0; p < pieces; ++p) {
      const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
      const int len = kind == 0 ? std::uniform_int_distribution<int>(2040, 4200)(rng)
                                : std::uniform_int_distribution<int>(0, 6)(rng);
      for (int i = 0; i < len; ++i) source.push_back(static_cast<char>('a' + (i + p) % 26));
      if (std::uniform_int_distribution<int>(0, 3)(rng) != 0) source.push_back('\r');
    }
    Text t(source);
    const std::string model = StoredText(t.store);
    const int32_t n = static_cast<int32_t>(model.size());
    TEdStream s(&t.store);
    int32_t pos = std::uniform_int_distribution<int32_t>(0, n)(rng);
    s.StartAt(pos);
    std::uniform_int_distribution<int32_t> anywhere(-3, n + 3);
    for (int step = 0; step < 400; ++step) {
      switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
        case 0:
        case 1:
          s.NextChar();
          pos = std::min(pos + 1, n);
          break;
        case 2:
        case 3:
          s.PrevChar();
          pos = std::max(pos - 1, 0);
          break;
        case 4: {
          const int32_t p = anywhere(rng);
          s.SetCharPos(p);
          pos = std::clamp(p, 0, n);
          break;
        }
        case 5: {
          const int32_t off = std::uniform_int_distribution<int32_t>(-4, 4)(rng);
          const int32_t origin = std::uniform_int_distribution<int32_t>(0, 2)(rng);
          const int32_t target = origin == 0 ? off : origin == 1 ? pos + off : n - off;
          pos = std::clamp(target, 0, n);
          ASSERT_EQ(s.Seek(off, origin), pos);
          break;
        }
        case 6: {
          const int32_t k = std::uniform_int_distribution<int32_t>(0, 3000)(rng);
          std::string buf(static_cast<size_t>(k), '\0');
          const int32_t got = s.Read(buf.data(), k);
          ASSERT_EQ(got, std::min(k, n - pos));
          ASSERT_EQ(buf.substr(0, static_cast<size_t>(got)), model.substr(static_cast<size_t>(pos), static_cast<size_t>(got)));
          pos += got;
          break;
        }
        default: {
          const int32_t p = anywhere(rng);
          s.StartAt(p);
          pos = std::clamp(p, 0, n);
          break;
        }
      }
      ExpectAt(s, model, pos);
      if (HasFatalFailure()) return;
    }
  }
}
