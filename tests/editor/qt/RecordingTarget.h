#pragma once
// A window target that records every message its host sends, with the key state and cursor
// position the host reports while the message is handled, and can react to chosen messages.
#include <functional>
#include <vector>

#include "editor/qt/InkMemoHost.h"
#include "toolkit/Canvas.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {

struct TRecordedMessage {
  TMsgNum Msg = 0;
  WPARAM W = 0;
  LPARAM L = 0;
  bool Shift = false, Ctrl = false, Alt = false, LeftButton = false;
  TPoint Cursor;
  int Depth = 0;  // 1 unless sent while another message was being handled
  TRect PaintRect;
};

class TRecordingTarget : public TWindowTarget {
public:
  explicit TRecordingTarget(TInkMemoHost& host) : host_(host) {}

  LRESULT Perform(TMsgNum msg, WPARAM w, LPARAM l) override {
    TRecordedMessage m{msg, w, l, host_.KeyDown(VK_SHIFT), host_.KeyDown(VK_CONTROL), host_.KeyDown(VK_MENU),
                       host_.KeyDown(VK_LBUTTON), host_.CursorPos(), depth_ + 1, {}};
    if (msg == WM_PAINT) m.PaintRect = reinterpret_cast<const TPaintRequest*>(l)->Rect;
    Messages.push_back(m);
    ++depth_;
    struct TLeave {
      int& depth;
      ~TLeave() { --depth; }
    } leave{depth_};
    if (React) {
      if (const auto result = React(msg, w, l)) return *result;
    }
    switch (msg) {
      case WM_GETDLGCODE: return DlgCode;
      case WM_PAINT: {
        const auto* request = reinterpret_cast<const TPaintRequest*>(l);
        request->Canvas->FillRect(request->Rect, Background);
        return 0;
      }
      default: return 0;
    }
  }

  // The recorded messages of these kinds, in order.
  std::vector<TRecordedMessage> Of(std::initializer_list<TMsgNum> kinds) const {
    std::vector<TRecordedMessage> found;
    for (const TRecordedMessage& m : Messages) {
      for (const TMsgNum k : kinds) {
        if (m.Msg == k) found.push_back(m);
      }
    }
    return found;
  }

  std::vector<TRecordedMessage> Messages;
  // Answers a message instead of the defaults when it returns a value.
  std::function<std::optional<LRESULT>(TMsgNum, WPARAM, LPARAM)> React;
  LRESULT DlgCode = 0x83;  // arrows, characters and Tab
  TColor Background = clWhite;

private:
  TInkMemoHost& host_;
  int depth_ = 0;
};

}  // namespace ql::test
