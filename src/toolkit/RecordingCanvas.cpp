#include "toolkit/RecordingCanvas.h"

namespace ql {

void TRecordingCanvas::TextOut(int32_t x, int32_t y, std::string_view utf8, TColor fore, TColor back,
                               const TRect* opaqueRect) {
  ++Calls;
  if (!Record) return;
  TTextCall call{x, y, std::string(utf8), fore, back, font_, opaqueRect != nullptr, {}};
  if (opaqueRect != nullptr) call.OpaqueRect = *opaqueRect;
  Texts.push_back(std::move(call));
}

void TRecordingCanvas::FillRect(const TRect& rect, TColor color) {
  ++Calls;
  if (Record) Fills.push_back({rect, color});
}

void TRecordingCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color, TPenStyle style) {
  ++Calls;
  if (Record) Lines.push_back({x1, y1, x2, y2, color, style});
}

void TRecordingCanvas::InvertRect(const TRect& rect) {
  ++Calls;
  if (Record) Inverts.push_back(rect);
}

void TRecordingCanvas::DrawGlyph(std::string_view strip, int32_t index, int32_t x, int32_t y) {
  ++Calls;
  if (Record) Glyphs.push_back({std::string(strip), index, x, y});
}

void TRecordingCanvas::SetClip(const TRect* rect) {
  Clipped = rect != nullptr;
  Clip = rect != nullptr ? *rect : TRect{};
}

TColor TRecordingCanvas::ResolveColor(TColor color) const {
  if (!IsSystemColor(color)) return color;
  switch (SystemColorIndex(color)) {
    case 0: return RGB(0xC8, 0xC8, 0xC8);
    case 5: return clWhite;
    case 8: return clBlack;
    case 12: return clGray;
    case 13: return clNavy;
    case 14: return clWhite;
    case 15: return RGB(0xF0, 0xF0, 0xF0);
    default: return clBlack;
  }
}

void TRecordingCanvas::Clear() {
  Calls = 0;
  Texts.clear();
  Fills.clear();
  Lines.clear();
  Inverts.clear();
  Glyphs.clear();
}

}  // namespace ql
