#pragma once
// Scanning text piece by piece into one token value per character, with containers resolved:
// what the re-highlighting driver stores in the rows, and what tools print.
#include <cstdint>
#include <functional>
#include <vector>

namespace ql {

class TCustomInkMemoParser;
class TEdStream;
class TParserClient;
class TTextStore;

// Told of every piece ScanToken returns: its value (which the handler may change; the changed
// value is what is stored), and the offsets where it starts and ends (exclusive). Also called
// with -1, -1, -1 when a scan run starts and -2, -2, -2 when it ends.
using TTokenSeenEvent = std::function<void(int32_t& value, int32_t start, int32_t end)>;

// Scans the next piece from the stream's position (which must not be at the end of the text)
// and sets values to one token value per character from that position on. A container token
// comes back together with the rescan of its text: characters the rescan gives value 0 keep
// the container token's value, and the rescan's last piece may reach past the token.
// A piece of length 0 is taken as one character of value 0, so values is never empty.
void ScanPiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, std::vector<uint8_t>& values,
               const TTokenSeenEvent& onTokenSeen = nullptr);

// The token values of the whole text of store, scanned from its start after ResetContext(0).
std::vector<uint8_t> ScanText(TCustomInkMemoParser& parser, TTextStore& store, TParserClient* editor = nullptr);

// A run of characters of equal token value.
struct TTokenRun {
  int32_t Offset = 0;
  int32_t Length = 0;
  uint8_t Value = 0;
  bool operator==(const TTokenRun&) const = default;
};
std::vector<TTokenRun> TokenRuns(const std::vector<uint8_t>& values);

}  // namespace ql
