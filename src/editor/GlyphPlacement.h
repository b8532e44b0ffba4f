#pragma once
// Where a gutter or wrap glyph stands on its row: the glyphs are 16 pixels high and stand in
// the middle of a taller row, at its top otherwise. Screen and printer place them alike.
#include <cstdint>

namespace ql {

inline constexpr int32_t GlyphHeight = 16;

// The glyph's top on a row that starts at y and is lineHeight high.
constexpr int32_t GlyphTop(int32_t y, int32_t lineHeight) {
  return lineHeight > GlyphHeight ? y + (lineHeight - GlyphHeight) / 2 : y;
}

}  // namespace ql
