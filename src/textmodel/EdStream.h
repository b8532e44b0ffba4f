#pragma once
// The character stream over a row store: walks the rows in place, never copying them.
#include <cstdint>

#include "textmodel/CustomEdStream.h"

namespace ql {

class TTextStore;
struct TTextRow;

// A TEdStream is valid only while the text is not changed: after any change to the store it
// must be positioned again with StartAt before it is used, because the row it stands on may
// have been freed. It never owns or changes rows.
class TEdStream : public TCustomEdStream {
public:
  // Takes the store's text length and stands at position 0 of its first row. store may be
  // null: the stream then reads nothing and stands at its end.
  explicit TEdStream(TTextStore* store);
  const char* ClassName() const override { return "TEdStream"; }

  // Places the stream at offsetInRow (clamped to 0..row Length) of row, which starts at
  // rowStart; takes the text length from the store again.
  void StartAt(TTextRow* row, int32_t offsetInRow, int32_t rowStart);
  // Places the stream at an absolute position (clamped to the text), finding its row.
  void StartAt(int32_t position);

  uint8_t PeekChar() const override;
  int32_t CharPos() const override { return position_; }
  // Walks from the current row to p. A target before the start or past the end of the text
  // stops there, and the position is where the walk stopped.
  void SetCharPos(int32_t p) override;
  bool AtEnd() const override { return position_ >= textLength_; }
  void NextChar() override;
  void PrevChar() override;

  // Copies up to count characters from the position on (line breaks as the stored CR) and
  // advances past them; returns how many were copied.
  int32_t Read(void* buffer, int32_t count) override;
  // Raises EStreamError "Cannot write to a read-only stream".
  int32_t Write(const void* buffer, int32_t count) override;
  // Origin 0: from the start; 1: from the position; 2: back from the end (only with a
  // store). Any other origin returns the position unchanged. Returns the new position.
  int64_t Seek(int64_t offset, int32_t origin) override;

  TTextStore* Store() const { return store_; }
  TTextRow* Row() const { return row_; }
  int32_t OffsetInRow() const { return offset_; }
  // The text length taken at creation or at the last StartAt.
  int32_t TextLength() const { return textLength_; }

private:
  // Moves off the end of a row that has a successor onto that successor's first character.
  void SkipRowEnd();
  void SetRow(TTextRow* row);

  TTextStore* store_;
  int32_t textLength_ = 0;   // the store's TextLength at creation or the last StartAt
  TTextRow* row_ = nullptr;  // null only when there is no store or the text has no rows
  const char* text_ = nullptr;  // row_'s characters
  int32_t position_ = 0;     // row start + offset_
  int32_t offset_ = 0;       // 0 .. row_->Length; equals Length only on the last row
};

}  // namespace ql
