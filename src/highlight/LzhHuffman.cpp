#include "highlight/LzhHuffman.h"

#include <algorithm>

namespace ql {
namespace lzh {
namespace {

// The canonical prefix code with 1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7 and 16 of 8.
constexpr TPositionCode MakePositionCode() {
  constexpr int32_t counts[][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
  TPositionCode pc{};
  int32_t value = 0;
  uint32_t code = 0;  // next code, left-aligned in 8 bits
  for (const auto& [length, count] : counts) {
    for (int32_t k = 0; k < count; ++k, ++value) {
      pc.Length[value] = static_cast<uint8_t>(length);
      pc.Code[value] = static_cast<uint8_t>(code);
      const uint32_t span = 1u << (8 - length);
      for (uint32_t b = code; b < code + span; ++b) {
        pc.Value[b] = static_cast<uint8_t>(value);
        pc.ValueLength[b] = static_cast<uint8_t>(length);
      }
      code += span;
    }
  }
  return pc;
}

}  // namespace

constinit const TPositionCode kPositionCode = MakePositionCode();

TLzhHuffman::TLzhHuffman() {
  for (int32_t i = 0; i < kSymbols; ++i) {
    freq_[i] = 1;
    son_[i] = i + kTreeSize;
    prnt_[i + kTreeSize] = i;
  }
  for (int32_t i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq_[j] = freq_[i] + freq_[i + 1];
    son_[j] = i;
    prnt_[i] = prnt_[i + 1] = j;
  }
  freq_[kTreeSize] = 0xFFFF;
  prnt_[kRoot] = 0;
}

// Halves every leaf count (rounding up) and builds the tree anew from the leaves.
void TLzhHuffman::Rebuild() {
  int32_t j = 0;
  for (int32_t i = 0; i < kTreeSize; ++i) {
    if (son_[i] >= kTreeSize) {
      freq_[j] = (freq_[i] + 1) / 2;
      son_[j] = son_[i];
      ++j;
    }
  }
  for (int32_t i = 0, j = kSymbols; j < kTreeSize; i += 2, ++j) {
    const uint32_t f = freq_[i] + freq_[i + 1];
    freq_[j] = f;
    int32_t k = j - 1;
    while (f < freq_[k]) --k;
    ++k;
    std::copy_backward(freq_.begin() + k, freq_.begin() + j, freq_.begin() + j + 1);
    freq_[k] = f;
    std::copy_backward(son_.begin() + k, son_.begin() + j, son_.begin() + j + 1);
    son_[k] = i;
  }
  for (int32_t i = 0; i < kTreeSize; ++i) {
    const int32_t k = son_[i];
    if (k >= kTreeSize) {
      prnt_[k] = i;
    } else {
      prnt_[k] = prnt_[k + 1] = i;
    }
  }
}

void TLzhHuffman::Update(int32_t c) {
  if (freq_[kRoot] == kMaxFreq) Rebuild();
  c = prnt_[c + kTreeSize];
  do {
    const uint32_t k = ++freq_[c];
    // When the order is disturbed, swap the node with the last one of a lower count.
    int32_t l = c + 1;
    if (k > freq_[l]) {
      while (k > freq_[++l]) {
      }
      --l;
      freq_[c] = freq_[l];
      freq_[l] = k;

      const int32_t i = son_[c];
      prnt_[i] = l;
      if (i < kTreeSize) prnt_[i + 1] = l;

      const int32_t j = son_[l];
      son_[l] = i;

      prnt_[j] = c;
      if (j < kTreeSize) prnt_[j + 1] = c;
      son_[c] = j;

      c = l;
    }
    c = prnt_[c];
  } while (c != 0);
}

void TLzhHuffman::CodeOf(int32_t c, uint64_t& bits, int32_t& length) const {
  bits = 0;
  length = 0;
  // Walk from the leaf to the root; an odd node is the second child, bit 1. Codes longer than 16
  // bits are possible in a skewed tree and are kept whole.
  int32_t k = prnt_[c + kTreeSize];
  do {
    bits |= static_cast<uint64_t>(k & 1) << length;
    ++length;
    k = prnt_[k];
  } while (k != kRoot);
}

}  // namespace lzh
}  // namespace ql
