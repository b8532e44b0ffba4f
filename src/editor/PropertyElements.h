#pragma once
// The elements of the property pages' Highlighting page: the editable styles of a settings
// object, then three fixed elements (selected text, left margin, gutter), each tied to a number
// (the style record's, or one of the el* numbers below). The functions read and write an
// element's colours, default flags and text attributes in the settings object.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Color.h"

namespace ql {

class TCustomInkMemo;
class TSM_Settings;

constexpr int32_t elSelectedText = 16384;
constexpr int32_t elLeftMargin = 16385;
constexpr int32_t elGutter = 16386;

struct TStyleElement {
  std::string Name;
  int32_t Number = 0;
  bool operator==(const TStyleElement&) const = default;
};

// The editable styles (up to the first without a name), then "Selected text", "Left margin" and
// "Gutter".
std::vector<TStyleElement> StyleElements(const TSM_Settings& settings);
constexpr bool IsFixedElement(int32_t number) { return number >= elSelectedText; }

// What the page shows for an element.
struct TElementColors {
  bool HasForeground = true;  // false for the left margin and the gutter (background only)
  TColor Fore = 0;
  TColor Back = 0;
  bool DefFore = false;       // use-default flags
  bool DefBack = false;
  uint8_t FontStyle = 0;      // fsBold | fsItalic | fsUnderline; styles only
};
TElementColors ElementColors(const TSM_Settings& settings, int32_t number);

// The colour buttons' colours: each colour of the element whose use-default flag is off takes
// its button's (fore is ignored for the margin and the gutter).
void SetElementColors(TSM_Settings& settings, int32_t number, TColor fore, TColor back);
// A use-default box: for the margin and the gutter only the background counts.
void SetElementDefault(TSM_Settings& settings, int32_t number, bool foreground, bool on);
// A text attribute box (fsBold, fsItalic or fsUnderline); nothing for a fixed element.
void SetElementFontStyle(TSM_Settings& settings, int32_t number, uint8_t fontStyleBit, bool on);

// The position in elements of the element whose style the editor shows at offset (its token's
// style, through the first editable style that uses it); -1 when the text there has no
// highlighting yet or its style is not offered for editing.
int32_t ElementAtOffset(const TCustomInkMemo& editor, int32_t offset, const std::vector<TStyleElement>& elements);

}  // namespace ql
