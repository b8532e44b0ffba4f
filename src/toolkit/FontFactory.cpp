#include "toolkit/FontFactory.h"

#include <cstdlib>
#include <limits>

namespace ql {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
  const int64_t result = (product < 0) != (c < 0) ? -magnitude : magnitude;
  if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int32_t>(result);
}

int32_t FontHeightForPoints(int32_t points, int32_t pixelsPerInchY) { return -MulDiv(points, pixelsPerInchY, 72); }

TFontHandle TRecordingFontFactory::CreateFont(const TFontDescription& description, TFontTarget target) {
  const TFontHandle handle = next_++;
  live_[handle] = TMadeFont{description, target};
  ++created_;
  return handle;
}

void TRecordingFontFactory::DeleteFont(TFontHandle font) {
  if (font == 0) return;
  if (live_.erase(font) != 0) ++deleted_;
}

TTextMetrics TRecordingFontFactory::Metrics(TFontHandle /*font*/) {
  TTextMetrics m;
  m.Ascent = Ascent;
  m.Descent = Descent;
  m.Height = Ascent + Descent;
  m.AveCharWidth = CharWidth;
  m.MaxCharWidth = CharWidth;
  m.FixedPitch = true;
  return m;
}

int32_t TRecordingFontFactory::TextWidth(TFontHandle /*font*/, std::string_view utf8) {
  int32_t chars = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;  // continuation bytes add nothing
  }
  return chars * CharWidth;
}

namespace {
TFontFactory* installedFactory = nullptr;
}

TFontFactory& DefaultFontFactory() {
  static TRecordingFontFactory recording;
  return installedFactory != nullptr ? *installedFactory : recording;
}

void SetDefaultFontFactory(TFontFactory* factory) { installedFactory = factory; }

}  // namespace ql
