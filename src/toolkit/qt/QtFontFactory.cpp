#include "toolkit/qt/QtFontFactory.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace ql {

namespace {

constexpr int32_t kDefaultPixelSize = 13;
constexpr int32_t kStandInPrinterPpi = 600;

QFont::StyleHint HintOf(uint8_t pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case 0x10: return QFont::Serif;
    case 0x20: return QFont::SansSerif;
    case 0x30: return QFont::TypeWriter;
    case 0x40: return QFont::Cursive;
    case 0x50: return QFont::Decorative;
    default: return QFont::AnyStyle;
  }
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

struct TQtFontFactory::TMadeFont {
  TMadeFont(const QFont& f, QPaintDevice* device) : Font(f), FontMetrics(f, device) {
    Metrics.Ascent = FontMetrics.ascent();
    Metrics.Descent = FontMetrics.descent();
    Metrics.Height = Metrics.Ascent + Metrics.Descent;
    Metrics.ExternalLeading = std::max(0, FontMetrics.leading());
    Metrics.AveCharWidth = FontMetrics.averageCharWidth();
    Metrics.MaxCharWidth = FontMetrics.maxWidth();
    Metrics.FixedPitch = QFontInfo(f).fixedPitch();
    for (int c = 0; c < 128; ++c) AsciiWidth[c] = FontMetrics.horizontalAdvance(QChar(c));
  }
  QFont Font;
  QFontMetrics FontMetrics;
  TTextMetrics Metrics;
  std::array<int32_t, 128> AsciiWidth{};  // the advances of plain ASCII, which add up
};

TQtFontFactory::TQtFontFactory() = default;
TQtFontFactory::~TQtFontFactory() = default;

QFont TQtFontFactory::MakeQFont(const TFontDescription& d) {
  QFont font;
  if (!d.FaceName.empty()) font.setFamily(QString::fromStdString(d.FaceName));
  font.setStyleHint(HintOf(d.PitchAndFamily));
  if ((d.PitchAndFamily & 0x03) == 1) {  // fixed pitch asked for
    font.setFixedPitch(true);
    if ((d.PitchAndFamily & 0xF0) == 0) font.setStyleHint(QFont::TypeWriter);
  }
  font.setPixelSize(d.Height < 0 ? -d.Height : d.Height > 0 ? d.Height : kDefaultPixelSize);
  if (d.Height > 0) {
    // A positive height is the cell (ascent + descent); the character height is smaller.
    const QFontMetrics cell(font);
    const int32_t cellHeight = cell.ascent() + cell.descent();
    if (cellHeight > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(d.Height) * d.Height / cellHeight))));
  }
  font.setWeight(static_cast<QFont::Weight>(d.Weight <= 0 ? 400 : std::clamp(d.Weight, 1, 1000)));
  font.setItalic(d.Italic);
  font.setUnderline(d.Underline);
  font.setStrikeOut(d.StrikeOut);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setKerning(false);
  return font;
}

QPaintDevice* TQtFontFactory::MeasuringDevice(TFontTarget target) {
  if (target == TFontTarget::Screen) return nullptr;  // QFontMetrics' own: the screen
  if (printer_ != nullptr) return printer_;
  if (!printerStandIn_) {
    printerStandIn_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(kStandInPrinterPpi / 0.0254));
    printerStandIn_->setDotsPerMeterX(dotsPerMeter);
    printerStandIn_->setDotsPerMeterY(dotsPerMeter);
  }
  return printerStandIn_.get();
}

int32_t TQtFontFactory::PixelsPerInchY(TFontTarget target) {
  if (target == TFontTarget::Printer) return MeasuringDevice(target)->logicalDpiY();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? static_cast<int32_t>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

TFontHandle TQtFontFactory::CreateFont(const TFontDescription& description, TFontTarget target) {
  auto made = std::make_unique<TMadeFont>(MakeQFont(description), MeasuringDevice(target));
  const auto handle = reinterpret_cast<TFontHandle>(made.get());
  fonts_.emplace(handle, std::move(made));
  return handle;
}

void TQtFontFactory::DeleteFont(TFontHandle font) { fonts_.erase(font); }

const TQtFontFactory::TMadeFont& TQtFontFactory::Find(TFontHandle font) {
  const auto at = fonts_.find(font);
  if (at != fonts_.end()) return *at->second;
  if (!fallback_) fallback_ = std::make_unique<TMadeFont>(MakeQFont(TFontDescription{}), nullptr);
  return *fallback_;
}

const QFont* TQtFontFactory::QFontOf(TFontHandle font) const {
  const auto at = fonts_.find(font);
  return at != fonts_.end() ? &at->second->Font : nullptr;
}

TTextMetrics TQtFontFactory::Metrics(TFontHandle font) { return Find(font).Metrics; }

int32_t TQtFontFactory::TextWidth(TFontHandle font, std::string_view utf8) {
  const TMadeFont& made = Find(font);
  if (IsAscii(utf8)) {
    int32_t width = 0;
    for (const char c : utf8) width += made.AsciiWidth[static_cast<unsigned char>(c)];
    return width;
  }
  return made.FontMetrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

TQtFontFactory& QtFontFactory() {
  static auto* const factory = new TQtFontFactory;  // never freed: no font outlives it at exit
  return *factory;
}

void InstallQtFontFactory() { SetDefaultFontFactory(&QtFontFactory()); }

}  // namespace ql
