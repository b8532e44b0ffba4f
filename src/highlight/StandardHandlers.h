#pragma once
// The built-in scanning handlers a rule names by code (HandlerCodes.h): the character handlers
// 0 to 2 and the standard handlers 10 to 20. Each starts at the stream's current character,
// consumes what it accepts and never reads past the end of the text.
#include <cstdint>

namespace ql {

class TEdStream;

// Runs handler code at the stream's position, for a piece that began at pieceStart (the
// line-start test of _ORIGINAL_CHAR looks at the character before it). Returns whether it
// accepted; on failure the stream is back where it was. Codes outside 0..2 and 10..20 fail.
bool RunStandardHandler(int32_t code, TEdStream& stream, int32_t pieceStart);

}  // namespace ql
