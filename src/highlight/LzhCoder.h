#pragma once
// The LZH method: LZSS over a 4096-byte ring buffer with matches of 3 to 60 bytes found in binary
// search trees, its symbols coded with an adaptive Huffman tree and its match positions with a
// fixed prefix code, written as one bit stream, most significant bit first.
//
// Details the stored bytes depend on:
// - The ring buffer starts with 4036 blanks (code 32) and the first input byte is placed at 4036.
//   The copy of the buffer's first 59 bytes kept after its end (so that a comparison can run past
//   the end without wrapping) starts out zero, not blank, as in the published coder; it only sways
//   the choice among equally long matches near the end of short inputs.
// - A match is written as its symbol (253 + length) and its distance minus 1.
// - The last partial byte is filled with zero bits. An empty input gives no bits at all.
// - The decoder stops after the original size. A match that runs past it, or a bit stream that
//   ends before it, is an error: a well-formed stream has neither.
#include <array>
#include <cstdint>

#include "highlight/CompressorIo.h"
#include "highlight/LzhHuffman.h"

namespace ql {

// Writes bit strings, most significant bit first.
class TLzhBitWriter {
public:
  explicit TLzhBitWriter(TByteSink& sink) : sink_(sink) {}
  // Writes the low count bits of bits (count <= 32).
  void Put(uint64_t bits, int32_t count) {
    acc_ = acc_ << count | (bits & ((uint64_t{1} << count) - 1));
    pending_ += count;
    while (pending_ >= 8) {
      pending_ -= 8;
      sink_.Put(static_cast<uint8_t>(acc_ >> pending_));
    }
  }
  // Writes the last partial byte, filled with zero bits.
  void Flush() {
    if (pending_ > 0) sink_.Put(static_cast<uint8_t>(acc_ << (8 - pending_)));
    pending_ = 0;
  }

private:
  TByteSink& sink_;
  uint64_t acc_ = 0;
  int32_t pending_ = 0;  // bits in the low end of acc_ not yet written
};

// Reads bits, most significant bit first; reading past the input is a read error of the coder.
class TLzhBitReader {
public:
  explicit TLzhBitReader(TByteSource& source) : source_(source) {}
  uint32_t Bit() {
    if (pending_ == 0) {
      acc_ = source_.Take();
      pending_ = 8;
    }
    --pending_;
    return (acc_ >> pending_) & 1;
  }
  uint32_t Bits(int32_t count) {
    uint32_t v = 0;
    while (count-- > 0) v = v << 1 | Bit();
    return v;
  }

private:
  TByteSource& source_;
  uint32_t acc_ = 0;
  int32_t pending_ = 0;
};

// The encoder's tables; one instance serves one compression.
class TLzhEncoder {
public:
  TLzhEncoder();
  // Encodes every byte source delivers.
  void Encode(TByteSource& source, TLzhBitWriter& out);

private:
  static constexpr int32_t kNil = lzh::kRingSize;  // no node

  void InsertNode(int32_t r);
  void DeleteNode(int32_t p);
  void EncodeChar(int32_t c, TLzhBitWriter& out);
  void EncodePosition(uint32_t c, TLzhBitWriter& out);

  // The ring buffer, after it a copy of its first kLookAhead - 1 bytes, then kCompareSlack bytes
  // that stay zero so that comparisons may read whole words.
  std::array<uint8_t, lzh::kRingSize + lzh::kLookAhead - 1 + lzh::kCompareSlack> text_{};
  // Binary search trees of the strings at each buffer position, one tree per first byte (roots at
  // kRingSize + 1 + byte in rson_); kNil marks no node.
  std::array<int32_t, lzh::kRingSize + 1> lson_{}, dad_{};
  std::array<int32_t, lzh::kRingSize + 257> rson_{};
  int32_t matchPosition_ = 0, matchLength_ = 0;
  lzh::TLzhHuffman huffman_;
};

// The decoder's tables; one instance serves one decompression.
class TLzhDecoder {
public:
  // Decodes size bytes; false when a match runs past that size.
  bool Decode(TLzhBitReader& in, int64_t size, TByteSink& out);

private:
  int32_t DecodeChar(TLzhBitReader& in);
  uint32_t DecodePosition(TLzhBitReader& in);

  std::array<uint8_t, lzh::kRingSize> text_{};
  lzh::TLzhHuffman huffman_;
};

}  // namespace ql
