#pragma once
// Helpers for the key table tests: short codes for keys, and a controller that records actions.
#include <vector>

#include "services/KeyboardActionContoller.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {

constexpr ShortCutCode Ctrl(uint16_t key) { return static_cast<ShortCutCode>(key | scCtrl); }
constexpr ShortCutCode Shift(uint16_t key) { return static_cast<ShortCutCode>(key | scShift); }

// A typed key: the virtual key and the shift state of the press.
struct TPress {
  uint16_t key;
  TShiftState shift = 0;
};

// What happened to each press: whether the controller took it, and the actions it fired.
struct TPressLog {
  std::vector<bool> handled;
  std::vector<int32_t> actions;
};

inline TPressLog Type(TKeyboardActionContoller& c, const std::vector<TPress>& presses) {
  TPressLog log;
  c.OnAction = [&log](TObject&, int32_t& action) { log.actions.push_back(action); };
  for (TPress p : presses) {
    bool handled = false;
    c.ProcessKey(p.key, p.shift, handled);
    log.handled.push_back(handled);
  }
  c.OnAction = nullptr;
  return log;
}

}  // namespace ql::test
