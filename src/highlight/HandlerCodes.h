#pragma once
// The handler codes a scanning rule may name: the character handlers 0 to 2 and the standard
// handlers 10 to 20. Every other code is refused by the script compiler, so compiled tables only
// ever hold these.
#include <cstdint>

#include "toolkit/ByteSet.h"

namespace ql {

constexpr int32_t hcPascalChar = 0;          // _PASCAL_CHAR
constexpr int32_t hcWebChar = 1;             // _WEB_CHAR
constexpr int32_t hcOriginalChar = 2;        // _ORIGINAL_CHAR
constexpr int32_t hcStdIdentifier = 10;      // __STD_IDENTIFIER
constexpr int32_t hcStdNumberOrFp = 11;      // __STD_NUMBER_OR_FP
constexpr int32_t hcStdPascalString = 12;    // __STD_PASCALSTRING
constexpr int32_t hcStdCString = 13;         // __STD_C_STRING
constexpr int32_t hcStdCChar = 14;           // __STD_C_CHAR
constexpr int32_t hcStdCNumberSigned = 15;   // __STD_C_NUMBER_OR_FP_SIGNED
constexpr int32_t hcStdNumber = 16;          // __STD_NUMBER
constexpr int32_t hcStdMailUrl = 17;         // __STD_MAIL_URL
constexpr int32_t hcStdHtmlString = 18;      // __STD_HTML_STRING
constexpr int32_t hcStdJsLineComment = 19;   // __STD_JS_LINE_COMMENT
constexpr int32_t hcStdCStringSq = 20;       // __STD_C_STRING_SQ

// Number of handler slots: codes 0 to 2, then 10 to 20.
constexpr int32_t HandlerSlotCount = 14;

constexpr bool IsStandardHandlerCode(int64_t code) { return code >= hcStdIdentifier && code <= hcStdCStringSq; }
// A code the scanner runs: 0 to 2 or 10 to 20.
constexpr bool IsHandlerCode(int64_t code) {
  return (code >= hcPascalChar && code <= hcOriginalChar) || IsStandardHandlerCode(code);
}
// The slot of a valid handler code: 0 to 2 for codes 0 to 2, code - 7 for codes 10 to 20.
constexpr int32_t HandlerSlot(int32_t code) { return code <= hcOriginalChar ? code : code - 7; }

// The characters a standard handler (code 10 to 20) can start on; empty for any other code.
TByteSet StandardHandlerStartSet(int32_t code);

}  // namespace ql
