#pragma once
// The failure of a regular expression: a message of the string table and the 1-based position
// in the pattern it refers to (0 when it refers to no position).
#include <cstdint>

#include "textmodel/InkMemoErrors.h"

namespace ql {

class EREParserError : public EInkMemo {
public:
  EREParserError(int32_t code, int32_t position);
  int32_t Code;
  int32_t Position;
};

}  // namespace ql
