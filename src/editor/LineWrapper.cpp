#include "editor/LineWrapper.h"

#include <algorithm>
#include <array>

#include "textmodel/TextRow.h"
#include "editor/WordBreak.h"

namespace ql {
namespace {

constexpr int32_t ChunkChars = 5;

// The end of the characters from p that fit the width on the grid: each character's columns
// times CharWidth; the text must stay below the width, a TAB may end on it.
size_t FitGrid(std::string_view line, size_t p, size_t limit, const TWrapRules& rules) {
  const int64_t width = rules.Width;
  const int64_t cw = rules.CharWidth;
  int32_t column = 0;
  size_t i = p;
  while (i < limit) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= 0x20 && c < 0x7F) {
      if ((column + 1) * cw >= width) break;
      ++column;
      ++i;
      continue;
    }
    const TCharStep step = StepChar(line, i, column, rules.Encoding, *rules.Tabs);
    if (step.Kind == TCharKind::Break) return limit;
    const int64_t right = (column + step.Columns) * cw;
    if (step.Kind == TCharKind::Tab ? right > width : right >= width) break;
    column += step.Columns;
    i += static_cast<size_t>(step.Bytes);
  }
  return i;
}

// The same with the measure: characters are measured five at a time, and only the chunk that
// crosses the width is measured again, one character shorter each time.
size_t FitMeasured(std::string_view line, size_t p, size_t limit, const TWrapRules& rules) {
  TTextMeasure& measure = *rules.Measure;
  const int32_t width = rules.Width;
  int32_t x = 0;
  size_t chunkStart = p;
  std::array<size_t, ChunkChars + 1> ends{};  // ends of the chunk's characters
  int32_t chars = 0;
  // Adds the pending chunk; false (with the break in brk) when it does not fit whole.
  auto flush = [&](size_t& brk) {
    if (chars == 0) return true;
    const int32_t w = measure.Width(line.substr(chunkStart, ends[static_cast<size_t>(chars) - 1] - chunkStart));
    if (x + w < width) {
      x += w;
      chunkStart = ends[static_cast<size_t>(chars) - 1];
      chars = 0;
      return true;
    }
    int32_t n = chars - 1;
    while (n > 0 && x + measure.Width(line.substr(chunkStart, ends[static_cast<size_t>(n) - 1] - chunkStart)) >= width) --n;
    brk = n > 0 ? ends[static_cast<size_t>(n) - 1] : chunkStart;
    return false;
  };
  size_t i = p;
  size_t brk = 0;
  while (i < limit) {
    const TCharStep step = StepChar(line, i, 0, rules.Encoding, *rules.Tabs);
    if (step.Kind == TCharKind::Break) break;
    if (step.Kind == TCharKind::Tab) {
      if (!flush(brk)) return brk;
      const int32_t column = x / std::max(rules.CharWidth, 1);
      const int32_t d = measure.BlankWidth(rules.Tabs->NextTabStop(column) - column);
      if (x + d > width) return i;
      x += d;
      ++i;
      chunkStart = i;
      continue;
    }
    i += static_cast<size_t>(step.Bytes);
    ends[static_cast<size_t>(chars++)] = i;
    if (chars == ChunkChars && !flush(brk)) return brk;
  }
  if (!flush(brk)) return brk;
  return limit;
}

}  // namespace

void WrapLengths(std::string_view line, const TWrapRules& rules, std::vector<int32_t>& lengths) {
  const auto end = static_cast<int32_t>(line.size());
  int32_t p = 0;
  while (p < end) {
    const int32_t rest = end - p;
    int32_t len = std::min(rest, MaxRowLength);
    if (rules.Wrap) {
      // Nothing beyond the row limit is measured: the row could not take it.
      const auto limit = static_cast<size_t>(p + len);
      const size_t brk = rules.Measure != nullptr ? FitMeasured(line, static_cast<size_t>(p), limit, rules)
                                                  : FitGrid(line, static_cast<size_t>(p), limit, rules);
      len = std::max(static_cast<int32_t>(brk) - p, 1);
      if (len < rest) {
        len = rules.WordBreak(line.data() + p, len, rest, WB_LEFT);
        len = std::clamp(len, 1, std::min(rest, MaxRowLength));
      }
    }
    lengths.push_back(len);
    p += len;
  }
}

}  // namespace ql
