#pragma once
// The editor's window on Qt: a QAbstractScrollArea whose viewport is the client area. It turns
// Qt's events into window messages for its target (keys as virtual keys, typed characters as code
// points, mouse buttons and moves, the wheel, size, focus, scroll-bar actions, timers, paint)
// and offers the target the window services it asks for (THostWindow).
//
// It paints only in paintEvent: one WM_PAINT per dirty rectangle with a canvas over the
// viewport, then the caret, which it draws itself by inverting the caret's rectangle and blinks
// on a timer. Every message goes through Send, which catches failures: none crosses into Qt's
// event loop; each is reported after the event (EventBoundary.h).
//
// Menu shortcuts of the window win over the editor's keys: the host never claims a shortcut,
// so Ctrl+Y runs the window's Redo. Tab reaches the editor when it asks for it (WM_GETDLGCODE).
// Text and HTML dragged over it go to the target as drop messages; a drag the target does not
// take (files, unless it asks for them) goes on to the window.
#include <QAbstractScrollArea>
#include <QDrag>
#include <QTimer>
#include <array>
#include <map>
#include <optional>
#include <set>

#include "editor/qt/HostCaret.h"
#include "toolkit/HostWindow.h"
#include "toolkit/WindowTarget.h"
#include "toolkit/qt/QtClipboard.h"

namespace ql {

class TInkMemoHost : public QAbstractScrollArea, public THostWindow {
public:
  explicit TInkMemoHost(QWidget* parent = nullptr);
  ~TInkMemoHost() override;
  TInkMemoHost(const TInkMemoHost&) = delete;
  TInkMemoHost& operator=(const TInkMemoHost&) = delete;

  // The window procedure messages go to; null drops them. A new target is told the client size
  // and, when the window has the focus, that it has it. Clear the target before it is destroyed.
  void SetTarget(TWindowTarget* target);
  TWindowTarget* Target() const { return target_; }
  // Sends a message to the target now. A failure is reported and gives 0, as does a missing
  // target.
  LRESULT Send(TMsgNum msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // --- THostWindow ---
  void InvalidateRect(const TRect* rect) override;
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) override;
  bool ScrollBarVisible(TScrollBarKind bar) const override;
  void CreateCaret(int32_t width, int32_t height) override;
  void SetCaretPos(int32_t x, int32_t y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void DestroyCaret() override;
  bool HasFocus() const override { return hasFocus(); }
  void SetFocus() override { setFocus(Qt::OtherFocusReason); }
  void SetCapture() override { capture_ = true; }
  void ReleaseCapture() override { capture_ = false; }
  bool HasCapture() const override { return capture_; }
  TPoint CursorPos() const override;
  void SetCursor(TCursor cursor) override;
  void SetTimer(uint32_t id, uint32_t milliseconds) override;
  void KillTimer(uint32_t id) override;
  uint32_t TickCount() const override;
  uint32_t DoubleClickTime() const override;
  bool KeyDown(uint16_t vk) const override;
  void Beep() override;
  TClipboard& Clipboard() override { return clipboard_; }
  TDropEffect DoDragDrop(const std::string& utf8, TDropEffect allowed) override;
  void ShowMessage(const std::string& text) override;
  bool Visible() const override { return isVisible(); }

  // --- What the host shows (for tests) ---
  const THostCaret& Caret() const { return caret_; }
  bool CaretBlinkOn() const { return blinkOn_; }
  TCursor Cursor() const { return cursor_; }

protected:
  // Draws over what the target painted in area (marks of the window's own), before the caret.
  virtual void PaintOver(TCanvas& /*canvas*/, const TRect& /*area*/) {}
  // Runs a drag out of the window until it ends; returns the action the drop chose.
  virtual Qt::DropAction ExecDrag(QDrag& drag, Qt::DropActions actions, Qt::DropAction preferred);

  bool event(QEvent* e) override;
  bool viewportEvent(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  // The input event being passed on: the key state and mouse position answer from it.
  struct TInputState {
    Qt::KeyboardModifiers Modifiers;
    Qt::MouseButtons Buttons;
    std::optional<QPoint> Position;
  };
  class TInputScope;

  void SendSize();
  void SendMouse(TMsgNum msg, const QMouseEvent& e);
  // A drag event as a drop message: the target's effect accepts the event, none ignores it.
  LRESULT SendDrop(TMsgNum msg, QDropEvent& e);
  void SendTyped(const std::u32string& characters);
  void ScrollBarAction(TScrollBarKind bar, int action);
  void ScrollBarReleased(TScrollBarKind bar);
  bool WantsTab();
  void UpdateCaret();
  void RestartBlink();
  void DrawCaret(QPainter& painter, const QRect& area);

  TWindowTarget* target_ = nullptr;
  int depth_ = 0;             // nesting of Send
  bool sizePending_ = false;  // the viewport resized during a message: tell the target after it
  std::optional<TInputState> input_;
  std::set<uint16_t> keysDown_;  // virtual keys pressed and not yet released
  THostCaret caret_;
  bool blinkOn_ = true;
  QTimer blink_;
  bool capture_ = false;
  TCursor cursor_ = 0;
  std::map<uint32_t, int> timers_;  // the target's timer id -> Qt's timer id
  std::array<TScrollInfo, 2> scrollInfo_{};
  std::array<int, 2> wheelRest_{};  // wheel turns short of a notch (horizontal, vertical)
  TQtClipboard clipboard_;
};

}  // namespace ql
