#pragma once
// The index over a store's rows. The row list is cut into blocks of consecutive rows (at most
// MaxBlockRows each), kept in a balanced tree that sums each subtree's rows and characters, so
// that finding the block of an offset or of a row number, and where a block starts, cost
// O(log n); inside a block the rows are walked. The tree also sums the rows that end with CR, so
// a row's logical line costs the same. A block's first row carries rsBlockHead and
// finds its block through a table, so a row's own offset and number cost a walk back to the
// first row of its block and O(log n).
//
// The store reports every change of its row list as it makes it: Linked after a row was linked
// in, Unlinking before a row is unlinked, Resized when a row's length changed in place. When an
// edit is done it calls Settle, which splits blocks that grew too long and merges short ones.
// Counts of a block changed row by row reach the tree once, when another block changes or the
// tree is next read, so that building many rows in one place costs O(1) a row.
#include <cstdint>
#include <string>
#include <vector>

#include "textmodel/RowHeadTable.h"

namespace ql {

struct TTextRow;
struct TRowBlock;

// A block found, with its first row and the row number and offset at which it starts.
struct TBlockPos {
  TRowBlock* Block = nullptr;
  TTextRow* Head = nullptr;
  int32_t Index = 0;
  int32_t Start = 0;
};

class TRowIndex {
public:
  static constexpr int32_t MaxBlockRows = 64;

  TRowIndex() = default;
  ~TRowIndex();
  TRowIndex(const TRowIndex&) = delete;
  TRowIndex& operator=(const TRowIndex&) = delete;

  // Forgets every block (the rows were freed).
  void Clear();

  // --- Queries ---

  // The block holding offset: the last block for an offset at or past the end; the first for
  // a negative one. Block is null when there are no rows.
  TBlockPos BlockAtOffset(int32_t offset) const;
  // The block holding row number index, clamped to the rows.
  TBlockPos BlockAtRow(int32_t index) const;
  // The block holding row, and the number and offset of row itself in Index and Start.
  TBlockPos PositionOf(const TTextRow* row) const;
  TRowBlock* BlockOf(const TTextRow* row) const;
  // How many rows before row end with CR: the number of the logical line row belongs to.
  int32_t BreaksBefore(const TTextRow* row) const;

  // --- Changes of the row list ---
  // cursor names a block next to the row: the block of the row before it, or (when linking)
  // the block whose first row follows it; null makes the index find the block. On return it
  // names the block the row joined or left (null when that block went away), which is what the
  // next row linked after this one, or unlinked after this one, can pass.

  void Linked(TTextRow* row, TRowBlock*& cursor);
  void Unlinking(TTextRow* row, TRowBlock*& cursor);
  // row (in block, or null to find it) grew or shrank by delta characters in place.
  void Resized(const TTextRow* row, TRowBlock* block, int32_t delta);
  // Splits the blocks that grew too long and merges the short ones.
  void Settle();

  // Compares the blocks with the rows from first on and checks the tree; returns the first
  // disagreement found, or an empty string.
  std::string Check(const TTextRow* first) const;
  // Memory the index takes.
  int64_t Bytes() const;

private:
  void Adjust(TRowBlock* block, int32_t rows, int32_t length, int32_t breaks) const;
  void Flush() const;
  void Prefix(const TRowBlock* block, int32_t& index, int32_t& start) const;
  // The block holding the target'th row (byRows) or character, target within the rows.
  TBlockPos Descend(int32_t target, bool byRows) const;
  TRowBlock* NewBlock(TTextRow* head, TRowBlock* after);
  void Erase(TRowBlock* block);
  void SetHead(TRowBlock* block, TTextRow* head);
  void Insert(TRowBlock* block, TRowBlock* after);
  void RotateUp(TRowBlock* block);
  void MarkUnsettled(TRowBlock* block);
  void Split(TRowBlock* block);
  void Merge(TRowBlock* block);
  void Absorb(TRowBlock* into, TRowBlock* next);
  std::string CheckTree(const TRowBlock* block, const TRowBlock* parent) const;

  TRowBlock* root_ = nullptr;
  TRowHeadTable heads_;
  std::vector<TRowBlock*> unsettled_;
  int32_t blocks_ = 0;
  uint32_t seed_ = 0x9E3779B9u;
  // Counts of one block that have not reached the tree's sums yet.
  mutable TRowBlock* pending_ = nullptr;
  mutable int32_t pendingRows_ = 0;
  mutable int32_t pendingLength_ = 0;
  mutable int32_t pendingBreaks_ = 0;
};

}  // namespace ql
