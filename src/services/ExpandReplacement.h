#pragma once
// Builds the replacement of a regular-expression match from a template.
#include <string>

namespace ql {

class TREParser;
class TRowCursor;

// Reads the template left to right: "%%" gives "%" (so does a "%" at the end); "%" and decimal
// digits N gives the text of the match's N-th step (between step positions N-1 and N) for
// 1 <= N <= 255, and nothing for any other N or a step the match did not record; "%" and another
// character gives that character. "\\" gives "\" (so does a "\" at the end), and "\" starts
// an escape (n CR, r LF, t TAB, s space, b backspace, f form feed, octal digits, x and hex
// digits, any other character itself); an octal code of 256 or more, or an x without a hex
// digit, ends the expansion there. Every other character is copied. The text of a step is read
// from text and never from outside the match.
std::string ExpandReplacement(const std::string& templ, const TREParser& match, TRowCursor& text);

}  // namespace ql
