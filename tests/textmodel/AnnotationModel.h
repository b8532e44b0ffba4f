#pragma once
// A plain model of the store's annotations, without the test framework so that the fuzz target
// can use it too: the text by lines with each line's bookmark bits, the marks and the named
// bookmarks, each moved by its own rules; a comparison of a store with it (breakpoints and the
// execution point are checked for their own invariants); and one random step of edits and
// annotation changes, applied to both.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "StoreModel.h"
#include "textmodel/Breakpoints.h"
#include "textmodel/TextStore.h"

namespace ql::test {

inline std::string StoredText(const TTextStore& store) { return store.GetRange(0, store.TextLength); }

// The bookmark bits of each row, in order.
inline std::vector<uint16_t> RowBookmarkBits(const TTextStore& store) {
  std::vector<uint16_t> bits;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) bits.push_back(r->MarkBits & mbBookmarkMask);
  return bits;
}

struct TAnnotationModel {
  struct Line {
    std::string Text;  // with its CR, when it has one
    uint16_t Bits = 0;
  };
  std::vector<Line> Lines;
  std::map<TMarkHandle, std::pair<int32_t, int32_t>> Marks;
  std::map<std::string, int32_t> Named;

  int32_t Length() const {
    int32_t n = 0;
    for (const Line& l : Lines) n += static_cast<int32_t>(l.Text.size());
    return n;
  }
  // The line holding offset and the offset of its start (past the text: the last line).
  size_t LineAt(int32_t offset, int32_t& start) const {
    start = 0;
    for (size_t i = 0; i < Lines.size(); ++i) {
      const auto n = static_cast<int32_t>(Lines[i].Text.size());
      if (offset - start < n || i + 1 == Lines.size()) return i;
      start += n;
    }
    return 0;
  }
  static std::vector<Line> Split(const std::string& text, uint16_t firstBits) {
    std::vector<Line> out;
    size_t from = 0;
    while (from < text.size()) {
      const size_t cr = text.find('\r', from);
      const size_t end = cr == std::string::npos ? text.size() : cr + 1;
      out.push_back({text.substr(from, end - from), out.empty() ? firstBits : uint16_t{0}});
      from = end;
    }
    return out;
  }

  void Insert(int32_t o, const std::string& p) {
    const auto n = static_cast<int32_t>(p.size());
    for (auto& [name, pos] : Named) {
      if (pos >= o) pos += n;
    }
    for (auto& [h, m] : Marks) {
      if (m.first >= o) {
        m.first += n;
        m.second += n;
      } else if (m.second >= o) {
        m.second += n;
      }
    }
    if (Lines.empty()) {
      Lines = Split(p, 0);
      return;
    }
    int32_t start;
    const size_t i = LineAt(o, start);
    const Line line = Lines[i];
    const auto k = static_cast<size_t>(o - start);
    if (k >= line.Text.size() && line.Text.back() == '\r') {
      auto added = Split(p, 0);
      Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(i + 1), added.begin(), added.end());
      return;
    }
    auto rebuilt = Split(line.Text.substr(0, k) + p + line.Text.substr(k), 0);
    // The row's bookmark stays with its old first character.
    const size_t holder = k == 0 ? static_cast<size_t>(std::count(p.begin(), p.end(), '\r')) : 0;
    rebuilt[std::min(holder, rebuilt.size() - 1)].Bits = line.Bits;
    Lines.erase(Lines.begin() + static_cast<ptrdiff_t>(i));
    Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(i), rebuilt.begin(), rebuilt.end());
  }

  // Returns the marks that go.
  std::vector<TMarkHandle> Delete(int32_t s, int32_t e) {
    const int32_t n = e - s;
    std::vector<TMarkHandle> gone;
    for (auto it = Named.begin(); it != Named.end();) {
      if (it->second >= s && it->second < e) {
        it = Named.erase(it);
      } else {
        if (it->second >= e) it->second -= n;
        ++it;
      }
    }
    for (auto it = Marks.begin(); it != Marks.end();) {
      auto& [ms, me] = it->second;
      if (me <= s) {
        ++it;
      } else if (s <= ms && me <= e) {
        gone.push_back(it->first);
        it = Marks.erase(it);
      } else {
        if (ms >= s) ms = std::max(ms - n, s);
        if (me >= s) me = std::max(me - n, s);
        ++it;
      }
    }
    if (s == 0 && e == Length()) {
      Lines.clear();
      Named.clear();
      return gone;
    }
    int32_t start;
    const size_t first = LineAt(s, start);
    const std::string head = Lines[first].Text.substr(0, static_cast<size_t>(s - start));
    uint16_t bits = Lines[first].Bits;
    size_t i = first;
    int32_t rest = e - start;
    while (i < Lines.size() && rest >= static_cast<int32_t>(Lines[i].Text.size())) rest -= static_cast<int32_t>(Lines[i++].Text.size());
    std::string tail;
    if (i < Lines.size()) {
      tail = Lines[i].Text.substr(static_cast<size_t>(rest));
      if (head.empty()) bits = Lines[i].Bits;
      ++i;
    }
    Lines.erase(Lines.begin() + static_cast<ptrdiff_t>(first), Lines.begin() + static_cast<ptrdiff_t>(i));
    if (!(head + tail).empty()) Lines.insert(Lines.begin() + static_cast<ptrdiff_t>(first), Line{head + tail, bits});
    return gone;
  }
};

inline std::string AnnotationDisagreement(const TTextStore& store, const TAnnotationModel& model, std::mt19937& rng) {
  if (std::string d = StoreDisagreement(store, &rng, 20); !d.empty()) return d;
  std::string text;
  std::vector<uint16_t> bits;
  for (const TAnnotationModel::Line& l : model.Lines) {
    text += l.Text;
    bits.push_back(l.Bits);
  }
  if (StoredText(store) != text) return "the text differs";
  if (RowBookmarkBits(store) != bits) return "the rows' bookmarks differ";
  uint16_t seen = 0;
  for (const uint16_t b : bits) {
    if ((b & (b - 1)) != 0) return "a row carries two bookmarks";
    if ((seen & b) != 0) return "a bookmark lies on two rows";
    seen |= b;
  }
  const int32_t markCount = store.Marks ? store.Marks->Count() : 0;
  if (markCount != static_cast<int32_t>(model.Marks.size())) return "the number of marks differs";
  if (store.Marks) {
    if (std::string d = store.Marks->Check(); !d.empty()) return "marks: " + d;
    for (const auto& [h, m] : model.Marks) {
      if (store.Marks->Start(h) != m.first || store.Marks->End(h) != m.second) return "a mark's bounds differ";
    }
  }
  if (store.CustomBookmarks.Count() != static_cast<int32_t>(model.Named.size())) return "the named bookmarks differ";
  for (const auto& [name, pos] : model.Named) {
    if (store.CustomBookmarks.Find(name) != pos) return "named bookmark " + name + " is elsewhere";
  }
  int32_t previous = -1;
  for (int32_t i = 0; i < store.Breakpoints.Count(); ++i) {
    const int32_t at = store.Breakpoints.Item(i).Offset;
    if (at <= previous) return "breakpoints share a line or are out of order";
    previous = at;
    if (at >= store.TextLength || LineStartOf(store, at) != at) return "a breakpoint is not at the start of a line";
    if (store.Breakpoints.FindAt(at) == nullptr) return "a breakpoint is not found at its offset";
  }
  const TSM_BreakpointData& exec = *store.CodeBreak.ExecPoint;
  if (exec.Enabled() && (exec.Offset >= store.TextLength || LineStartOf(store, exec.Offset) != exec.Offset)) {
    return "the execution point is not at the start of a line";
  }
  return {};
}

// Drives a store and the model together: each Step makes one change chosen through pick(n)
// (a number in 0..n-1): an insertion of a few characters of "ab \r", a deletion (now and then a
// long one, or of everything), a mark, a named bookmark, a numbered bookmark moved onto a row,
// a breakpoint toggled, or the execution point placed. Texts stay below maxText characters.
class TAnnotationDriver {
public:
  using TPick = std::function<int32_t(int32_t n)>;

  TAnnotationDriver(TTextStore& store, int32_t maxText = 1 << 30) : store_(store), maxText_(maxText) {
    store_.EnsureMarks().OnMarkFree = [this](TMarkHandle m) { freed_.push_back(m); };
  }
  ~TAnnotationDriver() { store_.EnsureMarks().OnMarkFree = nullptr; }

  // The change made, and a disagreement about the marks it freed (empty when none).
  std::string Step(const TPick& pick, int32_t step) {
    const int32_t length = store_.TextLength;
    const int32_t what = pick(100);
    if (what < 45 || length == 0) {
      std::string p;
      for (int32_t i = pick(length < 500 ? 12 : 4) + 1; i > 0; --i) p += "ab \r"[pick(4)];
      if (length + static_cast<int32_t>(p.size()) > maxText_) return {};
      const int32_t at = pick(length + 1);
      store_.InsertText(at, p);
      Model.Insert(at, p);
    } else if (what < 85) {
      const int32_t s = pick(length);
      return Delete(s, std::min(length, s + 1 + pick(what < 83 ? 8 : 60)));
    } else if (what < 91) {
      const int32_t s = pick(length + 1);
      const int32_t e = std::min(length, s + pick(10));
      Model.Marks[store_.EnsureMarks().Add(s, e, step)] = {s, e};
    } else if (what < 94) {
      const std::string name = "n" + std::to_string(pick(40));
      const int32_t at = pick(length + 1);
      store_.CustomBookmarks.Add(name, at);
      Model.Named[name] = at;
    } else if (what < 97) {
      // Bookmark n onto a row, off any other row, as SetBookmark leaves it.
      const int32_t n = pick(10);
      const int32_t index = pick(store_.RowCount);
      for (TTextRow* r = store_.FirstRow; r != nullptr; r = r->Next) r->MarkBits &= static_cast<uint16_t>(~(1u << n));
      for (TAnnotationModel::Line& l : Model.Lines) l.Bits &= static_cast<uint16_t>(~(1u << n));
      TTextRow* row = store_.RowByIndex(index).Row;
      row->MarkBits = static_cast<uint16_t>((row->MarkBits & ~mbBookmarkMask) | (1u << n));
      Model.Lines[static_cast<size_t>(index)].Bits = static_cast<uint16_t>(1u << n);
    } else if (what < 99) {
      if (pick(4) == 0) {
        store_.CodeBreak.SetExecPoint(pick(length));
      } else {
        store_.Breakpoints.Toggle(pick(length));
      }
    } else if (pick(20) == 0) {
      return Delete(0, length);
    }
    return {};
  }

  TAnnotationModel Model;

private:
  std::string Delete(int32_t s, int32_t e) {
    freed_.clear();
    const auto before = Model.Marks;
    std::vector<TMarkHandle> gone = Model.Delete(s, e);
    store_.DeleteText(s, e);
    std::sort(gone.begin(), gone.end());
    std::sort(freed_.begin(), freed_.end());
    if (freed_ == gone) return {};
    std::string d = "the marks freed by deleting " + std::to_string(s) + ".." + std::to_string(e) + " differ:";
    for (const TMarkHandle m : gone) d += " model " + Bounds(before, m);
    for (const TMarkHandle m : freed_) d += " store " + Bounds(before, m);
    return d;
  }

  static std::string Bounds(const std::map<TMarkHandle, std::pair<int32_t, int32_t>>& marks, TMarkHandle m) {
    const auto found = marks.find(m);
    return found == marks.end() ? "?" : std::to_string(found->second.first) + ".." + std::to_string(found->second.second);
  }

  TTextStore& store_;
  int32_t maxText_;
  std::vector<TMarkHandle> freed_;
};

}  // namespace ql::test
