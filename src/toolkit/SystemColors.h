#pragma once
// System colours without a GUI: the standard light scheme, for output that must name plain
// colours where no palette is at hand (exported documents written by tools and tests).
#include "toolkit/Color.h"

namespace ql {

// A plain colour for any colour: system colours (0x80000000 + index) from the standard scheme,
// clNone and clDefault as the window colour; plain colours come back unchanged.
TColor ResolveStandardColor(TColor color);

}  // namespace ql
