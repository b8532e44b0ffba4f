#include "editor/GutterWidth.h"

#include <algorithm>

namespace ql {

int32_t MaxGutterWidth(int32_t clientWidth) {
  // A fifth of the width, rounded down: the largest v with v * 100 / width <= 20.
  return clientWidth > 0 ? static_cast<int32_t>((static_cast<int64_t>(clientWidth) * 21 - 1) / 100) : 0;
}

bool GutterWidthAccepted(int32_t value, int32_t clientWidth) {
  if (clientWidth <= 0) return false;
  return value == 0 || (value >= MinGutterWidth && value <= MaxGutterWidth(clientWidth));
}

int32_t StepGutterWidth(int32_t value, int32_t step, int32_t clientWidth) {
  const int32_t max = MaxGutterWidth(clientWidth);
  if (max < MinGutterWidth) return 0;
  if (step > 0) {
    if (value < MinGutterWidth) return MinGutterWidth;
    return std::min(value + 1, max);
  }
  if (value <= MinGutterWidth) return 0;
  return std::min(value - 1, max);
}

}  // namespace ql
