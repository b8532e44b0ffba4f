#pragma once
// A drawing surface: the screen window, an off-screen image or a printer page. The editor draws
// only through this interface; the Qt port implements it over QPainter and tests record the calls.
// Text is passed as UTF-8; the caller has already turned document bytes into characters.
// Colours may be system colours (0x80000000 + index): the canvas resolves them when drawing.
#include <cstdint>
#include <string_view>

#include "toolkit/Color.h"
#include "toolkit/FontFactory.h"
#include "toolkit/Geometry.h"

namespace ql {

enum class TPenStyle : uint8_t { Solid, Dot };

class TCanvas {
public:
  virtual ~TCanvas() = default;

  // The font of later TextOut and TextWidth calls; a handle made by the font factory of the
  // canvas's target (screen fonts for a window or image, printer fonts for a printer).
  virtual void SetFont(TFontHandle font) = 0;
  virtual TFontHandle Font() const = 0;
  // Width in pixels of text in the current font.
  virtual int32_t TextWidth(std::string_view utf8) = 0;
  // Draws text with its cell's top-left corner at (x, y). With back other than clNone the text's
  // cells are filled first (opaque); with opaqueRect given, that rectangle is filled with back
  // and the text clipped to it.
  virtual void TextOut(int32_t x, int32_t y, std::string_view utf8, TColor fore, TColor back,
                       const TRect* opaqueRect = nullptr) = 0;
  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // A one-pixel line from (x1, y1) to (x2, y2), end point included.
  virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color,
                    TPenStyle style = TPenStyle::Solid) = 0;
  // Inverts the pixels of rect (selection feedback, rubber bands drawn as state).
  virtual void InvertRect(const TRect& rect) = 0;
  // Draws picture `index` of a strip of equal-width pictures loaded by name from the program's
  // resources ("SEM_GUTTER", "SEM_WRAPPED"), its top-left corner at (x, y). Unknown names draw
  // nothing.
  virtual void DrawGlyph(std::string_view strip, int32_t index, int32_t x, int32_t y) = 0;
  // Limits later drawing to rect; null removes the limit.
  virtual void SetClip(const TRect* rect) = 0;
  // A plain colour for a system colour; plain colours come back unchanged.
  virtual TColor ResolveColor(TColor color) const = 0;
};

}  // namespace ql
