#pragma once
// The drawing surface of the Qt port: a TCanvas over a QPainter, so the same drawing code paints
// a widget, a QImage or a printer page. Font handles come from the Qt font factory; a handle it
// did not make leaves the painter's font in place. System colours resolve through the palette
// given (the widget's, or the application's).
#include <QFont>
#include <QPalette>
#include <QRect>
#include <optional>

#include "toolkit/Canvas.h"

class QPainter;

namespace ql {

class TQtFontFactory;

class TQtCanvas : public TCanvas {
public:
  // fonts may be null (every handle is then unknown).
  TQtCanvas(QPainter& painter, TQtFontFactory* fonts, const QPalette& palette);

  void SetFont(TFontHandle font) override;
  TFontHandle Font() const override { return font_; }
  int32_t TextWidth(std::string_view utf8) override;
  void TextOut(int32_t x, int32_t y, std::string_view utf8, TColor fore, TColor back,
               const TRect* opaqueRect = nullptr) override;
  void FillRect(const TRect& rect, TColor color) override;
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color, TPenStyle style = TPenStyle::Solid) override;
  void InvertRect(const TRect& rect) override;
  void DrawGlyph(std::string_view strip, int32_t index, int32_t x, int32_t y) override;
  void SetClip(const TRect* rect) override;
  TColor ResolveColor(TColor color) const override;

  QPainter& Painter() { return painter_; }

private:
  bool KnownFont() const;
  void ClipTo(const QRect& rect);
  void RestoreClip();

  QPainter& painter_;
  TQtFontFactory* fonts_;
  QPalette palette_;
  TFontHandle font_ = 0;
  int32_t ascent_ = 0;
  int32_t height_ = 0;
  std::optional<QRect> clip_;  // what SetClip asked for
};

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace ql
