#include "textmodel/LineBreaks.h"

namespace ql {

int32_t TLineBreakNormaliser::NormaliseChunk(const char* src, int32_t n, char* dst) {
  if (n <= 0) return 0;
  int32_t i = 0;
  int32_t out = 0;
  // The partner of a break that closed the previous chunk belongs to that break.
  if (pending_ != 0 && (src[0] == '\r' || src[0] == '\n') && src[0] != pending_) ++i;
  pending_ = 0;
  while (i < n) {
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
