// %%effects (style records) and %%map (token value to style).
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"
#include "textmodel/CharClasses.h"

namespace ql {
namespace {

bool IsHotspotText(const std::string& text) {
  static constexpr char kHotspot[] = "hotspot";
  if (text.size() != sizeof kHotspot - 1) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (LowerChar(static_cast<uint8_t>(text[i])) != kHotspot[i]) return false;
  return true;
}

}  // namespace

// Entry: style [font style bits] foreground [*] background [*] ['hotspot']
void TSYM_ScriptCompiler::EffectsSection() {
  GetToken();
  while (IsTermStart()) {
    const TPos at = Here();
    const uint8_t style = ByteValue();
    // Style 0 is defined from the start and may be given again; any other only once.
    if (style != 0 && settings_.GetStyle(style).Defined != 0) ErrorAt(at, msgDuplicateEffect);
    TStyleEffect effect;
    effect.FontStyle = FontStyleSet();
    effect.TextColor = static_cast<TColor>(Expression());
    if (Token() == tkStar) {
      effect.DefaultText = true;
      GetToken();
    }
    effect.BackColor = static_cast<TColor>(Expression());
    if (Token() == tkStar) {
      effect.DefaultBack = true;
      GetToken();
    }
    // Another string is left alone; it ends the section.
    if (Token() == tkString && IsHotspotText(StringValue())) {
      effect.Hotspot = true;
      GetToken();
    }
    effect.Defined = 1;
    settings_.SetStyle(style, effect);
  }
}

// Entries: token value, style number.
void TSYM_ScriptCompiler::MapSection() {
  GetToken();
  while (IsTermStart()) {
    const uint8_t value = ByteValue();
    settings_.SetMap(value, ByteValue());
  }
}

}  // namespace ql
