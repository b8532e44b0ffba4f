#pragma once
// A plain model of the row store, without the test framework so that the fuzz target can use
// it too: the stored form of a piece of text, and a walk over the rows that every counter, row
// rule and lookup of the store (its index) is compared with.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "textmodel/TextStore.h"

namespace ql::test {

// The stored form of a whole piece: what the store must make of it, however it is chunked.
inline std::string ReferenceNormalise(const std::string& in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    if (c == '\r' || c == '\n') {
      out += '\r';
      if (i + 1 < in.size() && (in[i + 1] == '\r' || in[i + 1] == '\n') && in[i + 1] != in[i]) ++i;
    } else {
      out += (c == '\t' || c >= 32) ? static_cast<char>(c) : '.';
    }
  }
  return out;
}

// Compares the store with a walk from its first row: the counters, the row limit, the index's
// own blocks and sums, and LocateRow (both ends of a row and the end of the text), RowByIndex,
// RowStart and RowPosition for every row, or for `probes` rows (the first and last among them)
// when rng is given and there are more. Returns the first disagreement, or an empty string.
inline std::string StoreDisagreement(const TTextStore& store, std::mt19937* rng = nullptr, size_t probes = 200) {
  if (std::string index = store.CheckIndex(); !index.empty()) return "index: " + index;
  std::vector<const TTextRow*> rows;
  std::vector<int32_t> starts;
  std::vector<int32_t> lines;  // logical line of each row
  int32_t start = 0;
  int32_t line = 0;
  int32_t longest = 0;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) {
    if (r->Length < 1 || r->Length > MaxRowLength) return "a row's length is out of bounds";
    if (r->Text[r->Length] != '\0') return "a row's characters are not followed by a NUL";
    if (r->Next != nullptr && r->Next->Prev != r) return "a row's neighbour does not link back";
    rows.push_back(r);
    starts.push_back(start);
    lines.push_back(line);
    start += r->Length;
    line += r->EndsWithCR() ? 1 : 0;
    longest = std::max<int32_t>(longest, r->Length);
  }
  if (static_cast<int32_t>(rows.size()) != store.RowCount) return "RowCount differs from the rows";
  if (start != store.TextLength) return "TextLength differs from the rows";
  if (!rows.empty() && longest != store.LongestRow) return "LongestRow differs from the rows";
  if (!rows.empty() && store.LastRow() != rows.back()) return "LastRow is not the last row";
  const auto probe = [&](size_t i) -> std::string {
    const TTextRow* r = rows[i];
    const int32_t s = starts[i];
    const auto index = static_cast<int32_t>(i);
    const std::string where = " (row " + std::to_string(i) + ")";
    const TRowPos byRow = store.RowPosition(r);
    if (byRow.Index != index || byRow.Start != s) return "RowPosition differs" + where;
    const TRowPos byIndex = store.RowByIndex(index);
    if (byIndex.Row != r || byIndex.Start != s || byIndex.Index != index) return "RowByIndex differs" + where;
    if (store.RowStart(index) != s) return "RowStart differs" + where;
    if (store.LineOfRow(r) != lines[i]) return "LineOfRow differs" + where;
    for (const int32_t k : {0, r->Length - 1}) {
      const TRowPos at = store.LocateRow(s + k);
      if (at.Row != r || at.Index != index || at.Start != s) return "LocateRow differs" + where;
    }
    return {};
  };
  if (rng == nullptr || rows.size() <= probes) {
    for (size_t i = 0; i < rows.size(); ++i) {
      if (std::string d = probe(i); !d.empty()) return d;
    }
  } else {
    for (const size_t i : {size_t{0}, rows.size() - 1}) {
      if (std::string d = probe(i); !d.empty()) return d;
    }
    for (size_t n = 0; n < probes; ++n) {
      if (std::string d = probe((*rng)() % rows.size()); !d.empty()) return d;
    }
  }
  if (rows.empty()) return store.LocateRow(0).Row == nullptr ? std::string() : "LocateRow finds a row in no text";
  // The end of the text is on the last row, or on the virtual line after a final CR.
  const TRowPos end = store.LocateRow(store.TextLength);
  const int32_t endIndex = static_cast<int32_t>(rows.size()) - (rows.back()->EndsWithCR() ? 0 : 1);
  if (end.Row != rows.back() || end.Start != starts.back() || end.Index != endIndex) return "LocateRow at the end differs";
  if (store.RowByIndex(store.RowCount + 5).Row != rows.back()) return "RowByIndex past the end differs";
  if (store.RowByIndex(-3).Row != rows.front()) return "RowByIndex before the start differs";
  return {};
}

}  // namespace ql::test
