#pragma once
// Answers the caret's line and column as the user sees them, both counted from 1.
#include <cstdint>

namespace ql {

class TTextControl;

class TSM_CaretControl {
public:
  explicit TSM_CaretControl(TTextControl& control) : control_(control) {}

  // Row index of the caret plus 1 (with word wrap every display row counts).
  int32_t CaretLine() const;
  // Display column of the caret plus 1; beyond a row's end, the virtual column plus 1.
  int32_t CaretColumn() const;

private:
  TTextControl& control_;
};

}  // namespace ql
