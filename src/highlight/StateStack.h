#pragma once
// TRTStack: the scanner's stack of saved active-state sets (each push copies the 32-byte set).
#include <cstdint>
#include <vector>

#include "toolkit/ByteSet.h"

namespace ql {

class TRTStack {
public:
  // A script that pushes on every token of a long text must not exhaust memory: past this
  // depth a push raises EInkMemo "Stack overflow" (64 K sets, 2 MB).
  static constexpr int32_t MaxDepth = 65536;

  // Raises EInkMemo "Stack overflow" when MaxDepth sets are held.
  void Push(const TByteSet& states);
  // The set pushed last, removed from the stack; EInkMemo "Stack underflow" when empty.
  TByteSet Pop();
  bool Empty() const { return sets_.empty(); }
  int32_t Depth() const { return static_cast<int32_t>(sets_.size()); }

private:
  std::vector<TByteSet> sets_;  // bottom first; size() <= MaxDepth
};

}  // namespace ql
