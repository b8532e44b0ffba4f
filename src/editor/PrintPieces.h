#pragma once
// Cutting a row into the pieces it is printed in when long rows are wrapped at the page width:
// a piece breaks after blanks, and the blanks that end a word stay with it.
#include <cstdint>
#include <string_view>

#include "textmodel/DisplayColumns.h"

namespace ql {

// The length of the piece of row that starts at p (row: the characters, closing CR included),
// for a piece width of width columns (fewer than 1 counts as 1); at least 1 and at most the
// rest of the row. TABs count to the next stop from the piece's start, and a piece that leaves
// room for a TAB stops tabDefault columns early. In UTF-8 a piece never ends inside a character.
int32_t PrintPieceLength(std::string_view row, int32_t p, int32_t width, const TTabRule& tabs, int32_t tabDefault,
                         TTextEncoding encoding);

// Whether the pieces of row end at p: the whole row is used, or only its closing CR is left.
inline bool PiecesEnd(std::string_view row, int32_t p) {
  return p >= static_cast<int32_t>(row.size()) || (p == static_cast<int32_t>(row.size()) - 1 && row.back() == '\r');
}

}  // namespace ql
