#include "dialogs/ColorDropButton.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "dialogs/ColorDropPalette.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/qt/QtColors.h"

namespace ql {

namespace {
// The arrow picture, drawn rather than loaded: a small filled triangle pointing down.
void DrawArrow(QPainter& p, QPoint centre, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  const QPoint points[3] = {centre + QPoint(-3, -1), centre + QPoint(4, -1), centre + QPoint(0, 3)};
  p.drawPolygon(points, 3);
}
}  // namespace

TColorDropButton::TColorDropButton(QWidget* parent) : QPushButton(parent), OtherBtnCaption("&Other") {
  resize(45, 22);
  DefaultPalette(PaletteColors);
  for (int y = 1; y <= 2; ++y)
    for (int x = 1; x <= 8; ++x) CustomColors.SetColor(x, y, clWhite);
  connect(this, &QPushButton::clicked, this, [this] { RunGuarded([this] { DropDown(); }); });
}

TColorDropButton::~TColorDropButton() {
  if (palette_) {
    palette_->OnClosed = nullptr;
    palette_->OnColorChosen = nullptr;
  }
}

TTSM_ColorDropButtonPalette* TColorDropButton::Palette() const { return palette_.data(); }

void TColorDropButton::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  update();
  if (OnColorChange) OnColorChange(*this);
}

void TColorDropButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}

QPoint TColorDropButton::PalettePosition(const QRect& button, QSize size, const QRect& work) {
  QPoint at = button.bottomLeft() + QPoint(0, 1);
  if (at.y() + size.height() > work.bottom() + 1) at.setY(button.top() - 121);
  if (at.x() < work.left()) {
    at.setX(work.left());
  } else if (at.x() + size.width() > work.right() + 1) {
    at.setX(work.right() + 1 - 78);
  }
  return at;
}

void TColorDropButton::DropDown() {
  if (palette_) return;
  auto* palette = new TTSM_ColorDropButtonPalette(this);
  palette_ = palette;
  palette->SetOtherCaption(OtherBtnCaption);
  palette->SetOtherColor(OtherColor);
  palette->PaletteColors.Assign(PaletteColors);
  palette->CustomColors.Assign(CustomColors);
  palette->SetCurrentColor(color_);
  palette->OnColorChosen = [this](TColor color) { SetColor(color); };
  palette->OnClosed = [this] { PaletteClosed(); };
  const QRect global(mapToGlobal(QPoint(0, 0)), size());
  const QScreen* screen = this->screen() != nullptr ? this->screen() : QApplication::primaryScreen();
  const QRect work = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
  palette->move(PalettePosition(global, palette->size(), work));
  setDown(true);
  palette->show();
  palette->raise();
  palette->activateWindow();
  palette->setFocus();
}

void TColorDropButton::PaletteClosed() {
  if (palette_) CustomColors.Assign(palette_->CustomColors);
  palette_ = nullptr;
  setDown(false);
  update();
}

void TColorDropButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click is a second press.
  mousePressEvent(event);
}

void TColorDropButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QPushButton::enterEvent(event);
}

void TColorDropButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QPushButton::leaveEvent(event);
}

void TColorDropButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  const QPalette& pal = palette();
  const bool pressed = isDown() || palette_;
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  if (pressed) option.state |= QStyle::State_Sunken;
  const bool drawFlat = flat_ && !hover_ && !hasFocus() && !pressed;
  if (!drawFlat) p.drawControl(QStyle::CE_PushButtonBevel, option);
  if (Style == bsWin31 && !pressed) {
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const int shift = pressed ? 1 : 0;
  const QRect inner = rect().adjusted(3 + shift, 3 + shift, -3 + shift, -3 + shift);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = inner;
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
  const QRect swatch = inner.adjusted(2, 2, -10 - 2, -2);
  p.setPen(pal.color(QPalette::WindowText));
  if (isEnabled()) {
    p.fillRect(swatch, ToQColor(color_, pal));
  } else {
    p.fillRect(swatch, QBrush(pal.color(QPalette::Mid), Qt::BDiagPattern));
  }
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
  const int groove = swatch.right() + 3;
  p.setPen(pal.color(QPalette::Dark));
  p.drawLine(groove, inner.top() + 1, groove, inner.bottom() - 1);
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(groove + 1, inner.top() + 1, groove + 1, inner.bottom() - 1);
  DrawArrow(p, QPoint((groove + 2 + inner.right()) / 2 + 1, inner.center().y()),
            isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid));
}

}  // namespace ql
