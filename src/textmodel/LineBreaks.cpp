#include "textmodel/LineBreaks.h"

#include <cstring>

namespace ql {
namespace {

constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t Highs = 0x8080808080808080ull;

// The high bit of each of the 8 bytes that is below 32 (a control character).
inline uint64_t ControlBytes(uint64_t word) {
  // A byte is at least 32 when its low seven bits reach 32 or its high bit is set; the sums
  // stay within their bytes.
  return ~(((word & Low7) + 0x6060606060606060ull) | word) & Highs;
}

// The high bit of each of the 8 bytes that is a TAB.
inline uint64_t TabBytes(uint64_t word) {
  const uint64_t t = word ^ 0x0909090909090909ull;
  return ~(((t & Low7) + Low7) | t) & Highs;
}

// True when one of the 8 bytes is a control character other than TAB (which is stored as it is).
inline bool HasControl(uint64_t word) { return ControlBytes(word) != TabBytes(word); }

}  // namespace

int32_t TLineBreakNormaliser::NormaliseChunk(const char* src, int32_t n, char* dst) {
  if (n <= 0) return 0;
  int32_t i = 0;
  int32_t out = 0;
  // The partner of a break that closed the previous chunk belongs to that break.
  if (pending_ != 0 && (src[0] == '\r' || src[0] == '\n') && src[0] != pending_) ++i;
  pending_ = 0;
  while (i < n) {
    // Runs of ordinary characters and TABs are copied eight at a time.
    while (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, src + i, 8);
      if (HasControl(word)) break;
      std::memcpy(dst + out, &word, 8);
      i += 8;
      out += 8;
    }
    if (i >= n) break;
    const unsigned char c = static_cast<unsigned char>(src[i++]);
    if (c == '\r' || c == '\n') {
      dst[out++] = '\r';
      if (i < n) {
        const char partner = c == '\r' ? '\n' : '\r';
        if (src[i] == partner) ++i;
      } else {
        pending_ = static_cast<char>(c);
      }
    } else if (c == '\t' || c >= 32) {
      dst[out++] = static_cast<char>(c);
    } else {
      dst[out++] = '.';
    }
  }
  return out;
}

}  // namespace ql
