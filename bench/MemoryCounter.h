#pragma once
// Counts heap bytes (as the allocator hands them out, with its per-block overhead) for memory
// figures in benchmarks. Include in exactly one benchmark source: it replaces operator new/delete.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace ql::bench {

inline std::atomic<long long> g_heapNow{0};
inline std::atomic<long long> g_heapPeak{0};

inline long long BlockCost(void* p) { return static_cast<long long>(malloc_usable_size(p)) + 8; }

// Heap in use now, and the peak since ResetPeak.
inline long long HeapNow() { return g_heapNow.load(); }
inline long long HeapPeak() { return g_heapPeak.load(); }
inline void ResetPeak() { g_heapPeak.store(g_heapNow.load()); }

}  // namespace ql::bench

void* operator new(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (p == nullptr) throw std::bad_alloc();
  const long long now = ql::bench::g_heapNow += ql::bench::BlockCost(p);
  long long peak = ql::bench::g_heapPeak.load();
  while (now > peak && !ql::bench::g_heapPeak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void* operator new[](size_t n) { return operator new(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try {
    return operator new(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  ql::bench::g_heapNow -= ql::bench::BlockCost(p);
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete(p); }
