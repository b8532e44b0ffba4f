// The host's events: each Qt event becomes the window message the target expects.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "editor/qt/EventBoundary.h"
#include "editor/qt/InkMemoHost.h"
#include "toolkit/FontFactory.h"
#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtColors.h"
#include "toolkit/qt/QtFontFactory.h"
#include "toolkit/qt/QtKeys.h"

namespace ql {

namespace {

constexpr LRESULT kWantsTab = 0x0002;  // a WM_GETDLGCODE bit: the control takes Tab itself
constexpr int kWheelNotch = 120;
// More rectangles than this are painted as their bounding rectangle.
constexpr int kMaxPaintRects = 4;

int16_t Coordinate(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM flags = 0;
  if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
  if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

// The message of a button going down, up or down twice; 0 for buttons without one.
TMsgNum ButtonMessage(Qt::MouseButton button, QEvent::Type type) {
  const int offset = type == QEvent::MouseButtonPress ? 0 : type == QEvent::MouseButtonRelease ? 1 : 2;
  switch (button) {
    case Qt::LeftButton: return WM_LBUTTONDOWN + offset;
    case Qt::RightButton: return WM_RBUTTONDOWN + offset;
    case Qt::MiddleButton: return WM_MBUTTONDOWN + offset;
    default: return 0;
  }
}

uint16_t ScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    default: return SB_THUMBTRACK;  // SliderMove
  }
}

WPARAM ScrollWParam(uint16_t code, int position) {
  return static_cast<WPARAM>(MAKELPARAM(code, std::clamp(position, 0, 0xFFFF)));
}

}  // namespace

// Records the input event being passed on for the key-state and cursor queries.
class TInkMemoHost::TInputScope {
public:
  TInputScope(TInkMemoHost& host, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
              std::optional<QPoint> position = std::nullopt)
      : host_(host), saved_(host.input_) {
    host_.input_ = TInputState{modifiers, buttons, position};
  }
  ~TInputScope() { host_.input_ = saved_; }
  TInputScope(const TInputScope&) = delete;
  TInputScope& operator=(const TInputScope&) = delete;

private:
  TInkMemoHost& host_;
  std::optional<TInputState> saved_;
};

bool TInkMemoHost::event(QEvent* e) {
  // Tab moves the focus on unless the target wants it.
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && WantsTab()) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

bool TInkMemoHost::WantsTab() { return (Send(WM_GETDLGCODE) & kWantsTab) != 0; }

bool TInkMemoHost::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::Resize) SendSize();
  return QAbstractScrollArea::viewportEvent(e);
}

void TInkMemoHost::scrollContentsBy(int, int) {
  // The target scrolls its own view when it is told of the scroll-bar action.
}

// --- Paint ---

void TInkMemoHost::paintEvent(QPaintEvent* e) {
  QPainter painter(viewport());
  const QRegion& region = e->region();
  if (target_ == nullptr) {
    painter.fillRect(e->rect(), palette().color(QPalette::Base));
  } else {
    auto* fonts = dynamic_cast<TQtFontFactory*>(&DefaultFontFactory());
    TQtCanvas canvas(painter, fonts, palette());
    const auto paint = [&](const QRect& rect) {
      TPaintRequest request{&canvas, FromQRect(rect)};
      canvas.SetClip(nullptr);
      // A failed paint leaves the rectangle blank instead of showing what was there.
      if (!RunGuarded([&] { target_->Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request)); })) {
        painter.setClipping(false);
        painter.fillRect(rect, palette().color(QPalette::Base));
        return;
      }
      canvas.SetClip(&request.Rect);
      RunGuarded([&] { PaintOver(canvas, request.Rect); });
    };
    ++depth_;
    if (region.rectCount() <= kMaxPaintRects) {
      for (const QRect& rect : region) paint(rect);
    } else {
      paint(region.boundingRect());
    }
    --depth_;
  }
  DrawCaret(painter, region.boundingRect());
  if (depth_ == 0 && sizePending_) SendSize();
}

void TInkMemoHost::showEvent(QShowEvent* e) {
  QAbstractScrollArea::showEvent(e);
  Send(WM_SHOWWINDOW, 1);
}

void TInkMemoHost::hideEvent(QHideEvent* e) {
  QAbstractScrollArea::hideEvent(e);
  Send(WM_SHOWWINDOW, 0);
}

void TInkMemoHost::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  switch (e->type()) {
    case QEvent::EnabledChange: Send(WM_ENABLE, isEnabled() ? 1 : 0); [[fallthrough]];
    case QEvent::PaletteChange:
    case QEvent::StyleChange: viewport()->update(); break;
    default: break;
  }
}

// --- Keys ---

void TInkMemoHost::keyPressEvent(QKeyEvent* e) {
  const TInputScope scope(*this, e->modifiers(), QGuiApplication::mouseButtons());
  uint16_t vk = VirtualKeyOf(e->key(), e->modifiers());
  if (vk == 0) vk = VirtualKeyOfX11KeyCode(e->nativeScanCode());  // a letter of a non-Latin layout
  if (vk != 0) {
    keysDown_.insert(vk);
    Send(WM_KEYDOWN, vk, e->isAutoRepeat() ? LPARAM(1) << 30 | 1 : 1);
  }
  SendTyped(TypedCharacters(e->key(), vk, e->modifiers(), e->text()));
  e->accept();
}

void TInkMemoHost::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;  // one key up at the end of a held key
  const TInputScope scope(*this, e->modifiers(), QGuiApplication::mouseButtons());
  uint16_t vk = VirtualKeyOf(e->key(), e->modifiers());
  if (vk == 0) vk = VirtualKeyOfX11KeyCode(e->nativeScanCode());
  if (vk == 0) return;
  keysDown_.erase(vk);
  Send(WM_KEYUP, vk, LPARAM(3) << 30 | 1);
  e->accept();
}

void TInkMemoHost::SendTyped(const std::u32string& characters) {
  for (const char32_t c : characters) Send(WM_CHAR, c, 1);
}

void TInkMemoHost::inputMethodEvent(QInputMethodEvent* e) {
  const TInputScope scope(*this, Qt::NoModifier, QGuiApplication::mouseButtons());
  std::u32string typed;
  for (const char32_t c : e->commitString().toUcs4()) {
    if (c >= 0x20 && c != 0x7F) typed.push_back(c);
  }
  SendTyped(typed);
  e->accept();
}

QVariant TInkMemoHost::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return caret_.Rect().translated(viewport()->pos());
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// --- Focus ---

void TInkMemoHost::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  Send(WM_SETFOCUS);
  RestartBlink();
}

void TInkMemoHost::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  keysDown_.clear();
  Send(WM_KILLFOCUS);
}

// --- Mouse ---

void TInkMemoHost::SendMouse(TMsgNum msg, const QMouseEvent& e) {
  const QPoint at = e.position().toPoint();
  const TInputScope scope(*this, e.modifiers(), e.buttons(), at);
  Send(msg, MouseKeyFlags(e.buttons(), e.modifiers()), MAKELPARAM(Coordinate(at.x()), Coordinate(at.y())));
}

void TInkMemoHost::mousePressEvent(QMouseEvent* e) {
  if (const TMsgNum msg = ButtonMessage(e->button(), QEvent::MouseButtonPress)) SendMouse(msg, *e);
  e->accept();
}

void TInkMemoHost::mouseReleaseEvent(QMouseEvent* e) {
  if (const TMsgNum msg = ButtonMessage(e->button(), QEvent::MouseButtonRelease)) SendMouse(msg, *e);
  e->accept();
}

void TInkMemoHost::mouseDoubleClickEvent(QMouseEvent* e) {
  if (const TMsgNum msg = ButtonMessage(e->button(), QEvent::MouseButtonDblClick)) SendMouse(msg, *e);
  e->accept();
}

void TInkMemoHost::mouseMoveEvent(QMouseEvent* e) {
  SendMouse(WM_MOUSEMOVE, *e);
  e->accept();
}

void TInkMemoHost::wheelEvent(QWheelEvent* e) {
  const QPoint at = e->position().toPoint();
  const TInputScope scope(*this, e->modifiers(), e->buttons(), at);
  const QPoint turn = e->angleDelta();
  // Whole notches only, as a wheel with click stops sends them; a touchpad's small turns add up.
  wheelRest_[1] += turn.y();
  while (std::abs(wheelRest_[1]) >= kWheelNotch) {
    const int notch = wheelRest_[1] > 0 ? kWheelNotch : -kWheelNotch;
    wheelRest_[1] -= notch;
    const WPARAM wParam = static_cast<WPARAM>(MAKELPARAM(static_cast<int32_t>(MouseKeyFlags(e->buttons(), e->modifiers())), notch));
    Send(WM_MOUSEWHEEL, wParam, MAKELPARAM(Coordinate(at.x()), Coordinate(at.y())));
  }
  wheelRest_[0] += turn.x();
  while (std::abs(wheelRest_[0]) >= kWheelNotch) {
    const bool left = wheelRest_[0] > 0;
    wheelRest_[0] -= left ? kWheelNotch : -kWheelNotch;
    for (int line = 0; line < QApplication::wheelScrollLines(); ++line) {
      Send(WM_HSCROLL, ScrollWParam(left ? SB_LINELEFT : SB_LINERIGHT, 0));
    }
  }
  e->accept();
}

// --- Scroll bars and timers ---

void TInkMemoHost::ScrollBarAction(TScrollBarKind bar, int action) {
  QScrollBar* scroll = bar == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar();
  const TMsgNum msg = bar == TScrollBarKind::Vertical ? WM_VSCROLL : WM_HSCROLL;
  Send(msg, ScrollWParam(ScrollCode(action), scroll->sliderPosition()));
  // The thumb goes where the target put it, not where Qt's own step would.
  const TScrollInfo& info = scrollInfo_[static_cast<size_t>(bar)];
  scroll->setSliderPosition(std::clamp(info.Pos, scroll->minimum(), scroll->maximum()));
}

void TInkMemoHost::ScrollBarReleased(TScrollBarKind bar) {
  QScrollBar* scroll = bar == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar();
  const TMsgNum msg = bar == TScrollBarKind::Vertical ? WM_VSCROLL : WM_HSCROLL;
  Send(msg, ScrollWParam(SB_THUMBPOSITION, scroll->sliderPosition()));
  Send(msg, ScrollWParam(SB_ENDSCROLL, 0));
}

void TInkMemoHost::timerEvent(QTimerEvent* e) {
  for (const auto& [id, qtId] : timers_) {
    if (qtId == e->timerId()) {
      Send(WM_TIMER, id);
      return;
    }
  }
  QAbstractScrollArea::timerEvent(e);
}

}  // namespace ql
