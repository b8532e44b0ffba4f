#pragma once
// Making fonts: the editor's style fonts are described by a logical font record (height in
// device pixels, weight, italic/underline/strike-out, character set, face name) and made by a
// factory for the screen or the printer. The core only ever holds the handles it was given; the
// Qt port installs a factory that makes QFonts, and tests use the recording factory below.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Color.h"

namespace ql {

// Font style bits, as stored in style records and streams.
constexpr uint8_t fsBold = 0x01, fsItalic = 0x02, fsUnderline = 0x04, fsStrikeOut = 0x08;

constexpr uint8_t ANSI_CHARSET = 0, DEFAULT_CHARSET = 1;
constexpr int32_t FW_DONTCARE = 0, FW_BOLD = 700;

// A font as a property holds it: name, size in points, character set, colour and style bits.
struct TFontSpec {
  std::string Name = "MS Sans Serif";
  int32_t Size = 8;
  uint8_t CharSet = DEFAULT_CHARSET;
  TColor Color = clWindowText;
  uint8_t Style = 0;  // fsBold | fsItalic | fsUnderline | fsStrikeOut
  bool operator==(const TFontSpec&) const = default;
};

// A logical font. Height < 0 is a character height of -Height device pixels; 0 fields mean the
// platform's default.
struct TFontDescription {
  int32_t Height = 0;
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = FW_DONTCARE;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = DEFAULT_CHARSET;
  uint8_t OutPrecision = 0;
  uint8_t ClipPrecision = 0;
  uint8_t Quality = 0;
  uint8_t PitchAndFamily = 0;
  std::string FaceName;
  bool operator==(const TFontDescription&) const = default;
};

enum class TFontTarget : uint8_t { Screen, Printer };

// A made font; 0 is no font.
using TFontHandle = uintptr_t;

// Metrics of a made font, in pixels of its target.
struct TTextMetrics {
  int32_t Height = 0;           // ascent + descent
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t ExternalLeading = 0;  // extra space the font asks for between lines
  int32_t AveCharWidth = 0;
  int32_t MaxCharWidth = 0;
  int32_t Overhang = 0;         // extra width some bold or italic fonts add to a run
  bool FixedPitch = false;
  bool operator==(const TTextMetrics&) const = default;
};

class TFontFactory {
public:
  virtual ~TFontFactory() = default;
  // Vertical pixels per inch of the target device.
  virtual int32_t PixelsPerInchY(TFontTarget target) = 0;
  // Makes a font for the target; never returns 0.
  virtual TFontHandle CreateFont(const TFontDescription& description, TFontTarget target) = 0;
  // Frees a font made by CreateFont; 0 is ignored.
  virtual void DeleteFont(TFontHandle font) = 0;
  // Metrics of a font made by this factory.
  virtual TTextMetrics Metrics(TFontHandle font) = 0;
  // Width in pixels of UTF-8 text drawn in the font.
  virtual int32_t TextWidth(TFontHandle font, std::string_view utf8) = 0;
};

// a * b / c rounded to the nearest integer (halves away from zero); -1 when c is 0 or the
// result does not fit 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
// The logical height of a font of the given point size on a device: -(points * ppi / 72).
int32_t FontHeightForPoints(int32_t points, int32_t pixelsPerInchY);

// Hands out numbered handles and keeps the description of every live font: the factory of a
// program without a display, and what tests inspect.
class TRecordingFontFactory : public TFontFactory {
public:
  int32_t PixelsPerInchY(TFontTarget target) override { return target == TFontTarget::Printer ? PrinterPpi : ScreenPpi; }
  TFontHandle CreateFont(const TFontDescription& description, TFontTarget target) override;
  void DeleteFont(TFontHandle font) override;
  // Every font has the fixed metrics below, whatever its description: each character (code point)
  // is CharWidth wide, bold ones too.
  TTextMetrics Metrics(TFontHandle font) override;
  int32_t TextWidth(TFontHandle font, std::string_view utf8) override;

  int32_t CharWidth = 8;
  int32_t Ascent = 13;
  int32_t Descent = 3;

  struct TMadeFont {
    TFontDescription Description;
    TFontTarget Target = TFontTarget::Screen;
  };
  // Fonts made and not yet deleted, by handle.
  const std::map<TFontHandle, TMadeFont>& LiveFonts() const { return live_; }
  int32_t CreatedCount() const { return created_; }
  int32_t DeletedCount() const { return deleted_; }

  int32_t ScreenPpi = 96;
  int32_t PrinterPpi = 600;

private:
  std::map<TFontHandle, TMadeFont> live_;
  TFontHandle next_ = 1;
  int32_t created_ = 0;
  int32_t deleted_ = 0;
};

// The process-wide factory new settings objects use: a recording factory until the GUI port
// installs its own with SetDefaultFontFactory (which must outlive every user).
TFontFactory& DefaultFontFactory();
void SetDefaultFontFactory(TFontFactory* factory);

}  // namespace ql
