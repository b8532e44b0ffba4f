#pragma once
// A canvas that draws nothing and remembers what it was asked to draw, with the fixed metrics of
// its font factory: what headless tests inspect and what engine benchmarks paint on.
#include <string>
#include <vector>

#include "toolkit/Canvas.h"

namespace ql {

class TRecordingCanvas : public TCanvas {
public:
  explicit TRecordingCanvas(TFontFactory& fonts) : fonts_(fonts) {}

  struct TTextCall {
    int32_t X = 0;
    int32_t Y = 0;
    std::string Text;
    TColor Fore = 0;
    TColor Back = 0;
    TFontHandle Font = 0;
    bool Opaque = false;  // an opaque rectangle was given
    TRect OpaqueRect;
  };
  struct TFillCall {
    TRect Rect;
    TColor Color = 0;
  };
  struct TLineCall {
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    TColor Color = 0;
    TPenStyle Style = TPenStyle::Solid;
  };
  struct TGlyphCall {
    std::string Strip;
    int32_t Index = 0;
    int32_t X = 0, Y = 0;
  };

  void SetFont(TFontHandle font) override { font_ = font; }
  TFontHandle Font() const override { return font_; }
  int32_t TextWidth(std::string_view utf8) override { return fonts_.TextWidth(font_, utf8); }
  void TextOut(int32_t x, int32_t y, std::string_view utf8, TColor fore, TColor back,
               const TRect* opaqueRect = nullptr) override;
  void FillRect(const TRect& rect, TColor color) override;
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor color, TPenStyle style = TPenStyle::Solid) override;
  void InvertRect(const TRect& rect) override;
  void DrawGlyph(std::string_view strip, int32_t index, int32_t x, int32_t y) override;
  void SetClip(const TRect* rect) override;
  // System colours resolve through a fixed palette (window white, window text black, highlight
  // navy, highlight text white, button face and scroll bar light grey, workspace grey).
  TColor ResolveColor(TColor color) const override;

  // Forgets every recorded call.
  void Clear();

  // With Record false only Calls counts (benchmarks).
  bool Record = true;
  int32_t Calls = 0;
  std::vector<TTextCall> Texts;
  std::vector<TFillCall> Fills;
  std::vector<TLineCall> Lines;
  std::vector<TRect> Inverts;
  std::vector<TGlyphCall> Glyphs;
  bool Clipped = false;
  TRect Clip;

private:
  TFontFactory& fonts_;
  TFontHandle font_ = 0;
};

}  // namespace ql
