#pragma once
// TColorDropButton: a push button that shows a colour swatch and an arrow, and drops down a
// palette (ColorDropPalette.h) to choose another colour. Drawn by itself.
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "toolkit/ColorArray.h"
#include "toolkit/Color.h"

namespace ql {

class TTSM_ColorDropButtonPalette;

enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

class TColorDropButton : public QPushButton {
public:
  explicit TColorDropButton(QWidget* parent = nullptr);
  ~TColorDropButton() override;

  TColor Color() const { return color_; }
  // A different colour is stored, shown and reported through OnColorChange.
  void SetColor(TColor color);
  TButtonStyle Style = bsAutoDetect;  // bsWin31: a shadow frame around the unpressed button
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  QString OtherBtnCaption;
  TColor OtherColor = clBtnFace;
  TColorArrayClass PaletteColors{4, 5};
  TColorArrayClass CustomColors{8, 2};
  QString CustomColorsKey;  // kept with the button; nothing reads it
  std::function<void(TColorDropButton& sender)> OnColorChange;

  // Opens the palette below the button (above it when there is no room below), as a click does.
  void DropDown();
  // The open palette, or null.
  TTSM_ColorDropButtonPalette* Palette() const;
  // Where a palette of size goes for the button's screen rectangle in the work area.
  static QPoint PalettePosition(const QRect& button, QSize size, const QRect& workArea);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void PaletteClosed();

  TColor color_ = 0;
  bool flat_ = false;
  bool hover_ = false;
  QPointer<TTSM_ColorDropButtonPalette> palette_;
};

}  // namespace ql
