#include "highlight/LzhCoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ql {

using namespace lzh;

namespace {

// The index, from 1, of the first byte in which the look-aheads at a and b differ, or kLookAhead
// when bytes 1 to kLookAhead - 1 agree. Compares eight bytes at a time; both may be read up to
// kCompareSlack bytes past their look-ahead.
inline int32_t FirstDifference(const uint8_t* a, const uint8_t* b) {
  if constexpr (std::endian::native == std::endian::little) {
    for (int32_t i = 1; i < kLookAhead; i += 8) {
      uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) return std::min(kLookAhead, i + (std::countr_zero(x ^ y) >> 3));
    }
    return kLookAhead;
  } else {
    int32_t i = 1;
    while (i < kLookAhead && a[i] == b[i]) ++i;
    return i;
  }
}

}  // namespace

TLzhEncoder::TLzhEncoder() {
  for (int32_t i = kRingSize + 1; i <= kRingSize + 256; ++i) rson_[i] = kNil;
  for (int32_t i = 0; i < kRingSize; ++i) dad_[i] = kNil;
}

// Puts the string at r into its tree and finds the longest earlier match for it (the nearest one
// among equally long matches) in matchLength_ and matchPosition_ (distance minus 1).
void TLzhEncoder::InsertNode(int32_t r) {
  int32_t cmp = 1;
  const uint8_t* key = &text_[r];
  int32_t p = kRingSize + 1 + key[0];
  rson_[r] = lson_[r] = kNil;
  matchLength_ = 0;
  for (;;) {
    if (cmp >= 0) {
      if (rson_[p] != kNil) {
        p = rson_[p];
      } else {
        rson_[p] = r;
        dad_[r] = p;
        return;
      }
    } else {
      if (lson_[p] != kNil) {
        p = lson_[p];
      } else {
        lson_[p] = r;
        dad_[r] = p;
        return;
      }
    }
    const int32_t i = FirstDifference(key, &text_[p]);
    cmp = i < kLookAhead ? key[i] - text_[p + i] : 0;
    if (i > kThreshold) {
      const int32_t distance = ((r - p) & (kRingSize - 1)) - 1;
      if (i > matchLength_) {
        matchPosition_ = distance;
        matchLength_ = i;
        if (matchLength_ >= kLookAhead) break;
      }
      if (i == matchLength_ && distance < matchPosition_) matchPosition_ = distance;
    }
  }
  // A full-length match: r takes p's place in the tree.
  dad_[r] = dad_[p];
  lson_[r] = lson_[p];
  rson_[r] = rson_[p];
  dad_[lson_[p]] = r;
  dad_[rson_[p]] = r;
  if (rson_[dad_[p]] == p) {
    rson_[dad_[p]] = r;
  } else {
    lson_[dad_[p]] = r;
  }
  dad_[p] = kNil;
}

void TLzhEncoder::DeleteNode(int32_t p) {
  if (dad_[p] == kNil) return;
  int32_t q;
  if (rson_[p] == kNil) {
    q = lson_[p];
  } else if (lson_[p] == kNil) {
    q = rson_[p];
  } else {
    q = lson_[p];
    if (rson_[q] != kNil) {
      do {
        q = rson_[q];
      } while (rson_[q] != kNil);
      rson_[dad_[q]] = lson_[q];
      dad_[lson_[q]] = dad_[q];
      lson_[q] = lson_[p];
      dad_[lson_[p]] = q;
    }
    rson_[q] = rson_[p];
    dad_[rson_[p]] = q;
  }
  dad_[q] = dad_[p];
  if (rson_[dad_[p]] == p) {
    rson_[dad_[p]] = q;
  } else {
    lson_[dad_[p]] = q;
  }
  dad_[p] = kNil;
}

void TLzhEncoder::EncodeChar(int32_t c, TLzhBitWriter& out) {
  uint64_t bits;
  int32_t length;
  huffman_.CodeOf(c, bits, length);
  out.Put(bits, length);
  huffman_.Update(c);
}

void TLzhEncoder::EncodePosition(uint32_t c, TLzhBitWriter& out) {
  const uint32_t upper = c >> 6;
  const int32_t length = kPositionCode.Length[upper];
  out.Put(kPositionCode.Code[upper] >> (8 - length), length);
  out.Put(c & 0x3F, 6);
}

void TLzhEncoder::Encode(TByteSource& source, TLzhBitWriter& out) {
  constexpr int32_t kMask = kRingSize - 1;
  int32_t s = 0;
  int32_t r = kRingSize - kLookAhead;
  for (int32_t i = s; i < r; ++i) text_[i] = ' ';
  int32_t len = 0;
  uint8_t c;
  while (len < kLookAhead && source.Next(c)) text_[r + len++] = c;
  if (len == 0) return;
  for (int32_t i = 1; i <= kLookAhead; ++i) InsertNode(r - i);
  InsertNode(r);
  do {
    if (matchLength_ > len) matchLength_ = len;
    if (matchLength_ <= kThreshold) {
      matchLength_ = 1;
      EncodeChar(text_[r], out);
    } else {
      EncodeChar(MatchSymbol(matchLength_), out);
      EncodePosition(static_cast<uint32_t>(matchPosition_), out);
    }
    const int32_t lastMatchLength = matchLength_;
    int32_t i = 0;
    for (; i < lastMatchLength && source.Next(c); ++i) {
      DeleteNode(s);
      text_[s] = c;
      if (s < kLookAhead - 1) text_[s + kRingSize] = c;
      s = (s + 1) & kMask;
      r = (r + 1) & kMask;
      InsertNode(r);
    }
    // At the end of the input the look-ahead drains.
    for (; i < lastMatchLength; ++i) {
      DeleteNode(s);
      s = (s + 1) & kMask;
      r = (r + 1) & kMask;
      if (--len != 0) InsertNode(r);
    }
  } while (len > 0);
}

int32_t TLzhDecoder::DecodeChar(TLzhBitReader& in) {
  int32_t c = huffman_.FirstChild();
  while (!TLzhHuffman::IsLeaf(c)) {
    c += static_cast<int32_t>(in.Bit());
    c = huffman_.Child(c);
  }
  c -= kTreeSize;
  huffman_.Update(c);
  return c;
}

uint32_t TLzhDecoder::DecodePosition(TLzhBitReader& in) {
  uint32_t i = in.Bits(8);
  const uint32_t upper = static_cast<uint32_t>(kPositionCode.Value[i]) << 6;
  int32_t more = kPositionCode.ValueLength[i] - 2;
  while (more-- > 0) i = i << 1 | in.Bit();
  return upper | (i & 0x3F);
}

bool TLzhDecoder::Decode(TLzhBitReader& in, int64_t size, TByteSink& out) {
  constexpr int32_t kMask = kRingSize - 1;
  for (int32_t i = 0; i < kRingSize - kLookAhead; ++i) text_[i] = ' ';
  int32_t r = kRingSize - kLookAhead;
  int64_t count = 0;
  while (count < size) {
    const int32_t c = DecodeChar(in);
    if (c < 256) {
      out.Put(static_cast<uint8_t>(c));
      text_[r] = static_cast<uint8_t>(c);
      r = (r + 1) & kMask;
      ++count;
      continue;
    }
    const int32_t from = (r - static_cast<int32_t>(DecodePosition(in)) - 1) & kMask;
    const int32_t length = c - 255 + kThreshold;
    if (length > size - count) return false;
    for (int32_t k = 0; k < length; ++k) {
      const uint8_t b = text_[(from + k) & kMask];
      out.Put(b);
      text_[r] = b;
      r = (r + 1) & kMask;
    }
    count += length;
  }
  return true;
}

}  // namespace ql
