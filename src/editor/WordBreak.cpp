#include "editor/WordBreak.h"

namespace ql {

bool IsWordDelimiter(uint8_t c, TTextEncoding encoding) {
  // In UTF-8 the byte 160 is part of a longer character, never one of its own.
  return c <= 32 || (c == 160 && encoding != TTextEncoding::Utf8);
}

int32_t DefaultWordBreak(const char* text, int32_t position, int32_t count, int32_t code, TTextEncoding encoding) {
  if (text == nullptr || count <= 0) return 0;
  auto delimiter = [&](int32_t i) { return IsWordDelimiter(static_cast<uint8_t>(text[i]), encoding); };
  if (position < 0) position = 0;
  switch (code) {
    case WB_LEFT: {
      if (position >= count) return count;
      int32_t i = position;
      if (delimiter(i)) {
        while (i < count && delimiter(i)) ++i;
        return i;
      }
      while (i > 0 && !delimiter(i)) --i;
      return i > 0 ? i + 1 : position;
    }
    case WB_RIGHT: {
      int32_t i = position;
      while (i < count && !delimiter(i)) ++i;
      while (i < count && delimiter(i)) ++i;
      return i;
    }
    case WB_ISDELIMITER: return position < count && delimiter(position) ? 1 : 0;
    default: return 0;
  }
}

}  // namespace ql
