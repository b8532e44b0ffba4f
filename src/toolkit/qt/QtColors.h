#pragma once
// Colours on Qt: a plain colour (0x00BBGGRR) becomes a QColor as it stands; a system colour
// (0x80000000 + index) is resolved through a palette when drawing, so a theme change shows at
// the next paint.
#include <QColor>
#include <QPalette>

#include "toolkit/Color.h"

namespace ql {

// The palette entry that stands for a system colour index (scroll bar, window, window text,
// application workspace, highlight, highlight text, button face and the rest).
QPalette::ColorRole SystemColorRole(int index);
// A plain colour for any colour: system colours through the palette, clNone and clDefault as
// the window colour. Plain colours come back unchanged.
TColor ResolveColor(TColor color, const QPalette& palette);
QColor ToQColor(TColor color, const QPalette& palette);
TColor FromQColor(const QColor& color);

}  // namespace ql
