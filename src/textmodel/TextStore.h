#pragma once
// The row store: an editor's text as a doubly linked list of rows, with the counters the
// control needs and the two primitive edits every change of text goes through. An index over
// the rows (RowIndex.h) finds rows by offset or number; the rows live in the store's row arena
// (RowArena.h).
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "textmodel/Breakpoints.h"
#include "textmodel/CustomBookmarks.h"
#include "textmodel/LineBreaks.h"
#include "textmodel/RowArena.h"
#include "textmodel/RowIndex.h"
#include "textmodel/SplicedText.h"
#include "textmodel/TextAnnotations.h"
#include "textmodel/TextMarks.h"
#include "textmodel/TextRow.h"
#include "textmodel/TextStoreHost.h"

namespace ql {

class TStream;

enum TSelLineStyle : uint8_t { lsCRLF = 0, lsLF = 1 };

// Line-break forms of plain-text output.
enum class TLineBreakForm { CRLF, CR, LF };

// The first and last of consecutive rows.
struct TRowSpan {
  TTextRow* First = nullptr;
  TTextRow* Last = nullptr;
};

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

  // --- Queries (none changes the text; each costs O(log n) through the row index) ---

  // The row holding offset. The end of the text gives the last row; its index is the virtual
  // line's number (RowCount) when the text ends with CR. No rows: Row null, index 0, start 0.
  // A short move forward from TopRow is walked.
  TRowPos LocateRow(int32_t offset) const;
  // Row number index, clamped to the rows (Index is the number reached).
  TRowPos RowByIndex(int32_t index) const;
  // The number and start of a row of this store.
  TRowPos RowPosition(const TTextRow* row) const;
  // The 0-based logical line row belongs to: the rows before it that end with CR.
  int32_t LineOfRow(const TTextRow* row) const { return row != nullptr ? index_.BreaksBefore(row) : 0; }
  // Sum of the lengths of the first index rows; TextLength for an index at or past RowCount.
  int32_t RowStart(int32_t index) const;
  // Length of the row holding offset, closing CR excluded; 0 when there is no row.
  int32_t RowLengthAt(int32_t offset) const;
  // Row i without its closing CR; empty past the last row.
  std::string RowText(int32_t index) const;
  // RowCount, but at least 1.
  int32_t LineCount() const { return RowCount > 0 ? RowCount : 1; }
  // Largest row length by a full scan (LongestRow is kept without one).
  int32_t ScanLongestRow() const;
  TTextRow* LastRow() const { return lastRow_; }
  // The stored characters of start..end (clamped to the text).
  std::string GetRange(int32_t start, int32_t end) const;

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

  // Bulk-append mode, used while a control loads: every insertion goes after the last row, at
  // the end of the text, without a lookup; line-break pairs split between the loaded blocks stay
  // one line break.
  void BeginBulkAppend();
  void EndBulkAppend();
  bool BulkAppending() const { return bulkAppend_; }
  // Appends text at the end through the bulk path, as a load does.
  int32_t AppendText(const char* text, int32_t len);
  int32_t AppendText(const std::string& text) { return AppendText(text.data(), static_cast<int32_t>(text.size())); }

  // Splits every row in first..last (null: to the end / from the start) that is longer than the
  // row limit into rows of the limit, the later ones marked as continuations.
  void SplitLongRows(TTextRow* first, TTextRow* last);

  // Rebuilds the consecutive rows first..last (the rows of one logical line, or part of one) as
  // rows of the given lengths, which must be 1..MaxRowLength each and sum to the rows' length
  // (EInkMemo otherwise, and nothing changes). Rows at either end whose length stays keep their
  // identity; the others are made anew, marked rfRepaint | rfRescan, with their token values when
  // every replaced row had them and the gutter marks of all replaced rows. The range's first row
  // takes the bookmarks and the attachment of the replaced rows; a new row after one that does
  // not end with CR is a continuation. The top row stays on the row that holds the top offset.
  // Returns the range's rows as they are now.
  TRowSpan ReplaceRows(TTextRow* first, TTextRow* last, const std::vector<int32_t>& lengths);

  // --- Writers ---

  // Writes start..end in the given line-break form.
  void WritePlainText(int32_t start, int32_t end, TLineBreakForm form, TStream& stream) const;
  // Length that WritePlainText would write.
  int32_t PlainTextLength(int32_t start, int32_t end, TLineBreakForm form) const;

  // Recomputes TopRow from TopRowIndex when it was dropped.
  void EnsureTopRow() const;
  void SetTopRowIndex(int32_t index);
  void SetHost(TTextStoreHost* host);
  TTextStoreHost& Host() const { return *host_; }
  // Further objects told of every edit, after the store's own annotations.
  void SetAnnotations(std::unique_ptr<TTextAnnotations> annotations);
  TTextAnnotations& Annotations() const { return *annotations_; }
  // The mark list, made on first use.
  TObjectList& EnsureMarks();
  // Removes every named bookmark and mark and every breakpoint, with their notifications, and
  // switches the execution point off: what destroying the store does, while the editor that
  // hears the notifications still exists.
  void FreeAnnotations();

  // Memory of the rows (blocks in use or waiting to be reused) and of the index.
  int64_t RowBytes() const;
  int64_t IndexBytes() const { return index_.Bytes(); }
  // Compares the index with a walk over the rows; returns the first disagreement, or empty.
  std::string CheckIndex() const;

  TTextRow* FirstRow = nullptr;          // head of the row list; null for an empty text
  mutable TTextRow* TopRow = nullptr;    // first row shown; null means recompute from TopRowIndex
  mutable int32_t TopOffset = 0;         // offset at which TopRow starts
  mutable int32_t TopRowIndex = 0;       // index of TopRow
  int32_t RowCount = 0;                  // number of rows; never negative
  int32_t TextLength = 0;                // sum of all row lengths
  int32_t LongestRow = 1;                // longest row length; 1 for a new store, 0 once emptied
  TSelLineStyle LineStyle = lsCRLF;

  // 1-based column of bookmark n within its row; 0: never set or switched off. Edits leave it.
  int16_t BookmarkColumns[10] = {};
  std::unique_ptr<TObjectList> Marks;  // null until the first mark
  TCustomBookmarks CustomBookmarks;
  TSM_Breakpoints Breakpoints{*this};
  TSM_CodeBreak CodeBreak{*this};

private:
  struct TBuiltRows {
    TTextRow* First = nullptr;
    TTextRow* Last = nullptr;
  };
  // A row found, with the index block that holds it.
  struct TFound : TRowPos {
    TRowBlock* Block = nullptr;
  };

  TFound Find(int32_t offset) const;
  int32_t InsertPiece(int32_t offset, const char* piece, int32_t n);
  // Puts one character into row r at k, in place; the row keeps its identity.
  void InsertIntoRow(TTextRow* r, TRowBlock* block, int32_t k, char c);
  // Cuts text into new rows linked after `after` (at the head when null); the first row takes
  // the given marks and attachment. cursor: see TRowIndex.
  TBuiltRows BuildRows(const TSplicedText& text, TTextRow* after, uint16_t markBits, uint16_t gutterMarks,
                       std::unique_ptr<TRowAttachment> attachment, TRowBlock* cursor);
  // After an insertion at a row's start: its marks follow its first character.
  void MoveMarksToOldStart(const TBuiltRows& built, std::string_view inserted);
  // A row of len characters of text from offset from.
  TTextRow* NewRow(const TSplicedText& text, int32_t from, int32_t len);
  void FreeRow(TTextRow* row);
  void LinkAfter(TTextRow* row, TTextRow* after, TRowBlock*& cursor);
  void UnlinkRow(TTextRow* row, TRowBlock*& cursor);
  // Unlinks row and frees it (its attachment with it, unless taken before).
  void RemoveRow(TTextRow* row, TRowBlock*& cursor) {
    UnlinkRow(row, cursor);
    FreeRow(row);
  }
  void CountLength(int32_t length, int32_t delta);
  void MarkRescan(TTextRow* from);
  void DeleteAll();
  // Refuses an edit that starts while another is under way (from a handler of its notifications).
  void EnterEdit();

  // The store's annotations follow an edit: before the rows change, and after. A failing
  // notification handler does not stop the edit: its failure is passed on when the edit is done.
  void BeforeInsert(int32_t offset, int32_t n);
  void AfterInsert(int32_t offset, int32_t n);
  void BeforeDelete(int32_t start, int32_t end);
  void AfterDelete(int32_t start, int32_t end);
  template <typename F>
  void Notifying(F f) noexcept;
  void RethrowNotifyFailure();

  TTextStoreHost* host_;
  std::unique_ptr<TTextStoreHost> ownHost_;       // used when no host is given
  std::unique_ptr<TTextAnnotations> annotations_;  // never null
  std::unique_ptr<TRowArena> arena_;
  TRowIndex index_;
  TTextRow* lastRow_ = nullptr;
  std::vector<int32_t> rowsOfLength_;  // rows of each length, for LongestRow; empty until the first row
  bool bulkAppend_ = false;
  bool editing_ = false;  // an InsertText or DeleteText is under way
  std::exception_ptr notifyFailure_;  // the first failure of a handler during the current edit
  TTextRow* overlong_ = nullptr;  // a row an insertion left longer than the limit, to be split
  TLineBreakNormaliser normaliser_;
  std::vector<char> normalised_;  // one chunk of at most 8192 characters, normalised
};

}  // namespace ql
