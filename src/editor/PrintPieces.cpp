#include "editor/PrintPieces.h"

#include <algorithm>
#include <cstring>

namespace ql {
namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

int32_t PrintPieceLength(std::string_view row, int32_t p, int32_t width, const TTabRule& tabs, int32_t tabDefault,
                         TTextEncoding encoding) {
  const auto len = static_cast<int32_t>(row.size());
  const int32_t rest = len - p;
  if (rest <= 0) return 0;
  const int32_t b = std::max(width, 1);
  int32_t end;
  if (std::memchr(row.data() + p, '\t', static_cast<size_t>(rest)) == nullptr) {
    if (rest <= b) return rest;
    int32_t i = p + b - 1;
    while (i > p && !Blank(row[static_cast<size_t>(i)])) --i;
    if (i > p) {
      end = i + 1;
      while (end < len && Blank(row[static_cast<size_t>(end)])) ++end;
    } else {
      end = p + b;
    }
  } else {
    int32_t column = 0;
    int32_t i = p;
    while (column < b - tabDefault && i < len) {
      column = row[static_cast<size_t>(i)] == '\t' ? tabs.NextTabStop(column) : column + 1;
      ++i;
    }
    if (i >= len) return rest;
    int32_t j = i;
    while (j > p && !Blank(row[static_cast<size_t>(j)])) --j;
    end = j > p ? j + 1 : i;
  }
  // A UTF-8 character is never split between pieces: the cut moves back to its start, or past
  // its end when it is the piece's only character.
  if (encoding == TTextEncoding::Utf8) {
    const auto inside = [&](int32_t at) { return at < len && (static_cast<unsigned char>(row[static_cast<size_t>(at)]) & 0xC0) == 0x80; };
    while (end > p + 1 && inside(end)) --end;
    while (inside(end)) ++end;
  }
  return std::clamp(end - p, 1, rest);
}

}  // namespace ql
