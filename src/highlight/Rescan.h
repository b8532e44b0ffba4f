#pragma once
// TRescanner: keeps the token values stored in a row store's rows (one per character, in each
// row's Styles) up to date with a parser. After a change it re-highlights from the nearest
// restart point before the changed row and stops as soon as a row after it comes out as it
// was stored, with no bound state active. The editor control drives one of these; tools and
// tests use it on a bare row store.
//
// A run:
//   1. The pending row is the row of the first changed offset (TextChanged); nothing happens
//      without one, or when it has neither rfRescan nor rfForceScan.
//   2. The scan starts one row before the pending row (further back past rows that have no
//      stored values). The restart point: that row's first character when its first value is
//      0 and 0 is an anchor value; otherwise the nearest character before the row's end whose
//      value is an anchor value, moved back to the first character of the run of that value.
//      Without such a character among rows with stored values, the start of the text.
//   3. ResetContext(restart value), then pieces are scanned (ScanOnePiece, RescanContainer) and their values
//      written row by row. A row is committed when it is full: when it has stored values equal
//      to the new ones, lies after the pending row and after every change since the last run,
//      is not forced (rfForceScan), the next row
//      has stored values, no piece runs on past it and no bound state is active, the run
//      stops there. Otherwise the new values replace the stored ones, rfRescan and
//      rfForceScan are cleared, rfRepaint is set when the values changed, and the run goes on
//      with the next row.
//   4. At the end the parser is reset to the restart value again.
// When the parser relies on `match` and cannot scan (CanScan), no row is changed.
#include <cstdint>
#include <vector>

#include "highlight/ScanText.h"

namespace ql {

class TCustomInkMemoParser;
class TParserClient;
class TTextStore;
struct TTextRow;

class TRescanner {
public:
  // editor (may be null) is passed to ScanToken.
  TRescanner(TTextStore& store, TCustomInkMemoParser& parser, TParserClient* editor = nullptr);

  // The text changed at offset by delta characters (inserted when positive, deleted when
  // negative; 0 for a change of unknown size at offset). The pending row becomes the row of the
  // first changed offset of all changes since the last run, and the run goes on at least past
  // the last of them.
  void TextChanged(int32_t offset, int32_t delta = 0);
  // Makes the row at offset pending and forces it to be highlighted.
  void RescanVisible(int32_t offset);
  // Highlights the whole text again from its start; the values stored before are not used.
  void HighlightAll();
  // Forgets the changes since the last run: nothing is pending.
  void ClearPending() { pending_ = -1; }
  // Runs the re-highlighting from the pending row (see above); the pending row is cleared.
  void Rescan();

  // Rows committed by the last run, the row it stopped at included.
  int32_t RowsScanned() const { return rowsScanned_; }
  // Where the last run started (an offset) and the value it restarted with.
  int32_t RestartOffset() const { return restartOffset_; }
  uint8_t RestartValue() const { return restartValue_; }
  bool HasPending() const { return pending_ >= 0; }

  TTokenSeenEvent OnTokenSeen;

private:
  struct TRestart {
    TTextRow* Row = nullptr;
    int32_t RowStart = 0;
    int32_t Offset = 0;   // in Row
    int32_t Counter = 0;  // rows after the pending row (negative: before it)
    uint8_t Value = 0;
  };
  TRestart FindRestart(TTextRow* row, int32_t rowStart, int32_t counter) const;

  // Writes count characters of value into the current row's buffer, committing full rows.
  // continues: the piece goes on after these characters. Returns false when the run stops.
  bool Put(uint8_t value, int32_t count, bool continues);
  bool Commit(bool continues);
  void BeginRow(TTextRow* row, int32_t rowStart, int32_t counter, int32_t fill);

  TTextStore& store_;
  TCustomInkMemoParser& parser_;
  TParserClient* editor_;
  int32_t pending_ = -1;     // first changed offset since the last run; -1: none
  int32_t changedEnd_ = 0;   // end of the changed range in the current text; >= pending_ when pending
  int32_t rowsScanned_ = 0;
  int32_t restartOffset_ = 0;
  uint8_t restartValue_ = 0;

  // The row being written.
  TTextRow* row_ = nullptr;
  int32_t rowStart_ = 0;
  int32_t counter_ = 0;
  int32_t fill_ = 0;              // values written into buffer_
  std::vector<uint8_t> buffer_;   // the row's new values; Length entries
  std::vector<uint8_t> piece_;
};

}  // namespace ql
