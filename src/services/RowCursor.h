#pragma once
// Reads a row store's characters in place by absolute position, for the searches: the current
// row's buffer is read directly, and moves go along the row links, or through the store's
// lookup when the target is far away.
#include <cstdint>
#include <string>

#include "textmodel/TextRow.h"

namespace ql {

class TTextStore;

// Valid only while the text is not changed, like a character stream.
class TRowCursor {
public:
  // Takes the store's text length and stands on its first row.
  explicit TRowCursor(TTextStore& store);

  TTextStore& Store() const { return *store_; }
  int32_t TextLength() const { return length_; }

  // Makes row, which starts at rowStart, the current row (row must not be null).
  void Place(TTextRow* row, int32_t rowStart);
  // Makes the row holding pos current; pos is clamped to the characters of the text. False,
  // and no current row, for an empty text.
  bool Seek(int32_t pos);

  // The character at pos, for 0 <= pos < TextLength.
  uint8_t At(int32_t pos) {
    const uint32_t k = static_cast<uint32_t>(pos - start_);
    if (k < rowLength_) return data_[k];
    Seek(pos);
    return data_[pos - start_];
  }

  TTextRow* Row() const { return row_; }
  const uint8_t* Data() const { return data_; }
  int32_t RowStart() const { return start_; }
  int32_t RowEnd() const { return start_ + static_cast<int32_t>(rowLength_); }

  // Moves to the next or previous row; false (and no move) at the last or first row.
  bool NextRow();
  bool PrevRow();

  // Appends the characters of start..end (clamped to the text) to out.
  void Append(int32_t start, int32_t end, std::string& out);

private:
  void SetRow(TTextRow* row, int32_t rowStart);

  TTextStore* store_;
  int32_t length_;               // the store's TextLength when the cursor was made
  TTextRow* row_ = nullptr;      // null only for an empty text
  const uint8_t* data_ = nullptr;
  int32_t start_ = 0;            // offset of the row's first character
  uint32_t rowLength_ = 0;       // the row's Length
};

}  // namespace ql
