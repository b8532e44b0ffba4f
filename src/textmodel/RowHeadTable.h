#pragma once
// The table from the first row of each block of the row index to its block: open addressing
// with linear probing over a power-of-two array, erasing by moving later entries back, so that
// no entry costs more than its two pointers and some room.
#include <cstdint>
#include <vector>

namespace ql {

struct TTextRow;
struct TRowBlock;

class TRowHeadTable {
public:
  TRowBlock* Find(const TTextRow* head) const {
    if (slots_.empty()) return nullptr;
    for (size_t i = Home(head);; i = (i + 1) & Mask()) {
      if (slots_[i].Head == head) return slots_[i].Block;
      if (slots_[i].Head == nullptr) return nullptr;
    }
  }

  void Set(const TTextRow* head, TRowBlock* block) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    size_t i = Home(head);
    while (slots_[i].Head != nullptr && slots_[i].Head != head) i = (i + 1) & Mask();
    if (slots_[i].Head == nullptr) ++count_;
    slots_[i] = {head, block};
  }

  void Erase(const TTextRow* head) {
    if (slots_.empty()) return;
    size_t i = Home(head);
    while (slots_[i].Head != head) {
      if (slots_[i].Head == nullptr) return;
      i = (i + 1) & Mask();
    }
    // Entries after the hole that could not sit at their home move back into it.
    for (size_t j = (i + 1) & Mask(); slots_[j].Head != nullptr; j = (j + 1) & Mask()) {
      const size_t home = Home(slots_[j].Head);
      if (((j - home) & Mask()) >= ((j - i) & Mask())) {
        slots_[i] = slots_[j];
        i = j;
      }
    }
    slots_[i] = {};
    --count_;
  }

  void Clear() {
    slots_.clear();
    count_ = 0;
  }
  size_t Size() const { return count_; }
  size_t Bytes() const { return slots_.capacity() * sizeof(TSlot); }

private:
  struct TSlot {
    const TTextRow* Head = nullptr;
    TRowBlock* Block = nullptr;
  };

  size_t Mask() const { return slots_.size() - 1; }
  size_t Home(const TTextRow* head) const {
    // Rows are 4-byte aligned; Fibonacci hashing spreads the rest.
    return static_cast<size_t>((reinterpret_cast<uintptr_t>(head) >> 2) * 0x9E3779B97F4A7C15ull >> 20) & Mask();
  }
  void Grow() {
    std::vector<TSlot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, TSlot{});
    count_ = 0;
    for (const TSlot& slot : old) {
      if (slot.Head != nullptr) Set(slot.Head, slot.Block);
    }
  }

  std::vector<TSlot> slots_;
  size_t count_ = 0;
};

}  // namespace ql
