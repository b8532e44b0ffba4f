#pragma once
// What a host window sends its events to: one window procedure that takes every message.
#include "toolkit/Messages.h"

namespace ql {

class TWindowTarget {
public:
  virtual ~TWindowTarget() = default;
  virtual LRESULT Perform(TMsgNum msg, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace ql
