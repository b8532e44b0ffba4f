#include "dialogs/SpinButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "editor/qt/EventBoundary.h"

namespace ql {

TTimerSpeedButton::TTimerSpeedButton(bool up, QWidget* parent) : QAbstractButton(parent), up_(up) {
  setFocusPolicy(Qt::NoFocus);
}

bool TTimerSpeedButton::Click() {
  const bool ok = RunGuarded([this] {
    if (OnClick) OnClick();
  });
  if (!ok && timer_ != nullptr) timer_->stop();
  return ok;
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = true;
  setDown(true);
  if (AllowRepeat) {
    if (timer_ == nullptr) {
      timer_ = new QTimer(this);
      connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
    }
    timer_->start(FirstDelay);
  }
  // Pressed first (the spin button moves the focus), then the click.
  emit pressed();
  Click();
}

void TTimerSpeedButton::Tick() {
  timer_->setInterval(RepeatInterval);
  if (held_ && isDown()) Click();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = false;
  setDown(false);
  if (timer_ != nullptr) timer_->stop();
}

void TTimerSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  // Held down only while the mouse stays over the button; the repeat waits meanwhile.
  if (held_) setDown(rect().contains(event->position().toPoint()));
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  option.initFrom(this);
  option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  p.drawPrimitive(QStyle::PE_PanelButtonBevel, option);
  const int shift = isDown() ? 1 : 0;
  if (DrawFocusRect) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3 + shift, 3 + shift, -3 + shift, -3 + shift);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
  // Our own arrow picture: a small triangle, centred.
  const QPoint c = rect().center() + QPoint(shift, shift);
  const int h = std::max(1, std::min(3, height() / 4));
  p.setPen(Qt::NoPen);
  p.setBrush(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Mid));
  const QPoint upArrow[3] = {c + QPoint(-h, h / 2 + 1), c + QPoint(h + 1, h / 2 + 1), c + QPoint(0, -h / 2 - 1)};
  const QPoint downArrow[3] = {c + QPoint(-h, -h / 2), c + QPoint(h + 1, -h / 2), c + QPoint(0, h / 2 + 2)};
  p.drawPolygon(up_ ? upArrow : downArrow, 3);
}

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), up_(new TTimerSpeedButton(true, this)), down_(new TTimerSpeedButton(false, this)), focused_(up_) {
  setFocusPolicy(Qt::StrongFocus);
  up_->AllowRepeat = down_->AllowRepeat = true;
  up_->setObjectName("UpButton");
  down_->setObjectName("DownButton");
  up_->OnClick = [this] {
    if (OnUpClick) OnUpClick(*this);
  };
  down_->OnClick = [this] {
    if (OnDownClick) OnDownClick(*this);
  };
  connect(up_, &QAbstractButton::pressed, this, [this] { Pressed(up_); });
  connect(down_, &QAbstractButton::pressed, this, [this] { Pressed(down_); });
  resize(20, 25);
}

void TSpinButton::resizeEvent(QResizeEvent*) {
  if (width() < 15) {
    resize(15, height());
    return;
  }
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half - 1, width(), height() - half + 1);
}

void TSpinButton::Pressed(TTimerSpeedButton* button) {
  SetFocusedButton(button);
  if (FocusControl != nullptr && FocusControl->focusPolicy() & Qt::TabFocus && FocusControl->isEnabled() &&
      FocusControl->isVisible()) {
    FocusControl->setFocus(Qt::MouseFocusReason);
  } else if (focusPolicy() & Qt::TabFocus) {
    setFocus(Qt::MouseFocusReason);
  }
}

void TSpinButton::SetFocusedButton(TTimerSpeedButton* button) {
  focused_ = button;
  up_->DrawFocusRect = hasFocus() && focused_ == up_;
  down_->DrawFocusRect = hasFocus() && focused_ == down_;
  up_->update();
  down_->update();
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space: focused_->Click(); return;
    case Qt::Key_Up:
      SetFocusedButton(up_);
      up_->Click();
      return;
    case Qt::Key_Down:
      SetFocusedButton(down_);
      down_->Click();
      return;
    default: QWidget::keyPressEvent(event);
  }
}

void TSpinButton::focusInEvent(QFocusEvent* event) {
  SetFocusedButton(focused_);
  QWidget::focusInEvent(event);
}

void TSpinButton::focusOutEvent(QFocusEvent* event) {
  SetFocusedButton(focused_);
  QWidget::focusOutEvent(event);
}

}  // namespace ql
