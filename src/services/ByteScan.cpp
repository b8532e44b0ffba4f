#include "services/ByteScan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ql {

ptrdiff_t FindByte(const uint8_t* p, size_t n, uint8_t a) {
  const void* hit = n != 0 ? std::memchr(p, a, n) : nullptr;
  return hit != nullptr ? static_cast<const uint8_t*>(hit) - p : -1;
}

ptrdiff_t FindByteBack(const uint8_t* p, size_t n, uint8_t a) {
  const void* hit = n != 0 ? memrchr(p, a, n) : nullptr;
  return hit != nullptr ? static_cast<const uint8_t*>(hit) - p : -1;
}

ptrdiff_t FindEitherByte(const uint8_t* p, size_t n, uint8_t a, uint8_t b) {
  if (a == b) return FindByte(p, n, a);
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)));
    if (mask != 0) return static_cast<ptrdiff_t>(i) + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  for (; i < n; ++i)
    if (p[i] == a || p[i] == b) return static_cast<ptrdiff_t>(i);
  return -1;
}

ptrdiff_t FindEitherByteBack(const uint8_t* p, size_t n, uint8_t a, uint8_t b) {
  if (a == b) return FindByteBack(p, n, a);
  size_t i = n;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  for (; i >= 16; i -= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 16));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)));
    if (mask != 0) return static_cast<ptrdiff_t>(i - 16) + 31 - __builtin_clz(static_cast<unsigned>(mask));
  }
#endif
  while (i > 0) {
    --i;
    if (p[i] == a || p[i] == b) return static_cast<ptrdiff_t>(i);
  }
  return -1;
}

namespace {

struct TCommonness {
  int Rank[256];
  TCommonness() {
    // Printable characters from the rarest to the commonest, after their frequency in English
    // text, XML, XSLT and program code; the rank of each is its place in the list.
    static const char kOrder[] =
        "`~^|\\QZJXqzK@$%{}VY[]!?*+U#jxGHOWBF&;LN'()kvDMP9876543R2I1ACE0_STbpgw:y-fm"
        "ul,c.d=\"/hrsn<>iotae";
    for (int& r : Rank) r = 0;                   // control characters
    for (int c = 128; c < 256; ++c) Rank[c] = 8;  // bytes of UTF-8 and other 8-bit text
    int rank = 10;
    for (const char* s = kOrder; *s != '\0'; ++s) Rank[static_cast<uint8_t>(*s)] = rank++;
    Rank[uint8_t{'\t'}] = rank++;
    Rank[uint8_t{'\r'}] = rank++;
    Rank[uint8_t{'\n'}] = rank++;
    Rank[uint8_t{' '}] = rank++;
  }
};

}  // namespace

int ByteCommonness(uint8_t c) {
  static const TCommonness table;
  return table.Rank[c];
}

}  // namespace ql
