#pragma once
// What a row store needs of the control that owns it: the window's size in rows, the layout
// pass of word wrap, and the notifications the control turns into its events and state.
#include <cstdint>

namespace ql {

class TTextStore;
struct TTextRow;

class TTextStoreHost {
public:
  virtual ~TTextStoreHost() = default;

  // Rows the window shows; an insertion marks this many rows plus 2 for re-highlighting.
  virtual int32_t VisibleRowCount() const { return 1; }
  virtual bool WordWrapOn() const { return false; }
  // Re-lays out rows first..last (both null: every row). Without word wrap this only splits
  // rows longer than the row limit.
  virtual void LayoutRows(TTextStore& store, TTextRow* first, TTextRow* last);
  // The text changed at offset by delta characters (negative for a deletion); (0, 0) when the
  // whole text was deleted.
  virtual void TextChanged(int32_t /*offset*/, int32_t /*delta*/) {}
  // The last row went: selection ends and the first visible row go back to 0.
  virtual void TextEmptied() {}
};

}  // namespace ql
