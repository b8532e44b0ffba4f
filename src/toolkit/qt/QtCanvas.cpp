#include "toolkit/qt/QtCanvas.h"

#include <QPaintEngine>
#include <QPainter>

#include "toolkit/qt/GlyphStrips.h"
#include "toolkit/qt/QtColors.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql {

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TQtCanvas::TQtCanvas(QPainter& painter, TQtFontFactory* fonts, const QPalette& palette)
    : painter_(painter), fonts_(fonts), palette_(palette) {
  const QFontMetrics metrics = painter_.fontMetrics();
  ascent_ = metrics.ascent();
  height_ = metrics.ascent() + metrics.descent();
}

bool TQtCanvas::KnownFont() const { return fonts_ != nullptr && fonts_->QFontOf(font_) != nullptr; }

void TQtCanvas::SetFont(TFontHandle font) {
  if (font == font_) return;
  font_ = font;
  const QFont* made = fonts_ != nullptr ? fonts_->QFontOf(font) : nullptr;
  if (made == nullptr) return;
  painter_.setFont(*made);
  const TTextMetrics metrics = fonts_->Metrics(font);
  ascent_ = metrics.Ascent;
  height_ = metrics.Height;
}

int32_t TQtCanvas::TextWidth(std::string_view utf8) {
  if (KnownFont()) return fonts_->TextWidth(font_, utf8);
  return painter_.fontMetrics().horizontalAdvance(Utf8(utf8));
}

void TQtCanvas::ClipTo(const QRect& rect) { painter_.setClipRect(clip_ ? rect & *clip_ : rect); }

void TQtCanvas::RestoreClip() {
  if (clip_) {
    painter_.setClipRect(*clip_);
  } else {
    painter_.setClipping(false);
  }
}

void TQtCanvas::TextOut(int32_t x, int32_t y, std::string_view utf8, TColor fore, TColor back, const TRect* opaqueRect) {
  const int32_t width = utf8.empty() ? 0 : TextWidth(utf8);
  const TRect cell{x, y, x + width, y + height_};
  if (opaqueRect != nullptr) {
    FillRect(*opaqueRect, back);
  } else if (back != clNone) {
    FillRect(cell, back);
  }
  if (utf8.empty()) return;
  // Clipping costs; text that lies inside its rectangle needs none.
  const bool clip = opaqueRect != nullptr && !(cell.Left >= opaqueRect->Left && cell.Right <= opaqueRect->Right &&
                                                cell.Top >= opaqueRect->Top && cell.Bottom <= opaqueRect->Bottom);
  if (clip) ClipTo(ToQRect(*opaqueRect));
  painter_.setPen(ToQColor(fore, palette_));
  painter_.drawText(QPoint(x, y + ascent_), Utf8(utf8));
  if (clip) RestoreClip();
}

void TQtCanvas::FillRect(const TRect& rect, TColor color) {
  if (color == clNone || rect.IsEmpty()) return;
  painter_.fillRect(ToQRect(rect), ToQColor(color, palette_));
}

void TQtCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color, TPenStyle style) {
  QPen pen(ToQColor(color, palette_));
  pen.setWidth(0);  // one device pixel, whatever the transformation
  pen.setStyle(style == TPenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
  painter_.setPen(pen);
  if (x1 == x2 && y1 == y2) {
    painter_.drawPoint(x1, y1);
  } else {
    painter_.drawLine(x1, y1, x2, y2);
  }
}

void TQtCanvas::InvertRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const QPaintEngine* engine = painter_.paintEngine();
  if (engine == nullptr || !engine->hasFeature(QPaintEngine::RasterOpModes)) return;  // printers cannot
  const QPainter::CompositionMode mode = painter_.compositionMode();
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.fillRect(ToQRect(rect), Qt::white);
  painter_.setCompositionMode(mode);
}

void TQtCanvas::DrawGlyph(std::string_view strip, int32_t index, int32_t x, int32_t y) {
  ql::DrawGlyph(painter_, strip, index, x, y);
}

void TQtCanvas::SetClip(const TRect* rect) {
  if (rect == nullptr) {
    clip_.reset();
  } else {
    clip_ = ToQRect(*rect);
  }
  RestoreClip();
}

TColor TQtCanvas::ResolveColor(TColor color) const { return ql::ResolveColor(color, palette_); }

}  // namespace ql
