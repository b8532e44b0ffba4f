#pragma once
// The adaptive Huffman tree and the position code of the LZH method. Encoder and decoder update
// the tree after every symbol in the same way, so they always agree on the codes.
#include <array>
#include <cstdint>

namespace ql {
namespace lzh {

inline constexpr int32_t kRingSize = 4096;                           // sliding window
inline constexpr int32_t kLookAhead = 60;                            // longest match
inline constexpr int32_t kThreshold = 2;                             // matches start at 3 bytes
inline constexpr int32_t kSymbols = 256 - kThreshold + kLookAhead;   // 314: literals, then lengths
inline constexpr int32_t kTreeSize = kSymbols * 2 - 1;               // 627 nodes
inline constexpr int32_t kRoot = kTreeSize - 1;
inline constexpr uint32_t kMaxFreq = 0x8000;                         // root count that halves all
inline constexpr int32_t kCompareSlack = 8;                          // over-read of word comparisons
// The symbol of a match of the given length.
inline constexpr int32_t MatchSymbol(int32_t length) { return 255 - kThreshold + length; }

// The upper 6 bits of a match position are coded with a fixed prefix code of 3 to 8 bits
// (code lengths and left-aligned codes per value); the lower 6 bits follow as they are.
struct TPositionCode {
  std::array<uint8_t, 64> Length;  // p_len
  std::array<uint8_t, 64> Code;    // p_code, left-aligned in 8 bits
  std::array<uint8_t, 256> Value;  // d_code: the value whose code begins a byte
  std::array<uint8_t, 256> ValueLength;  // d_len: that code's length
};
extern const TPositionCode kPositionCode;

class TLzhHuffman {
public:
  // The starting tree: every symbol counted once.
  TLzhHuffman();

  // Counts one more occurrence of symbol c and restores the order of the tree.
  void Update(int32_t c);
  // The code of symbol c, right-aligned in bits, and its length.
  void CodeOf(int32_t c, uint64_t& bits, int32_t& length) const;
  // Decoding: the node the walk starts at, and the next node for a bit.
  int32_t FirstChild() const { return son_[kRoot]; }
  static bool IsLeaf(int32_t node) { return node >= kTreeSize; }
  int32_t Child(int32_t node) const { return son_[node]; }

private:
  void Rebuild();

  std::array<uint32_t, kTreeSize + 1> freq_{};  // ascending by node; freq_[kTreeSize] is a sentinel
  // Parent of each node; entries kTreeSize + c give the node of leaf c.
  std::array<int32_t, kTreeSize + kSymbols> prnt_{};
  // First child of each node (the other is the next node), or kTreeSize + c for the leaf of c.
  std::array<int32_t, kTreeSize> son_{};
};

}  // namespace lzh
}  // namespace ql
