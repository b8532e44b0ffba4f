#pragma once
// Reads character-group specifications as highlighting scripts write them (in the raw form of
// a string literal, escapes not yet decoded):
//   - a single character:            a      \]      \101      \x41
//   - a range of two characters:     a-f    \x41-\x43
//   - a bracket set:                 [a-z_]  [^>]  [\000-\377]
// Escapes: "\" with octal digits, "\x" or "\u" with hex digits (as many as follow, kept to 8
// bits), "\b" 8, "\e" 27, "\n" 13, "\r" 10, "\s" 32, "\t" 9 (upper case alike), and "\" with
// any other character for that character. An escaped character is always literal. Inside
// brackets a "-" before "]" or at the start is literal; an unescaped "]" outside brackets is
// the character "]". A set that the text ends before its "]" ends with the text.
#include <cstdint>
#include <string>

#include "services/CharGroup.h"

namespace ql {

// Reads one group description from the 1-based position and returns it; position is left
// after the description (Length + 1 once the text is used up). An empty text, or a position
// beyond it, gives the empty group. Raises Exception "Characters not in correct order for
// range specifier" for a range whose second character is lower than its first.
TSM_CharGroup ParseCharGroup(const std::string& text, int32_t& position);

}  // namespace ql
