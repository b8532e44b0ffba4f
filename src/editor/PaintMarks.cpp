// Painting of what the annotations add to a row: the gutter glyphs of bookmarks, wrapped rows,
// breakpoints and gutter marks, the row colours of breakpoints, text marks as a red wavy
// underline, the marks of blanks, TABs and row ends, and the focus line.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/Canvas.h"

namespace ql {
namespace {

constexpr int32_t GlyphHeight = 16;
constexpr TColor MarkColor = 0x0000FF;  // red
constexpr int32_t WaveStep = 3;
constexpr int32_t WaveHeight = 2;

int32_t HighestBit(uint32_t bits) {
  int32_t b = -1;
  while (bits != 0) {
    bits >>= 1;
    ++b;
  }
  return b;
}

}  // namespace

TCustomInkMemo::TRowMarker TCustomInkMemo::RowMarkerAt(int32_t rowStart) const {
  const TTextStore& store = Store();
  TRowMarker m;
  // The execution point wins over a breakpoint on the same row.
  m.Present = store.CodeBreak.GetRowMarker(rowStart, m.Glyph, m.Back, m.Text) ||
              store.Breakpoints.GetRowMarker(rowStart, m.Glyph, m.Back, m.Text);
  return m;
}

TCustomInkMemo::TRowMarker TCustomInkMemo::LineMarkerOf(const TTextRow& row, int32_t rowStart) const {
  if (row.Prev == nullptr || row.Prev->EndsWithCR()) return RowMarkerAt(rowStart);
  // A continuation row: the marker of its line stands at the line's start, which is the
  // nearest marker before the row when that one lies on the same line (found without walking
  // the rows of a long line).
  const TTextStore& store = Store();
  int32_t nearest = -1;
  if (store.CodeBreak.ExecPoint->Enabled() && store.CodeBreak.ExecPoint->Offset < rowStart) {
    nearest = store.CodeBreak.ExecPoint->Offset;
  }
  if (const TSM_BreakpointData* b = store.Breakpoints.LastAtOrBefore(rowStart - 1)) nearest = std::max(nearest, b->Offset);
  if (nearest < 0 || store.LineOfRow(store.LocateRow(nearest).Row) != store.LineOfRow(&row)) return {};
  return RowMarkerAt(nearest);
}

void TCustomInkMemo::PaintGutterGlyphs(TCanvas& canvas, const TTextRow& row, const TRowMarker& marker, int32_t y) {
  const int32_t top = lineHeight_ > GlyphHeight ? y + (lineHeight_ - GlyphHeight) / 2 : y;
  int32_t x = 1;
  const uint16_t shown = mbBookmarkMask | (HasOption(smoShowWrapGlyph) ? mbContinuation : 0);
  if (const int32_t bit = HighestBit(row.MarkBits & shown); bit >= 0) {
    if (bit == 12) {
      canvas.DrawGlyph("SEM_WRAPPED", 0, 1, top);
    } else {
      canvas.DrawGlyph("SEM_GUTTER", bit, 1, top);
    }
    x = 5;
  }
  if (marker.Present) canvas.DrawGlyph("SEM_GUTTER", marker.Glyph - 1, x, top);
  if (const int32_t bit = HighestBit(row.GutterMarks); bit >= 0) canvas.DrawGlyph("SEM_GUTTER", bit, 17, top);
}

void TCustomInkMemo::PaintRowMarks(TCanvas& canvas, const TTextRow& row, int32_t rowStart, int32_t y) {
  const TTextStore& store = Store();
  if (!store.Marks || store.Marks->Count() == 0) return;
  const TRowLayout& layout = LayoutOf(row);
  const int32_t textLeft = TextLeft();
  const int32_t contentEnd = rowStart + layout.ContentBytes();
  const int32_t rowEnd = rowStart + row.Length;
  auto xOf = [&](int32_t column) { return textLeft + (column - leftColumn_) * charWidth_; };
  for (TMarkHandle mark = store.Marks->NextInRange(rowStart, rowEnd, 0); mark != 0;
       mark = store.Marks->NextInRange(rowStart, rowEnd, mark)) {
    const int32_t start = store.Marks->Start(mark);
    const int32_t end = store.Marks->End(mark);
    const int32_t left = start <= rowStart ? xOf(0) : xOf(layout.ColumnOfByte(start - rowStart));
    const int32_t right = end >= contentEnd ? xOf(layout.Width()) : xOf(layout.ColumnOfByte(end - rowStart));
    if (left >= clientWidth_) continue;
    const TRect rect{left, y, right, y + lineHeight_ - 1};
    if (OnDrawMark) {
      OnDrawMark(*this, canvas, rect, mark);
      continue;
    }
    // A red line along the bottom, up and down again every few pixels.
    const int32_t last = std::min(right, clientWidth_);
    const int32_t base = rect.Bottom - 1;
    for (int32_t x = left; x < last; x += WaveStep) {
      const int32_t step = (x - left) / WaveStep;
      const int32_t from = step % 2 == 0 ? base : base - WaveHeight;
      const int32_t to = step % 2 == 0 ? base - WaveHeight : base;
      canvas.Line(x, from, std::min(x + WaveStep, last), to, MarkColor);
    }
  }
}

void TCustomInkMemo::PaintWhitespace(TCanvas& canvas, const TRowLayout& layout, size_t first, size_t last, int32_t y,
                                     TColor back) {
  const TColor ink = canvas.ResolveColor(back) ^ 0xFFFFFF;
  const int32_t textLeft = TextLeft();
  const int32_t middle = y + lineHeight_ / 2;
  for (size_t i = first; i < last && i < layout.Chars().size(); ++i) {
    const TRowLayout::TChar& c = layout.Chars()[i];
    const int32_t x = textLeft + (c.Column - leftColumn_) * charWidth_;
    const int32_t width = c.Columns * charWidth_;
    if (c.Kind == TCharKind::Tab) {
      // An arrow across the TAB's blanks.
      const int32_t from = x + std::max(width / 2 - charWidth_, 1);
      const int32_t to = x + std::min(width / 2 + charWidth_, width - 2);
      canvas.Line(from, middle, to, middle, ink);
      canvas.Line(to - 2, middle - 2, to, middle, ink);
      canvas.Line(to - 2, middle + 2, to, middle, ink);
    } else if (c.Kind == TCharKind::Text && c.Code == U' ') {
      // A dot, raised by a quarter of the row's height.
      const int32_t cx = x + width / 2;
      const int32_t cy = middle - lineHeight_ / 4 + lineHeight_ / 4;
      canvas.FillRect({cx - 1, cy - 1, cx + 1, cy + 1}, ink);
    }
  }
}

void TCustomInkMemo::PaintRowEnd(TCanvas& canvas, const TTextRow& row, const TRowLayout& layout, int32_t y,
                                 TColor back) {
  const int32_t x = TextLeft() + (layout.Width() - leftColumn_) * charWidth_;
  if (!(leftColumn_ == 0 || (x >= TextLeft() && x < clientWidth_))) return;
  if (row.EndsWithCR()) {
    canvas.SetFont(StyleFontOf(0));
    canvas.TextOut(x, y, "\xC2\xB6", canvas.ResolveColor(back) ^ 0xFFFFFF, clNone);
  } else if (HasOption(smoWordWrap) && row.Next != nullptr) {
    canvas.DrawGlyph("SEM_WRAPPED", 0, x, lineHeight_ > GlyphHeight ? y + (lineHeight_ - GlyphHeight) / 2 : y);
  }
}

void TCustomInkMemo::PaintFocusLine(TCanvas& canvas, const TRect& area) {
  if (!showFocusLine_) return;
  const TPoint at = PointFromChar(SelCaret());
  if (at.Y < 0 || at.Y >= clientHeight_) return;
  const TRect clip = TRect{TextLeft(), 0, clientWidth_, clientHeight_}.Intersected(area);
  if (clip.IsEmpty()) return;
  canvas.SetClip(&clip);
  const TColor ink = canvas.ResolveColor(settings_->BackColorOf(0)) ^ 0xFFFFFF;
  canvas.Line(TextLeft(), at.Y, clientWidth_, at.Y, ink);
  canvas.Line(TextLeft(), at.Y + lineHeight_ - 1, clientWidth_, at.Y + lineHeight_ - 1, ink);
}

void TCustomInkMemo::InvalidateFocusLine() {
  if (!showFocusLine_) return;
  const int32_t row = Store().LocateRow(SelCaret()).Index;
  if (row == focusRow_) return;
  focusRow_ = row;
  fullRepaint_ = true;
}

}  // namespace ql
