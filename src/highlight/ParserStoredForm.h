#pragma once
// The parser's stored form: the compiled tables and the settings object of a highlighting
// language as one versioned, compressed block of bytes (the "Parser" property a window stores,
// the files quillon-hlc writes, the definition the program ships with).
//
// Outer form, little-endian: 16-bit version (51 when written), 32-bit size of the inner stream,
// the inner stream compressed with the Compressor/KH method (Compressor.h).
//
// Inner stream, in this order:
//   1. the settings object's stream form at the version (version 50 lacks the gutter font);
//   2. the keyword table in its stream form (SyntaxKeywords.h);
//   3. handlers: count, then per handler a byte token value and a handler record;
//   4. default token table: count, then per entry a byte first character and a token record;
//   5. context sets: count, then per entry a byte token value and 32 bytes of states; written
//      for the values whose context set is not the start-state set;
//   6. state records: count, then per record a byte token value, 32 bytes each of the valid,
//      entered and left sets, bytes container, no-change and push/pop code;
//   7. state token tables: count of states, then per state a byte state, an entry count and per
//      entry a byte first character, a token record and the table's range list (count, then
//      per range 16-bit low, 16-bit high and a token record); every entry of a table repeats
//      the list, and a reader keeps the one read last;
//   8. the anchor, bound and start-state sets, 32 bytes each;
//   9. a byte: some rule uses match.
// Records (see CompiledTables.h for units and end parts):
//   handler record: start unit (lead flag: repeat), end part (lead flag: use);
//   token record: start unit (lead flag unused, written 0), 32 bytes of states, continuation
//     unit (lead flag: repeat), end part, byte token value.
//
// Reading is reading untrusted bytes: every count is checked against the bytes that remain
// and every value against what the scanner can run. Handler codes other than 0 to 2 and 10 to
// 20 become units that always fail; a push/pop code other than the four codes, more than four
// end groups or a keyword value outside 0 to 255 is refused with EReadError.
#include <cstdint>

#include "highlight/CompiledTables.h"
#include "toolkit/Stream.h"

namespace ql {

class TSM_Settings;

constexpr uint16_t ParserStreamVersion = 51;
// Versions below this one are refused.
constexpr uint16_t OldestParserStreamVersion = 50;

// The sizes of one written stored form.
struct TParserFormSizes {
  int32_t InnerSize = 0;       // the inner stream before compression
  int64_t CompressedSize = 0;  // the compressed stream: header and chunks
};

// Writes the inner stream of tables and settings at version (50 or 51).
void WriteParserInner(TStream& stream, const TCompiledTables& tables, TSM_Settings& settings, int32_t version);
// Reads an inner stream into tables (cleared first) and settings. The settings change only when
// the whole stream was read; on any failure the tables are left cleared and the error raised.
void ReadParserInner(TStream& stream, TCompiledTables& tables, TSM_Settings& settings, int32_t version);

// Writes the stored form at ParserStreamVersion from the stream's position.
TParserFormSizes WriteParserForm(TStream& stream, const TCompiledTables& tables, TSM_Settings& settings);
// Reads the 16-bit version that opens a stored form.
uint16_t ReadParserFormVersion(TStream& stream);
// Reads the rest of a stored form of the given version (at least OldestParserStreamVersion)
// into tables and settings, as ReadParserInner. The inner stream must have the size recorded,
// both in front of it and in its compressed header, and be at most 64 MB.
void ReadParserFormBody(TStream& stream, uint16_t version, TCompiledTables& tables, TSM_Settings& settings);

}  // namespace ql
