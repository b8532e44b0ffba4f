#pragma once
// Points and rectangles in device pixels; a rectangle includes Left/Top and excludes Right/Bottom.
#include <algorithm>
#include <cstdint>

namespace ql {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool Intersects(const TRect& r) const {
    return !IsEmpty() && !r.IsEmpty() && r.Left < Right && Left < r.Right && r.Top < Bottom && Top < r.Bottom;
  }
  TRect Intersected(const TRect& r) const {
    return {std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom)};
  }
  bool operator==(const TRect&) const = default;
};

}  // namespace ql
