#include "textmodel/RowArena.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

#include "textmodel/InkMemoErrors.h"
#include "textmodel/TextRow.h"

#if defined(__SANITIZE_ADDRESS__)
#define QL_ROW_ARENA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QL_ROW_ARENA_ASAN 1
#endif
#endif
#ifdef QL_ROW_ARENA_ASAN
#include <sanitizer/asan_interface.h>
#define QL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define QL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define QL_POISON(p, n) ((void)(p), (void)(n))
#define QL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace ql {
namespace {

// Address space per store. Rows link to each other by 32-bit distances in 4-byte units, which
// reach across a region of this size; the text of a store can never need more.
constexpr uint64_t RegionBytes = uint64_t{1} << 33;
// Where address space is limited, a region may be smaller, down to this.
constexpr uint64_t SmallestRegion = uint64_t{1} << 26;
constexpr uint64_t CommitStep = uint64_t{2} << 20;
// Past this much, a text is large: its rows go into huge pages where the system offers them, so
// that loading faults in a few large pages instead of thousands of small ones. Small texts keep
// small pages and need little memory.
constexpr uint64_t LargeText = uint64_t{4} << 20;
constexpr uint32_t Classes = TRowArena::MaxBlockBytes / 4 + 1;
static_assert(Classes <= 64 * 64, "one word of the summary covers all free-block words");

struct TRegionHeader {
  TRowArena* Arena;
};

void* MapNothing(void* at, uint64_t bytes, int extra) {
  return ::mmap(at, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | extra, -1, 0);
}

// A region of bytes address space at an address aligned to RegionBytes, or null.
char* ReserveRegion(uint64_t& bytes) {
  void* p = MapNothing(nullptr, 2 * RegionBytes, 0);
  if (p != MAP_FAILED) {
    const uintptr_t start = reinterpret_cast<uintptr_t>(p);
    const uintptr_t aligned = (start + RegionBytes - 1) & ~(RegionBytes - 1);
    if (aligned > start) ::munmap(p, aligned - start);
    const uintptr_t end = start + 2 * RegionBytes;
    if (end > aligned + RegionBytes) ::munmap(reinterpret_cast<void*>(aligned + RegionBytes), end - aligned - RegionBytes);
    bytes = RegionBytes;
    return reinterpret_cast<char*>(aligned);
  }
  // Address space is limited: a smaller region, placed at an aligned address near free space.
  for (bytes = RegionBytes / 2; bytes >= SmallestRegion; bytes /= 2) {
    void* probe = MapNothing(nullptr, bytes, 0);
    if (probe == MAP_FAILED) continue;
    const uintptr_t near = reinterpret_cast<uintptr_t>(probe) & ~(RegionBytes - 1);
    ::munmap(probe, bytes);
    for (int k = 0; k < 64; ++k) {
      // near, then alternately above and below it
      const uintptr_t step = static_cast<uintptr_t>((k + 1) / 2) * RegionBytes;
      if (k % 2 != 0 && near < step) continue;
      const uintptr_t at = k % 2 == 0 ? near + step : near - step;
      if (at == 0) continue;
      void* q = MapNothing(reinterpret_cast<void*>(at), bytes, MAP_FIXED_NOREPLACE);
      if (q == MAP_FAILED) continue;
      if (reinterpret_cast<uintptr_t>(q) == at) return static_cast<char*>(q);
      ::munmap(q, bytes);  // a kernel that took the address as a hint only
    }
  }
  return nullptr;
}

[[noreturn]] void OutOfMemory() { throw EInkMemo("Not enough memory for operation"); }

}  // namespace

TRowArena::~TRowArena() {
  attachments_.clear();
  if (base_ != nullptr) ::munmap(base_, size_);
}

TRowArena& TRowArena::Of(const void* block) {
  const uintptr_t base = reinterpret_cast<uintptr_t>(block) & ~(RegionBytes - 1);
  return *reinterpret_cast<const TRegionHeader*>(base)->Arena;
}

void TRowArena::Reserve() {
  free_.assign(Classes, 0);
  nonEmpty_.assign((Classes + 63) / 64, 0);
  base_ = ReserveRegion(size_);
  if (base_ == nullptr) OutOfMemory();
  if (size_ > LargeText) ::madvise(base_ + LargeText, size_ - LargeText, MADV_HUGEPAGE);
  Commit(FirstBlock);
  QL_UNPOISON(base_, FirstBlock);
  reinterpret_cast<TRegionHeader*>(base_)->Arena = this;
  top_ = FirstBlock;
}

void TRowArena::Commit(uint64_t end) {
  if (end <= committed_) return;
  const uint64_t target = std::min(size_, (end + CommitStep - 1) / CommitStep * CommitStep);
  if (::mprotect(base_ + committed_, target - committed_, PROT_READ | PROT_WRITE) != 0) OutOfMemory();
  QL_POISON(base_ + committed_, target - committed_);
  committed_ = target;
}

void TRowArena::Push(char* block, uint32_t units) {
  const uint32_t next = free_[units];
  QL_UNPOISON(block, sizeof next);
  std::memcpy(block, &next, sizeof next);
  free_[units] = static_cast<uint32_t>((block - base_) / 4);
  nonEmpty_[units / 64] |= uint64_t{1} << (units % 64);
  nonEmptyWords_ |= uint64_t{1} << (units / 64);
  QL_POISON(block, units * 4);
}

char* TRowArena::Pop(uint32_t units) {
  char* block = base_ + uint64_t{free_[units]} * 4;
  QL_UNPOISON(block, sizeof(uint32_t));
  std::memcpy(&free_[units], block, sizeof(uint32_t));
  if (free_[units] == 0) {
    nonEmpty_[units / 64] &= ~(uint64_t{1} << (units % 64));
    if (nonEmpty_[units / 64] == 0) nonEmptyWords_ &= ~(uint64_t{1} << (units / 64));
  }
  return block;
}

uint32_t TRowArena::LargerFree(uint32_t units) const {
  const uint32_t from = units + 1;
  if (from >= Classes) return 0;
  uint32_t word = from / 64;
  uint64_t bits = nonEmpty_[word] & (~uint64_t{0} << (from % 64));
  if (bits == 0) {
    const uint64_t words = word + 1 < 64 ? nonEmptyWords_ & (~uint64_t{0} << (word + 1)) : 0;
    if (words == 0) return 0;
    word = static_cast<uint32_t>(std::countr_zero(words));
    bits = nonEmpty_[word];
  }
  return word * 64 + static_cast<uint32_t>(std::countr_zero(bits));
}

void* TRowArena::Allocate(uint32_t bytes) {
  assert(bytes % 4 == 0 && bytes >= 4);
  if (bytes > MaxBlockBytes) OutOfMemory();
  if (base_ == nullptr) Reserve();
  const uint32_t units = bytes / 4;
  char* block = nullptr;
  if (free_[units] != 0) {
    block = Pop(units);
  } else if (const uint32_t larger = LargerFree(units + MinBlockBytes / 4 - 1); larger != 0) {
    // Cut the block from a larger free one; the rest waits as a block of its own size.
    block = Pop(larger);
    Push(block + bytes, larger - units);
  } else {
    if (top_ + bytes > size_) OutOfMemory();
    Commit(top_ + bytes);
    block = base_ + top_;
    top_ += bytes;
  }
  QL_UNPOISON(block, bytes);
  return block;
}

void TRowArena::Free(void* block, uint32_t bytes) {
  assert(bytes % 4 == 0 && bytes >= 4 && bytes <= MaxBlockBytes);
  Push(static_cast<char*>(block), bytes / 4);
}

void TRowArena::Reset() {
  attachments_.clear();
  if (base_ == nullptr) return;
  ::madvise(base_, committed_, MADV_DONTNEED);
  QL_POISON(base_ + FirstBlock, committed_ - FirstBlock);
  reinterpret_cast<TRegionHeader*>(base_)->Arena = this;
  top_ = FirstBlock;
  std::fill(free_.begin(), free_.end(), 0u);
  std::fill(nonEmpty_.begin(), nonEmpty_.end(), uint64_t{0});
  nonEmptyWords_ = 0;
}

// --- Attachments ---

TRowAttachment* TRowArena::AttachmentOf(const TTextRow* row) const {
  const auto it = attachments_.find(row);
  return it != attachments_.end() ? it->second.get() : nullptr;
}

void TRowArena::SetAttachment(TTextRow* row, std::unique_ptr<TRowAttachment> attachment) {
  if (attachment == nullptr) {
    TakeAttachment(row).reset();
    return;
  }
  std::unique_ptr<TRowAttachment>& slot = attachments_[row];
  std::unique_ptr<TRowAttachment> old = std::move(slot);
  slot = std::move(attachment);
  row->StoreBits |= rsAttached;
}

std::unique_ptr<TRowAttachment> TRowArena::TakeAttachment(TTextRow* row) {
  row->StoreBits &= ~rsAttached;
  const auto it = attachments_.find(row);
  if (it == attachments_.end()) return nullptr;
  std::unique_ptr<TRowAttachment> attachment = std::move(it->second);
  attachments_.erase(it);
  return attachment;
}

// --- The attachment of a row ---

namespace {
TTextRow* RowOfSlot(const TRowAttachmentSlot* slot) {
  return const_cast<TTextRow*>(rowstorage::RowOf(slot, offsetof(TTextRow, Attachment)));
}
}  // namespace

TRowAttachment* TRowAttachmentSlot::get() const {
  const TTextRow* row = RowOfSlot(this);
  if ((row->StoreBits & rsAttached) == 0) return nullptr;
  return TRowArena::Of(row).AttachmentOf(row);
}

TRowAttachmentSlot& TRowAttachmentSlot::operator=(std::unique_ptr<TRowAttachment> attachment) {
  TTextRow* row = RowOfSlot(this);
  if (attachment == nullptr && (row->StoreBits & rsAttached) == 0) return *this;
  TRowArena::Of(row).SetAttachment(row, std::move(attachment));
  return *this;
}

std::unique_ptr<TRowAttachment> TRowAttachmentSlot::Take() {
  TTextRow* row = RowOfSlot(this);
  if ((row->StoreBits & rsAttached) == 0) return nullptr;
  return TRowArena::Of(row).TakeAttachment(row);
}

}  // namespace ql

