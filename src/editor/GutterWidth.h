#pragma once
// The gutter widths an editor accepts, one rule for the editor's Gutter property and for every
// box that edits it: 0 (no gutter), or from MinGutterWidth (one glyph of the gutter strip) up to
// a fifth of the editor's client width. Without a client width nothing is accepted.
#include <cstdint>

namespace ql {

constexpr int32_t MinGutterWidth = 16;

// The widest accepted gutter for a client width (0 without a width).
int32_t MaxGutterWidth(int32_t clientWidth);
bool GutterWidthAccepted(int32_t value, int32_t clientWidth);
// One step from value up (step > 0) or down: the next accepted width in that direction, jumping
// over the gap between 0 and MinGutterWidth; value itself when there is none.
int32_t StepGutterWidth(int32_t value, int32_t step, int32_t clientWidth);

}  // namespace ql
