// Painting: the rows of the requested area in runs of equal style, with the gutter and its line
// numbers, the margin strip, the selection and the right-margin line; which rows need painting
// after a message; the caret.
#include <algorithm>
#include <cstdio>

#include "editor/CustomInkMemo.h"
#include "highlight/Rescan.h"
#include "services/SM_Settings.h"
#include "toolkit/Canvas.h"

namespace ql {
namespace {

constexpr TColor RightMarginColor = clSilver;
constexpr TColor WrapColumnColor = clGray;
constexpr int32_t WrapGlyphWidth = 15, WrapGlyphHeight = 16;

std::string HexText(char32_t code) {
  char text[12];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(code));
  return text;
}

}  // namespace

TFontHandle TCustomInkMemo::StyleFontOf(uint8_t style) const {
  const TFontHandle font = settings_->StyleFont(style);
  return font != 0 ? font : settings_->StyleFont(0);
}

TFontHandle TCustomInkMemo::GutterFont() {
  if (gutterFont_ == 0) {
    const TFontSpec& gutterFont = settings_->GutterFont();
    TFontFactory& fonts = settings_->FontFactory();
    TFontDescription d;
    d.Height = FontHeightForPoints(gutterFont.Size, fonts.PixelsPerInchY(TFontTarget::Screen));
    d.Weight = (gutterFont.Style & fsBold) ? FW_BOLD : FW_DONTCARE;
    d.Italic = (gutterFont.Style & fsItalic) != 0;
    d.CharSet = gutterFont.CharSet;
    d.FaceName = gutterFont.Name;
    gutterFont_ = fonts.CreateFont(d, TFontTarget::Screen);
    gutterFonts_ = &fonts;
  }
  return gutterFont_;
}

void TCustomInkMemo::FreeGutterFont() {
  if (gutterFont_ != 0 && gutterFonts_ != nullptr) gutterFonts_->DeleteFont(gutterFont_);
  gutterFont_ = 0;
  gutterFonts_ = nullptr;
}

void TCustomInkMemo::Paint(TCanvas& canvas, const TRect& area) {
  if (printing_) return;
  if (!measured_) MeasureFont();
  TTextStore& store = Store();
  store.EnsureTopRow();
  TTextRow* row = store.TopRow;
  int32_t start = store.TopOffset;
  int32_t y = 0;
  while (row != nullptr && y + lineHeight_ <= area.Top) {
    start += row->Length;
    row = row->Next;
    y += lineHeight_;
  }
  if (row == nullptr) y = std::max(y, area.Top - area.Top % lineHeight_);
  // The gutter numbers logical lines: a line wrapped over several rows is numbered once.
  int32_t lineNo = row != nullptr ? store.LineOfRow(row) + 1 : 0;
  for (; y < area.Bottom; y += lineHeight_) {
    PaintRow(canvas, row, start, lineNo, y, area);
    if (row != nullptr) {
      row->Flags &= ~rfRepaint;
      if (row->EndsWithCR()) ++lineNo;
      start += row->Length;
      row = row->Next;
    }
  }
  PaintFocusLine(canvas, area);
  canvas.SetClip(nullptr);
}

void TCustomInkMemo::PaintRow(TCanvas& canvas, const TTextRow* row, int32_t rowStart, int32_t lineNo, int32_t y,
                              const TRect& area) {
  const TSM_Settings& s = *settings_;
  const int32_t textLeft = TextLeft();
  const int32_t right = std::max(clientWidth_, area.Right);
  if (HasOption(smoShowGutter) && s.Gutter > 0) {
    const TRect gutter{0, y, s.Gutter, y + lineHeight_};
    if (gutter.Intersects(area)) {
      const TRect clip = gutter.Intersected(area);
      canvas.SetClip(&clip);
      PaintGutter(canvas, row, rowStart, lineNo, y);
    }
  }
  if (s.Margin > 0) {
    const TRect margin{textLeft - s.Margin, y, textLeft, y + lineHeight_};
    if (margin.Intersects(area)) {
      const TRect clip = margin.Intersected(area);
      canvas.SetClip(&clip);
      canvas.FillRect(margin, s.UseDefMarginColor ? s.BackColorOf(0) : s.MarginColor);
    }
  }
  const TRect text{textLeft, y, right, y + lineHeight_};
  if (!text.Intersects(area)) return;
  const TRect clip = text.Intersected(area);
  canvas.SetClip(&clip);
  if (row != nullptr) {
    if (OnDrawLine) {
      TLineDrawData data;
      data.Text = row->Text.get();
      data.Canvas = &canvas;
      data.Rect = {textLeft, y, textLeft + clientWidth_, y + lineHeight_};
      data.Offset = rowStart;
      data.FirstColumn = leftColumn_;
      data.Columns = LayoutOf(*row).Width();
      OnDrawLine(*this, data);
      canvas.SetClip(&clip);
      // The handler drew the row: no text, marks or margin lines of ours.
      if (data.Handled) return;
    }
    PaintText(canvas, *row, rowStart, y, LineMarkerOf(*row, rowStart));
    PaintRowMarks(canvas, *row, rowStart, y);
  } else {
    canvas.FillRect(text, Enabled ? s.BackColorOf(0) : clSilver);
  }
  if (HasOption(smoShowRMargin) && s.RightMargin > leftColumn_ && s.RightMargin - leftColumn_ < visibleColumns_) {
    const int32_t x = textLeft + (s.RightMargin - leftColumn_) * charWidth_;
    canvas.Line(x, y, x, y + lineHeight_ - 1, RightMarginColor);
  }
  if (HasOption(smoWordWrap) && HasOption(smoShowWrapColumn) && s.WrapAtColumn > leftColumn_ && s.WrapAtColumn - leftColumn_ <= visibleColumns_) {
    const int32_t x = textLeft + (s.WrapAtColumn - leftColumn_) * charWidth_;
    canvas.Line(x, y, x, y + lineHeight_ - 1, WrapColumnColor, TPenStyle::Dot);
  }
  // A margin or wrap-column line being dragged, where it would go.
  if (lineDrag_.Active && lineDrag_.Column > leftColumn_) {
    const int32_t x = LineDragX();
    canvas.Line(x, y, x, y + lineHeight_ - 1, clWindowText);
  }
}

void TCustomInkMemo::PaintGutter(TCanvas& canvas, const TTextRow* row, int32_t rowStart, int32_t lineNo, int32_t y) {
  const TSM_Settings& s = *settings_;
  canvas.FillRect({0, y, s.Gutter, y + lineHeight_}, s.UseDefGutterColor ? clScrollBar : s.GutterColor);
  if (s.Gutter > 9) canvas.Line(s.Gutter - 2, y, s.Gutter - 2, y + lineHeight_ - 1, clWhite);
  if (row == nullptr) return;
  const TRowMarker marker = RowMarkerAt(rowStart);
  PaintGutterGlyphs(canvas, *row, marker, y);
  if (!HasOption(smoLineNumbers)) return;
  // Rows that show a glyph show no number.
  if ((row->MarkBits & (mbBookmarkMask | mbContinuation)) != 0 || row->GutterMarks != 0 || marker.Present) return;
  const TFontHandle font = GutterFont();
  const int32_t height = settings_->FontFactory().Metrics(font).Height;
  canvas.SetFont(font);
  char number[16];
  std::snprintf(number, sizeof number, "%d", lineNo % 10000000);
  canvas.TextOut(2, y + std::max((lineHeight_ - height) / 2, 0), number, s.GutterFont().Color, clNone);
}

void TCustomInkMemo::PaintText(TCanvas& canvas, const TTextRow& row, int32_t rowStart, int32_t y,
                               const TRowMarker& marker) {
  const TSM_Settings& s = *settings_;
  const TRowLayout& layout = LayoutOf(row);
  const auto& chars = layout.Chars();
  const int32_t textLeft = TextLeft();
  const int32_t right = clientWidth_;
  const bool styled = HasOption(smoSyntaxHighlight) && row.Styles != nullptr;

  const int32_t selStart = std::min(SelAnchor(), SelCaret());
  const int32_t selEnd = std::max(SelAnchor(), SelCaret());
  const bool showSelection = selStart < selEnd && (host_->HasFocus() || !hideSelection_);
  const int32_t selFrom = showSelection ? std::clamp(selStart - rowStart, 0, static_cast<int32_t>(row.Length)) : 0;
  const int32_t selTo = showSelection ? std::clamp(selEnd - rowStart, 0, static_cast<int32_t>(row.Length)) : 0;

  auto styleAt = [&](int32_t byte) -> uint8_t { return styled ? s.GetMap(row.Styles[byte]) : 0; };
  auto colours = [&](uint8_t style, bool selected, TColor& fore, TColor& back) {
    if (marker.Present) {
      // A breakpoint's row colours, exchanged inside the selection.
      fore = selected ? marker.Back : marker.Text;
      back = selected ? marker.Text : marker.Back;
    } else {
      fore = selected ? (s.UseDefSelTextColor ? clHighlightText : s.SelTextColor) : s.TextColorOf(style);
      back = selected ? (s.UseDefSelTextBack ? clHighlight : s.SelTextBack) : s.BackColorOf(style);
    }
    if (!Enabled) back = clSilver;
  };
  const bool showAll = HasOption(smoShowAllChars);

  size_t i = layout.CharAtColumn(leftColumn_);
  while (i < chars.size() && chars[i].Kind != TCharKind::Break) {
    const TRowLayout::TChar& c = chars[i];
    const int32_t x = textLeft + (c.Column - leftColumn_) * charWidth_;
    if (x >= right) break;
    const uint8_t style = styleAt(c.Byte);
    const bool selected = c.Byte >= selFrom && c.Byte < selTo;
    TColor fore, back;
    colours(style, selected, fore, back);
    canvas.SetFont(StyleFontOf(style));
    if (c.Kind == TCharKind::Hex) {
      // A byte the encoding cannot show: its hex value, in the style's colours exchanged.
      const TRect box{x, y, x + c.Columns * charWidth_, y + lineHeight_};
      canvas.TextOut(x, y, HexText(c.Code), back, fore, &box);
      ++i;
      continue;
    }
    size_t j = i + 1;
    if (c.Columns == 1 || c.Kind == TCharKind::Tab) {
      // A run: narrow characters and TABs of one style and selection state.
      while (j < chars.size()) {
        const TRowLayout::TChar& d = chars[j];
        if (d.Kind == TCharKind::Break || d.Kind == TCharKind::Hex || (d.Kind == TCharKind::Text && d.Columns != 1)) break;
        if (styleAt(d.Byte) != style || (d.Byte >= selFrom && d.Byte < selTo) != selected) break;
        if (textLeft + (d.Column - leftColumn_) * charWidth_ >= right) break;
        ++j;
      }
    }
    const TRowLayout::TChar& last = chars[j - 1];
    const int32_t width = (last.Column + last.Columns - c.Column) * charWidth_;
    runText_.clear();
    layout.AppendText(i, j, runText_);
    const TRect cell{x, y, x + width, y + lineHeight_};
    canvas.TextOut(x, y, runText_, fore, back, &cell);
    if (showAll) PaintWhitespace(canvas, layout, i, j, y, back);
    i = j;
  }
  // Right of the text: the default background, or the selection's when it runs on past the row.
  const int32_t textEnd = std::max(textLeft + (layout.Width() - leftColumn_) * charWidth_, textLeft);
  if (textEnd < right) {
    const bool throughBreak = row.EndsWithCR() && selFrom <= layout.ContentBytes() && selTo > layout.ContentBytes();
    TColor fore, back;
    colours(0, throughBreak, fore, back);
    canvas.FillRect({textEnd, y, right, y + lineHeight_}, back);
    if (showAll) PaintRowEnd(canvas, row, layout, y, back);
  }
}

void TCustomInkMemo::InvalidateChangedRows() {
  TTextStore& store = Store();
  store.EnsureTopRow();
  const bool scanned = !rescanner_ || !rescanner_->HasPending();
  const uint32_t clear = scanned ? rfRepaint | rfRescan | rfForceScan : rfRepaint;
  int32_t y = 0;
  for (TTextRow* row = store.TopRow; row != nullptr && y < clientHeight_; row = row->Next, y += lineHeight_) {
    if (!fullRepaint_ && (row->Flags & (rfRepaint | rfRescan)) != 0) {
      const TRect rect{0, y, clientWidth_, y + lineHeight_};
      host_->InvalidateRect(&rect);
    }
    row->Flags &= ~clear;
  }
  if (fullRepaint_) host_->InvalidateRect(nullptr);
  fullRepaint_ = false;
}

void TCustomInkMemo::UpdateCaret() {
  // While a drag is over the editor the caret shows where the drop would go.
  const bool dropping = dropFeedback_ && dropPosition_ >= 0;
  if (!host_->HasFocus() && !dropping) {
    if (caretCreated_) host_->DestroyCaret();
    caretCreated_ = false;
    return;
  }
  TPoint at = PointFromChar(dropping ? dropPosition_ : SelCaret());
  if (BeyondEOL() && !dropping) at.X = TextLeft() + (virtualColumn_ - leftColumn_) * charWidth_;
  const bool block = !dropping && (HasOption(smoBlockCursorPersistent) || (!insertMode_ && HasOption(smoBlockOverwriteCursor)));
  const TPoint size{block ? charWidth_ : 2, lineHeight_};
  if (!caretCreated_ || !(size == caretSize_)) {
    host_->CreateCaret(size.X, size.Y);
    caretCreated_ = true;
    caretSize_ = size;
  }
  if (at.Y >= 0 && at.Y < clientHeight_ && at.X >= TextLeft() && at.X < clientWidth_) {
    host_->SetCaretPos(at.X, at.Y);
    host_->ShowCaret();
  } else {
    host_->HideCaret();
  }
}

}  // namespace ql
