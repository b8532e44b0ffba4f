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

// One ScanToken from the stream's position (which must not be at the end of the text), told
// to onTokenSeen; start and end receive the piece's extent. A piece of length 0 is taken as one
// character of value 0. Returns the value (as onTokenSeen left it).
int32_t ScanOnePiece(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, int32_t& start,
                     int32_t& end, const TTokenSeenEvent& onTokenSeen = nullptr);
// After ScanOnePiece left the parser Busy with a container token at start..end of the given
// value: cuts the token's text again and sets values to one value per character from start
// on. Characters the rescan gives value 0 keep the container token's value; the rescan's last
// piece may reach past the token. The stream is left after the last piece.
void RescanContainer(TCustomInkMemoParser& parser, TParserClient* editor, TEdStream& stream, int32_t start,
                     int32_t end, int32_t value, std::vector<uint8_t>& values,
                     const TTokenSeenEvent& onTokenSeen = nullptr);
// ScanOnePiece and, for a container token, RescanContainer: values receives one token value
// per character of the piece (never empty).
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
