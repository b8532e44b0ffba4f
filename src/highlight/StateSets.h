#pragma once
// Fast tests on state sets for the scanner's inner loop.
#include <cstdint>
#include <cstring>

#include "toolkit/ByteSet.h"

namespace ql {

// Whether a and b have a member in common.
inline bool Meets(const TByteSet& a, const TByteSet& b) {
  uint64_t x[4];
  uint64_t y[4];
  std::memcpy(x, a.Bytes().data(), sizeof x);
  std::memcpy(y, b.Bytes().data(), sizeof y);
  return ((x[0] & y[0]) | (x[1] & y[1]) | (x[2] & y[2]) | (x[3] & y[3])) != 0;
}

// The lowest member of set, or -1 when it is empty.
inline int32_t LowestMember(const TByteSet& set) {
  const auto& bytes = set.Bytes();
  for (int32_t i = 0; i < 32; ++i) {
    if (bytes[static_cast<size_t>(i)] != 0) return i * 8 + __builtin_ctz(bytes[static_cast<size_t>(i)]);
  }
  return -1;
}

}  // namespace ql
