#pragma once
// The backslash escapes shared by search patterns and replacement templates.
#include <cstdint>
#include <string_view>

namespace ql {

struct TEscape {
  enum TStatus : uint8_t { esOk, esHexDigitMissing, esOctalTooLarge };
  TStatus Status = esOk;
  uint8_t Value = 0;
  size_t Next = 0;  // index after the escape
};

// Decodes the escape whose first character (the one after the backslash) is at text[at], which
// must exist. Letters are compared without regard to case: n CR (13), r LF (10), t TAB, b
// backspace (8), f form feed (12); in a template also s a space. One to three octal digits give
// the character with that code: in a pattern taken modulo 256, in a template a code of 256 or
// more is esOctalTooLarge. x and one or two hexadecimal digits give that character (none:
// esHexDigitMissing, Next after the x). Any other character stands for itself.
TEscape DecodeEscape(std::string_view text, size_t at, bool inTemplate);

}  // namespace ql
