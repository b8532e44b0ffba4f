#pragma once
// Measuring text for word wrap. Rows are painted on a grid of CharWidth columns (DisplayColumns.h
// gives each character its columns), so the grid measure is exact for a fixed-pitch font; with
// a proportional font the font's own widths are asked as well, and a piece of text counts as
// the wider of the two, so a row fits the window both as painted and as the font sets it.
#include <cstdint>
#include <string_view>

#include "toolkit/FontFactory.h"
#include "toolkit/TextEncoding.h"

namespace ql {

class TTextMeasure {
public:
  virtual ~TTextMeasure() = default;
  // Pixel width of a row's characters (no TAB among them) drawn as one run.
  virtual int32_t Width(std::string_view bytes) = 0;
  // Pixel width of count blanks.
  virtual int32_t BlankWidth(int32_t count) = 0;
};

// Display columns times CharWidth.
class TGridMeasure : public TTextMeasure {
public:
  TGridMeasure(int32_t charWidth, TTextEncoding encoding) : charWidth_(charWidth), encoding_(encoding) {}
  int32_t Width(std::string_view bytes) override;
  int32_t BlankWidth(int32_t count) override { return count * charWidth_; }

private:
  int32_t charWidth_;
  TTextEncoding encoding_;
};

// A made font's widths (through its factory), never less than the grid's.
class TFontMeasure : public TTextMeasure {
public:
  TFontMeasure(TFontFactory& fonts, TFontHandle font, int32_t charWidth, TTextEncoding encoding)
      : fonts_(fonts), font_(font), grid_(charWidth, encoding), encoding_(encoding) {}
  int32_t Width(std::string_view bytes) override;
  int32_t BlankWidth(int32_t count) override;

private:
  TFontFactory& fonts_;
  TFontHandle font_;
  TGridMeasure grid_;
  TTextEncoding encoding_;
};

}  // namespace ql
