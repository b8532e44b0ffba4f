#pragma once
// The text form of a language's display settings, as the registry keeps it.
//
// Written form: "Harlix6:", then for each of 24 tags in a fixed order the tag, "#", the length
// of the value in decimal, "#" and the value; then "#END#". The tags: OPT options word, GWD
// gutter width, GCL gutter colour, WRC word-wrap column, IDS indent step, WRO wrap-override
// text, FON font name, FOS font size, STC and STB selected-text colour and background, TBC tab
// columns ("5 9 13"), TBD default tab width, EFF effects, GDF MDF SDF BDF the default flags of
// the gutter, margin, selected-text and selected-background colours ("1" or "0"), FOC font
// character set, RMG right margin, LNN LNS LNC LNT the gutter font's name, size, colour and
// character set, LNE its style as letters I, B, U, S. Numbers are signed decimal (system colours
// are negative).
//
// EFF: the number of defined styles written (at most 255), then "," when there are any, then per
// style "n,foreground,background," followed by X (background default flag), Y (foreground default
// flag), B, I, U (bold, italic, underline) and ";". Strike-out and the hotspot flag are not
// carried: reading an effect keeps them from the style's current record.
//
// Older texts ("Harlix1:" to "Harlix4:") hold the same settings by position; versions 5 to 9
// use the tags.
#include <string>

namespace ql {

class TSM_Settings;

std::string DisplaySettingsText(const TSM_Settings& settings);

// Applies a text form to settings. A text that does not start with "Harlix" and a version digit,
// or that holds malformed data, raises EInkMemo; settings may then be partly changed, so callers
// apply texts of unknown quality to a scratch copy.
void ApplyDisplaySettingsText(TSM_Settings& settings, const std::string& text);

}  // namespace ql
