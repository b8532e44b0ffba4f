#pragma once
// The word-break rule of word wrap, in the protocol of a multi-line edit control's word-break
// procedure: the text, a position in it, its length and a code.
#include <cstdint>

#include "toolkit/TextEncoding.h"

namespace ql {

constexpr int32_t WB_LEFT = 0;         // the break at or before the position
constexpr int32_t WB_RIGHT = 1;        // the start of the next word
constexpr int32_t WB_ISDELIMITER = 2;  // 1 when the character at the position is a delimiter

// Delimiters are the characters 0..32, and 160 (the no-break space) where a byte is a character.
bool IsWordDelimiter(uint8_t c, TTextEncoding encoding);

// The built-in rule. WB_LEFT: at a delimiter, forward over delimiters (a row keeps the blanks
// after its last word); otherwise back to just after the delimiter before the word, or the
// position itself when the word starts the text (a word wider than a row is cut).
int32_t DefaultWordBreak(const char* text, int32_t position, int32_t count, int32_t code, TTextEncoding encoding);

}  // namespace ql
