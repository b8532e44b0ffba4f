#pragma once
// The objects that move with the text of a store (named bookmarks, marks, breakpoints and the
// execution-point marker). The store tells them of every insertion and deletion at the points
// where each must be adjusted.
#include <cstdint>

namespace ql {

class TTextAnnotations {
public:
  virtual ~TTextAnnotations() = default;
  // Before the rows change: named bookmarks and marks follow an insertion of n characters at o.
  virtual void BookmarksInserted(int32_t /*offset*/, int32_t /*count*/) {}
  // Before the rows change: named bookmarks and marks follow a deletion of start..end.
  virtual void BookmarksDeleted(int32_t /*start*/, int32_t /*end*/) {}
  // After the rows changed: breakpoints and the execution point follow the insertion.
  virtual void BreakpointsInserted(int32_t /*offset*/, int32_t /*count*/) {}
  // After the rows changed: breakpoints and the execution point follow the deletion.
  virtual void BreakpointsDeleted(int32_t /*start*/, int32_t /*end*/) {}
  // The whole text was deleted: every named bookmark goes.
  virtual void TextEmptied() {}
};

}  // namespace ql
