#include "toolkit/qt/QtColors.h"

namespace ql {

QPalette::ColorRole SystemColorRole(int index) {
  switch (index) {
    case 0: return QPalette::Button;             // scroll bar
    case 1: return QPalette::Window;             // desktop
    case 2: return QPalette::Highlight;          // active caption
    case 3: return QPalette::Mid;                // inactive caption
    case 4: return QPalette::Window;             // menu
    case 5: return QPalette::Base;               // window (the background of text)
    case 6: return QPalette::Shadow;             // window frame
    case 7: return QPalette::WindowText;         // menu text
    case 8: return QPalette::Text;               // window text
    case 9: return QPalette::HighlightedText;    // caption text
    case 10: case 11: return QPalette::Window;   // borders
    case 12: return QPalette::Dark;              // application workspace
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;            // button face
    case 16: return QPalette::Dark;              // button shadow
    case 17: return QPalette::PlaceholderText;   // grey text
    case 18: return QPalette::ButtonText;
    case 19: return QPalette::WindowText;        // inactive caption text
    case 20: return QPalette::Light;             // button highlight
    case 21: return QPalette::Shadow;            // 3-D dark shadow
    case 22: return QPalette::Midlight;          // 3-D light
    case 23: return QPalette::ToolTipText;       // info text
    case 24: return QPalette::ToolTipBase;       // info background
    default: return QPalette::Window;
  }
}

TColor FromQColor(const QColor& color) {
  return RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()), static_cast<uint8_t>(color.blue()));
}

TColor ResolveColor(TColor color, const QPalette& palette) {
  if (color == clNone || color == clDefault) return FromQColor(palette.color(QPalette::Base));
  if (IsSystemColor(color)) return FromQColor(palette.color(SystemColorRole(SystemColorIndex(color))));
  return color & 0x00FFFFFFu;
}

QColor ToQColor(TColor color, const QPalette& palette) {
  const TColor plain = ResolveColor(color, palette);
  return QColor(GetRValue(plain), GetGValue(plain), GetBValue(plain));
}

}  // namespace ql
