#pragma once
// The memory of one store's rows: a region of address space, reserved when the first row is
// built and aligned to its size, from which the rows' blocks are cut. A freed block waits in a
// list of blocks of its size until a block of that size, or a smaller one cut from it, is asked
// for; emptying the text gives the whole region back to the system at once.
//
// Any address inside the region finds its arena (Of), which also keeps the rows' attachments,
// so that a row needs no room of its own for them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ql {

class TRowAttachment;
struct TTextRow;

class TRowArena {
public:
  // The largest block there is: a row joined from two full rows, or a row's moved characters.
  static constexpr uint32_t MaxBlockBytes = 16380;
  // The smallest block worth keeping for reuse: a row of one character. Cutting a block from a
  // larger free one never leaves less than this.
  static constexpr uint32_t MinBlockBytes = 20;

  TRowArena() = default;
  ~TRowArena();
  TRowArena(const TRowArena&) = delete;
  TRowArena& operator=(const TRowArena&) = delete;

  // A block of bytes (a multiple of 4, 4 to MaxBlockBytes), 4-byte aligned, contents undefined.
  // Raises EInkMemo "Not enough memory for operation" when the region is full or no address
  // space can be had.
  void* Allocate(uint32_t bytes);
  void Free(void* block, uint32_t bytes);
  // Frees every block and attachment at once and gives the memory back to the system.
  void Reset();
  // Bytes of the region in use: blocks handed out and blocks waiting to be reused.
  int64_t BytesUsed() const { return top_ > FirstBlock ? static_cast<int64_t>(top_ - FirstBlock) : 0; }

  // The arena that holds a block.
  static TRowArena& Of(const void* block);

  TRowAttachment* AttachmentOf(const TTextRow* row) const;
  // Replaces row's attachment, freeing the old one; null leaves the row without one.
  void SetAttachment(TTextRow* row, std::unique_ptr<TRowAttachment> attachment);
  std::unique_ptr<TRowAttachment> TakeAttachment(TTextRow* row);

private:
  static constexpr uint64_t FirstBlock = 64;  // the region starts with a header naming its arena

  void Reserve();
  void Commit(uint64_t end);
  void Push(char* block, uint32_t units);
  char* Pop(uint32_t units);
  // The smallest size (in 4-byte units) above units that has a free block; 0 when none has.
  uint32_t LargerFree(uint32_t units) const;

  char* base_ = nullptr;
  uint64_t size_ = 0;       // bytes reserved
  uint64_t committed_ = 0;  // bytes readable and writable from base_
  uint64_t top_ = 0;        // end of the blocks cut so far
  std::vector<uint32_t> free_;      // per size in units: the first free block (its offset in units)
  std::vector<uint64_t> nonEmpty_;  // one bit per size that has a free block
  uint64_t nonEmptyWords_ = 0;      // one bit per word of nonEmpty_ that is not 0
  std::unordered_map<const TTextRow*, std::unique_ptr<TRowAttachment>> attachments_;
};

}  // namespace ql
