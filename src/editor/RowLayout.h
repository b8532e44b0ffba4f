#pragma once
// The display form of one row: its characters in display columns (DisplayColumns.h), which is
// what painting draws and what the caret and the mouse are placed by. Its storage grows with
// the longest row laid out and is reused.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textmodel/DisplayColumns.h"

namespace ql {

class TRowLayout {
public:
  struct TChar {
    int32_t Byte = 0;    // first byte in the row
    int32_t Column = 0;  // first display column
    int16_t Bytes = 1;
    int16_t Columns = 1;
    TCharKind Kind = TCharKind::Text;
    char32_t Code = 0;
  };

  // Lays out a row's text, its closing CR included.
  void Build(std::string_view text, TTextEncoding encoding, const TTabRule& tabs);

  // Every character, the closing CR last (as a Break of no columns).
  const std::vector<TChar>& Chars() const { return chars_; }
  // Display columns of the row's text.
  int32_t Width() const { return width_; }
  // Bytes of the row's text without its closing CR.
  int32_t ContentBytes() const { return contentBytes_; }
  // Column of the character holding byte (the width at or past the end of the text).
  int32_t ColumnOfByte(int32_t byte) const;
  // Index in Chars() of the character holding byte (Chars().size() past the end).
  size_t CharAtByte(int32_t byte) const;
  // Index in Chars() of the first character that ends after column.
  size_t CharAtColumn(int32_t column) const;
  // The character boundary nearest to column (a tie goes to the earlier one), as a byte; a
  // column past the text gives the end of the text, before its CR.
  int32_t ByteNearColumn(int32_t column) const;

  // The UTF-8 text of characters [first, last) of kind Text and Tab (a TAB as blanks), appended to out.
  void AppendText(size_t first, size_t last, std::string& out) const;

private:
  std::string_view text_;
  std::vector<TChar> chars_;
  int32_t width_ = 0;
  int32_t contentBytes_ = 0;
};

}  // namespace ql
