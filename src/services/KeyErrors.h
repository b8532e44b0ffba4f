#pragma once
// Failures of the keyboard action controller.
#include "textmodel/InkMemoErrors.h"

namespace ql {

class EKeyControllerException : public EInkMemo {
public:
  using EInkMemo::EInkMemo;
};

// A key sequence that clashes with one already bound.
class EAmbigiousKeyPair : public EKeyControllerException {
public:
  using EKeyControllerException::EKeyControllerException;
};

}  // namespace ql
