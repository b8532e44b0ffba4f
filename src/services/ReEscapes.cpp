#include "services/ReEscapes.h"

namespace ql {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

TEscape DecodeEscape(std::string_view text, size_t at, bool inTemplate) {
  TEscape e;
  const char c = text[at];
  e.Next = at + 1;
  if (IsOctal(c)) {
    int value = 0;
    size_t i = at;
    for (; i < text.size() && i < at + 3 && IsOctal(text[i]); ++i) value = value * 8 + (text[i] - '0');
    e.Next = i;
    if (value > 255 && inTemplate) e.Status = TEscape::esOctalTooLarge;
    e.Value = static_cast<uint8_t>(value & 0xFF);
    return e;
  }
  switch (c) {
    case 'n': case 'N': e.Value = 13; return e;
    case 'r': case 'R': e.Value = 10; return e;
    case 't': case 'T': e.Value = 9; return e;
    case 'b': case 'B': e.Value = 8; return e;
    case 'f': case 'F': e.Value = 12; return e;
    case 's': case 'S': e.Value = inTemplate ? ' ' : static_cast<uint8_t>(c); return e;
    case 'x': case 'X': {
      int value = 0;
      size_t i = at + 1;
      for (; i < text.size() && i < at + 3 && HexValue(text[i]) >= 0; ++i) value = value * 16 + HexValue(text[i]);
      if (i == at + 1) e.Status = TEscape::esHexDigitMissing;
      e.Value = static_cast<uint8_t>(value);
      e.Next = i;
      return e;
    }
    default: e.Value = static_cast<uint8_t>(c); return e;
  }
}

}  // namespace ql
