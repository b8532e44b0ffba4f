#pragma once
// Counts the heap of the program that includes it: the global operator new and delete are
// replaced by ones that keep the bytes in use (each block's usable size plus the allocator's
// header word) and the largest figure since the last ResetPeak. Include it in one file of a
// benchmark program only, since it defines the replacements.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace ql::bench {

inline std::atomic<long long> heapInUse{0};
inline std::atomic<long long> heapPeak{0};

inline long long HeapNow() { return heapInUse.load(std::memory_order_relaxed); }
inline long long HeapPeak() { return heapPeak.load(std::memory_order_relaxed); }
inline void ResetPeak() { heapPeak.store(HeapNow(), std::memory_order_relaxed); }

inline long long BlockCost(void* p) { return static_cast<long long>(malloc_usable_size(p) + sizeof(size_t)); }

inline void* CountedAlloc(std::size_t size, std::size_t alignment) {
  void* p = alignment <= alignof(std::max_align_t) ? std::malloc(size == 0 ? 1 : size)
                                                   : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (p == nullptr) throw std::bad_alloc();
  const long long now = heapInUse.fetch_add(BlockCost(p), std::memory_order_relaxed) + BlockCost(p);
  long long peak = heapPeak.load(std::memory_order_relaxed);
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return p;
}

inline void CountedFree(void* p) {
  if (p == nullptr) return;
  heapInUse.fetch_sub(BlockCost(p), std::memory_order_relaxed);
  std::free(p);
}

}  // namespace ql::bench

void* operator new(std::size_t size) { return ql::bench::CountedAlloc(size, alignof(std::max_align_t)); }
void* operator new[](std::size_t size) { return ql::bench::CountedAlloc(size, alignof(std::max_align_t)); }
void* operator new(std::size_t size, std::align_val_t a) { return ql::bench::CountedAlloc(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return ql::bench::CountedAlloc(size, static_cast<std::size_t>(a)); }
void operator delete(void* p) noexcept { ql::bench::CountedFree(p); }
void operator delete[](void* p) noexcept { ql::bench::CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { ql::bench::CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { ql::bench::CountedFree(p); }
void operator delete(void* p, std::align_val_t) noexcept { ql::bench::CountedFree(p); }
void operator delete[](void* p, std::align_val_t) noexcept { ql::bench::CountedFree(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { ql::bench::CountedFree(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { ql::bench::CountedFree(p); }
