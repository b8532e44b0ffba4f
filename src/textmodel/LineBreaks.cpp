#include "textmodel/LineBreaks.h"

#include <cstring>

namespace ql {
namespace {

// True when one of the 8 bytes is below 32 (a control character, line breaks included).
inline bool HasControl(uint64_t word) {
  constexpr uint64_t ones = 0x0101010101010101ull;
  constexpr uint64_t highs = 0x8080808080808080ull;
  return ((word - ones * 32) & ~word & highs) != 0;
}

}  // namespace

int32_t TLineBreakNormaliser::NormaliseChunk(const char* src, int32_t n, char* dst) {
  if (n <= 0) return 0;
  int32_t i = 0;
  int32_t out = 0;
  // The partner of a break that closed the previous chunk belongs to that break.
  if (pending_ != 0 && (src[0] == '\r' || src[0] == '\n') && src[0] != pending_) ++i;
  pending_ = 0;
  while (i < n) {
    // Runs of ordinary characters are copied eight at a time.
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
