#pragma once
// Exceptions of the editor component: EInkMemo is their base.
#include "toolkit/Exception.h"

namespace ql {

class EInkMemo : public Exception {
public:
  using Exception::Exception;
};

// A save that could not write the whole text.
class EFileSaveError : public EInkMemo {
public:
  using EInkMemo::EInkMemo;
};

}  // namespace ql
