#pragma once
// Cutting one logical line into rows: where each row ends when the line is wrapped at a pixel
// width, breaking after blanks, and where it ends when the line is only kept within the row
// limit. No row is longer than MaxRowLength, and every row takes at least one character.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/TextMeasure.h"
#include "textmodel/DisplayColumns.h"

namespace ql {

// A word-break procedure (WordBreak.h): text, position, count, code; the result is used as the
// row's length and is kept within 1..count.
using TWordBreakProc = std::function<int32_t(const char* text, int32_t position, int32_t count, int32_t code)>;

struct TWrapRules {
  bool Wrap = false;      // cut at Width; otherwise only at the row limit
  int32_t Width = 8;      // pixels, at least 1
  int32_t CharWidth = 8;  // pixels of a grid column
  TTextEncoding Encoding = TTextEncoding::Utf8;
  const TTabRule* Tabs = nullptr;   // required when Wrap
  TTextMeasure* Measure = nullptr;  // null: the grid of CharWidth columns, computed directly
  TWordBreakProc WordBreak;         // required when Wrap
};

// Appends the lengths of the rows of line (its closing CR included) to lengths.
void WrapLengths(std::string_view line, const TWrapRules& rules, std::vector<int32_t>& lengths);

}  // namespace ql

namespace ql {

// What an editor's rows were last laid out for; a change of any of it lays them out again.
struct TWrapLayout {
  bool On = false;            // wrapped (word wrap on and a width known)
  int32_t Width = 0;          // pixels
  bool OverrideOn = false;
  std::string Override;
  std::string Font;           // face, size, pitch
  std::string Tabs;
  TTextEncoding Encoding = TTextEncoding::Utf8;
  bool operator==(const TWrapLayout&) const = default;
};

}  // namespace ql
