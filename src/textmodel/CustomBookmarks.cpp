#include "textmodel/CustomBookmarks.h"

#include <algorithm>
#include <cctype>

namespace ql {
namespace {

int CompareNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

TCustomBookmarks::~TCustomBookmarks() {
  try {
    Clear();
  } catch (...) {
    // A failing handler cannot stop the bookmarks from going.
  }
}

size_t TCustomBookmarks::NameSlot(std::string_view name) const {
  const auto at = std::lower_bound(byName_.begin(), byName_.end(), name, [](const TCustBookmark* b, std::string_view n) {
    return CompareNoCase(b->Name, n) < 0;
  });
  return static_cast<size_t>(at - byName_.begin());
}

size_t TCustomBookmarks::FirstAtOrAfter(int32_t position) const {
  const auto at = std::lower_bound(byPosition_.begin(), byPosition_.end(), position,
                                   [](const TOwned& b, int32_t p) { return b->Position < p; });
  return static_cast<size_t>(at - byPosition_.begin());
}

void TCustomBookmarks::EraseName(const TCustBookmark* bookmark) {
  const size_t slot = NameSlot(bookmark->Name);
  if (slot < byName_.size() && byName_[slot] == bookmark) byName_.erase(byName_.begin() + static_cast<ptrdiff_t>(slot));
}

void TCustomBookmarks::Notify(std::vector<TOwned>& removed) {
  for (const TOwned& bookmark : removed) {
    if (OnFree) OnFree(*this, bookmark->Name);
  }
}

void TCustomBookmarks::Add(const std::string& name, int32_t position) {
  const size_t slot = NameSlot(name);
  TOwned bookmark;
  if (slot < byName_.size() && CompareNoCase(byName_[slot]->Name, name) == 0) {
    // The same name moves: out of the position order, renamed, and back in below.
    TCustBookmark* old = byName_[slot];
    const auto at = std::find_if(byPosition_.begin(), byPosition_.end(), [&](const TOwned& b) { return b.get() == old; });
    bookmark = std::move(*at);
    byPosition_.erase(at);
    bookmark->Name = name;
  } else {
    bookmark = std::make_unique<TCustBookmark>();
    bookmark->Name = name;
    byName_.insert(byName_.begin() + static_cast<ptrdiff_t>(slot), bookmark.get());
  }
  bookmark->Position = position;
  const size_t at = FirstAtOrAfter(position + 1);
  byPosition_.insert(byPosition_.begin() + static_cast<ptrdiff_t>(at), std::move(bookmark));
}

int32_t TCustomBookmarks::Find(std::string_view name) const {
  const size_t slot = NameSlot(name);
  if (slot < byName_.size() && CompareNoCase(byName_[slot]->Name, name) == 0) return byName_[slot]->Position;
  return -1;
}

bool TCustomBookmarks::Remove(std::string_view name) {
  const size_t slot = NameSlot(name);
  if (slot >= byName_.size() || CompareNoCase(byName_[slot]->Name, name) != 0) return false;
  TCustBookmark* bookmark = byName_[slot];
  byName_.erase(byName_.begin() + static_cast<ptrdiff_t>(slot));
  std::vector<TOwned> removed;
  const auto at = std::find_if(byPosition_.begin(), byPosition_.end(), [&](const TOwned& b) { return b.get() == bookmark; });
  removed.push_back(std::move(*at));
  byPosition_.erase(at);
  Notify(removed);
  return true;
}

void TCustomBookmarks::Clear() {
  std::vector<TOwned> removed = std::move(byPosition_);
  byPosition_.clear();
  byName_.clear();
  Notify(removed);
}

void TCustomBookmarks::ShiftForInsert(int32_t offset, int32_t n) {
  for (size_t i = FirstAtOrAfter(offset); i < byPosition_.size(); ++i) byPosition_[i]->Position += n;
}

void TCustomBookmarks::AdjustForDelete(int32_t start, int32_t n) {
  const size_t first = FirstAtOrAfter(start);
  const size_t last = FirstAtOrAfter(start + n);
  std::vector<TOwned> removed;
  for (size_t i = first; i < last; ++i) {
    EraseName(byPosition_[i].get());
    removed.push_back(std::move(byPosition_[i]));
  }
  byPosition_.erase(byPosition_.begin() + static_cast<ptrdiff_t>(first), byPosition_.begin() + static_cast<ptrdiff_t>(last));
  for (size_t i = first; i < byPosition_.size(); ++i) byPosition_[i]->Position -= n;
  Notify(removed);
}

}  // namespace ql
