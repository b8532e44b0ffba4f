#pragma once
// The records a settings object is made of: style records, editable-style names and keyword
// tables.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/ByteSet.h"
#include "toolkit/Color.h"

namespace ql {

// One style record: how text of one style is drawn.
struct TStyleEffect {
  uint8_t FontStyle = 0;        // fsBold | fsItalic | fsUnderline | fsStrikeOut
  TColor TextColor = clBlack;
  TColor BackColor = clWhite;
  bool DefaultText = false;     // draw the text in the default text colour instead
  bool DefaultBack = false;     // draw the background in the default background instead
  bool Hotspot = false;         // text in this style is a hyperlink
  int32_t Defined = 0;          // non-zero when defined; only defined records are stored and get a font
  bool operator==(const TStyleEffect&) const = default;
};

// A style the property pages offer for editing, under a name.
struct TEditableStyle {
  static constexpr size_t MaxName = 25;
  std::string Name;   // at most MaxName characters; empty for an unused entry
  uint8_t Style = 0;  // style record number
  bool operator==(const TEditableStyle&) const = default;
};

// One word of a keyword table and the value the highlighter reports for it.
struct TKeywordWord {
  std::string Word;
  int32_t Value = 0;
  bool operator==(const TKeywordWord&) const = default;
};

// A keyword table of a language: words recognised in some scanner states.
struct TKeywordDefinitions {
  TByteSet States;        // the scanner states in which the table applies; never empty once added
  std::string WordChars;  // a character-group text: what may follow a word; empty: anything
  bool CaseSensitive = false;
  std::vector<TKeywordWord> Words;
  bool operator==(const TKeywordDefinitions&) const = default;
};

}  // namespace ql
