#pragma once
// The character sets the Highlighting page offers for fonts (Windows character-set numbers, as
// the settings keep them) and the font faces of one, found through the writing systems Qt's
// font database reports.
#include <QStringList>
#include <array>
#include <cstdint>

namespace ql {

struct TFontCharset {
  const char* Name;
  uint8_t Number;
};

// The 18 character sets, sorted by name.
const std::array<TFontCharset, 18>& FontCharsets();
// The font faces for a character-set number, sorted, without repeats (ignoring case); the
// default set (1) and numbers of no writing system list every face.
QStringList FontFaces(uint8_t charset);

}  // namespace ql
