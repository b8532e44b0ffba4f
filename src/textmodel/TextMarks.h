#pragma once
// Text marks: character ranges that follow the text through every edit, each known to its user
// by a handle (a positive integer; 0 is never a mark). The marks are kept in ascending order of
// Start, in blocks that each carry a pending shift, so that an edit touches only the blocks
// around it and moves the blocks after it by adding to one number each.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ql {

using TMarkHandle = int32_t;

class TObjectList {
public:
  TObjectList() = default;
  // Frees the marks from the last to the first, with OnMarkFree for each.
  ~TObjectList();
  TObjectList(const TObjectList&) = delete;
  TObjectList& operator=(const TObjectList&) = delete;

  // A mark over start..end (ordered), with Flags 0 and the given value. Raises EInkMemo "Not
  // enough memory for operation" when no handle is left.
  TMarkHandle Add(int32_t start, int32_t end, int32_t value);
  // Removes a mark, with OnMarkFree; false for a handle that is no mark.
  bool Remove(TMarkHandle mark);
  bool IsMark(TMarkHandle mark) const;
  int32_t Start(TMarkHandle mark) const;  // -1 for a handle that is no mark
  int32_t End(TMarkHandle mark) const;    // -1 for a handle that is no mark
  int32_t Value(TMarkHandle mark) const;  // 0 for a handle that is no mark
  uint8_t Flags(TMarkHandle mark) const;
  // The mark's bounds become the ordered pair of value and its End (Start), and it moves to its
  // place in the order. No OnMarkChange. False for a handle that is no mark.
  bool SetStart(TMarkHandle mark, int32_t value);
  bool SetEnd(TMarkHandle mark, int32_t value);

  // The first mark in order that overlaps start..start + length (its Start <= start + length and
  // its End > start) or that starts at or after start; else the last mark; 0 when there is none.
  TMarkHandle FindFirst(int32_t start, int32_t length) const;
  // FindMark: found is as FindFirst; true when it touches the range (its Start <= start <= its
  // End, or start <= its Start <= start + length). False, found untouched, without marks.
  bool Find(int32_t start, int32_t length, TMarkHandle& found) const;
  // The next mark, after `after` (or from FindFirst (from, to - from) when after is 0), that
  // covers from (Start <= from < End) or starts inside from..to; 0 when there is none.
  TMarkHandle NextInRange(int32_t from, int32_t to, TMarkHandle after) const;
  // The mark after mark in order; 0 at the end.
  TMarkHandle Next(TMarkHandle mark) const;
  TMarkHandle First() const;
  int32_t Count() const { return count_; }

  // An insertion of n characters at offset: marks starting at or after it move, marks that
  // reach it grow.
  void ShiftForInsert(int32_t offset, int32_t n);
  // A deletion of start..end: marks inside it are freed, the others lose the deleted part.
  void AdjustForDelete(int32_t start, int32_t end);

  // Called for each mark whose bounds an edit changed, once the list is consistent again. Only
  // while WantsChanges answers true are marks that merely moved reported too.
  std::function<void(TMarkHandle mark)> OnMarkChange;
  std::function<bool()> WantsChanges;
  // Called for each mark being freed, before its handle becomes invalid.
  std::function<void(TMarkHandle mark)> OnMarkFree;

  // Bytes the list holds (records, blocks and free slots).
  int64_t Bytes() const;
  // Checks order, bounds and the blocks' summaries; returns the first fault, or empty.
  std::string Check() const;

private:
  struct TBlock;
  struct TRecord {
    int32_t Start = 0;  // plus the block's Delta
    int32_t End = 0;    // plus the block's Delta
    int32_t Value = 0;
    uint8_t Flags = 0;
    bool Live = false;
    uint16_t Generation = 0;
    TBlock* Block = nullptr;
  };
  struct TBlock {
    std::vector<int32_t> Slots;  // ascending true Start; equal ones in order of insertion
    int32_t Delta = 0;
    int32_t MaxEnd = 0;          // largest End, without Delta
  };

  const TRecord* RecordOf(TMarkHandle mark) const;
  TMarkHandle HandleOf(int32_t slot) const;
  int32_t StartOf(int32_t slot) const { return records_[static_cast<size_t>(slot)].Start + records_[static_cast<size_t>(slot)].Block->Delta; }
  int32_t EndOf(int32_t slot) const { return records_[static_cast<size_t>(slot)].End + records_[static_cast<size_t>(slot)].Block->Delta; }
  // Puts slot (its Start and End true values, Block unset) into its place in the order.
  void Place(int32_t slot, int32_t start, int32_t end);
  // Takes slot out of its block (the record stays).
  void Unplace(int32_t slot);
  size_t BlockIndex(const TBlock* block) const;
  static void Summarise(TBlock& block, const std::vector<TRecord>& records);
  void Release(int32_t slot);
  // Position of (block, index) of the first mark in order meeting FindFirst's test.
  bool Locate(int32_t start, int32_t length, size_t& block, size_t& index) const;

  std::vector<TRecord> records_;             // by slot; a handle names a slot and its generation
  std::vector<int32_t> freeSlots_;
  std::vector<std::unique_ptr<TBlock>> blocks_;  // in order; none is empty
  int32_t count_ = 0;
};

}  // namespace ql
