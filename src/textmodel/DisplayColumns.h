#pragma once
// Display columns: how the bytes of a row stand on screen. This is the one rule every caller
// uses (painting, caret placement, the caret's column in the status bar, the template and
// auto-replace indentation): a TAB reaches the next tab stop, a character of the document's
// encoding takes one column (an East Asian wide character two), and a byte that shows as a hex
// box takes two.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/TextEncoding.h"

namespace ql {

// Where the tab stops are: the settings object of an editor answers it.
class TTabRule {
public:
  virtual ~TTabRule() = default;
  // The display column of the next tab stop after column (0-based).
  virtual int32_t NextTabStop(int32_t column) const = 0;
};

enum class TCharKind : uint8_t {
  Text,   // a character drawn from its text
  Tab,    // a TAB, drawn as blanks up to the next stop
  Hex,    // a byte (or a control character) drawn as a box with its hex value
  Break,  // the row's closing CR: takes no column
};

// One character of a row.
struct TCharStep {
  int32_t Bytes = 1;      // bytes of the character
  int32_t Columns = 1;    // display columns it takes
  TCharKind Kind = TCharKind::Text;
  char32_t Code = 0;      // the character (Hex: the byte or control character shown)
};

// The character at text[pos] (pos < text.size()) standing at display column column.
TCharStep StepChar(std::string_view text, size_t pos, int32_t column, TTextEncoding encoding, const TTabRule& tabs);
// Display columns a character takes outside TABs: 2 for East Asian wide characters, else 1.
int32_t CharColumns(char32_t code);

// The display column at which byte index of a row's text stands (index inside a character: that
// character's column; index at or past the text's end: the text's width, a closing CR excluded).
int32_t DisplayColumn(std::string_view text, int32_t index, TTextEncoding encoding, const TTabRule& tabs);

}  // namespace ql
