#pragma once
// The Compressor/KH block coder: one block of at most 32768 bytes becomes one chunk and back.
//
// A chunk is either stored (byte 128, then the block) or packed (byte 64, then groups of a 16-bit
// control word, high byte first, and up to 16 items; control bits from the top, 0 = literal,
// 1 = copy or run; a control word's slot is reserved only when an item follows, and the unused
// low bits of the last one are 0). Items:
//   literal  1 byte;
//   copy     2 bytes, offset * 16 + (length - 3) high byte first, offset 1..4095 back from the
//            output position within the block, length 3..18, copied byte by byte;
//   run      4 bytes: 0, (count - 16) high byte first, the byte; count 16..4095.
// A copy never has offset 0, which tells it from a run.
//
// The coder is LZ77 with one candidate per hash of the next three bytes (4096 entries, reset for
// every block) and a run test ahead of it. Where fewer than three bytes remain no hash is taken:
// such a tail can hold neither a copy nor a run, so it is written as literals.
#include <array>
#include <cstdint>

namespace ql {

inline constexpr int32_t kKhBlockSize = 32768;
// Longest valid chunk: a stored full block.
inline constexpr int32_t kKhMaxChunk = kKhBlockSize + 1;
// Room a chunk buffer needs while the coder works: the packed form may overshoot the block by one
// item and one control word before the coder falls back to the stored form.
inline constexpr int32_t kKhChunkCapacity = kKhBlockSize + 8;
inline constexpr uint8_t kKhStoredChunk = 128;
inline constexpr uint8_t kKhPackedChunk = 64;

class TKhBlockCoder {
public:
  // Encodes block[0, n), n <= kKhBlockSize, into chunk (kKhChunkCapacity bytes); returns the
  // chunk length, at most n + 1.
  int32_t Compress(const uint8_t* block, int32_t n, uint8_t* chunk);

private:
  static constexpr uint16_t kEmpty = 0xFFFF;
  std::array<uint16_t, 4096> hash_{};  // block position last seen for each hash, or kEmpty
};

// Decodes one chunk into block (kKhBlockSize bytes); returns the block length, or -1 when the chunk
// is malformed (unknown flag, an item cut short, a copy from before the block, an overrun).
int32_t KhDecodeChunk(const uint8_t* chunk, int32_t length, uint8_t* block);

}  // namespace ql
