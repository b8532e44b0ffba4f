#pragma once
// The font factory of the Qt port: a logical font record becomes a QFont (a negative height is a
// pixel size, a positive one a cell height), measured with QFontMetrics on the screen or on the
// printer. Glyph advances are whole pixels (full hinting, no shaping of plain text), so the
// width of a run is the sum of its characters' widths and text drawn at whole-pixel positions
// lines up with the columns the editor computes.
//
// Install the program's one (InstallQtFontFactory) before any settings object exists.
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>
#include <unordered_map>

#include "toolkit/FontFactory.h"

class QPaintDevice;
class QImage;

namespace ql {

class TQtFontFactory : public TFontFactory {
public:
  TQtFontFactory();
  ~TQtFontFactory() override;
  TQtFontFactory(const TQtFontFactory&) = delete;
  TQtFontFactory& operator=(const TQtFontFactory&) = delete;

  // Printer fonts are measured on this device; without one, on a 600 dpi image. The device
  // must outlive the printer fonts made while it is set.
  void SetPrinterDevice(QPaintDevice* device) { printer_ = device; }

  int32_t PixelsPerInchY(TFontTarget target) override;
  TFontHandle CreateFont(const TFontDescription& description, TFontTarget target) override;
  void DeleteFont(TFontHandle font) override;
  TTextMetrics Metrics(TFontHandle font) override;
  int32_t TextWidth(TFontHandle font, std::string_view utf8) override;

  // The QFont of a handle this factory made; null for any other handle.
  const QFont* QFontOf(TFontHandle font) const;
  // The QFont a description stands for (no metrics, no handle).
  static QFont MakeQFont(const TFontDescription& description);
  int32_t LiveFontCount() const { return static_cast<int32_t>(fonts_.size()); }

private:
  struct TMadeFont;
  QPaintDevice* MeasuringDevice(TFontTarget target);
  const TMadeFont& Find(TFontHandle font);

  std::unordered_map<TFontHandle, std::unique_ptr<TMadeFont>> fonts_;
  std::unique_ptr<TMadeFont> fallback_;  // answers for handles made elsewhere
  QPaintDevice* printer_ = nullptr;
  std::unique_ptr<QImage> printerStandIn_;
};

// The program's Qt font factory: made on first use and kept until the process ends (fonts made
// by it may be freed at any time before). InstallQtFontFactory makes it the default factory,
// which settings objects made afterwards use; installing it again changes nothing.
TQtFontFactory& QtFontFactory();
void InstallQtFontFactory();

}  // namespace ql
