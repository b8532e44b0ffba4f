#include "toolkit/qt/GlyphStrips.h"

#include <QPainter>
#include <map>
#include <string>

namespace ql {

namespace {

struct TStripSource {
  const char* Name;
  const char* Resource;
  int CellWidth;  // 0: the whole picture is one cell
};

constexpr TStripSource kStrips[] = {
    {"SEM_GUTTER", ":/glyphs/SEM_GUTTER.png", 15},
    {"SEM_WRAPPED", ":/glyphs/SEM_WRAPPED.png", 0},
};

}  // namespace

const TGlyphStrip& GlyphStrip(std::string_view name) {
  static std::map<std::string, TGlyphStrip, std::less<>> loaded;
  static const TGlyphStrip none;
  const auto at = loaded.find(name);
  if (at != loaded.end()) return at->second;
  for (const TStripSource& source : kStrips) {
    if (name != source.Name) continue;
    TGlyphStrip strip;
    strip.Pixmap = QPixmap(QString::fromLatin1(source.Resource));
    strip.CellWidth = source.CellWidth > 0 ? source.CellWidth : strip.Pixmap.width();
    return loaded.emplace(std::string(name), strip).first->second;
  }
  return none;
}

void DrawGlyph(QPainter& painter, std::string_view strip, int index, int x, int y) {
  const TGlyphStrip& glyphs = GlyphStrip(strip);
  if (index < 0 || index >= glyphs.Count()) return;
  painter.drawPixmap(QPoint(x, y), glyphs.Pixmap, QRect(index * glyphs.CellWidth, 0, glyphs.CellWidth, glyphs.Pixmap.height()));
}

}  // namespace ql
