// The host's window services: repaint requests, scroll bars, the caret, timers, key state,
// cursor, messages to the user; and the guarded sending of messages.
#include "editor/qt/InkMemoHost.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <chrono>

#include "editor/qt/EventBoundary.h"
#include "toolkit/VirtualKeys.h"
#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtCursors.h"

namespace ql {

namespace {

QScrollBar* BarOf(const TInkMemoHost& host, TScrollBarKind bar) {
  return bar == TScrollBarKind::Vertical ? host.verticalScrollBar() : host.horizontalScrollBar();
}

}  // namespace

TInkMemoHost::TInkMemoHost(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The target paints every pixel it is asked for: no background fill first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  viewport()->setMouseTracking(true);
  viewport()->setAcceptDrops(true);
  viewport()->setCursor(Qt::IBeamCursor);
  for (const TScrollBarKind bar : {TScrollBarKind::Horizontal, TScrollBarKind::Vertical}) {
    QScrollBar* scroll = BarOf(*this, bar);
    scroll->setRange(0, 0);
    connect(scroll, &QScrollBar::actionTriggered, this, [this, bar](int action) { ScrollBarAction(bar, action); });
    connect(scroll, &QScrollBar::sliderReleased, this, [this, bar] { ScrollBarReleased(bar); });
  }
  connect(&blink_, &QTimer::timeout, this, [this] {
    blinkOn_ = !blinkOn_;
    UpdateCaret();
  });
}

TInkMemoHost::~TInkMemoHost() { target_ = nullptr; }

void TInkMemoHost::SetTarget(TWindowTarget* target) {
  target_ = target;
  if (target_ == nullptr) return;
  SendSize();
  if (hasFocus()) Send(WM_SETFOCUS);
}

LRESULT TInkMemoHost::Send(TMsgNum msg, WPARAM wParam, LPARAM lParam) {
  if (target_ == nullptr) return 0;
  LRESULT result = 0;
  ++depth_;
  RunGuarded([&] { result = target_->Perform(msg, wParam, lParam); });
  --depth_;
  if (depth_ == 0 && sizePending_) SendSize();
  return result;
}

void TInkMemoHost::SendSize() {
  if (depth_ > 0) {
    sizePending_ = true;
    return;
  }
  sizePending_ = false;
  const QSize size = viewport()->size();
  Send(WM_SIZE, 0, MAKELPARAM(size.width(), size.height()));
}

// --- Painting ---

void TInkMemoHost::InvalidateRect(const TRect* rect) {
  if (rect == nullptr) {
    viewport()->update();
  } else if (!rect->IsEmpty()) {
    viewport()->update(ToQRect(*rect));
  }
}

// --- Scroll bars ---

void TInkMemoHost::SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) {
  scrollInfo_[static_cast<size_t>(bar)] = info;
  QScrollBar* scroll = BarOf(*this, bar);
  // Qt's maximum is the last thumb position; the platform's is the last unit of the range.
  const int page = std::max(info.Page, 0);
  const int last = std::max(info.Min, info.Max - std::max(page - 1, 0));
  scroll->setRange(info.Min, last);
  scroll->setPageStep(std::max(page, 1));
  scroll->setSingleStep(1);
  scroll->setValue(std::clamp(info.Pos, info.Min, last));
}

bool TInkMemoHost::ScrollBarVisible(TScrollBarKind bar) const {
  const QScrollBar* scroll = BarOf(*this, bar);
  const Qt::ScrollBarPolicy policy =
      bar == TScrollBarKind::Vertical ? verticalScrollBarPolicy() : horizontalScrollBarPolicy();
  return policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && scroll->maximum() > scroll->minimum());
}

// --- Caret ---

void TInkMemoHost::CreateCaret(int32_t width, int32_t height) {
  UpdateCaret();
  caret_.Create(width, height);
  RestartBlink();
}

void TInkMemoHost::SetCaretPos(int32_t x, int32_t y) {
  if (caret_.Rect().topLeft() == QPoint(x, y)) return;
  UpdateCaret();
  caret_.SetPos(x, y);
  RestartBlink();
}

// Showing a shown caret changes nothing, so a target that shows it after every paint does not
// keep restarting the blink.
void TInkMemoHost::ShowCaret() {
  if (caret_.Shown()) return;
  caret_.Show();
  RestartBlink();
}

void TInkMemoHost::HideCaret() {
  if (!caret_.Shown()) return;
  UpdateCaret();
  caret_.Hide();
  blink_.stop();
}

void TInkMemoHost::DestroyCaret() {
  UpdateCaret();
  caret_.Destroy();
  blink_.stop();
}

void TInkMemoHost::UpdateCaret() {
  if (caret_.Shown()) viewport()->update(caret_.Rect());
}

void TInkMemoHost::RestartBlink() {
  blinkOn_ = true;
  UpdateCaret();
  const int period = QGuiApplication::styleHints()->cursorFlashTime() / 2;
  if (caret_.Shown() && period > 0) {
    blink_.start(period);
  } else {
    blink_.stop();
  }
}

void TInkMemoHost::DrawCaret(QPainter& painter, const QRect& area) {
  if (!caret_.Shown() || !blinkOn_) return;
  const QRect rect = caret_.Rect() & area;
  if (rect.isEmpty()) return;
  painter.setClipping(false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(rect, Qt::white);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// --- Mouse, time, keys ---

TPoint TInkMemoHost::CursorPos() const {
  const QPoint at = input_ && input_->Position ? *input_->Position : viewport()->mapFromGlobal(QCursor::pos());
  return {at.x(), at.y()};
}

void TInkMemoHost::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  viewport()->setCursor(CursorShapeOf(cursor));
}

void TInkMemoHost::SetTimer(uint32_t id, uint32_t milliseconds) {
  KillTimer(id);
  timers_[id] = startTimer(static_cast<int>(std::min<uint32_t>(milliseconds, INT32_MAX)));
}

void TInkMemoHost::KillTimer(uint32_t id) {
  const auto at = timers_.find(id);
  if (at == timers_.end()) return;
  killTimer(at->second);
  timers_.erase(at);
}

uint32_t TInkMemoHost::TickCount() const {
  // Milliseconds of the monotonic clock (since boot), wrapping at 32 bits.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint32_t TInkMemoHost::DoubleClickTime() const {
  return static_cast<uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

bool TInkMemoHost::KeyDown(uint16_t vk) const {
  const Qt::KeyboardModifiers modifiers = input_ ? input_->Modifiers : QGuiApplication::queryKeyboardModifiers();
  const Qt::MouseButtons buttons = input_ ? input_->Buttons : QGuiApplication::mouseButtons();
  switch (vk) {
    case VK_SHIFT: return modifiers & Qt::ShiftModifier;
    case VK_CONTROL: return modifiers & Qt::ControlModifier;
    case VK_MENU: return modifiers & Qt::AltModifier;
    case VK_LBUTTON: return buttons & Qt::LeftButton;
    case VK_RBUTTON: return buttons & Qt::RightButton;
    case VK_MBUTTON: return buttons & Qt::MiddleButton;
    default: return keysDown_.count(vk) != 0;
  }
}

void TInkMemoHost::Beep() { QApplication::beep(); }

void TInkMemoHost::ShowMessage(const std::string& text) { ShowUserMessage(text); }

}  // namespace ql
