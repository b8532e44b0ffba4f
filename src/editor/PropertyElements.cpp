#include "editor/PropertyElements.h"

#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

std::vector<TStyleElement> StyleElements(const TSM_Settings& settings) {
  std::vector<TStyleElement> elements;
  for (int32_t i = 1; i <= TSM_Settings::MaxEditableStyles; ++i) {
    const TEditableStyle& style = settings.GetEditableStyle(i);
    if (style.Name.empty()) break;
    elements.push_back({style.Name, style.Style});
  }
  elements.push_back({"Selected text", elSelectedText});
  elements.push_back({"Left margin", elLeftMargin});
  elements.push_back({"Gutter", elGutter});
  return elements;
}

TElementColors ElementColors(const TSM_Settings& s, int32_t number) {
  switch (number) {
    case elSelectedText: return {true, s.SelTextColor, s.SelTextBack, s.UseDefSelTextColor, s.UseDefSelTextBack, 0};
    case elLeftMargin: return {false, 0, s.MarginColor, false, s.UseDefMarginColor, 0};
    case elGutter: return {false, 0, s.GutterColor, false, s.UseDefGutterColor, 0};
    default: {
      const TStyleEffect& style = s.GetStyle(static_cast<uint8_t>(number));
      return {true, style.TextColor, style.BackColor, style.DefaultText, style.DefaultBack, style.FontStyle};
    }
  }
}

void SetElementColors(TSM_Settings& s, int32_t number, TColor fore, TColor back) {
  switch (number) {
    case elSelectedText:
      if (!s.UseDefSelTextColor) s.SelTextColor = fore;
      if (!s.UseDefSelTextBack) s.SelTextBack = back;
      return;
    case elLeftMargin:
      if (!s.UseDefMarginColor) s.MarginColor = back;
      return;
    case elGutter:
      if (!s.UseDefGutterColor) s.GutterColor = back;
      return;
    default: {
      TStyleEffect style = s.GetStyle(static_cast<uint8_t>(number));
      if (!style.DefaultText) style.TextColor = fore;
      if (!style.DefaultBack) style.BackColor = back;
      s.SetStyle(static_cast<uint8_t>(number), style);
    }
  }
}

void SetElementDefault(TSM_Settings& s, int32_t number, bool foreground, bool on) {
  switch (number) {
    case elSelectedText: (foreground ? s.UseDefSelTextColor : s.UseDefSelTextBack) = on; return;
    case elLeftMargin:
      if (!foreground) s.UseDefMarginColor = on;
      return;
    case elGutter:
      if (!foreground) s.UseDefGutterColor = on;
      return;
    default: {
      TStyleEffect style = s.GetStyle(static_cast<uint8_t>(number));
      (foreground ? style.DefaultText : style.DefaultBack) = on;
      s.SetStyle(static_cast<uint8_t>(number), style);
    }
  }
}

void SetElementFontStyle(TSM_Settings& s, int32_t number, uint8_t fontStyleBit, bool on) {
  if (IsFixedElement(number)) return;
  TStyleEffect style = s.GetStyle(static_cast<uint8_t>(number));
  style.FontStyle = static_cast<uint8_t>(on ? style.FontStyle | fontStyleBit : style.FontStyle & ~fontStyleBit);
  s.SetStyle(static_cast<uint8_t>(number), style);
}

int32_t ElementAtOffset(const TCustomInkMemo& editor, int32_t offset, const std::vector<TStyleElement>& elements) {
  const TTextStore& store = editor.Store();
  const TRowPos pos = store.LocateRow(offset);
  const int32_t k = offset - pos.Start;
  if (pos.Row == nullptr || !pos.Row->Styles || k < 0 || k >= pos.Row->Length) return -1;
  // The first listed element of the token's style (the elements list the editable styles in order).
  const int32_t style = editor.Settings().GetMap(pos.Row->Styles[k]);
  const auto it = std::find_if(elements.begin(), elements.end(), [&](const TStyleElement& e) { return e.Number == style; });
  return it != elements.end() ? static_cast<int32_t>(it - elements.begin()) : -1;
}

}  // namespace ql
