#include "services/StyleRuns.h"

#include <algorithm>
#include <array>
#include <utility>

#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"

namespace ql {
namespace {

// Runs of one row part that has Styles.
void StyledRuns(const char* text, const uint8_t* styles, int32_t from, int32_t to, const std::array<uint8_t, 256>& map,
                bool utf8, TStyleRunSink& sink) {
  int32_t runStart = from;
  uint8_t style = map[styles[from]];
  for (int32_t i = from; i < to;) {
    const uint8_t s = map[styles[i]];
    if (s != style) {
      sink.Run(style, {text + runStart, static_cast<size_t>(i - runStart)});
      runStart = i;
      style = s;
    }
    i += utf8 && static_cast<uint8_t>(text[i]) >= 0x80
             ? CharLength(TTextEncoding::Utf8, text + i, static_cast<size_t>(to - i))
             : 1;
  }
  sink.Run(style, {text + runStart, static_cast<size_t>(to - runStart)});
}

}  // namespace

void WriteStyleRuns(const TExportInput& input, TStyleRunSink& sink) {
  TTextStore& store = *input.Store;
  int32_t start = input.Start;
  int32_t end = input.End;
  if (start > end) std::swap(start, end);
  start = std::clamp(start, 0, store.TextLength);
  end = std::clamp(end, 0, store.TextLength);
  if (start == end) return;
  const std::array<uint8_t, 256>& map = input.Settings->StyleMap;
  const bool utf8 = input.Encoding == TTextEncoding::Utf8;

  const TRowPos pos = store.LocateRow(start);
  int32_t rowStart = pos.Start;
  int32_t from = start - pos.Start;
  for (const TTextRow* row = pos.Row; row != nullptr && rowStart + from < end; row = row->Next) {
    const int32_t to = std::min<int32_t>(row->Length, end - rowStart);
    if (row->Styles == nullptr) {
      sink.Run(-1, {row->Text.get() + from, static_cast<size_t>(to - from)});
    } else {
      StyledRuns(row->Text.get(), row->Styles.get(), from, to, map, utf8, sink);
    }
    sink.RowEnd();
    rowStart += row->Length;
    from = 0;
  }
}

}  // namespace ql
