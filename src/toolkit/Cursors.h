#pragma once
// Mouse cursor shapes, with the values the cursor properties store.
#include <cstdint>

namespace ql {

using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6;
constexpr TCursor crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11;
constexpr TCursor crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16;
constexpr TCursor crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21;

}  // namespace ql
