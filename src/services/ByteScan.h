#pragma once
// Finding one or either of two bytes in a buffer, forwards or backwards, at the speed of the
// C library's memchr, and a ranking of how rare a byte is in ordinary text and markup, by which
// a literal search picks the byte it looks for.
#include <cstddef>
#include <cstdint>

namespace ql {

// The offset of the first / last byte equal to a in p[0..n), or -1.
ptrdiff_t FindByte(const uint8_t* p, size_t n, uint8_t a);
ptrdiff_t FindByteBack(const uint8_t* p, size_t n, uint8_t a);
// The offset of the first / last byte equal to a or b in p[0..n), or -1.
ptrdiff_t FindEitherByte(const uint8_t* p, size_t n, uint8_t a, uint8_t b);
ptrdiff_t FindEitherByteBack(const uint8_t* p, size_t n, uint8_t a, uint8_t b);

// How common c is in text, markup and code: a lower rank is a rarer byte.
int ByteCommonness(uint8_t c);

}  // namespace ql
