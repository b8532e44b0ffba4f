#pragma once
// The window a control lives in, as the control sees it: the services of the platform's window
// system that it calls (repaint requests, scroll bars, caret, mouse capture, timers, key state,
// cursor, clipboard). Events flow the other way, as messages to the control's TWindowTarget.
//
// Every operation has a harmless default, so a control without a window (tests, printing a
// document that is not shown) runs against THostWindow itself.
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/Clipboard.h"
#include "toolkit/Cursors.h"
#include "toolkit/DropEffect.h"
#include "toolkit/Geometry.h"

namespace ql {

enum class TScrollBarKind : uint8_t { Horizontal, Vertical };

// A scroll bar's range, page and position, in the units the control chose.
struct TScrollInfo {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Page = 0;
  int32_t Pos = 0;
  bool operator==(const TScrollInfo&) const = default;
};

class THostWindow {
public:
  virtual ~THostWindow() = default;

  // --- Painting: nothing draws outside the host's paint event, which sends WM_PAINT ---
  // Asks for rect (client coordinates; null = everything) to be painted soon.
  virtual void InvalidateRect(const TRect* /*rect*/) {}

  // --- Scroll bars ---
  virtual void SetScrollInfo(TScrollBarKind /*bar*/, const TScrollInfo& /*info*/) {}
  virtual bool ScrollBarVisible(TScrollBarKind /*bar*/) const { return false; }

  // --- Caret: drawn and blinked by the host ---
  virtual void CreateCaret(int32_t /*width*/, int32_t /*height*/) {}
  virtual void SetCaretPos(int32_t /*x*/, int32_t /*y*/) {}
  virtual void ShowCaret() {}
  virtual void HideCaret() {}
  virtual void DestroyCaret() {}

  // --- Focus and mouse ---
  virtual bool HasFocus() const { return false; }
  virtual void SetFocus() {}
  virtual void SetCapture() {}
  virtual void ReleaseCapture() {}
  virtual bool HasCapture() const { return false; }
  // The mouse position in client coordinates.
  virtual TPoint CursorPos() const { return {}; }
  virtual void SetCursor(TCursor /*cursor*/) {}

  // --- Time and keys ---
  // A timer that comes back as WM_TIMER with wParam = id every `milliseconds` until killed;
  // setting an id again restarts it.
  virtual void SetTimer(uint32_t /*id*/, uint32_t /*milliseconds*/) {}
  virtual void KillTimer(uint32_t /*id*/) {}
  // Milliseconds since some fixed start.
  virtual uint32_t TickCount() const { return 0; }
  virtual uint32_t DoubleClickTime() const { return 500; }
  // Whether a key (a virtual-key code: VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, ...) is down now.
  virtual bool KeyDown(uint16_t /*vk*/) const { return false; }

  // --- Drag and drop ---
  // Drags text (UTF-8) out of the window until it is dropped or cancelled, allowing the given
  // effects; returns the effect the drop target chose (DROPEFFECT_NONE: cancelled or refused).
  // Drops onto the window itself arrive as messages meanwhile.
  virtual TDropEffect DoDragDrop(const std::string& /*utf8*/, TDropEffect /*allowed*/) { return DROPEFFECT_NONE; }

  // --- Other services ---
  virtual void Beep() {}
  virtual TClipboard& Clipboard() { return clipboard_; }
  // Shows a message to the user and waits for it to be acknowledged.
  virtual void ShowMessage(const std::string& /*text*/) {}
  // Whether the window is shown on screen (controls skip scroll-bar work while hidden).
  virtual bool Visible() const { return false; }

private:
  TMemoryClipboard clipboard_;
};

}  // namespace ql
