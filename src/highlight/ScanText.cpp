#include "highlight/ScanText.h"

#include "highlight/CustomInkMemoParser.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

namespace ql {
int32_t ScanOnePiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, int32_t& start,
                     int32_t& end, const TTokenSeenEvent& onTokenSeen) {
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
  if (onTokenSeen) onTokenSeen(value, start, end);
  return value;
}

void RescanContainer(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, int32_t start,
                     int32_t end, int32_t value, std::vector<uint8_t>& values, const TTokenSeenEvent& onTokenSeen) {
  values.assign(static_cast<size_t>(end > start ? end - start : 1), static_cast<uint8_t>(value));
  stream.SetCharPos(start);
  while (parser.Busy() && !stream.AtEnd()) {
    int32_t from = 0;
    int32_t to = 0;
    const int32_t inner = ScanOnePiece(parser, editor, stream, from, to, onTokenSeen);
    for (int32_t i = from; i < to; ++i) {
      const size_t k = static_cast<size_t>(i - start);
      if (k >= values.size()) {
        values.push_back(static_cast<uint8_t>(inner));
      } else if (inner != 0) {
        values[k] = static_cast<uint8_t>(inner);
      }
    }
  }
  if (stream.CharPos() < start + static_cast<int32_t>(values.size()))
    stream.SetCharPos(start + static_cast<int32_t>(values.size()));
  if (parser.Busy()) {
    // Only possible at the end of the text: one more call ends container mode.
    int32_t ignored = 0;
    parser.ScanToken(editor, stream, ignored);
  }
}

void ScanPiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, std::vector<uint8_t>& values,
               const TTokenSeenEvent& onTokenSeen) {
  int32_t start = 0;
  int32_t end = 0;
  const int32_t value = ScanOnePiece(parser, editor, stream, start, end, onTokenSeen);
  if (parser.Busy()) {
    RescanContainer(parser, editor, stream, start, end, value, values, onTokenSeen);
  } else {
    values.assign(static_cast<size_t>(end - start), static_cast<uint8_t>(value));
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
    int32_t start = 0;
    int32_t end = 0;
    const int32_t value = ScanOnePiece(parser, editor, stream, start, end);
    if (parser.Busy()) {
      RescanContainer(parser, editor, stream, start, end, value, piece);
      out.insert(out.end(), piece.begin(), piece.end());
    } else {
      out.insert(out.end(), static_cast<size_t>(end - start), static_cast<uint8_t>(value));
    }
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
