#pragma once
// The row store: an editor's text as a doubly linked list of rows, with the counters the
// control needs and the two primitive edits every change of text goes through.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "textmodel/LineBreaks.h"
#include "textmodel/TextAnnotations.h"
#include "textmodel/TextRow.h"
#include "textmodel/TextStoreHost.h"

namespace ql {

class TStream;

enum TSelLineStyle : uint8_t { lsCRLF = 0, lsLF = 1 };

// Line-break forms of plain-text output.
enum class TLineBreakForm { CRLF, CR, LF };

// A row found by offset or index, with its index and the offset at which it starts.
struct TRowPos {
  TTextRow* Row = nullptr;
  int32_t Index = 0;
  int32_t Start = 0;
};

class TTextStore {
public:
  // host may be null: the store then splits overlong rows itself and reports nothing.
  explicit TTextStore(TTextStoreHost* host = nullptr);
  ~TTextStore();
  TTextStore(const TTextStore&) = delete;
  TTextStore& operator=(const TTextStore&) = delete;

  // --- Queries (none changes the rows) ---

  // The row holding offset. The end of the text gives the last row; its index is the virtual
  // line's number (RowCount) when the text ends with CR. No rows: Row null, index 0, start 0.
  TRowPos LocateRow(int32_t offset);
  // Walks index rows from the first, stopping at the last row; Index is the number walked.
  TRowPos RowByIndex(int32_t index) const;
  // Sum of the lengths of the first index rows; TextLength for an index at or past RowCount.
  int32_t RowStart(int32_t index) const;
  // Length of the row holding offset, closing CR excluded; 0 when there is no row.
  int32_t RowLengthAt(int32_t offset);
  // Row i without its closing CR; empty past the last row.
  std::string RowText(int32_t index) const;
  // RowCount, but at least 1.
  int32_t LineCount() const { return RowCount > 0 ? RowCount : 1; }
  // Largest row length by a full scan.
  int32_t ScanLongestRow() const;
  TTextRow* LastRow() const;
  // The stored characters of start..end (clamped to the text).
  std::string GetRange(int32_t start, int32_t end);

  // --- Changes ---

  // Inserts len characters at offset, normalised; returns the stored length inserted.
  int32_t InsertText(int32_t offset, const char* text, int32_t len);
  int32_t InsertText(int32_t offset, const std::string& text) {
    return InsertText(offset, text.data(), static_cast<int32_t>(text.size()));
  }
  // Deletes the characters between start and end (in either order).
  void DeleteText(int32_t start, int32_t end);
  // Frees every row (no notifications): the state of a new store, but LongestRow 0.
  void FreeAllRows();

  // Bulk-append mode, used while a control loads: every insertion goes after the row built
  // last, at the end of the text, without a lookup; line-break pairs split between the loaded
  // blocks stay one line break.
  void BeginBulkAppend();
  void EndBulkAppend();
  bool BulkAppending() const { return bulkAppend_; }

  // Splits every row in first..last (null: to the end / from the start) that is longer than the
  // row limit into rows of the limit, the later ones marked as continuations.
  void SplitLongRows(TTextRow* first, TTextRow* last);

  // --- Writers ---

  // Writes start..end in the given line-break form.
  void WritePlainText(int32_t start, int32_t end, TLineBreakForm form, TStream& stream);
  // Length that WritePlainText would write.
  int32_t PlainTextLength(int32_t start, int32_t end, TLineBreakForm form);

  // Recomputes TopRow from TopRowIndex when it was dropped.
  void EnsureTopRow();
  void SetTopRowIndex(int32_t index);
  void SetHost(TTextStoreHost* host);
  TTextStoreHost& Host() const { return *host_; }
  void SetAnnotations(std::unique_ptr<TTextAnnotations> annotations);
  TTextAnnotations& Annotations() const { return *annotations_; }

  TTextRow* FirstRow = nullptr;  // head of the row list; null for an empty text
  TTextRow* TopRow = nullptr;    // first row shown; null means recompute from TopRowIndex
  int32_t TopOffset = 0;         // offset at which TopRow starts
  int32_t TopRowIndex = 0;       // index of TopRow
  int32_t RowCount = 0;          // number of rows; never negative
  int32_t TextLength = 0;        // sum of all row lengths
  int32_t LongestRow = 1;        // longest row length; 1 for a new store, 0 once emptied
  TSelLineStyle LineStyle = lsCRLF;

private:
  struct TBuiltRows {
    TTextRow* First = nullptr;
    TTextRow* Last = nullptr;
  };

  int32_t InsertPiece(int32_t offset, const char* piece, int32_t n);
  // Cuts text into new rows linked after `after` (at the head when null); the first row takes
  // the given marks and attachment.
  TBuiltRows BuildRows(const char* text, int32_t len, TTextRow* after, uint16_t markBits, uint16_t gutterMarks,
                       std::unique_ptr<TRowAttachment> attachment);
  TTextRow* NewRow(const char* text, int32_t len);
  void LinkAfter(TTextRow* row, TTextRow* after);
  // Unlinks row and frees it (its attachment with it, unless taken before). Freeing a row as long
  // as LongestRow makes the next check rescan, unless the caller knows the length survives.
  void RemoveRow(TTextRow* row, bool mayShortenLongest = true);
  void MarkRescan(TTextRow* from);
  void RelayoutAll();

  TTextStoreHost* host_;
  std::unique_ptr<TTextStoreHost> ownHost_;       // used when no host is given
  std::unique_ptr<TTextAnnotations> annotations_;  // never null
  bool bulkAppend_ = false;
  TTextRow* lastBuilt_ = nullptr;  // in bulk-append mode: the row built last
  bool longestMayChange_ = false;  // a row at least as long as LongestRow was built or freed
  TLineBreakNormaliser normaliser_;
  std::vector<char> normalised_;  // one chunk of at most 8192 characters, normalised
  std::string combined_;          // a rebuilt row's text with the inserted piece
};

}  // namespace ql
