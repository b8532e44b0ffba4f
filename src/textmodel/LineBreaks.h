#pragma once
// Normalisation of incoming text into stored characters: every line break (CR LF, LF CR, lone
// CR, lone LF) becomes one CR; TAB and 32..255 stay; every other control character becomes ".".
#include <cstdint>

namespace ql {

class TLineBreakNormaliser {
public:
  // Normalises n characters from src into dst (which has room for n); returns the stored length.
  // A line-break pair split between two consecutive chunks stays one line break.
  int32_t NormaliseChunk(const char* src, int32_t n, char* dst);
  // Forgets the chunk before: the next chunk starts a new text.
  void Reset() { pending_ = 0; }

private:
  char pending_ = 0;  // CR or LF that ended the previous chunk alone, 0 otherwise
};

}  // namespace ql
