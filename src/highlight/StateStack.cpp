#include "highlight/StateStack.h"

#include "textmodel/InkMemoErrors.h"

namespace ql {

void TRTStack::Push(const TByteSet& states) {
  if (Depth() >= MaxDepth) throw EInkMemo("Stack overflow");
  sets_.push_back(states);
}

TByteSet TRTStack::Pop() {
  if (sets_.empty()) throw EInkMemo("Stack underflow");
  const TByteSet top = sets_.back();
  sets_.pop_back();
  return top;
}

}  // namespace ql
