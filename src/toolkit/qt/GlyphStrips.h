#pragma once
// The program's glyph strips, compiled in as Qt resources: "SEM_GUTTER" (bookmark, breakpoint
// and mark glyphs, 15 pixels apart) and "SEM_WRAPPED" (the glyph of a wrapped row). Picture n
// of a strip is its n-th cell; transparent pixels let the background show.
#include <QPixmap>
#include <string_view>

class QPainter;

namespace ql {

struct TGlyphStrip {
  QPixmap Pixmap;  // null for an unknown name
  int CellWidth = 0;
  int Count() const { return CellWidth > 0 ? Pixmap.width() / CellWidth : 0; }
};

// The strip of that name, loaded once; an unknown name gives an empty strip.
const TGlyphStrip& GlyphStrip(std::string_view name);
// Draws cell `index` with its top-left corner at (x, y); nothing for an unknown name or a
// cell outside the strip.
void DrawGlyph(QPainter& painter, std::string_view strip, int index, int x, int y);

}  // namespace ql
