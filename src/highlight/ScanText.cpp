#include "highlight/ScanText.h"

#include "highlight/CustomInkMemoParser.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

namespace ql {
namespace {

// One ScanToken; a piece of length 0 becomes one character of value 0.
int32_t NextPiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, int32_t& start,
                  int32_t& end) {
  start = stream.CharPos();
  int32_t length = 0;
  int32_t value = parser.ScanToken(editor, stream, length);
  end = stream.CharPos();
  if (end <= start) {
    stream.SetCharPos(start);
    stream.NextChar();
    end = stream.CharPos();
    value = 0;
  }
  return value;
}

}  // namespace

void ScanPiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, std::vector<uint8_t>& values,
               const TTokenSeenEvent& onTokenSeen) {
  int32_t start = 0;
  int32_t end = 0;
  int32_t value = NextPiece(parser, editor, stream, start, end);
  if (onTokenSeen) onTokenSeen(value, start, end);
  values.assign(static_cast<size_t>(end > start ? end - start : 1), static_cast<uint8_t>(value));
  if (!parser.Busy()) return;

  // Container: cut the token's text again with the states it entered.
  stream.SetCharPos(start);
  while (parser.Busy() && !stream.AtEnd()) {
    int32_t from = 0;
    int32_t to = 0;
    int32_t inner = NextPiece(parser, editor, stream, from, to);
    if (onTokenSeen) onTokenSeen(inner, from, to);
    for (int32_t i = from; i < to; ++i) {
      const size_t k = static_cast<size_t>(i - start);
      if (k >= values.size()) {
        values.push_back(static_cast<uint8_t>(inner));
      } else if (inner != 0) {
        values[k] = static_cast<uint8_t>(inner);
      }
    }
  }
  // A rescan that stopped short (the stream at the end) still leaves the stream after the token.
  if (stream.CharPos() < start + static_cast<int32_t>(values.size()))
    stream.SetCharPos(start + static_cast<int32_t>(values.size()));
  if (parser.Busy()) {
    // Only possible at the end of the text: one more call ends container mode.
    int32_t ignored = 0;
    parser.ScanToken(editor, stream, ignored);
  }
}

std::vector<uint8_t> ScanText(TCustomInkMemoParser& parser, TTextStore& store, TParserClient* editor) {
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(store.TextLength));
  TEdStream stream(&store);
  stream.StartAt(0);
  parser.ResetContext(0);
  if (!parser.CanScan()) {
    out.assign(static_cast<size_t>(store.TextLength), 0);
    return out;
  }
  std::vector<uint8_t> piece;
  while (!stream.AtEnd()) {
    ScanPiece(parser, editor, stream, piece);
    out.insert(out.end(), piece.begin(), piece.end());
  }
  out.resize(static_cast<size_t>(store.TextLength));
  parser.ResetContext(0);
  return out;
}

std::vector<TTokenRun> TokenRuns(const std::vector<uint8_t>& values) {
  std::vector<TTokenRun> runs;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!runs.empty() && runs.back().Value == values[i]) {
      ++runs.back().Length;
    } else {
      runs.push_back({static_cast<int32_t>(i), 1, values[i]});
    }
  }
  return runs;
}

}  // namespace ql
