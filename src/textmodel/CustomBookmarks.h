#pragma once
// Named bookmarks: character positions under a name, kept in order of position and in a name
// index that compares names without regard to case. Every bookmark is in both, and the index
// reads the position from the bookmark itself, so the two always agree.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

class TCustomBookmarks {
public:
  struct TCustBookmark {
    std::string Name;
    int32_t Position = 0;
  };

  TCustomBookmarks() = default;
  // Every bookmark is removed, with OnFree.
  ~TCustomBookmarks();
  TCustomBookmarks(const TCustomBookmarks&) = delete;
  TCustomBookmarks& operator=(const TCustomBookmarks&) = delete;

  // Sets the bookmark name at position: a bookmark of that name (in any case) moves there and
  // takes the name as given.
  void Add(const std::string& name, int32_t position);
  // The position of the bookmark name; -1 when there is none.
  int32_t Find(std::string_view name) const;
  // Removes the bookmark name, with OnFree; false when there is none.
  bool Remove(std::string_view name);
  // Removes every bookmark in order of position, with OnFree for each.
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(byPosition_.size()); }
  // The i-th bookmark in order of position.
  const TCustBookmark& At(int32_t i) const { return *byPosition_[static_cast<size_t>(i)]; }
  // The i-th entry of the name index.
  const TCustBookmark& NameIndex(int32_t i) const { return *byName_[static_cast<size_t>(i)]; }

  // An insertion of n characters at offset: bookmarks at or after it move by n.
  void ShiftForInsert(int32_t offset, int32_t n);
  // A deletion of start..start + n: bookmarks inside it are removed (with OnFree), later ones
  // move back by n.
  void AdjustForDelete(int32_t start, int32_t n);

  // (this list, name) for each bookmark being removed, after it has left the list.
  std::function<void(TCustomBookmarks& sender, const std::string& name)> OnFree;

private:
  using TOwned = std::unique_ptr<TCustBookmark>;
  // Index in byName_ of the entry for name, or of where it would go.
  size_t NameSlot(std::string_view name) const;
  size_t FirstAtOrAfter(int32_t position) const;
  void EraseName(const TCustBookmark* bookmark);
  void Notify(std::vector<TOwned>& removed);

  std::vector<TOwned> byPosition_;       // ascending Position; equal ones in order of setting
  std::vector<TCustBookmark*> byName_;   // ascending name without regard to case; unique
};

}  // namespace ql
