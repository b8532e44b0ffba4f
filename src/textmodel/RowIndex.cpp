#include "textmodel/RowIndex.h"

#include <algorithm>

#include "textmodel/TextRow.h"

namespace ql {

// A block of rows, and a node of the tree (a treap: ordered by position, a heap by Priority).
struct TRowBlock {
  TRowBlock* Left = nullptr;
  TRowBlock* Right = nullptr;
  TRowBlock* Parent = nullptr;
  TTextRow* Head = nullptr;  // the block's first row
  uint32_t Priority = 0;
  int32_t Rows = 0;  // the block's own rows and characters
  int32_t Length = 0;
  int32_t Breaks = 0;  // of its rows, those that end with CR
  int32_t TreeRows = 0;  // of the subtree, this block included
  int32_t TreeLength = 0;
  int32_t TreeBreaks = 0;
  bool Unsettled = false;
};

namespace {

// A block shorter than this is merged with a neighbour when both fit in one.
constexpr int32_t MinBlockRows = 16;
// Blocks cut from a long one hold about this many rows, leaving room to grow.
constexpr int32_t FillRows = 48;

int32_t TreeRows(const TRowBlock* b) { return b != nullptr ? b->TreeRows : 0; }
int32_t TreeLength(const TRowBlock* b) { return b != nullptr ? b->TreeLength : 0; }
int32_t TreeBreaks(const TRowBlock* b) { return b != nullptr ? b->TreeBreaks : 0; }
int32_t BreakOf(const TTextRow* row) { return row->EndsWithCR() ? 1 : 0; }

void Recount(TRowBlock* b) {
  b->TreeRows = b->Rows + TreeRows(b->Left) + TreeRows(b->Right);
  b->TreeLength = b->Length + TreeLength(b->Left) + TreeLength(b->Right);
  b->TreeBreaks = b->Breaks + TreeBreaks(b->Left) + TreeBreaks(b->Right);
}

TRowBlock* Leftmost(TRowBlock* b) {
  while (b->Left != nullptr) b = b->Left;
  return b;
}

TRowBlock* Rightmost(TRowBlock* b) {
  while (b->Right != nullptr) b = b->Right;
  return b;
}

TRowBlock* Successor(TRowBlock* b) {
  if (b->Right != nullptr) return Leftmost(b->Right);
  while (b->Parent != nullptr && b->Parent->Right == b) b = b->Parent;
  return b->Parent;
}

TRowBlock* Predecessor(TRowBlock* b) {
  if (b->Left != nullptr) return Rightmost(b->Left);
  while (b->Parent != nullptr && b->Parent->Left == b) b = b->Parent;
  return b->Parent;
}

bool IsHead(const TTextRow* row) { return (row->StoreBits & rsBlockHead) != 0; }

}  // namespace

TRowIndex::~TRowIndex() { Clear(); }

void TRowIndex::Clear() {
  // Free the nodes without recursion: unhook children as they are met.
  TRowBlock* b = root_;
  while (b != nullptr) {
    if (b->Left != nullptr) {
      TRowBlock* l = b->Left;
      b->Left = nullptr;
      b = l;
    } else if (b->Right != nullptr) {
      TRowBlock* r = b->Right;
      b->Right = nullptr;
      b = r;
    } else {
      TRowBlock* up = b->Parent;
      delete b;
      b = up;
    }
  }
  root_ = nullptr;
  heads_.Clear();
  unsettled_.clear();
  blocks_ = 0;
  pending_ = nullptr;
  pendingRows_ = 0;
  pendingLength_ = 0;
  pendingBreaks_ = 0;
}

// --- Counts ---

void TRowIndex::Adjust(TRowBlock* block, int32_t rows, int32_t length, int32_t breaks) const {
  block->Rows += rows;
  block->Length += length;
  block->Breaks += breaks;
  if (block != pending_) {
    Flush();
    pending_ = block;
  }
  pendingRows_ += rows;
  pendingLength_ += length;
  pendingBreaks_ += breaks;
}

void TRowIndex::Flush() const {
  if (pending_ == nullptr) return;
  for (TRowBlock* b = pending_; b != nullptr; b = b->Parent) {
    b->TreeRows += pendingRows_;
    b->TreeLength += pendingLength_;
    b->TreeBreaks += pendingBreaks_;
  }
  pending_ = nullptr;
  pendingRows_ = 0;
  pendingLength_ = 0;
  pendingBreaks_ = 0;
}

void TRowIndex::Prefix(const TRowBlock* block, int32_t& index, int32_t& start) const {
  Flush();
  index = TreeRows(block->Left);
  start = TreeLength(block->Left);
  for (const TRowBlock* b = block; b->Parent != nullptr; b = b->Parent) {
    if (b->Parent->Right == b) {
      index += TreeRows(b->Parent->Left) + b->Parent->Rows;
      start += TreeLength(b->Parent->Left) + b->Parent->Length;
    }
  }
}

// --- Queries ---

TBlockPos TRowIndex::BlockAtOffset(int32_t offset) const {
  Flush();
  if (root_ == nullptr) return {};
  if (offset >= root_->TreeLength) {
    TRowBlock* last = Rightmost(root_);
    return {last, last->Head, root_->TreeRows - last->Rows, root_->TreeLength - last->Length};
  }
  return Descend(std::max(offset, 0), false);
}

TBlockPos TRowIndex::BlockAtRow(int32_t index) const {
  Flush();
  if (root_ == nullptr) return {};
  return Descend(std::clamp(index, 0, root_->TreeRows - 1), true);
}

TBlockPos TRowIndex::Descend(int32_t target, bool byRows) const {
  TBlockPos pos;
  TRowBlock* b = root_;
  for (;;) {
    const int32_t left = byRows ? TreeRows(b->Left) : TreeLength(b->Left);
    if (target < left) {
      b = b->Left;
      continue;
    }
    target -= left;
    pos.Index += TreeRows(b->Left);
    pos.Start += TreeLength(b->Left);
    const int32_t own = byRows ? b->Rows : b->Length;
    if (target < own) break;
    target -= own;
    pos.Index += b->Rows;
    pos.Start += b->Length;
    b = b->Right;
  }
  pos.Block = b;
  pos.Head = b->Head;
  return pos;
}

TRowBlock* TRowIndex::BlockOf(const TTextRow* row) const {
  while (!IsHead(row)) row = row->Prev;
  return heads_.Find(row);
}

TBlockPos TRowIndex::PositionOf(const TTextRow* row) const {
  int32_t back = 0;
  int32_t backLength = 0;
  const TTextRow* r = row;
  while (!IsHead(r)) {
    r = r->Prev;
    ++back;
    backLength += r->Length;
  }
  TBlockPos pos;
  pos.Block = heads_.Find(r);
  pos.Head = pos.Block->Head;
  Prefix(pos.Block, pos.Index, pos.Start);
  pos.Index += back;
  pos.Start += backLength;
  return pos;
}

int32_t TRowIndex::BreaksBefore(const TTextRow* row) const {
  int32_t breaks = 0;
  const TTextRow* r = row;
  while (!IsHead(r)) {
    r = r->Prev;
    breaks += BreakOf(r);
  }
  const TRowBlock* block = heads_.Find(r);
  Flush();
  breaks += TreeBreaks(block->Left);
  for (const TRowBlock* b = block; b->Parent != nullptr; b = b->Parent) {
    if (b->Parent->Right == b) breaks += TreeBreaks(b->Parent->Left) + b->Parent->Breaks;
  }
  return breaks;
}

// --- Tree ---

void TRowIndex::RotateUp(TRowBlock* x) {
  TRowBlock* p = x->Parent;
  TRowBlock* g = p->Parent;
  if (p->Left == x) {
    p->Left = x->Right;
    if (x->Right != nullptr) x->Right->Parent = p;
    x->Right = p;
  } else {
    p->Right = x->Left;
    if (x->Left != nullptr) x->Left->Parent = p;
    x->Left = p;
  }
  p->Parent = x;
  x->Parent = g;
  if (g == nullptr) {
    root_ = x;
  } else if (g->Left == p) {
    g->Left = x;
  } else {
    g->Right = x;
  }
  Recount(p);
  Recount(x);
}

void TRowIndex::Insert(TRowBlock* block, TRowBlock* after) {
  Flush();
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  block->Priority = seed_;
  Recount(block);
  ++blocks_;
  if (root_ == nullptr) {
    root_ = block;
    return;
  }
  TRowBlock* at;
  if (after == nullptr) {
    at = Leftmost(root_);
    at->Left = block;
  } else if (after->Right == nullptr) {
    at = after;
    at->Right = block;
  } else {
    at = Leftmost(after->Right);
    at->Left = block;
  }
  block->Parent = at;
  for (TRowBlock* b = at; b != nullptr; b = b->Parent) {
    b->TreeRows += block->Rows;
    b->TreeLength += block->Length;
    b->TreeBreaks += block->Breaks;
  }
  while (block->Parent != nullptr && block->Parent->Priority < block->Priority) RotateUp(block);
}

void TRowIndex::Erase(TRowBlock* block) {
  Flush();
  while (block->Left != nullptr && block->Right != nullptr) {
    RotateUp(block->Left->Priority > block->Right->Priority ? block->Left : block->Right);
  }
  TRowBlock* child = block->Left != nullptr ? block->Left : block->Right;
  TRowBlock* parent = block->Parent;
  if (child != nullptr) child->Parent = parent;
  if (parent == nullptr) {
    root_ = child;
  } else if (parent->Left == block) {
    parent->Left = child;
  } else {
    parent->Right = child;
  }
  for (TRowBlock* b = parent; b != nullptr; b = b->Parent) {
    b->TreeRows -= block->Rows;
    b->TreeLength -= block->Length;
    b->TreeBreaks -= block->Breaks;
  }
  if (block->Head != nullptr) {
    heads_.Erase(block->Head);
    block->Head->StoreBits &= ~rsBlockHead;
  }
  if (block->Unsettled) unsettled_.erase(std::find(unsettled_.begin(), unsettled_.end(), block));
  --blocks_;
  delete block;
}

TRowBlock* TRowIndex::NewBlock(TTextRow* head, TRowBlock* after) {
  auto* block = new TRowBlock;
  SetHead(block, head);
  Insert(block, after);
  return block;
}

void TRowIndex::SetHead(TRowBlock* block, TTextRow* head) {
  if (block->Head != nullptr) {
    heads_.Erase(block->Head);
    block->Head->StoreBits &= ~rsBlockHead;
  }
  block->Head = head;
  head->StoreBits |= rsBlockHead;
  heads_.Set(head, block);
}

void TRowIndex::MarkUnsettled(TRowBlock* block) {
  if (block->Unsettled) return;
  block->Unsettled = true;
  unsettled_.push_back(block);
}

// --- Changes ---

void TRowIndex::Linked(TTextRow* row, TRowBlock*& cursor) {
  TRowBlock* block = cursor;
  if (block == nullptr) {
    if (row->Prev != nullptr) {
      block = BlockOf(row->Prev);
    } else if (row->Next != nullptr) {
      block = heads_.Find(row->Next);
    } else {
      block = NewBlock(row, nullptr);
    }
  }
  // Linked before the block's first row, the row starts the block.
  if (block->Head == row->Next) SetHead(block, row);
  Adjust(block, 1, row->Length, BreakOf(row));
  if (block->Rows > MaxBlockRows) MarkUnsettled(block);
  cursor = block;
}

void TRowIndex::Unlinking(TTextRow* row, TRowBlock*& cursor) {
  TRowBlock* block = IsHead(row) ? heads_.Find(row) : cursor != nullptr ? cursor : BlockOf(row);
  Adjust(block, -1, -row->Length, -BreakOf(row));
  if (block->Rows == 0) {
    Erase(block);
    cursor = nullptr;
    return;
  }
  if (block->Head == row) SetHead(block, row->Next);
  if (block->Rows < MinBlockRows) MarkUnsettled(block);
  cursor = block;
}

void TRowIndex::Resized(const TTextRow* row, TRowBlock* block, int32_t delta) {
  Adjust(block != nullptr ? block : BlockOf(row), 0, delta, 0);
}

void TRowIndex::Settle() {
  while (!unsettled_.empty()) {
    TRowBlock* block = unsettled_.back();
    unsettled_.pop_back();
    block->Unsettled = false;
    if (block->Rows > MaxBlockRows) {
      Split(block);
    } else if (block->Rows < MinBlockRows) {
      Merge(block);
    }
  }
  Flush();
}

void TRowIndex::Split(TRowBlock* block) {
  const int32_t rows = block->Rows;
  const int32_t parts = (rows + FillRows - 1) / FillRows;
  TRowBlock* at = block;
  TTextRow* row = block->Head;
  for (int32_t part = 0; part < parts; ++part) {
    const int32_t take = rows / parts + (part < rows % parts ? 1 : 0);
    int32_t length = 0;
    int32_t breaks = 0;
    TTextRow* head = row;
    for (int32_t i = 0; i < take; ++i) {
      length += row->Length;
      breaks += BreakOf(row);
      row = row->Next;
    }
    if (part == 0) {
      Adjust(block, take - rows, length - block->Length, breaks - block->Breaks);
    } else {
      TRowBlock* next = new TRowBlock;
      next->Rows = take;
      next->Length = length;
      next->Breaks = breaks;
      SetHead(next, head);
      Insert(next, at);
      at = next;
    }
  }
}

void TRowIndex::Merge(TRowBlock* block) {
  if (TRowBlock* next = Successor(block); next != nullptr && block->Rows + next->Rows <= MaxBlockRows) {
    Absorb(block, next);
  } else if (TRowBlock* prev = Predecessor(block); prev != nullptr && prev->Rows + block->Rows <= MaxBlockRows) {
    Absorb(prev, block);
  }
}

void TRowIndex::Absorb(TRowBlock* into, TRowBlock* next) {
  const int32_t rows = next->Rows;
  const int32_t length = next->Length;
  const int32_t breaks = next->Breaks;
  Adjust(next, -rows, -length, -breaks);
  Erase(next);
  Adjust(into, rows, length, breaks);
}

// --- Checks ---

std::string TRowIndex::CheckTree(const TRowBlock* b, const TRowBlock* parent) const {
  if (b == nullptr) return {};
  if (b->Parent != parent) return "a block's parent link is wrong";
  if (parent != nullptr && parent->Priority < b->Priority) return "a block is above its parent in priority";
  if (b->TreeRows != b->Rows + TreeRows(b->Left) + TreeRows(b->Right)) return "a subtree's row count is wrong";
  if (b->TreeLength != b->Length + TreeLength(b->Left) + TreeLength(b->Right)) return "a subtree's length is wrong";
  if (b->TreeBreaks != b->Breaks + TreeBreaks(b->Left) + TreeBreaks(b->Right)) return "a subtree's line breaks are wrong";
  std::string left = CheckTree(b->Left, b);
  return left.empty() ? CheckTree(b->Right, b) : left;
}

std::string TRowIndex::Check(const TTextRow* first) const {
  Flush();
  if (!unsettled_.empty()) return "blocks wait to be settled";
  if (std::string tree = CheckTree(root_, nullptr); !tree.empty()) return tree;
  TRowBlock* block = root_ != nullptr ? Leftmost(root_) : nullptr;
  int32_t blocks = 0;
  const TTextRow* row = first;
  while (row != nullptr) {
    if (block == nullptr) return "rows follow the last block";
    if (block->Head != row || !IsHead(row)) return "a block does not start where its rows do";
    if (heads_.Find(row) != block) return "a block's first row does not find it";
    int32_t rows = 0;
    int32_t length = 0;
    int32_t breaks = 0;
    do {
      ++rows;
      length += row->Length;
      breaks += BreakOf(row);
      row = row->Next;
    } while (row != nullptr && !IsHead(row));
    if (rows != block->Rows || length != block->Length || breaks != block->Breaks) {
      return "a block's counts differ from its rows";
    }
    if (rows > MaxBlockRows) return "a block holds too many rows";
    ++blocks;
    block = Successor(block);
  }
  if (block != nullptr) return "a block follows the last row";
  if (blocks != blocks_ || heads_.Size() != static_cast<size_t>(blocks)) return "blocks are counted wrongly";
  return {};
}

int64_t TRowIndex::Bytes() const {
  // A block is allocated on its own, with the allocator's word beside it.
  return static_cast<int64_t>(blocks_) * static_cast<int64_t>(sizeof(TRowBlock) + sizeof(void*)) +
         static_cast<int64_t>(heads_.Bytes());
}

}  // namespace ql
